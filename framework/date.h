#pragma once
// Local date and time with settable fields. A new Date holds the current
// local time of the system clock.

#include <cstdint>

namespace fw {

class Date {
public:
    Date();
    static Date fromMSecs(std::int64_t msecsSinceEpoch);

    double totalSeconds() const;
    void setTotalSeconds(double seconds);

    int day() const;
    int hour() const;
    int minute() const;
    int second() const;

    // Each setter changes its field of the local time and keeps the others,
    // also across a clock change; values out of range roll over into the
    // neighbouring fields. A time the clocks skip moves on by the skip; a
    // time that comes twice keeps its offset from UTC when it can, or else
    // is the first of the two.
    void setHour(int hour);
    void setMinute(int minute);

private:
    void setTimeOfDay(std::int64_t hour, std::int64_t minute, std::int64_t second);
    std::int64_t msecs_;
};

}  // namespace fw
