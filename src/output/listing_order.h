// The orders a listing can be sorted in ("Reports: Sort Entries"), and the
// sort itself.
//
// With the option ticked a listing asks "Sort report by:" with ten orders;
// without it each listing keeps its own default order. Every order keeps
// lines that compare equal in date order, then in the order entered, so a
// listing comes out the same every time.
#ifndef ZENKAR_OUTPUT_LISTING_ORDER_H_
#define ZENKAR_OUTPUT_LISTING_ORDER_H_

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "common/ui.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"

namespace zenkar {

// In the order the dialog offers them.
enum class EntryOrder {
  kOrderEntered,
  kPayee,
  kInvoiceDate,
  kDueDate,
  kDescription,
  kCheckNumber,
  kDate,
  kInvoiceNumber,
  kAccount,
  kAmount,
};

inline constexpr std::string_view kSortReportBy = "Sort report by:";
inline constexpr std::array<std::string_view, 10> kEntryOrderLabels = {
    "Order Entered", "Payee", "Invoice Date",   "Due Date",      "Description",
    "Check Number",  "Date",  "Invoice Number", "Account (COA)", "Amount"};

std::string_view EntryOrderLabel(EntryOrder order);
// The order whose label is `label`, ignoring case; nothing for any other text.
std::optional<EntryOrder> EntryOrderNamed(std::string_view label);

// The payee a listing names for a line: the payee's name when the line's
// payee number names one, otherwise the line's own text.
std::string_view PayeeTextOf(const ListedLine& line, const PayeeList& payees);

// Sorts `lines` into `order`, showing "Sorting Data for " + `report` (or, by
// date, "Sorting " + count + " Entries by Date") while it runs.
void SortListedLines(std::vector<ListedLine>& lines, EntryOrder order, const PayeeList& payees,
                     std::string_view report, Ui& ui);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_LISTING_ORDER_H_
