// The check run over a real company folder: the starting number and the
// numbers of a run, the refusals, Next Check, the after-run question with
// what becomes of the entries of checks that did not print, a cancelled or
// failed print, the MICR settings' checks and the test and blank checks.
#include "output/check_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "output/check_fixture.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Answers which checks did not print from a list of its own.
class ListChooser : public UnprintedCheckChooser {
 public:
  explicit ListChooser(std::vector<bool> answer) : answer_(std::move(answer)) {}
  std::vector<bool> ChooseUnprinted(const std::vector<std::string>& checks) override {
    shown = checks;
    return answer_;
  }
  std::vector<std::string> shown;

 private:
  std::vector<bool> answer_;
};

class CheckRunTest : public testing::CheckFixture {
 protected:
  // A check entry to `payee` in the books, as paying an invoice leaves it,
  // and its check to print.
  CheckToPrint RecordedCheck(std::string_view payee, int64_t cents) {
    TransactionRecord line = testing::Line(kCheckOrDeposit, "650", cents, "", 46095);
    line.description = std::string(payee);
    const int record = Append(line);
    CheckToPrint check = HarborCheck(cents);
    check.content.payee_name = std::string(payee);
    check.record_numbers = {record};
    return check;
  }
  // The reference the entry of record `number` carries now.
  std::string ReferenceOf(int number) { return std::string(Trim(Read(number).reference)); }
};

TEST_F(CheckRunTest, TheRunAsksForTheFirstNumberAndNumbersConsecutively) {
  OpenWithCheckType(1);
  ledger_.settings().next_check = "00998";
  ui_.AnswerInput("00998");
  CheckRunRequest request;
  request.checks = {HarborCheck(), HarborCheck(500), HarborCheck(700)};
  std::vector<std::string> numbers_recorded;
  request.record_checks = [&](std::vector<CheckToPrint>& checks) {
    for (const CheckToPrint& check : checks) numbers_recorded.push_back(check.content.number);
    return true;
  };
  const CheckRunResult result = Run(request);
  ASSERT_TRUE(result.printed);
  EXPECT_THAT(ui_.prompts(), ElementsAre(std::string(kStartingNumberPrompt)));
  EXPECT_THAT(ui_.input_initials(), ElementsAre("00998"));
  EXPECT_THAT(result.numbers, ElementsAre("00998", "00999", "01000"));
  EXPECT_EQ(numbers_recorded, result.numbers);
  EXPECT_THAT(result.printed_correctly, ElementsAre(true, true, true));
  EXPECT_EQ(ledger_.settings().next_check, "01001");
  EXPECT_EQ(TrimRight(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).next_check), "01001");
  EXPECT_THAT(ui_.progress_texts(), ::testing::Contains(std::string(kPreparingChecks)));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
  // A PDF run asks nothing afterwards; its pages are the checks.
  const testing::TextPages pages = testing::PdfTextPages(PdfPath());
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_THAT(pages[2], ::testing::Contains(HasSubstr("Check 01000")));
}

TEST_F(CheckRunTest, NumbersThatAreNoNumberOrTakenAreAskedAgain) {
  OpenWithCheckType(1);
  Append(testing::Line(kCheckOrDeposit, "650", 1000, "", 46095, "2002"));
  Append(testing::Line(kCheckOrDeposit, "510", -1000, "", 46095, "3001"));  // a deposit
  ledger_.settings().next_check = "1043";
  ui_.AnswerInput("ABC");
  ui_.AnswerInput("999999");  // the second check would pass 999999
  ui_.AnswerInput("2001");    // 2002 is taken
  ui_.AnswerInput("3000");    // the deposit's 3001 is no check
  CheckRunRequest request;
  request.checks = {HarborCheck(), HarborCheck()};
  const CheckRunResult result = Run(request);
  ASSERT_TRUE(result.printed);
  EXPECT_THAT(result.numbers, ElementsAre("3000", "3001"));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{std::string(kCheckNumberRule), std::string(kCheckNumberRule),
                                      NumberInUseMessage("2002")}));
  EXPECT_THAT(ui_.input_initials(), ElementsAre("1043", "ABC", "999999", "2001"));
  EXPECT_EQ(ledger_.settings().next_check, "3002");

  // A number the caller gives is not asked again when refused.
  ui_.ClearMessages();
  request.first_number = "2002";
  request.checks = {HarborCheck()};
  EXPECT_FALSE(Run(request).printed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{NumberInUseMessage("2002")});
  EXPECT_EQ(ui_.prompts().size(), 4u);
}

TEST_F(CheckRunTest, NextCheckNeverGoesBack) {
  EXPECT_EQ(NextCheckPast("5000", {"2001", "2002"}), "5000");
  EXPECT_EQ(NextCheckPast("2002", {"2001", "2002"}), "2003");
  EXPECT_EQ(NextCheckPast("ABC", {"17"}), "18");
  EXPECT_EQ(NextCheckPast("", {"99999"}), "00001");  // the register's wrap
  EXPECT_EQ(NextCheckPast("12", {}), "12");
}

