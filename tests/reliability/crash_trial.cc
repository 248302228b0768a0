// crash_trial: the program the crash trials (scripts/crash-trials) start, kill
// and inspect. It makes the generated company, runs one operation of the books
// on a data folder, and loads a data folder with the program's own loader to
// print a digest of the books.
//
//   crash_trial make FOLDER LINES
//       writes the generated company of LINES lines with a few recurring
//       entries, and settles it with one load (sorted, posted totals set)
//   crash_trial list
//       the operations, one a line: name, "load" or "change", what it does
//   crash_trial prepare OPERATION FOLDER
//       turns a copy of the settled company into the operation's starting point
//   crash_trial run OPERATION FOLDER [--wait] [--kill-at-step K]
//       loads the folder, prints "ready", runs the operation and prints
//       "done MILLISECONDS STEPS"; for an operation of the load itself, "ready"
//       comes before the load. With --wait it then waits for its standard
//       input to close; with --kill-at-step it kills itself with SIGKILL just
//       before the K-th change of the disk after "ready"
//   crash_trial digest FOLDER [--text FILE]
//       loads the folder and prints one digest a part of the books (settings,
//       chart, payees, lines, recurring entries, reconciliation marks, and the
//       files beside the books that the imports and the exchange change with
//       the lines), then every message of the load; with --text it also
//       writes the books readably to FILE
//   crash_trial share FOLDER NAME COUNT
//       opens the folder as the desktop program does (another program may
//       have it open too) and makes COUNT changes as a bookkeeper would: checks
//       described "NAME i" dated back and forth, every fourth one deleted
//       again and every third one's amount corrected; prints "shared N REREAD"
//       with the times another program's changes were read first. The
//       shared-folder trials run two at once on one folder
//
// Every run uses a fixed clock and a scripted Ui that gives each question its
// preselected answer, so the same folder always gives the same books.
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/backup_dialog.h"
#include "common/backup_set.h"
#include "common/byte_codec.h"
#include "common/date_patterns.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/reconciliation.h"
#include "output/micr_settings.h"
#include "reliability/crashing_file_system.h"
#include "services/exchange/accountant_exchange.h"
#include "services/imports/payroll_import.h"
#include "services/imports/receivables_import.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "tools/generated_company.h"

namespace zenkar::testing {
namespace {

// The recurring entries: checks to these payees (the rent account, which
// renumber-account moves), and a journal entry without a payee. A payee
// deletion renumbers them.
constexpr int32_t kRecurringPayees[] = {3, 12, 29, 30, 31, 35, 40, 0};
constexpr size_t kRecurringLength = kRecurringRecordLength;

// The payee renamed and deleted: not a supplier, so none of its lines is an
// unpaid invoice, and payees above it are renumbered.
constexpr int kChangedPayee = 30;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "crash_trial: %s\n", what.c_str());
  std::exit(2);
}

// One data folder opened with the program's loader.
struct Books {
  explicit Books(const std::string& folder) : ledger(fs, ui, clock) {
    ledger.SetDataFolder(folder);
  }

  bool Load() { return ledger.OpenDataFolder(); }
  bool ShowedError() const {
    for (const Message& message : ui.messages()) {
      if (message.kind == MessageKind::kError) return true;
    }
    return false;
  }
  std::string LastMessage() const { return Cp1252ToUtf8(ui.LastText()); }

  CrashingFileSystem fs;
  ScriptedUi ui;
  FixedClock clock{{2026, 1, 15, 9, 0, 0}, 0};
  Ledger ledger;
};

void LoadOrFail(Books& books) {
  if (!books.Load()) Fail("cannot load the folder: " + books.LastMessage());
}

// The middle one of the lines that `wanted` accepts.
int MiddleLineOf(Ledger& ledger, const std::function<bool(const TransactionRecord&)>& wanted) {
  std::vector<int> numbers;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (wanted(line)) numbers.push_back(line.record_number);
  });
  if (numbers.empty()) Fail("no line for the operation");
  return numbers[numbers.size() / 2];
}

TransactionRecord ReadLine(Ledger& ledger, int number) {
  TransactionRecord line;
  if (!ledger.ReadTransaction(number, &line)) Fail("cannot read line " + std::to_string(number));
  return line;
}

int AccountNumbered(Ledger& ledger, std::string_view number) {
  const int found = ledger.FindAccount(number);
  if (found == 0) Fail("no account " + std::string(number));
  return found;
}

TransactionRecord NewLine(int32_t kind, std::string_view account, int64_t cents,
                          std::string_view reference) {
  TransactionRecord line;
  line.kind = kind;
  line.account = std::string(account);
  line.amount = Money::FromCents(cents);
  line.date = *MakeDayNumber(2025, 12, 31);
  line.reference = std::string(reference);
  line.description = "Crash trial line";
  line.unprinted = 1;
  return line;
}

