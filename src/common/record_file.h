// Record files: files of fixed-length records with no header or trailer.
//
// The number of records is the file length divided by the record length;
// record n (counted from 1) occupies bytes (n-1) x length to n x length - 1.
// A file whose length is not a whole number of records is refused with the
// invalid-file message and never written. Whole-file rewrites are atomic.
// Records travel as byte strings of exactly the record length; each record
// type encodes and decodes its own fields.
#ifndef ZENKAR_COMMON_RECORD_FILE_H_
#define ZENKAR_COMMON_RECORD_FILE_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/status.h"

namespace zenkar {

// Adds the path separator when the last character is not one, after removing
// surrounding spaces. An empty path stays empty (the program's own folder).
std::string NormalizeFolderPath(std::string_view path);

// The data-folder path followed by the file name. When the folder already
// holds the file under another capitalisation (a folder copied from a Windows
// disk may hold "kxacct.trn"), that file's path is returned.
std::string DataFilePath(FileSystem& fs, const std::string& folder, std::string_view file_name);

// The message shown for a file whose length is not a whole number of records.
std::string InvalidFileMessage(const std::string& path);

// The number of records of the file; a missing file holds none.
Status RecordCount(FileSystem& fs, const std::string& path, size_t record_length, int* count);

// Reads every record in one read of the whole file.
Status LoadAll(FileSystem& fs, const std::string& path, size_t record_length,
               std::vector<std::string>* records);

// Replaces the file by the given records, record 1 first, atomically.
Status SaveAll(FileSystem& fs, const std::string& path, size_t record_length,
               const std::vector<std::string>& records);

// One record by number, opening and closing the file for the one operation.
Status ReadRecord(FileSystem& fs, const std::string& path, size_t record_length, int number,
                  std::string* record);
// Writes record `number`; number count+1 appends (the file is created when missing).
Status WriteRecord(FileSystem& fs, const std::string& path, size_t record_length, int number,
                   std::string_view record);

// Removes one file of the set; a missing file is not an error.
Status DeleteFile(FileSystem& fs, const std::string& path);

// The bytes of many records in one contiguous buffer. Reading a large file
// this way touches a few large pages instead of one allocation per record,
// which is what makes reading the whole transaction file as fast as copying it.
class RecordBlock {
 public:
  RecordBlock() = default;
  ~RecordBlock();
  RecordBlock(RecordBlock&& other) noexcept;
  RecordBlock& operator=(RecordBlock&& other) noexcept;

  int count() const { return count_; }
  size_t record_length() const { return record_length_; }
  // Record `index` counted from 0.
  std::string_view Record(int index) const {
    return std::string_view(data_ + static_cast<size_t>(index) * record_length_, record_length_);
  }

 private:
  friend class RecordFile;
  void Allocate(int count, size_t record_length);
  void Release();

  char* data_ = nullptr;
  size_t capacity_ = 0;
  int count_ = 0;
  size_t record_length_ = 0;
};

// A record file held open (the transaction file) with its cached record count.
class RecordFile {
 public:
  // Opens `path` (created empty with `create`). Fails with the invalid-file
  // message when its length is not a whole number of records.
  static Status Open(FileSystem& fs, const std::string& path, size_t record_length, bool create,
                     std::unique_ptr<RecordFile>* file);

  int count() const { return count_; }
  size_t record_length() const { return record_length_; }
  const std::string& path() const { return path_; }

  Status Read(int number, std::string* record);
  // Writes record `number` in place, or appends it as count+1, and flushes it
  // to disk. A failed append cuts the file back to its old length, so the
  // count and the file stay in step.
  Status Write(int number, std::string_view record);
  // Reads records first..last (inclusive) in a few large reads (never record by
  // record).
  Status ReadRange(int first, int last, std::vector<std::string>* records);
  Status ReadAll(std::vector<std::string>* records) { return ReadRange(1, count_, records); }
  // Reads every record into one contiguous block.
  Status ReadAll(RecordBlock* block);

 private:
  RecordFile(std::unique_ptr<RandomAccessFile> file, std::string path, size_t record_length,
             int count)
      : file_(std::move(file)),
        path_(std::move(path)),
        record_length_(record_length),
        count_(count) {}

  std::unique_ptr<RandomAccessFile> file_;
  std::string path_;
  size_t record_length_;
  int count_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_RECORD_FILE_H_
