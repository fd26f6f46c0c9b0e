#include "link/devices/NetworkLine.h"
#include "link/devices/TcpDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pb::ServerProtocol;

struct Case {
    const char* device;
    bool valid;
    const char* host;
    int port;
    ServerProtocol protocol = ServerProtocol::Raw;
};

TEST(TcpDevice, NamesAreParsedOrRefused)
{
    const Case cases[] = {
        {"tcp://127.0.0.1:4001", true, "127.0.0.1", 4001},
        {"TCP://server.local:1", true, "server.local", 1},
        {"tcp://[::1]:65535", true, "::1", 65535},
        {"tcp://host:0", false, "", 0},
        {"tcp://host:65536", false, "", 0},
        {"tcp://host", false, "", 0},
        {"tcp://:4001", false, "", 0},
        {"tcp://host:4001/extra", false, "", 0},
        {"rfc2217://10.0.0.20:4001", true, "10.0.0.20", 4001, ServerProtocol::Rfc2217},
        {"RFC2217://[::1]:2000/", true, "::1", 2000, ServerProtocol::Rfc2217},
        {"rfc2217://host", false, "", 0},
        {"telnet://host:23", false, "", 0},
        {"/dev/ttyUSB0", false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        const auto address = pb::ParseTcpDevice(QString::fromLatin1(c.device));
        ASSERT_EQ(address.has_value(), c.valid);
        if (c.valid) {
            EXPECT_EQ(address->host, QString::fromLatin1(c.host));
            EXPECT_EQ(address->port, c.port);
            EXPECT_EQ(address->protocol, c.protocol);
        }
    }
    EXPECT_TRUE(pb::IsTcpDevice("tcp://host"));
    EXPECT_TRUE(pb::IsTcpDevice("rfc2217://host"));
    EXPECT_FALSE(pb::IsTcpDevice("/dev/pts/3"));
}

} // namespace

using pb::ServerProtocol;

TEST(NetworkModule, TheFirstFolderWithAWorkingModuleServes)
{
    QTemporaryDir missing, broken;
    ASSERT_TRUE(missing.isValid() && broken.isValid());
    QFile garbage(QDir(broken.path()).filePath(pb::NetworkModuleFileName()));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a library");
    garbage.close();
    EXPECT_EQ(pb::LoadNetworkModule({missing.path(), broken.path()}), nullptr);

    QStringList folders{missing.path(), broken.path()};
    folders << pb::NetworkModuleFolders();
    pb::NetworkLineFactory* module = pb::LoadNetworkModule(folders);
    ASSERT_NE(module, nullptr) << "the build tree holds one";
    EXPECT_NE(module->createLine({"127.0.0.1", 4001, ServerProtocol::Raw}), nullptr);
    EXPECT_NE(module->createLine({"127.0.0.1", 4001, ServerProtocol::Rfc2217}), nullptr);
}
