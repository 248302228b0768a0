#include "ledger/transaction_file.h"

#include <algorithm>

#include "common/record_file.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr uint64_t kLength = kTransactionRecordLength;
// Lines per read of a scan: about 256 KB.
constexpr int kScanBlockLines = 800;

uint64_t OffsetOf(int number) { return static_cast<uint64_t>(number - 1) * kLength; }

}  // namespace

Status TransactionFile::Open(FileSystem& fs, const std::string& path,
                             std::unique_ptr<TransactionFile>* file) {
  std::unique_ptr<TransactionFile> opened(new TransactionFile(fs, path));
  std::unique_ptr<RandomAccessFile> handle;
  if (Status s = fs.OpenRandomAccess(path, /*create=*/true, &handle); !s.ok()) return s;
  opened->file_ = std::move(handle);
  if (Status s = opened->TakeCount(); !s.ok()) return s;
  *file = std::move(opened);
  return Status::Ok();
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

Status TransactionFile::Read(int number, std::string* record) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (number < 1 || number > count_) {
    return Status::IoError(path_ + ": there is no record " + std::to_string(number));
  }
  return file_->ReadAt(OffsetOf(number), kLength, record);
}

Status TransactionFile::Write(int number, std::string_view record) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (record.size() != kLength || number < 1 || number > count_) {
    return Status::IoError(path_ + ": record " + std::to_string(number) + " was not written");
  }
  return file_->WriteAt(OffsetOf(number), record);
}

Status TransactionFile::Append(std::string_view record) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (record.size() != kLength) {
    return Status::IoError(path_ + ": a record of the wrong length was not written");
  }
  Status status = file_->WriteAt(OffsetOf(count_ + 1), record);
  if (!status.ok()) {
    file_->Truncate(OffsetOf(count_ + 1));
    return status;
  }
  ++count_;
  return Status::Ok();
}

Status TransactionFile::CutTo(int count) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  if (count < 0 || count > count_) return Status::IoError(path_ + ": cannot cut the file");
  if (Status s = file_->Truncate(OffsetOf(count + 1)); !s.ok()) return s;
  count_ = count;
  return Status::Ok();
}

Status TransactionFile::ReadAll(std::string* contents) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  return file_->ReadAt(0, OffsetOf(count_ + 1), contents);
}

Status TransactionFile::Scan(
    const std::function<void(int number, std::string_view record)>& visit) {
  if (Status s = CheckOpen(); !s.ok()) return s;
  std::string block;
  for (int first = 1; first <= count_; first += kScanBlockLines) {
    const int lines = std::min(kScanBlockLines, count_ - first + 1);
    if (Status s = file_->ReadAt(OffsetOf(first), lines * kLength, &block); !s.ok()) return s;
    for (int i = 0; i < lines; ++i) {
      visit(first + i, std::string_view(block).substr(i * kLength, kLength));
    }
  }
  return Status::Ok();
}

Status TransactionFile::Replace(std::string_view contents) {
  if (contents.size() % kLength != 0) {
    return Status::IoError(path_ + ": a file of partial records was not written");
  }
  if (Status s = WriteFileAtomically(fs_, path_, contents); !s.ok()) return s;
  // The new contents are in place; should they fail to open, later
  // operations report that the file is not open rather than touch the old one.
  Reopen();
  return Status::Ok();
}

Status TransactionFile::Reopen() {
  // The old handle belongs to the replaced file.
  file_.reset();
  count_ = 0;
  if (Status s = fs_.OpenRandomAccess(path_, /*create=*/false, &file_); !s.ok()) return s;
  return TakeCount();
}

}  // namespace zenkar
