// test-check, blank-check and quick-check: their command lines, the files
// they write, what reaches lp, and the books when a print fails.
#include <gtest/gtest.h>

#include <cstdlib>

#include "batch/command_line.h"
#include "batch_fixture.h"
#include "common/text_field.h"
#include "output/check_layout.h"
#include "output/check_run.h"
#include "output/micr_settings.h"
#include "output/quick_check.h"

namespace zenkar {
namespace {

using testing::Account;

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args, {}); }

TEST(CheckCommandLineTest, EachCheckCommandNeedsItsDocumentAndValues) {
  ParsedCommandLine parsed =
      Parse({"quick-check", "--payee", "Harbor Supply", "--account", "650", "--amount", "45.00",
             "--memo", "Rope", "--number", "1043", "--print", "Office"});
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  EXPECT_EQ(parsed.invocation.command, Command::kQuickCheck);
  const CheckRequest& check = parsed.invocation.check;
  EXPECT_TRUE(check.to_printer);
  EXPECT_EQ(check.printer, "Office");
  EXPECT_EQ(check.payee, "Harbor Supply");
  EXPECT_EQ(check.account, "650");
  EXPECT_EQ(check.amount, "45.00");
  EXPECT_EQ(check.memo, "Rope");
  EXPECT_EQ(check.number, "1043");

  parsed = Parse({"test-check", "--pdf", "test.pdf"});
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun);
  EXPECT_EQ(parsed.invocation.check.file, "test.pdf");
  EXPECT_FALSE(parsed.invocation.check.memo.has_value());

  const struct {
    std::vector<std::string> args;
    std::string error;
  } refused[] = {
      {{"test-check"}, "choose one of '--pdf FILE' and '--print'"},
      {{"test-check", "--pdf", "a.pdf", "--print"}, "choose one of '--pdf FILE' and '--print'"},
      {{"blank-check", "--pdf", "a.pdf"}, "'blank-check' needs '--number'"},
      {{"quick-check", "--payee", "X", "--account", "650", "--print"},
       "'quick-check' needs '--amount'"},
      {{"test-check", "--number", "5", "--print"}, "unknown option '--number' for 'test-check'"},
  };
  for (const auto& [args, error] : refused) {
    parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kUsageError) << args.front();
    EXPECT_EQ(parsed.error, error);
  }
}

class CheckCommandsTest : public testing::BatchFixture {
 protected:
  CheckCommandsTest() {
    env_.current_folder = dir_.path();
    setenv("TMPDIR", dir_.path().c_str(), 1);  // the printer's scratch folder
  }
  ~CheckCommandsTest() override { unsetenv("TMPDIR"); }

  void WriteBooks(int check_type) {
    WriteCompany({Account("110", "Checking Account", kAssets, 100000),
                  Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                  Account("650", "Rent", kOperatingExpenses)},
                 {}, [check_type](CompanySettings& settings) {
                   settings.check_type = check_type;
                   settings.next_check = "1043";
                 });
    MicrSettings micr;
    micr.routing_number = "021000021";
    micr.account_number = "1234-5678";
    dir_.WriteFile("KXMICR.DAT", micr.Encode());
  }

