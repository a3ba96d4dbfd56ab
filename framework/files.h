#pragma once
// Files and folders: an item by path, its text lines and the time it was
// last written.

#include "framework/date.h"
#include "framework/text.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace fw {

class FolderItem {
public:
    explicit FolderItem(const Text& path);

    // The item of that name in this folder, whether it exists or not.
    FolderItem child(const Text& name) const;
    const Text& path() const { return path_; }
    bool exists() const;

    // The file's lines without their endings. Nothing when there is no
    // plain file to read at once (none, a folder, a pipe, a device, no
    // permission, a read error); `whyNot` then says what stood in the way.
    std::optional<std::vector<Text>> readLines(Text* whyNot = nullptr) const;
    // Replaces the file whole: each line and an LF, in UTF-8, written to a
    // temporary file beside it that then takes its place, so the old file
    // stays as it was unless the new one is complete. Makes a missing
    // folder. The file is stamped with the system clock's time. False when
    // nothing was replaced.
    bool writeLines(const std::vector<Text>& lines) const;
    // The local time the file was last written; nothing when there is none.
    std::optional<Date> modificationDate() const;

private:
    Text path_;
};

// Lines of UTF-8 text: LF, CRLF and CR each end a line, and text after the
// last ending is a line of its own. A leading byte-order mark is dropped.
std::vector<Text> SplitLines(const QByteArray& bytes);

}  // namespace fw
