// The receivables import: which charges are new, the lines they make, the
// flags written back, the report, and every check that stops it.
#include <gtest/gtest.h>

#include "services/imports/import_fixture.h"

namespace zenkar::testing {
namespace {

class ReceivablesImportTest : public ImportFixture {};

TEST_F(ReceivablesImportTest, NewChargesPostByTheirSalesCodesMergedByAccount) {
  WriteReceivables(
      {SalesCode("S1", "Sales - Parts", "510"), SalesCode("S2", "Sales - Labor", "510"),
       SalesCode("P1", "Customer Payments", "110")},
      {Charge(Date(2025, 6, 1), "S1", 999),                   // 190 days before: never
       Charge(Date(2025, 9, 1), "S1", 5000, /*imported=*/1),  // imported already
       Charge(Date(2025, 11, 20), "S1", 12000), Charge(Date(2025, 12, 1), "P1", -3000),
       Charge(Date(2025, 12, 8), "S2", 4500)});
  std::string charges = dir_.ReadFile("KXAREC.CHG");
  charges[140] = 'Z';  // a byte of a field this program does not know
  dir_.WriteFile("KXAREC.CHG", charges);

  ASSERT_EQ(ImportOutcome::kImported, Receivables()) << ::testing::PrintToString(ui_.Texts());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kImportReceivablesQuestion)});

  const std::vector<TransactionRecord> lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  // Account order; the two sales codes of 510 are one line, described by the
  // first of them (the newest charge comes first).
  EXPECT_EQ(TrimRight(lines[0].account), "110");
  EXPECT_EQ(lines[0].amount, Money::FromCents(3000));
  EXPECT_EQ(TrimRight(lines[1].account), "510");
  EXPECT_EQ(TrimRight(lines[1].description), "Sales - Labor");
  EXPECT_EQ(lines[1].amount, Money::FromCents(-16500));
  EXPECT_EQ(TrimRight(lines[2].description), "Balance Change");
  EXPECT_EQ(TrimRight(lines[2].account), "130");
  EXPECT_EQ(lines[2].amount, Money::FromCents(13500));
  for (const TransactionRecord& line : lines) {
    EXPECT_EQ(line.kind, kJournalLine);
    EXPECT_EQ(line.date, clock_.Today());
    EXPECT_EQ(TrimRight(line.reference), "AR");
  }
  EXPECT_TRUE(ledger_.OutOfBalance().IsZero());
  ExpectBooksAgreeWithFiles();

  const std::vector<ChargeRecord> stored = StoredCharges();
  std::vector<int32_t> flags;
  for (const ChargeRecord& charge : stored) flags.push_back(charge.imported);
  EXPECT_EQ(flags, (std::vector<int32_t>{0, 1, 1, 1, 1}));
  EXPECT_EQ(stored[0].raw[140], 'Z');

  EXPECT_EQ(ReportTexts(), (std::vector<std::string>{
                               "Imported from Accounts Receivable: 03/14/2026 - Page 1", "DATE ",
                               "DESCRIPTION", "ACCT", "AMOUNT", "03/14/2026", "Customer Payments",
                               "110", "30.00", "03/14/2026", "Sales - Labor", "510", "(165.00)",
                               "03/14/2026", "Balance Change", "130", "135.00"}));
  EXPECT_EQ(output_.printer.titles, std::vector<std::string>{"Receivables-Import"});

  ui_.ClearMessages();
  EXPECT_EQ(ImportOutcome::kNothingNew, Receivables());
  EXPECT_EQ(ui_.LastText(), kNoNewReceivables);
  EXPECT_EQ(ledger_.transaction_count(), 3);
}

