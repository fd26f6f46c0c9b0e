#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(TextFile, AnyLineEndEndsALine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    put(path, "a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(pb::ReadTextLines(path), QStringList({"a", "b", "c", "d", "", "e"}));
}

TEST(TextFile, ReadsWindows1252)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    put(path, "Fran\xE7" "aise\r\n");
    EXPECT_EQ(pb::ReadTextLines(path), QStringList({QString::fromUtf8("Française")}));
}

TEST(TextFile, MissingFileAndFolderGiveNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(pb::ReadTextLines(dir.filePath("none")));
    EXPECT_FALSE(pb::ReadTextLines(dir.path()));
}

TEST(TextFile, WritesCrLfInWindows1252)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    ASSERT_TRUE(pb::WriteTextFileAtomically(path, {QString::fromUtf8("Ä"), "b"}));
    EXPECT_EQ(contents(path), QByteArray("\xC4\r\nb\r\n"));
}

TEST(TextFile, AWriteThatRunsOutOfSpaceLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    put(path, "old\r\n");
    bool written = true;
    {
        pbtest::FileSizeLimit limit(1024);
        written = pb::WriteTextFileAtomically(path, {QString(4000, u'n')});
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(contents(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"x.set"})) << "no temporary file left";
}

TEST(TextFile, WriteIntoAMissingFolderFails)
{
    QTemporaryDir dir;
    EXPECT_FALSE(pb::WriteTextFileAtomically(dir.filePath("no/x.set"), {"a"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("no/x.set")));
}

TEST(TextFile, AppendAddsOneLineAtTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.log");
    ASSERT_TRUE(pb::AppendTextLine(path, "one"));
    ASSERT_TRUE(pb::AppendTextLine(path, "two"));
    EXPECT_EQ(contents(path), QByteArray("one\r\ntwo\r\n"));
}

TEST(TextFile, AnAppendThatRunsOutOfSpaceLeavesNoHalfLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.log");
    ASSERT_TRUE(pb::AppendTextLine(path, "first"));
    bool written = true;
    {
        pbtest::FileSizeLimit limit(1024);
        written = pb::AppendTextLine(path, QString(4000, u'x'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(contents(path), QByteArray("first\r\n"));
}

} // namespace
