#include "common/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

  Status CreateDirectory(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return ErrnoStatus(path, errno);
    return Status::Ok();
  }

  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override {
    return OpenRandomAccess(path, create, file, O_RDWR);
  }

  Status CreateWritable(const std::string& path, std::unique_ptr<WritableFile>* file) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return ErrnoStatus(path, errno);
    *file = std::make_unique<PosixWritableFile>(fd, path);
    return Status::Ok();
  }

  Status Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return ErrnoStatus(to, errno);
    SyncFolderOf(to);
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

  // Makes a rename durable: the folder entry itself is flushed.
  static void SyncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }
};

}  // namespace

FileSystem& PosixFileSystem() {
  static PosixFs* fs = new PosixFs();
  return *fs;
}

Status WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view data) {
  const std::string temporary = path + ".~new";
  std::unique_ptr<WritableFile> file;
  Status status = fs.CreateWritable(temporary, &file);
  if (!status.ok()) return status;
  status = file->Append(data);
  if (status.ok()) status = file->Sync();
  Status closed = file->Close();
  if (status.ok()) status = closed;
  if (status.ok()) status = fs.Rename(temporary, path);
  if (!status.ok()) fs.RemoveFile(temporary);
  return status;
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace zenkar
