#pragma once

#include "machine/Dialogs.h"

#include <QList>
#include <QQueue>

namespace machine {

// Dialogs for tests: records every dialog shown and answers from a queue.
// An input box with no queued answer is cancelled, and so is a colour chooser.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Message, Input, Color };
    struct Shown
    {
        Kind kind;
        QString title;
        QString prompt;
        Icon icon = Icon::None;
        Echo echo = Echo::Normal;
    };

    void answerInput(const QString &text) { m_inputs.enqueue(text); }
    void answerColor(std::optional<QColor> color) { m_colors.enqueue(color); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList messages() const;
    void clear() { m_shown.clear(); }

    void messageBox(const QString &prompt, const QString &title, Icon icon) override;
    QString inputBox(const QString &prompt, const QString &title, Echo echo) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;

private:
    QList<Shown> m_shown;
    QQueue<QString> m_inputs;
    QQueue<std::optional<QColor>> m_colors;
};

} // namespace machine
