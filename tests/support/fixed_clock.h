// FixedClock: a Clock whose time a test sets.
#ifndef ZENKAR_TESTS_SUPPORT_FIXED_CLOCK_H_
#define ZENKAR_TESTS_SUPPORT_FIXED_CLOCK_H_

#include "common/clock.h"

namespace zenkar::testing {

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime now = {2026, 3, 14, 9, 30, 0}, int utc_offset_minutes = 60)
      : now_(now), utc_offset_minutes_(utc_offset_minutes) {}

  void Set(LocalDateTime now) { now_ = now; }
  DayNumber Today() const override { return *MakeDayNumber(now_.year, now_.month, now_.day); }
  LocalDateTime LocalNow() const override { return now_; }
  int UtcOffsetMinutes() const override { return utc_offset_minutes_; }

 private:
  LocalDateTime now_;
  int utc_offset_minutes_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_FIXED_CLOCK_H_
