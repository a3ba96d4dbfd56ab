// Files: lines in any line ending, whole and atomic replacement, the
// modification time.

#include "support.h"

#include "framework/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>


using fw::Text;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

using FilesTest = GameTest;

}  // namespace

TEST(SplitLines, AcceptsLfCrLfAndCrEndings)
{
    const struct {
        QByteArray bytes;
        std::vector<Text> lines;
    } cases[] = {
        {"", {}},
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

TEST_F(FilesTest, WritesUtf8LinesWholeStampedWithTheClockIntoAFolderItMakes)
{
    const QDateTime when(QDate(2026, 3, 14), QTime(9, 58, 40));
    sys.setNow(when);
    const QString folder = prefs.path() + "/new/deeper";
    const fw::FolderItem file = fw::FolderItem(folder).child("f.txt");
    EXPECT_EQ(file.readLines(), std::nullopt);
    EXPECT_EQ(file.modificationDate(), std::nullopt);

    ASSERT_TRUE(file.writeLines({"tgb 0", "åäö", "", "é"}));
    EXPECT_EQ(contents(file.path()), QByteArray("tgb 0\n\xC3\xA5\xC3\xA4\xC3\xB6\n\n\xC3\xA9\n"));
    EXPECT_EQ(file.readLines(), (std::vector<Text>{"tgb 0", "åäö", "", "é"}));
    const std::optional<fw::Date> modified = file.modificationDate();
    ASSERT_TRUE(modified.has_value());
    EXPECT_EQ(modified->totalSeconds(), when.toMSecsSinceEpoch() / 1000.0);

    ASSERT_TRUE(file.writeLines({"x"}));
    EXPECT_EQ(contents(file.path()), "x\n") << "a shorter file replaces a longer one whole";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
}

TEST_F(FilesTest, FailedWriteLeavesWhatWasThereAndNoTemporaryFile)
{
    const fw::FolderItem file = fw::FolderItem(prefs.path()).child("f.txt");
    const std::vector<Text> lines{"0", "0", "0", "1", "0", "1", "1", "7", "a", "b", "c", "d", "e", "10:3"};
    ASSERT_TRUE(file.writeLines({"1", "tgb 0"}));
    {
        const FullDisk full;
        EXPECT_FALSE(file.writeLines(lines));
    }
    EXPECT_EQ(contents(file.path()), "1\ntgb 0\n");
    EXPECT_EQ(QDir(prefs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});

    // A folder in the file's place is neither read nor replaced.
    ASSERT_TRUE(QFile::remove(file.path()) && QDir(prefs.path()).mkdir("f.txt"));
    EXPECT_EQ(file.readLines(), std::nullopt);
    EXPECT_FALSE(file.writeLines(lines));
    EXPECT_TRUE(QFileInfo(file.path()).isDir());
    EXPECT_EQ(QDir(prefs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}
