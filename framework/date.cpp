#include "framework/date.h"

#include "framework/system.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

// Far enough for any real clock, near enough that QDateTime stays valid.
constexpr std::int64_t maxMSecs = 4102444800000LL * 10;

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
    const QDateTime now = local(msecs_);
    const QDateTime midnight(now.date(), QTime(0, 0));
    const std::int64_t ms = now.time().msec();
    const std::int64_t offset = ((hour * 60 + minute) * 60 + second) * 1000 + ms;
    const std::int64_t wanted = midnight.toMSecsSinceEpoch() + offset;
    msecs_ = std::clamp(wanted, -maxMSecs, maxMSecs);
}

}  // namespace fw
