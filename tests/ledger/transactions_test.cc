// The transaction file: appending with its four rules, rewriting, deleting,
// voiding, inserting, moving to the end and sorting, all keeping record
// numbers and posted totals right, over random sequences of operations too;
// the load-time sort and consistency pass; and injected write failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "common/byte_codec.h"
#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::Date;
using testing::LedgerFixture;
using testing::Line;

// Records every change notice.
class Recorder : public LedgerObserver {
 public:
  void OnLedgerChanged(LedgerChange change, int record_number) override {
    changes.emplace_back(change, record_number);
  }
  std::vector<std::pair<LedgerChange, int>> changes;
};

class TransactionsTest : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  // Appends lines "L1" .. "Ln" alternating journal lines, checks and invoices.
  void AppendNumbered(int n, int32_t unprinted = 0) {
    for (int i = 1; i <= n; ++i) {
      TransactionRecord line = Line(i % 3 == 0   ? kInvoice
                                    : i % 3 == 1 ? kJournalLine
                                                 : kCheckOrDeposit,
                                    i % 2 ? "650" : "720", 1000 * i, "L" + std::to_string(i),
                                    Date(2025, 1 + i % 12, 1 + i % 28));
      line.unprinted = unprinted;
      Append(line);
    }
  }

  std::vector<std::string> Memos(std::initializer_list<int> numbers) {
    std::vector<std::string> memos;
    for (int n : numbers) memos.push_back("L" + std::to_string(n));
    return memos;
  }

  // Everything a failed operation must leave as it was.
  struct Snapshot {
    std::string lines, chart, payees, settings;
    int count;
    std::string chart_in_memory;
    TransactionSummary summary;
  };
  Snapshot Take() {
    return {dir_.ReadFile("KXACCT.TRN"),
            dir_.ReadFile("KXACCT.COA"),
            dir_.ReadFile("KXACCT.VND"),
            dir_.ReadFile("KXACCT.CFG"),
            ledger_.transaction_count(),
            ledger_.chart().Encode(),
            ledger_.summary()};
  }
  void ExpectUnchanged(const Snapshot& before) {
    // Compared as booleans: the bytes of a whole file make unreadable output.
    EXPECT_TRUE(dir_.ReadFile("KXACCT.TRN") == before.lines);
    EXPECT_TRUE(dir_.ReadFile("KXACCT.COA") == before.chart);
    EXPECT_TRUE(dir_.ReadFile("KXACCT.VND") == before.payees);
    EXPECT_EQ(ledger_.transaction_count(), before.count);
    EXPECT_TRUE(ledger_.chart().Encode() == before.chart_in_memory);
    EXPECT_TRUE(ledger_.summary() == before.summary);
    EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.TRN KXACCT.VND");
    ASSERT_FALSE(ui_.messages().empty());
    EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
  }

  using Faults = testing::FaultInjectingFileSystem::Faults;
  // Failures an append meets: the data file cannot be opened, the disk fills
  // before or within the new line, or within the account's record.
  static std::vector<Faults> AppendFaults() {
    return {{.refuse_open = true},
            {.bytes_until_full = 0},
            {.bytes_until_full = 200},
            {.bytes_until_full = 400}};
  }
  // Failures a rewrite of whole files meets.
  static std::vector<Faults> RewriteFaults() {
    return {{.refuse_open = true},      {.bytes_until_full = 0}, {.bytes_until_full = 200},
            {.bytes_until_full = 1000}, {.fail_sync = true},     {.fail_rename = true}};
  }

  // Runs `operation` under each injected failure and checks that it reports
  // failure and loses nothing; then runs it for real.
  template <typename Operation>
  void ExpectFailuresLoseNothing(const std::vector<Faults>& faults, Operation operation) {
    const Snapshot before = Take();
    for (size_t i = 0; i < faults.size(); ++i) {
      SCOPED_TRACE("fault " + std::to_string(i));
      fs_.faults() = faults[i];
      ui_.ClearMessages();
      EXPECT_FALSE(operation());
      ExpectUnchanged(before);
    }
    fs_.ClearFaults();
    ui_.ClearMessages();
    EXPECT_TRUE(operation());
    ExpectBooksAgreeWithFiles();
  }
};

// --- Appending ---------------------------------------------------------------

