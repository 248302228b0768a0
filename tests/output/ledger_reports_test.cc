// The ledger and listing reports on hand-built books: their figures, the
// rules behind them (what the ledger nets, how a check of several invoices is
// printed, the comparison's percents, the totals of unpaid invoices, the
// orders), their refusals with the exact messages, and what they print.
#include "output/ledger_reports.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "output/account_summary.h"
#include "output/activity_comparison.h"
#include "output/check_deposit_listing.h"
#include "output/form_1099.h"
#include "output/general_ledger.h"
#include "output/last_entries.h"
#include "output/listing_order.h"
#include "output/old_entries_report.h"
#include "output/output_fakes.h"
#include "output/payee_listing.h"
#include "output/statement_books.h"
#include "output/transaction_listing.h"
#include "output/trial_balance.h"
#include "output/unpaid_invoice_listing.h"
#include "output/unprinted_transactions.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::Contains;
using testing::Day;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

const ReportPeriod kMarch = MonthPeriod(2025, 3);

class LedgerReportsTest : public ::testing::Test {
 protected:
  LedgerReportsTest() : out_(dir_.path()) {
    testing::AddBalanceAccounts(books_);
    testing::AddIncomeAccounts(books_);
    // The bank holds 5,000.00 and the capital its other side.
    books_.accounts[1].balance_forward = Money::FromUnits(5000);
    books_.accounts[14].balance_forward = Money::FromUnits(-5000);
  }

  // Runs one report to the (recording) printer; true when it printed.
  bool RunListing(bool (*print)(ListingRun&), const ReportPeriod& period,
                  ReportOptions options = {}) {
    const ListingBooks listing = books_.Listing();
    PrintJob job(out_.services, OutputTarget::kPrinter);
    ListingRun run{listing, job, period, options, &choices_, &printed_};
    return print(run);
  }
  std::vector<std::string> Texts() { return testing::TextsOf(out_.printer.jobs.back()); }
  std::vector<std::string> Messages() { return out_.ui.Texts(); }

  testing::TestBooks books_;
  testing::TempDir dir_;
  testing::TestOutput out_;
  testing::ScriptedChoices choices_;
  std::vector<PrintedLine> printed_;
};

// --- General Ledger ------------------------------------------------------

TEST_F(LedgerReportsTest, ABalanceForwardOnlyAccountPrintsItsForwardAndATotalClosingOnIt) {
  books_.accounts[4].balance_forward = Money::FromUnits(1000);  // 164 Equipment
  books_.accounts[14].balance_forward = Money::FromUnits(-6000);
  books_.Check(Day(2025, 3, 2), "650", 40000);
  GeneralLedger ledger;
  ASSERT_TRUE(ComputeGeneralLedger(books_.Listing(), kMarch, &ledger));
  const auto equipment = std::find_if(ledger.accounts.begin(), ledger.accounts.end(),
                                      [](const auto& a) { return a.account == "164"; });
  ASSERT_NE(equipment, ledger.accounts.end());
  EXPECT_TRUE(equipment->lines.empty());
  EXPECT_EQ(equipment->opening, Money::FromUnits(1000));
  EXPECT_EQ(equipment->closing, Money::FromUnits(1000));
  EXPECT_EQ(equipment->period, Money());

  ASSERT_TRUE(RunListing(PrintGeneralLedger, kMarch));
  const std::vector<std::string> texts = Texts();
  const auto forward = std::find(texts.begin(), texts.end(), "Equipment");
  ASSERT_NE(forward, texts.end());
  // Bal Fwd 164 Equipment 1,000.00, then its total: 164 Account Total 0.00 1,000.00.
  EXPECT_THAT(std::vector<std::string>(forward - 2, forward + 7),
              ElementsAre("Bal Fwd", "164", "Equipment", "1,000.00", "164", "Account Total", "0.00",
                          "1,000.00", "Bal Fwd"));
}

