#include "ledger/company_settings.h"

#include <algorithm>
#include <vector>

#include "common/byte_codec.h"
#include "common/day_number.h"
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
constexpr size_t kCheckType = 483, kNextCheck = 487, kFiscalStartMonth = 509;
constexpr size_t kCapitalAccount = 517, kReserved537 = 537;
constexpr size_t kStatementBalance = 757, kAdjustmentDescriptions = 765;
constexpr size_t kAdjustmentAmounts = 885, kReserved925 = 925;
constexpr size_t kIncomeTitle = 1165, kIncomeTextLine = 1245, kIncomeFooter = 1325;
constexpr size_t kBalanceTitle = 1405, kBalanceTextLine = 1485, kBalanceFooter = 1565;
constexpr size_t kTransactionListingLong = 1645, kChartListingLong = 1649;
constexpr size_t kIncludeZero = 1653, kOmitPercentages = 1657, kPayeeListingLong = 1665;
constexpr size_t kSortEntries = 1669, kPayrollPostDeductions = 1673, kDateOrder = 1677;
constexpr size_t kAccrual = 1681, kReserved1689 = 1689;
constexpr size_t kMailPasswordStore = 1921, kMailSavePassword = 1942, kMailServer = 1946;
constexpr size_t kMailPort = 2006, kMailUserName = 2014, kMailReplyAddress = 2054;
constexpr size_t kMailCarbonCopy = 2094, kMailAddresses = 2098, kMailSubject = 2298;
constexpr size_t kMailSenderName = 2338, kMailConnection = 2378, kReserved2382 = 2382;
constexpr size_t kReportOutput = 2722, kCheckOutput = 3048, kDevice3 = 3374;
constexpr size_t kPageOptions = 3700, kDevice4Printer = 3732;
constexpr size_t kDevice4Font = 4026, kDevice4FontSize = 4050;
constexpr size_t kCheckTopMargin = 4062, kReserved4066 = 4066;
constexpr size_t kLabelOptions = 4462, kLabelTopMargin = 4478, kLabelLeftMargin = 4486;
constexpr size_t kReserved4494 = 4494, kReserved4734 = 4734;

constexpr size_t kAdjustmentDescriptionWidth = 24, kMailAddressWidth = 40;

// Offsets within one output-device group.
constexpr size_t kDevicePrinter = 0, kDeviceSource = 260, kDeviceSourceName = 264;
constexpr size_t kDeviceFont = 294, kDeviceFontSize = 318, kDeviceStyle = 322;

void DefaultDevice(OutputDeviceSettings& d) {
  d.printer_name.clear();
  d.source_name.clear();
  d.font_name = std::string(kDefaultFontName);
  d.font_size = 10;
}

// Every known field of the record, each with its offset and width written
// once: decoding, encoding and the field-by-field merge all walk this list.
// `S` is CompanySettings or const CompanySettings; the visitor's Text,
// Int32 and Money calls read or write the member they are given.
template <typename S, typename Visitor>
void VisitDevice(S& d, size_t base, Visitor& v) {
  v.Text(base + kDevicePrinter, 260, d.printer_name);
  v.Int32(base + kDeviceSource, d.source_number);
  v.Text(base + kDeviceSourceName, 30, d.source_name);
  v.Text(base + kDeviceFont, 24, d.font_name);
  v.Int32(base + kDeviceFontSize, d.font_size);
  v.Int32(base + kDeviceStyle, d.font_style);
}

