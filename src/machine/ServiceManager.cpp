#include "machine/ServiceManager.h"

#include <QtGlobal>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace machine {

ServiceManagerAddress takeServiceManagerAddress()
{
    ServiceManagerAddress address;
    address.notifySocket = qgetenv("NOTIFY_SOCKET");
    bool valid = false;
    const qlonglong watchdogUsec = qEnvironmentVariable("WATCHDOG_USEC").toLongLong(&valid);
    // A watchdog meant for another process (the one systemd started) is not ours to keep.
    const QByteArray watchdogPid = qgetenv("WATCHDOG_PID");
    const bool forThisProcess = watchdogPid.isEmpty() || watchdogPid.toLongLong() == ::getpid();
    if (valid && watchdogUsec > 0 && forThisProcess)
        address.watchdogTimeout = std::chrono::microseconds(watchdogUsec);
    qunsetenv("NOTIFY_SOCKET");
    qunsetenv("WATCHDOG_USEC");
    qunsetenv("WATCHDOG_PID");
    return address;
}

ServiceManager::ServiceManager(ServiceManagerAddress address, QObject *parent)
    : QObject(parent), m_address(std::move(address))
{
    if (!isPresent())
        return;
    m_socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_address.watchdogTimeout.count() > 0) {
        // Twice within the timeout, so one late tick of a busy loop is no death.
        m_watchdog.setInterval(std::chrono::duration_cast<std::chrono::milliseconds>(m_address.watchdogTimeout / 2));
        connect(&m_watchdog, &QTimer::timeout, this, &ServiceManager::keepWatchdogAlive);
        m_watchdog.start();
    }
}

ServiceManager::~ServiceManager()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

void ServiceManager::notifyReady()
{
    if (m_ready || !isPresent())
        return;
    m_ready = send("READY=1");
}

void ServiceManager::notifyStatus(const QString &status)
{
    // One line: a line break would end the field.
    QString line = status;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    send("STATUS=" + line.toUtf8());
}

void ServiceManager::keepWatchdogAlive()
{
    send("WATCHDOG=1");
}

// A socket name starting with @ is in the abstract namespace, where the
// name's first byte is a zero.
bool ServiceManager::send(const QByteArray &message)
{
    if (m_socket < 0)
        return false;
    sockaddr_un target{};
    target.sun_family = AF_UNIX;
    const QByteArray &path = m_address.notifySocket;
    if (path.size() >= qsizetype(sizeof target.sun_path))
        return false;
    std::memcpy(target.sun_path, path.constData(), size_t(path.size()));
    if (path.startsWith('@'))
        target.sun_path[0] = '\0';
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()));
    return ::sendto(m_socket, message.constData(), size_t(message.size()), MSG_NOSIGNAL,
                    reinterpret_cast<const sockaddr *>(&target), length)
           == message.size();
}

} // namespace machine