TEST_F(TransactionsTest, AppendingPostsTheRoundedAmountAndExtendsTheFile) {
  TransactionRecord check = Line(kCheckOrDeposit, "650", 0, "rent");
  check.amount = Money::FromRaw(123450);  // 12.345
  EXPECT_EQ(Append(check), 1);
  EXPECT_EQ(Append(Line(kJournalLine, "650", -45, "adjust")), 2);
  EXPECT_EQ(ledger_.transaction_count(), 2);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 2u * 328);
  EXPECT_EQ(Posted("650"), Money::FromCents(1235 - 45));
  EXPECT_EQ(Read(1).memo.substr(0, 4), "rent");
  EXPECT_EQ(Read(1).record_number, 1);
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, AppendingAnInvoiceLeavesEveryAccountTotalAlone) {
  const std::string chart = dir_.ReadFile("KXACCT.COA");
  Append(Line(kInvoice, "650", 70000));
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);
  EXPECT_EQ(ledger_.summary().unpaid_count, 1);
  EXPECT_EQ(ledger_.summary().unpaid_total, Money::FromCents(70000));
  EXPECT_EQ(ledger_.OutOfBalance(), Money());
}

TEST_F(TransactionsTest, ANumericReferenceAdvancesTheSuggestedNextReference) {
  const std::pair<std::string, std::string> cases[] = {
      {"1041", "1042"}, {"99999", "00001"}, {"00998", "00999"}, {"7", "8"}};
  for (const auto& [reference, next] : cases) {
    Append(Line(kCheckOrDeposit, "650", 100, "", 45000, reference));
    EXPECT_EQ(TrimRight(ledger_.settings().next_check), next) << reference;
  }
  Append(Line(kCheckOrDeposit, "650", 100, "", 45000, "A-7"));
  EXPECT_EQ(TrimRight(ledger_.settings().next_check), "8");
  Append(Line(kInvoice, "650", 100, "", 45000, "500"));
  EXPECT_EQ(TrimRight(ledger_.settings().next_check), "8");
  Append(Line(kJournalLine, "650", 100, "", 45000, "20"));
  EXPECT_EQ(TrimRight(ledger_.settings().next_check), "21");
}

TEST_F(TransactionsTest, ALineWithAPayeeMakesItTheLastPayeeUsed) {
  Append(Line(kCheckOrDeposit, "650", 100, "", 45000, "", 2));
  EXPECT_EQ(ledger_.last_payee(), 2);
  Append(Line(kJournalLine, "650", 100));
  EXPECT_EQ(ledger_.last_payee(), 2);
  Append(Line(kInvoice, "650", 100, "", 45000, "", 3));
  EXPECT_EQ(ledger_.last_payee(), 3);
}

TEST_F(TransactionsTest, AFailedAppendLeavesFileCountAndTotalsAsTheyWere) {
  AppendNumbered(3);
  ExpectFailuresLoseNothing(AppendFaults(), [&] {
    return ledger_.AppendTransaction(Line(kCheckOrDeposit, "650", 999)).has_value();
  });
  EXPECT_EQ(ledger_.transaction_count(), 4);
}

// --- Rewriting, voiding ------------------------------------------------------

TEST_F(TransactionsTest, RewritingALineMovesItsAmountBetweenAccounts) {
  AppendNumbered(3);
  TransactionRecord line = Read(1);  // a journal line of 10.00 to 650
  line.account = "720";
  line.amount = Money::FromCents(2500);
  ASSERT_TRUE(ledger_.WriteTransaction(1, line));
  EXPECT_EQ(Posted("650"), Money::FromCents(1000 * 3 - 1000 * 3));
  EXPECT_EQ(Read(1).account, "720 ");
  EXPECT_EQ(Read(1).entry_sequence, 1);
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, AFailedRewriteLeavesTheLineAndTotals) {
  AppendNumbered(3);
  TransactionRecord line = Read(1);
  line.account = "720";
  ExpectFailuresLoseNothing(
      {{.refuse_open = true}, {.bytes_until_full = 0}, {.fail_sync = true}, {.fail_rename = true}},
      [&] { return ledger_.WriteTransaction(1, line); });
  EXPECT_EQ(Read(1).account, "720 ");
}

