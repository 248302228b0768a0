#include "common/folder_lock.h"

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr int kInUseSlot = 0;
constexpr int kWritingSlot = 1;
// The counters: the books' at byte 0, the settings' at byte 8.
constexpr size_t kBooksCount = 0, kSettingsCount = 8, kCountersSize = 16;

}  // namespace

Status FolderLock::Open(const std::string& folder, bool create) {
  Leave();
  return fs_.OpenLockFile(folder + std::string(kFileName), create, &file_);
}

Status FolderLock::Join(const std::string& folder, bool* shared) {
  if (Status s = Open(folder, /*create=*/true); !s.ok()) return s;
  const Status alone = file_->Lock(kInUseSlot, LockMode::kExclusive, /*wait=*/false);
  *shared = !alone.ok();
  // Another kxacct holds it shared and lets this one in; a kxbatch that holds
  // it alone ends soon, and until then the "writing" lock keeps the two apart,
  // so a shared mark that cannot be had now changes nothing.
  (void)file_->Lock(kInUseSlot, LockMode::kShared, /*wait=*/false);
  return Status::Ok();
}

Status FolderLock::TakeAlone(const std::string& folder) {
  if (Status s = Open(folder, /*create=*/true); !s.ok()) return s;
  if (Status s = file_->Lock(kInUseSlot, LockMode::kExclusive, /*wait=*/false); !s.ok()) {
    Leave();
    return s;
  }
  return Status::Ok();
}

Status FolderLock::OpenForReading(const std::string& folder) {
  Status status = Open(folder, /*create=*/false);
  if (status.code() == Status::Code::kNotFound) return Status::Ok();
  return status;
}

void FolderLock::Leave() { file_.reset(); }

Status FolderLock::BeginChange() {
  if (file_ == nullptr) return Status::Ok();
  return file_->Lock(kWritingSlot, LockMode::kExclusive, /*wait=*/true);
}

Status FolderLock::BeginReading() {
  if (file_ == nullptr) return Status::Ok();
  return file_->Lock(kWritingSlot, LockMode::kShared, /*wait=*/true);
}

FolderLock::Generations FolderLock::ReadGenerations() {
  std::string contents;
  if (file_ == nullptr || !file_->Read(&contents).ok() || contents.size() < kCountersSize) {
    return Generations();
  }
  return {static_cast<uint64_t>(GetInt64(contents, kBooksCount)),
          static_cast<uint64_t>(GetInt64(contents, kSettingsCount))};
}

FolderLock::Generations FolderLock::Advance(bool books, bool settings) {
  Generations counts = ReadGenerations();
  if (!books && !settings) return counts;
  counts.books += books ? 1 : 0;
  counts.settings += settings ? 1 : 0;
  std::string contents(kCountersSize, '\0');
  PutInt64(contents, kBooksCount, static_cast<int64_t>(counts.books));
  PutInt64(contents, kSettingsCount, static_cast<int64_t>(counts.settings));
  // Other programs also compare the files' stamps, so a counter that could
  // not be written only makes them rely on those.
  if (file_ != nullptr) (void)file_->Write(contents);
  return counts;
}

void FolderLock::End() {
  if (file_ != nullptr) file_->Unlock(kWritingSlot);
}

std::string FolderInUseMessage(const std::string& folder) {
  return "Another program is using this data folder:\n" + Utf8ToCp1252(folder) +
         "\nNothing was changed. Try again when it has closed the folder.";
}

}  // namespace zenkar