// --- The operations -------------------------------------------------------
//
// Each writer of the books has one entry: its name, whether the operation is
// the load itself, what it does, how its starting point differs from the
// settled company, and the operation with fixed parameters.

RecurringEntryRecord RecurringTemplate(int32_t payee) {
  RecurringEntryRecord entry;
  entry.kind = payee == 0 ? kJournalLine : kCheckOrDeposit;
  entry.payee_number = payee;
  entry.payee_name_1 = payee == 0 ? "" : "Payee " + std::to_string(payee);
  entry.description = payee == 0 ? "Accrued rent" : "";
  entry.reference = "AUTO";
  entry.day = 5 * (payee % 7);
  entry.account = "650";
  entry.reversing_account = payee == 0 ? "210" : "";
  entry.amount = Money::FromCents(10000 + payee);
  return entry;
}

bool InEntryOrder(Ledger& ledger) { return ledger.SortTransactions(TransactionOrder::kEntry); }

// The file in the order entered while the settings ask for date order.
bool OutOfOrder(Ledger& ledger) {
  if (!InEntryOrder(ledger)) return false;
  ledger.settings().date_order = 1;
  return ledger.SaveCompanySettings();
}

// Every third entry account's posted total a cent off.
// Written to the file behind the ledger's back, as a crash between two
// writes would leave it.
bool DriftedTotals(Ledger& ledger) {
  ChartOfAccounts chart = ledger.chart();
  for (int n = 1; n <= chart.count(); n += 3) {
    if (chart.account(n).IsEntry()) chart.mutable_account(n).posted_total += Money::FromCents(1);
  }
  return WriteFileAtomically(ledger.fs(), ledger.FilePath(AccountRecord::kFileName), chart.Encode())
      .ok();
}

// Every line unprinted, as after entering them (the generated company's
// lines are all printed). Written behind the ledger's back like the drift.
bool Unprinted(Ledger& ledger) {
  const std::string path = ledger.FilePath(kTransactionFileName);
  std::string lines;
  if (!ledger.fs().ReadFile(path, &lines).ok()) return false;
  for (size_t at = 0; at + kTransactionRecordLength <= lines.size();
       at += kTransactionRecordLength) {
    PutUnprintedFlag(lines, 1, at);
  }
  return WriteFileAtomically(ledger.fs(), path, lines).ok();
}

bool Append(Ledger& ledger) {
  TransactionRecord line = NewLine(kCheckOrDeposit, "650", 123456, "90001");
  line.payee_number = 5;
  return ledger.AppendTransaction(line).has_value();
}

// A check moved to another account with a new amount: two posted totals.
bool Edit(Ledger& ledger) {
  const int number = MiddleLineOf(ledger, IsCheckOrDeposit);
  TransactionRecord line = ReadLine(ledger, number);
  line.account = SameAccount(line.account, "610") ? "615" : "610";
  line.amount += Money::FromCents(1234);
  line.description = "Edited by a crash trial";
  return ledger.WriteTransaction(number, line);
}

bool Void(Ledger& ledger) { return ledger.VoidTransaction(MiddleLineOf(ledger, IsCheckOrDeposit)); }

bool Delete(Ledger& ledger) {
  return ledger.DeleteTransaction(MiddleLineOf(ledger, IsCheckOrDeposit));
}

bool Insert(Ledger& ledger) {
  const TransactionRecord line = NewLine(kJournalLine, "640", 5555, "JE-CT");
  return ledger.InsertTransactionAfter(ledger.transaction_count() / 2, line).has_value();
}

// An unpaid invoice paid by check: the line moves to the end.
bool MoveToEnd(Ledger& ledger) {
  const int number = MiddleLineOf(ledger, IsInvoice);
  TransactionRecord line = ReadLine(ledger, number);
  line.kind = kCheckOrDeposit;
  line.date = *MakeDayNumber(2025, 12, 31);
  line.reference = "90002";
  line.unprinted = 1;
  return ledger.MoveTransactionToEnd(number, line).has_value();
}

// Twenty unpaid invoices paid by checks: moved to the end, posted and the
// file sorted by date, in one change.
bool PayInvoices(Ledger& ledger) {
  std::vector<PaidInvoice> paid;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (!IsInvoice(line) || paid.size() >= 20) return;
    TransactionRecord check = line;
    check.kind = kCheckOrDeposit;
    check.date = *MakeDayNumber(2025, 12, 31);
    check.reference = std::to_string(91000 + paid.size());
    paid.push_back({line.record_number, check});
  });
  return ledger.PayInvoices(paid);
}

// A General Ledger of the whole file printed: every line loses its mark.
bool MarkPrinted(Ledger& ledger) {
  std::vector<PrintedLine> printed;
  ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    printed.push_back({number, PrintedFingerprint(record)});
  });
  return ledger.MarkTransactionsPrinted(printed);
}

