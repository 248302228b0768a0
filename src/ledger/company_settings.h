// CompanySettings: the one 4,800-byte record of KXACCT.CFG.
//
// It holds the company's name and address, the setup accounts the screens
// post to, the fiscal-year start, the report and check printing choices and a
// number of counters and options. Every known field is decoded at its byte
// offset; the bytes of reserved and unknown fields are kept exactly as read
// and written back unchanged.
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
  std::string printer_name;  // 260 characters
  int32_t source_number = 0;
  std::string source_name;  // 30
  std::string font_name;    // 24
  int32_t font_size = 10;
  int32_t font_style = 0;  // 0 Regular, 1 Bold, 2 Italic, 3 Bold Italic
};

struct CompanySettings {
  static constexpr size_t kSize = 4800;
  static constexpr std::string_view kFileName = "KXACCT.CFG";

  // The version year this program writes, and the newest it reads silently.
  static constexpr int32_t kCurrentDataYear = 2015;
  static constexpr int32_t kNewestKnownDataYear = 2016;

  std::string name_line_1;               // 0, 40
  std::string name_line_2;               // 40, 40
  std::string address;                   // 80, 40
  std::string city_state_zip;            // 120, 40
  std::string detail_text_a;             // 160, 16
  std::string detail_text_b;             // 176, 16
  std::string federal_id;                // 252, 30 "Federal ID (FEIN)"
  std::string detail_text_d;             // 282, 30
  int32_t font_size = 12;                // 432: 10, 12 or 18
  int32_t data_year = kCurrentDataYear;  // 436
  int32_t window_left = -1;              // 440
  int32_t window_top = -1;               // 444
  std::string bank_account;              // 448, 4
  std::string payables_account;          // 452, 4
  std::string receivables_account;       // 456, 4
  std::string wages_account;             // 460, 4 (Salaries and Wages)
  std::string payroll_account_2;         // 464, 4
  int32_t fixed_decimal = 0;             // 468 "Use Fixed Decimal Position"
  int32_t use_shading_bars = 0;          // 472 "Reports: Use Shading Bars"
  std::string start_tab;                 // 476, 3
  int32_t memo_on_checks = 0;            // 479 "Print Payee Memo on Checks"
  int32_t check_type = 0;                // 483: position in the check-type list from 1; 0 none
  std::string next_check;                // 487, 8
  int32_t option_495 = 0;
  int16_t option_499 = 0;  // the record's only 16-bit field
  int32_t option_501 = 0;
  int32_t option_505 = 0;
  int32_t fiscal_start_month = 1;  // 509
  int32_t option_513 = 0;
  std::string capital_account;  // 517, 4
  int32_t option_521 = 0;
  int32_t option_525 = 0;
  int32_t option_529 = 0;
  int32_t option_533 = 0;
  Money statement_ending_balance;                      // 757
  std::array<std::string, 5> adjustment_descriptions;  // 765, 5 x 24
  std::array<Money, 5> adjustment_amounts;             // 885, 5 x 8
  std::string income_title;                            // 1165, 80
  std::string income_text_line;                        // 1245, 80
  std::string income_footer;                           // 1325, 80
  std::string balance_title;                           // 1405, 80
  std::string balance_text_line;                       // 1485, 80
  std::string balance_footer;                          // 1565, 80
  int32_t transaction_listing_long = 0;                // 1645 "TRN Long:"
  int32_t chart_listing_long = 0;                      // 1649 "COA Long:"
  int32_t include_zero_balances = 0;                   // 1653 "Incl Zero:"
  int32_t omit_percentages = 0;                        // 1657 "Omit Pct:"
  int32_t payee_listing_long = 0;                      // 1665 "Payee List Long:"
  int32_t sort_entries = 0;                            // 1669 "Reports: Sort Entries"
  int32_t payroll_post_deductions = 0;                 // 1673
  // 1677 (new-company default 1): non-zero keeps the transaction file in
  // date order, zero in the order entered.
  int32_t date_order = 1;
  // 1681 (new-company default 0): non-zero is "Accrual Accounting".
  int32_t accrual_accounting = 0;
  int32_t option_1685 = 0;
  std::string MailPasswordStore;              // 1921, 21
  int32_t MailSavePassword = 0;               // 1942
  std::string MailServer;                     // 1946, 60
  std::string MailPort;                       // 2006, 8
  std::string MailUserName;                   // 2014, 40
  std::string MailReplyAddress;               // 2054, 40
  int32_t MailCarbonCopy = 1;                 // 2094
  std::array<std::string, 5> mail_addresses;  // 2098, 5 x 40; the first is MailToAddress
  std::string MailSubject;                    // 2298, 40
  std::string MailSenderName;                 // 2338, 40
  int32_t MailConnection = 0;                 // 2378
  OutputDeviceSettings report_output;         // 2722
  OutputDeviceSettings check_output;          // 3048
  OutputDeviceSettings device_3;              // 3374
  std::array<int32_t, 4> page_options{};      // 3700, 3704, 3708, 3712
  int32_t option_3728 = 0;
  std::string device_4_printer_name;  // 3732, 260
  std::string device_4_font_name;     // 4026, 24
  int32_t device_4_font_size = 10;    // 4050
  int32_t counter_4058 = 0;
  int32_t option_4062 = 0;
  std::array<int32_t, 4> label_options{};  // 4462, 4466, 4470, 4474
  Money label_top_margin;                  // 4478
  Money label_left_margin;                 // 4486

  // The bytes as last read or encoded: reserved and unknown fields live here.
  std::string raw = std::string(kSize, '\0');

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
