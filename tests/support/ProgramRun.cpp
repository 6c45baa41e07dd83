#include "ProgramRun.h"

namespace testsupport {

QProcessEnvironment programEnvironment(const QString &configHome, const QString &platform)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    return environment;
}

QString firstMissingInOrder(const QStringList &written, const QStringList &expected, LineMatch match)
{
    const auto found = [match](const QString &line, const QString &wanted) {
        return match == LineMatch::Start ? line.startsWith(wanted) : line.contains(wanted);
    };
    qsizetype next = 0;
    for (const QString &wanted : expected) {
        if (wanted.startsWith(u'>')) {
            if (next == written.size() || written.at(next) != wanted.mid(1))
                return wanted;
            ++next;
            continue;
        }
        while (next < written.size() && !found(written.at(next), wanted))
            ++next;
        if (next == written.size())
            return wanted;
        ++next;
    }
    return {};
}

} // namespace testsupport
