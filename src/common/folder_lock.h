// FolderLock: how the programs that share one data folder stay out of each
// other's way.
//
// The lock file KXACCT.LCK in the data folder is never replaced (the books'
// own files are, by every rewrite), and two of its bytes carry locks:
//
//  - "in use" (slot 0): a program that has the folder open to change it holds
//    it shared for as long as it does. It asks for it exclusively first, which
//    tells it whether another program is already there: a second kxacct is
//    warned and goes on, kxbatch holds it exclusively for a writing command
//    and refuses the command while anyone else holds it.
//  - "writing" (slot 1): held exclusively for the length of one change of the
//    books (a change waits for the one before it) and shared by a program
//    that reads the books without changing them, so a reader never sees half
//    a change.
//
// The lock file's contents count the changes made in the folder: one counter
// for the books (chart, payees, transactions) and one for the settings. A
// program advances them at the end of each change and compares them at the
// start of the next, which tells it exactly whether anyone else changed the
// files meanwhile, however close together the changes came.
//
// The locks end with the object, or with the process however it ends.
#ifndef ZENKAR_COMMON_FOLDER_LOCK_H_
#define ZENKAR_COMMON_FOLDER_LOCK_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/status.h"

namespace zenkar {

class FolderLock {
 public:
  static constexpr std::string_view kFileName = "KXACCT.LCK";

  explicit FolderLock(FileSystem& fs) : fs_(fs) {}
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Joins `folder` (ending in "/") to change its books; `*shared` tells
  // whether another program had it open already. The lock file is made when
  // missing.
  Status Join(const std::string& folder, bool* shared);
  // Takes `folder` for this program alone; kInUse while another has it open.
  Status TakeAlone(const std::string& folder);
  // Opens the lock of `folder` to read its books: nothing is made or held in
  // use (a folder without a lock file has no program changing it).
  Status OpenForReading(const std::string& folder);
  // Lets go of the folder and every lock on it.
  void Leave();

  // The counts of changes made in the folder so far (zero without a lock
  // file). Read and advanced while holding the "writing" lock.
  struct Generations {
    uint64_t books = 0;
    uint64_t settings = 0;
    bool operator==(const Generations&) const = default;
  };
  Generations ReadGenerations();
  // Counts one more change of the books and/or the settings; returns the
  // counts as they now stand.
  Generations Advance(bool books, bool settings);

  // Waits for and holds the right to change the books (exclusive "writing").
  Status BeginChange();
  // Waits for and holds the right to read them whole (shared "writing").
  Status BeginReading();
  // Ends a change or a reading.
  void End();

 private:
  Status Open(const std::string& folder, bool create);

  FileSystem& fs_;
  std::unique_ptr<LockFile> file_;
};

// Said when a program that wants `folder` alone finds another program using it.
std::string FolderInUseMessage(const std::string& folder);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FOLDER_LOCK_H_