TEST_F(LedgerReportsTest, TheBankNetsItsChecksAndClosesOnTheRegistersBalance) {
  books_.Check(Day(2025, 2, 27), "650", 120000);  // before the period
  books_.Check(Day(2025, 3, 5), "650", 120000);
  books_.Check(Day(2025, 3, 9), "510", -300000);
  books_.Entry(Day(2025, 3, 31), "110", "465", 5000);  // a journal line to the bank itself
  GeneralLedger ledger;
  ASSERT_TRUE(ComputeGeneralLedger(books_.Listing(), kMarch, &ledger));
  const GeneralLedgerAccount& bank = ledger.accounts.front();
  ASSERT_EQ(bank.account, "110");
  EXPECT_TRUE(bank.net_checks);
  EXPECT_EQ(bank.net_checks_amount, Money::FromUnits(-1200 + 3000));
  ASSERT_EQ(bank.lines.size(), 1u);  // the journal line; the checks are under 650 and 510
  EXPECT_EQ(bank.opening, Money::FromUnits(5000 - 1200));
  // The register: the forward less every check and deposit, plus the journal line.
  EXPECT_EQ(bank.closing, Money::FromUnits(5000 - 1200 - 1200 + 3000 + 50));
  EXPECT_EQ(ledger.opening, Money());
  EXPECT_EQ(ledger.period, Money());
  EXPECT_EQ(ledger.closing, Money());

  ASSERT_TRUE(RunListing(PrintGeneralLedger, kMarch));
  EXPECT_THAT(Texts(), IsSupersetOf({"* NET CHECKS", "NETCK", "1,800.00", "TOTALS FOR ALL ACCOUNTS",
                                     "GENERAL LEDGER", "Test Company"}));
  // Every line listed is noted to be marked printed.
  EXPECT_EQ(printed_.size(), 4u);
}

TEST_F(LedgerReportsTest, UnpaidInvoicesAreAMemoOutsideThePayablesTotals) {
  books_.Invoice(Day(2025, 3, 10), "650", 25000);
  books_.Invoice(Day(2025, 4, 10), "650", 99900);  // entered after the period
  books_.Check(Day(2025, 3, 12), "650", 1000);
  GeneralLedger ledger;
  ASSERT_TRUE(ComputeGeneralLedger(books_.Listing(), kMarch, &ledger));
  const auto payables = std::find_if(ledger.accounts.begin(), ledger.accounts.end(),
                                     [](const auto& a) { return a.account == "210"; });
  ASSERT_NE(payables, ledger.accounts.end());
  EXPECT_TRUE(payables->unpaid_memo);
  EXPECT_EQ(payables->unpaid_amount, Money::FromUnits(-250));
  EXPECT_EQ(payables->period, Money());
  EXPECT_EQ(ledger.closing, Money());
  ASSERT_TRUE(RunListing(PrintGeneralLedger, kMarch));
  const std::vector<std::string> texts = Texts();
  const auto memo = std::find(texts.begin(), texts.end(), "* UNPAID INVOICES");
  ASSERT_NE(memo, texts.end());
  EXPECT_THAT(std::vector<std::string>(memo, memo + 4),
              ElementsAre("* UNPAID INVOICES", "INV", "(250.00)", "*"));
}

TEST_F(LedgerReportsTest, TheLedgerIsLimitedToOneAccountingYear) {
  books_.Check(Day(2025, 3, 5), "650", 100);
  EXPECT_FALSE(RunListing(PrintGeneralLedger, RangePeriod(Day(2024, 12, 1), Day(2025, 1, 31))));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(kSingleAccountingYear)});
  EXPECT_TRUE(printed_.empty());
}

// --- Trial Balance ---------------------------------------------------------

