#include "common/file_set_rewrite.h"

#include <memory>
#include <sstream>

#include "common/record_file.h"

namespace zenkar {
namespace {

// The journal: a first line naming the format, then one line per file, the
// temporary file's name and its target's name separated by a tab (both in
// the journal's folder); a file to remove has no temporary file, its line
// starts with the tab.
constexpr std::string_view kJournalHeader = "ZKJ1";

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// The pairs (temporary name, target name) of a journal, the temporary name
// empty for a file to remove; none when it is not one.
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
        target.empty()) {
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
  files_.push_back({std::move(path), contents, std::move(previous), true});
}

void FileSetRewrite::AddLast(std::string path, std::string_view contents) {
  last_ = File{std::move(path), contents, "", true};
}

void FileSetRewrite::AddNew(std::string path, std::string_view contents) {
  files_.push_back({std::move(path), contents, "", /*existed=*/false});
}

void FileSetRewrite::AddRemoval(std::string path, std::string previous) {
  removals_.push_back({std::move(path), "", std::move(previous), true});
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

// Putting back follows a failure the caller reports; a file that cannot be
// put back as well is all the disk allows (Commit's contract says so).
std::string FileSetRewrite::PutBack(const std::vector<const File*>& files) {
  std::string not_restored;
  for (const File* file : files) {
    const Status s = file->existed ? WriteFileAtomically(fs_, file->path, file->previous)
                                   : fs_.RemoveFile(file->path);
    if (!s.ok()) not_restored += "\n" + file->path;
  }
  return not_restored;
}

Status FileSetRewrite::TakenBack(Status failure, const std::string& not_restored) {
  if (not_restored.empty()) return failure;
  return Status::IoError(failure.message() +
                         "\n\nThese files already hold the change:" + not_restored);
}

Status FileSetRewrite::RemoveFiles(std::vector<const File*>* removed, std::string* failed_path) {
  for (const File& file : removals_) {
    Status s = fs_.RemoveFile(file.path);
    if (!s.ok() && s.code() != Status::Code::kNotFound) {
      *failed_path = file.path;
      return s;
    }
    removed->push_back(&file);
  }
  return Status::Ok();
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
  if (order.size() + removals_.size() > 1) {
    if (Status s = WriteJournal(order, temporaries, &journal); !s.ok()) {
      *failed_path = journal;
      RemoveTemporaries(temporaries);
      return s;
    }
  }
  // A failed step takes the change back, so nobody may finish it: the
  // journal goes first. Only files added with their old contents come
  // before the last.
  std::vector<const File*> done;
  if (Status s = RemoveFiles(&done, failed_path); !s.ok()) {
    if (!journal.empty() && !fs_.RemoveFile(journal).ok()) return s;
    const std::string not_restored = PutBack(done);
    RemoveTemporaries(temporaries);
    return TakenBack(s, not_restored);
  }
  for (size_t i = 0; i < order.size(); ++i) {
    Status s = fs_.Rename(temporaries[i], order[i]->path);
    if (s.ok()) {
      done.push_back(order[i]);
      continue;
    }
    *failed_path = order[i]->path;
    // A journal that cannot go makes the next load finish the change, so
    // the files renamed so far stay and the others wait for that load.
    if (!journal.empty() && !fs_.RemoveFile(journal).ok()) return s;
    const std::string not_restored = PutBack(done);
    RemoveTemporaries({temporaries.begin() + static_cast<ptrdiff_t>(i), temporaries.end()});
    return TakenBack(s, not_restored);
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
  const std::string& first = order.empty() ? removals_.front().path : order.front()->path;
  const std::string folder = FolderOf(first);
  *journal = folder + std::string(kJournalFileName);
  std::string text = std::string(kJournalHeader) + "\n";
  auto add = [&](const std::string& temporary, const std::string& path) {
    if (FolderOf(path) != folder) return false;
    text += (temporary.empty() ? "" : FileNameOf(temporary)) + "\t" + FileNameOf(path) + "\n";
    return true;
  };
  for (const File& file : removals_) {
    if (!add("", file.path)) return Status::IoError(file.path + ": not in the folder of " + first);
  }
  for (size_t i = 0; i < order.size(); ++i) {
    if (!add(temporaries[i], order[i]->path)) {
      return Status::IoError(order[i]->path + ": not in the folder of " + first);
    }
  }
  return WriteFileAtomically(fs_, *journal, text);
}

Status FileSetRewrite::FinishInterruptedRewrite(FileSystem& fs, const std::string& folder) {
  const std::string journal = folder + std::string(kJournalFileName);
  if (!fs.FileExists(journal)) return Status::Ok();
  for (const auto& [temporary, target] : ReadJournal(fs, folder)) {
    const std::string path = DataFilePath(fs, folder, target);
    if (temporary.empty()) {
      if (!fs.FileExists(path)) continue;  // removed before the crash
      if (Status s = fs.RemoveFile(path); !s.ok()) return s;
      continue;
    }
    if (!fs.FileExists(folder + temporary)) continue;  // renamed before the crash
    if (Status s = fs.Rename(folder + temporary, path); !s.ok()) return s;
  }
  return fs.RemoveFile(journal);
}

std::vector<std::pair<std::string, std::string>> FileSetRewrite::PendingReplacements(
    FileSystem& fs, const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> pending;
  for (const auto& [temporary, target] : ReadJournal(fs, folder)) {
    if (temporary.empty()) {
      pending.emplace_back(target, "");
    } else if (fs.FileExists(folder + temporary)) {
      pending.emplace_back(target, folder + temporary);
    }
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
