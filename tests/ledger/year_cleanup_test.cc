// The year clean-up: removing the oldest year keeps every balance, refuses
// unbalanced years and leaves unpaid invoices alone; the automatic clean-up
// of a full file; deleting every transaction; deleting the payees idle for
// two years while the others keep their lines.
#include "ledger/year_cleanup.h"

#include <gtest/gtest.h>

#include <map>

#include "ledger/cleanup_dialogue.h"
#include "ledger/folder_summary.h"
#include "ledger/recurring_entries.h"
#include "ledger_fixture.h"
#include "tools/generated_company.h"

namespace zenkar::testing {
namespace {

// Keeps the lines the removal hands to its report.
struct ReportSpy {
  std::vector<TransactionRecord> printed;
  bool succeeds = true;
  OldEntriesReport Report() {
    return [this](const std::vector<TransactionRecord>& lines) {
      printed = lines;
      return succeeds;
    };
  }
};

// Every balance the books show: each account's, the bank's and the sum of
// all of them (the trial balance).
std::vector<Money> Balances(const Ledger& ledger) {
  std::vector<Money> balances;
  for (int n = 1; n <= ledger.chart().count(); ++n) balances.push_back(ledger.AccountBalance(n));
  balances.push_back(ledger.BankBalance());
  balances.push_back(ledger.OutOfBalance());
  return balances;
}

int YearOfDate(DayNumber date) { return ToCivilDate(date).year; }

class GeneratedYearsTest : public LedgerFixture {
 protected:
  void OpenGenerated(int lines, int first_year, int years) {
    std::vector<AccountRecord> chart;
    ASSERT_TRUE(ReadChartText(fs_, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok());
    ASSERT_TRUE(WriteGeneratedCompany(fs_, dir_.path(), chart, lines, 7, years, first_year,
                                      /*balanced_years=*/true)
                    .ok());
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }

  std::map<int, int> LinesByYear() {
    std::map<int, int> by_year;
    ledger_.ForEachTransaction([&](const TransactionRecord& line) {
      if (!IsInvoice(line)) ++by_year[YearOfDate(line.date)];
    });
    return by_year;
  }

  ReportSpy report_;
};

TEST_F(GeneratedYearsTest, EachRemovedYearKeepsEveryBalanceAndTheUnpaidInvoices) {
  OpenGenerated(6000, 2021, 5);
  const std::vector<Money> balances = Balances(ledger_);
  const TransactionSummary before = ledger_.summary();
  std::map<int, int> by_year = LinesByYear();
  ASSERT_GE(by_year.size(), 5u);
  while (by_year.size() > 1) {
    const auto [year, count] = *by_year.begin();
    SCOPED_TRACE(year);
    ASSERT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRemoved)
        << ::testing::PrintToString(ui_.Texts());
    EXPECT_EQ(Balances(ledger_), balances);
    EXPECT_EQ(ledger_.summary().unpaid_count, before.unpaid_count);
    EXPECT_EQ(ledger_.summary().unpaid_total, before.unpaid_total);
    ASSERT_EQ(static_cast<int>(report_.printed.size()), count);
    for (size_t i = 0; i < report_.printed.size(); ++i) {
      EXPECT_EQ(YearOfDate(report_.printed[i].date), year);
      if (i > 0) {
        EXPECT_LE(report_.printed[i - 1].date, report_.printed[i].date);
      }
    }
    by_year.erase(by_year.begin());
    EXPECT_EQ(LinesByYear(), by_year);
    ExpectBooksAgreeWithFiles();
  }
  EXPECT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRefused);
  EXPECT_EQ(ui_.LastText(), kOnlyOneYear);

  // Read again from the files, the books show the same balances.
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(Balances(ledger_), balances);
}

TEST_F(GeneratedYearsTest, AFullFileIsCleanedWhenItsFirstYearIsMoreThanThreeBeforeItsLast) {
  OpenGenerated(kTransactionCapacity + 1, 2010, 5);
  std::optional<YearSpan> span = ledger_.TransactionYearSpan();
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(span->first, 2010);
  EXPECT_TRUE(AutomaticCleanupDue(ledger_.transaction_count(), span));
  EXPECT_FALSE(AutomaticCleanupDue(kTransactionCapacity, span));
  ASSERT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRemoved);
  EXPECT_EQ(LinesByYear().begin()->first, 2011);

