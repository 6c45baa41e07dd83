#include "machine/ScriptedDialogs.h"

namespace machine {

QStringList ScriptedDialogs::messages() const
{
    QStringList prompts;
    for (const Shown &dialog : m_shown) {
        if (dialog.kind == Kind::Message)
            prompts << dialog.prompt;
    }
    return prompts;
}

void ScriptedDialogs::messageBox(const QString &prompt, const QString &title, Icon icon)
{
    m_shown.append({Kind::Message, title, prompt, icon});
}

QString ScriptedDialogs::inputBox(const QString &prompt, const QString &title, Echo echo)
{
    m_shown.append({Kind::Input, title, prompt, Icon::None, echo});
    return m_inputs.isEmpty() ? QString() : m_inputs.dequeue();
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor &)
{
    m_shown.append({Kind::Color, {}, {}});
    return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
}

} // namespace machine
