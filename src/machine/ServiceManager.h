#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>

namespace machine {

// Where systemd listens for the kiosk's notifications, as its environment
// said when the program started; empty outside systemd.
struct ServiceManagerAddress
{
    QByteArray notifySocket;
    // How often systemd must hear from the kiosk; zero when it does not watch.
    std::chrono::microseconds watchdogTimeout{0};
};

// Reads NOTIFY_SOCKET, WATCHDOG_USEC and WATCHDOG_PID once and removes them
// from the environment at once, before the application object exists: a
// D-Bus daemon or anything else started on the program's behalf would
// inherit them and could tell systemd the kiosk is ready before its window
// is up. Called once, first thing in main.
ServiceManagerAddress takeServiceManagerAddress();

// Tells systemd (Type=notify) when the window is up, what it shows, and,
// from the event loop, that the loop still runs: a hung window misses the
// watchdog and systemd kills and restarts the kiosk. Each notification is one
// datagram to the socket systemd named, the protocol sd_notify(3) documents;
// libsystemd's sd_notify reads the socket from the environment at every
// call, which the program has emptied. Outside systemd every call does
// nothing.
class ServiceManager : public QObject
{
    Q_OBJECT

public:
    explicit ServiceManager(ServiceManagerAddress address, QObject *parent = nullptr);
    ~ServiceManager() override;

    bool isPresent() const { return !m_address.notifySocket.isEmpty(); }
    bool isReady() const { return m_ready; }

    // READY=1, once: the window is up.
    void notifyReady();
    // STATUS=: one line on what the kiosk shows, for systemctl status.
    void notifyStatus(const QString &status);

private:
    bool send(const QByteArray &message);
    void keepWatchdogAlive();

    ServiceManagerAddress m_address;
    int m_socket = -1;
    bool m_ready = false;
    QTimer m_watchdog;
};

} // namespace machine