  std::string PdfText(const std::string& name) {
    return testing::RunTool("pdftotext -layout " + testing::Quote(dir_.File(name)) + " -").output;
  }
  CompanySettings StoredSettings() { return CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")); }
  bool ScratchLeft() { return dir_.Listing().find(".kxbatch-") != std::string::npos; }
};

TEST_F(CheckCommandsTest, TheTestCheckIsWrittenAndRecordedAndWantsAMicrForm) {
  WriteBooks(4);
  EXPECT_EQ(Run({"test-check", "--pdf", "test.pdf"}), kExitSuccess) << err();
  EXPECT_NE(PdfText("test.pdf").find("TEST CHECK"), std::string::npos);
  EXPECT_TRUE(MicrSettings::Decode(dir_.ReadFile("KXMICR.DAT")).test_check_printed);
  EXPECT_FALSE(ScratchLeft());

  WriteBooks(1);
  EXPECT_EQ(Run({"test-check", "--pdf", "test.pdf"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kNotMicrCheckType);
}

TEST_F(CheckCommandsTest, ABlankCheckUsesItsNumberOnce) {
  WriteBooks(5);
  EXPECT_EQ(Run({"blank-check", "--number", "1043", "--print"}), kExitSuccess) << err();
  ASSERT_EQ(shell_.runs.size(), 1u);
  EXPECT_EQ(shell_.runs[0].program, "lp");
  EXPECT_EQ(shell_.runs[0].args[0], "-t");
  EXPECT_EQ(shell_.runs[0].args[1], "Blank Check");
  EXPECT_EQ(shell_.runs[0].last_file.rfind("%PDF-1.3", 0), 0u);
  EXPECT_EQ(TrimRight(StoredSettings().next_check), "1044");
  EXPECT_EQ(Run({"blank-check", "--number", "ABC", "--pdf", "blank.pdf"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kCheckNumberRule);
  EXPECT_FALSE(dir_.Exists("blank.pdf"));
}

TEST_F(CheckCommandsTest, AQuickCheckIsAppendedAndPrinted) {
  WriteBooks(1);
  EXPECT_EQ(Run({"quick-check", "--payee", "Harbor Supply", "--account", "650", "--amount", "45.00",
                 "--memo", "Rope", "--pdf", "check.pdf"}),
            kExitSuccess)
      << err();
  const std::string text = PdfText("check.pdf");
  EXPECT_NE(text.find("**45.00**"), std::string::npos) << text;
  EXPECT_NE(text.find("Forty Five and 00/100 Dollars"), std::string::npos);
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  ASSERT_EQ(lines.size(), 328u);
  const TransactionRecord line = TransactionRecord::Decode(lines);
  EXPECT_EQ(TrimRight(line.reference), "1043");
  EXPECT_EQ(TrimRight(line.memo), "Rope");
  EXPECT_EQ(line.payee_number, 1);
  EXPECT_EQ(line.date, clock_.Today());
  EXPECT_EQ(TrimRight(StoredSettings().next_check), "1044");

  // A new payee; the same checks as the dialog.
  EXPECT_EQ(Run({"quick-check", "--payee", "Gull Island Ferry", "--account", "650", "--amount", "0",
                 "--pdf", "check.pdf"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), kAmountAboveZero);
  EXPECT_EQ(Run({"quick-check", "--payee", "Gull Island Ferry", "--account", "650", "--amount",
                 "12.50", "--number", "1043", "--pdf", "check.pdf"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), NumberInUseMessage("1043"));
  EXPECT_EQ(Run({"quick-check", "--payee", "Gull Island Ferry", "--account", "650", "--amount",
                 "12.50", "--pdf", "check.pdf"}),
            kExitSuccess);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 2 * 328u);
  EXPECT_EQ(TrimRight(PayeeList::Decode(dir_.ReadFile("KXACCT.VND")).payee(2).name),
            "Gull Island Ferry");
}

TEST_F(CheckCommandsTest, AQuickCheckThatDoesNotPrintLeavesTheBooksAsBefore) {
  WriteBooks(1);
  const std::string before = dir_.ReadFile("KXACCT.TRN");
  shell_.run_status = 1;  // lp refuses the job
  EXPECT_EQ(Run({"quick-check", "--payee", "Harbor Supply", "--account", "650", "--amount", "45.00",
                 "--print", "Office"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "Unable to access Office, select a different printer or reinstall the printer "
            "software.");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
  EXPECT_EQ(TrimRight(StoredSettings().next_check), "1043");

  // Printed, but the user says it did not come out right.
  shell_.run_status = 0;
  ui_.Answer(false);
  EXPECT_EQ(Run({"quick-check", "--payee", "Harbor Supply", "--account", "650", "--amount", "45.00",
                 "--print"}),
            kExitFailure);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
  EXPECT_EQ(TrimRight(StoredSettings().next_check), "1044");
  EXPECT_FALSE(ScratchLeft());
}

}  // namespace
}  // namespace zenkar
