#include "ledger/file_set_rewrite.h"

#include <memory>
#include <sstream>

#include "common/record_file.h"

namespace zenkar {
namespace {

// The journal: a first line naming the format, then one line per file, the
// temporary file's name and its target's name separated by a tab (both in
// the journal's folder).
constexpr std::string_view kJournalHeader = "ZKJ1";

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// The pairs (temporary name, target name) of a journal; none when it is not
// one.
std::vector<std::pair<std::string, std::string>> ParseJournal(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kJournalHeader) return {};
  while (std::getline(lines, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) return {};
    std::string temporary = line.substr(0, tab), target = line.substr(tab + 1);
    // Names only: a journal never sends a rename out of its folder.
    if (temporary.find('/') != std::string::npos || target.find('/') != std::string::npos ||
        temporary.empty() || target.empty()) {
      return {};
    }
    pairs.emplace_back(std::move(temporary), std::move(target));
  }
  return pairs;
}

std::vector<std::pair<std::string, std::string>> ReadJournal(FileSystem& fs,
                                                             const std::string& folder) {
  const std::string path = folder + std::string(FileSetRewrite::kJournalFileName);
  std::string text;
  if (!fs.FileExists(path) || !fs.ReadFile(path, &text).ok()) return {};
  return ParseJournal(text);
}

}  // namespace

void FileSetRewrite::Add(std::string path, std::string_view contents, std::string previous) {
  files_.push_back({std::move(path), contents, std::move(previous)});
}

void FileSetRewrite::AddLast(std::string path, std::string_view contents) {
  last_ = File{std::move(path), contents, ""};
}

Status FileSetRewrite::WriteTemporary(const File& file, std::string* path) {
  TemporaryFile temporary;
  Status status = fs_.CreateTemporaryBeside(file.path, Access::kUsual, &temporary);
  if (!status.ok()) return status;
  *path = temporary.path;
  status = temporary.file->Append(file.contents);
  if (status.ok()) status = temporary.file->Sync();
  Status closed = temporary.file->Close();
  return status.ok() ? closed : status;
}

// After a failure, which is what gets reported: a temporary file that cannot
// be removed is clutter that RemoveLeftTemporaries clears at the next load.
void FileSetRewrite::RemoveTemporaries(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) (void)fs_.RemoveFile(path);
}

Status FileSetRewrite::Commit(std::string* failed_path) {
  std::vector<const File*> order;
  for (const File& file : files_) order.push_back(&file);
  if (last_) order.push_back(&*last_);
  // The temporary files not yet renamed, in the order of `order`.
  std::vector<std::string> temporaries;
  for (const File* file : order) {
    std::string temporary;
    Status s = WriteTemporary(*file, &temporary);
    if (!temporary.empty()) temporaries.push_back(temporary);
    if (!s.ok()) {
      *failed_path = file->path;
      RemoveTemporaries(temporaries);
      return s;
    }
  }
  std::unique_ptr<RandomAccessFile> last_file;
  if (last_) {
    if (Status s = fs_.OpenRandomAccess(temporaries.back(), /*create=*/false, &last_file);
        !s.ok()) {
      *failed_path = last_->path;
      RemoveTemporaries(temporaries);
      return s;
    }
  }
  std::string journal;
  if (order.size() > 1) {
    if (Status s = WriteJournal(order, temporaries, &journal); !s.ok()) {
      *failed_path = journal;
      RemoveTemporaries(temporaries);
      return s;
    }
  }
  for (size_t i = 0; i < order.size(); ++i) {
    Status s = fs_.Rename(temporaries[i], order[i]->path);
    if (s.ok()) continue;
    *failed_path = order[i]->path;
    // The change is taken back, so nobody may finish it: the journal goes
    // first. Only files added with their old contents come before the last.
    // A journal that cannot go makes the next load finish the change, so
    // the files renamed so far stay and the others wait for that load.
    if (!journal.empty() && !fs_.RemoveFile(journal).ok()) return s;
    std::string not_restored;
    for (size_t j = 0; j < i; ++j) {
      if (!WriteFileAtomically(fs_, order[j]->path, order[j]->previous).ok()) {
        not_restored += "\n" + order[j]->path;
      }
    }
    RemoveTemporaries({temporaries.begin() + static_cast<ptrdiff_t>(i), temporaries.end()});
    if (!not_restored.empty()) {
      return Status::IoError(s.message() +
                             "\n\nThese files already hold the change:" + not_restored);
    }
    return s;
  }
  // Every file is in place: the change is made even if the journal stays
  // (finishing it renames nothing).
  if (!journal.empty()) (void)fs_.RemoveFile(journal);
  last_file_ = std::move(last_file);
  return Status::Ok();
}

Status FileSetRewrite::WriteJournal(const std::vector<const File*>& order,
                                    const std::vector<std::string>& temporaries,
                                    std::string* journal) {
  const std::string folder = FolderOf(order.front()->path);
  *journal = folder + std::string(kJournalFileName);
  std::string text = std::string(kJournalHeader) + "\n";
  for (size_t i = 0; i < order.size(); ++i) {
    if (FolderOf(order[i]->path) != folder) {
      return Status::IoError(order[i]->path + ": not in the folder of " + order.front()->path);
    }
    text += FileNameOf(temporaries[i]) + "\t" + FileNameOf(order[i]->path) + "\n";
  }
  return WriteFileAtomically(fs_, *journal, text);
}

Status FileSetRewrite::FinishInterruptedRewrite(FileSystem& fs, const std::string& folder) {
  const std::string journal = folder + std::string(kJournalFileName);
  if (!fs.FileExists(journal)) return Status::Ok();
  for (const auto& [temporary, target] : ReadJournal(fs, folder)) {
    if (!fs.FileExists(folder + temporary)) continue;  // renamed before the crash
    if (Status s = fs.Rename(folder + temporary, DataFilePath(fs, folder, target)); !s.ok()) {
      return s;
    }
  }
  return fs.RemoveFile(journal);
}

std::vector<std::pair<std::string, std::string>> FileSetRewrite::PendingReplacements(
    FileSystem& fs, const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> pending;
  for (const auto& [temporary, target] : ReadJournal(fs, folder)) {
    if (fs.FileExists(folder + temporary)) pending.emplace_back(target, folder + temporary);
  }
  return pending;
}

void FileSetRewrite::RemoveLeftTemporaries(FileSystem& fs, const std::string& folder,
                                           const std::vector<std::string_view>& file_names) {
  std::vector<std::string> names;
  if (!fs.ListDirectory(folder, &names).ok()) return;
  for (const std::string& name : names) {
    for (std::string_view file_name : file_names) {
      // Clutter from an interrupted program; one that stays is tried again
      // at the next load.
      if (IsTemporaryNameOf(name, file_name)) (void)fs.RemoveFile(folder + name);
    }
  }
}

}  // namespace zenkar
