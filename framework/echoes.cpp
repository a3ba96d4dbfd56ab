#include "framework/echoes.h"

#include <algorithm>

namespace fw {

namespace {

// The window system answers within moments of the last height asked; a
// report later than this is the player's, whatever its value. Ticks are
// sixtieths of a second.
constexpr std::int64_t answerTicks = 60;

}  // namespace

bool SizeEchoes::answering(std::int64_t now) const { return !heights_.empty() && now - askedAt_ <= answerTicks; }

void SizeEchoes::asked(int height, std::int64_t now)
{
    if (!answering(now))
        heights_.clear();
    std::erase(heights_, height);
    heights_.push_back(height);
    askedAt_ = now;
    ++asks_;
}

bool SizeEchoes::isEcho(int height, std::int64_t now) const
{
    return answering(now) && std::find(heights_.begin(), heights_.end(), height) != heights_.end();
}

}  // namespace fw