bool SortByDate(Ledger& ledger) { return ledger.SortTransactions(TransactionOrder::kDate); }

bool SortByEntry(Ledger& ledger) { return ledger.SortTransactions(TransactionOrder::kEntry); }

// The load's repairs happen in OpenDataFolder, which is the operation.
bool LoadOnly(Ledger&) { return true; }

bool Renumber(Ledger& ledger, std::string_view from, std::string_view to) {
  const int number = AccountNumbered(ledger, from);
  AccountRecord account = ledger.chart().account(number);
  account.number = std::string(to);
  return ledger.EditAccount(number, account);
}

// An expense account with many lines moves to another place in the chart.
bool RenumberAccount(Ledger& ledger) { return Renumber(ledger, "650", "695"); }

// The bank account: the settings follow the new number.
bool RenumberBank(Ledger& ledger) { return Renumber(ledger, "110", "111"); }

bool RenamePayee(Ledger& ledger) {
  PayeeRecord payee = ledger.payees().payee(kChangedPayee);
  payee.name = "Renamed by a crash trial";
  return ledger.UpdatePayee(kChangedPayee, payee);
}

bool DeletePayee(Ledger& ledger) { return ledger.DeletePayee(kChangedPayee); }

// The generated journal lines do not balance: one more line balances the
// oldest year so that its removal goes ahead.
bool OldestYearBalanced(Ledger& ledger) {
  const std::optional<YearSpan> span = ledger.TransactionYearSpan();
  if (!span) return false;
  Money journal;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (IsJournalLine(line) && ToCivilDate(line.date).year == span->first) {
      journal += line.amount.RoundedToCents();
    }
  });
  TransactionRecord balancing = NewLine(kJournalLine, "650", 0, "JE-BAL");
  balancing.amount = -journal;
  balancing.date = *MakeDayNumber(span->first, 6, 30);
  return ledger.AppendTransaction(balancing).has_value();
}

bool RemoveOldestYear(Ledger& ledger) {
  return ledger.RemoveOldestYear([](const std::vector<TransactionRecord>&) { return true; }) ==
         YearRemoval::kRemoved;
}

bool DeleteAllTransactions(Ledger& ledger) { return ledger.DeleteAllTransactions(); }

// Two payees at the end: an idle one, and one with a check this month whose
// payee number moves down when the idle one goes.
bool IdlePayeeBeforeAnActiveOne(Ledger& ledger) {
  PayeeRecord idle;
  idle.name = "Idle payee";
  PayeeRecord active;
  active.name = "Active payee";
  if (!ledger.AddPayee(idle) || !ledger.AddPayee(active)) return false;
  TransactionRecord line = NewLine(kCheckOrDeposit, "650", 4200, "90002");
  line.date = *MakeDayNumber(2026, 1, 2);
  line.payee_number = ledger.payees().count();
  line.description = active.name;
  return ledger.AppendTransaction(line).has_value();
}

bool DeleteInactivePayees(Ledger& ledger) { return ledger.DeleteInactivePayees().value_or(0) > 0; }

bool SaveSettings(Ledger& ledger) {
  ledger.settings().name_line_2 = "Saved by a crash trial";
  ledger.settings().next_check = "77001";
  return ledger.SaveCompanySettings();
}

// A restore: the books are saved into the automatic backup series, then
// changed (a line, the settings, a reconciliation file the set does not
// hold); the restore puts the saved books back and removes that file.
BackupEnvironment BackupEnvironmentOf(Ledger& ledger) {
  return {ledger.fs(), ledger.ui(), "KXACCT", "Zenkar Accounting", ledger.data_folder()};
}

bool BackedUpThenChanged(Ledger& ledger) {
  BackupEnvironment env = BackupEnvironmentOf(ledger);
  if (!RunAutoBackup(env) || !Append(ledger)) return false;
  ledger.settings().name_line_2 = "Changed after the backup";
  return ledger.SaveCompanySettings() &&
         WriteFileAtomically(ledger.fs(), ledger.FilePath("KXACCT.REC"), std::string(152, ' '))
             .ok();
}

// The check printing settings: the file the MICR tab saves as one change of
// the folder.
bool WriteMicrSettings(Ledger& ledger) {
  MicrSettings micr;
  micr.bank_name = "First Harbor Bank";
  micr.routing_number = "021000021";
  return WriteFileAtomically(ledger.fs(), ledger.FilePath(kMicrFileName), micr.Encode()).ok();
}

bool SaveMicr(Ledger& ledger) {
  const MicrSettingsFile file = LoadMicrSettings(ledger);
  MicrSettings changed = file.settings;
  changed.bank_name = "Saved by a crash trial";
  changed.horizontal_32nds = 3;
  return SaveMicrSettings(ledger, file, changed);
}

