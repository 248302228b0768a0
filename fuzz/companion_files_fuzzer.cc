// Fuzz target: the companion programs' files (Zenkar Accounts Receivable's
// sales codes and charges, Zenkar Payroll's employees and paychecks) read by
// their record types and imported into a small company.
//
// The input: a flag byte (bit 0 and bit 1: Accounts Receivable or Payroll
// of another version year; bit 2: the company posts employee deductions;
// bit 3: the payroll program prints its own checks), four little-endian
// 16-bit record counts (at most kMaxRecords each) for KXAREC.DES,
// KXAREC.CHG, KXPAY.EMP and KXPAY.PRC, then their records' bytes in that
// order, zero bytes standing in for what the input lacks.
//
// Properties: every record encodes back to the bytes it was read from; an
// import that put lines into the books leaves every posted total the sum of
// its lines and the journal balanced, and changed in its companion file only
// imported flags, each from 0 to 1; one that did not left the books and the
// companion file as they were.
#include <cstdint>
#include <string>

#include "common/byte_codec.h"
#include "fuzz/books_checks.h"
#include "fuzz/fuzz_support.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/ledger.h"
#include "services/imports/payroll_import.h"
#include "services/imports/receivables_import.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using namespace zenkar;
using zenkar::fuzzing::CheckPostedTotals;
using zenkar::fuzzing::Require;
using zenkar::testing::TempDir;

constexpr size_t kMaxRecords = 64;

AccountRecord Account(std::string_view number, int32_t type, int32_t title_type = kEntryAccount) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = "Account " + std::string(number);
  account.type = type;
  account.title_type = title_type;
  return account;
}

void WriteCompany(const TempDir& folder, uint8_t flags) {
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.payroll_post_deductions = (flags & 4) != 0 ? 1 : 0;
  folder.WriteFile(CompanySettings::kFileName, settings.Encode());
  folder.WriteFile(AccountRecord::kFileName,
                   ChartOfAccounts({Account("100", kAssets, kTitleAccount), Account("110", kAssets),
                                    Account("130", kAssets), Account("235", kLiabilitiesAndEquity),
                                    Account("465", kLiabilitiesAndEquity), Account("510", kIncome),
                                    Account("720", kOperatingExpenses)})
                       .Encode());
  folder.WriteFile(PayeeRecord::kFileName, "");
  folder.WriteFile(kTransactionFileName, "");
  std::string receivables(ReceivablesSettingsRecord::kSize, ' ');
  PutInt32(receivables, 778, (flags & 1) != 0 ? 2014 : settings.data_year);
  folder.WriteFile(ReceivablesSettingsRecord::kFileName, receivables);
  std::string payroll(PayrollSettingsRecord::kSize, ' ');
  PutInt32(payroll, 719, (flags & 2) != 0 ? 2016 : settings.data_year);
  PutInt32(payroll, 797, (flags & 8) != 0 ? 8 : 0);
  folder.WriteFile(PayrollSettingsRecord::kFileName, payroll);
}

template <typename Record>
void CheckRecords(const std::string& bytes) {
  for (size_t at = 0; at + Record::kSize <= bytes.size(); at += Record::kSize) {
    const std::string_view record = std::string_view(bytes).substr(at, Record::kSize);
    Require(Record::Decode(record).Encode() == record, "a companion record encodes back whole");
  }
}

// The imports' journal lines balance.
void CheckBooks(Ledger& ledger) {
  CheckPostedTotals(ledger);
  Require(ledger.summary().journal_total.IsZero(), "the imported journal lines balance");
}

// `after` differs from `before` only in the 32-bit flags at `flag_at` of
// its records, each from 0 to 1.
void CheckOnlyFlags(const std::string& before, const std::string& after, size_t record_size,
                    size_t flag_at) {
  Require(before.size() == after.size(), "the companion file keeps its length");
  for (size_t at = 0; at + record_size <= before.size(); at += record_size) {
    std::string was = before.substr(at, record_size), is = after.substr(at, record_size);
    const int32_t flag_was = GetInt32(was, flag_at), flag_is = GetInt32(is, flag_at);
    Require(flag_was == flag_is || (flag_was == 0 && flag_is == 1), "a flag goes only from 0 to 1");
    PutInt32(is, flag_at, flag_was);
    Require(was == is, "only the imported flags change");
  }
}

class AcceptingChooser : public PaycheckChooser {
 public:
  bool Confirm(const PaycheckSelection&) override { return true; }
};

void Import(Ledger& ledger, const TempDir& folder, std::string_view file, size_t record_size,
            size_t flag_at, const std::function<ImportOutcome()>& run) {
  const std::string before = folder.Exists(file) ? folder.ReadFile(file) : "";
  const std::string lines_before = folder.ReadFile(kTransactionFileName);
  const ImportOutcome outcome = run();
  const std::string after = folder.Exists(file) ? folder.ReadFile(file) : "";
  if (outcome == ImportOutcome::kImported) {
    CheckOnlyFlags(before, after, record_size, flag_at);
    CheckBooks(ledger);
  } else {
    Require(after == before, "an import that stopped leaves the companion file");
    Require(folder.ReadFile(kTransactionFileName) == lines_before,
            "an import that stopped leaves the lines");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = zenkar::fuzzing::BytesOf(data, size);
  const uint8_t flags = input.empty() ? 0 : static_cast<uint8_t>(input[0]);
  std::string header(input.substr(std::min<size_t>(input.size(), 1), 8));
  header.resize(8, '\0');
  std::string_view rest = input.substr(std::min<size_t>(input.size(), 9));
  const TempDir folder;
  WriteCompany(folder, flags);
  const std::pair<std::string_view, size_t> files[] = {
      {SalesCodeRecord::kFileName, SalesCodeRecord::kSize},
      {ChargeRecord::kFileName, ChargeRecord::kSize},
      {EmployeeRecord::kFileName, EmployeeRecord::kSize},
      {PaycheckRecord::kFileName, PaycheckRecord::kSize}};
  for (size_t i = 0; i < 4; ++i) {
    const size_t records =
        std::min<size_t>(static_cast<uint16_t>(GetInt16(header, 2 * i)), kMaxRecords);
    std::string bytes(rest.substr(0, records * files[i].second));
    rest.remove_prefix(bytes.size());
    bytes.resize(records * files[i].second, '\0');
    folder.WriteFile(files[i].first, bytes);
  }
  CheckRecords<SalesCodeRecord>(folder.ReadFile(SalesCodeRecord::kFileName));
  CheckRecords<ChargeRecord>(folder.ReadFile(ChargeRecord::kFileName));
  CheckRecords<EmployeeRecord>(folder.ReadFile(EmployeeRecord::kFileName));
  CheckRecords<PaycheckRecord>(folder.ReadFile(PaycheckRecord::kFileName));

  testing::ScriptedUi ui;
  testing::FixedClock clock;
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.SetDataFolder(folder.path());
  Require(ledger.OpenDataFolder(), "the company loads");
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  ImportEnvironment env{ledger, dates, {}};
  Import(ledger, folder, ChargeRecord::kFileName, ChargeRecord::kSize, 128,
         [&] { return ImportReceivables(env, ImportMode::kInteractive); });
  AcceptingChooser chooser;
  Import(ledger, folder, PaycheckRecord::kFileName, PaycheckRecord::kSize, 24,
         [&] { return ImportPayroll(env, ImportMode::kInteractive, chooser); });
  ledger.Close();
  return 0;
}
