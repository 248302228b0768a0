#include "support/fault_file_system.h"

#include <algorithm>

namespace zenkar::testing {
namespace {

Status DiskFull() { return Status::DiskFull("No space left on device"); }

class FaultyRandomAccessFile : public RandomAccessFile {
 public:
  FaultyRandomAccessFile(std::unique_ptr<RandomAccessFile> base, FaultInjectingFileSystem& fs)
      : base_(std::move(base)), fs_(fs) {}

  Status ReadInto(uint64_t offset, size_t length, char* out) override {
    return base_->ReadInto(offset, length, out);
  }
  Status WriteAt(uint64_t offset, std::string_view data) override {
    size_t allowed = fs_.AllowWrite(data.size());
    Status status = base_->WriteAt(offset, data.substr(0, allowed));
    if (status.ok() && allowed < data.size()) return DiskFull();
    return status;
  }
  Status Truncate(uint64_t length) override { return base_->Truncate(length); }
  Status Size(uint64_t* size) override { return base_->Size(size); }
  Status Stamp(FileStamp* stamp) override { return base_->Stamp(stamp); }
  Status Sync() override {
    if (fs_.sync_fails()) return Status::IoError("flush failed");
    return base_->Sync();
  }

 private:
  std::unique_ptr<RandomAccessFile> base_;
  FaultInjectingFileSystem& fs_;
};

class FaultyWritableFile : public WritableFile {
 public:
  FaultyWritableFile(std::unique_ptr<WritableFile> base, FaultInjectingFileSystem& fs)
      : base_(std::move(base)), fs_(fs) {}

  Status Append(std::string_view data) override {
    size_t allowed = fs_.AllowWrite(data.size());
    Status status = base_->Append(data.substr(0, allowed));
    if (status.ok() && allowed < data.size()) return DiskFull();
    return status;
  }
  Status Sync() override {
    if (fs_.sync_fails()) return Status::IoError("flush failed");
    return base_->Sync();
  }
  Status Close() override { return base_->Close(); }

 private:
  std::unique_ptr<WritableFile> base_;
  FaultInjectingFileSystem& fs_;
};

}  // namespace

Status FaultInjectingFileSystem::OpenRandomAccess(const std::string& path, bool create,
                                                  std::unique_ptr<RandomAccessFile>* file) {
  if (faults_.refuse_open) return Status::IoError(path + ": Permission denied");
  std::unique_ptr<RandomAccessFile> base;
  if (Status s = base_.OpenRandomAccess(path, create, &base); !s.ok()) return s;
  *file = std::make_unique<FaultyRandomAccessFile>(std::move(base), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::OpenForReading(const std::string& path,
                                                std::unique_ptr<RandomAccessFile>* file) {
  std::unique_ptr<RandomAccessFile> base;
  if (Status s = base_.OpenForReading(path, &base); !s.ok()) return s;
  *file = std::make_unique<FaultyRandomAccessFile>(std::move(base), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::CreateTemporaryBeside(const std::string& target, Access access,
                                                       TemporaryFile* temporary) {
  if (faults_.refuse_open) return Status::IoError(target + ": Permission denied");
  if (Status s = base_.CreateTemporaryBeside(target, access, temporary); !s.ok()) return s;
  temporary->file = std::make_unique<FaultyWritableFile>(std::move(temporary->file), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to) {
  if (faults_.fail_rename) return Status::IoError(to + ": rename failed");
  return base_.Rename(from, to);
}

size_t FaultInjectingFileSystem::AllowWrite(size_t length) {
  ++writes_;
  if (faults_.bytes_until_full < 0) return length;
  size_t allowed = std::min<size_t>(length, static_cast<size_t>(faults_.bytes_until_full));
  faults_.bytes_until_full -= static_cast<int64_t>(allowed);
  return allowed;
}

}  // namespace zenkar::testing
