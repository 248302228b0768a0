#include "ledger/company_settings.h"

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kNameLine1 = 0, kNameLine2 = 40, kAddress = 80, kCityStateZip = 120;
constexpr size_t kDetailTextA = 160, kDetailTextB = 176, kReserved192 = 192;
constexpr size_t kFederalId = 252, kDetailTextD = 282, kReserved312 = 312;
constexpr size_t kFontSize = 432, kDataYear = 436, kWindowLeft = 440, kWindowTop = 444;
constexpr size_t kBankAccount = 448, kPayablesAccount = 452, kReceivablesAccount = 456;
constexpr size_t kWagesAccount = 460, kPayrollAccount2 = 464;
constexpr size_t kFixedDecimal = 468, kShadingBars = 472, kStartTab = 476, kMemoOnChecks = 479;
constexpr size_t kCheckType = 483, kNextCheck = 487, kOption495 = 495, kOption499 = 499;
constexpr size_t kOption501 = 501, kOption505 = 505, kFiscalStartMonth = 509, kOption513 = 513;
constexpr size_t kCapitalAccount = 517, kOption521 = 521, kOption525 = 525, kOption529 = 529;
constexpr size_t kOption533 = 533, kReserved537 = 537;
constexpr size_t kStatementBalance = 757, kAdjustmentDescriptions = 765;
constexpr size_t kAdjustmentAmounts = 885, kReserved925 = 925;
constexpr size_t kIncomeTitle = 1165, kIncomeTextLine = 1245, kIncomeFooter = 1325;
constexpr size_t kBalanceTitle = 1405, kBalanceTextLine = 1485, kBalanceFooter = 1565;
constexpr size_t kTransactionListingLong = 1645, kChartListingLong = 1649;
constexpr size_t kIncludeZero = 1653, kOmitPercentages = 1657, kPayeeListingLong = 1665;
constexpr size_t kSortEntries = 1669, kPayrollPostDeductions = 1673, kDateOrder = 1677;
constexpr size_t kAccrual = 1681, kOption1685 = 1685, kReserved1689 = 1689;
constexpr size_t kMailPasswordStore = 1921, kMailSavePassword = 1942, kMailServer = 1946;
constexpr size_t kMailPort = 2006, kMailUserName = 2014, kMailReplyAddress = 2054;
constexpr size_t kMailCarbonCopy = 2094, kMailAddresses = 2098, kMailSubject = 2298;
constexpr size_t kMailSenderName = 2338, kMailConnection = 2378, kReserved2382 = 2382;
constexpr size_t kReportOutput = 2722, kCheckOutput = 3048, kDevice3 = 3374;
constexpr size_t kPageOptions = 3700, kOption3728 = 3728, kDevice4Printer = 3732;
constexpr size_t kDevice4Font = 4026, kDevice4FontSize = 4050;
constexpr size_t kCounter4058 = 4058, kOption4062 = 4062, kReserved4066 = 4066;
constexpr size_t kLabelOptions = 4462, kLabelTopMargin = 4478, kLabelLeftMargin = 4486;
constexpr size_t kReserved4494 = 4494, kReserved4734 = 4734;

constexpr size_t kAdjustmentDescriptionWidth = 24, kMailAddressWidth = 40;

// Offsets within one output-device group.
constexpr size_t kDevicePrinter = 0, kDeviceSource = 260, kDeviceSourceName = 264;
constexpr size_t kDeviceFont = 294, kDeviceFontSize = 318, kDeviceStyle = 322;

OutputDeviceSettings DecodeDevice(std::string_view r, size_t base) {
  OutputDeviceSettings d;
  d.printer_name = GetTextField(r, base + kDevicePrinter, 260);
  d.source_number = GetInt32(r, base + kDeviceSource);
  d.source_name = GetTextField(r, base + kDeviceSourceName, 30);
  d.font_name = GetTextField(r, base + kDeviceFont, 24);
  d.font_size = GetInt32(r, base + kDeviceFontSize);
  d.font_style = GetInt32(r, base + kDeviceStyle);
  return d;
}

void EncodeDevice(std::string& r, size_t base, const OutputDeviceSettings& d) {
  PutTextField(r, base + kDevicePrinter, 260, d.printer_name);
  PutInt32(r, base + kDeviceSource, d.source_number);
  PutTextField(r, base + kDeviceSourceName, 30, d.source_name);
  PutTextField(r, base + kDeviceFont, 24, d.font_name);
  PutInt32(r, base + kDeviceFontSize, d.font_size);
  PutInt32(r, base + kDeviceStyle, d.font_style);
}

