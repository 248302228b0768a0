#include "ledger/transaction_search.h"

#include <algorithm>
#include <array>

#include "common/date_patterns.h"
#include "common/text_field.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

// Windows-1252 capitals: a-z, the accented small letters of 0xE0-0xFE (but
// the division sign 0xF7) and the four small letters above 0x80 whose
// capitals live elsewhere in the code page.
constexpr std::array<unsigned char, 256> CapitalsTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 0x20);
  }
  table[0x9A] = 0x8A;  // s caron
  table[0x9C] = 0x8C;  // oe
  table[0x9E] = 0x8E;  // z caron
  table[0xFF] = 0x9F;  // y diaeresis
  return table;
}
constexpr std::array<unsigned char, 256> kCapitals = CapitalsTable();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when every character of `text` is a digit or one of `others`.
bool OnlyDigitsAnd(std::string_view text, std::string_view others) {
  return std::all_of(text.begin(), text.end(), [others](char c) {
    return IsDigit(c) || others.find(c) != std::string_view::npos;
  });
}

// The characters a date written with `pattern` may hold besides digits; all
// of them (nothing to rule out) when the pattern names months.
std::optional<std::string> DateLiterals(std::string_view pattern) {
  if (pattern.find("MMM") != std::string_view::npos) return std::nullopt;
  std::string literals;
  for (char c : pattern) {
    if (c != '\'' && c != 'd' && c != 'M' && c != 'y') literals += c;
  }
  return literals;
}

}  // namespace

std::string_view SearchFieldCaption(SearchField field) {
  switch (field) {
    case SearchField::kDescription:
      return "Description/Payee: ";
    case SearchField::kReference:
      return "Ref./Ck Num: ";
    case SearchField::kAccount:
      return "Acct: ";
    case SearchField::kAmount:
      return "Amt: ";
    case SearchField::kDate:
      return "Check Date: ";
    case SearchField::kInvoiceNumber:
      return "Invoice Number: ";
  }
  return {};
}

std::string Capitals(std::string_view text) {
  std::string capitals(text);
  for (char& c : capitals) c = static_cast<char>(kCapitals[static_cast<unsigned char>(c)]);
  return capitals;
}

TransactionSearch::TransactionSearch(std::string_view text, std::string date_pattern)
    : capitals_(Capitals(text)), date_pattern_(std::move(date_pattern)) {
  may_be_amount_ = OnlyDigitsAnd(capitals_, "-.");
  const std::optional<std::string> literals = DateLiterals(date_pattern_);
  may_be_date_ = !literals || OnlyDigitsAnd(capitals_, *literals);
}

bool TransactionSearch::Holds(std::string_view field) const {
  if (field.size() < capitals_.size()) return false;
  // The widest field is 40 characters.
  std::array<char, 64> buffer;
  const size_t size = std::min(field.size(), buffer.size());
  for (size_t i = 0; i < size; ++i) {
    buffer[i] = static_cast<char>(kCapitals[static_cast<unsigned char>(field[i])]);
  }
  return std::string_view(buffer.data(), size).find(capitals_) != std::string_view::npos;
}

const std::string& TransactionSearch::DateText(DayNumber day) const {
  if (day != last_day_) {
    last_day_ = day;
    last_date_text_ = FormatDate(day, date_pattern_);
  }
  return last_date_text_;
}

std::optional<SearchField> TransactionSearch::FieldHolding(std::string_view record) const {
  if (capitals_.empty()) return std::nullopt;
  const LineTexts texts = ReadLineTexts(record);
  if (Holds(TrimRight(texts.description))) return SearchField::kDescription;
  if (Holds(Trim(texts.reference))) return SearchField::kReference;
  if (Holds(Trim(texts.account))) return SearchField::kAccount;
  if (may_be_amount_ || may_be_date_) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (may_be_amount_ && Holds(facts.amount.ToString())) return SearchField::kAmount;
    if (may_be_date_ && Holds(DateText(facts.date))) return SearchField::kDate;
  }
  if (Holds(Trim(texts.invoice_number))) return SearchField::kInvoiceNumber;
  return std::nullopt;
}

std::string TransactionSearch::MatchLine(std::string_view record, SearchField field) const {
  const LineTexts texts = ReadLineTexts(record);
  std::string value;
  switch (field) {
    case SearchField::kDescription:
      value = TrimRight(texts.description);
      break;
    case SearchField::kReference:
      value = Trim(texts.reference);
      break;
    case SearchField::kAccount:
      value = Trim(texts.account);
      break;
    case SearchField::kAmount:
      value = ReadTransactionFacts(record).amount.ToString();
      break;
    case SearchField::kDate:
      value = FormatDate(ReadTransactionFacts(record).date, date_pattern_);
      break;
    case SearchField::kInvoiceNumber:
      value = Trim(texts.invoice_number);
      break;
  }
  return std::string(SearchFieldCaption(field)) + value;
}

bool FindTransactions(const Ledger& ledger, const TransactionSearch& search,
                      std::vector<SearchHit>* hits) {
  hits->clear();
  const bool read = ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    if (const std::optional<SearchField> field = search.FieldHolding(record)) {
      hits->push_back({number, *field});
    }
  });
  std::reverse(hits->begin(), hits->end());
  return read;
}

}  // namespace zenkar
