#include "ledger/folder_summary.h"

#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Folder paths are file-system bytes (UTF-8); message texts are Windows-1252.
std::string ShownPath(const std::string& path) { return Utf8ToCp1252(path); }

}  // namespace

std::string WhereAmIText(const Ledger& ledger) {
  const Money out_of_balance = ledger.OutOfBalance().RoundedToCents();
  return std::to_string(ledger.transaction_count()) + " Transactions\n" +
         ShownPath(ledger.data_folder()) + "\n" +
         (out_of_balance.IsZero() ? "Accounts are balanced"
                                  : "Accounts are out of balance by: " + out_of_balance.ToString());
}

bool FolderHoldsBooks(FileSystem& fs, const std::string& folder) {
  for (std::string_view name : {CompanySettings::kFileName, kTransactionFileName}) {
    uint64_t size = 0;
    if (fs.FileSize(DataFilePath(fs, folder, name), &size).ok() && size > 0) return true;
  }
  return false;
}

NewCompanyFolder AddNewDataFolder(Ledger& ledger, std::string_view folder,
                                  std::string_view company_name) {
  const std::string path = NormalizeFolderPath(folder);
  FileSystem& fs = ledger.fs();
  if (FolderHoldsBooks(fs, path)) return NewCompanyFolder::kHoldsBooks;
  if (!fs.DirectoryExists(path)) {
    if (Status s = fs.CreateDirectory(path); !s.ok()) {
      ledger.ui().Error("Cannot create the folder " + ShownPath(path) + "\n\n" + s.message());
      return NewCompanyFolder::kNotCreated;
    }
  }
  ledger.Close();
  ledger.SetDataFolder(path);
  if (!ledger.OpenDataFolder()) return NewCompanyFolder::kLoadFailed;
  if (!company_name.empty()) ledger.settings().name_line_1 = std::string(company_name);
  ledger.SaveCompanySettings();
  return NewCompanyFolder::kCreated;
}

}  // namespace zenkar
