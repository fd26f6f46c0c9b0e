#include "files/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    // The per-user folder moves into a test location, away from real files.
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
    void TearDown() override { QStandardPaths::setTestModeEnabled(false); }

    QString folder(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(path);
        return QDir::cleanPath(path);
    }
    static QString perUser()
    {
        return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    }

    QTemporaryDir dir;
};

TEST_F(ProgramFolderTest, ACopyInAWritableFolderKeepsItsFilesBesideItself)
{
    const QString own = folder("copy");
    EXPECT_EQ(pb::ProgramFolder::locate(own, {dir.filePath("usr")}).path, own);
    EXPECT_EQ(pb::ProgramFolder::locate(own + "/", {}).path, own) << "no trailing separator";
}

TEST_F(ProgramFolderTest, AnInstalledProgramUsesThePerUserFolderEvenWhenItCouldWriteBesideItself)
{
    const QString bin = folder("usr/bin");
    const pb::ProgramFolder located = pb::ProgramFolder::locate(bin, {dir.filePath("usr")});
    EXPECT_EQ(located.path, perUser());
    EXPECT_TRUE(QDir(located.path).exists()) << "the per-user folder is made on the way";

    EXPECT_EQ(pb::ProgramFolder::locate(bin, {dir.filePath("usr/")}).path, perUser());
    EXPECT_EQ(pb::ProgramFolder::locate(folder("opt/pagerbench/bin"), {dir.filePath("opt")}).path, perUser());
}

TEST_F(ProgramFolderTest, OnlyAProgramKeepingItsFilesElsewhereReadsBesideItself)
{
    const QString own = folder("copy");
    EXPECT_TRUE(pb::ProgramFolder::locate(own, {}).shipped.isEmpty());
    const QString bin = folder("usr/bin");
    EXPECT_EQ(pb::ProgramFolder::locate(bin, {dir.filePath("usr")}).shipped, bin);
}

TEST_F(ProgramFolderTest, APrefixMatchesWholeFolderNamesOnly)
{
    const QString lookalike = folder("usrlocal/bin");
    EXPECT_EQ(pb::ProgramFolder::locate(lookalike, {dir.filePath("usr")}).path, lookalike);
    EXPECT_FALSE(pb::ProgramFolder::isInside(dir.filePath("usr2"), dir.filePath("usr")));
    EXPECT_TRUE(pb::ProgramFolder::isInside(dir.filePath("usr"), dir.filePath("usr")));
    EXPECT_FALSE(pb::ProgramFolder::isInside(dir.filePath("usr"), QString()));
}

TEST_F(ProgramFolderTest, AFolderReachedThroughALinkCountsWhereItLeads)
{
    const QString bin = folder("usr/bin");
    const QString link = dir.filePath("bin");
    ASSERT_TRUE(QFile::link(bin, link));
    EXPECT_EQ(pb::ProgramFolder::locate(link, {dir.filePath("usr")}).path, perUser());
}

TEST_F(ProgramFolderTest, TheRootFolderIsNoInstallationPrefix)
{
    const QString own = folder("copy");
    EXPECT_EQ(pb::ProgramFolder::locate(own, {"/"}).path, own);
}

TEST_F(ProgramFolderTest, AMissingFolderFallsBackToThePerUserFolder)
{
    EXPECT_EQ(pb::ProgramFolder::locate(dir.filePath("gone"), {}).path, perUser());
}

// Root's write permission is set on /sys/devices (Z:\sys\devices under
// Wine), yet no one, root included, can make a file there.
TEST_F(ProgramFolderTest, AFolderNoFileCanBeMadeInFallsBackToThePerUserFolder)
{
    if (!QFileInfo("/sys/devices").isDir())
        GTEST_SKIP() << "no /sys/devices here";
    EXPECT_EQ(pb::ProgramFolder::locate("/sys/devices", {}).path, perUser());
}

#ifndef Q_OS_WIN // the Unix system folders; Program Files has its own case below
TEST_F(ProgramFolderTest, TheSystemFoldersAreInstallationsForEveryUserRootIncluded)
{
    for (const char* system : {"/usr/bin", "/usr/local/bin", "/opt/pagerbench/bin"})
        EXPECT_EQ(pb::ProgramFolder::locate(QString::fromLatin1(system)).path, perUser()) << system;
}
#endif

#ifdef Q_OS_WIN
TEST_F(ProgramFolderTest, ProgramFilesIsAnInstallationWhateverTheCaseOfItsName)
{
    const QString programFiles = QDir::fromNativeSeparators(qEnvironmentVariable("ProgramFiles"));
    ASSERT_FALSE(programFiles.isEmpty());
    EXPECT_TRUE(pb::ProgramFolder::installPrefixes().contains(programFiles));
    EXPECT_TRUE(pb::ProgramFolder::isInside(programFiles.toUpper() + "/Pagerbench", programFiles));
}

TEST_F(ProgramFolderTest, APerUserInstallationKeepsItsFilesInThePerUserFolder)
{
    const QString programs = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")) + "/Programs";
    QDir().mkpath(programs);
    QTemporaryDir installed(programs + "/Pagerbench-test-XXXXXX");
    ASSERT_TRUE(installed.isValid()) << "cannot make a folder in " << programs.toStdString();
    EXPECT_EQ(pb::ProgramFolder::locate(installed.path()).path, perUser());
}
#endif

} // namespace
