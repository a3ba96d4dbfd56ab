#include "framework/files.h"

#include "framework/system.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

FolderItem::FolderItem(const Text& path) : path_(path) {}

FolderItem FolderItem::child(const Text& name) const { return FolderItem(QDir(path_).filePath(name)); }

bool FolderItem::exists() const { return QFileInfo::exists(path_); }

std::optional<std::vector<Text>> FolderItem::readLines(Text* whyNot) const
{
    const auto fail = [whyNot](const Text& why) {
        if (whyNot)
            *whyNot = why;
        return std::nullopt;
    };
    // Opened without waiting and looked at before reading: a pipe or a
    // device in the file's place must not hold up the caller.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("not a plain file"));
    }
    // The game's text files are a few lines long; a huge one is damaged,
    // and reading it whole would exhaust the memory.
    constexpr off_t largestText = 1 << 20;
    if (status.st_size > largestText) {
        ::close(fd);
        return fail(QStringLiteral("larger than a megabyte"));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return SplitLines(bytes);
}

bool FolderItem::writeLines(const std::vector<Text>& lines) const
{
    QByteArray bytes;
    for (const Text& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    const QFileInfo info(path_);
    QSaveFile file(info.absoluteFilePath());
    const bool written = QDir().mkpath(info.absolutePath()) && file.open(QIODevice::WriteOnly) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (written) {
        // Stamped before the rename, so the file never shows another time.
        // The game's clock is the one that later compares with this stamp.
        file.setFileTime(QDateTime::fromMSecsSinceEpoch(system().nowMSecs()), QFileDevice::FileModificationTime);
    }
    // An uncommitted save file is discarded, leaving the old file alone.
    if (!written || !file.commit()) {
        qWarning("Could not write %s: %s", qPrintable(path_), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

std::optional<Date> FolderItem::modificationDate() const
{
    const QDateTime modified = QFileInfo(path_).lastModified();
    if (!modified.isValid())
        return std::nullopt;
    return Date::fromMSecs(modified.toMSecsSinceEpoch());
}

std::vector<Text> SplitLines(const QByteArray& bytes)
{
    // By default the decoder drops a leading byte-order mark.
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    std::vector<Text> lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r') {
            lines.push_back(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < size)
        lines.push_back(text.mid(start));
    return lines;
}

}  // namespace fw
