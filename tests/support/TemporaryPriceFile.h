#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// BrandsPrices.txt in a temporary folder of its own, for the window under
// test to read; the folder and whatever a test put in it go with the object.
class TemporaryPriceFile
{
public:
    QString path() const;
    QString folder() const { return m_dir.path(); }
    void write(const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// Twelve brands, so every row of the availability rules is reached.
QByteArray samplePrices();

} // namespace testsupport
