#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

#ifdef Q_OS_UNIX
mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// Sets the umask for one test and puts the old one back.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

TEST(TextFile, ANewFileGetsTheModeTheUmaskGives)
{
    QTemporaryDir dir;
    {
        Umask umask(022);
        ASSERT_TRUE(pb::WriteTextFileAtomically(dir.filePath("a.set"), {"a"}));
    }
    EXPECT_EQ(modeOf(dir.filePath("a.set")), 0644u);
    {
        Umask umask(027);
        ASSERT_TRUE(pb::WriteTextFileAtomically(dir.filePath("b.set"), {"b"}));
    }
    EXPECT_EQ(modeOf(dir.filePath("b.set")), 0640u);
}

TEST(TextFile, ARewrittenFileKeepsItsMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    put(path, "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    Umask umask(022);
    ASSERT_TRUE(pb::WriteTextFileAtomically(path, {"new"}));
    EXPECT_EQ(modeOf(path), 0604u);
    EXPECT_EQ(contents(path), QByteArray("new\r\n"));
}
#endif

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
