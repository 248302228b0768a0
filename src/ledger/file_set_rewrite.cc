#include "ledger/file_set_rewrite.h"

#include <memory>

namespace zenkar {

void FileSetRewrite::Add(std::string path, std::string contents, std::string previous) {
  files_.push_back({std::move(path), std::move(contents), std::move(previous)});
}

bool FileSetRewrite::Contains(const std::string& path) const {
  for (const File& file : files_) {
    if (file.path == path) return true;
  }
  return false;
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

void FileSetRewrite::RemoveTemporaries() {
  for (const File& file : files_) {
    if (fs_.FileExists(TemporaryPath(file.path))) fs_.RemoveFile(TemporaryPath(file.path));
  }
}

Status FileSetRewrite::Commit(std::string* failed_path) {
  for (const File& file : files_) {
    if (Status s = WriteTemporary(file); !s.ok()) {
      *failed_path = file.path;
      RemoveTemporaries();
      return s;
    }
  }
  for (size_t i = 0; i < files_.size(); ++i) {
    Status s = fs_.Rename(TemporaryPath(files_[i].path), files_[i].path);
    if (s.ok()) {
      replaced_.push_back(files_[i].path);
      continue;
    }
    *failed_path = files_[i].path;
    for (size_t j = 0; j < i; ++j) WriteFileAtomically(fs_, files_[j].path, files_[j].previous);
    RemoveTemporaries();
    return s;
  }
  return Status::Ok();
}

}  // namespace zenkar