  ledger_.Close();
  OpenGenerated(kTransactionCapacity + 1, 2012, 3);
  span = ledger_.TransactionYearSpan();
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(span->first, 2012);
  EXPECT_FALSE(AutomaticCleanupDue(ledger_.transaction_count(), span));
}

TEST(AutomaticCleanupTest, NeedsARealFirstYearAndLinesToClean) {
  EXPECT_TRUE(AutomaticCleanupDue(100001, YearSpan{2010, 2014}));
  EXPECT_FALSE(AutomaticCleanupDue(100001, YearSpan{2011, 2014}));
  EXPECT_FALSE(AutomaticCleanupDue(100001, YearSpan{1899, 2014}));
  EXPECT_FALSE(AutomaticCleanupDue(100001, std::nullopt));
}

class OldestYearTest : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  // The books on disk and in memory, to show that nothing changed.
  std::string Books() {
    return dir_.ReadFile("KXACCT.TRN") + dir_.ReadFile("KXACCT.COA") + ledger_.chart().Encode() +
           std::to_string(ledger_.transaction_count());
  }

  void ExpectRefused(std::string_view message) {
    const std::string books = Books();
    EXPECT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRefused);
    EXPECT_EQ(ui_.LastText(), message);
    EXPECT_TRUE(report_.printed.empty());
    EXPECT_EQ(Books(), books);
  }

  ReportSpy report_;
};

TEST_F(OldestYearTest, AnUnbalancedJournalEntryBlocksTheRemovalAndABalancedOneDoesNot) {
  Append(Line(kJournalLine, "650", 5000, "plus", Date(2020, 3, 1)));
  const int minus = Append(Line(kJournalLine, "510", -4000, "minus", Date(2020, 3, 1)));
  Append(Line(kCheckOrDeposit, "650", 1000, "later", Date(2021, 2, 1), "101"));
  ExpectRefused(kOldestYearUnbalanced);

  TransactionRecord balanced = Read(minus);
  balanced.amount = Money::FromCents(-5000);
  ASSERT_TRUE(ledger_.WriteTransaction(minus, balanced));
  ASSERT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRemoved);
  EXPECT_EQ(MemosOnDisk(), std::vector<std::string>{"later"});
  ExpectBooksAgreeWithFiles();
}

TEST_F(OldestYearTest, ChecksMoveTheBankBalanceForwardAndUnpaidInvoicesStay) {
  Append(Line(kInvoice, "650", 700, "undated invoice", kNoDate));
  Append(Line(kCheckOrDeposit, "650", 12345, "rent", Date(2020, 1, 5), "101"));
  Append(Line(kCheckOrDeposit, "510", -20000, "sale", Date(2020, 6, 5), "102"));
  const int voided = Append(Line(kCheckOrDeposit, "650", 300, "voided", Date(2020, 2, 1), "103"));
  ASSERT_TRUE(ledger_.VoidTransaction(voided));
  Append(Line(kJournalLine, "130", 999, "kept", Date(2021, 1, 1)));
  Append(Line(kJournalLine, "465", -999, "kept too", Date(2021, 1, 1)));
  const std::vector<Money> balances = Balances(ledger_);
  const Money bank_forward = ledger_.chart().account(ledger_.FindAccount("110")).balance_forward;

  ASSERT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRemoved);
  EXPECT_EQ(Balances(ledger_), balances);
  EXPECT_EQ(MemosOnDisk(),
            (std::vector<std::string>{"undated invoice", "voided", "kept", "kept too"}));
  ASSERT_EQ(report_.printed.size(), 2u);
  EXPECT_EQ(TrimRight(report_.printed[0].memo), "rent");
  const AccountRecord& rent = ledger_.chart().account(ledger_.FindAccount("650"));
  EXPECT_EQ(rent.balance_forward, Money::FromCents(12345));
  EXPECT_EQ(rent.posted_total, Money());
  EXPECT_EQ(ledger_.chart().account(ledger_.FindAccount("110")).balance_forward,
            bank_forward - Money::FromCents(12345 - 20000));
  ExpectBooksAgreeWithFiles();
}

