#include "common/record_file.h"

#include <strings.h>
#include <sys/mman.h>

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

// The size of one read when a range of records is read.
constexpr size_t kReadBlockBytes = 256 * 1024;

Status CheckWholeRecords(const std::string& path, uint64_t size, size_t record_length) {
  if (size % record_length != 0) return Status::InvalidFile(InvalidFileMessage(path));
  return Status::Ok();
}

Status CheckRecordNumber(const std::string& path, int number, int count) {
  if (number < 1 || number > count + 1) {
    return Status::IoError(Utf8ToCp1252(path) + ": record " + std::to_string(number) +
                           " is beyond the end of the file");
  }
  return Status::Ok();
}

}  // namespace

std::string NormalizeFolderPath(std::string_view path) {
  while (!path.empty() && path.front() == ' ') path.remove_prefix(1);
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  std::string normalized(path);
  if (!normalized.empty() && normalized.back() != '/') normalized += '/';
  return normalized;
}

std::string DataFilePath(FileSystem& fs, const std::string& folder, std::string_view file_name) {
  std::vector<std::string> names;
  if (fs.ListDirectory(folder, &names).ok()) {
    for (const std::string& name : names) {
      if (name.size() == file_name.size() &&
          ::strncasecmp(name.c_str(), file_name.data(), name.size()) == 0) {
        return folder + name;
      }
    }
  }
  return folder + std::string(file_name);
}

std::string InvalidFileMessage(const std::string& path) {
  return "Invalid data file:\n" + Utf8ToCp1252(path) +
         "\nIts length is not a whole number of records. The file was not changed.";
}

Status RecordCount(FileSystem& fs, const std::string& path, size_t record_length, int* count) {
  *count = 0;
  if (!fs.FileExists(path)) return Status::Ok();
  uint64_t size = 0;
  if (Status s = fs.FileSize(path, &size); !s.ok()) return s;
  if (Status s = CheckWholeRecords(path, size, record_length); !s.ok()) return s;
  *count = static_cast<int>(size / record_length);
  return Status::Ok();
}

Status LoadAll(FileSystem& fs, const std::string& path, size_t record_length,
               std::vector<std::string>* records) {
  std::string contents;
  if (fs.FileExists(path)) {
    if (Status s = fs.ReadFile(path, &contents); !s.ok()) return s;
  }
  if (Status s = CheckWholeRecords(path, contents.size(), record_length); !s.ok()) return s;
  std::vector<std::string> loaded;
  loaded.reserve(contents.size() / record_length);
  for (size_t offset = 0; offset < contents.size(); offset += record_length) {
    loaded.push_back(contents.substr(offset, record_length));
  }
  *records = std::move(loaded);
  return Status::Ok();
}

Status SaveAll(FileSystem& fs, const std::string& path, size_t record_length,
               const std::vector<std::string>& records) {
  std::string contents;
  contents.reserve(records.size() * record_length);
  for (const std::string& record : records) {
    if (record.size() != record_length) {
      return Status::IoError(Utf8ToCp1252(path) + ": a record of the wrong length was not written");
    }
    contents += record;
  }
  return WriteFileAtomically(fs, path, contents);
}

Status ReadRecord(FileSystem& fs, const std::string& path, size_t record_length, int number,
                  std::string* record) {
  std::unique_ptr<RecordFile> file;
  if (Status s = RecordFile::Open(fs, path, record_length, false, &file); !s.ok()) return s;
  return file->Read(number, record);
}

Status WriteRecord(FileSystem& fs, const std::string& path, size_t record_length, int number,
                   std::string_view record) {
  // A refused or failed write must not leave a new empty file behind: to the
  // code that loads a folder a missing file and an empty one differ.
  if (record.size() != record_length) {
    return Status::IoError(Utf8ToCp1252(path) + ": a record of the wrong length was not written");
  }
  const bool existed = fs.FileExists(path);
  if (!existed) {
    if (Status s = CheckRecordNumber(path, number, 0); !s.ok()) return s;
  }
  std::unique_ptr<RecordFile> file;
  if (Status s = RecordFile::Open(fs, path, record_length, true, &file); !s.ok()) return s;
  Status status = file->Write(number, record);
  if (!status.ok() && !existed) {
    file.reset();
    // The file this call created goes again; should that fail too, the
    // write's own failure is the one to report, and the short file left is
    // refused as damaged, never read as records.
    (void)fs.RemoveFile(path);
  }
  return status;
}

