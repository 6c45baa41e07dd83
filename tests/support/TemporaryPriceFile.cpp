#include "TemporaryPriceFile.h"

#include <QFile>

namespace testsupport {

QString TemporaryPriceFile::path() const
{
    return m_dir.filePath(QStringLiteral("BrandsPrices.txt"));
}

void TemporaryPriceFile::write(const QByteArray &bytes) const
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path()));
}

QByteArray samplePrices()
{
    return "\"Brand Zero\",10,20,30,40,50\r\n"
           "\"Brand One\",11,21,31,41,51\r\n"
           "\"Brand Two\",12,22,32,42,52\r\n"
           "\"Brand Three\",60,75,0,0,0\r\n"
           "\"Brand Four\",12345,0,0,0,0\r\n"
           "\"Brand Five\",15,25,35,45,55\r\n"
           "\"Brand Six\",16,26,36,46,56\r\n"
           "\"Brand Seven\",17,27,37,47,57\r\n"
           "\"Brand Eight\",18,28,38,48,58\r\n"
           "\"Brand Nine\",19,29,39,49,59\r\n"
           "\"Brand Ten\",0,0,0,0,0\r\n"
           "\"Brand Eleven, Ltd.\",21,31,41,51,61\r\n";
}

} // namespace testsupport
