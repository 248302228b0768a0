// Clock: today's date and the local time, as a port so tests can fix them.
//
// "Today" is the date part of the UTC system time as a day number: every
// screen that defaults or limits a date by today uses it.
#ifndef ZENKAR_COMMON_CLOCK_H_
#define ZENKAR_COMMON_CLOCK_H_

#include "common/day_number.h"

namespace zenkar {

struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The UTC date as a day number.
  virtual DayNumber Today() const = 0;
  virtual LocalDateTime LocalNow() const = 0;
  // Local time minus UTC, in minutes (60 for Central European winter time).
  virtual int UtcOffsetMinutes() const = 0;
};

// The machine's clock; lives for the whole program.
Clock& SystemClock();

}  // namespace zenkar

#endif  // ZENKAR_COMMON_CLOCK_H_
