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

Status FileSetRewrite::WriteTemporary(const File& file) {
  std::unique_ptr<WritableFile> out;
  Status status = fs_.CreateWritable(TemporaryPath(file.path), &out);
  if (!status.ok()) return status;
  status = out->Append(file.contents);
  if (status.ok()) status = out->Sync();
  Status closed = out->Close();
  return status.ok() ? closed : status;
}

void FileSetRewrite::RemoveTemporaries(const std::vector<const File*>& files) {
  for (const File* file : files) {
    if (fs_.FileExists(TemporaryPath(file->path))) fs_.RemoveFile(TemporaryPath(file->path));
  }
}

Status FileSetRewrite::Commit(std::string* failed_path) {
  std::vector<const File*> order;
  for (const File& file : files_) order.push_back(&file);
  if (last_) order.push_back(&*last_);
  for (const File* file : order) {
    if (Status s = WriteTemporary(*file); !s.ok()) {
      *failed_path = file->path;
      RemoveTemporaries(order);
      return s;
    }
  }
  for (size_t i = 0; i < order.size(); ++i) {
    Status s = fs_.Rename(TemporaryPath(order[i]->path), order[i]->path);
    if (s.ok()) {
      replaced_.push_back(order[i]->path);
      continue;
    }
    *failed_path = order[i]->path;
    // Only files added with their old contents come before the last one.
    for (size_t j = 0; j < i; ++j) WriteFileAtomically(fs_, order[j]->path, order[j]->previous);
    RemoveTemporaries(order);
    return s;
  }
  return Status::Ok();
}

}  // namespace zenkar
