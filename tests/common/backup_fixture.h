// A data folder with a small company's files and a folder to back up to,
// for the tests of writing and restoring backup sets.
#ifndef ZENKAR_TESTS_COMMON_BACKUP_FIXTURE_H_
#define ZENKAR_TESTS_COMMON_BACKUP_FIXTURE_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "common/backup_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

class BackupFixture : public ::testing::Test {
 protected:
  BackupFixture() {
    data_.WriteFile("KXACCT.CFG", std::string(4800, 'c'));
    data_.WriteFile("KXACCT.COA", std::string(156 * 3, 'a'));
    data_.WriteFile("KXACCT.TRN", Lines(40));
    data_.WriteFile("KXACCT.VND", std::string(536, 'v'));
    data_.WriteFile("KXACCT.REC", "");
  }

  // `count` lines of 328 bytes that differ from one another.
  static std::string Lines(int count) {
    std::string lines;
    for (int n = 0; n < count; ++n) {
      std::string line(328, ' ');
      line.replace(0, 8, "line" + std::to_string(1000 + n));
      lines += line;
    }
    return lines;
  }

  // Every file of a folder with its contents (folders as "<folder>").
  static std::map<std::string, std::string> Contents(const TempDir& dir) {
    std::map<std::string, std::string> contents;
    for (const std::string& name : dir.ListingNames()) {
      contents[name] =
          std::filesystem::is_directory(dir.File(name)) ? "<folder>" : dir.ReadFile(name);
    }
    return contents;
  }

  BackupEnvironment Env(FileSystem& fs) {
    return {fs, ui_, "KXACCT", "Zenkar Accounting", data_.path()};
  }

  TempDir data_;
  TempDir backups_;
  ScriptedUi ui_;
  BackupEnvironment env_{PosixFileSystem(), ui_, "KXACCT", "Zenkar Accounting", data_.path()};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_COMMON_BACKUP_FIXTURE_H_
