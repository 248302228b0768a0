// Two programs on one data folder: every change reads the other's changes
// first, so no entry either of them saved is lost, and record numbers held
// across the other's change still name the same line, account or payee.
// Each Ledger here holds its own locks, as a second program would.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/backup_restore.h"
#include "ledger/folder_summary.h"
#include "ledger_fixture.h"

namespace zenkar::testing {
namespace {

class SharedFolderTest : public LedgerFixture {
 protected:
  void SetUp() override {
    OpenCompany();
    other_.SetDataFolder(dir_.path());
    ASSERT_TRUE(other_.OpenDataFolder());
    other_ui_.ClearMessages();
  }

  // The memos of the lines the other program sees.
  std::vector<std::string> OtherMemos() {
    std::vector<std::string> memos;
    other_.ForEachTransaction(
        [&](const TransactionRecord& line) { memos.emplace_back(TrimRight(line.memo)); });
    return memos;
  }

  ScriptedUi other_ui_;
  Ledger other_{fs_, other_ui_, clock_};
};

TEST_F(SharedFolderTest, BothProgramsKeepEveryEntryWhenOneSortsTheFile) {
  Append(Line(kJournalLine, "650", 100, "first", Date(2025, 3, 1)));
  // Back-dated: the file is now out of date order, and a fresh load sorts it
  // by replacing the file under the first program.
  Append(Line(kJournalLine, "650", 200, "back-dated", Date(2025, 1, 1)));
  ASSERT_TRUE(other_.SortTransactions(TransactionOrder::kDate));
  EXPECT_TRUE(other_.AppendTransaction(Line(kJournalLine, "510", -50, "other")).has_value());

  ASSERT_TRUE(ledger_.AppendTransaction(Line(kJournalLine, "650", 300, "mine")).has_value());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kBooksReread)});
  EXPECT_EQ(MemosOnDisk(), (std::vector<std::string>{"back-dated", "first", "other", "mine"}));
  ExpectBooksAgreeWithFiles();
  EXPECT_EQ(Posted("650"), Money::FromCents(600));

  ASSERT_TRUE(other_.AppendTransaction(Line(kJournalLine, "650", 1, "other again")).has_value());
  EXPECT_EQ(ledger_.transaction_count(), 4);  // not read again until its next change
  EXPECT_EQ(OtherMemos().size(), 5u);
}

TEST_F(SharedFolderTest, AnEditFindsItsLineAfterTheOtherProgramRemovedAnEarlierOne) {
  Append(Line(kJournalLine, "650", 100, "one"));
  Append(Line(kJournalLine, "650", 200, "two"));
  Append(Line(kJournalLine, "650", 300, "three"));
  ASSERT_TRUE(other_.OpenDataFolder());
  ASSERT_TRUE(other_.DeleteTransaction(1));

  TransactionRecord edited = Read(3);
  edited.memo = "three, edited";
  edited.amount = Money::FromCents(333);
  ASSERT_TRUE(ledger_.WriteTransaction(3, edited));
  EXPECT_EQ(MemosOnDisk(), (std::vector<std::string>{"two", "three, edited"}));
  ExpectBooksAgreeWithFiles();

  // A line the other program deleted is not changed, and the user is told.
  ASSERT_TRUE(other_.DeleteTransaction(1));
  ui_.ClearMessages();
  EXPECT_FALSE(ledger_.DeleteTransaction(1));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{std::string(kBooksReread), std::string(kEntryGone)}));
  EXPECT_EQ(MemosOnDisk(), std::vector<std::string>{"three, edited"});
}

TEST_F(SharedFolderTest, APaymentFindsItsInvoicesAgainOrRefusesWhenOneWasPaidElsewhere) {
  Append(Line(kJournalLine, "650", 100, "one"));
  Append(Line(kInvoice, "650", 200, "bill"));
  ASSERT_TRUE(other_.OpenDataFolder());
  ASSERT_TRUE(other_.DeleteTransaction(1));
  TransactionRecord paid = Read(2);
  paid.kind = kCheckOrDeposit;
  ASSERT_TRUE(ledger_.PayInvoices({{2, paid}}));
  EXPECT_EQ(MemosOnDisk(), std::vector<std::string>{"bill"});
  EXPECT_EQ(Read(1).kind, kCheckOrDeposit);

  Append(Line(kInvoice, "650", 300, "second bill"));
  ASSERT_TRUE(other_.OpenDataFolder());
  TransactionRecord elsewhere;
  ASSERT_TRUE(other_.ReadTransaction(2, &elsewhere));
  elsewhere.kind = kCheckOrDeposit;
  ASSERT_TRUE(other_.PayInvoices({{2, elsewhere}}));
  ui_.ClearMessages();
  paid = Read(2);
  paid.kind = kCheckOrDeposit;
  EXPECT_FALSE(ledger_.PayInvoices({{2, paid}}));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{std::string(kBooksReread), std::string(kInvoiceGone)}));
  ExpectBooksAgreeWithFiles();
}

