// The by-id names are found from the links, whatever the kernel's names.
#include "QtPrinting.h"
#include "link/ports/PresentPorts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

#ifndef Q_OS_WIN // Linux's /dev/serial/by-id links; Windows lists its ports in the registry
TEST(LinkNamesByTarget, MapsEachTargetToItsFirstLinkAndSkipsDanglingOnes)
{
    QTemporaryDir devices;
    QTemporaryDir byId;
    ASSERT_TRUE(devices.isValid() && byId.isValid());
    for (const char* device : {"ttyUSB0", "ttyUSB1"}) {
        QFile file(devices.filePath(QString::fromLatin1(device)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto link = [&](const char* target, const char* name) {
        ASSERT_TRUE(QFile::link(QStringLiteral("../") + QFileInfo(devices.path()).fileName() + u'/'
                                    + QString::fromLatin1(target),
                                byId.filePath(QString::fromLatin1(name))));
    };
    link("ttyUSB1", "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0");
    link("ttyUSB0", "usb-Prolific-if00-port0");
    link("ttyUSB0", "usb-Prolific-if01-port0");
    link("ttyUSB7", "usb-unplugged-if00-port0");

    const QHash<QString, QString> names = pb::LinkNamesByTarget(byId.path());
    const QString base = QFileInfo(devices.path()).canonicalFilePath();
    EXPECT_EQ(names.size(), 2);
    EXPECT_EQ(names.value(base + "/ttyUSB1"), "usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0");
    EXPECT_EQ(names.value(base + "/ttyUSB0"), "usb-Prolific-if00-port0");
}
#endif

TEST(LinkNamesByTarget, MissingFolderGivesNoNames)
{
    EXPECT_TRUE(pb::LinkNamesByTarget(QStringLiteral("/nonexistent/serial/by-id")).isEmpty());
}

} // namespace
