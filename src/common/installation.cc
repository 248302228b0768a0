#include "common/installation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "common/record_file.h"

namespace zenkar {

const std::string_view kInstalledSharedFolder = ZENKAR_INSTALLED_SHARED_FOLDER;

namespace {

constexpr char kProbeFileName[] = "KXPROBE.TMP";
constexpr char kTokenFileName[] = "KXTOKEN.DAT";
constexpr size_t kTokenLength = 8;

// Creates `folder` and every missing parent, each for its owner alone (the
// XDG rule for the user's data folders).
bool CreateFolders(FileSystem& fs, const std::string& folder) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (!fs.DirectoryExists(prefix) && !fs.CreatePrivateDirectory(prefix).ok()) return false;
  }
  return fs.DirectoryExists(folder);
}

bool IsToken(std::string_view text) {
  if (text.size() != kTokenLength) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Not a secret: any value that differs between installations will do, so
// the standard library's random device serves (and programs that read the
// installation folder need no cryptography library).
std::string NewToken() {
  std::random_device device;
  const uint32_t value = device() ^ static_cast<uint32_t>(std::time(nullptr)) ^ ::getpid();
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string token;
  for (size_t i = 0; i < kTokenLength; ++i) token += kHex[(value >> (4 * i)) & 0x0F];
  return token;
}

}  // namespace

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return "";
  std::string path(buffer.data(), static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

std::string SharedFilesFolder(FileSystem& fs, const std::string& program_folder,
                              std::string_view relative_folder) {
  const std::string programs = NormalizeFolderPath(program_folder);
  if (programs.empty()) return programs;
  const std::string installed = NormalizeFolderPath(
      std::filesystem::path(programs + std::string(relative_folder)).lexically_normal().string());
  return fs.DirectoryExists(installed) ? installed : programs;
}

std::optional<std::string> UserFilesFolder(const char* xdg_data_home, const char* home) {
  if (xdg_data_home != nullptr && xdg_data_home[0] == '/') {
    return NormalizeFolderPath(xdg_data_home) + "zenkar/";
  }
  if (home != nullptr && home[0] == '/') return NormalizeFolderPath(home) + ".local/share/zenkar/";
  return std::nullopt;
}

bool ProbeWritable(FileSystem& fs, const std::string& folder) {
  const std::string probe = folder + kProbeFileName;
  std::unique_ptr<RandomAccessFile> file;
  if (!fs.OpenRandomAccess(probe, /*create=*/true, &file).ok()) return false;
  file.reset();
  // The folder took a new file, which is the question asked; a probe that
  // cannot be removed is left for the next probe to reuse.
  (void)fs.RemoveFile(probe);
  return true;
}

Installation ResolveInstallation(FileSystem& fs, const std::string& program_folder,
                                 const std::optional<std::string>& fallback_folder) {
  Installation installation;
  installation.program_folder = NormalizeFolderPath(program_folder);
  installation.files_folder = installation.program_folder;
  if (ProbeWritable(fs, installation.program_folder)) {
    installation.files_folder_writable = true;
    return installation;
  }
  if (!fallback_folder) return installation;
  installation.files_folder = NormalizeFolderPath(*fallback_folder);
  installation.files_folder_writable =
      CreateFolders(fs, installation.files_folder) && ProbeWritable(fs, installation.files_folder);
  return installation;
}

std::string NotWritableMessage(const std::string& folder) {
  return "You may not have access/privileges/permission to use the folder you have installed "
         "the software into.\n" +
         folder;
}

std::string InstallationToken(FileSystem& fs, const Installation& installation) {
  const std::string path = installation.files_folder + kTokenFileName;
  std::string stored;
  if (fs.ReadFile(path, &stored).ok() && IsToken(stored)) return stored;
  const std::string token = NewToken();
  // A token that cannot be kept is still this run's token; the next run
  // makes another (see the header).
  if (installation.files_folder_writable) (void)WriteFileAtomically(fs, path, token);
  return token;
}

std::optional<std::string> StoredInstallationToken(FileSystem& fs,
                                                   const Installation& installation) {
  const std::string token = InstallationToken(fs, installation);
  std::string stored;
  if (!fs.ReadFile(installation.files_folder + kTokenFileName, &stored).ok() || stored != token) {
    return std::nullopt;
  }
  return token;
}

std::optional<DayNumber> FileModificationDate(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  std::tm local;
  if (localtime_r(&st.st_mtime, &local) == nullptr) return std::nullopt;
  return MakeDayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace zenkar
