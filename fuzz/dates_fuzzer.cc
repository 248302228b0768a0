// Fuzz target: dates as the programs read and write them.
//
// The input's first four bytes are a stored day number (any value a record
// may hold), the fifth an accounting year's start month (as the settings
// hold it) and the rest a text: the locale's sample date the date patterns
// are derived from, a date pattern, and a date typed on kxbatch's command
// line (yyyy-mm-dd, yyyy-mm, yyyy-Qn). A typed date that is accepted writes
// back as the same text; a valid day number written and typed again is the
// same day, lies in its month and in its accounting year. Day numbers
// outside the calendar still format without a fault, and the Month and
// Quarter lists of the Reports tab are built from any day numbers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/command_line.h"
#include "common/byte_codec.h"
#include "common/date_patterns.h"
#include "common/day_number.h"
#include "fuzz/fuzz_support.h"
#include "output/report_period.h"

namespace {

using zenkar::DayNumber;
using zenkar::fuzzing::Require;

constexpr std::string_view kIsoDate = "yyyy'-'MM'-'dd";
constexpr std::string_view kIsoMonth = "yyyy'-'MM";

void CheckTypedDates(std::string_view text) {
  if (const std::optional<DayNumber> day = zenkar::ParseIsoDate(text)) {
    Require(zenkar::FormatDate(*day, kIsoDate) == text, "a typed date writes back");
  }
  if (const std::optional<zenkar::ReportPeriod> month = zenkar::ParseMonth(text)) {
    Require(zenkar::FormatDate(month->first, kIsoMonth) == text, "a typed month writes back");
  }
  if (const std::optional<zenkar::ReportPeriod> quarter = zenkar::ParseQuarter(text)) {
    Require(quarter->first <= quarter->last, "a quarter has days");
  }
}

void CheckValidDay(DayNumber day, int start_month) {
  if (day == zenkar::kNoDate || day < zenkar::kFirstDayNumber || day > zenkar::kLastDayNumber) {
    return;
  }
  const std::string iso = zenkar::FormatDate(day, kIsoDate);
  Require(zenkar::ParseIsoDate(iso) == day, "a day written and typed again is the same day");
  const std::optional<zenkar::ReportPeriod> month = zenkar::ParseMonth(iso.substr(0, 7));
  Require(month && month->first <= day && day <= month->last, "a day lies in its month");
  const zenkar::AccountingYear year = zenkar::AccountingYearOf(day, start_month);
  Require(year.first <= day && day <= year.last, "a day lies in its accounting year");
}

void CheckDateLists(std::string_view bytes) {
  std::vector<DayNumber> days;
  for (size_t at = 0; at + 4 <= bytes.size(); at += 4) days.push_back(zenkar::GetInt32(bytes, at));
  const zenkar::ReportDateLists lists = zenkar::ReportDateListsOf(days);
  for (size_t i = 1; i < lists.months.size(); ++i) {
    Require(lists.months[i - 1].period.last < lists.months[i].period.first,
            "months are listed oldest first, each once");
  }
  for (size_t i = 1; i < lists.quarters.size(); ++i) {
    Require(lists.quarters[i - 1].period.last < lists.quarters[i].period.first,
            "quarters are listed oldest first, each once");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string head(zenkar::fuzzing::BytesOf(data, std::min<size_t>(size, 5)));
  head.resize(5, '\0');
  const DayNumber day = zenkar::GetInt32(head, 0);
  const int start_month = static_cast<int8_t>(head[4]);
  const std::string_view text =
      zenkar::fuzzing::BytesOf(data, size).substr(std::min<size_t>(size, 5));

  const zenkar::DatePatterns patterns = zenkar::DeriveDatePatterns(text);
  for (const std::string& pattern :
       {patterns.numeric, patterns.long_form, patterns.medium, patterns.numeric_short_year}) {
    zenkar::FormatDate(day, pattern);
  }
  zenkar::FormatDate(day, text);
  CheckTypedDates(text);
  CheckValidDay(day, start_month);
  CheckDateLists(zenkar::fuzzing::BytesOf(data, size));
  return 0;
}
