// Payee mailing labels: the lines of a label, where each copy goes on the
// sheets of 30, the margins, the options the settings keep, and the refusal
// without payees.
#include "output/mailing_labels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/output_fakes.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

PayeeRecord Payee(std::string name) {
  PayeeRecord payee;
  payee.name = std::move(name);
  payee.address = "12 St. James  Place, Apt. 4";
  payee.city_state_zip = "Portsmouth, NH  03801";
  payee.phone = "603-555-0142";
  payee.memo = "Net 30";
  return payee;
}

TEST(MailingLabelsTest, ALabelHoldsTheCleanedAddressAndWhatTheOptionsAdd) {
  EXPECT_THAT(
      LabelLines(Payee("Wharfside Properties LLC"), {}),
      ElementsAre("Wharfside Properties LLC", "12 St James Place Apt 4", "Portsmouth NH 03801"));
  MailingLabelOptions options;
  options.uppercase = options.phone = options.memo = true;
  PayeeRecord payee = Payee("Wharfside");
  payee.name_2 = "c/o Ann Lee";
  EXPECT_THAT(LabelLines(payee, options),
              ElementsAre("WHARFSIDE", "C/O ANN LEE", "12 ST JAMES PLACE APT 4",
                          "PORTSMOUTH NH 03801", "603-555-0142", "NET 30"));
}

TEST(MailingLabelsTest, ThirtyOnePayeesAtOneLabelEachTakeTwoSheets) {
  const std::vector<PlacedLabel> labels = PlaceLabels(31, 1);
  ASSERT_EQ(labels.size(), 31u);
  EXPECT_EQ(labels[2], (PlacedLabel{0, 0, 2, 2}));
  EXPECT_EQ(labels[3], (PlacedLabel{0, 1, 0, 3}));
  EXPECT_EQ(labels[29], (PlacedLabel{0, 9, 2, 29}));
  EXPECT_EQ(labels[30], (PlacedLabel{1, 0, 0, 30}));
}

TEST(MailingLabelsTest, EachPayeesCopiesFillWholeRowsOrSheets) {
  std::vector<PlacedLabel> labels = PlaceLabels(2, 3);
  EXPECT_EQ(labels[3], (PlacedLabel{0, 1, 0, 1}));
  labels = PlaceLabels(2, 15);
  EXPECT_EQ(labels[15], (PlacedLabel{0, 5, 0, 1}));
  labels = PlaceLabels(3, 30);
  EXPECT_EQ(labels[30], (PlacedLabel{1, 0, 0, 1}));
  EXPECT_EQ(labels[89], (PlacedLabel{2, 9, 2, 2}));
}

TEST(MailingLabelsTest, TheSettingsKeepTheOptions) {
  CompanySettings settings;
  MailingLabelOptions options{true, false, true, 15, Money::FromCents(25), Money::FromCents(50)};
  StoreMailingLabelOptions(options, settings);
  EXPECT_EQ(MailingLabelOptionsOf(CompanySettings::Decode(settings.Encode())), options);
  settings.label_options[3] = 7;  // not a count the group offers
  EXPECT_EQ(MailingLabelOptionsOf(settings).per_payee, 1);
}

class LabelPrintTest : public ::testing::Test {
 protected:
  LabelPrintTest() : out_(dir_.path()) {
    std::vector<PayeeRecord> records;
    for (int i = 1; i <= 31; ++i) records.push_back(Payee("Payee " + std::to_string(i)));
    payees_ = PayeeList(std::move(records));
  }
  testing::TempDir dir_;
  testing::TestOutput out_;
  PayeeList payees_;
};

TEST_F(LabelPrintTest, TheSecondSheetHoldsTheThirtyFirstLabelTopLeftShiftedByTheMargins) {
  std::vector<int> chosen;
  for (int i = 1; i <= 31; ++i) chosen.push_back(i);
  PrintJob job(out_.services, OutputTarget::kPrinter);
  MailingLabelOptions options;
  options.left_margin = Money::FromCents(25);
  options.top_margin = Money::FromCents(50);
  ASSERT_TRUE(PrintMailingLabels(job, payees_, chosen, options));
  EXPECT_EQ(out_.printer.titles, std::vector<std::string>{"Payee-Labels"});
  const auto& calls = out_.printer.jobs.back();
  const auto pages = testing::PagesOf(calls);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[1], ElementsAre("Payee 31", "12 St James Place Apt 4", "Portsmouth NH 03801"));
  const testing::CanvasCall& last_name =
      *std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.text == "Payee 31"; });
  // The first label's text: 3/16 inch + 0.15 inch in, 1/2 inch + 1.1 rows down,
  // moved by a quarter inch across and half an inch down.
  EXPECT_DOUBLE_EQ(last_name.column, 1.875 + 1.5 + 2.5);
  EXPECT_DOUBLE_EQ(last_name.row, 3 + 1.1 + 3);
}

TEST_F(LabelPrintTest, WithoutPayeesNothingIsPrinted) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  EXPECT_FALSE(PrintMailingLabels(job, payees_, {}, {}));
  EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{"Select at least one Payee."});
  EXPECT_TRUE(out_.printer.titles.empty());
}

}  // namespace
}  // namespace zenkar
