#include "catalogue/PriceFile.h"
#include "check/CheckCommand.h"
#include "platform/QtDialogs.h"
#include "platform/StandardStreams.h"
#include "platform/TerminationSignals.h"
#include "platform/WaylandTitleBar.h"
#include "platform/WindowStartFailure.h"
#include "staffpassword/StaffExit.h"
#include "window/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::holdClosedStandardStreams();
    // The command line works without a display, so it is settled before Qt
    // looks for a platform.
    if (check::isCommandLineRequest(argc, argv))
        return check::runCommandLine(argc, argv);

    platform::TerminationSignals termination;
    platform::reportUnknownWindowOptions(argc, argv);
    platform::switchOffQtWaylandTitleBar();
    platform::WindowStartFailure noDisplay;
    QApplication app(argc, argv);
    noDisplay.release();
    termination.endEventLoopOnSignal();
    // The window decides when the program ends: only the staff exit or an
    // error that no handler traps unloads it.
    app.setQuitOnLastWindowClosed(false);
    staffpassword::reportStaffPasswordAtStartUp();

    platform::QtDialogs dialogs;
    frmMain window(dialogs, catalogue::priceFileBesideProgram());
    dialogs.setParent(&window);
    QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::exit);

    if (!window.load())
        return termination.exitStatus(EXIT_FAILURE);
    window.show();
    return app.exec();
}
