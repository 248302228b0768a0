// TransactionFile: KXACCT.TRN held open while a data folder is loaded.
//
// The file is a plain array of 328-byte lines with a cached count; record n
// occupies bytes (n-1) x 328 to n x 328 - 1. Single lines are read and written
// in place and appended at the end, each flushed to disk before it counts as
// saved; everything that moves lines (deleting, inserting, sorting) replaces
// the whole file atomically and reopens it.
//
// Opened for reading only, the file may instead be served from an image in
// memory: the lines as the load arranged them when the file on disk was out of
// order and was not to be changed.
#ifndef ZENKAR_LEDGER_TRANSACTION_FILE_H_
#define ZENKAR_LEDGER_TRANSACTION_FILE_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/status.h"

namespace zenkar {

class TransactionFile {
 public:
  enum class Mode { kReadOnly, kReadWrite };

  // Opens the file at `path`. For writing a missing file is created empty;
  // for reading it must exist. Refuses a file whose length is not a whole
  // number of lines with the invalid-file message.
  static Status Open(FileSystem& fs, const std::string& path, Mode mode,
                     std::unique_ptr<TransactionFile>* file);

  int count() const { return count_; }
  const std::string& path() const { return path_; }
  // Changes with every write, append, cut and replacement through any
  // TransactionFile of the process, whether or not it succeeded: what was
  // derived from the lines at one revision holds only while it stays.
  uint64_t revision() const { return revision_; }

  // Line `number`, 1 to count().
  Status Read(int number, std::string* record);
  // Rewrites line `number` (1 to count()) in place and flushes it.
  Status Write(int number, std::string_view record);
  // Writes a new last line at the real end of the file and flushes it. On
  // failure the file is cut back to its old length. Refused when the file on
  // disk is no longer as long as this object counts.
  Status Append(std::string_view record);
  // Drops the lines after the first `count` (taking back an append).
  Status CutTo(int count);

  // Reads the whole file in one read.
  Status ReadAll(std::string* contents);
  // Calls `visit` with each line in file order, reading in large blocks so a
  // full file is never held in memory at once.
  Status Scan(const std::function<void(int number, std::string_view record)>& visit);
  // The same pass a block at a time: `visit` gets the number of a block's
  // first line and the block's whole records, read straight into one buffer
  // that every block reuses.
  Status ScanBlocks(const std::function<void(int first, std::string_view records)>& visit);

  // Replaces the whole file with `contents` atomically and goes on with the
  // new file. On failure the old file and this object are unchanged.
  Status Replace(std::string_view contents);

  // Goes on with `file`, the new contents that replaced the file at its path
  // (a set of files rewritten together), opened before the replacement.
  Status TakeReplacement(std::unique_ptr<RandomAccessFile> file);

  // From now on serves the lines of `contents` (whole lines) instead of the
  // file; only for a file opened for reading.
  void ServeFromMemory(std::string contents);

  // The stamp of the open file.
  Status Stamp(FileStamp* stamp);

 private:
  TransactionFile(FileSystem& fs, std::string path, Mode mode)
      : fs_(fs), path_(std::move(path)), mode_(mode) {}
  Status OpenHandle();
  Status TakeCount();
  Status CheckOpen() const;
  Status CheckWritable() const;
  Status ReadBytes(uint64_t offset, size_t length, std::string* out);
  void NewRevision();

  FileSystem& fs_;
  std::string path_;
  Mode mode_;
  std::unique_ptr<RandomAccessFile> file_;
  bool in_memory_ = false;
  std::string memory_;
  int count_ = 0;
  uint64_t revision_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_TRANSACTION_FILE_H_
