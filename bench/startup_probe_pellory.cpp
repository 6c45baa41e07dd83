// Starts the program as main.cpp does (construct frmMain, Form_Load, show)
// and ends at the window's first paint; bench_startup runs it. The dialogs are
// scripted: a successful start-up shows none, and a failed one must end the
// probe instead of waiting on a message box nobody can see.

#include "FirstPaint.h"

#include "machine/ScriptedDialogs.h"
#include "window/frmMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    machine::ScriptedDialogs dialogs;
    frmMain window(dialogs);
    QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::exit);

    if (!window.load()) {
        for (const QString &message : dialogs.messages())
            std::fprintf(stderr, "%s\n", qPrintable(message));
        return EXIT_FAILURE;
    }
    bench::reportAtFirstPaint(window);
    window.show();
    return app.exec();
}