bool Restore(Ledger& ledger) {
  BackupEnvironment env = BackupEnvironmentOf(ledger);
  return RestoreBackupSet(env, ledger.data_folder() + std::string(kAutoBackupFolderName),
                          "KXACCT00.sav", kScopeAccounting) == 1;
}

// A month no line is dated in yet: nothing asks whether it was posted.
bool PostRecurring(Ledger& ledger) {
  return ledger.PostRecurringEntries(2026, 1) == RecurringPosting::kPosted;
}

// Every `step`-th item of 2025 outstanding, and a statement balance.
bool Reconcile(Ledger& ledger, int step, int64_t statement_cents) {
  ReconciliationBooks books;
  if (!ReadReconciliationBooks(ledger, &books)) return false;
  int n = 0;
  for (ReconciliationItem& item : books.items) {
    item.outstanding = item.date >= *MakeDayNumber(2025, 1, 1) && ++n % step == 0 ? 1 : 0;
  }
  ledger.settings().statement_ending_balance = Money::FromCents(statement_cents);
  return ledger.SaveReconciliation(ledger.SavedReconciliation(), OutstandingItems(books.items))
      .has_value();
}

// A reconciliation saved before: the save replaces both of its files.
bool Reconciled(Ledger& ledger) { return Reconcile(ledger, 3, 1000000); }
bool SaveReconciliation(Ledger& ledger) { return Reconcile(ledger, 4, 2000000); }

// --- The imports and the accountant exchange ----------------------------
//
// Their lines and the file beside the books that records them (the
// companion's imported flags, the exchange's state) go in as one change.

constexpr int kImportedRecords = 300;

DayNumber ImportDay(int i) { return *MakeDayNumber(2025, 12, 1) + i % 28; }

// Writes one companion file of whole records.
template <typename Record>
bool WriteRecords(Ledger& ledger, const std::vector<Record>& records) {
  std::string bytes;
  for (const Record& record : records) bytes += record.Encode();
  return WriteFileAtomically(ledger.fs(), ledger.FilePath(Record::kFileName), bytes).ok();
}

bool SettingsWithYear(Ledger& ledger, std::string_view name, size_t size, size_t year_at) {
  std::string settings(size, ' ');
  PutInt32(settings, year_at, ledger.settings().data_year);
  return WriteFileAtomically(ledger.fs(), ledger.FilePath(name), settings).ok();
}

bool ReceivablesWaiting(Ledger& ledger) {
  std::vector<SalesCodeRecord> codes(3);
  const char* kCodes[][3] = {
      {"S1", "Sales", "510"}, {"S2", "Service", "520"}, {"P1", "Payments", "110"}};
  for (size_t i = 0; i < codes.size(); ++i) {
    codes[i].code = kCodes[i][0];
    codes[i].description = kCodes[i][1];
    codes[i].account = kCodes[i][2];
  }
  std::vector<ChargeRecord> charges(kImportedRecords);
  for (int i = 0; i < kImportedRecords; ++i) {
    charges[i].date = ImportDay(i);
    charges[i].sales_code = kCodes[i % 3][0];
    charges[i].amount = Money::FromCents(i % 3 == 2 ? -(5000 + i) : 1000 + i);
    charges[i].imported = i < 50 ? 1 : 0;
  }
  return SettingsWithYear(ledger, ReceivablesSettingsRecord::kFileName,
                          ReceivablesSettingsRecord::kSize, 778) &&
         WriteRecords(ledger, codes) && WriteRecords(ledger, charges);
}

bool ImportReceivablesRun(Ledger& ledger) {
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  ImportEnvironment env{ledger, dates, {}};
  return ImportReceivables(env, ImportMode::kStartUp) == ImportOutcome::kImported;
}

// The payee of the paychecks is there already: making it is a change of its
// own, before the import.
bool PaychecksWaiting(Ledger& ledger) {
  PayeeRecord payee;
  ClearPayee(payee);
  payee.name = std::string(kPayrollPayee);
  ledger.settings().payroll_post_deductions = 1;
  if (!ledger.AddPayee(payee) || !ledger.SaveCompanySettings()) return false;
  std::vector<EmployeeRecord> employees(20);
  for (int i = 0; i < 20; ++i) {
    employees[i].number = i + 1;
    employees[i].first_name = "Employee";
    employees[i].last_name = std::to_string(i + 1);
  }
  std::vector<PaycheckRecord> paychecks(kImportedRecords);
  for (int i = 0; i < kImportedRecords; ++i) {
    paychecks[i].employee_number = i % 21 + 1;  // one number no employee has
    paychecks[i].check_number = std::to_string(70001 + i);
    paychecks[i].date = ImportDay(i);
    paychecks[i].gross_pay = Money::FromCents(150000 + i);
    paychecks[i].deductions[0] = Money::FromCents(11475);
    paychecks[i].deductions[3] = Money::FromCents(2000 + i);
    paychecks[i].net_pay =
        paychecks[i].gross_pay - paychecks[i].deductions[0] - paychecks[i].deductions[3];
    paychecks[i].imported = i < 50 ? 1 : 0;
  }
  return SettingsWithYear(ledger, PayrollSettingsRecord::kFileName, PayrollSettingsRecord::kSize,
                          719) &&
         WriteRecords(ledger, employees) && WriteRecords(ledger, paychecks);
}

