#include "table/stamp.h"

#include "framework/text.h"

int minuteSecondStamp(const fw::Date& when)
{
    return fw::ToInt32(fw::Val(fw::Str(when.minute()) + fw::Str(when.second())));
}