TEST_F(LedgerReportsTest, LinesTheChartCannotNameAreListedSoTheTotalsStillBalance) {
  books_.Journal(Day(2025, 3, 3), "888", 700)
      .Journal(Day(2025, 3, 3), "", -700)
      .Check(Day(2025, 3, 4), "650", 2500)
      .Journal(kNoDate, "650", 100)  // undated: counts before every period
      .Journal(kNoDate, "465", -100);
  TrialBalance balance;
  ASSERT_TRUE(ComputeTrialBalance(books_.Listing(), kMarch, &balance));
  std::vector<std::string> named;
  for (const TrialBalanceLine& line : balance.lines) {
    named.push_back(line.account + " " + line.description + " " + line.opening.ToString() + " " +
                    line.period.ToString());
  }
  EXPECT_THAT(named,
              ElementsAre("110 Checking Account 5000.00 -25.00",
                          "465 Retained Earnings -5001.00 0.00", "650 Rent 1.00 25.00",
                          " No account number 0.00 -7.00", "888 Deleted from the chart 0.00 7.00"));
  EXPECT_EQ(balance.opening, Money());
  EXPECT_EQ(balance.period, Money());
  EXPECT_EQ(balance.closing, Money());
}

// --- Activity Comparison -----------------------------------------------------

TEST(ActivityComparisonTest, PercentsOfThePriorAmount) {
  auto percent = [](int64_t prior, int64_t current) {
    return PercentText(Money::FromCents(prior), Money::FromCents(current - prior));
  };
  EXPECT_EQ(percent(10000, 120000), ">1000.00%");
  EXPECT_EQ(percent(10000, 110000), "1000.00%");
  EXPECT_EQ(percent(10000, 5000), "-50.00%");
  EXPECT_EQ(percent(-10000, -5000), "-50.00%");
  EXPECT_EQ(percent(10000, -100000), ">-1000.00%");
  EXPECT_EQ(percent(-10000, 100000), ">-1000.00%");
  EXPECT_EQ(percent(30000, 40000), "33.33%");
  EXPECT_EQ(percent(30000, 50000), "66.67%");
  EXPECT_EQ(percent(10000, 10000), "0.00%");
  EXPECT_EQ(percent(0, 5000), "");
}

TEST(ActivityComparisonTest, ThePriorPeriodProposedIsTheSameDatesAYearEarlier) {
  const ComparisonPeriods march = ProposedPeriods(MonthPeriod(2025, 3));
  EXPECT_EQ(march.prior, MonthPeriod(2024, 3));
  // February of a leap year ends on the 29th; a year earlier on the 28th.
  EXPECT_EQ(ProposedPeriods(MonthPeriod(2024, 2)).prior, MonthPeriod(2023, 2));
  const ComparisonPeriods range = ProposedPeriods(RangePeriod(Day(2025, 3, 10), Day(2025, 4, 29)));
  EXPECT_EQ(range.prior, RangePeriod(Day(2024, 3, 10), Day(2024, 4, 29)));
}

TEST_F(LedgerReportsTest, TheComparisonRefusesLinesTheChartCannotTake) {
  const struct {
    std::string_view account;
    std::string message;
  } cases[] = {
      {"", std::string(kComparisonMissingAccount)},
      {"888", std::string(kComparisonDeletedAccount)},
      {"600", "Account 600 is not a valid account."},
  };
  for (const auto& c : cases) {
    books_.lines.clear();
    out_.ui.ClearMessages();
    books_.Journal(Day(2024, 3, 3), c.account, 700).Journal(Day(2024, 3, 3), "650", -700);
    EXPECT_FALSE(RunListing(PrintActivityComparison, kMarch)) << c.message;
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
  }
  EXPECT_EQ(choices_.proposed_periods, ProposedPeriods(kMarch));
}

TEST_F(LedgerReportsTest, TheComparisonPrintsBothPeriodsAndTheirDifference) {
  books_.Check(Day(2024, 3, 5), "650", 10000).Check(Day(2025, 3, 5), "650", 120000);
  books_.Check(Day(2024, 3, 6), "660", 10000).Check(Day(2025, 3, 6), "660", 5000);
  ASSERT_TRUE(RunListing(PrintActivityComparison, kMarch));
  const std::vector<std::string> texts = Texts();
  EXPECT_THAT(texts, IsSupersetOf({"Prior: 03/01/2024 to 03/31/2024",
                                   "Current: 03/01/2025 to 03/31/2025", ">1000.00%", "-50.00%"}));
  const auto rent = std::find(texts.begin(), texts.end(), "Rent");
  ASSERT_NE(rent, texts.end());
  EXPECT_THAT(std::vector<std::string>(rent, rent + 5),
              ElementsAre("Rent", "100.00", "1,200.00", "1,100.00", ">1000.00%"));
}