TEST_F(SharedFolderTest, AccountsAndPayeesAreFoundAgainByNumberAndName) {
  ASSERT_TRUE(other_.AddAccount(Account("105", "Petty Cash", kAssets)));
  const int rent = ledger_.FindAccount("650");  // one place lower in the other's chart
  AccountRecord renamed = ledger_.chart().account(rent);
  renamed.description = "Rent and Lease";
  ASSERT_TRUE(ledger_.EditAccount(rent, renamed));
  EXPECT_EQ(ledger_.chart().account(ledger_.FindAccount("650")).description, "Rent and Lease");
  EXPECT_NE(ledger_.FindAccount("105"), 0);

  ASSERT_TRUE(other_.OpenDataFolder());
  ASSERT_TRUE(other_.DeletePayee(1));  // "Harbor Supply"; the others move down one
  const int bay = 2;                   // as the first program still has it
  PayeeRecord payee = ledger_.payees().payee(bay);
  payee.phone = "555-0100";
  ASSERT_TRUE(ledger_.UpdatePayee(bay, payee));
  EXPECT_EQ(ledger_.payees().payee(1).phone, "555-0100");
  EXPECT_EQ(TrimRight(ledger_.PayeeName(1)), "Bay Electric");
}

TEST_F(SharedFolderTest, SettingsSavedByBothKeepEachProgramsChanges) {
  other_.settings().name_line_1 = "Harborview Supply Co.";
  ASSERT_TRUE(other_.SaveCompanySettings());
  ledger_.settings().next_check = "1001";
  ASSERT_TRUE(ledger_.SaveCompanySettings());
  EXPECT_TRUE(ui_.messages().empty());  // merged without a word
  const CompanySettings on_disk = CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG"));
  EXPECT_EQ(TrimRight(on_disk.name_line_1), "Harborview Supply Co.");
  EXPECT_EQ(TrimRight(on_disk.next_check), "1001");
  EXPECT_EQ(TrimRight(ledger_.settings().name_line_1), "Harborview Supply Co.");

  // A later change of the other program's own field wins over a stale copy.
  other_.settings().name_line_1 = "Harborview Supply";
  ASSERT_TRUE(other_.SaveCompanySettings());
  ledger_.Close();  // saves the settings once more
  EXPECT_EQ(TrimRight(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).name_line_1),
            "Harborview Supply");
}

TEST_F(SharedFolderTest, AnEditInPlaceByTheOtherProgramIsReadBeforeTheNextChange) {
  Append(Line(kJournalLine, "650", 100, "one"));
  ASSERT_TRUE(other_.OpenDataFolder());
  // An edit in place keeps the files' lengths (the folder's change counter
  // tells even when the clock did not tick between the two).
  TransactionRecord line;
  ASSERT_TRUE(other_.ReadTransaction(1, &line));
  line.amount = Money::FromCents(150);
  ASSERT_TRUE(other_.WriteTransaction(1, line));
  ASSERT_TRUE(ledger_.AppendTransaction(Line(kJournalLine, "650", 10, "two")).has_value());
  EXPECT_EQ(Posted("650"), Money::FromCents(160));
  ExpectBooksAgreeWithFiles();
}

TEST_F(SharedFolderTest, ARestoreByAnotherProgramIsReadBeforeTheNextChange) {
  Append(Line(kJournalLine, "650", 100, "backed up"));
  TempDir backups;
  BackupEnvironment env{fs_, other_ui_, "KXACCT", "Zenkar Accounting", dir_.path()};
  BackupFileList list;
  ASSERT_EQ(WriteBackupSet(env, backups.path(), &list, kScopeWholeSuite), kBackupWritten);
  Append(Line(kJournalLine, "650", 200, "after the backup"));

  ASSERT_EQ(RestoreBackupSet(env, backups.path(), "", kScopeAccounting), 1);
  ASSERT_NE(ledger_.AppendTransaction(Line(kJournalLine, "650", 300, "after the restore")), 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kBooksReread)});
  EXPECT_EQ(MemosOnDisk(), (std::vector<std::string>{"backed up", "after the restore"}));
  ExpectBooksAgreeWithFiles();
}

