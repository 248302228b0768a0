// The "Data Transfer" window's rules: what it shows for each role, its
// actions with their folder prompts and the check-in question after each,
// and the edit guard over the marks the exchange sets. (The exchange itself
// is tested in tests/services/exchange.)
#include "app_rules/utilities/data_transfer.h"

#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"

namespace zenkar::testing {
namespace {

class DataTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(company_.Load());
    Ledger& ledger = company_.program.ledger();
    ASSERT_TRUE(ledger
                    .AppendTransaction(StoredLine(kCheckOrDeposit, "Bay Electric", "1001",
                                                  Day(2026, 3, 2), "650", 12000))
                    .has_value());
  }

  TransactionRecord FirstLine() {
    TransactionRecord line;
    EXPECT_TRUE(company_.program.ledger().ReadTransaction(1, &line));
    return line;
  }

  EntryCompany company_;
  TempDir packages_;
};

TEST_F(DataTransferTest, TheClientExportsAndItsEntriesAreLockedUntilCheckedIn) {
  DataTransfer transfer(company_.program);
  ASSERT_TRUE(transfer.usable());
  DataTransferView view = transfer.View();
  EXPECT_EQ(view.role, ExchangeRole::kClient);
  EXPECT_EQ(view.export_caption, "Export to Accountant");
  EXPECT_EQ(view.import_caption, "Import from Accountant");
  EXPECT_TRUE(view.export_first);
  EXPECT_EQ(view.dates.last_export, "No Previous Exports");
  EXPECT_EQ(view.dates.last_import, "No Previous Imports");

  company_.ui.AnswerFolder(packages_.path());
  transfer.CreateFile();  // the check-in question follows; No is preselected
  EXPECT_EQ(company_.ui.prompts(), std::vector<std::string>{std::string(kExportFolderPrompt)});
  EXPECT_TRUE(packages_.Exists("ZENKAR.CCC"));
  EXPECT_EQ(company_.ui.LastText(), kCheckInQuestion);
  EXPECT_EQ(transfer.View().dates.last_export, "Last Export: 03/14/2026");
  EXPECT_EQ(CheckedOutRefusal(company_.program.ledger(), FirstLine()), kEntryCheckedOutMessage);

  company_.ui.Answer(true);
  transfer.Finish();  // "Cancel"
  EXPECT_EQ(CheckedOutRefusal(company_.program.ledger(), FirstLine()), std::nullopt);
}

TEST_F(DataTransferTest, OnTheAccountantsSideTheClientsEntriesCannotBeEdited) {
  // The client: another installation's copy of another company.
  EntryCompany client;
  ASSERT_TRUE(client.Load());
  ASSERT_TRUE(client.program.ledger()
                  .AppendTransaction(
                      StoredLine(kJournalLine, "Adjust", "JE1", Day(2026, 3, 3), "510", -500))
                  .has_value());
  ExchangeEnvironment client_env{client.program.ledger(), client.program.Backups(), 0x1234};
  ASSERT_TRUE(ExportPackage(client_env, packages_.path()));

  DataTransfer transfer(company_.program);
  company_.ui.Answer(true);  // Reset
  transfer.Reset();
  EXPECT_EQ(transfer.View().role, ExchangeRole::kAccountant);
  EXPECT_EQ(transfer.View().import_caption, "Import from Client");
  EXPECT_FALSE(transfer.View().export_first);

  company_.ui.AnswerFolder(packages_.path());
  company_.ui.Answer(true);  // Replace the existing data
  company_.ui.Answer(true);  // Continue Import?
  EXPECT_TRUE(transfer.Import());
  EXPECT_EQ(company_.ui.prompts().back(), kImportFolderPrompt);
  const TransactionRecord line = FirstLine();
  EXPECT_EQ(TrimRight(line.description), "Adjust");
  EXPECT_EQ(CheckedOutRefusal(company_.program.ledger(), line), kClientEntryMessage);
}

TEST_F(DataTransferTest, AnInstallationThatKeepsNoNumberCannotExchange) {
  TempDir read_only;
  Program program{ProgramPorts{PosixFileSystem(), company_.ui, company_.shell, company_.clock,
                               company_.secret, company_.viewer, company_.users},
                  Installation{read_only.path(), read_only.path(), false},
                  WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                  DeriveDatePatterns("11/22/44")};
  DataTransfer transfer(program);
  EXPECT_FALSE(transfer.usable());
  EXPECT_EQ(company_.ui.LastText(), NoInstallationNumberMessage(read_only.path()));
}

}  // namespace
}  // namespace zenkar::testing
