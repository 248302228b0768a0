#include "services/imports/payroll_import.h"

#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr size_t kDescriptionWidth = 40;

const EmployeeRecord* FindEmployee(const std::vector<EmployeeRecord>& employees, int32_t number) {
  for (const EmployeeRecord& employee : employees) {
    if (employee.number == number) return &employee;
  }
  return nullptr;
}

std::string SelectionCaption(size_t count) {
  return "Import Employee Payroll:" + std::to_string(count) + " Check" + (count > 1 ? "s" : "");
}

TransactionRecord PaycheckLine(const PaycheckRecord& paycheck, std::string_view employee,
                               const Ledger& ledger, const PayrollSettingsRecord& payroll) {
  TransactionRecord line;
  line.kind = kCheckOrDeposit;
  line.description =
      FitText(std::string(kPayrollPrefix) + std::string(employee), kDescriptionWidth);
  line.account = ledger.settings().wages_account;
  line.date = paycheck.date;
  line.amount = paycheck.net_pay;
  line.reference = paycheck.check_number;
  line.unprinted = payroll.check_option < kPayrollPrintsChecksOption ? 1 : 0;
  return line;
}

// The deductions of one paycheck added up, and added to the per-deduction
// totals; false when a sum passes what an entry may hold.
bool AddDeductions(const PaycheckRecord& paycheck, std::array<Money, kDeductionCount>* totals,
                   Money* sum) {
  for (int i = 0; i < kDeductionCount; ++i) {
    if (!AddWithinLargest(paycheck.deductions[i], &(*totals)[i]) ||
        !AddWithinLargest(paycheck.deductions[i], sum)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<size_t> NewPaychecks(const std::vector<PaycheckRecord>& paychecks) {
  std::vector<size_t> taken;
  if (paychecks.empty()) return taken;
  const int64_t last_date = paychecks.back().date;
  for (size_t i = 0; i < paychecks.size(); ++i) {
    if (paychecks[i].imported == 0 && last_date - paychecks[i].date <= kPayrollWindowDays) {
      taken.push_back(i);
    }
  }
  return taken;
}

bool PaychecksWaiting(FileSystem& fs, const std::string& folder) {
  const std::string path = DataFilePath(fs, folder, PaycheckRecord::kFileName);
  std::vector<PaycheckRecord> paychecks;
  return fs.FileExists(path) && LoadCompanionRecords(fs, path, &paychecks).ok() &&
         !NewPaychecks(paychecks).empty();
}

std::string PaycheckAmountText(Money amount) { return amount.ToStringWithCommas(); }

PayrollLines BuildPayrollLines(const Ledger& ledger, const PayrollSettingsRecord& payroll,
                               const std::vector<EmployeeRecord>& employees,
                               const std::vector<PaycheckRecord>& paychecks,
                               const std::vector<size_t>& taken, DayNumber today) {
  PayrollLines result;
  std::array<Money, kDeductionCount> deduction_totals{};
  for (size_t i : taken) {
    const PaycheckRecord& paycheck = paychecks[i];
    const int number = static_cast<int>(i) + 1;
    if (!WithinLargestAmount(paycheck.gross_pay) || !WithinLargestAmount(paycheck.net_pay)) {
      return {{}, {}, {}, DamagedAmountMessage(PaycheckRecord::kFileName, number)};
    }
    Money deductions;
    if (!AddDeductions(paycheck, &deduction_totals, &deductions) ||
        !AddWithinLargest(paycheck.gross_pay, &result.totals.gross_pay) ||
        !AddWithinLargest(paycheck.net_pay, &result.totals.net_pay)) {
      return {{}, {}, {}, TotalTooLargeMessage()};
    }
    const EmployeeRecord* employee = FindEmployee(employees, paycheck.employee_number);
    const std::string name = employee ? EmployeeName(*employee) : std::string(kUnknownEmployee);
    result.lines.push_back(PaycheckLine(paycheck, name, ledger, payroll));
    result.selection.rows.push_back({std::string(TrimRight(paycheck.check_number)), paycheck.date,
                                     name, paycheck.gross_pay, deductions, paycheck.net_pay});
  }
  Money deductions;
  for (Money total : deduction_totals) {
    if (!AddWithinLargest(total, &deductions)) return {{}, {}, {}, TotalTooLargeMessage()};
  }
  result.totals.deductions = deductions;
  const CompanySettings& settings = ledger.settings();
  const bool post_deductions = settings.payroll_post_deductions != 0;
  if (post_deductions) {
    result.lines.push_back(ImportJournalLine(kDeductionsLine, settings.wages_account, today,
                                             deductions, kPayrollReference));
    result.lines.push_back(ImportJournalLine(kDeductionsPayableLine, settings.payroll_account_2,
                                             today, -deductions, kPayrollReference));
  }
  result.selection.caption = SelectionCaption(taken.size());
  result.selection.detailed = post_deductions;
  return result;
}

ImportOutcome ImportPayroll(ImportEnvironment& env, ImportMode mode, PaycheckChooser& chooser) {
  Ledger& ledger = env.ledger;
  FileSystem& fs = ledger.fs();
  ImportVoice voice(ledger.ui(), mode);
  const std::string& folder = ledger.data_folder();
  const std::string in_folder = "\n" + Utf8ToCp1252(folder);

  const std::string settings_path = DataFilePath(fs, folder, PayrollSettingsRecord::kFileName);
  const std::string employees_path = DataFilePath(fs, folder, EmployeeRecord::kFileName);
  const std::string paychecks_path = DataFilePath(fs, folder, PaycheckRecord::kFileName);
  const struct {
    const std::string& path;
    std::string_view missing;
  } required[] = {{settings_path, kPayrollSetupNotFound},
                  {employees_path, kPayrollEmployeesNotFound},
                  {paychecks_path, kPayrollPaychecksNotFound}};
  for (const auto& file : required) {
    if (!fs.FileExists(file.path)) {
      return voice.Stop(std::string(file.missing) + in_folder, ImportOutcome::kNothingNew);
    }
  }
  // The payroll program holds this lock while it runs: from here on it
  // cannot change the files this import reads and writes.
  std::unique_ptr<RandomAccessFile> hold;
  std::string settings_bytes;
  if (Status s = HoldCompanionSettings(fs, settings_path, &hold, &settings_bytes); !s.ok()) {
    if (s.code() != Status::Code::kInUse) return voice.Stop("Error opening " + s.message());
    // The one problem the start-up import says: paychecks are waiting.
    voice.ui().Error(voice.interactive() ? kClosePayroll : kPayrollInUseAtStartUp);
    return ImportOutcome::kStopped;
  }
  if (settings_bytes.size() != PayrollSettingsRecord::kSize) {
    return voice.Stop(kInvalidPayrollSetup);
  }
  const PayrollSettingsRecord payroll = PayrollSettingsRecord::Decode(settings_bytes);
  if (payroll.version_year != ledger.settings().data_year) {
    return voice.Stop(SameVersionMessage(kPayrollProgram));
  }

  std::vector<EmployeeRecord> employees;
  if (!LoadOrSay(voice, fs, employees_path, kInvalidEmployeeFile, &employees)) {
    return ImportOutcome::kStopped;
  }
  std::vector<PaycheckRecord> paychecks;
  if (!LoadOrSay(voice, fs, paychecks_path, kInvalidPaycheckFile, &paychecks)) {
    return ImportOutcome::kStopped;
  }
  const std::vector<size_t> taken = NewPaychecks(paychecks);
  if (taken.empty()) {
    voice.Information(std::string(kNoNewPaychecks) + in_folder);
    return ImportOutcome::kNothingNew;
  }
  const CompanySettings& settings = ledger.settings();
  if (!ledger.IsEntryAccount(settings.wages_account)) return voice.Stop(kInvalidWagesAccount);
  if (settings.payroll_post_deductions != 0 && !ledger.IsEntryAccount(settings.payroll_account_2)) {
    return voice.Stop("The employee deductions payable account " +
                      EscapeControls(Trim(settings.payroll_account_2)) +
                      " of the company settings is not a valid entry account.");
  }

  const DayNumber today = ledger.clock().Today();
  PayrollLines built = BuildPayrollLines(ledger, payroll, employees, paychecks, taken, today);
  if (!built.refusal.empty()) return voice.Stop(built.refusal);
  if (!chooser.Confirm(built.selection)) return ImportOutcome::kCanceled;

  int payee = ledger.FindPayeeByName(kPayrollPayee);
  if (payee == 0) {
    PayeeRecord record;
    ClearPayee(record);
    record.name = std::string(kPayrollPayee);
    const std::optional<int> added = ledger.AddPayee(record);
    if (!added) return ImportOutcome::kStopped;
    payee = *added;
  }
  for (TransactionRecord& line : built.lines) {
    if (IsCheckOrDeposit(line)) line.payee_number = payee;
  }
  for (size_t i : taken) paychecks[i].imported = 1;

  LinesChange change;
  change.appended = built.lines;
  change.alongside.push_back(
      {std::string(PaycheckRecord::kFileName), EncodeCompanionRecords(paychecks)});
  if (!ledger.ChangeLinesWithFiles(change)) return ImportOutcome::kStopped;

  std::vector<ImportedLine> report_lines;
  for (const TransactionRecord& line : built.lines) {
    const bool check = IsCheckOrDeposit(line);
    const std::string_view description = TrimRight(line.description);
    report_lines.push_back({line.date, line.reference,
                            std::string(check && description.starts_with(kPayrollPrefix)
                                            ? description.substr(kPayrollPrefix.size())
                                            : description),
                            line.account, line.amount});
  }
  const ListingReport report = PaycheckImportReport(report_lines, built.totals, today, env.dates);
  PrintImportReport(env, [&report](PrintJob& job) { return PrintListingReport(job, report); });
  return ImportOutcome::kImported;
}

}  // namespace zenkar
