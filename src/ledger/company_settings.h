// CompanySettings: the one 4,800-byte record of KXACCT.CFG.
//
// It holds the company's name and address, the setup accounts the screens
// post to, the fiscal-year start, the report and check printing choices and a
// number of counters and options. Every known field is decoded at its byte
// offset, written once in the field list of company_settings.cc; the bytes of
// reserved and unknown fields are kept exactly as read and written back
// unchanged.
#ifndef ZENKAR_LEDGER_COMPANY_SETTINGS_H_
#define ZENKAR_LEDGER_COMPANY_SETTINGS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/money.h"

namespace zenkar {

// One printer group of the settings: printer name, paper source, font.
struct OutputDeviceSettings {
  std::string printer_name;
  int32_t source_number = 0;
  std::string source_name;
  std::string font_name;
  int32_t font_size = 10;
  int32_t font_style = 0;  // 0 Regular, 1 Bold, 2 Italic, 3 Bold Italic
};

struct CompanySettings {
  static constexpr size_t kSize = 4800;
  static constexpr std::string_view kFileName = "KXACCT.CFG";

  // The version year this program writes, and the newest it reads silently.
  static constexpr int32_t kCurrentDataYear = 2015;
  static constexpr int32_t kNewestKnownDataYear = 2016;

  std::string name_line_1;
  std::string name_line_2;
  std::string address;
  std::string city_state_zip;
  std::string detail_text_a;
  std::string detail_text_b;
  std::string federal_id;  // "Federal ID (FEIN)"
  std::string detail_text_d;
  int32_t font_size = 12;  // 10, 12 or 18
  int32_t data_year = kCurrentDataYear;
  int32_t window_left = -1;
  int32_t window_top = -1;
  std::string bank_account;
  std::string payables_account;
  std::string receivables_account;
  std::string wages_account;  // Salaries and Wages
  std::string payroll_account_2;
  int32_t fixed_decimal = 0;     // "Use Fixed Decimal Position"
  int32_t use_shading_bars = 0;  // "Reports: Use Shading Bars"
  std::string start_tab;
  int32_t memo_on_checks = 0;  // "Print Payee Memo on Checks"
  int32_t check_type = 0;      // position in the check-type list from 1; 0 none
  std::string next_check;
  int32_t fiscal_start_month = 1;
  std::string capital_account;
  Money statement_ending_balance;
  std::array<std::string, 5> adjustment_descriptions;
  std::array<Money, 5> adjustment_amounts;
  std::string income_title;
  std::string income_text_line;
  std::string income_footer;
  std::string balance_title;
  std::string balance_text_line;
  std::string balance_footer;
  int32_t transaction_listing_long = 0;  // "TRN Long:"
  int32_t chart_listing_long = 0;        // "COA Long:"
  int32_t include_zero_balances = 0;     // "Incl Zero:"
  int32_t omit_percentages = 0;          // "Omit Pct:"
  int32_t payee_listing_long = 0;        // "Payee List Long:"
  int32_t sort_entries = 0;              // "Reports: Sort Entries"
  int32_t payroll_post_deductions = 0;
  // Non-zero (a new company's) keeps the transaction file in date order, zero
  // in the order entered.
  int32_t date_order = 1;
  // Non-zero is "Accrual Accounting".
  int32_t accrual_accounting = 0;
  std::string mail_password_store;
  int32_t mail_save_password = 0;
  std::string mail_server;
  std::string mail_port;
  std::string mail_user_name;
  std::string mail_reply_address;
  int32_t mail_carbon_copy = 1;
  std::array<std::string, 5> mail_addresses;  // the first is the To address
  std::string mail_subject;
  std::string mail_sender_name;
  int32_t mail_connection = 0;
  OutputDeviceSettings report_output;
  OutputDeviceSettings check_output;
  OutputDeviceSettings device_3;
  std::array<int32_t, 4> page_options{};
  std::string device_4_printer_name;
  std::string device_4_font_name;
  int32_t device_4_font_size = 10;
  std::array<int32_t, 4> label_options{};
  Money label_top_margin;
  Money label_left_margin;
  // The checks' "Additional Top Margin" in half lines (-2 to 9; option 4062).
  int32_t check_top_margin = 0;

  // The bytes as last read or encoded: reserved and unknown fields live here,
  // among them the options this program does not use, known only by their
  // offsets (495 to 533, 1685, 3728 and the counter at 4058).
  std::string raw = std::string(kSize, '\0');

  // Three of those options the load's version rules reset.
  static constexpr size_t kOption529 = 529, kOption533 = 533, kOption1685 = 1685;
  int32_t OptionAt(size_t offset) const;
  void ResetOption(size_t offset);

  static CompanySettings Decode(std::string_view record);
  std::string Encode() const;
};

// The record that keeps both programs' changes when two programs saved the
// settings: `base` is the record as this program last read or wrote it,
// `ours` what it would write now and `theirs` what another program wrote
// since. Each field (and each stretch of reserved bytes) that this program
// changed takes its value from `ours`; every other one keeps `theirs`.
std::string MergeSettingsRecords(std::string_view base, std::string_view ours,
                                 std::string_view theirs);

// The font name a new company's outputs start with.
inline constexpr std::string_view kDefaultFontName = "Arial";

// The twelve "Accounting Year" labels: the start month's name and the name of
// the month before it, joined by " - " ("February - January" for 2).
std::string FiscalYearLabel(int start_month);

// Fills `settings` with the defaults of a new company (fields marked "as set"
// keep their values).
void NewCompanySettings(CompanySettings& settings);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_COMPANY_SETTINGS_H_
