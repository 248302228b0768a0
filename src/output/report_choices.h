// ReportChoices: the questions some reports ask before they run, as a port.
//
// kxacct asks them in dialogs (src/app/reports), kxbatch takes the answers
// from its command line, tests script them. A report that asks gets nothing
// back when the user cancelled, and then stops without a message.
#ifndef ZENKAR_OUTPUT_REPORT_CHOICES_H_
#define ZENKAR_OUTPUT_REPORT_CHOICES_H_

#include <optional>
#include <string>
#include <string_view>

#include "ledger/chart_of_accounts.h"
#include "ledger/payee_list.h"
#include "output/listing_order.h"
#include "output/report_period.h"

namespace zenkar {

inline constexpr std::string_view kAccountSummaryTitle = "Account Summary Report";
inline constexpr std::string_view kSelectAnAccount = "Select an account";
inline constexpr std::string_view kPayeeActivityTitle = "Payee Activity Report";
inline constexpr std::string_view kSelectAPayee = "Select a payee";

// The two periods of the Activity Comparison.
struct ComparisonPeriods {
  ReportPeriod prior;
  ReportPeriod current;
  friend bool operator==(const ComparisonPeriods&, const ComparisonPeriods&) = default;
};

class ReportChoices {
 public:
  virtual ~ReportChoices() = default;
  // "Sort report by:" for the listing `report`, proposing `proposed`.
  virtual std::optional<EntryOrder> ChooseSortOrder(std::string_view report,
                                                    EntryOrder proposed) = 0;
  // "Account Summary Report" / "Select an account": one of the chart's entry
  // accounts, by its number (a choice is required).
  virtual std::optional<std::string> ChooseAccount(const ChartOfAccounts& chart) = 0;
  // "Payee Activity Report" / "Select a payee": a payee number.
  virtual std::optional<int> ChoosePayee(const PayeeList& payees) = 0;
  // Both periods of the Activity Comparison in one dialog, starting from
  // `proposed` (the report's period and the same dates a year earlier).
  virtual std::optional<ComparisonPeriods> ChooseComparisonPeriods(
      const ComparisonPeriods& proposed) = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_REPORT_CHOICES_H_
