// TransactionFile: KXACCT.TRN held open while a data folder is loaded.
//
// The file is a plain array of 328-byte lines with a cached count; record n
// occupies bytes (n-1) x 328 to n x 328 - 1. Single lines are read and written
// in place and appended at the end; everything that moves lines (deleting,
// inserting, sorting) replaces the whole file atomically and reopens it.
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
  // Opens (creating it empty when missing) the file at `path`. Refuses a file
  // whose length is not a whole number of lines with the invalid-file message.
  static Status Open(FileSystem& fs, const std::string& path,
                     std::unique_ptr<TransactionFile>* file);

  int count() const { return count_; }
  const std::string& path() const { return path_; }

  // Line `number`, 1 to count().
  Status Read(int number, std::string* record);
  // Rewrites line `number` (1 to count()) in place.
  Status Write(int number, std::string_view record);
  // Writes a new last line. On failure the file is cut back to its old length.
  Status Append(std::string_view record);
  // Drops the lines after the first `count` (taking back an append).
  Status CutTo(int count);

  // Reads the whole file in one read.
  Status ReadAll(std::string* contents);
  // Calls `visit` with each line in file order, reading in large blocks so a
  // full file is never held in memory at once.
  Status Scan(const std::function<void(int number, std::string_view record)>& visit);

  // Replaces the whole file with `contents` atomically, then reopens it. On
  // failure the old file and this object are unchanged.
  Status Replace(std::string_view contents);

  // Opens the file afresh after it was replaced by other means (a set of
  // files rewritten together).
  Status Reopen();

 private:
  TransactionFile(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
  Status TakeCount();
  Status CheckOpen() const;

  FileSystem& fs_;
  std::string path_;
  std::unique_ptr<RandomAccessFile> file_;
  int count_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_TRANSACTION_FILE_H_