TEST_F(OldestYearTest, RefusesWhatItCannotRemoveAndChangesNothing) {
  Append(Line(kInvoice, "650", 700, "invoice", kNoDate));
  Append(Line(kInvoice, "650", 800, "invoice", kNoDate));
  ExpectRefused(kOnlyUnpaidInvoices);

  Append(Line(kJournalLine, "650", 100, "one year", Date(2021, 1, 1)));
  Append(Line(kJournalLine, "510", -100, "one year", Date(2021, 5, 1)));
  ExpectRefused(kOnlyOneYear);

  Append(Line(kJournalLine, "999", 100, "gone account", Date(2020, 1, 1)));
  Append(Line(kJournalLine, "650", -100, "gone account", Date(2020, 1, 1)));
  ExpectRefused(kDeletedAccountsUnbalanced);
}

TEST_F(OldestYearTest, AReportThatCannotBeMadeOrAFailedWriteLeavesTheBooksAsTheyWere) {
  Append(Line(kCheckOrDeposit, "650", 100, "old", Date(2020, 1, 1), "101"));
  Append(Line(kCheckOrDeposit, "650", 100, "new", Date(2021, 1, 1), "102"));
  const std::string books = Books();
  report_.succeeds = false;
  EXPECT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kRefused);
  EXPECT_EQ(Books(), books);

  report_.succeeds = true;
  fs_.FailNth(Step::kRename, 1);
  EXPECT_EQ(ledger_.RemoveOldestYear(report_.Report()), YearRemoval::kFailed);
  fs_.ClearFaults();
  EXPECT_EQ(Books(), books);
  EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
}

TEST_F(OldestYearTest, DeletingAllTransactionsZeroesTheChartAndForgetsTheReconciliation) {
  Append(Line(kCheckOrDeposit, "650", 100, "rent", Date(2020, 1, 1), "101"));
  Append(Line(kJournalLine, "130", 100, "one", Date(2020, 1, 1)));
  Append(Line(kJournalLine, "465", -100, "two", Date(2020, 1, 1)));
  dir_.WriteFile("KXACCT.REC", std::string(64, 'r'));
  ASSERT_TRUE(ledger_.DeleteAllTransactions());
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "");
  EXPECT_FALSE(dir_.Exists("KXACCT.REC"));
  const ChartOfAccounts on_disk = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  for (const AccountRecord& account : on_disk.accounts()) {
    EXPECT_TRUE(account.balance_forward.IsZero() && account.posted_total.IsZero())
        << account.number;
  }
  EXPECT_EQ(ledger_.BankBalance(), Money());
  EXPECT_EQ(ledger_.summary(), TransactionSummary());
  EXPECT_EQ(Append(Line(kJournalLine, "130", 5, "afresh")), 1);
}

TEST_F(OldestYearTest, RemovingAsksTwiceAfterBeepsAndANoChangesNothing) {
  Append(Line(kCheckOrDeposit, "650", 100, "old", Date(2020, 1, 1), "101"));
  Append(Line(kCheckOrDeposit, "650", 100, "new", Date(2021, 1, 1), "102"));
  const std::string books = Books();
  for (bool first : {false, true}) {
    ui_.ClearMessages();
    ui_.Answer(first);
    if (first) ui_.Answer(false);
    EXPECT_EQ(AskAndRemoveOldestYear(ledger_, report_.Report()), CleanupOutcome::kDeclined);
    EXPECT_EQ(Books(), books);
  }
  EXPECT_EQ(ui_.messages().back().kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kRemoveOldestYearQuestion),
                                                   std::string(kRemoveOldestYearCertain)}));

  ui_.ClearMessages();
  const int beeps = ui_.beeps();
  ui_.Answer(true);
  ui_.Answer(true);
  EXPECT_EQ(AskAndRemoveOldestYear(ledger_, report_.Report()), CleanupOutcome::kDone);
  EXPECT_EQ(ui_.beeps() - beeps, 2);
  EXPECT_EQ(ui_.LastText(), WhereAmIText(ledger_));
  EXPECT_EQ(MemosOnDisk(), std::vector<std::string>{"new"});

  // One line left: nothing is asked.
  ui_.ClearMessages();
  EXPECT_EQ(AskAndRemoveOldestYear(ledger_, report_.Report()), CleanupOutcome::kDeclined);
  EXPECT_TRUE(ui_.messages().empty());
}