void DefaultDevice(OutputDeviceSettings& d) {
  d.printer_name.clear();
  d.source_name.clear();
  d.font_name = std::string(kDefaultFontName);
  d.font_size = 10;
}

constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

}  // namespace

CompanySettings CompanySettings::Decode(std::string_view r) {
  CompanySettings s;
  s.raw = std::string(r.substr(0, kSize));
  s.raw.resize(kSize, '\0');
  s.name_line_1 = GetTextField(r, kNameLine1, 40);
  s.name_line_2 = GetTextField(r, kNameLine2, 40);
  s.address = GetTextField(r, kAddress, 40);
  s.city_state_zip = GetTextField(r, kCityStateZip, 40);
  s.detail_text_a = GetTextField(r, kDetailTextA, 16);
  s.detail_text_b = GetTextField(r, kDetailTextB, 16);
  s.federal_id = GetTextField(r, kFederalId, 30);
  s.detail_text_d = GetTextField(r, kDetailTextD, 30);
  s.font_size = GetInt32(r, kFontSize);
  s.data_year = GetInt32(r, kDataYear);
  s.window_left = GetInt32(r, kWindowLeft);
  s.window_top = GetInt32(r, kWindowTop);
  s.bank_account = GetTextField(r, kBankAccount, 4);
  s.payables_account = GetTextField(r, kPayablesAccount, 4);
  s.receivables_account = GetTextField(r, kReceivablesAccount, 4);
  s.wages_account = GetTextField(r, kWagesAccount, 4);
  s.payroll_account_2 = GetTextField(r, kPayrollAccount2, 4);
  s.fixed_decimal = GetInt32(r, kFixedDecimal);
  s.use_shading_bars = GetInt32(r, kShadingBars);
  s.start_tab = GetTextField(r, kStartTab, 3);
  s.memo_on_checks = GetInt32(r, kMemoOnChecks);
  s.check_type = GetInt32(r, kCheckType);
  s.next_check = GetTextField(r, kNextCheck, 8);
  s.option_495 = GetInt32(r, kOption495);
  s.option_499 = GetInt16(r, kOption499);
  s.option_501 = GetInt32(r, kOption501);
  s.option_505 = GetInt32(r, kOption505);
  s.fiscal_start_month = GetInt32(r, kFiscalStartMonth);
  s.option_513 = GetInt32(r, kOption513);
  s.capital_account = GetTextField(r, kCapitalAccount, 4);
  s.option_521 = GetInt32(r, kOption521);
  s.option_525 = GetInt32(r, kOption525);
  s.option_529 = GetInt32(r, kOption529);
  s.option_533 = GetInt32(r, kOption533);
  s.statement_ending_balance = GetMoney(r, kStatementBalance);
  for (size_t i = 0; i < 5; ++i) {
    s.adjustment_descriptions[i] = GetTextField(
        r, kAdjustmentDescriptions + i * kAdjustmentDescriptionWidth, kAdjustmentDescriptionWidth);
    s.adjustment_amounts[i] = GetMoney(r, kAdjustmentAmounts + i * 8);
    s.mail_addresses[i] =
        GetTextField(r, kMailAddresses + i * kMailAddressWidth, kMailAddressWidth);
  }
  s.income_title = GetTextField(r, kIncomeTitle, 80);
  s.income_text_line = GetTextField(r, kIncomeTextLine, 80);
  s.income_footer = GetTextField(r, kIncomeFooter, 80);
  s.balance_title = GetTextField(r, kBalanceTitle, 80);
  s.balance_text_line = GetTextField(r, kBalanceTextLine, 80);
  s.balance_footer = GetTextField(r, kBalanceFooter, 80);
  s.transaction_listing_long = GetInt32(r, kTransactionListingLong);
  s.chart_listing_long = GetInt32(r, kChartListingLong);
  s.include_zero_balances = GetInt32(r, kIncludeZero);
  s.omit_percentages = GetInt32(r, kOmitPercentages);
  s.payee_listing_long = GetInt32(r, kPayeeListingLong);
  s.sort_entries = GetInt32(r, kSortEntries);
  s.payroll_post_deductions = GetInt32(r, kPayrollPostDeductions);
  s.date_order = GetInt32(r, kDateOrder);
  s.accrual_accounting = GetInt32(r, kAccrual);
  s.option_1685 = GetInt32(r, kOption1685);
  s.MailPasswordStore = GetTextField(r, kMailPasswordStore, 21);
  s.MailSavePassword = GetInt32(r, kMailSavePassword);
  s.MailServer = GetTextField(r, kMailServer, 60);
  s.MailPort = GetTextField(r, kMailPort, 8);
  s.MailUserName = GetTextField(r, kMailUserName, 40);
  s.MailReplyAddress = GetTextField(r, kMailReplyAddress, 40);
  s.MailCarbonCopy = GetInt32(r, kMailCarbonCopy);
  s.MailSubject = GetTextField(r, kMailSubject, 40);
  s.MailSenderName = GetTextField(r, kMailSenderName, 40);
  s.MailConnection = GetInt32(r, kMailConnection);
  s.report_output = DecodeDevice(r, kReportOutput);
  s.check_output = DecodeDevice(r, kCheckOutput);
  s.device_3 = DecodeDevice(r, kDevice3);
  for (size_t i = 0; i < 4; ++i) {
    s.page_options[i] = GetInt32(r, kPageOptions + i * 4);
    s.label_options[i] = GetInt32(r, kLabelOptions + i * 4);
  }
  s.option_3728 = GetInt32(r, kOption3728);
  s.device_4_printer_name = GetTextField(r, kDevice4Printer, 260);
  s.device_4_font_name = GetTextField(r, kDevice4Font, 24);
  s.device_4_font_size = GetInt32(r, kDevice4FontSize);
  s.counter_4058 = GetInt32(r, kCounter4058);
  s.option_4062 = GetInt32(r, kOption4062);
  s.label_top_margin = GetMoney(r, kLabelTopMargin);
  s.label_left_margin = GetMoney(r, kLabelLeftMargin);
  return s;
}

