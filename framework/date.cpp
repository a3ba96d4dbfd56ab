#include "framework/date.h"

#include "framework/system.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

// Far enough for any real clock, near enough that QDateTime stays valid.
constexpr std::int64_t maxMSecs = 4102444800000LL * 10;
constexpr std::int64_t msecsPerDay = 24LL * 60 * 60 * 1000;
constexpr std::int64_t maxOffset = 14LL * 60 * 60 * 1000;

QDateTime local(std::int64_t msecs) { return QDateTime::fromMSecsSinceEpoch(msecs); }

}  // namespace

Date::Date() : msecs_(system().nowMSecs()) {}

Date Date::fromMSecs(std::int64_t msecsSinceEpoch)
{
    Date d;
    d.msecs_ = std::clamp(msecsSinceEpoch, -maxMSecs, maxMSecs);
    return d;
}

double Date::totalSeconds() const { return static_cast<double>(msecs_) / 1000.0; }

void Date::setTotalSeconds(double seconds)
{
    if (std::isnan(seconds))
        return;
    const double ms = std::clamp(seconds * 1000.0, -double(maxMSecs), double(maxMSecs));
    msecs_ = static_cast<std::int64_t>(ms);
}

int Date::day() const { return local(msecs_).date().day(); }
int Date::hour() const { return local(msecs_).time().hour(); }
int Date::minute() const { return local(msecs_).time().minute(); }
int Date::second() const { return local(msecs_).time().second(); }

void Date::setHour(int hour) { setTimeOfDay(hour, minute(), second()); }
void Date::setMinute(int minute) { setTimeOfDay(hour(), minute, second()); }

void Date::setTimeOfDay(std::int64_t hour, std::int64_t minute, std::int64_t second)
{
    // The wanted local time as if it were UTC; the instant lies one
    // offset from it, and the offset itself depends on the instant.
    const QDateTime now = local(msecs_);
    const std::int64_t days = QDate(1970, 1, 1).daysTo(now.date());
    const std::int64_t wall =
        days * msecsPerDay + ((hour * 60 + minute) * 60 + second) * 1000 + now.time().msec();
    const auto offsetAt = [](std::int64_t msecs) {
        return std::int64_t{local(std::clamp(msecs, -maxMSecs, maxMSecs)).offsetFromUtc()} * 1000;
    };
    // Zones keep within 14 hours of UTC, so these two offsets frame any
    // clock change the wanted time can fall in.
    const std::int64_t before = offsetAt(wall - 2 * maxOffset), after = offsetAt(wall + 2 * maxOffset);
    const auto fits = [&](std::int64_t offset) { return offsetAt(wall - offset) == offset; };
    // A time that comes twice keeps the offset it had, or else is the
    // first of the two; a time the clocks skipped moves on by the skip.
    std::int64_t offset = before;
    for (const std::int64_t tried : {after, before, std::int64_t{now.offsetFromUtc()} * 1000})
        if (fits(tried))
            offset = tried;
    msecs_ = std::clamp(wall - offset, -maxMSecs, maxMSecs);
}

}  // namespace fw