class AcceptingChooser : public PaycheckChooser {
 public:
  bool Confirm(const PaycheckSelection&) override { return true; }
};

bool ImportPayrollRun(Ledger& ledger) {
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  ImportEnvironment env{ledger, dates, {}};
  AcceptingChooser chooser;
  return ImportPayroll(env, ImportMode::kStartUp, chooser) == ImportOutcome::kImported;
}

// The client's side: its books checked out, and the accountant's package of
// adjustments in the data folder.
constexpr int32_t kClientNumber = 0x11111111;
constexpr int32_t kAccountantNumber = 0x22222222;

ExchangeEnvironment ExchangeOf(Ledger& ledger) {
  return {ledger, BackupEnvironmentOf(ledger), kClientNumber};
}

bool CheckedOutWithAdjustments(Ledger& ledger) {
  ExchangeStateRecord state;
  state.client_number = kClientNumber;
  state.client_export_date = *MakeDayNumber(2026, 1, 10);
  LinesChange check_out;
  check_out.exchange_mark = kMarkCheckedOut;
  check_out.alongside.push_back({std::string(ExchangeStateRecord::kFileName), state.Encode()});
  if (!ledger.ChangeLinesWithFiles(check_out)) return false;
  state.accountant_number = kAccountantNumber;
  state.accountant_import_date = *MakeDayNumber(2026, 1, 12);
  state.accountant_export_date = *MakeDayNumber(2026, 1, 14);
  std::string entries;
  for (int i = 0; i < 40; ++i) {
    entries += NewLine(kJournalLine, i % 2 ? "650" : "640", (i % 2 ? -1 : 1) * (2500 + i / 2),
                       "ADJ" + std::to_string(i / 2))
                   .Encode();
  }
  const std::string bytes = state.Encode();
  std::string package;
  return EncodeBackupSet({{std::string(ExchangeStateRecord::kFileName), bytes},
                          {std::string(kNewEntriesFileName), entries}},
                         &package)
             .ok() &&
         WriteFileAtomically(ledger.fs(),
                             ledger.data_folder() + std::string(kAccountantPackageName), package)
             .ok();
}

bool ImportFromAccountantRun(Ledger& ledger) {
  ExchangeEnvironment env = ExchangeOf(ledger);
  return ImportPackage(env, ledger.data_folder());
}

struct Operation {
  const char* name;
  bool is_load;
  const char* what;
  bool (*prepare)(Ledger&);  // null: the settled company as it is
  bool (*run)(Ledger&);
};

const Operation kOperations[] = {
    {"append", false, "append a check (line at the end, one chart record in place)", nullptr,
     Append},
    {"edit", false, "rewrite a check in place with a new account and amount (chart rewritten)",
     nullptr, Edit},
    {"void", false, "void a check (line and one chart record in place)", nullptr, Void},
    {"delete", false, "delete a line in the middle (chart and lines rewritten)", nullptr, Delete},
    {"insert", false, "insert a journal line in the middle, file in the order entered",
     InEntryOrder, Insert},
    {"move-to-end", false, "pay an unpaid invoice: the line moves to the end", nullptr, MoveToEnd},
    {"pay-invoices", false,
     "pay twenty unpaid invoices: lines moved to the end, posted, file sorted (lines and chart)",
     nullptr, PayInvoices},
    {"mark-printed", false, "mark every line printed (lines rewritten)", Unprinted, MarkPrinted},
    {"sort-by-date", false, "sort the file from the order entered into date order", InEntryOrder,
     SortByDate},
    {"sort-by-entry", false, "sort the file from date order into the order entered", nullptr,
     SortByEntry},
    {"load-sort", true, "the load sorts a file that is out of the order the settings choose",
     OutOfOrder, LoadOnly},
    {"load-totals", true, "the load repairs posted totals that drifted", DriftedTotals, LoadOnly},
    {"renumber-account", false,
     "renumber account 650 to 695 (chart, lines and recurring entries rewritten)", nullptr,
     RenumberAccount},
    {"renumber-bank", false, "renumber the bank account 110 to 111 (chart, lines, settings)",
     nullptr, RenumberBank},
    {"rename-payee", false, "rename a payee (payees and lines rewritten)", nullptr, RenamePayee},
    {"delete-payee", false, "delete a payee (recurring entries, payees and lines rewritten)",
     nullptr, DeletePayee},
    {"remove-oldest-year", false,
     "remove the oldest year, its balances moved forward (lines and chart as one change)",
     OldestYearBalanced, RemoveOldestYear},
    {"delete-all-transactions", false,
     "delete every line, zero the chart and remove KXACCT.REC (one change)", Reconciled,
     DeleteAllTransactions},
    {"delete-inactive-payees", false,
     "delete the idle payees (recurring entries, payees and lines rewritten)",
     IdlePayeeBeforeAnActiveOne, DeleteInactivePayees},
    {"save-settings", false, "save the company settings", nullptr, SaveSettings},
    {"post-recurring", false, "post a month of recurring entries (lines and chart as one change)",
     nullptr, PostRecurring},
    {"save-reconciliation", false,
     "save reconciliation marks and the statement balance (KXACCT.REC and settings)", Reconciled,
     SaveReconciliation},
    {"save-micr", false, "save the MICR settings (KXMICR.DAT)", WriteMicrSettings, SaveMicr},
    {"restore", false, "restore the books from the automatic backup (files replaced and removed)",
     BackedUpThenChanged, Restore},
    {"import-receivables", false,
     "import 250 charges and payments (lines, chart and KXAREC.CHG as one change)",
     ReceivablesWaiting, ImportReceivablesRun},
    {"import-payroll", false, "import 250 paychecks (lines, chart and KXPAY.PRC as one change)",
     PaychecksWaiting, ImportPayrollRun},
    {"exchange-import", false,
     "the client imports the accountant's entries (lines appended, marks cleared, ZENKAR.DDD)",
     CheckedOutWithAdjustments, ImportFromAccountantRun},
};

