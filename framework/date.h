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

    // Each setter changes its field and keeps the others; values out of
    // range roll over into the neighbouring fields.
    void setHour(int hour);
    void setMinute(int minute);

private:
    void setTimeOfDay(std::int64_t hour, std::int64_t minute, std::int64_t second);
    std::int64_t msecs_;
};

}  // namespace fw
