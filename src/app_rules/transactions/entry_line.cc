#include "app_rules/transactions/entry_line.h"

#include <cctype>

#include "common/text_field.h"
#include "ledger/account_record.h"

namespace zenkar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Upper(text[i]) != Upper(prefix[i])) return false;
  }
  return true;
}

// The digits before the decimal point, without leading zeros.
std::string_view SignificantWholeDigits(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  text = text.substr(0, text.find('.'));
  while (!text.empty() && text.front() == '0') text.remove_prefix(1);
  return text;
}

}  // namespace

bool IsAmountText(std::string_view text, bool fixed_decimal) {
  size_t at = 0;
  if (at < text.size() && text[at] == '-') ++at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  const bool has_point = at < text.size() && text[at] == '.';
  if (has_point) {
    const size_t point = at++;
    while (at < text.size() && IsDigit(text[at])) ++at;
    if (at - point - 1 > 2) return false;
  }
  if (at != text.size()) return false;
  // Below 100,000,000: at most eight significant digits of whole units, or
  // ten digits read as cents.
  const size_t most_digits = fixed_decimal && !has_point ? 10 : 8;
  return SignificantWholeDigits(text).size() <= most_digits;
}

std::optional<std::string> PastedAmount(std::string_view text, bool fixed_decimal) {
  const std::string_view trimmed = Trim(text);
  bool has_digit = false;
  for (char c : trimmed) has_digit = has_digit || IsDigit(c);
  if (!has_digit || !IsAmountText(trimmed, fixed_decimal)) return std::nullopt;
  return AmountWithTwoDecimals(trimmed, false, fixed_decimal);
}

Money AmountOf(std::string_view text, bool fixed_decimal) {
  if (!IsAmountText(text, fixed_decimal)) return Money();
  return ParseTypedAmount(text, fixed_decimal).value_or(Money()).RoundedToCents();
}

std::string AmountWithTwoDecimals(std::string_view text, bool negate, bool fixed_decimal) {
  const Money amount = AmountOf(text, fixed_decimal);
  return (negate ? -amount : amount).ToString();
}

std::optional<std::string> IncrementedReference(std::string_view reference) {
  if (reference.empty() || reference.size() > kEntryReferenceWidth) return std::nullopt;
  uint64_t number = 0;
  for (char c : reference) {
    if (!IsDigit(c)) return std::nullopt;
    number = number * 10 + static_cast<uint64_t>(c - '0');
  }
  std::string next = std::to_string(number + 1);
  if (next.size() > kEntryReferenceWidth) return std::nullopt;
  if (next.size() < reference.size()) next.insert(0, reference.size() - next.size(), '0');
  return next;
}

std::vector<AccountLine> PostingAccountLines(const ChartOfAccounts& chart) {
  std::vector<AccountLine> lines;
  for (const AccountRecord& account : chart.accounts()) {
    if (!account.IsEntry()) continue;
    const std::string number = AccountKey(account.number);
    lines.push_back({number, number + " " + std::string(Trim(account.description))});
  }
  return lines;
}

std::optional<int> AccountSearch::Find(std::string_view text) const {
  const bool by_number = IsDigit(text.front());
  for (size_t i = 0; i < lines_->size(); ++i) {
    const AccountLine& line = (*lines_)[i];
    const bool match = by_number
                           ? std::string_view(line.text).starts_with(text)
                           : StartsWithIgnoringCase(
                                 std::string_view(line.text).substr(line.number.size() + 1), text);
    if (match) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> AccountSearch::Type(char c) {
  if (typed_.empty() && !IsDigit(c) && !IsLetter(c)) return std::nullopt;
  const std::string candidate = typed_ + c;
  std::optional<int> found = Find(candidate);
  if (found) typed_ = candidate;
  return found;
}

std::optional<int> AccountSearch::Backspace() {
  if (!typed_.empty()) typed_.pop_back();
  if (typed_.empty()) return std::nullopt;
  return Find(typed_);
}

std::optional<int> AccountLineOf(const std::vector<AccountLine>& lines, std::string_view number) {
  if (Trim(number).empty()) return std::nullopt;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (SameAccount(lines[i].number, number)) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<std::string> OfferedAccount(const PayeeList& payees,
                                          const std::vector<AccountLine>& lines,
                                          std::string_view payee_text) {
  const int32_t number = PayeeNumberOf(payees, payee_text);
  if (number == 0) return std::nullopt;
  const std::optional<int> line = AccountLineOf(lines, payees.payee(number).default_account);
  if (!line) return std::nullopt;
  return std::string(Trim(lines[*line].number));
}

int32_t PayeeNumberOf(const PayeeList& payees, std::string_view text) {
  if (Trim(text).empty()) return 0;
  return payees.FindPayeeByName(text);
}

TransactionRecord BuildEntryRecord(int32_t kind, const EntryLine& line, const PayeeList& payees,
                                   bool fixed_decimal) {
  TransactionRecord record;
  ClearTransaction(record);
  record.kind = kind;
  record.unprinted = 1;
  record.description = FitText(line.payee, kEntryPayeeWidth);
  record.payee_number = PayeeNumberOf(payees, line.payee);
  record.reference = FitText(line.reference, kEntryReferenceWidth);
  record.account = AccountKey(line.account);
  record.date = line.date;
  record.amount = AmountOf(line.amount, fixed_decimal);
  if (kind == kJournalLine) record.ytd = line.ytd ? 1 : 0;
  return record;
}

TransactionRecord ApplyEntryLine(const TransactionRecord& stored, const EntryLine& line,
                                 const PayeeList& payees, bool fixed_decimal) {
  TransactionRecord record = stored;
  const std::string payee = FitText(line.payee, kEntryPayeeWidth);
  // A payee text left as it was keeps its stored number, which may name a
  // payee renamed since; a changed text is looked up again.
  if (TrimRight(payee) != TrimRight(stored.description)) {
    record.description = payee;
    record.payee_number = PayeeNumberOf(payees, line.payee);
  }
  if (Trim(line.reference) != Trim(stored.reference)) {
    record.reference = FitText(line.reference, kEntryReferenceWidth);
  }
  if (!SameAccount(line.account, stored.account)) record.account = AccountKey(line.account);
  record.date = line.date;
  const Money amount = AmountOf(line.amount, fixed_decimal);
  if (amount != stored.amount.RoundedToCents()) record.amount = amount;
  return record;
}

EntryLine EntryLineOf(const TransactionRecord& record) {
  EntryLine line;
  line.payee = std::string(TrimRight(record.description));
  line.reference = std::string(Trim(record.reference));
  line.date = record.date;
  line.account = std::string(Trim(record.account));
  line.amount = record.amount.ToString();
  line.ytd = record.ytd != 0;
  return line;
}

}  // namespace zenkar
