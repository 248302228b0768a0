#include "common/clock.h"

#include <ctime>

namespace zenkar {
namespace {

class MachineClock : public Clock {
 public:
  DayNumber Today() const override {
    std::time_t now = std::time(nullptr);
    std::tm utc;
    gmtime_r(&now, &utc);
    return *MakeDayNumber(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday);
  }

  LocalDateTime LocalNow() const override {
    std::time_t now = std::time(nullptr);
    std::tm local;
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }

  int UtcOffsetMinutes() const override {
    std::time_t now = std::time(nullptr);
    std::tm local;
    localtime_r(&now, &local);
    return static_cast<int>(local.tm_gmtoff / 60);
  }
};

}  // namespace

Clock& SystemClock() {
  static MachineClock* clock = new MachineClock();
  return *clock;
}

}  // namespace zenkar
