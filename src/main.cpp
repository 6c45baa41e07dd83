#include "platform/QtDialogs.h"
#include "window/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window decides when the program ends: only the staff exit or an
    // error that no handler traps unloads it.
    app.setQuitOnLastWindowClosed(false);

    platform::QtDialogs dialogs;
    frmMain window(dialogs);
    dialogs.setParent(&window);
    QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::exit);

    if (!window.load())
        return EXIT_FAILURE;
    window.show();
    return app.exec();
}
