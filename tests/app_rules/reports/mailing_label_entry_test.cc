// The rules of the "Payee Mailing Labels" group: what it shows from the
// settings, its refusals (no payee, a margin that is not inches) before
// anything is printed or saved, and the options kept once the labels print.
#include "app_rules/reports/mailing_label_entry.h"

#include <gtest/gtest.h>

#include "app_rules/setup/setup_company.h"
#include "output/output_fakes.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"

namespace zenkar {
namespace {

class MailingLabelEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::WriteSetupCompany(data_, "465"));
    ledger_.SetDataFolder(data_.path());
    ASSERT_TRUE(ledger_.OpenDataFolder());
    out_.ui.ClearMessages();
  }
  CompanySettings Stored() const { return CompanySettings::Decode(data_.ReadFile("KXACCT.CFG")); }

  testing::TempDir data_;
  testing::TempDir documents_;
  testing::TestOutput out_{documents_.path()};
  testing::FixedClock clock_;
  Ledger ledger_{PosixFileSystem(), out_.ui, clock_};
};

TEST_F(MailingLabelEntryTest, RefusalsComeBeforeAnythingIsPrintedOrSaved) {
  MailingLabelEntry entry = MailingLabelEntryOf(ledger_.settings());
  EXPECT_EQ(entry.left_margin, "0.00");
  EXPECT_EQ(entry.per_payee, 1);
  const std::string settings = data_.ReadFile("KXACCT.CFG");
  EXPECT_FALSE(RunMailingLabels(ledger_, out_.services, OutputTarget::kPrinter, entry));
  entry.payees = {1};  // "Harbor Lumber"
  for (const char* margin : {"half", "2.01", "-0.10"}) {
    entry.top_margin = margin;
    EXPECT_FALSE(RunMailingLabels(ledger_, out_.services, OutputTarget::kPrinter, entry));
  }
  EXPECT_EQ(out_.ui.Texts(),
            (std::vector<std::string>{"Select at least one Payee.",
                                      "Top Margin (Inches) must be a number of inches from 0.00 "
                                      "to 2.00.",
                                      "Top Margin (Inches) must be a number of inches from 0.00 "
                                      "to 2.00.",
                                      "Top Margin (Inches) must be a number of inches from 0.00 "
                                      "to 2.00."}));
  EXPECT_TRUE(out_.printer.titles.empty());
  EXPECT_EQ(data_.ReadFile("KXACCT.CFG"), settings);
}

TEST_F(MailingLabelEntryTest, PrintingKeepsTheOptionsInTheSettings) {
  MailingLabelEntry entry = MailingLabelEntryOf(ledger_.settings());
  entry.uppercase = true;
  entry.per_payee = 6;
  entry.left_margin = "0.25";
  entry.top_margin = " .5 ";
  entry.payees = {1};  // "Harbor Lumber"
  ASSERT_TRUE(RunMailingLabels(ledger_, out_.services, OutputTarget::kPrinter, entry));
  EXPECT_EQ(out_.printer.titles, std::vector<std::string>{"Payee-Labels"});
  const MailingLabelOptions kept = MailingLabelOptionsOf(Stored());
  EXPECT_EQ(kept, (MailingLabelOptions{true, false, false, 6, Money::FromCents(25),
                                       Money::FromCents(50)}));
  EXPECT_EQ(MailingLabelEntryOf(Stored()).top_margin, "0.50");
}

}  // namespace
}  // namespace zenkar
