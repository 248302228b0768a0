#include "common/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "common/text_field.h"

namespace zenkar {
namespace {

FileStamp StampFrom(const struct stat& st) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  stamp.size = static_cast<uint64_t>(st.st_size);
  stamp.modified_ns = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.changed_ns = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  stamp.regular = S_ISREG(st.st_mode);
  stamp.permissions = static_cast<uint32_t>(st.st_mode & 07777);
  return stamp;
}

Status ErrnoStatus(const std::string& path, int error) {
  std::string text = Utf8ToCp1252(path) + ": " + std::strerror(error);
  if (error == ENOENT) return Status::NotFound(text);
  if (error == ENOSPC || error == EDQUOT) return Status::DiskFull(text);
  if (error == EBUSY || error == ETXTBSY || error == EWOULDBLOCK) return Status::InUse(text);
  return Status::IoError(text, error);
}

// Names tried for one temporary file before giving up: far more than chance
// collisions need, so running out means the names are being taken on purpose.
constexpr int kTemporaryNameAttempts = 100;

// Six letters and digits from the kernel's random numbers (62^6 names), or,
// should those fail, from a counter, the process and the clock: the
// exclusive create keeps even a guessable name safe.
std::string RandomSuffix() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[6];
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    static std::atomic<uint64_t> counter{0};
    uint64_t mix =
        ++counter * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(::getpid()) ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned char& byte : bytes) {
      byte = static_cast<unsigned char>(mix);
      mix >>= 8;
    }
  }
  std::string suffix;
  for (unsigned char byte : bytes) suffix += kLetters[byte % (sizeof kLetters - 1)];
  return suffix;
}

// The permissions a file replacing one of permissions `old_mode` gets.
mode_t ReplacementMode(mode_t old_mode, Access access) {
  const mode_t mode = old_mode & 0777;
  switch (access) {
    case Access::kOwnerOnly:
      return 0600;
    case Access::kProgram:
      return mode | ((mode & 0444) >> 2);  // who may read it may run it
    case Access::kUsual:
      break;
  }
  return mode;
}

// Gives the open file `fd` the owner and group of `old` as far as this
// process may (a process without privilege cannot give a file away, but may
// give it a group it belongs to), then its permissions as ReplacementMode
// says. The owner goes first: changing it clears permission bits.
Status GiveAccess(int fd, const std::string& path, const struct stat& old, Access access) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Neither could be kept: the file stays this process's own.
  }
  if (::fchmod(fd, ReplacementMode(old.st_mode, access)) != 0) return ErrnoStatus(path, errno);
  return Status::Ok();
}

// The mode a new file is created with, before the umask.
mode_t NewFileMode(bool replaces, Access access) {
  // A file that will get another's access starts as the owner's alone.
  if (replaces || access == Access::kOwnerOnly) return 0600;
  return access == Access::kProgram ? 0777 : 0666;
}

// The regular file at `path`, not following a symbolic link: a link planted
// at the target's name is replaced, so its file lends nothing to the new one.
bool StatRegularFile(const std::string& path, struct stat* st) {
  return ::lstat(path.c_str(), st) == 0 && S_ISREG(st->st_mode);
}

// The file system types the program names; others go by their number.
struct NamedFileSystem {
  unsigned long magic;
  const char* name;
};
constexpr NamedFileSystem kNamedFileSystems[] = {
    {ISOFS_SUPER_MAGIC, "iso9660"}, {UDF_SUPER_MAGIC, "udf"},     {EXT4_SUPER_MAGIC, "ext4"},
    {TMPFS_MAGIC, "tmpfs"},         {BTRFS_SUPER_MAGIC, "btrfs"}, {XFS_SUPER_MAGIC, "xfs"},
    {NFS_SUPER_MAGIC, "nfs"},       {MSDOS_SUPER_MAGIC, "vfat"},
};

std::string FileSystemName(unsigned long magic) {
  for (const NamedFileSystem& named : kNamedFileSystems) {
    if (named.magic == magic) return named.name;
  }
  char number[24];
  std::snprintf(number, sizeof number, "0x%lx", magic);
  return number;
}

class PosixRandomAccessFile : public RandomAccessFile {
 public:
  PosixRandomAccessFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixRandomAccessFile() override { ::close(fd_); }

  Status ReadInto(uint64_t offset, size_t length, char* out) override {
    size_t done = 0;
    while (done < length) {
      ssize_t n = ::pread(fd_, out + done, length - done, offset + done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return ErrnoStatus(path_, errno);
      if (n == 0) return Status::IoError(path_ + ": unexpected end of file");
      done += static_cast<size_t>(n);
    }
    return Status::Ok();
  }

  Status WriteAt(uint64_t offset, std::string_view data) override {
    size_t done = 0;
    while (done < data.size()) {
      ssize_t n = ::pwrite(fd_, data.data() + done, data.size() - done, offset + done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return ErrnoStatus(path_, errno);
      done += static_cast<size_t>(n);
    }
    return Status::Ok();
  }

  Status Truncate(uint64_t length) override {
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) return ErrnoStatus(path_, errno);
    return Status::Ok();
  }

  Status Size(uint64_t* size) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return ErrnoStatus(path_, errno);
    *size = static_cast<uint64_t>(st.st_size);
    return Status::Ok();
  }

