#include "updater/checker_request.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "common/text_field.h"

namespace zenkar {
namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t comma; (comma = line.find(',')) != std::string_view::npos;) {
    fields.push_back(Trim(line.substr(0, comma)));
    line.remove_prefix(comma + 1);
  }
  fields.push_back(Trim(line));
  return fields;
}

bool IsIdentity(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c));
  });
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return IsControlCharacter(static_cast<unsigned char>(c)); });
}

}  // namespace

std::optional<CheckerRequest> ParseCheckerRequest(std::string_view command_line) {
  const std::vector<std::string_view> fields = SplitAtCommas(command_line);
  if (fields.size() != 4 || !IsIdentity(fields[0]) ||
      std::any_of(fields.begin(), fields.end(), HasControlCharacter)) {
    return std::nullopt;
  }
  return CheckerRequest{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
                        RevisionNumber(fields[3])};
}

long RevisionNumber(std::string_view text) {
  text = Trim(text);
  const size_t digits_from = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t digits_end = std::find_if_not(text.begin() + digits_from, text.end(),
                                             [](char c) { return c >= '0' && c <= '9'; }) -
                            text.begin();
  long value = 0;
  const bool read = std::from_chars(text.data(), text.data() + digits_end, value).ec == std::errc();
  return read ? value : 0;
}

std::string InstallerName(std::string_view identity) {
  if (identity == "KXPR") return "InstallZenkarPR.exe";
  if (identity == "KXACCT") return "InstallZenkarAC.exe";
  return "InstallZenkarAR.exe";
}

std::string ProductName(std::string_view identity) {
  if (identity == "KXAR") return "Accounts Receivable";
  if (identity == "KXPR") return "Payroll";
  if (identity == "KXACCT") return "Zenkar Accounting";
  return std::string(identity);
}

std::string_view RevisionKey(std::string_view identity) {
  if (identity == "KXAR") return "AR";
  if (identity == "KXPR") return "PR";
  if (identity == "KXACCT") return "AC";
  return "";
}

}  // namespace zenkar
