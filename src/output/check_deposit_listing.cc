#include "output/check_deposit_listing.h"

#include "common/text_field.h"
#include "output/listing_layout.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kReferenceColumn = 5;
constexpr double kPayeeColumn = 37;
constexpr double kInvoiceColumn = 50;
constexpr double kDateColumn = 57;
constexpr double kAccountColumn = 66;
constexpr double kAmountColumn = 78;
constexpr size_t kPayeeLength = 16;

enum RowKind { kCheckRow, kTotalRow };

std::vector<ListingColumn> Columns() {
  return {{0, kReferenceColumn, "Ref /", 1}, {1, kReferenceColumn, "Check/Dep", 1},
          {1, kPayeeColumn, "Payee", 2},     {1, kInvoiceColumn, "Invoice", 3},
          {0, kDateColumn, "Check", 4},      {1, kDateColumn, "Date", 4},
          {1, kAccountColumn, "Acct", 5},    {1, kAmountColumn, "Total", 6, ReportAlign::kRight}};
}

std::string ItemsText(int items) { return FormatCount(items) + (items == 1 ? " Item" : " Items"); }

ListedCheck CheckOf(const ListedLine& line, const PayeeList& payees) {
  ListedCheck check;
  check.reference = line.reference;
  check.payee = std::string(PayeeTextOf(line, payees));
  check.invoice = line.invoice_number;
  check.date = line.date;
  check.account = std::string(AccountText(line.account));
  check.amount = line.amount.RoundedToCents();
  return check;
}

// Adds a further line of the same check.
void Join(ListedCheck& check, const ListedCheck& line) {
  if (check.payee != line.payee) check.payee = "*Multiple Payees";
  if (check.invoice != line.invoice) check.invoice = "*Multiple";
  if (check.date != line.date) check.multiple_dates = true;
  if (check.account != line.account) check.account = "****";
  check.amount += line.amount;
  ++check.items;
}

void RenderRow(const CheckDepositListing& listing, const DatePatterns& dates, const ListingRow& row,
               ListingLineWriter& w) {
  if (row.kind == kTotalRow) {
    w.RuleAbove(kAmountColumn - kAmountWidth, kAmountColumn);
    w.Bold(kReferenceColumn, "TOTAL", 1);
    w.Text(kPayeeColumn, ItemsText(listing.items), 2);
    w.Amount(kAmountColumn, listing.total, 6);
    return;
  }
  const ListedCheck& check = listing.checks[row.index];
  w.Text(kReferenceColumn, check.reference, 1, ReportAlign::kLeft, kPayeeColumn);
  w.Text(kPayeeColumn, check.payee, 2, ReportAlign::kLeft, kInvoiceColumn, kPayeeLength);
  w.Text(kInvoiceColumn, check.invoice, 3, ReportAlign::kLeft, kDateColumn);
  w.Text(kDateColumn,
         check.multiple_dates ? std::string("Multiple Dates") : ListingDateText(check.date, dates),
         4, ReportAlign::kLeft, kAccountColumn);
  w.Text(kAccountColumn, check.account, 5, ReportAlign::kLeft, kAmountColumn - kAmountWidth);
  w.Amount(kAmountColumn, check.amount, 6);
  if (row.height > 1) {
    w.NextLine();
    w.Text(kPayeeColumn, ItemsText(check.items), 2);
  }
}

}  // namespace

CheckDepositListing GroupChecks(const std::vector<ListedLine>& lines, const PayeeList& payees) {
  CheckDepositListing listing;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ListedCheck line = CheckOf(lines[i], payees);
    const bool same_check =
        i > 0 && !line.reference.empty() && lines[i - 1].reference == lines[i].reference;
    if (same_check) {
      Join(listing.checks.back(), line);
    } else {
      listing.checks.push_back(line);
    }
    listing.total += line.amount;
    ++listing.items;
  }
  return listing;
}

bool PrintCheckDepositListing(ListingRun& run) {
  if (!CheckPeriodOrder(run.period, run.ui())) return false;
  std::vector<ListedLine> lines;
  if (!ReadListedLines(
          run.books,
          [&](const TransactionFacts& facts) {
            return facts.kind == kCheckOrDeposit && InPeriod(facts.date, run.period);
          },
          &lines)) {
    return false;
  }
  if (lines.empty()) {
    run.ui().Error(NothingFoundMessage("transactions", run.period, run.dates()));
    return false;
  }
  const std::optional<EntryOrder> order =
      ChosenOrder(run, kCheckDepositListingLabel, EntryOrder::kCheckNumber);
  if (!order) return false;
  SortListedLines(lines, *order, run.books.payees, kCheckDepositListingLabel, run.ui());
  const CheckDepositListing listing = GroupChecks(lines, run.books.payees);

  ListingDocument document;
  document.job_title = "Check-Deposit-Listing";
  document.heading = ListingHeadingOf("CHECK AND DEPOSIT LISTING", run.books.settings.name_line_1,
                                      PeriodLines(run.period));
  document.heading.columns = Columns();
  document.base_lines_per_page = kCheckListingLines;
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(listing.checks.size()); ++i) {
    document.rows.push_back({kCheckRow, i, listing.checks[i].items > 1 ? 2 : 1, false, true});
  }
  document.rows.push_back({kTotalRow, 0, 1, true, false});
  const DatePatterns& dates = run.dates();
  document.render = [&](const ListingRow& row, ListingLineWriter& w) {
    RenderRow(listing, dates, row, w);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