template <typename S, typename Visitor>
void VisitFields(S& s, Visitor& v) {
  v.Text(kNameLine1, 40, s.name_line_1);
  v.Text(kNameLine2, 40, s.name_line_2);
  v.Text(kAddress, 40, s.address);
  v.Text(kCityStateZip, 40, s.city_state_zip);
  v.Text(kDetailTextA, 16, s.detail_text_a);
  v.Text(kDetailTextB, 16, s.detail_text_b);
  v.Text(kFederalId, 30, s.federal_id);
  v.Text(kDetailTextD, 30, s.detail_text_d);
  v.Int32(kFontSize, s.font_size);
  v.Int32(kDataYear, s.data_year);
  v.Int32(kWindowLeft, s.window_left);
  v.Int32(kWindowTop, s.window_top);
  v.Text(kBankAccount, 4, s.bank_account);
  v.Text(kPayablesAccount, 4, s.payables_account);
  v.Text(kReceivablesAccount, 4, s.receivables_account);
  v.Text(kWagesAccount, 4, s.wages_account);
  v.Text(kPayrollAccount2, 4, s.payroll_account_2);
  v.Int32(kFixedDecimal, s.fixed_decimal);
  v.Int32(kShadingBars, s.use_shading_bars);
  v.Text(kStartTab, 3, s.start_tab);
  v.Int32(kMemoOnChecks, s.memo_on_checks);
  v.Int32(kCheckType, s.check_type);
  v.Text(kNextCheck, 8, s.next_check);
  v.Int32(kFiscalStartMonth, s.fiscal_start_month);
  v.Text(kCapitalAccount, 4, s.capital_account);
  v.Money(kStatementBalance, s.statement_ending_balance);
  for (size_t i = 0; i < 5; ++i) {
    v.Text(kAdjustmentDescriptions + i * kAdjustmentDescriptionWidth, kAdjustmentDescriptionWidth,
           s.adjustment_descriptions[i]);
    v.Money(kAdjustmentAmounts + i * 8, s.adjustment_amounts[i]);
    v.Text(kMailAddresses + i * kMailAddressWidth, kMailAddressWidth, s.mail_addresses[i]);
  }
  v.Text(kIncomeTitle, 80, s.income_title);
  v.Text(kIncomeTextLine, 80, s.income_text_line);
  v.Text(kIncomeFooter, 80, s.income_footer);
  v.Text(kBalanceTitle, 80, s.balance_title);
  v.Text(kBalanceTextLine, 80, s.balance_text_line);
  v.Text(kBalanceFooter, 80, s.balance_footer);
  v.Int32(kTransactionListingLong, s.transaction_listing_long);
  v.Int32(kChartListingLong, s.chart_listing_long);
  v.Int32(kIncludeZero, s.include_zero_balances);
  v.Int32(kOmitPercentages, s.omit_percentages);
  v.Int32(kPayeeListingLong, s.payee_listing_long);
  v.Int32(kSortEntries, s.sort_entries);
  v.Int32(kPayrollPostDeductions, s.payroll_post_deductions);
  v.Int32(kDateOrder, s.date_order);
  v.Int32(kAccrual, s.accrual_accounting);
  v.Text(kMailPasswordStore, 21, s.mail_password_store);
  v.Int32(kMailSavePassword, s.mail_save_password);
  v.Text(kMailServer, 60, s.mail_server);
  v.Text(kMailPort, 8, s.mail_port);
  v.Text(kMailUserName, 40, s.mail_user_name);
  v.Text(kMailReplyAddress, 40, s.mail_reply_address);
  v.Int32(kMailCarbonCopy, s.mail_carbon_copy);
  v.Text(kMailSubject, 40, s.mail_subject);
  v.Text(kMailSenderName, 40, s.mail_sender_name);
  v.Int32(kMailConnection, s.mail_connection);
  VisitDevice(s.report_output, kReportOutput, v);
  VisitDevice(s.check_output, kCheckOutput, v);
  VisitDevice(s.device_3, kDevice3, v);
  for (size_t i = 0; i < 4; ++i) {
    v.Int32(kPageOptions + i * 4, s.page_options[i]);
    v.Int32(kLabelOptions + i * 4, s.label_options[i]);
  }
  v.Text(kDevice4Printer, 260, s.device_4_printer_name);
  v.Text(kDevice4Font, 24, s.device_4_font_name);
  v.Int32(kDevice4FontSize, s.device_4_font_size);
  v.Int32(kCheckTopMargin, s.check_top_margin);
  v.Money(kLabelTopMargin, s.label_top_margin);
  v.Money(kLabelLeftMargin, s.label_left_margin);
}