// --- Check and Deposit Listing -------------------------------------------------

TEST_F(LedgerReportsTest, ALineOfSeveralItemsShowsWhereTheyDiffer) {
  books_.payees = PayeeList({testing::Payee("Harbor Supply"), testing::Payee("Bay Electric")});
  auto check = [&](const char* reference, int payee, DayNumber date, const char* account,
                   const char* invoice, int64_t cents) {
    books_.Check(date, account, cents);
    books_.last().reference = reference;
    books_.last().payee_number = payee;
    books_.last().invoice_number = invoice;
  };
  check("1001", 1, Day(2025, 3, 10), "650", "A-1", 10000);
  check("1001", 1, Day(2025, 3, 10), "650", "A-2", 2500);
  check("1002", 1, Day(2025, 3, 11), "650", "A-3", 100);
  check("1002", 2, Day(2025, 3, 12), "660", "A-3", 200);
  check("1003", 2, Day(2025, 3, 12), "660", "", 300);
  ASSERT_TRUE(RunListing(PrintCheckDepositListing, kMarch));
  std::vector<ListedLine> lines;
  ASSERT_TRUE(ReadListedLines(
      books_.Listing(), [](const TransactionFacts&) { return true; }, &lines));
  const CheckDepositListing listing = GroupChecks(lines, books_.payees);
  ASSERT_EQ(listing.checks.size(), 3u);
  EXPECT_EQ(listing.checks[0].invoice, "*Multiple");
  EXPECT_EQ(listing.checks[0].payee, "Harbor Supply");
  EXPECT_EQ(listing.checks[0].amount, Money::FromUnits(125));
  EXPECT_EQ(listing.checks[1].payee, "*Multiple Payees");
  EXPECT_TRUE(listing.checks[1].multiple_dates);
  EXPECT_EQ(listing.checks[1].account, "****");
  EXPECT_EQ(listing.checks[1].invoice, "A-3");
  EXPECT_EQ(listing.checks[2].items, 1);
  EXPECT_EQ(listing.items, 5);
  EXPECT_THAT(Texts(), IsSupersetOf({"*Multiple Payees", "Multiple Dates", "****", "2 Items",
                                     "5 Items", "125.00", "TOTAL"}));
}

// --- The entry listings ----------------------------------------------------------

TEST_F(LedgerReportsTest, TheTransactionListingMarksInvoicesAndEntriesBesideTheBank) {
  books_.Check(Day(2025, 3, 5), "650", 120000);
  books_.last().reference = "1041";
  books_.last().description = "Wharfside";
  books_.last().memo = "March rent";
  books_.Invoice(Day(2025, 3, 8), "650", 5000);
  books_.Entry(Day(2025, 3, 31), "620", "169", 4125);
  books_.Check(Day(2025, 4, 1), "650", 7);  // after the period
  ASSERT_TRUE(RunListing(PrintTransactionListing, kMarch, {.include_descriptions = true}));
  const std::vector<std::string> texts = Texts();
  const auto rent = std::find(texts.begin(), texts.end(), "Wharfside");
  ASSERT_NE(rent, texts.end());
  EXPECT_THAT(std::vector<std::string>(rent, rent + 6),
              ElementsAre("Wharfside", "1041", "03/05/2025", "650", "1,200.00", "March rent"));
  EXPECT_THAT(texts, IsSupersetOf({"*INV", "*"}));
  const auto totals = std::find(texts.begin(), texts.end(), "Invoices");
  ASSERT_NE(totals, texts.end());
  EXPECT_THAT(std::vector<std::string>(totals, texts.end()),
              ElementsAre("Invoices", "50.00", "Checks/Deposits", "1,200.00", "Bank Bal Change",
                          "110", "(1,200.00)", "Journal Entries", "0.00"));
  EXPECT_EQ(printed_.size(), 4u);

  out_.ui.ClearMessages();
  EXPECT_FALSE(RunListing(PrintTransactionListing, MonthPeriod(2025, 6)));
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "No transactions dated 06/01/2025 through 06/30/2025 were found."});
}

