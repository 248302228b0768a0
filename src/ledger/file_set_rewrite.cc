#include "ledger/file_set_rewrite.h"

#include <memory>

namespace zenkar {

void FileSetRewrite::Add(std::string path, std::string_view contents, std::string previous) {
  files_.push_back({std::move(path), contents, std::move(previous)});
}

void FileSetRewrite::AddLast(std::string path, std::string_view contents) {
  last_ = File{std::move(path), contents, ""};
}

bool FileSetRewrite::Replaced(const std::string& path) const {
  for (const std::string& replaced : replaced_) {
    if (replaced == path) return true;
  }
  return false;
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

void FileSetRewrite::RemoveTemporaries(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) fs_.RemoveFile(path);
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
  for (size_t i = 0; i < order.size(); ++i) {
    Status s = fs_.Rename(temporaries[i], order[i]->path);
    if (s.ok()) {
      replaced_.push_back(order[i]->path);
      continue;
    }
    *failed_path = order[i]->path;
    // Only files added with their old contents come before the last one.
    for (size_t j = 0; j < i; ++j) WriteFileAtomically(fs_, order[j]->path, order[j]->previous);
    RemoveTemporaries({temporaries.begin() + static_cast<ptrdiff_t>(i), temporaries.end()});
    return s;
  }
  return Status::Ok();
}

}  // namespace zenkar
