#include "output/general_ledger.h"

#include <algorithm>
#include <unordered_map>

#include "common/text_field.h"
#include "ledger/bookkeeping.h"
#include "output/account_activity.h"
#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kDateColumn = 5;
constexpr double kAccountColumn = 12;
constexpr double kNameColumn = 17;
constexpr double kReferenceColumn = 42;
constexpr double kOpeningColumn = 55;
constexpr double kPeriodColumn = 66;
constexpr double kClosingColumn = 78;
constexpr size_t kNameLength = 30;
constexpr size_t kDescriptionLength = 24;
// "*" three columns right of an amount: not part of the totals.
constexpr double kMarkOffset = 3;

enum RowKind { kForwardRow, kLineRow, kNetChecksRow, kUnpaidRow, kAccountTotalRow, kTotalRow };

std::vector<ListingColumn> Columns() {
  return {{1, kDateColumn, "Date", 1},
          {1, kAccountColumn, "Acct", 2},
          {1, kNameColumn, "Account Name", 3},
          {0, kReferenceColumn, "Check /", 4},
          {1, kReferenceColumn, "Ref Num", 4},
          {0, kOpeningColumn, "Opening", 5, ReportAlign::kRight},
          {1, kOpeningColumn, "Balance", 5, ReportAlign::kRight},
          {0, kPeriodColumn, "Report", 6, ReportAlign::kRight},
          {1, kPeriodColumn, "Period", 6, ReportAlign::kRight},
          {0, kClosingColumn, "Closing", 7, ReportAlign::kRight},
          {1, kClosingColumn, "Balance", 7, ReportAlign::kRight}};
}

bool LineBefore(const ListedLine& a, const ListedLine& b) {
  if (a.date != b.date) return a.date < b.date;
  if (a.entry_sequence != b.entry_sequence) return a.entry_sequence < b.entry_sequence;
  return a.record_number < b.record_number;
}

class Renderer {
 public:
  Renderer(const GeneralLedger& ledger, const ReportPeriod& period, const DatePatterns& dates)
      : ledger_(ledger), period_(period), dates_(dates) {}

  void Render(const ListingRow& row, ListingLineWriter& w) const {
    if (row.kind == kTotalRow) return Totals(w);
    if (row.kind == kLineRow) return Line(ledger_.lines[row.index], w);
    const GeneralLedgerAccount& account = ledger_.accounts[row.index];
    switch (row.kind) {
      case kForwardRow:
        w.Text(kDateColumn, "Bal Fwd", 1);
        w.Text(kAccountColumn, account.account, 2, ReportAlign::kLeft, kNameColumn);
        w.Text(kNameColumn, account.name, 3, ReportAlign::kLeft, kOpeningColumn - kAmountWidth,
               kNameLength);
        w.Amount(kOpeningColumn, account.opening, 5);
        return;
      case kNetChecksRow:
        Summary(account, "* NET CHECKS", "NETCK", account.net_checks_amount, w);
        return;
      case kUnpaidRow:
        Summary(account, "* UNPAID INVOICES", "INV", account.unpaid_amount, w);
        w.Text(kPeriodColumn + kMarkOffset, "*", 8, ReportAlign::kRight);
        return;
      case kAccountTotalRow:
        w.RuleAbove(kPeriodColumn - kAmountWidth, kPeriodColumn);
        w.Text(kAccountColumn, account.account, 2, ReportAlign::kLeft, kNameColumn);
        w.Text(kNameColumn, "Account Total", 3);
        w.Amount(kPeriodColumn, account.period, 6);
        w.Amount(kClosingColumn, account.closing, 7);
        return;
      default:
        return;
    }
  }

 private:
  void Line(const ListedLine& line, ListingLineWriter& w) const {
    w.Text(kDateColumn, FormatDate(line.date, dates_.numeric_short_year), 1);
    w.Text(kAccountColumn, AccountText(line.account), 2, ReportAlign::kLeft, kNameColumn);
    w.Text(kNameColumn, line.description, 3, ReportAlign::kLeft, kReferenceColumn,
           kDescriptionLength);
    w.Text(kReferenceColumn, line.reference, 4, ReportAlign::kLeft, kOpeningColumn - kAmountWidth);
    w.Amount(kPeriodColumn, PostedAmount(line.kind, line.amount), 6);
  }

  void Summary(const GeneralLedgerAccount& account, std::string_view text,
               std::string_view reference, Money amount, ListingLineWriter& w) const {
    w.Text(kDateColumn, FormatDate(period_.last, dates_.numeric_short_year), 1);
    w.Text(kAccountColumn, account.account, 2, ReportAlign::kLeft, kNameColumn);
    w.Text(kNameColumn, text, 3);
    w.Text(kReferenceColumn, reference, 4);
    w.Amount(kPeriodColumn, amount, 6);
  }

  void Totals(ListingLineWriter& w) const {
    WriteAllAccountsTotals(w, kNameColumn, 3,
                           {{kOpeningColumn, ledger_.opening, 5},
                            {kPeriodColumn, ledger_.period, 6},
                            {kClosingColumn, ledger_.closing, 7}});
  }