TEST_F(LedgerReportsTest, TheOldEntriesReportHeadsTheRemovedYearAndMarksInvoices) {
  books_.Check(Day(2020, 1, 5), "650", 120000);
  books_.last().description = "Wharfside";
  books_.Invoice(Day(2020, 2, 8), "650", 5000);
  books_.last().date = Day(2020, 2, 8);  // a voided check keeps its date
  books_.Entry(Day(2020, 12, 31), "620", "169", 4125);
  for (size_t i = 0; i < books_.lines.size(); ++i) {
    books_.lines[i].record_number = static_cast<int>(i) + 1;
  }
  const ListingBooks listing = books_.Listing();
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(PrintOldEntriesReport(listing, job, books_.lines));
  const std::vector<std::string> texts = Texts();
  EXPECT_THAT(texts, IsSupersetOf({"Transaction Report - Old Entries",
                                   "Transactions Dated: 01/05/2020 - 12/31/2020",
                                   "Report Printed: 03/14/2026", "Page 1 of 1", "**INV"}));
  const auto rent = std::find(texts.begin(), texts.end(), "01/05/2020");
  ASSERT_NE(rent, texts.end());
  EXPECT_THAT(std::vector<std::string>(rent, rent + 3),
              ElementsAre("01/05/2020", "650", "1,200.00"));
  EXPECT_THAT(texts, Contains("Journal Entries (Net)"));
}

TEST_F(LedgerReportsTest, TheBankAccountSummaryShowsTheBanksSide) {
  books_.Check(Day(2025, 3, 5), "650", 120000);
  books_.Check(Day(2025, 3, 6), "510", -50000);
  books_.Entry(Day(2025, 3, 7), "110", "465", 1000);
  AccountSummary summary;
  ASSERT_TRUE(ComputeAccountSummary(books_.Listing(), "110", kMarch, &summary));
  EXPECT_TRUE(summary.bank);
  EXPECT_THAT(summary.shown,
              ElementsAre(Money::FromUnits(-1200), Money::FromUnits(500), Money::FromUnits(10)));
  EXPECT_EQ(summary.checks_deposits, Money::FromUnits(-700));
  EXPECT_EQ(summary.journal, Money::FromUnits(10));
  EXPECT_EQ(summary.entries, Money::FromUnits(-690));

  choices_.account = "110";
  ASSERT_TRUE(RunListing(PrintAccountSummary, kMarch));
  EXPECT_THAT(Texts(), IsSupersetOf({"BANK ACCOUNT SUMMARY", "110 Checking Account", "Entries",
                                     "(690.00)"}));
  choices_.account.reset();
  EXPECT_FALSE(RunListing(PrintAccountSummary, kMarch));  // the dialog was cancelled
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(LedgerReportsTest, TheLastFiftyEntriesAreTheFiftyEnteredLast) {
  for (int i = 1; i <= 60; ++i) {
    books_.Check(Day(2025, 3, 1 + i % 28), "650", i);
    books_.last().entry_sequence = 100 + (i * 37) % 61;  // entered in another order
  }
  books_.Invoice(Day(2025, 3, 2), "650", 5);
  books_.last().entry_sequence = 1000;
  std::vector<ListedLine> lines;
  ASSERT_TRUE(ReadLastEntries(books_.Listing(), &lines));
  ASSERT_EQ(lines.size(), kLastEntriesCount);
  EXPECT_EQ(lines.back().kind, kInvoice);
  for (size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LT(lines[i - 1].entry_sequence, lines[i].entry_sequence);
  }
  EXPECT_EQ(lines.front().entry_sequence, 160 - 48);  // the 49 latest checks, then the invoice
  ASSERT_TRUE(RunListing(PrintLastEntries, kMarch));
  EXPECT_THAT(Texts(), IsSupersetOf({"*DUE:", "04/01/2025", "Journal Entries (Net)"}));
}

TEST_F(LedgerReportsTest, UnprintedTransactionsSearchesAndSaysWhenAllArePrinted) {
  books_.Check(Day(2025, 3, 5), "650", 100);
  books_.last().unprinted = 0;
  ASSERT_FALSE(RunListing(PrintUnprintedTransactions, kMarch));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(kAllEntriesPrinted)});
  EXPECT_THAT(out_.ui.progress_texts(), Contains(std::string(kSearchingForUnprinted)));
  books_.Check(Day(2025, 3, 6), "660", 200);
  ASSERT_TRUE(RunListing(PrintUnprintedTransactions, kMarch));
  EXPECT_THAT(Texts(), IsSupersetOf({"UNPRINTED TRANSACTIONS", "660", "2.00",
                                     "since being added or edited. Includes entries which follow "
                                     "any deleted entry."}));
}

