#include "reliability/crashing_file_system.h"

#include <signal.h>

namespace zenkar::testing {
namespace {

class CrashingRandomAccessFile : public RandomAccessFile {
 public:
  CrashingRandomAccessFile(std::unique_ptr<RandomAccessFile> base, CrashingFileSystem& fs)
      : base_(std::move(base)), fs_(fs) {}

  Status ReadInto(uint64_t offset, size_t length, char* out) override {
    return base_->ReadInto(offset, length, out);
  }
  Status WriteAt(uint64_t offset, std::string_view data) override {
    fs_.Step();
    return base_->WriteAt(offset, data);
  }
  Status Truncate(uint64_t length) override {
    fs_.Step();
    return base_->Truncate(length);
  }
  Status Size(uint64_t* size) override { return base_->Size(size); }
  Status Stamp(FileStamp* stamp) override { return base_->Stamp(stamp); }
  Status Sync() override {
    fs_.Step();
    return base_->Sync();
  }

 private:
  std::unique_ptr<RandomAccessFile> base_;
  CrashingFileSystem& fs_;
};

class CrashingWritableFile : public WritableFile {
 public:
  CrashingWritableFile(std::unique_ptr<WritableFile> base, CrashingFileSystem& fs)
      : base_(std::move(base)), fs_(fs) {}

  Status Append(std::string_view data) override {
    fs_.Step();
    return base_->Append(data);
  }
  Status Sync() override {
    fs_.Step();
    return base_->Sync();
  }
  Status Close() override {
    fs_.Step();
    return base_->Close();
  }

 private:
  std::unique_ptr<WritableFile> base_;
  CrashingFileSystem& fs_;
};

}  // namespace

void CrashingFileSystem::StartCounting(int kill_at) {
  counting_ = true;
  kill_at_ = kill_at;
  steps_ = 0;
}

void CrashingFileSystem::Step() {
  if (!counting_) return;
  if (++steps_ == kill_at_) ::raise(SIGKILL);
}

Status CrashingFileSystem::OpenRandomAccess(const std::string& path, bool create,
                                            std::unique_ptr<RandomAccessFile>* file) {
  if (create) Step();
  std::unique_ptr<RandomAccessFile> opened;
  Status status = base_.OpenRandomAccess(path, create, &opened);
  if (status.ok()) *file = std::make_unique<CrashingRandomAccessFile>(std::move(opened), *this);
  return status;
}

Status CrashingFileSystem::CreateWritable(const std::string& path,
                                          std::unique_ptr<WritableFile>* file) {
  Step();
  std::unique_ptr<WritableFile> created;
  Status status = base_.CreateWritable(path, &created);
  if (status.ok()) *file = std::make_unique<CrashingWritableFile>(std::move(created), *this);
  return status;
}

}  // namespace zenkar::testing
