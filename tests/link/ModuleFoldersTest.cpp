// A release looks for its modules only inside its installation; a build
// made for development looks in its build tree as well, last.
#include "link/devices/ModuleFolders.h"

#include <gtest/gtest.h>

namespace {

TEST(ModuleFolders, AReleaseLooksOnlyInsideItsInstallation)
{
    const QStringList release = pb::ModuleFolders(QStringLiteral("/opt/pagerbench/bin"), QString());
    ASSERT_EQ(release.size(), 2);
    EXPECT_EQ(release[0], QStringLiteral("/opt/pagerbench/bin"));
    EXPECT_TRUE(release[1].startsWith(QStringLiteral("/opt/pagerbench/lib"))) << release[1].toStdString();
    EXPECT_TRUE(release[1].endsWith(QStringLiteral("/pagerbench"))) << release[1].toStdString();

    const QString buildTree = QStringLiteral("/home/dev/pagerbench/build/modules");
    EXPECT_EQ(pb::ModuleFolders(QStringLiteral("/opt/pagerbench/bin"), buildTree), release + QStringList{buildTree});
}

} // namespace