TEST_F(TransactionsTest, ALineThatCannotBeTakenBackKeepsTheBooksInStepWithIt) {
  AppendNumbered(3);
  TransactionRecord line = Read(1);
  line.account = "720";
  // The line goes in; the chart and then the line's old bytes find no room.
  fs_.faults().bytes_until_full = 400;
  EXPECT_TRUE(ledger_.WriteTransaction(1, line));
  fs_.ClearFaults();
  EXPECT_EQ(Read(1).account, "720 ");
  EXPECT_EQ(ui_.LastText(),
            "Line 1 was saved, but the account totals could not be. They will be corrected from "
            "the transactions the next time this data folder is opened.");
  EXPECT_EQ(Posted("650"), Money());
  // The chart on disk lags behind until the next load repairs it.
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.messages().back().title, "Testing: ");
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, VoidingACheckMakesItAnUnpaidInvoiceInPlace) {
  TransactionRecord check =
      Line(kCheckOrDeposit, "650", 25000, "rent", Date(2025, 3, 1), "1041", 1);
  Append(Line(kJournalLine, "720", 100, "first"));
  Append(check);
  Append(Line(kJournalLine, "720", -100, "last"));
  ASSERT_TRUE(ledger_.VoidTransaction(2));
  const TransactionRecord voided = Read(2);
  EXPECT_EQ(voided.kind, kInvoice);
  EXPECT_EQ(voided.reference, "        ");
  EXPECT_EQ(voided.due_date, Date(2025, 3, 1));
  EXPECT_EQ(voided.date, Date(2025, 3, 1));
  EXPECT_EQ(voided.account, "650 ");
  EXPECT_EQ(voided.amount, Money::FromCents(25000));
  EXPECT_EQ(voided.payee_number, 1);
  EXPECT_EQ(Posted("650"), Money());
  EXPECT_EQ(ledger_.summary().unpaid_count, 1);
  EXPECT_EQ(ledger_.summary().check_deposit_total, Money());
  EXPECT_EQ(ledger_.BankBalance(), Money::FromCents(500000));
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, VoidingKeepsADueDateAndRefusesOtherKinds) {
  TransactionRecord check = Line(kCheckOrDeposit, "650", 100, "", Date(2025, 3, 1));
  check.due_date = Date(2025, 2, 20);
  Append(check);
  Append(Line(kJournalLine, "650", 100));
  ASSERT_TRUE(ledger_.VoidTransaction(1));
  EXPECT_EQ(Read(1).due_date, Date(2025, 2, 20));
  EXPECT_FALSE(ledger_.VoidTransaction(1));  // now an invoice
  EXPECT_FALSE(ledger_.VoidTransaction(2));
  EXPECT_EQ(Read(2).kind, kJournalLine);
}

// --- Deleting ----------------------------------------------------------------

TEST_F(TransactionsTest, DeletingRecordFiveOfNineMovesTheRestUpMarkedUnprinted) {
  AppendNumbered(9, /*unprinted=*/0);
  Recorder recorder;
  ledger_.AddObserver(&recorder);
  ASSERT_TRUE(ledger_.DeleteTransaction(5));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3, 4, 6, 7, 8, 9}));
  EXPECT_EQ(ledger_.transaction_count(), 8);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(Read(n).unprinted, n >= 5 ? 1 : 0) << n;
  EXPECT_EQ(recorder.changes,
            (std::vector<std::pair<LedgerChange, int>>{{LedgerChange::kTransactionDeleted, 5}}));
  EXPECT_EQ(RecordNumberAfterRemoval(6, 5), 5);
  EXPECT_EQ(RecordNumberAfterRemoval(4, 5), 4);
  ExpectBooksAgreeWithFiles();
  ledger_.RemoveObserver(&recorder);
}

TEST_F(TransactionsTest, DeletingTheOnlyRecordLeavesAnEmptyFile) {
  Append(Line(kCheckOrDeposit, "650", 100));
  ASSERT_TRUE(ledger_.DeleteTransaction(1));
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "");
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(Posted("650"), Money());
  EXPECT_EQ(ledger_.summary().check_deposit_total, Money());
  // The file is open again: appending still works.
  EXPECT_EQ(Append(Line(kJournalLine, "650", 100)), 1);
}

TEST_F(TransactionsTest, AFailedDeleteLosesNothing) {
  AppendNumbered(9);
  ExpectFailuresLoseNothing(RewriteFaults(), [&] { return ledger_.DeleteTransaction(4); });
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3, 5, 6, 7, 8, 9}));
}

// --- Marking lines printed ----------------------------------------------------

// Lines `numbers` as a report printed them, read now.
std::vector<PrintedLine> PrintedNow(Ledger& ledger, std::initializer_list<int> numbers) {
  std::vector<PrintedLine> printed;
  ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    if (std::find(numbers.begin(), numbers.end(), number) != numbers.end()) {
      printed.push_back({number, PrintedFingerprint(record)});
    }
  });
  return printed;
}

