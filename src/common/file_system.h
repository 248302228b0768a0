// FileSystem: the one small layer through which the books touch the disk.
//
// Every read and write of a data file goes through this interface, so tests
// can substitute an implementation that refuses an open, runs out of disk or
// writes short, and then prove that nothing on disk or in memory was lost.
// `PosixFileSystem()` is the real one.
#ifndef ZENKAR_COMMON_FILE_SYSTEM_H_
#define ZENKAR_COMMON_FILE_SYSTEM_H_

#include <cstdint>
#include <functional>
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

// Who may use a file that the program writes.
enum class Access {
  // A new file gets 0666 less the umask; a file that replaces another gets
  // that file's permissions, owner and group.
  kUsual,
  // 0600 whatever was there before (the owner and group are still kept): for
  // a file holding a secret, the program password.
  kOwnerOnly,
  // A program the user runs (the downloaded installer): as kUsual, and
  // whoever may read the file may also run it.
  kProgram,
};

// A new file written beside the file it is to replace, then renamed over it.
struct TemporaryFile {
  std::string path;
  std::unique_ptr<WritableFile> file;
};

enum class LockMode { kShared, kExclusive };

// A folder within a folder, and the device (file system) it is on.
struct Subfolder {
  std::string name;
  uint64_t device = 0;
};

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
  // The file's few bytes of contents (the holders' shared counters).
  virtual Status Read(std::string* contents) = 0;
  virtual Status Write(std::string_view contents) = 0;
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
  // The folders within a folder, leaving out everything reached through a
  // symbolic link (which may lead anywhere, even back up the tree).
  virtual Status ListSubfolders(const std::string& path, std::vector<Subfolder>* folders) = 0;
  // The type of the file system that holds `path`, by the kernel's name:
  // "iso9660" and "udf" (optical discs), "ext4", "tmpfs", ... or "0x" and
  // its number in hexadecimal when it is not one the program names.
  virtual Status FileSystemType(const std::string& path, std::string* type) = 0;
  // Creates a folder with the usual mode; one already there is fine.
  virtual Status CreateDirectory(const std::string& path) = 0;
  // Creates a folder only its owner may use (0700); one already there is
  // fine and keeps its mode.
  virtual Status CreatePrivateDirectory(const std::string& path) = 0;
  // Removes a folder, which must be empty.
  virtual Status RemoveDirectory(const std::string& path) = 0;

  // Opens an existing file for reading and writing; with `create` a missing
  // file is created empty.
  virtual Status OpenRandomAccess(const std::string& path, bool create,
                                  std::unique_ptr<RandomAccessFile>* file) = 0;
  // Opens an existing file for reading only: opening it changes nothing, and
  // a file the user may not write can still be read.
  virtual Status OpenForReading(const std::string& path,
                                std::unique_ptr<RandomAccessFile>* file) = 0;
  // Opens an existing file for reading and writing and holds an exclusive
  // advisory lock (flock) on it for as long as the file stays open: how a
  // program of the suite tells whether another has its files open (each
  // holds such a lock on its settings file while it runs). kInUse while
  // another open of the file holds the lock, kNotFound when it is missing.
  virtual Status OpenExclusively(const std::string& path,
                                 std::unique_ptr<RandomAccessFile>* file) = 0;
  // Creates an empty file to be renamed over `target` once written: in the
  // folder of `target`, named after it with ".~" and six random letters and
  // digits, created exclusively and never through a symbolic link (a name
  // already taken, by anything, is passed over for a new one). So a link
  // planted in the folder never makes the program write elsewhere, and
  // programs rewriting one file at the same time never share a temporary
  // file. Its access follows `access`; when it replaces a regular file it
  // gets that file's owner and group too, as far as this process may give
  // them (an unprivileged process keeps its own user, and the group when it
  // belongs to it). The file is the owner's alone until it has its final
  // mode, before anything is written to it.
  virtual Status CreateTemporaryBeside(const std::string& target, Access access,
                                       TemporaryFile* temporary) = 0;
  // Gives the file at `path`, made elsewhere to replace `target`, the
  // permissions, owner and group of the regular file at `target`, as
  // CreateTemporaryBeside does. A missing `target` changes nothing.
  virtual Status KeepAccessOf(const std::string& target, const std::string& path) = 0;
  // Replaces `to` by `from` in one step.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // As Rename, without flushing the folder to disk afterwards: for a file in
  // a private scratch folder, which is moved on (and flushed there) before
  // anything relies on it. Rename itself unless a file system says otherwise.
  virtual Status RenameUnflushed(const std::string& from, const std::string& to) {
    return Rename(from, to);
  }
  virtual Status RemoveFile(const std::string& path) = 0;
  // Clears a read-only mark: gives the owner write permission.
  virtual Status MakeWritable(const std::string& path) = 0;
  // Sets the file's times of last access and last change of its contents to
  // the present moment (a backup set carries the time it was completed).
  virtual Status SetTimesToNow(const std::string& path) = 0;

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

// The real file system, except that the names of temporary files take the
// suffixes `next_suffix` returns, one for each name tried, in place of random
// ones: a test plants links at the names it knows will be tried.
std::unique_ptr<FileSystem> PosixFileSystemWithSuffixes(std::function<std::string()> next_suffix);

// Replaces the file at `path` with `data` so that a crash or a failure at any
// point leaves either the old file or the new one, never a mix: the data goes
// to a temporary file in the same folder (CreateTemporaryBeside), is flushed
// to disk and then renamed over the old file. On failure the temporary file
// is removed.
Status WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view data,
                           Access access = Access::kUsual);

// The final path component of `path`.
std::string FileNameOf(std::string_view path);

// True when `name` is the name CreateTemporaryBeside gives a temporary file
// that replaces `target_name` (the target's name, ".~" and six letters and
// digits), or the fixed name ".~new" that older versions used; the target's
// name is compared without regard to case.
bool IsTemporaryNameOf(std::string_view name, std::string_view target_name);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FILE_SYSTEM_H_
