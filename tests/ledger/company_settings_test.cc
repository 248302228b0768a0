// The settings record: every field at its offset, unknown bytes kept, and the
// defaults of a new company.
#include "ledger/company_settings.h"

#include <gtest/gtest.h>

#include <random>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

std::string RandomRecord(unsigned seed) {
  std::mt19937 random(seed);
  std::string record(CompanySettings::kSize, '\0');
  for (char& c : record) c = static_cast<char>(random() & 0xFF);
  return record;
}

TEST(CompanySettingsLayout, DecodeThenEncodeKeepsEveryByte) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const std::string record = RandomRecord(seed);
    EXPECT_EQ(CompanySettings::Decode(record).Encode(), record) << "seed " << seed;
  }
}

TEST(CompanySettingsLayout, FieldsAreWrittenAtTheirOffsets) {
  CompanySettings s = CompanySettings::Decode(std::string(CompanySettings::kSize, '\0'));
  s.name_line_1 = "Acme Plumbing";
  s.city_state_zip = "Springfield, IL 62701";
  s.federal_id = "12-3456789";
  s.font_size = 18;
  s.data_year = 2016;
  s.window_left = -1;
  s.bank_account = "110";
  s.capital_account = "465";
  s.start_tab = "RPT";
  s.memo_on_checks = 1;
  s.check_type = 3;
  s.next_check = "1001";
  s.fiscal_start_month = 7;
  s.statement_ending_balance = *Money::Parse("1234.5678");
  s.adjustment_descriptions[4] = "Bank fee";
  s.adjustment_amounts[4] = *Money::Parse("-12.34");
  s.income_title = "PROFIT AND LOSS";
  s.balance_footer = "Unaudited";
  s.date_order = 0;
  s.accrual_accounting = 1;
  s.mail_server = "smtp.example.com";
  s.mail_addresses[0] = "owner@example.com";
  s.mail_connection = 2;
  s.report_output.printer_name = "Office Laser";
  s.report_output.font_size = 11;
  s.check_output.font_style = 3;
  s.device_4_font_size = 9;
  s.label_left_margin = *Money::Parse("0.25");
  const std::string r = s.Encode();

  ASSERT_EQ(r.size(), 4800u);
  EXPECT_EQ(r.substr(0, 40), FitText("Acme Plumbing", 40));
  EXPECT_EQ(r.substr(120, 40), FitText("Springfield, IL 62701", 40));
  EXPECT_EQ(r.substr(252, 30), FitText("12-3456789", 30));
  EXPECT_EQ(GetInt32(r, 432), 18);
  EXPECT_EQ(GetInt32(r, 436), 2016);
  EXPECT_EQ(GetInt32(r, 440), -1);
  EXPECT_EQ(r.substr(448, 4), "110 ");
  EXPECT_EQ(r.substr(517, 4), "465 ");
  EXPECT_EQ(r.substr(476, 3), "RPT");
  EXPECT_EQ(GetInt32(r, 479), 1);
  EXPECT_EQ(GetInt32(r, 483), 3);
  EXPECT_EQ(r.substr(487, 8), "1001    ");
  EXPECT_EQ(GetInt32(r, 509), 7);
  EXPECT_EQ(GetInt64(r, 757), 12345678);
  EXPECT_EQ(r.substr(765 + 4 * 24, 24), FitText("Bank fee", 24));
  EXPECT_EQ(GetInt64(r, 885 + 4 * 8), -123400);
  EXPECT_EQ(r.substr(1165, 80), FitText("PROFIT AND LOSS", 80));
  EXPECT_EQ(r.substr(1565, 80), FitText("Unaudited", 80));
  EXPECT_EQ(GetInt32(r, 1677), 0);
  EXPECT_EQ(GetInt32(r, 1681), 1);
  EXPECT_EQ(r.substr(1946, 60), FitText("smtp.example.com", 60));
  EXPECT_EQ(r.substr(2098, 40), FitText("owner@example.com", 40));
  EXPECT_EQ(GetInt32(r, 2378), 2);
  EXPECT_EQ(r.substr(2722, 260), FitText("Office Laser", 260));
  EXPECT_EQ(GetInt32(r, 3040), 11);
  EXPECT_EQ(GetInt32(r, 3370), 3);
  EXPECT_EQ(GetInt32(r, 4050), 9);
  EXPECT_EQ(GetInt64(r, 4486), 2500);

  const CompanySettings back = CompanySettings::Decode(r);
  EXPECT_EQ(back.Encode(), r);
}

TEST(CompanySettingsLayout, LongTextIsCutToItsField) {
  CompanySettings s;
  s.name_line_1 = std::string(45, 'x');
  s.name_line_2 = "abc";
  const CompanySettings back = CompanySettings::Decode(s.Encode());
  EXPECT_EQ(back.name_line_1, std::string(40, 'x'));
  EXPECT_EQ(back.name_line_2, "abc" + std::string(37, ' '));
}

TEST(CompanySettingsDefaults, NewCompanyGetsTheDefaultsAndKeepsWhatWasSet) {
  CompanySettings s = CompanySettings::Decode(std::string(CompanySettings::kSize, '\x01'));
  s.name_line_1 = "Kept";
  s.window_left = 55;
  NewCompanySettings(s);
  const std::string r = s.Encode();
  EXPECT_EQ(s.font_size, 12);
  EXPECT_EQ(s.data_year, 2015);
  EXPECT_EQ(s.fiscal_start_month, 1);
  EXPECT_EQ(s.mail_carbon_copy, 1);
  EXPECT_EQ(s.check_type, 0);
  EXPECT_EQ(TrimRight(s.income_title), "STATEMENT OF INCOME AND EXPENSE");
  EXPECT_EQ(TrimRight(s.balance_title), "BALANCE SHEET");
  EXPECT_EQ(s.report_output.font_size, 10);
  EXPECT_EQ(s.report_output.font_name, "Arial");
  EXPECT_EQ(s.date_order, 1);
  EXPECT_EQ(s.accrual_accounting, 0);
  EXPECT_EQ(r.substr(4066, 396), std::string(396, ' '));   // blank reserved text
  EXPECT_EQ(r.substr(3716, 12), std::string(12, '\x01'));  // reserved "as set" bytes
  EXPECT_EQ(TrimRight(s.name_line_1), "Kept");
  EXPECT_EQ(s.window_left, 55);
  for (const std::string* account : {&s.bank_account, &s.payables_account, &s.receivables_account,
                                     &s.wages_account, &s.capital_account}) {
    EXPECT_FALSE(Trim(*account).empty());
  }
}

TEST(FiscalYearLabels, EachStartMonthNamesItselfAndTheMonthBefore) {
  EXPECT_EQ(FiscalYearLabel(1), "January - December");
  EXPECT_EQ(FiscalYearLabel(2), "February - January");
  EXPECT_EQ(FiscalYearLabel(7), "July - June");
  EXPECT_EQ(FiscalYearLabel(12), "December - November");
}

}  // namespace
}  // namespace zenkar
