#include "runtime/FileSizeLimit.h"

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>

namespace runtime {

void raiseTooLarge(const QString &path, qint64 size, qint64 maxBytes)
{
    // Only the name is taken from the path; the file is not looked at.
    const QString name = QFileInfo(path).fileName();
    const QString limit = QStringLiteral("%1 MB (%2 bytes)").arg(maxBytes / (1024 * 1024)).arg(groupedIntegerText(maxBytes));
    const QString detail = size >= 0
        ? QStringLiteral("%1 is %2 bytes long; the largest file that is read is %3.")
              .arg(name, groupedIntegerText(size), limit)
        : QStringLiteral("%1 is longer than %2, the largest file that is read.").arg(name, limit);
    throw RuntimeError(ErrorNumber::Overflow).at(path, 0).withDetail(detail);
}

} // namespace runtime
