// FileSystem: the one small layer through which the books touch the disk.
//
// Every read and write of a data file goes through this interface, so tests
// can substitute an implementation that refuses an open, runs out of disk or
// writes short, and then prove that nothing on disk or in memory was lost.
// `PosixFileSystem()` is the real one.
#ifndef ZENKAR_COMMON_FILE_SYSTEM_H_
#define ZENKAR_COMMON_FILE_SYSTEM_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace zenkar {

// What tells one version of a file from another: which file sits at the path
// (device and inode survive a rename, so a file replaced by another program is
// a different file) and its length and change times. A program compares the
// stamp it took when it last read or wrote a file with the file's stamp now.
struct FileStamp {
  bool exists = false;
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modified_ns = 0;
  int64_t changed_ns = 0;
  bool regular = false;      // a plain file (not a folder, device or pipe)
  uint32_t permissions = 0;  // the mode's permission bits, e.g. 0600

  bool SameFile(const FileStamp& other) const {
    return exists && other.exists && device == other.device && inode == other.inode;
  }
  bool operator==(const FileStamp&) const = default;
};

// An open file for reading and writing at byte positions (the transaction file
// stays open like this while a data folder is loaded).
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  // Reads exactly `length` bytes at `offset` into `out`, or fails.
  virtual Status ReadInto(uint64_t offset, size_t length, char* out) = 0;
  Status ReadAt(uint64_t offset, size_t length, std::string* out) {
    out->resize(length);
    return ReadInto(offset, length, out->data());
  }
  // Writes all of `data` at `offset`, or fails (possibly after a part of it).
  virtual Status WriteAt(uint64_t offset, std::string_view data) = 0;
  virtual Status Truncate(uint64_t length) = 0;
  virtual Status Size(uint64_t* size) = 0;
  // The stamp of the open file (which may no longer be the file at its path).
  virtual Status Stamp(FileStamp* stamp) = 0;
  virtual Status Sync() = 0;
};

// A file being written from its start (the temporary file of an atomic rewrite).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Append(std::string_view data) = 0;
  virtual Status Sync() = 0;
  virtual Status Close() = 0;
};

enum class LockMode { kShared, kExclusive };

// A file kept only for the advisory locks on its bytes. The locks belong to
// this open file (an open-file-description lock), so closing some other
// descriptor of the same file, as any library may do, never drops them; they
// end when the object is destroyed or the process ends, even by a crash.
class LockFile {
 public:
  virtual ~LockFile() = default;
  // Locks byte `slot`. Without `wait` a lock that conflicts with another
  // holder's fails at once with kInUse. Taking a lock of the other mode on a
  // slot already held converts it.
  virtual Status Lock(int slot, LockMode mode, bool wait) = 0;
  virtual void Unlock(int slot) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual Status ReadFile(const std::string& path, std::string* contents) = 0;
  virtual Status FileSize(const std::string& path, uint64_t* size) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // The names (not paths) of the entries of a folder.
  virtual Status ListDirectory(const std::string& path, std::vector<std::string>* names) = 0;
  virtual Status CreateDirectory(const std::string& path) = 0;

  // Opens an existing file for reading and writing; with `create` a missing
  // file is created empty.
  virtual Status OpenRandomAccess(const std::string& path, bool create,
                                  std::unique_ptr<RandomAccessFile>* file) = 0;
  // Creates or empties a file for writing from its start.
  virtual Status CreateWritable(const std::string& path, std::unique_ptr<WritableFile>* file) = 0;
  // Replaces `to` by `from` in one step.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  virtual Status RemoveFile(const std::string& path) = 0;
  // Clears a read-only mark: gives the owner write permission.
  virtual Status MakeWritable(const std::string& path) = 0;

  // The stamp of the file at `path`; a missing file has `exists` false.
  virtual Status StampOf(const std::string& path, FileStamp* stamp) = 0;

  // Opens a lock file. With `create` it is made when missing and opened for
  // writing (shared and exclusive locks); without, a missing file is
  // kNotFound and a file that cannot be written is opened for reading only
  // (shared locks only), so that opening it changes nothing.
  virtual Status OpenLockFile(const std::string& path, bool create,
                              std::unique_ptr<LockFile>* file) = 0;
};

// The real file system of this machine; lives for the whole program.
FileSystem& PosixFileSystem();

// Replaces the file at `path` with `data` so that a crash or a failure at any
// point leaves either the old file or the new one, never a mix: the data goes
// to a temporary file in the same folder, is flushed to disk and then renamed
// over the old file. On failure the temporary file is removed.
Status WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view data);

// The final path component of `path`.
std::string FileNameOf(std::string_view path);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FILE_SYSTEM_H_
