#include "launcher/data_search.h"

#include <algorithm>

#include "common/backup_set.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

bool Skipped(const std::string& name) {
  return name.front() == '.' || UpperCased(name).find("$RECYCLE") != std::string::npos ||
         name.find("Auto_Backup") != std::string::npos || name.find("OLDDATA") != std::string::npos;
}

// Every folder at and under `root` on its file system, depth first.
std::vector<std::string> FoldersUnder(FileSystem& fs, Ui& ui, const std::string& root) {
  FileStamp stamp;
  if (!fs.StampOf(root, &stamp).ok() || !stamp.exists) return {};
  std::vector<std::string> folders, waiting = {root};
  while (!waiting.empty()) {
    const std::string folder = waiting.back();
    waiting.pop_back();
    folders.push_back(folder);
    ui.SetProgress("Building list of folders to search:\n" + Utf8ToCp1252(folder), 0, 0);
    std::vector<Subfolder> subfolders;
    if (!fs.ListSubfolders(folder, &subfolders).ok()) continue;
    std::sort(subfolders.begin(), subfolders.end(),
              [](const Subfolder& a, const Subfolder& b) { return a.name > b.name; });
    for (const Subfolder& subfolder : subfolders) {
      if (Skipped(subfolder.name) || subfolder.device != stamp.device) continue;
      waiting.push_back(folder + subfolder.name + "/");
    }
  }
  return folders;
}

// True when the folder holds a file KX*.CFG, in any case.
bool HoldsSettingsFile(FileSystem& fs, const std::string& folder) {
  std::vector<std::string> names;
  if (!fs.ListDirectory(folder, &names).ok()) return false;
  for (const std::string& name : names) {
    const std::string upper = UpperCased(name);
    if (upper.size() >= 6 && upper.rfind("KX", 0) == 0 &&
        upper.compare(upper.size() - 4, 4, ".CFG") == 0 && fs.FileExists(folder + name)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::string> SearchForData(FileSystem& fs, Ui& ui, const std::string& root) {
  const std::vector<std::string> folders = FoldersUnder(fs, ui, NormalizeFolderPath(root));
  std::vector<std::string> found;
  const long count = static_cast<long>(folders.size());
  for (long i = 0; i < count; ++i) {
    ui.SetProgress("Locating folders which may contain Zenkar information:\nSearching " +
                       std::to_string(i + 1) + " of " + std::to_string(count),
                   i + 1, count);
    if (HoldsSettingsFile(fs, folders[i])) found.push_back(folders[i]);
  }
  ui.ClearProgress();
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace zenkar