TEST_F(CheckRunTest, CancellingTheNumberOrThePrintTakesTheEntriesBack) {
  OpenWithCheckType(1);
  CheckRunRequest request;
  request.checks = {RecordedCheck("Harbor Supply", 1500)};
  request.unprinted = UnprintedEntries::kDelete;
  EXPECT_FALSE(Run(request).printed);  // no number given
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(ledger_.settings().next_check, "1043");

  request.checks = {RecordedCheck("Harbor Supply", 1500), RecordedCheck("Bay Electric", 2500)};
  request.unprinted = UnprintedEntries::kVoid;
  request.first_number = "1043";
  printer_.cancel = true;
  const CheckRunResult result = Run(request, OutputTarget::kPrinter);
  EXPECT_FALSE(result.printed);
  EXPECT_THAT(result.printed_correctly, ElementsAre(false, false));
  EXPECT_EQ(Read(1).kind, kInvoice);  // paid invoices are unpaid again
  EXPECT_EQ(Read(2).kind, kInvoice);
  EXPECT_EQ(ledger_.settings().next_check, "1043");
  ExpectBooksAgreeWithFiles();
}

TEST_F(CheckRunTest, ChecksThatDidNotPrintAreTakenBackAndTheirNumbersStayUsed) {
  OpenWithCheckType(1);
  CheckRunRequest request;
  request.checks = {RecordedCheck("Harbor Supply", 1500), RecordedCheck("Bay Electric", 2500),
                    RecordedCheck("Dock Rentals", 3500)};
  request.first_number = "1043";
  ListChooser chooser({false, true, false});
  request.chooser = &chooser;
  ui_.Answer(false);  // "Did every check print correctly?"
  const CheckRunResult result = Run(request, OutputTarget::kPrinter);
  ASSERT_TRUE(result.printed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kPrintedCorrectly)});
  EXPECT_EQ(ui_.messages().back().kind, MessageKind::kYesNoDefaultYes);
  EXPECT_THAT(chooser.shown,
              ElementsAre("Check 1043  Harbor Supply  15.00", "Check 1044  Bay Electric  25.00",
                          "Check 1045  Dock Rentals  35.00"));
  EXPECT_THAT(result.printed_correctly, ElementsAre(true, false, true));
  EXPECT_EQ(Read(1).kind, kCheckOrDeposit);
  EXPECT_EQ(Read(2).kind, kInvoice);
  EXPECT_EQ(ReferenceOf(2), "");
  EXPECT_EQ(Read(3).kind, kCheckOrDeposit);
  EXPECT_EQ(ledger_.settings().next_check, "1046");
  ExpectBooksAgreeWithFiles();
  EXPECT_EQ(printer_.titles, std::vector<std::string>{"Checks"});

  // Without a chooser each check is asked about; a quick check is deleted.
  ui_.ClearMessages();
  request.checks = {RecordedCheck("Harbor Supply", 100), RecordedCheck("Bay Electric", 200)};
  request.chooser = nullptr;
  request.first_number = "1046";
  request.unprinted = UnprintedEntries::kDelete;
  ui_.Answer(false);
  ui_.Answer(false);  // 1046 did not
  ui_.Answer(true);
  EXPECT_THAT(Run(request, OutputTarget::kPrinter).printed_correctly, ElementsAre(false, true));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{std::string(kPrintedCorrectly),
                                      "Did check 1046 to Harbor Supply print correctly?",
                                      "Did check 1047 to Bay Electric print correctly?"}));
  EXPECT_EQ(ledger_.transaction_count(), 4);
  EXPECT_EQ(TrimRight(Read(4).description), "Bay Electric");
  EXPECT_EQ(ledger_.settings().next_check, "1048");
  ExpectBooksAgreeWithFiles();

  // Yes keeps everything.
  request.checks = {RecordedCheck("Dock Rentals", 100)};
  request.first_number = "1048";
  EXPECT_THAT(Run(request, OutputTarget::kPrinter).printed_correctly, ElementsAre(true));
  EXPECT_EQ(ledger_.transaction_count(), 5);
}

TEST_F(CheckRunTest, ARecordingThatFailsPrintsNothing) {
  OpenWithCheckType(1);
  CheckRunRequest request;
  request.checks = {HarborCheck()};
  request.first_number = "1043";
  request.record_checks = [](std::vector<CheckToPrint>&) { return false; };
  EXPECT_FALSE(Run(request).printed);
  EXPECT_FALSE(dir_.Exists("Checks.pdf"));
  EXPECT_EQ(ledger_.settings().next_check, "1043");
}