TEST_F(ReceivablesImportTest, EachProblemStopsTheImportBeforeAnythingIsWritten) {
  const std::vector<SalesCodeRecord> codes = {SalesCode("S1", "Sales", "510"),
                                              SalesCode("T1", "A title", "100")};
  const std::string in_folder = "\n" + dir_.path();
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;
    bool asked = false;  // the sales codes are looked up after the question
  };
  const std::vector<Case> cases = {
      {"no charges file", [&] { std::remove(dir_.File("KXAREC.CHG").c_str()); },
       std::string(kReceivablesNotFound) + in_folder},
      {"no settings file", [&] { std::remove(dir_.File("KXAREC.CFG").c_str()); },
       std::string(kReceivablesSetupNotFound) + in_folder},
      {"another version", [&] { WriteReceivablesSettings(2016); },
       "To share data, Zenkar Accounting and Zenkar Accounts Receivable must be the same "
       "version."},
      {"sales codes cut short", [&] { dir_.WriteFile("KXAREC.DES", std::string(150, ' ')); },
       std::string(kInvalidSalesCodeFile)},
      {"charges cut short",
       [&] { dir_.WriteFile("KXAREC.CHG", dir_.ReadFile("KXAREC.CHG") + "x"); },
       std::string(kInvalidChargesFile)},
      {"unknown sales code",
       [&] { WriteReceivables(codes, {Charge(Date(2026, 3, 1), "Q9", 100)}); },
       "At least one entry has been made to an invalid AR Sales Code: Q9", true},
      {"sales code to a title account",
       [&] { WriteReceivables(codes, {Charge(Date(2026, 3, 1), "T1", 100)}); },
       "Sales Code T1 has an invalid COA entered.", true},
      {"amount beyond any entry",
       [&] {
         ChargeRecord huge = Charge(Date(2026, 3, 1), "S1", 0);
         huge.amount = Money::FromRaw(int64_t{1} << 62);
         WriteReceivables(codes, {Charge(Date(2026, 2, 1), "S1", 5), huge});
       },
       "Damaged data in KXAREC.CHG: record 2 holds an amount beyond 1,000,000,000.00, which no "
       "entry can reach. Nothing was imported.",
       true},
      {"setup account not an entry account",
       [&] { ledger_.settings().receivables_account = "100"; },
       std::string(kInvalidReceivablesAccount)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.settings().receivables_account = "130";
    WriteReceivables(codes, {Charge(Date(2026, 3, 1), "S1", 100)});
    c.arrange();
    const std::string charges = dir_.Exists("KXAREC.CHG") ? dir_.ReadFile("KXAREC.CHG") : "";
    ui_.ClearMessages();
    EXPECT_NE(ImportOutcome::kImported, Receivables());
    std::vector<std::string> said = {c.message};
    if (c.asked) said.insert(said.begin(), std::string(kImportReceivablesQuestion));
    EXPECT_EQ(ui_.Texts(), said);
    EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
    EXPECT_EQ(ledger_.transaction_count(), 0);
    if (!charges.empty()) {
      EXPECT_EQ(dir_.ReadFile("KXAREC.CHG"), charges);
    }

    ui_.ClearMessages();
    Receivables(ImportMode::kStartUp);
    EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());
    EXPECT_EQ(ledger_.transaction_count(), 0);
  }
}

TEST_F(ReceivablesImportTest, AnOpenReceivablesProgramOrANoStopsIt) {
  WriteReceivables({SalesCode("S1", "Sales", "510")}, {Charge(Date(2026, 3, 1), "S1", 100)});
  {
    std::unique_ptr<RandomAccessFile> running;
    ASSERT_TRUE(PosixFileSystem().OpenExclusively(dir_.File("KXAREC.CFG"), &running).ok());
    EXPECT_EQ(ImportOutcome::kStopped, Receivables());
    EXPECT_EQ(ui_.LastText(), kCloseReceivables);
  }
  ui_.ClearMessages();
  ui_.Answer(false);
  EXPECT_EQ(ImportOutcome::kCanceled, Receivables());
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kImportReceivablesQuestion),
                                                   std::string(kImportCanceled)}));
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(StoredCharges()[0].imported, 0);

  // At start-up nothing is asked.
  ui_.ClearMessages();
  EXPECT_EQ(ImportOutcome::kImported, Receivables(ImportMode::kStartUp));
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(ledger_.transaction_count(), 2);
}

}  // namespace
}  // namespace zenkar::testing