class FieldDecoder {
 public:
  explicit FieldDecoder(std::string_view record) : r_(record) {}
  void Text(size_t offset, size_t width, std::string& field) {
    field = GetTextField(r_, offset, width);
  }
  void Int32(size_t offset, int32_t& field) { field = GetInt32(r_, offset); }
  void Money(size_t offset, zenkar::Money& field) { field = GetMoney(r_, offset); }

 private:
  std::string_view r_;
};

class FieldEncoder {
 public:
  explicit FieldEncoder(std::string& record) : r_(record) {}
  void Text(size_t offset, size_t width, const std::string& field) {
    PutTextField(r_, offset, width, field);
  }
  void Int32(size_t offset, int32_t field) { PutInt32(r_, offset, field); }
  void Money(size_t offset, zenkar::Money field) { PutMoney(r_, offset, field); }

 private:
  std::string& r_;
};

// Collects where each known field begins and ends.
class FieldBounds {
 public:
  void Text(size_t offset, size_t width, const std::string&) { Add(offset, width); }
  void Int32(size_t offset, int32_t) { Add(offset, 4); }
  void Money(size_t offset, zenkar::Money) { Add(offset, 8); }
  std::vector<size_t>& bounds() { return bounds_; }

 private:
  void Add(size_t offset, size_t width) {
    bounds_.push_back(offset);
    bounds_.push_back(offset + width);
  }
  std::vector<size_t> bounds_{0, CompanySettings::kSize};
};

// The record cut into pieces: each known field, and each stretch of reserved
// or unknown bytes between them.
const std::vector<size_t>& PieceBounds() {
  static const std::vector<size_t>* bounds = [] {
    FieldBounds collector;
    const CompanySettings any;
    VisitFields(any, collector);
    auto* sorted = new std::vector<size_t>(std::move(collector.bounds()));
    std::sort(sorted->begin(), sorted->end());
    sorted->erase(std::unique(sorted->begin(), sorted->end()), sorted->end());
    return sorted;
  }();
  return *bounds;
}

}  // namespace

CompanySettings CompanySettings::Decode(std::string_view r) {
  CompanySettings s;
  s.raw = std::string(r.substr(0, kSize));
  s.raw.resize(kSize, '\0');
  FieldDecoder decoder(s.raw);
  VisitFields(s, decoder);
  return s;
}

int32_t CompanySettings::OptionAt(size_t offset) const { return GetInt32(raw, offset); }

void CompanySettings::ResetOption(size_t offset) { PutInt32(raw, offset, 0); }

std::string CompanySettings::Encode() const {
  std::string r = raw;
  r.resize(kSize, '\0');
  FieldEncoder encoder(r);
  VisitFields(*this, encoder);
  return r;
}

std::string MergeSettingsRecords(std::string_view base, std::string_view ours,
                                 std::string_view theirs) {
  std::string merged(theirs);
  const std::vector<size_t>& bounds = PieceBounds();
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    const size_t at = bounds[i], width = bounds[i + 1] - bounds[i];
    if (ours.substr(at, width) != base.substr(at, width)) {
      merged.replace(at, width, ours.substr(at, width));
    }
  }
  return merged;
}

std::string FiscalYearLabel(int start_month) {
  const int previous = (start_month + 10) % 12;  // the month before, 0-based
  return std::string(kMonthNames[start_month - 1]) + " - " + std::string(kMonthNames[previous]);
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
  s.fiscal_start_month = 1;
  // The unused options a new company starts at zero (the others it keeps as
  // set); 499 is the record's only 16-bit field.
  for (size_t option : {495, 505, 521, 525, 529, 533, 1685, 3728}) PutInt32(s.raw, option, 0);
  PutInt16(s.raw, 499, 0);
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
  s.mail_password_store.clear();
  s.mail_server.clear();
  s.mail_port.clear();
  s.mail_user_name.clear();
  s.mail_reply_address.clear();
  s.mail_carbon_copy = 1;
  s.mail_subject.clear();
  s.mail_connection = 0;
  DefaultDevice(s.report_output);
  DefaultDevice(s.check_output);
  DefaultDevice(s.device_3);
  s.device_4_printer_name.clear();
  s.device_4_font_name = std::string(kDefaultFontName);
  s.device_4_font_size = 10;
}

}  // namespace zenkar
