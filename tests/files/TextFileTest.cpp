#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include "support/FileSizeLimit.h"
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstring>
#include <optional>

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

TEST(TextFile, AWriteThatRunsOutOfSpaceLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.set");
    put(path, "old\r\n");
    bool written = true;
    {
        pbtest::FileSizeLimit limit(1024);
        written = pb::WriteTextFileAtomically(path, {QString(4000, u'n')}).ok();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(contents(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"x.set"})) << "no temporary file left";
}

// Root may write anywhere; these cases need the rights of a plain user, so
// as root they run as "nobody" while the guard lives.
class AsPlainUser {
public:
    AsPlainUser() : root_(::geteuid() == 0) { active_ = !root_ || ::seteuid(65534) == 0; }
    ~AsPlainUser()
    {
        if (root_)
            (void)::seteuid(0);
    }
    bool active() const { return active_; }

private:
    bool root_;
    bool active_ = false;
};

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

struct WriteCase {
    const char* name;
    mode_t folderMode;  // of the folder that holds the file
    mode_t fileMode;    // of the old file, 0 for a folder in its place
    rlim_t sizeLimit;   // 0 for none; else a full disk beyond it
    bool written;
};

class Writing : public ::testing::TestWithParam<WriteCase> {};

// A writable file in a folder that takes no new file is written in place;
// every failure says why and leaves the old file (or folder) as it was.
TEST_P(Writing, WritesInPlaceOrLeavesTheOldFile)
{
    const WriteCase& c = GetParam();
    QTemporaryDir dir;
    setMode(dir.path(), 0755);
    const QString folder = dir.filePath("site");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/x.set";
    if (c.fileMode == 0) {
        ASSERT_TRUE(QDir().mkdir(path));
    } else {
        put(path, "old\r\n");
        setMode(path, c.fileMode);
    }
    setMode(folder, c.folderMode);

    pb::WriteOutcome outcome;
    {
        AsPlainUser user;
        ASSERT_TRUE(user.active()) << "cannot take a plain user's rights";
        std::optional<pbtest::FileSizeLimit> fullDisk;
        if (c.sizeLimit != 0)
            fullDisk.emplace(c.sizeLimit);
        outcome = pb::WriteTextFileAtomically(path, {QString(2000, u'n')});
    }
    setMode(folder, 0755);

    EXPECT_EQ(outcome.path, path);
    EXPECT_EQ(outcome.ok(), c.written) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.failure.isEmpty(), c.written);
    if (c.fileMode == 0)
        EXPECT_TRUE(QFileInfo(path).isDir());
    else
        EXPECT_EQ(contents(path), c.written ? pb::JoinCrLf({QString(2000, u'n')}) : QByteArray("old\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"x.set"}))
        << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, Writing,
    ::testing::Values(WriteCase{"InAReadOnlyFolder", 0555, 0666, 0, true},
                      WriteCase{"ReadOnlyFile", 0777, 0444, 0, false},
                      WriteCase{"FolderInTheWay", 0777, 0, 0, false},
                      WriteCase{"FullDisk", 0777, 0666, 1024, false},
                      WriteCase{"FullDiskInAReadOnlyFolder", 0555, 0666, 1024, false}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });
#endif

// Gives its bytes, then fails as a disk with a bad sector does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray bytes) : bytes_(std::move(bytes)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (given_ == bytes_.size())
            return -1;
        const qint64 n = std::min<qint64>(maxSize, bytes_.size() - given_);
        std::memcpy(data, bytes_.constData() + given_, size_t(n));
        given_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 given_ = 0;
};

TEST(TextFile, AReadErrorKeepsTheWholeLinesBeforeIt)
{
    FailingDevice device("0    ->3\r\n1    ->4\r\n2    ->1");
    EXPECT_EQ(pb::ReadTextLines(device), QStringList({"0    ->3", "1    ->4"})) << "the cut line is not taken";
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

#ifdef Q_OS_UNIX // the full disk is a file size limit, which Windows lacks
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
#endif

} // namespace