Status DeleteFile(FileSystem& fs, const std::string& path) {
  if (!fs.FileExists(path)) return Status::Ok();
  return fs.RemoveFile(path);
}

Status RecordFile::Open(FileSystem& fs, const std::string& path, size_t record_length, bool create,
                        std::unique_ptr<RecordFile>* file) {
  std::unique_ptr<RandomAccessFile> handle;
  if (Status s = fs.OpenRandomAccess(path, create, &handle); !s.ok()) return s;
  uint64_t size = 0;
  if (Status s = handle->Size(&size); !s.ok()) return s;
  if (Status s = CheckWholeRecords(path, size, record_length); !s.ok()) return s;
  file->reset(new RecordFile(std::move(handle), path, record_length,
                             static_cast<int>(size / record_length)));
  return Status::Ok();
}

Status RecordFile::Read(int number, std::string* record) {
  if (number < 1 || number > count_) {
    return Status::IoError(path_ + ": there is no record " + std::to_string(number));
  }
  return file_->ReadAt(static_cast<uint64_t>(number - 1) * record_length_, record_length_, record);
}

Status RecordFile::ReadRange(int first, int last, std::vector<std::string>* records) {
  if (last < first) {
    records->clear();
    return Status::Ok();
  }
  if (first < 1 || last > count_) {
    return Status::IoError(path_ + ": there is no record " +
                           std::to_string(first < 1 ? first : last));
  }
  // The range is read in blocks of about 256 KB through one reused buffer: a
  // buffer the size of the whole range (33 MB for a full transaction file)
  // would have to be mapped and touched afresh on every call, which costs more
  // than the reading itself. The caller's table is replaced only once the
  // whole range has been read.
  const size_t total = static_cast<size_t>(last - first + 1);
  const size_t per_block = std::max<size_t>(1, kReadBlockBytes / record_length_);
  std::vector<std::string> read;
  read.reserve(total);
  std::string block;
  for (size_t done = 0; done < total;) {
    const size_t n = std::min(per_block, total - done);
    const uint64_t start = (static_cast<uint64_t>(first - 1) + done) * record_length_;
    if (Status s = file_->ReadAt(start, n * record_length_, &block); !s.ok()) return s;
    for (size_t i = 0; i < n; ++i)
      read.emplace_back(block.data() + i * record_length_, record_length_);
    done += n;
  }
  *records = std::move(read);
  return Status::Ok();
}

Status RecordFile::Write(int number, std::string_view record) {
  if (record.size() != record_length_) {
    return Status::IoError(Utf8ToCp1252(path_) + ": a record of the wrong length was not written");
  }
  if (Status s = CheckRecordNumber(path_, number, count_); !s.ok()) return s;
  const uint64_t old_length = static_cast<uint64_t>(count_) * record_length_;
  Status status = file_->WriteAt(static_cast<uint64_t>(number - 1) * record_length_, record);
  // A record counts as saved only once it is on the disk.
  if (status.ok()) status = file_->Sync();
  if (number == count_ + 1) {
    if (status.ok()) {
      ++count_;
    } else if (Status cut = file_->Truncate(old_length); !cut.ok()) {
      status = Status::IoError(status.message() +
                               "\n\nThe part written could not be removed: " + cut.message());
    }
  }
  return status;
}

RecordBlock::~RecordBlock() { Release(); }

RecordBlock::RecordBlock(RecordBlock&& other) noexcept { *this = std::move(other); }

RecordBlock& RecordBlock::operator=(RecordBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    count_ = std::exchange(other.count_, 0);
    record_length_ = other.record_length_;
  }
  return *this;
}

// Anonymous memory with a request for huge pages: a 33 MB transaction file
// then costs a handful of page faults instead of thousands.
void RecordBlock::Allocate(int count, size_t record_length) {
  const size_t bytes = static_cast<size_t>(count) * record_length;
  if (bytes > capacity_) {
    Release();
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    data_ = static_cast<char*>(memory);
    capacity_ = bytes;
  }
  count_ = count;
  record_length_ = record_length;
}

void RecordBlock::Release() {
  if (data_ != nullptr) ::munmap(data_, capacity_);
  data_ = nullptr;
  capacity_ = 0;
  count_ = 0;
}

Status RecordFile::ReadAll(RecordBlock* block) {
  RecordBlock read;
  read.Allocate(count_, record_length_);
  const size_t bytes = static_cast<size_t>(count_) * record_length_;
  if (Status s = file_->ReadInto(0, bytes, read.data_); !s.ok()) return s;
  *block = std::move(read);
  return Status::Ok();
}

}  // namespace zenkar