TEST_F(TransactionsTest, MarkingPrintedClearsOnlyTheLinesStillAsPrinted) {
  AppendNumbered(6, /*unprinted=*/1);
  const std::vector<PrintedLine> printed = PrintedNow(ledger_, {1, 2, 3, 4, 5});
  // Line 2 is edited after the report: it keeps its mark, as does line 6,
  // which was not printed.
  TransactionRecord edited = Read(2);
  edited.amount = Money::FromCents(77);
  ASSERT_TRUE(ledger_.WriteTransaction(2, edited));
  Recorder recorder;
  ledger_.AddObserver(&recorder);
  ASSERT_TRUE(ledger_.MarkTransactionsPrinted(printed));
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(Read(n).unprinted, n == 2 || n == 6 ? 1 : 0) << n;
  EXPECT_EQ(recorder.changes,
            (std::vector<std::pair<LedgerChange, int>>{{LedgerChange::kTransactionsReordered, 0}}));
  ExpectBooksAgreeWithFiles();

  // A deletion moves the later lines up (and marks them unprinted): the
  // numbers printed now name other lines, and none is taken for its neighbour.
  ASSERT_TRUE(ledger_.DeleteTransaction(1));
  ASSERT_TRUE(ledger_.MarkTransactionsPrinted(printed));
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(Read(n).unprinted, 1) << n;
  ledger_.RemoveObserver(&recorder);
}

TEST_F(TransactionsTest, MarkingLinesAlreadyPrintedWritesNothing) {
  AppendNumbered(3, /*unprinted=*/0);
  const std::string before = dir_.ReadFile("KXACCT.TRN");
  fs_.ResetCounts();
  EXPECT_TRUE(ledger_.MarkTransactionsPrinted(PrintedNow(ledger_, {1, 2, 3})));
  EXPECT_EQ(fs_.count(testing::Step::kRename), 0);
  EXPECT_TRUE(dir_.ReadFile("KXACCT.TRN") == before);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(TransactionsTest, AFailedMarkingLosesNothing) {
  AppendNumbered(4, /*unprinted=*/1);
  const std::vector<PrintedLine> printed = PrintedNow(ledger_, {2, 3});
  ExpectFailuresLoseNothing(RewriteFaults(),
                            [&] { return ledger_.MarkTransactionsPrinted(printed); });
  EXPECT_EQ(Read(2).unprinted, 0);
  EXPECT_EQ(Read(4).unprinted, 1);
}

// --- Inserting and moving ----------------------------------------------------

TEST_F(TransactionsTest, InsertingAfterFiveOfTenMakesTheNewLineSix) {
  date_order_ = 0;
  OpenCompany();
  AppendNumbered(10);
  EXPECT_EQ(ledger_.InsertTransactionAfter(5, Line(kJournalLine, "650", 4200, "L99", 45000, "", 3)),
            6);
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3, 4, 5, 99, 6, 7, 8, 9, 10}));
  EXPECT_EQ(ledger_.last_payee(), 3);
  EXPECT_EQ(ledger_.InsertTransactionAfter(0, Line(kJournalLine, "650", 1, "L0")), 1);
  EXPECT_EQ(MemosOnDisk().front(), "L0");
  ExpectBooksAgreeWithFiles();
  // The order of entry is now the file's order: a date sort and back keeps it.
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kDate));
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({0, 1, 2, 3, 4, 5, 99, 6, 7, 8, 9, 10}));
}

TEST_F(TransactionsTest, InsertingIsRefusedWhileTheFileIsInDateOrder) {
  AppendNumbered(3);
  const Snapshot before = Take();
  EXPECT_EQ(ledger_.InsertTransactionAfter(1, Line(kJournalLine, "650", 100)), std::nullopt);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"Cannot insert transactions when viewing in date order."});
  ExpectUnchanged(before);
}

TEST_F(TransactionsTest, AFailedInsertLosesNothing) {
  date_order_ = 0;
  OpenCompany();
  AppendNumbered(4);
  ExpectFailuresLoseNothing(RewriteFaults(), [&] {
    return ledger_.InsertTransactionAfter(2, Line(kCheckOrDeposit, "720", 500, "L9")).has_value();
  });
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 9, 3, 4}));
}

