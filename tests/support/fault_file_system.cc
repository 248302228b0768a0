#include "support/fault_file_system.h"

#include <algorithm>

namespace zenkar::testing {
namespace {

Status DiskFull() { return Status::DiskFull("No space left on device"); }
Status FlushFailed() { return Status::IoError("flush failed"); }

class FaultyRandomAccessFile : public RandomAccessFileWrapper {
 public:
  FaultyRandomAccessFile(std::unique_ptr<RandomAccessFile> base, FaultInjectingFileSystem& fs)
      : RandomAccessFileWrapper(std::move(base)), fs_(fs) {}

  Status WriteAt(uint64_t offset, std::string_view data) override {
    bool fails = false;
    const size_t allowed = fs_.AllowWrite(data.size(), &fails);
    Status status = RandomAccessFileWrapper::WriteAt(offset, data.substr(0, allowed));
    if (status.ok() && (fails || allowed < data.size())) return DiskFull();
    return status;
  }
  Status Sync() override {
    if (fs_.StepFails(Step::kSync)) return FlushFailed();
    return RandomAccessFileWrapper::Sync();
  }

 private:
  FaultInjectingFileSystem& fs_;
};

class FaultyWritableFile : public WritableFileWrapper {
 public:
  FaultyWritableFile(std::unique_ptr<WritableFile> base, FaultInjectingFileSystem& fs)
      : WritableFileWrapper(std::move(base)), fs_(fs) {}

  Status Append(std::string_view data) override {
    bool fails = false;
    const size_t allowed = fs_.AllowWrite(data.size(), &fails);
    Status status = WritableFileWrapper::Append(data.substr(0, allowed));
    if (status.ok() && (fails || allowed < data.size())) return DiskFull();
    return status;
  }
  Status Sync() override {
    if (fs_.StepFails(Step::kSync)) return FlushFailed();
    return WritableFileWrapper::Sync();
  }

 private:
  FaultInjectingFileSystem& fs_;
};

}  // namespace

const char* StepName(Step step) {
  switch (step) {
    case Step::kOpen:
      return "open";
    case Step::kWrite:
      return "write";
    case Step::kSync:
      return "flush";
    case Step::kRename:
      return "rename";
  }
  return "";
}

void FaultInjectingFileSystem::FailNth(Step kind, int nth) {
  faults_.nth_step = kind;
  faults_.nth = nth;
  ResetCounts();
}

bool FaultInjectingFileSystem::StepFails(Step kind) {
  const int n = ++counts_[static_cast<int>(kind)];
  if (faults_.nth != 0 && faults_.nth_step == kind && faults_.nth == n) return true;
  return (kind == Step::kOpen && faults_.refuse_open) ||
         (kind == Step::kSync && faults_.fail_sync) ||
         (kind == Step::kRename && faults_.fail_rename);
}

size_t FaultInjectingFileSystem::AllowWrite(size_t length, bool* fails) {
  // A failed write writes nothing, as a full disk at its first byte would.
  *fails = StepFails(Step::kWrite);
  if (*fails) return 0;
  if (faults_.bytes_until_full < 0) return length;
  size_t allowed = std::min<size_t>(length, static_cast<size_t>(faults_.bytes_until_full));
  faults_.bytes_until_full -= static_cast<int64_t>(allowed);
  return allowed;
}

Status FaultInjectingFileSystem::OpenRandomAccess(const std::string& path, bool create,
                                                  std::unique_ptr<RandomAccessFile>* file) {
  if (StepFails(Step::kOpen)) return Status::IoError(path + ": Permission denied");
  std::unique_ptr<RandomAccessFile> opened;
  if (Status s = base().OpenRandomAccess(path, create, &opened); !s.ok()) return s;
  *file = std::make_unique<FaultyRandomAccessFile>(std::move(opened), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::OpenForReading(const std::string& path,
                                                std::unique_ptr<RandomAccessFile>* file) {
  std::unique_ptr<RandomAccessFile> opened;
  if (Status s = base().OpenForReading(path, &opened); !s.ok()) return s;
  *file = std::make_unique<FaultyRandomAccessFile>(std::move(opened), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::CreateTemporaryBeside(const std::string& target, Access access,
                                                       TemporaryFile* temporary) {
  if (StepFails(Step::kOpen)) return Status::IoError(target + ": Permission denied");
  if (Status s = base().CreateTemporaryBeside(target, access, temporary); !s.ok()) return s;
  temporary->file = std::make_unique<FaultyWritableFile>(std::move(temporary->file), *this);
  return Status::Ok();
}

Status FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to) {
  if (StepFails(Step::kRename)) return Status::IoError(to + ": rename failed");
  return base().Rename(from, to);
}

Status FaultInjectingFileSystem::RenameUnflushed(const std::string& from, const std::string& to) {
  ++unflushed_renames_;
  if (StepFails(Step::kRename)) return Status::IoError(to + ": rename failed");
  return base().RenameUnflushed(from, to);
}

}  // namespace zenkar::testing
