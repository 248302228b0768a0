// A change of several files cut short by a crash between two renames: the
// journal names the temporary files, and the next program that loads the
// books (or changes them) finishes the change; one that may only read them
// reads the temporary files in their targets' place. Temporary files that a
// crash left before their rename are removed.
#include <gtest/gtest.h>

#include "common/file_set_rewrite.h"
#include "ledger_fixture.h"

namespace zenkar::testing {
namespace {

class InterruptedChangeTest : public LedgerFixture {
 protected:
  // The state a crash leaves after renaming a payee: the temporary files of
  // the payee and transaction files are whole and named in the journal, and
  // only the payee file was renamed into place.
  void CrashAfterFirstRenameOfAPayeeRename() {
    OpenCompany();
    Append(Line(kCheckOrDeposit, "650", 100, "rent", 45000, "101", 2));
    const std::string lines = dir_.ReadFile("KXACCT.TRN");
    ledger_.Close();
    PayeeList payees = PayeeList::Decode(dir_.ReadFile("KXACCT.VND"));
    payees.mutable_payee(2).name = "Bay Electric Co-op";
    std::string renamed = lines;
    PutTransactionDescription(renamed, "Bay Electric Co-op", 0);
    dir_.WriteFile("KXACCT.TRN.~Tx0001", renamed);
    dir_.WriteFile("KXACCT.VND", payees.Encode());  // renamed before the crash
    dir_.WriteFile("KXACCT.JNL",
                   "ZKJ1\nKXACCT.VND.~Vx0001\tKXACCT.VND\n"
                   "KXACCT.TRN.~Tx0001\tKXACCT.TRN\n");
    old_lines_ = lines;
  }

  std::string old_lines_;
};

TEST_F(InterruptedChangeTest, TheLoadFinishesTheRenamesAndRemovesTheJournal) {
  CrashAfterFirstRenameOfAPayeeRename();
  dir_.WriteFile("KXACCT.COA.~Left01", "a rewrite a crash cut short before its rename");
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(TrimRight(Read(1).description), "Bay Electric Co-op");
  EXPECT_EQ(TrimRight(ledger_.PayeeName(2)), "Bay Electric Co-op");
  EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.TRN KXACCT.VND");
}

TEST_F(InterruptedChangeTest, AReadingProgramReadsTheNewFilesAndChangesNothing) {
  CrashAfterFirstRenameOfAPayeeRename();
  const std::string listing = dir_.Listing();
  ledger_.set_access(Ledger::Access::kReadOnly);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(TrimRight(Read(1).description), "Bay Electric Co-op");
  ledger_.Close();
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), old_lines_);
}

TEST_F(InterruptedChangeTest, AProgramWithTheBooksOpenFinishesItBeforeItsNextChange) {
  OpenCompany();
  Append(Line(kJournalLine, "650", 100, "first"));
  // Another program wrote its temporary files and journal, then crashed
  // before its first rename: nothing else shows that it ever ran.
  std::string lines = dir_.ReadFile("KXACCT.TRN");
  PutTransactionDescription(lines, "renamed elsewhere", 0);
  dir_.WriteFile("KXACCT.TRN.~Tx0002", lines);
  dir_.WriteFile("KXACCT.JNL", "ZKJ1\nKXACCT.TRN.~Tx0002\tKXACCT.TRN\n");

  ASSERT_TRUE(ledger_.AppendTransaction(Line(kJournalLine, "650", 5, "second")).has_value());
  EXPECT_EQ(MemosOnDisk(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(TrimRight(Read(1).description), "renamed elsewhere");
  EXPECT_FALSE(dir_.Exists("KXACCT.JNL"));
  ExpectBooksAgreeWithFiles();
}

TEST(JournalTest, AJournalNamingFilesOutsideItsFolderIsNotFollowed) {
  TempDir dir;
  dir.WriteFile("KXACCT.TRN", "old");
  dir.WriteFile("new", "new");
  dir.WriteFile("KXACCT.JNL", "ZKJ1\n../new\tKXACCT.TRN\n");
  EXPECT_TRUE(FileSetRewrite::PendingReplacements(PosixFileSystem(), dir.path()).empty());
  ASSERT_TRUE(FileSetRewrite::FinishInterruptedRewrite(PosixFileSystem(), dir.path()).ok());
  EXPECT_EQ(dir.ReadFile("KXACCT.TRN"), "old");
  EXPECT_FALSE(dir.Exists("KXACCT.JNL"));
}

}  // namespace
}  // namespace zenkar::testing
