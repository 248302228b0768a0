#include "batch/locale_dates.h"

#include <clocale>
#include <ctime>

namespace zenkar {

std::string FormattedSampleDate(const std::string& locale_name) {
  // The C library's time locale is process-wide: the old one is put back.
  const char* current = std::setlocale(LC_TIME, nullptr);
  const std::string previous = current != nullptr ? current : "C";
  if (std::setlocale(LC_TIME, locale_name.c_str()) == nullptr) std::setlocale(LC_TIME, "C");
  std::tm sample{};
  sample.tm_year = 3344 - 1900;
  sample.tm_mon = 10;
  sample.tm_mday = 22;
  char text[64] = {};
  const size_t length = std::strftime(text, sizeof text, "%x", &sample);
  std::setlocale(LC_TIME, previous.c_str());
  return std::string(text, length);
}

DatePatterns LocaleDatePatterns() { return DeriveDatePatterns(FormattedSampleDate("")); }

}  // namespace zenkar
