#include "ledger/ledger.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Left in option 529 by an older layout: the byte 24 followed by three spaces.
constexpr int32_t kStaleOption529 = 538976280;

constexpr std::string_view kFileInUseText =
    "File is already in use, marked as read-only, or by some other means, is unable to be "
    "opened. Reboot the computer.";

bool IsAccessError(const Status& status) {
  return status.error_number() == EACCES || status.error_number() == EPERM ||
         status.error_number() == EROFS;
}

std::string OpenErrorText(const std::string& path, const Status& status,
                          std::string_view explanation) {
  std::string text =
      "Error opening " + Utf8ToCp1252(path) + "\n\nError: " + std::to_string(status.error_number());
  if (!explanation.empty()) {
    text += "\n" + std::string(explanation);
  } else if (status.error_number() != 0) {
    text += "\n" + std::string(std::strerror(status.error_number()));
  }
  return text;
}

}  // namespace

Ledger::Ledger(FileSystem& fs, Ui& ui, Clock& clock) : fs_(fs), ui_(ui), clock_(clock) {}

Ledger::~Ledger() = default;

void Ledger::AddObserver(LedgerObserver* observer) { observers_.push_back(observer); }

void Ledger::RemoveObserver(LedgerObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Ledger::Notify(LedgerChange change, int record_number) {
  for (LedgerObserver* observer : observers_) observer->OnLedgerChanged(change, record_number);
}

void Ledger::set_program_folder(std::string_view folder) {
  program_folder_ = NormalizeFolderPath(folder);
}

std::string Ledger::FilePath(std::string_view file_name) {
  return DataFilePath(fs_, data_folder_, file_name);
}

void Ledger::SetDataFolder(std::string_view folder) { data_folder_ = NormalizeFolderPath(folder); }

Ledger::FolderChange Ledger::ChangeDataFolder(std::string_view path) {
  const std::string folder = NormalizeFolderPath(path);
  if (folder == data_folder_) {
    ui_.Information(Utf8ToCp1252(folder) +
                    "\nis the current data folder - data folder not changed.");
    return FolderChange::kSameFolder;
  }
  if (!fs_.DirectoryExists(folder)) {
    ui_.Error(Utf8ToCp1252(folder) + "\ndoes not exist - data folder not changed.");
    return FolderChange::kMissing;
  }
  Close();
  data_folder_ = folder;
  return OpenDataFolder() ? FolderChange::kChanged : FolderChange::kLoadFailed;
}

bool Ledger::OpenDataFolder() {
  Unload();
  if (!TestOpen(CompanySettings::kFileName) || !TestOpen(kTransactionFileName)) return false;
  const SettingsLoad load = LoadCompanySettings();
  if (load == SettingsLoad::kRefused || load == SettingsLoad::kNotCompanyFolder) return false;
  if (!OpenTransactionFile()) return false;
  LineTotals totals;
  if (!PrepareTransactions(&totals) || !LoadChart() || !LoadPayees()) {
    Unload();
    return false;
  }
  summary_ = totals.summary;
  RepairPostedTotals(totals);
  LockDataFolder();
  WarnIfNearCapacity();
  Notify(LedgerChange::kFolderLoaded);
  return true;
}

void Ledger::Close() {
  if (transactions_ == nullptr) return;
  SaveCompanySettings();
  Unload();
}

// Forgets everything loaded from the folder; the settings stay as they are.
void Ledger::Unload() {
  transactions_.reset();
  chart_ = ChartOfAccounts();
  payees_ = PayeeList();
  summary_ = TransactionSummary();
  last_entry_sequence_ = 0;
  last_payee_ = 0;
  folder_shared_ = false;
}

// Opens the file for reading and writing (creating it empty) and closes it
// again. A file marked read-only gets its mark cleared and one more try.
bool Ledger::TestOpen(std::string_view file_name) {
  const std::string path = FilePath(file_name);
  std::unique_ptr<RandomAccessFile> file;
  Status status = fs_.OpenRandomAccess(path, /*create=*/true, &file);
  if (!status.ok() && IsAccessError(status) && fs_.MakeWritable(path).ok()) {
    status = fs_.OpenRandomAccess(path, /*create=*/true, &file);
    if (!status.ok() && IsAccessError(status)) {
      ui_.Error(OpenErrorText(path, status, kFileInUseText));
      return false;
    }
  }
  if (!status.ok()) {
    ui_.Error(OpenErrorText(path, status, ""));
    return false;
  }
  return true;
}

Ledger::SettingsLoad Ledger::LoadCompanySettings() {
  const std::string path = FilePath(CompanySettings::kFileName);
  if (!fs_.FileExists(path) || !fs_.FileExists(FilePath(kTransactionFileName))) {
    return SettingsLoad::kNotCompanyFolder;
  }
  std::string record;
  if (Status s = fs_.ReadFile(path, &record); !s.ok()) {
    ui_.Error(OpenErrorText(path, s, ""));
    return SettingsLoad::kRefused;
  }
  if (record.empty()) {
    CompanySettings fresh;
    NewCompanySettings(fresh);
    settings_ = fresh;
    if (!SaveCompanySettings() || !RunFirstTimeSetup()) return SettingsLoad::kRefused;
    return SettingsLoad::kNewCompany;
  }
  if (record.size() != CompanySettings::kSize) {
    ui_.Error("Invalid settings file:\n" + Utf8ToCp1252(path) + "\nIt is " +
              std::to_string(record.size()) +
              " bytes long instead of 4800. The file was not changed.");
    return SettingsLoad::kRefused;
  }
  CompanySettings loaded = CompanySettings::Decode(record);
  std::swap(settings_, loaded);
  if (!ApplyVersionRules()) {
    std::swap(settings_, loaded);  // the declined settings are not used
    return SettingsLoad::kRefused;
  }
  return SettingsLoad::kLoaded;
}

// The version year at offset 436 says which layout wrote the record. Older
// layouts are brought up to date and saved once; a record from a later
// program is used only when the user agrees.
bool Ledger::ApplyVersionRules() {
  CompanySettings& s = settings_;
  bool changed = false;
  if (s.data_year < CompanySettings::kCurrentDataYear) {
    if (s.data_year == 2014) s.option_1685 = s.option_529 = s.option_533 = 0;
    s.data_year = CompanySettings::kCurrentDataYear;
    changed = true;
  } else if (s.data_year > CompanySettings::kNewestKnownDataYear) {
    const std::string question = "Using " + std::to_string(s.data_year) + " data with the " +
                                 std::to_string(CompanySettings::kCurrentDataYear) +
                                 " program may cause data loss.";
    if (!ui_.OkCancel(question)) return false;
  }
  if (s.option_529 == kStaleOption529) {
    s.option_529 = s.option_533 = 0;
    changed = true;
  }
  if (changed) SaveCompanySettings();
  return true;
}

// A new company starts with empty books: this version converts no books of
// the older general-ledger and payables programs.
bool Ledger::RunFirstTimeSetup() {
  const std::string transactions = FilePath(kTransactionFileName);
  uint64_t size = 0;
  if (fs_.FileSize(transactions, &size).ok() && size > 0) {
    ui_.Information("Converted data already exists:\n" + Utf8ToCp1252(data_folder_) +
                    std::string(kTransactionFileName));
  }
  return true;
}

bool Ledger::SaveCompanySettings() {
  const std::string path = FilePath(CompanySettings::kFileName);
  const std::string record = settings_.Encode();
  if (Status s = WriteFileAtomically(fs_, path, record); !s.ok()) {
    ui_.Error("Error saving " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  settings_.raw = record;
  return true;
}

bool Ledger::OpenTransactionFile() {
  transactions_.reset();
  std::unique_ptr<TransactionFile> file;
  const std::string path = FilePath(kTransactionFileName);
  if (Status s = TransactionFile::Open(fs_, path, &file); !s.ok()) {
    ui_.Error(s.code() == Status::Code::kInvalidFile ? s.message() : OpenErrorText(path, s, ""));
    return false;
  }
  transactions_ = std::move(file);
  return true;
}

void Ledger::WarnIfNearCapacity() {
  if (transaction_count() > kCapacityWarningCount) ui_.Information(kCapacityWarning);
}

// Stands in for marking the program as running on this folder: a second
// program on the same folder is warned, not refused.
void Ledger::LockDataFolder() {
  folder_lock_.Join(data_folder_, &folder_shared_);
  if (folder_shared_) {
    ui_.Information("Another program is already using this data folder:\n" +
                    Utf8ToCp1252(data_folder_) +
                    "\nBoth can change the books: each reads the other's changes before it "
                    "saves its own.");
  }
}

void Ledger::ReportWriteFailure(const std::string& path, const Status& status) {
  ui_.Error("Error writing " + Utf8ToCp1252(path) + "\n\n" + status.message() +
            "\n\nThe change was not saved; the books are as they were.");
}

Money Ledger::AccountBalance(int record_number) const {
  return zenkar::AccountBalance(chart_.account(record_number), settings_, summary_);
}

Money Ledger::BalanceForwardTotal() const {
  Money total;
  for (const AccountRecord& account : chart_.accounts()) total += account.balance_forward;
  return total;
}

Money Ledger::PostedTotalSum() const {
  Money total;
  for (const AccountRecord& account : chart_.accounts()) total += account.posted_total;
  return total;
}

}  // namespace zenkar
