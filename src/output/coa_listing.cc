#include "output/coa_listing.h"

#include "common/text_field.h"
#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kAccountColumn = 5;
constexpr double kCodeColumn = 10;
constexpr double kDescriptionColumn = 16;
constexpr double kForwardColumn = 78;

enum RowKind { kAccountRow, kTotalRow };

}  // namespace

std::string AccountCode(const AccountRecord& account) {
  return std::to_string(account.type) + "-" + std::to_string(account.total_level) + "-" +
         std::to_string(account.title_type);
}

bool PrintCoaListing(ListingRun& run) {
  const ChartOfAccounts& chart = run.books.chart;
  if (chart.count() == 0) {
    run.ui().Error(kNoChartFound);
    return false;
  }
  Money total;
  for (int record = 1; record <= chart.count(); ++record) {
    total += chart.account(record).balance_forward;
  }
  ListingDocument document;
  document.job_title = "COA-Listing";
  document.heading = ListingHeadingOf("CHART OF ACCOUNTS", run.books.settings.name_line_1, {});
  document.heading.columns = {{0, kAccountColumn, "Acct", 1},
                              {0, kCodeColumn, "Code", 2},
                              {0, kDescriptionColumn, "Description", 3},
                              {0, kForwardColumn, "Bal Fwd", 4, ReportAlign::kRight}};
  document.shading_bars = run.options.use_shading_bars;
  for (int record = 1; record <= chart.count(); ++record) {
    document.rows.push_back({kAccountRow, record, 1, false, true});
  }
  document.rows.push_back({kTotalRow, 0, 1, true, false});
  document.render = [&](const ListingRow& row, ListingLineWriter& w) {
    if (row.kind == kTotalRow) {
      w.RuleAbove(kForwardColumn - kAmountWidth, kForwardColumn);
      w.Bold(kDescriptionColumn, "TOTAL BALANCE FORWARD", 3);
      w.Amount(kForwardColumn, total, 4);
      return;
    }
    const AccountRecord& account = chart.account(row.index);
    w.Text(kAccountColumn, TrimRight(account.number), 1, ReportAlign::kLeft, kCodeColumn);
    w.Text(kCodeColumn, AccountCode(account), 2, ReportAlign::kLeft, kDescriptionColumn);
    w.Text(kDescriptionColumn, TrimRight(account.description), 3, ReportAlign::kLeft,
           kForwardColumn - kAmountWidth);
    if (account.IsEntry()) w.Amount(kForwardColumn, account.balance_forward, 4);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
