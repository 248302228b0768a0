// The MICR tab's rules over a real company folder: what a save refuses and
// what it stores, and the logo's selection and removal.
#include "app_rules/check_printing/micr_setup.h"

#include <gtest/gtest.h>

#include "common/text_field.h"
#include "ledger/ledger_fixture.h"
#include "output/check_layout.h"
#include "output/check_run.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

class MicrSetupTest : public testing::LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  MicrSettings Stored() { return MicrSettings::Decode(dir_.ReadFile("KXMICR.DAT")); }

  // Fills in what a bank needs.
  static void FillIn(MicrSetup& setup) {
    setup.check_type() = 4;
    setup.edited().bank_name = "First Harbor Bank";
    setup.edited().routing_number = " 021000021 ";
    setup.edited().account_number = "1234-5678 ";
  }
};

TEST_F(MicrSetupTest, ASaveNeedsAMicrTypeAndNumbersABankCanRead) {
  MicrSetup setup(ledger_);
  EXPECT_EQ(setup.check_type(), 0);
  EXPECT_FALSE(setup.HasUnsavedEdits());
  FillIn(setup);
  EXPECT_TRUE(setup.HasUnsavedEdits());
  setup.check_type() = 1;
  EXPECT_FALSE(setup.Save());
  setup.check_type() = 4;
  setup.edited().routing_number = "021000022";
  EXPECT_FALSE(setup.Save());
  setup.edited().routing_number = "021000021";
  setup.edited().account_number = "1234/5678";
  EXPECT_FALSE(setup.Save());
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{std::string(kNotMicrCheckType),
                                                   std::string(kInvalidRoutingNumber),
                                                   std::string(kAccountNumberRule)}));
  EXPECT_FALSE(dir_.Exists("KXMICR.DAT"));
  EXPECT_EQ(ledger_.settings().check_type, 0);
}

TEST_F(MicrSetupTest, SavingWritesTheFileAndTheCompanysCheckTypeAndAsksForATestCheck) {
  // A test check was printed with the settings before.
  MicrSettings before;
  before.test_check_printed = true;
  dir_.WriteFile("KXMICR.DAT", before.Encode());
  MicrSetup setup(ledger_);
  FillIn(setup);
  setup.edited().font_height_tenths = -3;
  ASSERT_TRUE(setup.Save());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
  const MicrSettings stored = Stored();
  EXPECT_EQ(stored.bank_name, "First Harbor Bank");
  EXPECT_EQ(stored.routing_number, "021000021");
  EXPECT_EQ(stored.account_number, "1234-5678");
  EXPECT_EQ(stored.font_height_tenths, -3);
  EXPECT_EQ(stored.check_type, 4);
  EXPECT_FALSE(stored.test_check_printed);
  EXPECT_EQ(ledger_.settings().check_type, 4);
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).check_type, 4);
  EXPECT_FALSE(setup.HasUnsavedEdits());
  EXPECT_EQ(MicrSetup(ledger_).edited().bank_name, "First Harbor Bank");

  // Another page chose another check type: nothing waits to be saved here.
  ledger_.settings().check_type = 5;
  EXPECT_FALSE(setup.HasUnsavedEdits());
  setup.Reload();
  EXPECT_EQ(setup.check_type(), 5);
}

TEST_F(MicrSetupTest, TheLogoFollowsItsRulesAndIsRemovedOnlyWhenConfirmed) {
  MicrSetup setup(ledger_);
  EXPECT_EQ(setup.LogoText(), kNoLogoSelected);
  EXPECT_FALSE(setup.RemoveLogo());  // nothing to remove, nothing asked
  dir_.WriteFile("thin.bmp", testing::MakeBmpOfSize(1, 300));
  dir_.WriteFile("logo.bmp", testing::MakeBmpOfSize(60, 40));
  EXPECT_FALSE(setup.ChooseLogo(dir_.File("thin.bmp")));
  EXPECT_FALSE(setup.ChooseLogo(dir_.File("logo.gif")));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{std::string(kLogoTooSmall), std::string(kLogoNotBitmap)}));
  EXPECT_EQ(setup.LogoText(), kNoLogoSelected);
  ASSERT_TRUE(setup.ChooseLogo(dir_.File("logo.bmp")));
  EXPECT_EQ(setup.LogoText(), dir_.File("logo.bmp"));

  ui_.ClearMessages();
  ui_.Answer(false);
  EXPECT_FALSE(setup.RemoveLogo());
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].text, kRemoveLogoQuestion);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  ui_.Answer(true);
  EXPECT_TRUE(setup.RemoveLogo());
  EXPECT_EQ(setup.LogoText(), kNoLogoSelected);
}

}  // namespace
}  // namespace zenkar