  Status Stamp(FileStamp* stamp) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return ErrnoStatus(path_, errno);
    *stamp = StampFrom(st);
    return Status::Ok();
  }

  Status Sync() override {
    if (::fdatasync(fd_) != 0) return ErrnoStatus(path_, errno);
    return Status::Ok();
  }

 private:
  int fd_;
  std::string path_;
};

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  Status Append(std::string_view data) override {
    while (!data.empty()) {
      ssize_t n = ::write(fd_, data.data(), data.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return ErrnoStatus(path_, errno);
      data.remove_prefix(static_cast<size_t>(n));
    }
    return Status::Ok();
  }

  Status Sync() override {
    if (::fsync(fd_) != 0) return ErrnoStatus(path_, errno);
    return Status::Ok();
  }

  Status Close() override {
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return ErrnoStatus(path_, errno);
    return Status::Ok();
  }

 private:
  int fd_;
  std::string path_;
};

// Open-file-description locks (F_OFD_SETLK): owned by the open file, not by
// the process, so they are neither shared between two opens in one process
// nor lost when another descriptor of the file is closed.
class PosixLockFile : public LockFile {
 public:
  PosixLockFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixLockFile() override { ::close(fd_); }

  Status Lock(int slot, LockMode mode, bool wait) override {
    struct flock range = Range(slot, mode == LockMode::kShared ? F_RDLCK : F_WRLCK);
    const int command = wait ? F_OFD_SETLKW : F_OFD_SETLK;
    int result;
    do {
      result = ::fcntl(fd_, command, &range);
    } while (result != 0 && errno == EINTR);
    if (result != 0) return ErrnoStatus(path_, errno == EACCES ? EWOULDBLOCK : errno);
    return Status::Ok();
  }

  void Unlock(int slot) override {
    struct flock range = Range(slot, F_UNLCK);
    ::fcntl(fd_, F_OFD_SETLK, &range);
  }