TEST_F(TransactionsTest, PayingInvoicesTenAndTwentyFindsTheSecondAtNineteen) {
  for (int i = 1; i <= 25; ++i) {
    Append(Line(i == 10 || i == 20 ? kInvoice : kJournalLine, "650", i == 10 || i == 20 ? 100 : 0,
                "L" + std::to_string(i)));
  }
  std::vector<int> selected = {10, 20};
  for (size_t i = 0; i < selected.size(); ++i) {
    TransactionRecord paid = Read(selected[i]);
    EXPECT_EQ(paid.kind, kInvoice);
    paid.kind = kCheckOrDeposit;
    paid.unprinted = 1;
    EXPECT_EQ(ledger_.MoveTransactionToEnd(selected[i], paid), 25);
    for (size_t j = i + 1; j < selected.size(); ++j) {
      selected[j] = RecordNumberAfterRemoval(selected[j], selected[i]);
    }
  }
  EXPECT_EQ(selected[1], 19);
  EXPECT_EQ(MemosOnDisk().back(), "L20");
  EXPECT_EQ(MemosOnDisk()[23], "L10");
  EXPECT_EQ(Posted("650"), Money::FromCents(200));
  EXPECT_EQ(ledger_.summary().unpaid_count, 0);
  ExpectBooksAgreeWithFiles();
}

// Paying invoices 20 and 10 (in that order of the list): both leave their
// places in one rewrite, the lines between move up, and the paid lines stand
// at the end in list order, posted, with the next entry sequences.
TEST_F(TransactionsTest, PayingInvoicesMovesThemToTheEndPostedInOneChange) {
  date_order_ = 0;
  OpenCompany();
  for (int i = 1; i <= 25; ++i) {
    const bool invoice = i == 10 || i == 20;
    Append(Line(invoice ? kInvoice : kJournalLine, "650", invoice ? 100 * i : 0,
                "L" + std::to_string(i)));
  }
  const Money bank_before = ledger_.BankBalance();
  std::vector<PaidInvoice> paid;
  for (int number : {20, 10}) {
    TransactionRecord line = Read(number);
    line.kind = kCheckOrDeposit;
    line.reference = "1043";
    line.date = Date(2026, 3, 14);
    line.unprinted = 0;
    paid.push_back({number, line});
  }
  ASSERT_TRUE(ledger_.PayInvoices(paid));
  const std::vector<std::string> memos = MemosOnDisk();
  ASSERT_EQ(memos.size(), 25u);
  EXPECT_EQ(memos[8], "L9");
  EXPECT_EQ(memos[9], "L11");   // the lines after 10 moved up one
  EXPECT_EQ(memos[18], "L21");  // those after 20 two
  EXPECT_EQ(memos[23], "L20");
  EXPECT_EQ(memos[24], "L10");
  const TransactionRecord last = Read(25);
  EXPECT_EQ(last.kind, kCheckOrDeposit);
  EXPECT_EQ(last.unprinted, 1);
  EXPECT_EQ(TrimRight(last.reference), "1043");
  EXPECT_GT(last.entry_sequence, Read(24).entry_sequence);
  EXPECT_GT(Read(24).entry_sequence, Read(23).entry_sequence);
  EXPECT_EQ(Posted("650"), Money::FromCents(3000));
  EXPECT_EQ(ledger_.BankBalance(), bank_before - Money::FromCents(3000));
  EXPECT_EQ(ledger_.summary().unpaid_count, 0);
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, PaidInvoicesAreSortedIntoTheDateOrderTheSettingsChoose) {
  // The company is kept in date order.
  Append(Line(kJournalLine, "650", 0, "January", Date(2026, 1, 5)));
  Append(Line(kJournalLine, "650", 0, "March", Date(2026, 3, 20)));
  Append(Line(kInvoice, "650", 4500, "invoice", kNoDate));
  TransactionRecord line = Read(3);
  line.kind = kCheckOrDeposit;
  line.date = Date(2026, 2, 10);
  ASSERT_TRUE(ledger_.PayInvoices({{3, line}}));
  EXPECT_EQ(MemosOnDisk(), (std::vector<std::string>{"January", "invoice", "March"}));
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, APaymentOfALineThatIsNoLongerAnUnpaidInvoiceWritesNothing) {
  Append(Line(kInvoice, "650", 100, "invoice"));
  Append(Line(kCheckOrDeposit, "650", 200, "check"));
  const std::string before = dir_.ReadFile("KXACCT.TRN");
  std::vector<PaidInvoice> paid = {{1, Read(1)}, {2, Read(2)}};
  for (PaidInvoice& each : paid) each.paid.kind = kCheckOrDeposit;
  EXPECT_FALSE(ledger_.PayInvoices(paid));
  EXPECT_EQ(ui_.Texts().back(), kInvoiceGone);
  EXPECT_FALSE(ledger_.PayInvoices({paid[0], paid[0]}));  // one invoice twice
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
  EXPECT_EQ(ledger_.summary().unpaid_count, 1);
}

