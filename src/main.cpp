#include "catalogue/PriceFile.h"
#include "check/CheckCommand.h"
#include "configuration/ShopConfiguration.h"
#include "machine/ErrorLog.h"
#include "machine/QtDialogs.h"
#include "machine/ServiceManager.h"
#include "machine/StandardStreams.h"
#include "machine/TerminationSignals.h"
#include "machine/WaylandTitleBar.h"
#include "machine/WindowStartFailure.h"
#include "staffpassword/StaffExit.h"
#include "window/ServiceReport.h"
#include "window/TouchInput.h"
#include "window/frmMain.h"

#include <QApplication>

namespace {

// The shop's settings, each line the kiosk did not understand reported once
// on standard error; the kiosk opens with the defaults there.
configuration::ShopConfiguration readShopConfiguration()
{
    const configuration::ConfigurationReading reading =
        configuration::readConfiguration(configuration::configurationBesideProgram());
    for (const configuration::ConfigurationFault &fault : reading.faults)
        machine::logForSupport(configuration::faultText(reading, fault));
    return reading.values;
}

} // namespace

int main(int argc, char *argv[])
{
    machine::holdClosedStandardStreams();
    // The command line works without a display, so it is settled before Qt
    // looks for a platform.
    if (check::isCommandLineRequest(argc, argv))
        return check::runCommandLine(argc, argv);

    const machine::ServiceManagerAddress serviceManagerAddress = machine::takeServiceManagerAddress();
    machine::TerminationSignals termination;
    machine::reportUnknownWindowOptions(argc, argv);
    machine::switchOffQtWaylandTitleBar();
    machine::WindowStartFailure noDisplay;
    QApplication app(argc, argv);
    noDisplay.release();
    termination.endEventLoopOnSignal();
    // The window decides when the program ends: only the staff exit or an
    // error that no handler traps unloads it.
    app.setQuitOnLastWindowClosed(false);
    staffpassword::reportStaffPasswordAtStartUp();
    // Under systemd: the watchdog is kept from here on, as soon as the event loop runs.
    machine::ServiceManager serviceManager(serviceManagerAddress);

    const configuration::ShopConfiguration shop = readShopConfiguration();
    machine::QtDialogs dialogs;
    dialogs.setDigitPad(configuration::offersDigitPad(shop.digitPad, window::touchScreenAttached()));
    frmMain window(dialogs, catalogue::priceFileBesideProgram(), shop);
    dialogs.setParent(&window);
    // The message and password boxes grow with the window.
    dialogs.setScale(window.formScale());
    QObject::connect(&window, &frmMain::unloaded, &app, &QCoreApplication::exit);
    new window::ServiceReport(serviceManager, window, catalogue::priceFileBesideProgram());

    if (!window.load())
        return termination.exitStatus(EXIT_FAILURE);
    window.show();
    return app.exec();
}
