#include "ledger/chart_text.h"

#include <charconv>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr size_t kDescriptionWidth = 40;

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t bar = line.find('|'); bar != std::string_view::npos; bar = line.find('|', start)) {
    fields.push_back(Trim(line.substr(start, bar - start)));
    start = bar + 1;
  }
  fields.push_back(Trim(line.substr(start)));
  return fields;
}

bool ReadNumber(std::string_view text, int low, int high, int32_t* value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size() && *value >= low &&
         *value <= high;
}

Status LineError(int line_number, std::string_view problem) {
  return Status::InvalidFile("chart text line " + std::to_string(line_number) + ": " +
                             std::string(problem));
}

Status ParseAccount(const std::vector<std::string_view>& fields, int line_number,
                    AccountRecord* account) {
  if (fields.size() != 5) return LineError(line_number, "expected 5 fields separated by |");
  if (fields[0].empty() || fields[0].size() > kAccountNumberWidth) {
    return LineError(line_number, "the account number must be 1 to 4 characters");
  }
  if (!ReadNumber(fields[1], kAssets, kNetProfit, &account->type)) {
    return LineError(line_number, "the account type must be 1 to 9");
  }
  if (!ReadNumber(fields[2], 1, 9, &account->total_level)) {
    return LineError(line_number, "the total level must be 1 to 9");
  }
  if (!ReadNumber(fields[3], kEntryAccount, kBalanceSheetProfit, &account->title_type)) {
    return LineError(line_number, "the title type must be 0 to 5");
  }
  if (fields[4].size() > kDescriptionWidth) {
    return LineError(line_number, "the description is longer than 40 characters");
  }
  account->number = AccountKey(fields[0]);
  account->description = std::string(fields[4]);
  return Status::Ok();
}

}  // namespace

Status ParseChartText(std::string_view text, std::vector<AccountRecord>* accounts) {
  std::vector<AccountRecord> read;
  int line_number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line_number;
    if (line.empty() || line.front() == '#') continue;
    AccountRecord account;
    if (Status s = ParseAccount(SplitFields(line), line_number, &account); !s.ok()) return s;
    if (!read.empty() && !AccountNumberLess(read.back().number, account.number)) {
      return LineError(line_number, "accounts must be in chart order without repeats");
    }
    read.push_back(std::move(account));
  }
  *accounts = std::move(read);
  return Status::Ok();
}

}  // namespace zenkar