class InactivePayeesTest : public LedgerFixture {
 protected:
  // Today is 14 March 2026: the cut-off is 12 March 2024.
  void SetUp() override { OpenWithPayees(8); }

  void OpenWithPayees(int count) {
    ledger_.Close();
    std::vector<PayeeRecord> payees;
    for (int n = 1; n <= count; ++n) payees.push_back(Payee("Payee " + std::to_string(n)));
    WriteCompany(TestChart(), payees);
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }

  void AppendLine(int32_t kind, DayNumber date, int32_t payee, int32_t unprinted = 0) {
    TransactionRecord line = Line(kind, "650", 100, "", date, "", payee);
    line.description = ledger_.PayeeName(payee);
    line.unprinted = unprinted;
    Append(line);
  }
};

TEST_F(InactivePayeesTest, OnlyPayeesIdleSinceTheCutOffGoAndTheOthersKeepTheirLines) {
  const DayNumber cut_off = Date(2024, 3, 12);
  AppendLine(kCheckOrDeposit, cut_off, 1);      // old: inactive
  AppendLine(kCheckOrDeposit, cut_off + 1, 2);  // recent
  AppendLine(kInvoice, kNoDate, 3);             // an open invoice
  AppendLine(kCheckOrDeposit, cut_off - 400, 4);
  AppendLine(kCheckOrDeposit, cut_off - 400, 5, /*unprinted=*/1);
  AppendLine(kJournalLine, kNoDate, 6);  // undated
  // Payee 7 has no lines at all; payee 8 only a recurring entry.
  RecurringEntryRecord rent;
  rent.kind = kCheckOrDeposit;
  rent.payee_number = 8;
  rent.account = "650";
  rent.amount = Money::FromCents(100);
  rent.day = 1;
  dir_.WriteFile("KXACCT.RJE", EncodeRecurringEntries({rent}));

  EXPECT_EQ(ledger_.DeleteInactivePayees(), 3);  // payees 1, 4 and 7
  EXPECT_EQ(ledger_.payees().count(), 5);
  ledger_.ForEachTransaction([&](const TransactionRecord& line) {
    if (line.payee_number != 0) {
      EXPECT_EQ(ledger_.PayeeName(line.payee_number), TrimRight(line.description));
    }
  });
  EXPECT_EQ(Read(1).payee_number, 0);
  EXPECT_EQ(TrimRight(Read(1).description), "Payee 1");
  EXPECT_EQ(Read(5).payee_number, 3);  // payee 5 is the third now
  std::vector<RecurringEntryRecord> recurring;
  ASSERT_TRUE(ledger_.ReadRecurringEntries(&recurring));
  EXPECT_EQ(ledger_.PayeeName(recurring[0].payee_number), "Payee 8");

  EXPECT_EQ(ledger_.DeleteInactivePayees(), 0);
}

TEST_F(InactivePayeesTest, TwentyFivePayeesAreCleanedAndTwentyFourOnlyShowTheRule) {
  OpenWithPayees(24);
  EXPECT_EQ(AskAndDeleteInactivePayees(ledger_), CleanupOutcome::kDeclined);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kTooFewPayees)});
  EXPECT_EQ(ledger_.payees().count(), 24);

  OpenWithPayees(25);
  AppendLine(kCheckOrDeposit, Date(2026, 1, 1), 25);
  const std::string payees = dir_.ReadFile("KXACCT.VND");
  for (bool first : {false, true}) {
    ui_.ClearMessages();
    ui_.Answer(first);
    if (first) ui_.Answer(false);
    EXPECT_EQ(AskAndDeleteInactivePayees(ledger_), CleanupOutcome::kDeclined);
    EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), payees);
  }
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kDeleteInactivePayeesQuestion),
                                                   std::string(kDeleteInactivePayeesCertain)}));
  ui_.ClearMessages();
  ui_.Answer(true);
  ui_.Answer(true);
  EXPECT_EQ(AskAndDeleteInactivePayees(ledger_), CleanupOutcome::kDone);
  EXPECT_EQ(ui_.LastText(), "24 inactive payees deleted.");
  EXPECT_EQ(ledger_.payees().count(), 1);
  EXPECT_EQ(ledger_.PayeeName(Read(1).payee_number), "Payee 25");
}

}  // namespace
}  // namespace zenkar::testing