const Operation& FindOperation(std::string_view name) {
  for (const Operation& operation : kOperations) {
    if (name == operation.name) return operation;
  }
  Fail("no operation " + std::string(name));
}

// --- Commands ----------------------------------------------------------------

void Make(const std::string& folder_in, int lines) {
  const std::string folder = NormalizeFolderPath(folder_in);
  FileSystem& fs = PosixFileSystem();
  std::vector<AccountRecord> chart;
  if (Status s = fs.CreateDirectory(folder); !s.ok()) Fail(s.message());
  if (Status s = ReadChartText(fs, ZENKAR_DEFAULT_CHART_TEXT, &chart); !s.ok()) Fail(s.message());
  if (Status s = WriteGeneratedCompany(fs, folder, chart, lines); !s.ok()) Fail(s.message());
  std::vector<RecurringEntryRecord> recurring;
  for (int32_t payee : kRecurringPayees) recurring.push_back(RecurringTemplate(payee));
  if (Status s = WriteFileAtomically(fs, folder + std::string(kRecurringFileName),
                                     EncodeRecurringEntries(recurring));
      !s.ok()) {
    Fail(s.message());
  }
  Books books(folder);
  LoadOrFail(books);
  books.ledger.Close();
  if (books.ShowedError()) Fail("the first load reported: " + books.LastMessage());
}

void Prepare(const Operation& operation, const std::string& folder) {
  if (operation.prepare == nullptr) return;
  Books books(folder);
  LoadOrFail(books);
  if (!operation.prepare(books.ledger) || books.ShowedError()) {
    Fail("cannot prepare " + std::string(operation.name) + ": " + books.LastMessage());
  }
  books.ledger.Close();
}

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

int Run(const Operation& operation, const std::string& folder, bool wait, int kill_at) {
  Books books(folder);
  if (!operation.is_load) LoadOrFail(books);
  books.fs.StartCounting(kill_at);
  Say("ready");
  const auto start = std::chrono::steady_clock::now();
  const size_t messages_before = books.ui.messages().size();
  const bool done = (!operation.is_load || books.Load()) && operation.run(books.ledger);
  const double elapsed =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  bool error = false;
  for (size_t i = messages_before; i < books.ui.messages().size(); ++i) {
    error = error || books.ui.messages()[i].kind == MessageKind::kError;
  }
  if (!done || error) {
    std::fprintf(stderr, "crash_trial: %s failed: %s\n", operation.name,
                 books.LastMessage().c_str());
    return 1;
  }
  char figures[64];
  std::snprintf(figures, sizeof figures, "done %.3f %d", elapsed, books.fs.steps());
  Say(figures);
  if (wait) {
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
  }
  return 0;
}

// 64-bit FNV-1a: enough to tell two versions of the books apart.
class Fingerprint {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char byte : bytes) hash_ = (hash_ ^ byte) * 1099511628211ULL;
  }
  std::string Hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

 private:
  uint64_t hash_ = 14695981039346656037ULL;
};