  const GeneralLedger& ledger_;
  const ReportPeriod& period_;
  const DatePatterns& dates_;
};

// What the ledger gathers beside the balances, in the same pass: the
// period's lines, the bank's side of its checks and deposits, and what the
// unpaid invoices entered by its end owe.
struct Gathered {
  const ReportPeriod& period;
  std::vector<ListedLine>* lines;
  Money net_checks = {};
  bool has_checks = false;
  Money unpaid = {};
  bool has_unpaid = false;

  void Visit(int number, std::string_view record, const TransactionFacts& facts) {
    if (facts.kind == kInvoice) {
      const DayNumber day = ListingDate(facts);
      if (day != kNoDate && day > period.last) return;
      unpaid -= facts.amount.RoundedToCents();
      has_unpaid = true;
      return;
    }
    if (facts.kind != kJournalLine && facts.kind != kCheckOrDeposit) return;
    if (!InPeriod(facts.date, period)) return;
    lines->push_back(ReadListedLine(number, record));
    if (facts.kind != kCheckOrDeposit) return;
    net_checks -= PostedAmount(facts.kind, facts.amount);
    has_checks = true;
  }
};

std::vector<ListingRow> RowsOf(const GeneralLedger& ledger) {
  std::vector<ListingRow> rows;
  for (int a = 0; a < static_cast<int>(ledger.accounts.size()); ++a) {
    const GeneralLedgerAccount& account = ledger.accounts[a];
    rows.push_back({kForwardRow, a, 1, a > 0, false});
    for (int line : account.lines) rows.push_back({kLineRow, line, 1, false, true});
    if (account.net_checks) rows.push_back({kNetChecksRow, a, 1, false, true});
    if (account.unpaid_memo) rows.push_back({kUnpaidRow, a, 1, false, true});
    rows.push_back({kAccountTotalRow, a, 1, false, false});
  }
  rows.push_back({kTotalRow, 0, 1, true, false});
  return rows;
}

}  // namespace

bool ComputeGeneralLedger(const ListingBooks& books, const ReportPeriod& period,
                          GeneralLedger* ledger) {
  *ledger = GeneralLedger();
  Gathered gathered{period, &ledger->lines};
  ActivityTable table;
  if (!SumAccountActivity(books, period, &table,
                          [&](int number, std::string_view record, const TransactionFacts& facts) {
                            gathered.Visit(number, record, facts);
                          })) {
    return false;
  }
  std::sort(ledger->lines.begin(), ledger->lines.end(), LineBefore);

  std::unordered_map<std::string, int> section_of;
  for (const AccountActivity& activity : table.accounts) {
    GeneralLedgerAccount account;
    account.account = std::string(AccountText(activity.account));
    account.name = AccountName(books.chart, activity.account);
    account.opening = activity.opening;
    account.period = activity.period;
    account.closing = activity.closing();
    account.net_checks =
        gathered.has_checks && SameAccount(activity.account, books.settings.bank_account);
    if (account.net_checks) account.net_checks_amount = gathered.net_checks;
    account.unpaid_memo =
        gathered.has_unpaid && SameAccount(activity.account, books.settings.payables_account);
    if (account.unpaid_memo) account.unpaid_amount = gathered.unpaid;
    section_of[activity.account] = static_cast<int>(ledger->accounts.size());
    ledger->accounts.push_back(std::move(account));
  }
  for (int i = 0; i < static_cast<int>(ledger->lines.size()); ++i) {
    ledger->accounts[section_of.at(AccountKey(ledger->lines[i].account))].lines.push_back(i);
  }
  std::erase_if(ledger->accounts, [](const GeneralLedgerAccount& account) {
    return account.opening.IsZero() && account.closing.IsZero() && account.lines.empty() &&
           !account.net_checks && !account.unpaid_memo;
  });
  for (const GeneralLedgerAccount& account : ledger->accounts) {
    ledger->opening += account.opening;
    ledger->period += account.period;
    ledger->closing += account.closing;
  }
  return true;
}

bool PrintGeneralLedger(ListingRun& run) {
  Ui& ui = run.ui();
  if (!CheckPeriodOrder(run.period, ui) ||
      !CheckSingleAccountingYear(run.period, run.books.settings.fiscal_start_month, ui)) {
    return false;
  }
  GeneralLedger ledger;
  if (!ComputeGeneralLedger(run.books, run.period, &ledger)) return false;
  if (ledger.accounts.empty()) {
    ui.Error(kNothingInTimeFrame);
    return false;
  }
  ListingDocument document;
  document.job_title = "General-Ledger";
  document.heading =
      ListingHeadingOf("GENERAL LEDGER", run.books.settings.name_line_1, PeriodLines(run.period));
  document.heading.columns = Columns();
  document.base_lines_per_page = kGeneralLedgerLines;
  document.shading_bars = run.options.use_shading_bars;
  document.rows = RowsOf(ledger);
  const Renderer renderer(ledger, run.period, run.dates());
  document.render = [&renderer](const ListingRow& row, ListingLineWriter& w) {
    renderer.Render(row, w);
  };
  if (!WriteListing(run.job, document)) return false;
  NotePrinted(run, ledger.lines);
  return true;
}

}  // namespace zenkar
