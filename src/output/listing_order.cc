#include "output/listing_order.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsNumber(std::string_view text) {
  return !text.empty() && text.size() <= 9 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// -1, 0 or 1 as `a` comes before, with or after `b`.
template <typename T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareTexts(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return Compare(a.size(), b.size());
}

// Check numbers: numbers by their value and before any other reference,
// which compare as texts.
int CompareReferences(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  const bool a_number = IsNumber(a);
  const bool b_number = IsNumber(b);
  if (a_number != b_number) return a_number ? -1 : 1;
  if (a_number) return Compare(std::stol(std::string(a)), std::stol(std::string(b)));
  return CompareTexts(a, b);
}

int CompareAccounts(std::string_view a, std::string_view b) {
  if (AccountNumberLess(a, b)) return -1;
  return AccountNumberLess(b, a) ? 1 : 0;
}

int CompareBy(EntryOrder order, const ListedLine& a, const ListedLine& b, const PayeeList& payees) {
  switch (order) {
    case EntryOrder::kOrderEntered:
    case EntryOrder::kDate:
      return 0;
    case EntryOrder::kPayee:
      return CompareTexts(PayeeTextOf(a, payees), PayeeTextOf(b, payees));
    case EntryOrder::kInvoiceDate:
      return Compare(a.invoice_date, b.invoice_date);
    case EntryOrder::kDueDate:
      return Compare(a.due_date, b.due_date);
    case EntryOrder::kDescription:
      return CompareTexts(a.description, b.description);
    case EntryOrder::kCheckNumber:
      return CompareReferences(a.reference, b.reference);
    case EntryOrder::kInvoiceNumber:
      return CompareTexts(a.invoice_number, b.invoice_number);
    case EntryOrder::kAccount:
      return CompareAccounts(a.account, b.account);
    case EntryOrder::kAmount:
      return Compare(a.amount, b.amount);
  }
  return 0;
}

// The day a line stands on in the order: its date, or an invoice's own.
DayNumber DayOf(const ListedLine& line) {
  if (line.date != kNoDate) return line.date;
  return line.invoice_date != kNoDate ? line.invoice_date : line.due_date;
}

bool Before(EntryOrder order, const ListedLine& a, const ListedLine& b, const PayeeList& payees) {
  if (const int c = CompareBy(order, a, b, payees); c != 0) return c < 0;
  if (order != EntryOrder::kOrderEntered) {
    if (const int c = Compare(DayOf(a), DayOf(b)); c != 0) return c < 0;
  }
  if (const int c = Compare(a.entry_sequence, b.entry_sequence); c != 0) return c < 0;
  return a.record_number < b.record_number;
}

}  // namespace

std::string_view EntryOrderLabel(EntryOrder order) {
  return kEntryOrderLabels[static_cast<size_t>(order)];
}

std::optional<EntryOrder> EntryOrderNamed(std::string_view label) {
  for (size_t i = 0; i < kEntryOrderLabels.size(); ++i) {
    if (SameIgnoringCase(Trim(label), kEntryOrderLabels[i])) return static_cast<EntryOrder>(i);
  }
  return std::nullopt;
}

std::string_view PayeeTextOf(const ListedLine& line, const PayeeList& payees) {
  if (payees.IsValidPayee(line.payee_number)) {
    const PayeeRecord& payee = payees.payee(line.payee_number);
    const std::string_view name = Trim(payee.name);
    return name.empty() ? Trim(payee.name_2) : name;
  }
  return line.description;
}

void SortListedLines(std::vector<ListedLine>& lines, EntryOrder order, const PayeeList& payees,
                     std::string_view report, Ui& ui) {
  const std::string progress =
      order == EntryOrder::kDate
          ? "Sorting " + FormatCount(static_cast<int64_t>(lines.size())) + " Entries by Date"
          : "Sorting Data for " + std::string(report);
  ui.SetProgress(progress, 0, 0);
  std::sort(lines.begin(), lines.end(),
            [&](const ListedLine& a, const ListedLine& b) { return Before(order, a, b, payees); });
  ui.ClearProgress();
}

}  // namespace zenkar
