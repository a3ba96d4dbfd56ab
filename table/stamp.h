#pragma once
// The minute-second stamp: the minute and the second of a time written one
// after the other ("125" at 10:12:05) and read back as a number. A deal
// asked for while the stamp equals the last one stored is ignored.

#include "framework/date.h"

int minuteSecondStamp(const fw::Date& when);