TEST_F(TransactionsTest, AFailedPaymentLosesNothing) {
  date_order_ = 0;
  OpenCompany();
  AppendNumbered(6);
  TransactionRecord paid = Read(3);
  paid.kind = kCheckOrDeposit;
  ExpectFailuresLoseNothing(RewriteFaults(), [&] { return ledger_.PayInvoices({{3, paid}}); });
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 4, 5, 6, 3}));
}

TEST_F(TransactionsTest, AFailedMoveLosesNothing) {
  AppendNumbered(6);
  TransactionRecord paid = Read(3);
  paid.kind = kCheckOrDeposit;
  ExpectFailuresLoseNothing(RewriteFaults(),
                            [&] { return ledger_.MoveTransactionToEnd(3, paid).has_value(); });
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 4, 5, 6, 3}));
}

// --- Sorting -----------------------------------------------------------------

TEST_F(TransactionsTest, ADateSortCanBeUndoneToTheOrderOfEntry) {
  date_order_ = 0;
  OpenCompany();
  const DayNumber days[] = {Date(2025, 5, 1), Date(2025, 2, 1), Date(2025, 5, 1), Date(2025, 1, 9),
                            kNoDate};
  for (int i = 0; i < 5; ++i) {
    Append(Line(kJournalLine, "650", 100, "L" + std::to_string(i + 1), days[i]));
  }
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kDate));
  // Undated lines (unpaid invoices) first; equal dates keep their entry order.
  EXPECT_EQ(MemosOnDisk(), Memos({5, 4, 2, 1, 3}));
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).date_order, 1);
  EXPECT_EQ(ui_.progress_texts().back(), "Sorting 5 Entries (Date Order)");
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3, 4, 5}));
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).date_order, 0);
  EXPECT_EQ(ui_.progress_texts().back(), "Sorting 5 Entries (Order Entered)");
  ExpectBooksAgreeWithFiles();
}

TEST_F(TransactionsTest, LoadingSortsIntoTheChosenOrderOnlyWhenNeeded) {
  Append(Line(kJournalLine, "650", 100, "L1", Date(2025, 5, 1)));
  Append(Line(kJournalLine, "650", 100, "L2", Date(2025, 1, 1)));
  ledger_.Close();
  ui_.ClearMessages();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(MemosOnDisk(), Memos({2, 1}));
  EXPECT_NE(
      std::find(ui_.progress_texts().begin(), ui_.progress_texts().end(), "Sorting 2 Entries "),
      ui_.progress_texts().end());
  EXPECT_TRUE(ui_.messages().empty());
  const int writes = fs_.writes();
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(fs_.writes(), writes + 1);  // the settings saved at close, no sort
}

TEST_F(TransactionsTest, LinesFromAnotherProgramGetSequencesInFileOrder) {
  // Three lines without sequences, as the Windows program writes them, in a
  // file kept in date order.
  ledger_.Close();
  std::string file;
  for (int i = 1; i <= 3; ++i) {
    TransactionRecord line =
        Line(kJournalLine, "650", 0, "L" + std::to_string(i), Date(2025, 1, 4 - i));
    std::string record = line.Encode();
    PutInt32(record, 124, 777);  // stray bytes, not a sequence
    file += record;
  }
  dir_.WriteFile("KXACCT.TRN", file);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(MemosOnDisk(), Memos({3, 2, 1}));  // sorted by date
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3}));  // the order they were found in
  // Appended lines follow them in the order of entry.
  Append(Line(kJournalLine, "650", 0, "L4", Date(2024, 1, 1)));
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kDate));
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3, 4}));
}