std::string HexRows(std::string_view label, std::string_view bytes, size_t row) {
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += row) {
    char head[48];
    std::snprintf(head, sizeof head, "%.*s %06zu:", static_cast<int>(label.size()), label.data(),
                  at);
    text += head;
    for (size_t i = at; i < at + row && i < bytes.size(); ++i) {
      char pair[3];
      std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
      text += pair;
    }
    text += "\n";
  }
  return text;
}

std::string AccountText(const AccountRecord& a) {
  return "account " + a.number + "|" + Cp1252ToUtf8(a.description) + "|" + std::to_string(a.type) +
         "|" + std::to_string(a.total_level) + "|" + std::to_string(a.title_type) + "|" +
         a.balance_forward.ToString() + "|" + a.posted_total.ToString() + "\n";
}

std::string LineText(const TransactionRecord& t) {
  return "line " + std::to_string(t.record_number) + "|" + std::to_string(t.kind) + "|" +
         t.account + "|" + std::to_string(t.date) + "|" + t.amount.ToString() + "|" + t.reference +
         "|" + std::to_string(t.payee_number) + "|" + std::to_string(t.entry_sequence) + "|" +
         std::to_string(t.unprinted) + "|" + Cp1252ToUtf8(t.description) + "\n";
}

int Digest(const std::string& folder, const std::string& text_path) {
  Books books(folder);
  if (!books.Load()) {
    std::printf("load failed: %s\n", books.LastMessage().c_str());
    return 3;
  }
  Ledger& ledger = books.ledger;
  std::string text;
  const bool readable = !text_path.empty();
  auto part = [&](std::string_view name, int count, std::string_view bytes) {
    Fingerprint print;
    print.Add(bytes);
    std::printf("%.*s %d %s\n", static_cast<int>(name.size()), name.data(), count,
                print.Hex().c_str());
  };

  const std::string settings = ledger.settings().Encode();
  part("settings", 1, settings);
  if (readable) text += HexRows("settings", settings, 48);

  part("chart", ledger.chart().count(), ledger.chart().Encode());
  for (const AccountRecord& account : ledger.chart().accounts()) {
    if (readable) text += AccountText(account);
  }

  part("payees", ledger.payees().count(), ledger.payees().Encode());
  for (int n = 1; readable && n <= ledger.payees().count(); ++n) {
    text += "payee " + std::to_string(n) + "|" + Cp1252ToUtf8(ledger.payees().payee(n).name) + "\n";
  }

  std::string lines;
  lines.reserve(static_cast<size_t>(ledger.transaction_count()) * TransactionRecord::kSize);
  if (!ledger.ForEachTransaction([&](const TransactionRecord& line) {
        lines += line.raw;
        if (readable) text += LineText(line);
      })) {
    std::printf("cannot read the lines: %s\n", books.LastMessage().c_str());
    return 3;
  }
  part("lines", ledger.transaction_count(), lines);

  std::string recurring;
  const std::string recurring_path = ledger.FilePath(kRecurringFileName);
  if (PosixFileSystem().FileExists(recurring_path)) {
    if (Status s = PosixFileSystem().ReadFile(recurring_path, &recurring); !s.ok()) {
      std::printf("cannot read the recurring entries: %s\n", s.message().c_str());
      return 3;
    }
  }
  part("recurring", static_cast<int>(recurring.size() / kRecurringLength), recurring);
  std::string micr;
  if (const std::string path = ledger.FilePath(kMicrFileName); PosixFileSystem().FileExists(path)) {
    if (Status s = PosixFileSystem().ReadFile(path, &micr); !s.ok()) {
      std::printf("cannot read the MICR settings: %s\n", s.message().c_str());
      return 3;
    }
  }
  part("micr", micr.empty() ? 0 : 1, micr);
  for (size_t at = 0; readable && at + kRecurringLength <= recurring.size();
       at += kRecurringLength) {
    Fingerprint print;
    print.Add(std::string_view(recurring).substr(at, kRecurringLength));
    text += "recurring " + std::to_string(at / kRecurringLength + 1) + "|payee " +
            std::to_string(GetInt32(recurring, at + 4)) + "|" + print.Hex() + "\n";
  }

  const std::string marks = EncodeReconciliationItems(ledger.SavedReconciliation());
  part("reconciliation", static_cast<int>(marks.size() / kReconciliationRecordLength), marks);
  if (readable) text += HexRows("reconciliation", marks, 76);

  // The files beside the books that changes of the lines record themselves
  // in: the companion programs' imported flags and the exchange's state.
  for (std::string_view name : {ChargeRecord::kFileName, PaycheckRecord::kFileName,
                                ExchangeStateRecord::kFileName, kNewEntriesFileName}) {
    std::string bytes;
    const std::string path = ledger.FilePath(name);
    const bool present = PosixFileSystem().FileExists(path);
    if (present && !PosixFileSystem().ReadFile(path, &bytes).ok()) {
      std::printf("cannot read %.*s\n", static_cast<int>(name.size()), name.data());
      return 3;
    }
    std::string label = "beside:" + std::string(name);
    for (char& c : label) c = c == '.' ? '-' : static_cast<char>(std::tolower(c));
    part(label, present ? 1 : 0, bytes);
  }

  for (const Message& message : books.ui.messages()) {
    const std::string body = Cp1252ToUtf8(message.text);
    std::printf("message %d %s\n", static_cast<int>(message.kind),
                body.substr(0, body.find('\n')).c_str());
  }
  if (readable) {
    if (Status s = WriteFileAtomically(PosixFileSystem(), text_path, text); !s.ok()) {
      Fail(s.message());
    }
  }
  return books.ShowedError() ? 3 : 0;
}

