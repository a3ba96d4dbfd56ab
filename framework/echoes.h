#pragma once
// The heights the program asked of a shown window. The window system reports
// them back later, once the handler that asked has returned, each in turn,
// merged into the last, or not at all: such a report is no resize by the
// player.

#include <cstdint>
#include <vector>

namespace fw {

class SizeEchoes {
public:
    void asked(int height, std::int64_t now);
    // A height the window hears: true when it answers the program's growth.
    bool isEcho(int height, std::int64_t now) const;
    // True when the height is the last one asked: once the window has heard
    // it, the growth is answered.
    bool isLast(int height) const { return !heights_.empty() && height == heights_.back(); }
    // Counts every height asked, so that a growth can tell a later one.
    std::uint64_t asks() const { return asks_; }
    void clear() { heights_.clear(); }

private:
    bool answering(std::int64_t now) const;

    std::vector<int> heights_;  // the last asked at the end
    std::int64_t askedAt_ = 0;
    std::uint64_t asks_ = 0;
};

}  // namespace fw
