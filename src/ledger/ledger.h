// Ledger: the one entry point to a company's books.
//
// A Ledger owns what is loaded from one data folder: the company settings,
// and the transaction file held open with its cached record count (the chart
// of accounts and the payees join them). Screens, reports and the command-line
// program call its operations; every message it gives goes through the Ui
// port, so each workflow runs and is tested without a display.
#ifndef ZENKAR_LEDGER_LEDGER_H_
#define ZENKAR_LEDGER_LEDGER_H_

#include <memory>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/record_file.h"
#include "common/ui.h"
#include "ledger/company_settings.h"

namespace zenkar {

inline constexpr std::string_view kTransactionFileName = "KXACCT.TRN";
inline constexpr size_t kTransactionRecordLength = 328;

// Above this count every settings load warns that the file is nearly full.
inline constexpr int kCapacityWarningCount = 99000;
// Above this count reports and the year clean-up apply their own handling.
inline constexpr int kTransactionCapacity = 100000;
inline constexpr std::string_view kCapacityWarning =
    "WARNING: Nearing the transaction capacity of this program";

class Ledger {
 public:
  Ledger(FileSystem& fs, Ui& ui, Clock& clock);
  ~Ledger();
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;

  FileSystem& fs() { return fs_; }
  Ui& ui() { return ui_; }
  Clock& clock() { return clock_; }

  // --- Data folder -------------------------------------------------------

  // The normalised data folder, ending in "/" (empty: the current directory).
  const std::string& data_folder() const { return data_folder_; }
  // The path of one file of the set in the data folder, found case-insensitively.
  std::string FilePath(std::string_view file_name);
  // Makes `folder` (normalised) the data folder without loading anything.
  void SetDataFolder(std::string_view folder);
  bool is_loaded() const { return transactions_ != nullptr; }

  enum class FolderChange { kChanged, kSameFolder, kMissing, kLoadFailed };
  // Normalises `path`; when it is the current folder or does not exist, says
  // so and changes nothing. Otherwise saves the settings, closes the files of
  // the old folder and opens the new one.
  FolderChange ChangeDataFolder(std::string_view path);

  // Loads the data folder: test-opens KXACCT.CFG and KXACCT.TRN (creating
  // them empty when absent), reads the settings with their version rules
  // (asking before using data of a later program), opens the transaction file
  // and warns when it is nearly full. False when the folder cannot be used;
  // the failure has been reported.
  bool OpenDataFolder();

  // Saves the settings and closes the transaction file.
  void Close();

  // --- Company settings --------------------------------------------------

  CompanySettings& settings() { return settings_; }
  const CompanySettings& settings() const { return settings_; }

  enum class SettingsLoad { kLoaded, kNewCompany, kNotCompanyFolder, kRefused };
  // Reads KXACCT.CFG into the settings with the version upgrade rules. A
  // folder without KXACCT.CFG or KXACCT.TRN is not a company folder and the
  // settings keep their contents. An empty file becomes a new company. A file
  // of the wrong length, or the user declining data of a later program,
  // refuses the load; the file is never overwritten then.
  SettingsLoad LoadCompanySettings();
  // Writes the settings back whole. Reports a failure and returns false; the
  // settings in memory stay as they are, so the next save writes everything.
  bool SaveCompanySettings();

  // --- Transaction file --------------------------------------------------

  // (Re)opens KXACCT.TRN; refuses a file that is not a whole number of records.
  bool OpenTransactionFile();
  int transaction_count() const { return transactions_ ? transactions_->count() : 0; }
  // The open transaction file, or null when no folder is loaded.
  RecordFile* transaction_file() { return transactions_.get(); }
  // Shows the capacity warning when the file holds more than 99,000 lines.
  void WarnIfNearCapacity();
  // True when another program held the data folder's lock at load.
  bool folder_shared() const { return folder_shared_; }

 private:
  bool TestOpen(std::string_view file_name);
  bool ApplyVersionRules();
  bool RunFirstTimeSetup();
  void LockDataFolder();

  FileSystem& fs_;
  Ui& ui_;
  Clock& clock_;
  std::string data_folder_;
  CompanySettings settings_;
  std::unique_ptr<RecordFile> transactions_;
  std::unique_ptr<FileLock> folder_lock_;
  bool folder_shared_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_LEDGER_H_
