#include "ledger/ledger.h"

#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger_books.h"

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

std::string Ledger::FilePath(std::string_view file_name) const {
  for (const auto& [target, temporary] : pending_) {
    if (target.size() == file_name.size() &&
        ::strncasecmp(target.data(), file_name.data(), target.size()) == 0) {
      return temporary;
    }
  }
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
  damaged_file_ = {};
  if (!TakeFolder()) return false;
  // A change of the books in every access but reading: the load may write,
  // and no other program changes the files between its reading and writing.
  const bool reading = access_ == Access::kReadOnly;
  if (Status s = reading ? folder_lock_.BeginReading() : folder_lock_.BeginChange(); !s.ok()) {
    ui_.Error("Error locking the data folder " + Utf8ToCp1252(data_folder_) + "\n\n" + s.message());
    Unload();
    return false;
  }
  if (reading) {
    pending_ = FileSetRewrite::PendingReplacements(fs_, data_folder_);
  } else if (!FinishInterruptedChange()) {
    Unload();
    return false;
  }
  const FileStamps before = CurrentStamps();
  Books books;
  const bool loaded = ReadBooks(Reading::kLoad, &books) && (reading || SettleBooks(&books));
  if (!loaded) {
    Unload();
    return false;
  }
  Adopt(std::move(books));
  generations_ = folder_lock_.ReadGenerations();
  stamps_ = before;
  if (!reading) {
    NoteOwnWrites(before, /*books_in_step=*/true);
    folder_lock_.End();
  }
  // A reading program keeps the books from changing under it until it closes.
  if (folder_shared_) {
    ui_.Information("Another program is already using this data folder:\n" +
                    Utf8ToCp1252(data_folder_) +
                    "\nBoth can change the books: each reads the other's changes before it "
                    "saves its own.");
  }
  WarnIfNearCapacity();
  Notify(LedgerChange::kFolderLoaded);
  return true;
}

void Ledger::Close() {
  if (transactions_ == nullptr) return;
  if (access_ != Access::kReadOnly) SaveCompanySettings();
  Unload();
}

// Forgets everything loaded from the folder and lets go of it; the settings
// stay as they are.
void Ledger::Unload() {
  transactions_.reset();
  figures_ = PeriodFigures();
  figures_revision_ = 0;
  chart_ = ChartOfAccounts();
  payees_ = PayeeList();
  summary_ = TransactionSummary();
  last_entry_sequence_ = 0;
  last_payee_ = 0;
  folder_shared_ = false;
  change_depth_ = 0;
  stamps_ = FileStamps();
  pending_.clear();
  folder_lock_.Leave();
}

// Takes the folder lock as the access says: shared (a second program is told
// at the end of the load), alone (refused while another program has the
// folder), or for reading (nothing made, nothing held in use).
bool Ledger::TakeFolder() {
  Status status;
  switch (access_) {
    case Access::kShared:
      status = folder_lock_.Join(data_folder_, &folder_shared_);
      break;
    case Access::kAlone:
      status = folder_lock_.TakeAlone(data_folder_);
      if (status.code() == Status::Code::kInUse) {
        ui_.Error(FolderInUseMessage(data_folder_));
        return false;
      }
      break;
    case Access::kReadOnly:
      status = folder_lock_.OpenForReading(data_folder_);
      break;
  }
  if (!status.ok()) {
    ui_.Error("Error locking the data folder " + Utf8ToCp1252(data_folder_) + "\n\n" +
              status.message());
  }
  return status.ok();
}

// A change that a crash cut short between the renames of its files is
// finished, and temporary files that crashes left beside the files of the
// set are removed. Called holding the writing lock, so no other program is
// in the middle of a change.
bool Ledger::FinishInterruptedChange() {
  if (Status s = FileSetRewrite::FinishInterruptedRewrite(fs_, data_folder_); !s.ok()) {
    ui_.Error("The last change of the books in " + Utf8ToCp1252(data_folder_) +
              " was cut short and could not be finished:\n\n" + s.message());
    return false;
  }
  FileSetRewrite::RemoveLeftTemporaries(fs_, data_folder_, kBooksFileNames);
  return true;
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

// The version year at offset 436 says which layout wrote the record. Older
// layouts are brought up to date (`changed`: to be saved once); a record from
// a later program is used only when the user agrees.
bool Ledger::ApplyVersionRules(CompanySettings& s, bool* changed) {
  *changed = false;
  if (s.data_year < CompanySettings::kCurrentDataYear) {
    if (s.data_year == 2014) {
      for (size_t option : {CompanySettings::kOption1685, CompanySettings::kOption529,
                            CompanySettings::kOption533}) {
        s.ResetOption(option);
      }
    }
    s.data_year = CompanySettings::kCurrentDataYear;
    *changed = true;
  } else if (s.data_year > CompanySettings::kNewestKnownDataYear) {
    const std::string question = "Using " + std::to_string(s.data_year) + " data with the " +
                                 std::to_string(CompanySettings::kCurrentDataYear) +
                                 " program may cause data loss.";
    if (!ui_.OkCancel(question)) return false;
  }
  if (s.OptionAt(CompanySettings::kOption529) == kStaleOption529) {
    s.ResetOption(CompanySettings::kOption529);
    s.ResetOption(CompanySettings::kOption533);
    *changed = true;
  }
  return true;
}

// A new company starts with empty books: this version converts no books of
// the older general-ledger and payables programs.
void Ledger::RunFirstTimeSetup() {
  const std::string transactions = FilePath(kTransactionFileName);
  uint64_t size = 0;
  if (fs_.FileSize(transactions, &size).ok() && size > 0) {
    ui_.Information("Converted data already exists:\n" + Utf8ToCp1252(data_folder_) +
                    std::string(kTransactionFileName));
  }
}

bool Ledger::WriteSettings(const CompanySettings& settings) {
  const std::string path = FilePath(CompanySettings::kFileName);
  if (Status s = WriteFileAtomically(fs_, path, settings.Encode()); !s.ok()) {
    ui_.Error("Error saving " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  return true;
}

bool Ledger::SaveCompanySettings() {
  if (access_ == Access::kReadOnly) {
    ui_.Error(kOpenedForReading);
    return false;
  }
  Change change(*this, /*reread_books=*/false);
  if (!change.ok()) return false;
  MergeSettingsFromDisk();
  if (!WriteSettings(settings_)) return false;
  settings_.raw = settings_.Encode();
  return true;
}

Ledger::FolderFileSave Ledger::ReplaceFolderFile(std::string_view file_name,
                                                 std::string_view contents,
                                                 const FileStamp& as_read) {
  Change change(*this, /*reread_books=*/false);
  if (!change.ok()) return FolderFileSave::kFailed;
  const std::string path = FilePath(file_name);
  FileStamp now;
  (void)fs_.StampOf(path, &now);  // a file that cannot be examined is not the one read
  if (!(now == as_read)) return FolderFileSave::kChangedElsewhere;
  if (Status s = WriteFileAtomically(fs_, path, contents); !s.ok()) {
    ui_.Error("Error saving " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return FolderFileSave::kFailed;
  }
  return FolderFileSave::kSaved;
}

void Ledger::WarnIfNearCapacity() {
  if (transaction_count() > kCapacityWarningCount) ui_.Information(kCapacityWarning);
}

void Ledger::ReportReadFailure(const std::string& path, const Status& status) {
  ui_.Error("Error reading " + Utf8ToCp1252(path) + "\n\n" + status.message());
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