std::string CompanySettings::Encode() const {
  std::string r = raw;
  r.resize(kSize, '\0');
  PutTextField(r, kNameLine1, 40, name_line_1);
  PutTextField(r, kNameLine2, 40, name_line_2);
  PutTextField(r, kAddress, 40, address);
  PutTextField(r, kCityStateZip, 40, city_state_zip);
  PutTextField(r, kDetailTextA, 16, detail_text_a);
  PutTextField(r, kDetailTextB, 16, detail_text_b);
  PutTextField(r, kFederalId, 30, federal_id);
  PutTextField(r, kDetailTextD, 30, detail_text_d);
  PutInt32(r, kFontSize, font_size);
  PutInt32(r, kDataYear, data_year);
  PutInt32(r, kWindowLeft, window_left);
  PutInt32(r, kWindowTop, window_top);
  PutTextField(r, kBankAccount, 4, bank_account);
  PutTextField(r, kPayablesAccount, 4, payables_account);
  PutTextField(r, kReceivablesAccount, 4, receivables_account);
  PutTextField(r, kWagesAccount, 4, wages_account);
  PutTextField(r, kPayrollAccount2, 4, payroll_account_2);
  PutInt32(r, kFixedDecimal, fixed_decimal);
  PutInt32(r, kShadingBars, use_shading_bars);
  PutTextField(r, kStartTab, 3, start_tab);
  PutInt32(r, kMemoOnChecks, memo_on_checks);
  PutInt32(r, kCheckType, check_type);
  PutTextField(r, kNextCheck, 8, next_check);
  PutInt32(r, kOption495, option_495);
  PutInt16(r, kOption499, option_499);
  PutInt32(r, kOption501, option_501);
  PutInt32(r, kOption505, option_505);
  PutInt32(r, kFiscalStartMonth, fiscal_start_month);
  PutInt32(r, kOption513, option_513);
  PutTextField(r, kCapitalAccount, 4, capital_account);
  PutInt32(r, kOption521, option_521);
  PutInt32(r, kOption525, option_525);
  PutInt32(r, kOption529, option_529);
  PutInt32(r, kOption533, option_533);
  PutMoney(r, kStatementBalance, statement_ending_balance);
  for (size_t i = 0; i < 5; ++i) {
    PutTextField(r, kAdjustmentDescriptions + i * kAdjustmentDescriptionWidth,
                 kAdjustmentDescriptionWidth, adjustment_descriptions[i]);
    PutMoney(r, kAdjustmentAmounts + i * 8, adjustment_amounts[i]);
    PutTextField(r, kMailAddresses + i * kMailAddressWidth, kMailAddressWidth, mail_addresses[i]);
  }
  PutTextField(r, kIncomeTitle, 80, income_title);
  PutTextField(r, kIncomeTextLine, 80, income_text_line);
  PutTextField(r, kIncomeFooter, 80, income_footer);
  PutTextField(r, kBalanceTitle, 80, balance_title);
  PutTextField(r, kBalanceTextLine, 80, balance_text_line);
  PutTextField(r, kBalanceFooter, 80, balance_footer);
  PutInt32(r, kTransactionListingLong, transaction_listing_long);
  PutInt32(r, kChartListingLong, chart_listing_long);
  PutInt32(r, kIncludeZero, include_zero_balances);
  PutInt32(r, kOmitPercentages, omit_percentages);
  PutInt32(r, kPayeeListingLong, payee_listing_long);
  PutInt32(r, kSortEntries, sort_entries);
  PutInt32(r, kPayrollPostDeductions, payroll_post_deductions);
  PutInt32(r, kDateOrder, date_order);
  PutInt32(r, kAccrual, accrual_accounting);
  PutInt32(r, kOption1685, option_1685);
  PutTextField(r, kMailPasswordStore, 21, MailPasswordStore);
  PutInt32(r, kMailSavePassword, MailSavePassword);
  PutTextField(r, kMailServer, 60, MailServer);
  PutTextField(r, kMailPort, 8, MailPort);
  PutTextField(r, kMailUserName, 40, MailUserName);
  PutTextField(r, kMailReplyAddress, 40, MailReplyAddress);
  PutInt32(r, kMailCarbonCopy, MailCarbonCopy);
  PutTextField(r, kMailSubject, 40, MailSubject);
  PutTextField(r, kMailSenderName, 40, MailSenderName);
  PutInt32(r, kMailConnection, MailConnection);
  EncodeDevice(r, kReportOutput, report_output);
  EncodeDevice(r, kCheckOutput, check_output);
  EncodeDevice(r, kDevice3, device_3);
  for (size_t i = 0; i < 4; ++i) {
    PutInt32(r, kPageOptions + i * 4, page_options[i]);
    PutInt32(r, kLabelOptions + i * 4, label_options[i]);
  }
  PutInt32(r, kOption3728, option_3728);
  PutTextField(r, kDevice4Printer, 260, device_4_printer_name);
  PutTextField(r, kDevice4Font, 24, device_4_font_name);
  PutInt32(r, kDevice4FontSize, device_4_font_size);
  PutInt32(r, kCounter4058, counter_4058);
  PutInt32(r, kOption4062, option_4062);
  PutMoney(r, kLabelTopMargin, label_top_margin);
  PutMoney(r, kLabelLeftMargin, label_left_margin);
  return r;
}

