// Files: lines in any line ending, whole and atomic replacement, the
// modification time.

#include "support.h"

#include "framework/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using fw::Text;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// Lowers the largest file this process may write, as a full disk would
// stop it; works for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

using FilesTest = GameTest;

}  // namespace

TEST(SplitLines, AcceptsLfCrLfAndCrEndings)
{
    const struct {
        QByteArray bytes;
        std::vector<Text> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"\xEF\xBB\xBF" "1\n0\n", {"1", "0"}},
        {"\xC3\xA5\xC3\xA4\xC3\xB6 \xC3\xA9\n", {"åäö é"}},
        {"x\xFFy\n", {"x\uFFFDy"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::SplitLines(c.bytes), c.lines) << "bytes " << c.bytes.toPercentEncoding().toStdString();
}

TEST_F(FilesTest, WritesUtf8WithLfAndReadsItBack)
{
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.readLines(), std::nullopt);
    EXPECT_EQ(file.modificationDate(), std::nullopt);

    put(file.path(), "an older and much longer file\r\nwith two lines\r\n");
    ASSERT_TRUE(file.writeLines({"tgb 0", "åäö", "", "é"}));
    EXPECT_EQ(contents(file.path()), QByteArray("tgb 0\n\xC3\xA5\xC3\xA4\xC3\xB6\n\n\xC3\xA9\n"));
    EXPECT_EQ(file.readLines(), (std::vector<Text>{"tgb 0", "åäö", "", "é"}));
    EXPECT_EQ(QDir(prefs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
}

TEST_F(FilesTest, WrittenFileCarriesTheClockTimeAsItsModificationDate)
{
    const QDateTime when(QDate(2026, 3, 14), QTime(9, 58, 40));
    sys.setNow(when);
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    ASSERT_TRUE(file.writeLines({"x"}));
    const std::optional<fw::Date> modified = file.modificationDate();
    ASSERT_TRUE(modified.has_value());
    EXPECT_EQ(modified->totalSeconds(), when.toMSecsSinceEpoch() / 1000.0);
}

TEST_F(FilesTest, MissingFoldersAreMade)
{
    const fw::FolderItem file = fw::FolderItem(prefs.path() + "/new/deeper").child("f.txt");
    ASSERT_TRUE(file.writeLines({"x"}));
    EXPECT_EQ(contents(file.path()), "x\n");
}

TEST_F(FilesTest, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile)
{
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    const QByteArray old = "1\n1\n1\n0\n1\n0\n0\n-1\ntgb 0\nqaz1\nwsx2\nedc3\nrfv4\n0\n";
    put(file.path(), old);
    {
        const FileSizeLimit diskFull(8);
        EXPECT_FALSE(file.writeLines({"0", "0", "0", "1", "0", "1", "1", "7", "a", "b", "c", "d", "e", "10:3"}));
    }
    EXPECT_EQ(contents(file.path()), old);
    EXPECT_EQ(QDir(prefs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
}

TEST_F(FilesTest, ReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    put(file.path(), "old\n");
    QFile::setPermissions(prefs.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool written = file.writeLines({"new"});
    QFile::setPermissions(prefs.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_EQ(contents(file.path()), "old\n");
}

TEST_F(FilesTest, AFolderInTheFilesPlaceIsNeitherReadNorReplaced)
{
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    ASSERT_TRUE(QDir(prefs.path()).mkdir("f.txt"));
    EXPECT_EQ(file.readLines(), std::nullopt);
    EXPECT_FALSE(file.writeLines({"x"}));
    EXPECT_TRUE(QFileInfo(file.path()).isDir());
}