// Found by the transaction_record fuzz target: numbering the lines without a
// sequence after one carrying the largest 32-bit sequence overflowed, and the
// next append would have overflowed again.
TEST_F(TransactionsTest, ASequenceAtTheLimitIsNumberedAfreshKeepingTheOrderOfEntry) {
  ledger_.Close();
  std::string first = Line(kJournalLine, "650", 0, "L1", Date(2025, 1, 2)).Encode();
  PutEntrySequence(first, std::numeric_limits<int32_t>::max());
  const std::string second = Line(kJournalLine, "650", 0, "L2", Date(2025, 1, 1)).Encode();
  dir_.WriteFile("KXACCT.TRN", first + second);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(MemosOnDisk(), Memos({2, 1}));  // sorted by date
  Append(Line(kJournalLine, "650", 0, "L3", Date(2024, 1, 1)));
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2, 3}));
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(Read(n).entry_sequence, n);
}

TEST_F(TransactionsTest, ALineInsertedByAnotherProgramKeepsItsPlaceInEntryOrder) {
  date_order_ = 0;
  OpenCompany();
  AppendNumbered(3);
  ledger_.Close();
  // The other program inserted a copy-buffer line (carrying line 1's
  // sequence) between lines 1 and 2.
  std::string file = dir_.ReadFile("KXACCT.TRN");
  TransactionRecord inserted = TransactionRecord::Decode(file.substr(0, 328));
  inserted.memo = "L9";
  file.insert(328, inserted.Encode());
  dir_.WriteFile("KXACCT.TRN", file);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kDate));
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  EXPECT_EQ(MemosOnDisk(), Memos({1, 9, 2, 3}));
}

TEST_F(TransactionsTest, AFileLeftInDateOrderUnderTheEntryOrderFlagIsPutBack) {
  // A sort whose settings were not saved: the flag still says order entered.
  date_order_ = 0;
  OpenCompany();
  Append(Line(kJournalLine, "650", 0, "L1", Date(2025, 5, 1)));
  Append(Line(kJournalLine, "650", 0, "L2", Date(2025, 1, 1)));
  ledger_.Close();
  std::string file = dir_.ReadFile("KXACCT.TRN");
  dir_.WriteFile("KXACCT.TRN", file.substr(328) + file.substr(0, 328));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(MemosOnDisk(), Memos({1, 2}));
}

// --- Consistency pass at load --------------------------------------------------

TEST_F(TransactionsTest, DriftedPostedTotalsAreRepairedSavedAndReported) {
  Append(Line(kCheckOrDeposit, "650", 2500));
  Append(Line(kJournalLine, "720", 1250));
  Append(Line(kJournalLine, "210", -1250));
  ledger_.Close();
  ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  chart.mutable_account(chart.FindAccount("650")).posted_total = Money::FromCents(2000);
  chart.mutable_account(chart.FindAccount("164")).posted_total = Money::FromCents(5);
  dir_.WriteFile("KXACCT.COA", chart.Encode());
  ui_.ClearMessages();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kInformation);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_EQ(ui_.LastText(),
            "The posted totals of these accounts did not agree with their entries and have been "
            "corrected:\n\n  164 Equipment: 0.00 (was 0.05)\n  650 Rent: 25.00 (was 20.00)");
  EXPECT_EQ(Posted("650"), Money::FromCents(2500));
  ExpectBooksAgreeWithFiles();
  ui_.ClearMessages();
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(TransactionsTest, SummaryFiguresAreRebuiltAtLoad) {
  Append(Line(kCheckOrDeposit, "650", 2500));
  Append(Line(kInvoice, "650", 700));
  Append(Line(kJournalLine, "720", 300));
  const TransactionSummary summary = ledger_.summary();
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ledger_.summary() == summary);
  EXPECT_EQ(ledger_.BankBalance(), Money::FromCents(500000 - 2500));
  EXPECT_EQ(ledger_.OutOfBalance(), Money::FromCents(300));
  EXPECT_EQ(ledger_.AccountBalance(ledger_.FindAccount("110")), Money::FromCents(497500));
}

// --- Any sequence of operations --------------------------------------------------

// Random operations against a model of the file's order: after each one the
// lines on disk are in the model's order, every posted total equals the sum
// of its lines, and the out-of-balance figure is the balance forwards plus
// the journal lines.
class RandomOperationsTest : public TransactionsTest, public ::testing::WithParamInterface<int> {
 protected:
  struct ModelLine {
    std::string memo;
    DayNumber date;
    int rank;  // position in the order of entry
  };