class FolderAccessTest : public LedgerFixture {};

TEST_F(FolderAccessTest, AProgramThatWantsTheFolderAloneIsRefusedWhileAnotherHasIt) {
  OpenCompany();
  const std::string before = dir_.ReadFile("KXACCT.TRN");
  ScriptedUi batch_ui;
  Ledger batch(fs_, batch_ui, clock_);
  batch.set_access(Ledger::Access::kAlone);
  batch.SetDataFolder(dir_.path());
  EXPECT_FALSE(batch.OpenDataFolder());
  EXPECT_EQ(
      batch_ui.Texts(),
      std::vector<std::string>{"Another program is using this data folder:\n" + dir_.path() +
                               "\nNothing was changed. Try again when it has closed the folder."});
  EXPECT_FALSE(batch.is_loaded());
  ledger_.Close();
  EXPECT_TRUE(batch.OpenDataFolder());
  ScriptedUi desktop_ui;
  Ledger desktop(fs_, desktop_ui, clock_);
  desktop.SetDataFolder(dir_.path());
  EXPECT_TRUE(desktop.OpenDataFolder());
  EXPECT_TRUE(desktop.folder_shared());
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
}

TEST_F(FolderAccessTest, ReadingChangesNoFileAndSortsAndRepairsInMemoryOnly) {
  OpenCompany();
  Append(Line(kJournalLine, "650", 100, "later", Date(2025, 3, 1)));
  Append(Line(kJournalLine, "650", 200, "earlier", Date(2025, 1, 1)));
  ledger_.Close();
  std::remove(dir_.File("KXACCT.LCK").c_str());
  ChartOfAccounts drifted = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  drifted.mutable_account(drifted.FindAccount("650")).posted_total = Money::FromCents(1);
  dir_.WriteFile("KXACCT.COA", drifted.Encode());
  const std::string listing = dir_.Listing();
  const std::string lines = dir_.ReadFile("KXACCT.TRN"), chart = dir_.ReadFile("KXACCT.COA");

  ledger_.set_access(Ledger::Access::kReadOnly);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  std::vector<std::string> memos;
  ledger_.ForEachTransaction(
      [&](const TransactionRecord& line) { memos.emplace_back(TrimRight(line.memo)); });
  EXPECT_EQ(memos, (std::vector<std::string>{"earlier", "later"}));
  EXPECT_EQ(Posted("650"), Money::FromCents(300));
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.LastText().rfind("The posted totals of these accounts do not agree", 0), 0u);

  ui_.ClearMessages();
  EXPECT_FALSE(ledger_.AppendTransaction(Line(kJournalLine, "650", 1)).has_value());
  EXPECT_FALSE(ledger_.SaveCompanySettings());
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kOpenedForReading),
                                                   std::string(kOpenedForReading)}));
  ledger_.Close();
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);
}

TEST_F(FolderAccessTest, ARefusedOpenChangesNoFile) {
  WriteCompany();
  ASSERT_TRUE(ledger_.OpenDataFolder());
  Append(Line(kJournalLine, "650", 100, "later", Date(2025, 3, 1)));
  Append(Line(kJournalLine, "650", 200, "earlier", Date(2025, 1, 1)));
  ledger_.Close();
  CompanySettings old_layout = CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG"));
  old_layout.data_year = 2013;  // would be brought up to date and saved
  dir_.WriteFile("KXACCT.CFG", old_layout.Encode());
  dir_.WriteFile("KXACCT.VND", dir_.ReadFile("KXACCT.VND") + "partial");
  const std::string listing = dir_.Listing();
  const std::string settings = dir_.ReadFile("KXACCT.CFG"), lines = dir_.ReadFile("KXACCT.TRN");

  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.LastText().rfind("Invalid data file:", 0), 0u);
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), settings);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);  // not sorted
}

}  // namespace
}  // namespace zenkar::testing
