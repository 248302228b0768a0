#include "ledger/transaction_file.h"

#include <algorithm>

#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr uint64_t kLength = kTransactionRecordLength;
// Lines per read of a scan: about 256 KB.
constexpr int kScanBlockLines = 800;

uint64_t OffsetOf(int number) { return static_cast<uint64_t>(number - 1) * kLength; }

// Shared by every file object, so that a file opened anew never repeats the
// revision of one it replaces.
uint64_t last_revision = 0;

}  // namespace

Status TransactionFile::Open(FileSystem& fs, const std::string& path, Mode mode,
                             std::unique_ptr<TransactionFile>* file) {
  std::unique_ptr<TransactionFile> opened(new TransactionFile(fs, path, mode));
  if (Status s = opened->OpenHandle(); !s.ok()) return s;
  *file = std::move(opened);
  return Status::Ok();
}

void TransactionFile::NewRevision() { revision_ = ++last_revision; }

Status TransactionFile::OpenHandle() {
  NewRevision();
  file_.reset();
  count_ = 0;
  Status status = mode_ == Mode::kReadWrite ? fs_.OpenRandomAccess(path_, /*create=*/true, &file_)
                                            : fs_.OpenForReading(path_, &file_);
  if (!status.ok()) return status;
  return TakeCount();
}

// Takes the count from the open handle.
Status TransactionFile::TakeCount() {
  uint64_t size = 0;
  if (Status s = file_->Size(&size); !s.ok()) return s;
  if (size % kLength != 0) {
    file_.reset();
    return Status::InvalidFile(InvalidFileMessage(path_));
  }
  count_ = static_cast<int>(size / kLength);
  return Status::Ok();
}

Status TransactionFile::CheckOpen() const {
  if (file_ == nullptr) return Status::IoError(path_ + ": the transaction file is not open");
  return Status::Ok();
}

Status TransactionFile::CheckWritable() const {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (mode_ != Mode::kReadWrite || in_memory_) {
    return Status::IoError(path_ + ": the transaction file is open for reading only");
  }
  return Status::Ok();
}

Status TransactionFile::ReadBytes(uint64_t offset, size_t length, std::string* out) {
  if (!in_memory_) return file_->ReadAt(offset, length, out);
  out->assign(memory_, offset, length);
  return Status::Ok();
}

Status TransactionFile::Read(int number, std::string* record) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (number < 1 || number > count_) {
    return Status::IoError(path_ + ": there is no record " + std::to_string(number));
  }
  return ReadBytes(OffsetOf(number), kLength, record);
}

Status TransactionFile::Write(int number, std::string_view record) {
  if (Status s = CheckWritable(); !s.ok()) return s;
  if (record.size() != kLength || number < 1 || number > count_) {
    return Status::IoError(path_ + ": record " + std::to_string(number) + " was not written");
  }
  NewRevision();
  if (Status s = file_->WriteAt(OffsetOf(number), record); !s.ok()) return s;
  return file_->Sync();
}

Status TransactionFile::Append(std::string_view record) {
  if (Status s = CheckWritable(); !s.ok()) return s;
  if (record.size() != kLength) {
    return Status::IoError(path_ + ": a record of the wrong length was not written");
  }
  uint64_t size = 0;
  if (Status s = file_->Size(&size); !s.ok()) return s;
  NewRevision();
  if (size != OffsetOf(count_ + 1)) {
    return Status::IoError(path_ +
                           ": the file was changed by another program; the line was not "
                           "written");
  }
  Status status = file_->WriteAt(size, record);
  if (status.ok()) status = file_->Sync();
  if (!status.ok()) {
    if (Status cut = file_->Truncate(size); !cut.ok()) {
      return Status::IoError(status.message() +
                             "\n\nThe part written could not be removed: " + cut.message());
    }
    return status;
  }
  ++count_;
  return Status::Ok();
}

Status TransactionFile::CutTo(int count) {
  if (Status s = CheckWritable(); !s.ok()) return s;
  if (count < 0 || count > count_) return Status::IoError(path_ + ": cannot cut the file");
  NewRevision();
  if (Status s = file_->Truncate(OffsetOf(count + 1)); !s.ok()) return s;
  count_ = count;
  return file_->Sync();
}

Status TransactionFile::ReadAll(std::string* contents) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  return ReadBytes(0, OffsetOf(count_ + 1), contents);
}

Status TransactionFile::Scan(
    const std::function<void(int number, std::string_view record)>& visit) {
  return ScanBlocks([&](int first, std::string_view records) {
    for (size_t at = 0; at < records.size(); at += kLength) {
      visit(first++, records.substr(at, kLength));
    }
  });
}

Status TransactionFile::ScanBlocks(
    const std::function<void(int first, std::string_view records)>& visit) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  std::string block;
  for (int first = 1; first <= count_; first += kScanBlockLines) {
    const int lines = std::min(kScanBlockLines, count_ - first + 1);
    if (Status s = ReadBytes(OffsetOf(first), lines * kLength, &block); !s.ok()) return s;
    visit(first, block);
  }
  return Status::Ok();
}

Status TransactionFile::Replace(std::string_view contents) {
  if (Status s = CheckWritable(); !s.ok()) return s;
  if (contents.size() % kLength != 0) {
    return Status::IoError(path_ + ": a file of partial records was not written");
  }
  FileSetRewrite rewrite(fs_);
  rewrite.AddLast(path_, contents);
  std::string failed_path;
  if (Status s = rewrite.Commit(&failed_path); !s.ok()) return s;
  return TakeReplacement(rewrite.TakeLastFile());
}

Status TransactionFile::TakeReplacement(std::unique_ptr<RandomAccessFile> file) {
  NewRevision();
  file_ = std::move(file);
  return TakeCount();
}

void TransactionFile::ServeFromMemory(std::string contents) {
  NewRevision();
  memory_ = std::move(contents);
  in_memory_ = true;
  count_ = static_cast<int>(memory_.size() / kLength);
}

Status TransactionFile::Stamp(FileStamp* stamp) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  return file_->Stamp(stamp);
}

}  // namespace zenkar
