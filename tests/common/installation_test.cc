#include "common/installation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FaultInjectingFileSystem;
using ::zenkar::testing::TempDir;

// The real file system, except that nothing can be created under one folder
// (a program folder installed read-only; running as root ignores modes).
class ReadOnlyFolderFileSystem : public FaultInjectingFileSystem {
 public:
  explicit ReadOnlyFolderFileSystem(std::string read_only) : read_only_(std::move(read_only)) {}
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override {
    if (path.rfind(read_only_, 0) == 0) return Status::IoError(path + ": read-only", 30);
    return FaultInjectingFileSystem::OpenRandomAccess(path, create, file);
  }
  Status CreatePrivateDirectory(const std::string& path) override {
    if (path.rfind(read_only_, 0) == 0) return Status::IoError(path + ": read-only", 30);
    return FaultInjectingFileSystem::CreatePrivateDirectory(path);
  }

 private:
  std::string read_only_;
};

TEST(UserFilesFolder, FollowsTheXdgRuleAndIsNoneWithoutAnAbsoluteFolder) {
  EXPECT_EQ(UserFilesFolder("/home/ann/.data", "/home/ann"), "/home/ann/.data/zenkar/");
  EXPECT_EQ(UserFilesFolder("/home/ann/.data/", "/home/ann"), "/home/ann/.data/zenkar/");
  EXPECT_EQ(UserFilesFolder(nullptr, "/home/ann"), "/home/ann/.local/share/zenkar/");
  EXPECT_EQ(UserFilesFolder("relative/path", "/home/ann"), "/home/ann/.local/share/zenkar/");
  EXPECT_EQ(UserFilesFolder("", "/home/ann/"), "/home/ann/.local/share/zenkar/");
  EXPECT_EQ(UserFilesFolder(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(UserFilesFolder("", ""), std::nullopt);
  EXPECT_EQ(UserFilesFolder("relative/path", "home/ann"), std::nullopt);
}

TEST(SharedFilesFolder, IsTheInstalledDataFolderElseTheProgramFolder) {
  TempDir prefix;
  FileSystem& fs = PosixFileSystem();
  const std::string programs = prefix.path() + "bin/";
  ASSERT_TRUE(std::filesystem::create_directories(programs));
  EXPECT_EQ(SharedFilesFolder(fs, programs), programs) << "the build tree: all in one folder";
  EXPECT_EQ(SharedFilesFolder(fs, prefix.path() + "bin"), programs);

  ASSERT_TRUE(std::filesystem::create_directories(programs + std::string(kInstalledSharedFolder)));
  const std::string shared = SharedFilesFolder(fs, programs);
  EXPECT_EQ(shared.find(".."), std::string::npos) << shared << " is shown without detours";
  EXPECT_EQ(shared.back(), '/');
  EXPECT_TRUE(std::filesystem::equivalent(shared, programs + std::string(kInstalledSharedFolder)));
  ASSERT_TRUE(std::filesystem::create_directories(prefix.path() + "share/zenkar") ||
              std::filesystem::is_directory(prefix.path() + "share/zenkar"));
  EXPECT_EQ(SharedFilesFolder(fs, programs, "../share/zenkar/"), prefix.path() + "share/zenkar/")
      << "a prefix's bin/ and share/zenkar/";
}

TEST(ResolveInstallation, AWritableProgramFolderKeepsItsOwnFiles) {
  TempDir program;
  const Installation installation =
      ResolveInstallation(PosixFileSystem(), program.path(), program.path() + "elsewhere/");
  EXPECT_EQ(installation.program_folder, program.path());
  EXPECT_EQ(installation.files_folder, program.path());
  EXPECT_TRUE(installation.files_folder_writable);
  EXPECT_EQ(program.Listing(), "") << "the probe file is removed again";
}

TEST(ResolveInstallation, AReadOnlyProgramFolderFallsBackToTheUsersFolder) {
  TempDir program;
  TempDir home;
  ReadOnlyFolderFileSystem fs(program.path());
  const std::string fallback = home.path() + ".local/share/zenkar/";
  const Installation installation = ResolveInstallation(fs, program.path(), fallback);
  EXPECT_EQ(installation.program_folder, program.path());
  EXPECT_EQ(installation.files_folder, fallback);
  EXPECT_TRUE(installation.files_folder_writable);
  for (const char* created : {".local", ".local/share", ".local/share/zenkar"}) {
    struct stat st;
    ASSERT_EQ(::stat(home.File(created).c_str(), &st), 0) << created;
    EXPECT_TRUE(S_ISDIR(st.st_mode)) << created;
    EXPECT_EQ(st.st_mode & 07777, 0700u) << created << " is the owner's alone";
  }
}

TEST(ResolveInstallation, NoWritableFolderIsReported) {
  TempDir program;
  ReadOnlyFolderFileSystem fs("/");
  const Installation installation =
      ResolveInstallation(fs, program.path(), program.path() + "fallback/");
  EXPECT_FALSE(installation.files_folder_writable);
  EXPECT_EQ(NotWritableMessage(installation.files_folder),
            "You may not have access/privileges/permission to use the folder you have installed "
            "the software into.\n" +
                program.path() + "fallback/");
}

TEST(InstallationToken, IsMadeOnceAndKept) {
  TempDir folder;
  const Installation installation{folder.path(), folder.path(), true};
  const std::string token = InstallationToken(PosixFileSystem(), installation);
  EXPECT_EQ(token.size(), 8u);
  EXPECT_EQ(token.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(folder.ReadFile("KXTOKEN.DAT"), token);
  EXPECT_EQ(InstallationToken(PosixFileSystem(), installation), token);
}

TEST(InstallationToken, ADamagedTokenFileIsReplaced) {
  TempDir folder;
  folder.WriteFile("KXTOKEN.DAT", "not a token\n");
  const std::string token =
      InstallationToken(PosixFileSystem(), {folder.path(), folder.path(), true});
  EXPECT_EQ(token.size(), 8u);
  EXPECT_EQ(folder.ReadFile("KXTOKEN.DAT"), token);
}

TEST(FileModificationDate, IsTheLocalDateOfAFileAndNothingForAMissingOne) {
  TempDir folder;
  folder.WriteFile("probe", "x");
  const std::time_t now = std::time(nullptr);
  std::tm local;
  localtime_r(&now, &local);
  EXPECT_EQ(FileModificationDate(folder.File("probe")),
            MakeDayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
  EXPECT_FALSE(FileModificationDate(folder.File("missing")).has_value());
}

}  // namespace
}  // namespace zenkar
