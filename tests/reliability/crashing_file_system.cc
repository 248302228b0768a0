#include "reliability/crashing_file_system.h"

#include <signal.h>

namespace zenkar::testing {
namespace {

class CrashingRandomAccessFile : public RandomAccessFileWrapper {
 public:
  CrashingRandomAccessFile(std::unique_ptr<RandomAccessFile> base, CrashingFileSystem& fs)
      : RandomAccessFileWrapper(std::move(base)), fs_(fs) {}

  Status WriteAt(uint64_t offset, std::string_view data) override {
    fs_.Step();
    return RandomAccessFileWrapper::WriteAt(offset, data);
  }
  Status Truncate(uint64_t length) override {
    fs_.Step();
    return RandomAccessFileWrapper::Truncate(length);
  }
  Status Sync() override {
    fs_.Step();
    return RandomAccessFileWrapper::Sync();
  }

 private:
  CrashingFileSystem& fs_;
};

class CrashingWritableFile : public WritableFileWrapper {
 public:
  CrashingWritableFile(std::unique_ptr<WritableFile> base, CrashingFileSystem& fs)
      : WritableFileWrapper(std::move(base)), fs_(fs) {}

  Status Append(std::string_view data) override {
    fs_.Step();
    return WritableFileWrapper::Append(data);
  }
  Status Sync() override {
    fs_.Step();
    return WritableFileWrapper::Sync();
  }
  Status Close() override {
    fs_.Step();
    return WritableFileWrapper::Close();
  }

 private:
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
  Status status = FileSystemWrapper::OpenRandomAccess(path, create, &opened);
  if (status.ok()) *file = std::make_unique<CrashingRandomAccessFile>(std::move(opened), *this);
  return status;
}

Status CrashingFileSystem::CreateTemporaryBeside(const std::string& target, Access access,
                                                 TemporaryFile* temporary) {
  Step();
  Status status = FileSystemWrapper::CreateTemporaryBeside(target, access, temporary);
  if (status.ok()) {
    temporary->file = std::make_unique<CrashingWritableFile>(std::move(temporary->file), *this);
  }
  return status;
}

}  // namespace zenkar::testing