  TransactionRecord RandomLine(const std::string& memo) {
    static const char* kAccounts[] = {"110", "130", "210", "465", "510", "650", "720"};
    TransactionRecord line =
        Line(kind_(rng_), kAccounts[account_(rng_)], 0, memo, Date(2025, 1, 1) + day_(rng_));
    line.amount = Money::FromRaw(amount_(rng_));  // sub-cent amounts round line by line
    return line;
  }

  void SortModel(TransactionOrder order) {
    std::stable_sort(model_.begin(), model_.end(), [&](const ModelLine& a, const ModelLine& b) {
      if (order == TransactionOrder::kEntry) return a.rank < b.rank;
      return a.date != b.date ? a.date < b.date : a.rank < b.rank;
    });
  }

  void RunOperation() {
    const int count = static_cast<int>(model_.size());
    const std::string memo = "M" + std::to_string(++made_);
    const int pick = count > 0 ? std::uniform_int_distribution<int>(1, count)(rng_) : 0;
    switch (std::uniform_int_distribution<int>(0, count > 0 ? 6 : 0)(rng_)) {
      case 0: {
        const TransactionRecord line = RandomLine(memo);
        ASSERT_EQ(ledger_.AppendTransaction(line), count + 1);
        model_.push_back({memo, line.date, ++last_rank_});
        break;
      }
      case 1:
        ASSERT_TRUE(ledger_.DeleteTransaction(pick));
        model_.erase(model_.begin() + (pick - 1));
        break;
      case 2: {
        if (ledger_.transaction_order() == TransactionOrder::kDate) break;
        const TransactionRecord line = RandomLine(memo);
        ASSERT_EQ(ledger_.InsertTransactionAfter(pick - 1, line), pick);
        model_.insert(model_.begin() + (pick - 1), {memo, line.date, 0});
        for (size_t i = 0; i < model_.size(); ++i) model_[i].rank = static_cast<int>(i) + 1;
        last_rank_ = static_cast<int>(model_.size());
        break;
      }
      case 3: {
        TransactionRecord paid = RandomLine(memo);
        ASSERT_EQ(ledger_.MoveTransactionToEnd(pick, paid), count);
        model_.erase(model_.begin() + (pick - 1));
        model_.push_back({memo, paid.date, ++last_rank_});
        break;
      }
      case 4: {
        const bool is_check = Read(pick).kind == kCheckOrDeposit;
        EXPECT_EQ(ledger_.VoidTransaction(pick), is_check);
        break;
      }
      case 5: {
        TransactionRecord line = RandomLine(memo);
        ASSERT_TRUE(ledger_.WriteTransaction(pick, line));
        model_[pick - 1].memo = memo;
        model_[pick - 1].date = line.date;
        break;
      }
      case 6: {
        const TransactionOrder order = ledger_.transaction_order() == TransactionOrder::kDate
                                           ? TransactionOrder::kEntry
                                           : TransactionOrder::kDate;
        ASSERT_TRUE(ledger_.SortTransactions(order));
        SortModel(order);
        break;
      }
    }
  }

  std::vector<std::string> ModelMemos() const {
    std::vector<std::string> memos;
    for (const ModelLine& line : model_) memos.push_back(line.memo);
    return memos;
  }

  std::mt19937 rng_{static_cast<unsigned>(GetParam())};
  std::uniform_int_distribution<int32_t> kind_{1, 3};
  std::uniform_int_distribution<int> account_{0, 6};
  std::uniform_int_distribution<int> day_{0, 40};
  std::uniform_int_distribution<int64_t> amount_{-50000000, 50000000};
  std::vector<ModelLine> model_;
  int made_ = 0;
  int last_rank_ = 0;
};

TEST_P(RandomOperationsTest, BooksStayInStepWithTheirLines) {
  for (int step = 0; step < 60; ++step) {
    ASSERT_NO_FATAL_FAILURE(RunOperation());
    ASSERT_EQ(MemosOnDisk(), ModelMemos()) << "step " << step;
    ASSERT_NO_FATAL_FAILURE(ExpectBooksAgreeWithFiles());
  }
  EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());
  // Loaded again, nothing needs repairing and the order of entry is intact.
  const TransactionSummary summary = ledger_.summary();
  ledger_.Close();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());
  EXPECT_TRUE(ledger_.summary() == summary);
  ASSERT_TRUE(ledger_.SortTransactions(TransactionOrder::kEntry));
  SortModel(TransactionOrder::kEntry);
  EXPECT_EQ(MemosOnDisk(), ModelMemos());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomOperationsTest, ::testing::Range(1, 7));

}  // namespace
}  // namespace zenkar