// --- Orders ------------------------------------------------------------------

TEST(ListingOrderTest, EachOrderKeepsEqualLinesByDateThenEntry) {
  PayeeList payees({testing::Payee("Zephyr Marine"), testing::Payee("Anchor Bank")});
  auto line = [](int record, const char* reference, const char* account, int payee, DayNumber date,
                 int32_t sequence) {
    ListedLine l;
    l.record_number = record;
    l.reference = reference;
    l.account = AccountKey(account);
    l.payee_number = payee;
    l.date = date;
    l.entry_sequence = sequence;
    l.kind = kCheckOrDeposit;
    return l;
  };
  const std::vector<ListedLine> lines = {
      line(1, "10", "650", 1, Day(2025, 3, 9), 4), line(2, "9", "4000", 2, Day(2025, 3, 2), 3),
      line(3, "A1", "465", 1, Day(2025, 3, 2), 2), line(4, "10", "5", 2, Day(2025, 3, 1), 1)};
  auto sorted = [&](EntryOrder order) {
    std::vector<ListedLine> copy = lines;
    testing::ScriptedUi ui;
    SortListedLines(copy, order, payees, "Check and Deposit Listing", ui);
    std::vector<int> records;
    for (const ListedLine& l : copy) records.push_back(l.record_number);
    return records;
  };
  EXPECT_THAT(sorted(EntryOrder::kCheckNumber), ElementsAre(2, 4, 1, 3));  // 9, 10, 10, A1
  EXPECT_THAT(sorted(EntryOrder::kAccount), ElementsAre(2, 3, 4, 1));      // 4000, 465, 5, 650
  EXPECT_THAT(sorted(EntryOrder::kPayee), ElementsAre(4, 2, 3, 1));        // Anchor, then Zephyr
  EXPECT_THAT(sorted(EntryOrder::kOrderEntered), ElementsAre(4, 3, 2, 1));
  EXPECT_THAT(sorted(EntryOrder::kDate), ElementsAre(4, 3, 2, 1));
  EXPECT_EQ(EntryOrderNamed("account (coa)"), EntryOrder::kAccount);
  EXPECT_EQ(EntryOrderNamed("Size"), std::nullopt);

  testing::ScriptedUi ui;
  std::vector<ListedLine> copy = lines;
  SortListedLines(copy, EntryOrder::kDate, payees, "Transaction Listing", ui);
  SortListedLines(copy, EntryOrder::kAmount, payees, "Transaction Listing", ui);
  EXPECT_THAT(ui.progress_texts(),
              ElementsAre("Sorting 4 Entries by Date", "Sorting Data for Transaction Listing"));
}

TEST_F(LedgerReportsTest, WithSortEntriesTickedTheListingAsksForItsOrder) {
  books_.Check(Day(2025, 3, 5), "650", 100);
  choices_.take_proposals = false;
  EXPECT_FALSE(RunListing(PrintTransactionListing, kMarch, {.sort_entries = true}));
  EXPECT_THAT(choices_.asked, ElementsAre("Sort report by: Transaction Listing (Date)"));
  EXPECT_TRUE(out_.printer.jobs.empty());
}

// --- Unpaid invoices, payees and the 1099 ---------------------------------------