std::string FiscalYearLabel(int start_month) {
  const int previous = (start_month + 10) % 12;  // the month before, 0-based
  return std::string(kMonthNames[start_month - 1]) + " - " + kMonthNames[previous];
}

void NewCompanySettings(CompanySettings& s) {
  // Reserved text areas a new company leaves blank.
  for (auto [offset, width] : {std::pair<size_t, size_t>{kReserved192, 60},
                               {kReserved312, 120},
                               {kReserved537, 220},
                               {kReserved925, 240},
                               {kReserved1689, 232},
                               {kReserved2382, 340},
                               {kReserved4066, 396},
                               {kReserved4494, 240},
                               {kReserved4734, 66}}) {
    PutTextField(s.raw, offset, width, "");
  }
  s.detail_text_a.clear();
  s.detail_text_b.clear();
  s.federal_id.clear();
  s.detail_text_d.clear();
  s.font_size = 12;
  s.data_year = CompanySettings::kCurrentDataYear;
  s.bank_account = "110";
  s.payables_account = "210";
  s.receivables_account = "130";
  s.wages_account = "720";
  s.payroll_account_2 = "235";
  s.capital_account = "465";
  s.check_type = 0;
  s.next_check.clear();
  s.option_495 = 0;
  s.option_499 = 0;
  s.option_505 = 0;
  s.fiscal_start_month = 1;
  s.option_521 = s.option_525 = s.option_529 = s.option_533 = 0;
  s.statement_ending_balance = Money();
  for (size_t i = 0; i < 5; ++i) {
    s.adjustment_descriptions[i].clear();
    s.adjustment_amounts[i] = Money();
  }
  s.income_title = "STATEMENT OF INCOME AND EXPENSE";
  s.income_text_line.clear();
  s.income_footer.clear();
  s.balance_title = "BALANCE SHEET";
  s.balance_text_line.clear();
  s.balance_footer.clear();
  s.payroll_post_deductions = 0;
  s.date_order = 1;
  s.accrual_accounting = 0;
  s.option_1685 = 0;
  s.MailPasswordStore.clear();
  s.MailServer.clear();
  s.MailPort.clear();
  s.MailUserName.clear();
  s.MailReplyAddress.clear();
  s.MailCarbonCopy = 1;
  s.MailSubject.clear();
  s.MailConnection = 0;
  DefaultDevice(s.report_output);
  DefaultDevice(s.check_output);
  DefaultDevice(s.device_3);
  s.option_3728 = 0;
  s.device_4_printer_name.clear();
  s.device_4_font_name = std::string(kDefaultFontName);
  s.device_4_font_size = 10;
}

}  // namespace zenkar
