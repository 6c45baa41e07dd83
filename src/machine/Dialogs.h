#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace machine {

// The title the program puts on message boxes that carry none of their own.
inline const QString ApplicationTitle = QStringLiteral("The Pellory");

// The runtime's modal dialogs: message box (OK button only), input box and
// colour chooser. The window talks to them only through this interface, so
// tests can script the answers.
class Dialogs
{
public:
    enum class Icon { None, Critical };
    enum class Echo { Normal, Masked };

    virtual ~Dialogs() = default;

    virtual void messageBox(const QString &prompt, const QString &title = ApplicationTitle,
                            Icon icon = Icon::None) = 0;
    // Returns the typed text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title, Echo echo = Echo::Normal) = 0;
    // Returns the chosen colour, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
};

} // namespace machine
