#include "output/account_summary.h"

#include "common/text_field.h"
#include "output/entry_listing.h"

namespace zenkar {
namespace {

// What `line` moves the summary's account by: its own side, and for the
// bank account a check's or deposit's bank side.
Money AmountFor(const ListedLine& line, const AccountSummary& summary) {
  const Money amount = line.amount.RoundedToCents();
  Money moved;
  if (SameAccount(line.account, summary.account)) moved += amount;
  if (summary.bank && line.kind == kCheckOrDeposit) moved -= amount;
  return moved;
}

void Total(AccountSummary* summary) {
  summary->shown.clear();
  summary->journal = summary->checks_deposits = Money();
  for (const ListedLine& line : summary->lines) {
    summary->shown.push_back(AmountFor(line, *summary));
  }
  for (size_t i = 0; i < summary->lines.size(); ++i) {
    (summary->lines[i].kind == kJournalLine ? summary->journal : summary->checks_deposits) +=
        summary->shown[i];
  }
  summary->entries = summary->journal + summary->checks_deposits;
}

}  // namespace

bool ComputeAccountSummary(const ListingBooks& books, std::string_view account,
                           const ReportPeriod& period, AccountSummary* summary) {
  *summary = AccountSummary();
  summary->account = AccountKey(account);
  summary->bank = SameAccount(account, books.settings.bank_account);
  const bool read = ReadListedLines(
      books,
      [&](const TransactionFacts& facts) {
        if (!InPeriod(facts.date, period)) return false;
        if (facts.kind == kJournalLine) return SameAccount(facts.account, account);
        return facts.kind == kCheckOrDeposit &&
               (summary->bank || SameAccount(facts.account, account));
      },
      &summary->lines);
  Total(summary);
  return read;
}

bool PrintAccountSummary(ListingRun& run) {
  if (!CheckPeriodOrder(run.period, run.ui()) || run.choices == nullptr) return false;
  const std::optional<std::string> account = run.choices->ChooseAccount(run.books.chart);
  if (!account) return false;
  const int record = run.books.chart.FindAccount(*account);
  if (record == 0) {
    run.ui().Error(EscapeControls(Trim(*account)) + " is not a valid account.");
    return false;
  }
  AccountSummary summary;
  if (!ComputeAccountSummary(run.books, *account, run.period, &summary)) return false;
  if (summary.lines.empty()) {
    run.ui().Error(NothingFoundMessage("transactions", run.period, run.dates()));
    return false;
  }
  EntryListing listing;
  listing.lines = std::move(summary.lines);
  if (!SortForListing(run, kAccountSummaryLabel, EntryOrder::kDate, &listing.lines)) {
    return false;
  }
  summary.lines = listing.lines;
  Total(&summary);
  const AccountRecord& chosen = run.books.chart.account(record);
  listing.job_title = "Account-Summary";
  listing.title = "ACCOUNT SUMMARY";
  listing.heading_lines = PeriodLines(run.period);
  if (summary.bank) listing.heading_lines.emplace_back("BANK ACCOUNT SUMMARY");
  listing.heading_lines.push_back(chosen.Label());
  listing.shown = summary.shown;
  listing.totals = {{"Journal Entries", summary.journal, ""},
                    {"Checks/Deposits", summary.checks_deposits, ""},
                    {"Entries", summary.entries, ""}};
  return WriteEntryListing(run, listing);
}

}  // namespace zenkar