  Status Read(std::string* contents) override {
    char buffer[64];
    ssize_t n;
    do {
      n = ::pread(fd_, buffer, sizeof buffer, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return ErrnoStatus(path_, errno);
    contents->assign(buffer, static_cast<size_t>(n));
    return Status::Ok();
  }

  Status Write(std::string_view contents) override {
    ssize_t n;
    do {
      n = ::pwrite(fd_, contents.data(), contents.size(), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return ErrnoStatus(path_, errno);
    if (static_cast<size_t>(n) != contents.size()) return Status::IoError(path_ + ": short write");
    return Status::Ok();
  }

 private:
  static struct flock Range(int slot, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = slot;
    range.l_len = 1;
    return range;
  }

  int fd_;
  std::string path_;
};

class PosixFs : public FileSystem {
 public:
  explicit PosixFs(std::function<std::string()> next_suffix)
      : next_suffix_(std::move(next_suffix)) {}

  Status ReadFile(const std::string& path, std::string* contents) override {
    std::unique_ptr<RandomAccessFile> file;
    if (Status s = OpenRandomAccess(path, false, &file, O_RDONLY); !s.ok()) return s;
    uint64_t size = 0;
    if (Status s = file->Size(&size); !s.ok()) return s;
    return file->ReadAt(0, size, contents);
  }

  Status FileSize(const std::string& path, uint64_t* size) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return ErrnoStatus(path, errno);
    *size = static_cast<uint64_t>(st.st_size);
    return Status::Ok();
  }

  bool FileExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.empty() ? "." : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  Status ListDirectory(const std::string& path, std::vector<std::string>* names) override {
    names->clear();
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (dir == nullptr) return ErrnoStatus(path, errno);
    while (struct dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names->push_back(name);
    }
    ::closedir(dir);
    return Status::Ok();
  }

  Status ListSubfolders(const std::string& path, std::vector<Subfolder>* folders) override {
    folders->clear();
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (dir == nullptr) return ErrnoStatus(path, errno);
    while (struct dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      struct stat st;
      if (name == "." || name == ".." ||
          ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
          !S_ISDIR(st.st_mode)) {
        continue;
      }
      folders->push_back({name, static_cast<uint64_t>(st.st_dev)});
    }
    ::closedir(dir);
    return Status::Ok();
  }

  Status FileSystemType(const std::string& path, std::string* type) override {
    struct statfs fs;
    if (::statfs(path.empty() ? "." : path.c_str(), &fs) != 0) return ErrnoStatus(path, errno);
    *type = FileSystemName(static_cast<unsigned long>(fs.f_type));
    return Status::Ok();
  }

  Status CreateDirectory(const std::string& path) override { return MakeDirectory(path, 0777); }

  Status CreatePrivateDirectory(const std::string& path) override {
    return MakeDirectory(path, 0700);
  }

  Status RemoveDirectory(const std::string& path) override {
    if (::rmdir(path.c_str()) != 0) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override {
    return OpenRandomAccess(path, create, file, O_RDWR);
  }

  Status OpenForReading(const std::string& path, std::unique_ptr<RandomAccessFile>* file) override {
    return OpenRandomAccess(path, false, file, O_RDONLY);
  }

  Status OpenExclusively(const std::string& path,
                         std::unique_ptr<RandomAccessFile>* file) override {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus(path, errno);
    int result;
    do {
      result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
      const int error = errno;
      ::close(fd);
      return ErrnoStatus(path, error);
    }
    // Closing the file lets go of the lock.
    *file = std::make_unique<PosixRandomAccessFile>(fd, path);
    return Status::Ok();
  }

  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override {
    struct stat old;
    const bool replaces = StatRegularFile(target, &old);
    const mode_t first_mode = NewFileMode(replaces, access);
    std::string path;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
      path = target + ".~" + next_suffix_();
      // O_EXCL fails on any existing name, a symbolic link included.
      fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, first_mode);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return ErrnoStatus(path, errno);
    Status status = Status::Ok();
    if (replaces) {
      status = GiveAccess(fd, path, old, access);
    } else if (access == Access::kOwnerOnly && ::fchmod(fd, 0600) != 0) {
      status = ErrnoStatus(path, errno);  // the umask may have taken the owner's bits
    }
    if (!status.ok()) {
      ::close(fd);
      ::unlink(path.c_str());
      return status;
    }
    temporary->path = path;
    temporary->file = std::make_unique<PosixWritableFile>(fd, path);
    return Status::Ok();
  }

  Status KeepAccessOf(const std::string& target, const std::string& path) override {
    struct stat old;
    if (!StatRegularFile(target, &old)) return Status::Ok();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus(path, errno);
    Status status = GiveAccess(fd, path, old, Access::kUsual);
    ::close(fd);
    return status;
  }

  Status Rename(const std::string& from, const std::string& to) override {
    if (Status s = RenameUnflushed(from, to); !s.ok()) return s;
    SyncFolderOf(to);
    return Status::Ok();
  }

  Status RenameUnflushed(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return ErrnoStatus(to, errno);
    return Status::Ok();
  }

  Status RemoveFile(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  Status MakeWritable(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return ErrnoStatus(path, errno);
    if (::chmod(path.c_str(), st.st_mode | S_IWUSR) != 0) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  Status SetTimesToNow(const std::string& path) override {
    if (::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) != 0) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  Status StampOf(const std::string& path, FileStamp* stamp) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
      if (errno != ENOENT) return ErrnoStatus(path, errno);
      *stamp = FileStamp();
      return Status::Ok();
    }
    *stamp = StampFrom(st);
    return Status::Ok();
  }

  Status OpenLockFile(const std::string& path, bool create,
                      std::unique_ptr<LockFile>* file) override {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0666);
    if (fd < 0 && !create && (errno == EACCES || errno == EROFS)) {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0) return ErrnoStatus(path, errno);
    *file = std::make_unique<PosixLockFile>(fd, path);
    return Status::Ok();
  }

 private:
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file, int mode) {
    int flags = mode | O_CLOEXEC | (create ? O_CREAT : 0);
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return ErrnoStatus(path, errno);
    *file = std::make_unique<PosixRandomAccessFile>(fd, path);
    return Status::Ok();
  }

  static Status MakeDirectory(const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  // Makes a rename durable: the folder entry itself is flushed.
  static void SyncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }

  std::function<std::string()> next_suffix_;
};

}  // namespace

FileSystem& PosixFileSystem() {
  static PosixFs* fs = new PosixFs(RandomSuffix);
  return *fs;
}

std::unique_ptr<FileSystem> PosixFileSystemWithSuffixes(std::function<std::string()> next_suffix) {
  return std::make_unique<PosixFs>(std::move(next_suffix));
}

Status WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view data,
                           Access access) {
  TemporaryFile temporary;
  Status status = fs.CreateTemporaryBeside(path, access, &temporary);
  if (!status.ok()) return status;
  status = temporary.file->Append(data);
  if (status.ok()) status = temporary.file->Sync();
  Status closed = temporary.file->Close();
  if (status.ok()) status = closed;
  if (status.ok()) status = fs.Rename(temporary.path, path);
  // The failure to report is the write's; a temporary file that cannot be
  // removed either is only clutter beside the untouched old file.
  if (!status.ok()) (void)fs.RemoveFile(temporary.path);
  return status;
}

bool IsTemporaryNameOf(std::string_view name, std::string_view target_name) {
  constexpr size_t kSuffix = 6;
  if (name.size() <= target_name.size() + 2 ||
      ::strncasecmp(name.data(), target_name.data(), target_name.size()) != 0) {
    return false;
  }
  const std::string_view rest = name.substr(target_name.size());
  if (rest == ".~new") return true;
  if (rest.size() != 2 + kSuffix || rest.substr(0, 2) != ".~") return false;
  for (char c : rest.substr(2)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace zenkar
