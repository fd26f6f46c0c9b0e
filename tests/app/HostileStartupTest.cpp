// The whole start-up on a configuration and default settings no one could
// mean: it completes, and the values it cannot use are dealt with where used.
#include "app/Program.h"
#include "app/Startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/Garbage.h"

namespace {

using pbtest::Garbage;
using pbtest::kBom;

TEST(BadFilesStartup, StartsOnHostileConfigurationAndDefaultSettings)
{
    QTemporaryDir dir;
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put("Pagerbench.set", kBom + "3 ->-32768\r\n4 ->32767\n0 ->-1\r1 ->0\r\n" + Garbage(2000, false));
    put("default.set", Garbage(5000, true));
    qputenv("PAGERBENCH_COM1", dir.filePath("no-such-port").toLocal8Bit());

    pb::AppState state;
    state.folder.path = dir.path();
    pb::Program program(state);
    pb::StartProgram(program);
    qunsetenv("PAGERBENCH_COM1");

    EXPECT_EQ(state.config.unitType, -32768);
    EXPECT_EQ(state.config.language, 0) << "a language above 3 is set back";
    EXPECT_EQ(state.config.logging, 2);
    for (int r = 0; r < pb::kGridRows; ++r)
        EXPECT_TRUE(program.window.ComboInstellingen[r]->isHidden()) << "an unknown type shows no row";
    for (int r = 0; r < pb::kRowSlots; ++r)
        EXPECT_EQ(state.rows.SettingsInUnit[r], -1);
}

} // namespace