TEST(UnpaidInvoicesTest, EachDueDateIsSummedAndThePastDueAndTodayTotalled) {
  auto invoice = [](DayNumber due, int64_t cents) {
    ListedLine line;
    line.kind = kInvoice;
    line.due_date = due;
    line.amount = Money::FromCents(cents);
    return line;
  };
  const DayNumber today = Day(2025, 3, 14);
  const UnpaidInvoiceListing listing =
      SumUnpaidInvoices({invoice(Day(2025, 3, 1), 100), invoice(Day(2025, 3, 1), 250),
                         invoice(today, 1000), invoice(Day(2025, 4, 1), 7)},
                        today);
  EXPECT_THAT(listing.date_sums, ElementsAre(std::nullopt, Money::FromCents(350),
                                             Money::FromCents(1000), Money::FromCents(7)));
  EXPECT_EQ(listing.past_due, Money::FromCents(350));
  EXPECT_EQ(listing.due_today, Money::FromCents(1000));
  EXPECT_EQ(listing.total, Money::FromCents(1357));
}

TEST_F(LedgerReportsTest, WithoutInvoicesTheListingSaysSo) {
  EXPECT_FALSE(RunListing(PrintUnpaidInvoiceListing, kMarch));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(kNoUnpaidInvoices)});
}

TEST_F(LedgerReportsTest, PayeesNoLongerListedAreShownAsDeleted) {
  books_.payees = PayeeList({testing::Payee("Harbor Supply", "12 Pier Road")});
  books_.Invoice(Day(2025, 3, 10), "650", 25000);
  books_.last().payee_number = 1;
  books_.Check(Day(2025, 3, 11), "650", 1000);
  books_.last().payee_number = 1;
  books_.Check(Day(2024, 12, 11), "650", 9999);  // paid in another year
  books_.last().payee_number = 1;
  books_.Check(Day(2025, 3, 12), "650", 500);
  books_.last().description = "Old Ferry Co";  // its payee was deleted
  PayeeListing listing;
  ASSERT_TRUE(ComputePayeeListing(books_.Listing(), 2025, false, &listing));
  ASSERT_EQ(listing.payees.size(), 2u);
  EXPECT_THAT(listing.payees[0].lines, ElementsAre("Harbor Supply", "12 Pier Road"));
  EXPECT_EQ(listing.payees[0].unpaid, Money::FromUnits(250));
  EXPECT_EQ(listing.payees[0].paid, Money::FromUnits(10));
  EXPECT_TRUE(listing.payees[1].deleted);
  EXPECT_EQ(listing.paid, Money::FromUnits(15));
  ASSERT_TRUE(RunListing(PrintPayeeListing, kMarch));
  EXPECT_THAT(Texts(), IsSupersetOf({"DELETED PAYEES", "Old Ferry Co", "Paid in 2025",
                                     "TOTALS: UNPAID / PAID IN 2025", "250.00", "15.00"}));
}

TEST_F(LedgerReportsTest, The1099ListsTheMarkedPayeesPaidInTheYear) {
  PayeeRecord landlord = testing::Payee("Wharfside Properties", "12 Ceres Street");
  landlord.type_1099 = k1099Rent;
  landlord.id_number = "02-6104417";
  books_.payees = PayeeList({landlord, testing::Payee("Harbor Supply")});
  EXPECT_FALSE(RunListing(Print1099, MonthPeriod(2025, 12)));
  EXPECT_EQ(Messages(), std::vector<std::string>{NoPayeesFor1099Message(2025)});
  for (int payee : {1, 2}) {
    books_.Check(Day(2025, 5, 1), "650", 240000);
    books_.last().payee_number = payee;
  }
  out_.ui.ClearMessages();
  ASSERT_TRUE(RunListing(Print1099, MonthPeriod(2025, 12)));
  EXPECT_THAT(Texts(), IsSupersetOf({"2025 1099-MISC", "Wharfside Properties", "02-6104417", "Rent",
                                     "Payees: 1", "2,400.00"}));
  // The clock says 2026: the form of 2027 is not known yet.
  EXPECT_FALSE(RunListing(Print1099, MonthPeriod(2027, 1)));
  EXPECT_EQ(Messages().back(), Form1099NotAvailableMessage(2027));
}

}  // namespace
}  // namespace zenkar