// --- Two programs on one folder ------------------------------------------

// The line described `description`, or 0: looked for by description because
// the other program's changes renumber lines.
int LineDescribed(Ledger& ledger, const std::string& description) {
  int found = 0;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (TrimRight(line.description) == description) found = line.record_number;
  });
  return found;
}

// The amount of the i-th check of a shared-folder trial, and its final amount
// after every third one was corrected (crash_trials.py's shared-folder check
// computes the same).
int64_t SharedCheckCents(int i) { return 1000 + i; }
int64_t CorrectedCents(int i) { return 100000 + i; }

int Share(const std::string& folder, const std::string& name, int count) {
  Books books(folder);
  books.ledger.set_access(Ledger::Access::kShared);
  LoadOrFail(books);
  Ledger& ledger = books.ledger;
  for (int i = 1; i <= count; ++i) {
    TransactionRecord line =
        NewLine(kCheckOrDeposit, i % 2 ? "650" : "610", SharedCheckCents(i), std::to_string(i));
    // Back and forth across a year, so a file kept in date order falls out
    // of it with nearly every line.
    line.date = *MakeDayNumber(2025, 1 + (i * 5) % 12, 1 + (i * 7) % 28);
    line.description = name + " " + std::to_string(i);
    line.payee_number = 1 + i % 20;
    if (!ledger.AppendTransaction(line)) Fail("cannot append: " + books.LastMessage());
    if (i % 4 == 0) {
      const int number = LineDescribed(ledger, line.description);
      if (number == 0 || !ledger.DeleteTransaction(number)) {
        Fail("cannot delete " + line.description + ": " + books.LastMessage());
      }
    } else if (i % 3 == 0) {
      const int number = LineDescribed(ledger, line.description);
      if (number == 0) Fail("lost " + line.description);
      TransactionRecord corrected = ReadLine(ledger, number);
      corrected.amount = Money::FromCents(CorrectedCents(i));
      if (!ledger.WriteTransaction(number, corrected)) {
        Fail("cannot correct " + line.description + ": " + books.LastMessage());
      }
    }
  }
  int rereads = 0;
  for (const Message& message : books.ui.messages()) {
    if (message.text == kBooksReread) ++rereads;
  }
  std::printf("shared %d %d\n", count, rereads);
  return books.ShowedError() ? 3 : 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: crash_trial make FOLDER LINES | list | prepare OPERATION FOLDER |\n"
               "       run OPERATION FOLDER [--wait] [--kill-at-step K] |\n"
               "       digest FOLDER [--text FILE] | share FOLDER NAME COUNT\n");
  return 2;
}

int Main(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "list" && args.size() == 1) {
    for (const Operation& operation : kOperations) {
      std::printf("%s\t%s\t%s\n", operation.name, operation.is_load ? "load" : "change",
                  operation.what);
    }
    return 0;
  }
  if (command == "make" && args.size() == 3) {
    Make(args[1], std::atoi(args[2].c_str()));
    return 0;
  }
  if (command == "prepare" && args.size() == 3) {
    Prepare(FindOperation(args[1]), args[2]);
    return 0;
  }
  if (command == "run" && args.size() >= 3) {
    bool wait = false;
    int kill_at = 0;
    for (size_t i = 3; i < args.size(); ++i) {
      if (args[i] == "--wait") {
        wait = true;
      } else if (args[i] == "--kill-at-step" && i + 1 < args.size()) {
        kill_at = std::atoi(args[++i].c_str());
      } else {
        return Usage();
      }
    }
    return Run(FindOperation(args[1]), args[2], wait, kill_at);
  }
  if (command == "digest" && (args.size() == 2 || (args.size() == 4 && args[2] == "--text"))) {
    return Digest(args[1], args.size() == 4 ? args[3] : "");
  }
  if (command == "share" && args.size() == 4) {
    return Share(args[1], args[2], std::atoi(args[3].c_str()));
  }
  return Usage();
}

}  // namespace
}  // namespace zenkar::testing

int main(int argc, char** argv) {
  return zenkar::testing::Main(std::vector<std::string>(argv + 1, argv + argc));
}
