#include "output/entry_listing.h"

#include "common/text_field.h"
#include "output/account_activity.h"

namespace zenkar {
namespace {

constexpr double kDescriptionColumn = 5;
constexpr double kReferenceColumn = 42;
constexpr double kDateColumn = 49;
constexpr double kAccountColumn = 58;
constexpr double kAmountColumn = 76;
constexpr double kMarkColumn = kAmountColumn + 3;
constexpr double kMemoColumn = 7;
// The narrow totals block.
constexpr double kLeftLabelColumn = 5;
constexpr double kLeftAccountColumn = 20;
constexpr double kLeftAmountColumn = 34;

enum RowKind { kEntryRow, kTotalRow };

std::vector<ListingColumn> Columns() {
  return {{1, kDescriptionColumn, "Description", 1},
          {0, kReferenceColumn, "Ref. /", 2},
          {1, kReferenceColumn, "Check", 2},
          {1, kDateColumn, "Date", 3},
          {1, kAccountColumn, "Acct", 4},
          {1, kAmountColumn, "Amount", 5, ReportAlign::kRight}};
}

class Renderer {
 public:
  Renderer(const EntryListing& listing, ListingRun& run, bool descriptions)
      : listing_(listing),
        settings_(run.books.settings),
        dates_(run.dates()),
        descriptions_(descriptions) {}

  void Render(const ListingRow& row, ListingLineWriter& w) const {
    if (row.kind == kTotalRow) return Total(listing_.totals[row.index], w);
    const ListedLine& line = listing_.lines[row.index];
    const bool invoice = line.kind == kInvoice;
    w.Text(kDescriptionColumn, line.description, 1, ReportAlign::kLeft, kReferenceColumn);
    if (invoice && listing_.due_dates) {
      w.Text(kReferenceColumn, "*DUE:", 2);
      w.Text(kDateColumn, ListingDateText(line.due_date, dates_), 3);
    } else {
      w.Text(kReferenceColumn, invoice ? listing_.invoice_mark : line.reference, 2,
             ReportAlign::kLeft, kDateColumn);
      w.Text(kDateColumn, ListingDateText(ListingDate(line), dates_), 3);
    }
    w.Text(kAccountColumn, AccountText(line.account), 4, ReportAlign::kLeft,
           kAmountColumn - kAmountWidth);
    w.Amount(kAmountColumn, listing_.shown.empty() ? line.amount : listing_.shown[row.index], 5);
    if (!MovesBank(line, settings_)) w.Text(kMarkColumn, "*", 6, ReportAlign::kRight);
    if (row.height > 1) {
      w.NextLine();
      w.Text(kMemoColumn, line.memo, 1, ReportAlign::kLeft, kAmountColumn - kAmountWidth);
    }
  }

  bool TwoLines(const ListedLine& line) const { return descriptions_ && !line.memo.empty(); }

 private:
  void Total(const EntryTotal& total, ListingLineWriter& w) const {
    if (listing_.layout == TotalsLayout::kAtLeft) {
      w.Text(kLeftLabelColumn, total.label, 1);
      if (!total.account.empty()) w.Text(kLeftAccountColumn, total.account, 2);
      w.Amount(kLeftAmountColumn, total.amount, 3);
      return;
    }
    w.Text(kReferenceColumn, total.label, 2);
    if (!total.account.empty()) w.Text(kAccountColumn, total.account, 4);
    w.Amount(kAmountColumn, total.amount, 5);
  }

  const EntryListing& listing_;
  const CompanySettings& settings_;
  const DatePatterns& dates_;
  bool descriptions_;
};

}  // namespace

EntryTotals TotalsOf(const std::vector<ListedLine>& lines, const CompanySettings& settings) {
  EntryTotals totals;
  for (const ListedLine& line : lines) {
    const Money amount = line.amount.RoundedToCents();
    switch (line.kind) {
      case kInvoice:
        totals.invoices += amount;
        break;
      case kCheckOrDeposit:
        totals.checks_deposits += amount;
        totals.bank_change -= amount;
        break;
      case kJournalLine:
        totals.journal += amount;
        if (SameAccount(line.account, settings.bank_account)) totals.bank_change += amount;
        break;
      default:
        break;
    }
  }
  return totals;
}

std::vector<EntryTotal> KindTotals(const EntryTotals& totals, const CompanySettings& settings,
                                   bool net_journal) {
  return {{"Invoices", totals.invoices, ""},
          {"Checks/Deposits", totals.checks_deposits, ""},
          {"Bank Bal Change", totals.bank_change, std::string(Trim(settings.bank_account))},
          {net_journal ? "Journal Entries (Net)" : "Journal Entries", totals.journal, ""}};
}

bool WriteEntryListing(ListingRun& run, const EntryListing& listing) {
  const Renderer renderer(listing, run, run.options.include_descriptions);
  ListingDocument document;
  document.job_title = listing.job_title;
  document.heading =
      ListingHeadingOf(listing.title, run.books.settings.name_line_1, listing.heading_lines);
  document.heading.columns = Columns();
  document.base_lines_per_page = listing.base_lines_per_page;
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(listing.lines.size()); ++i) {
    document.rows.push_back(
        {kEntryRow, i, renderer.TwoLines(listing.lines[i]) ? 2 : 1, false, true});
  }
  for (int i = 0; i < static_cast<int>(listing.totals.size()); ++i) {
    document.rows.push_back({kTotalRow, i, 1, i == 0, false});
  }
  document.render = [&renderer](const ListingRow& row, ListingLineWriter& w) {
    renderer.Render(row, w);
  };
  return WriteListing(run.job, document);
}

bool SortForListing(ListingRun& run, std::string_view report, EntryOrder proposed,
                    std::vector<ListedLine>* lines) {
  const std::optional<EntryOrder> order = ChosenOrder(run, report, proposed);
  if (!order) return false;
  SortListedLines(*lines, *order, run.books.payees, report, run.ui());
  return true;
}

}  // namespace zenkar