TEST_F(CheckRunTest, ACheckTypeIsNeededAndBlankStockNeedsSoundSettings) {
  OpenWithCheckType(0);
  CheckRunRequest request;
  request.checks = {HarborCheck()};
  request.first_number = "1043";
  EXPECT_FALSE(Run(request).printed);
  EXPECT_EQ(ui_.LastText(), kNoCheckType);

  MicrSettings no_routing = testing::SoundMicrSettings();
  no_routing.routing_number = "021000022";
  dir_.WriteFile("KXMICR.DAT", no_routing.Encode());
  ledger_.settings().check_type = 4;
  EXPECT_FALSE(Run(request).printed);
  EXPECT_EQ(ui_.LastText(), kInvalidRoutingNumber);

  MicrSettings letters = testing::SoundMicrSettings();
  letters.account_number = "12AB";
  dir_.WriteFile("KXMICR.DAT", letters.Encode());
  EXPECT_FALSE(Run(request).printed);
  EXPECT_EQ(ui_.LastText(), kAccountNumberRule);
  EXPECT_FALSE(dir_.Exists("Checks.pdf"));
}

// Saved MICR settings without a test check since warn before the checks;
// printing the test check quiets the warning. Neither the test check nor its
// 000000 uses a number.
TEST_F(CheckRunTest, TheTestCheckQuietsTheWarningOfUntestedSettings) {
  MicrSettings untested = testing::SoundMicrSettings();
  untested.test_check_printed = false;
  OpenWithCheckType(4, untested);
  CheckRunRequest request;
  request.checks = {HarborCheck()};
  request.first_number = "1043";
  ASSERT_TRUE(Run(request).printed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kTestCheckWarning)});
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kInformation);

  ui_.ClearMessages();
  PrintJob test(services_, OutputTarget::kPdf);
  ASSERT_TRUE(PrintTestCheck(ledger_, test));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
  EXPECT_TRUE(LoadMicrSettings(ledger_).settings.test_check_printed);
  EXPECT_EQ(ledger_.settings().next_check, "1044");
  const testing::TextPages pages = testing::PdfTextPages(test.document_path());
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("TEST CHECK")));
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("D021000021D 000000 1234-5678C")));

  request.first_number = "1044";
  ASSERT_TRUE(Run(request).printed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
}

TEST_F(CheckRunTest, ABlankCheckAsksItsNumberAndUsesIt) {
  OpenWithCheckType(5);
  PrintJob cancelled(services_, OutputTarget::kPdf);
  EXPECT_FALSE(PrintBlankCheck(ledger_, cancelled));
  EXPECT_THAT(ui_.prompts(), ElementsAre(std::string(kBlankNumberPrompt)));
  EXPECT_THAT(ui_.input_titles(), ElementsAre(std::string(kBlankCheckTitle)));
  EXPECT_THAT(ui_.input_initials(), ElementsAre("1043"));

  ui_.AnswerInput("");  // Enter: the number proposed
  PrintJob job(services_, OutputTarget::kPdf);
  EXPECT_FALSE(PrintBlankCheck(ledger_, job));
  EXPECT_EQ(ui_.LastText(), kCheckNumberRule);

  ui_.AnswerInput("1043");
  PrintJob blank(services_, OutputTarget::kPdf);
  ASSERT_TRUE(PrintBlankCheck(ledger_, blank));
  EXPECT_EQ(ledger_.settings().next_check, "1044");
  const testing::TextPages pages = testing::PdfTextPages(blank.document_path());
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("**VOID**")));

  ledger_.settings().check_type = 2;
  ui_.ClearMessages();
  PrintJob refused(services_, OutputTarget::kPdf);
  EXPECT_FALSE(PrintBlankCheck(ledger_, refused, "1044"));
  EXPECT_FALSE(PrintTestCheck(ledger_, refused));
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kNotMicrCheckType),
                                                   std::string(kNotMicrCheckType)}));
}

// The logo of blank stock is drawn on every check and held once in the file.
TEST_F(CheckRunTest, TheLogoIsEmbeddedOnceForTheWholeRun) {
  MicrSettings with_logo = testing::SoundMicrSettings();
  with_logo.logo_path = dir_.File("logo.bmp");
  dir_.WriteFile("logo.bmp", testing::MakeBmpOfSize(40, 20));
  OpenWithCheckType(6, with_logo);
  CheckRunRequest request;
  request.checks = {HarborCheck(), HarborCheck(), HarborCheck()};
  request.first_number = "1043";
  ASSERT_TRUE(Run(request).printed);
  const std::string pdf = dir_.ReadFile("Checks.pdf");
  size_t images = 0;
  for (size_t at = pdf.find("/Subtype /Image"); at != std::string::npos;
       at = pdf.find("/Subtype /Image", at + 1)) {
    ++images;
  }
  EXPECT_EQ(images, 1u);
  size_t drawn = 0;
  for (size_t at = pdf.find("/Im1 Do"); at != std::string::npos; at = pdf.find("/Im1 Do", at + 1)) {
    ++drawn;
  }
  EXPECT_EQ(drawn, 3u);
  EXPECT_EQ(testing::QpdfProblems(PdfPath()), std::nullopt);

  std::filesystem::remove(dir_.File("logo.bmp"));
  request.first_number = "1046";
  EXPECT_FALSE(Run(request).printed);
  EXPECT_EQ(ui_.LastText(), dir_.File("logo.bmp") + " not able to be opened (PDF BMP File Read).");
}

}  // namespace
}  // namespace zenkar
