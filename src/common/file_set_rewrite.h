// FileSetRewrite: replaces several files of the data folder as one change.
//
// Some changes touch more than one file: deleting a line rewrites the
// transaction file and the chart (its posted totals), renaming a payee the
// transaction file and the payee file, a restore replaces every file of a
// program's group and removes those its backup set lacks. Every new file is
// first written beside
// its target, under a unique temporary name with the target's access
// (FileSystem::CreateTemporaryBeside), and flushed; only when all of them are
// safely on disk are the files to remove removed and the new files renamed
// over the old ones, one after another. A full disk or a failed flush
// therefore changes nothing. Should a removal or a rename fail, the files
// already removed or replaced are put back from their old contents. The
// file added with AddLast (the large transaction file) is renamed last, so its
// old contents never have to be kept.
//
// A crash between two renames must not leave half a change: before the first
// step a small journal, KXACCT.JNL in the data folder, names every file to
// remove and every temporary file with its target, and it is removed after
// the last step. The next program that loads the books finishes the removals
// and renames the journal names (FinishInterruptedRewrite); every temporary
// file was whole and on disk before the journal was written, so finishing is
// always possible. A program that may not write reads the temporary files in
// their targets' place and the files to remove as missing
// (PendingReplacements).
#ifndef ZENKAR_COMMON_FILE_SET_REWRITE_H_
#define ZENKAR_COMMON_FILE_SET_REWRITE_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_system.h"
#include "common/status.h"

namespace zenkar {

class FileSetRewrite {
 public:
  explicit FileSetRewrite(FileSystem& fs) : fs_(fs) {}

  // Adds a file to replace with `contents` (which must stay alive until
  // Commit), and the contents to put back should a later rename fail.
  void Add(std::string path, std::string_view contents, std::string previous);
  // Adds the file to replace last (the transaction file, which stays open).
  // Commit opens its new contents for reading and writing before the first
  // rename, so that once it is in place no open can fail any more.
  void AddLast(std::string path, std::string_view contents);
  // Adds a file that does not exist yet, to be removed again should a later
  // step fail.
  void AddNew(std::string path, std::string_view contents);
  // Adds a file to remove, with its contents to put back should a later
  // step fail.
  void AddRemoval(std::string path, std::string previous);
  // The file added with AddLast, open on its new contents, once Commit
  // replaced it.
  std::unique_ptr<RandomAccessFile> TakeLastFile() { return std::move(last_file_); }
  bool empty() const { return files_.empty() && removals_.empty() && !last_; }

  // Removes and replaces every added file. On failure every file is as it
  // was (unless
  // putting one back failed as well), and the status says what went wrong;
  // `failed_path` names the file concerned.
  Status Commit(std::string* failed_path);

  static constexpr std::string_view kJournalFileName = "KXACCT.JNL";

  // Finishes a change of files of `folder` that a crash interrupted: renames
  // each temporary file the journal names that is still there over its
  // target, then removes the journal. Nothing to do without a journal.
  static Status FinishInterruptedRewrite(FileSystem& fs, const std::string& folder);
  // The files an interrupted change left to be replaced or removed, by the
  // name of each: the path of what it now holds, or "" (no file: it reads as
  // missing) for a file to remove.
  static std::vector<std::pair<std::string, std::string>> PendingReplacements(
      FileSystem& fs, const std::string& folder);
  // Removes the temporary files that rewrites of the files named in
  // `file_names` left in `folder` (a crash before their rename). Only for a
  // program holding the folder's writing lock, when no rewrite is under way.
  static void RemoveLeftTemporaries(FileSystem& fs, const std::string& folder,
                                    const std::vector<std::string_view>& file_names);

 private:
  struct File {
    std::string path;
    std::string_view contents;
    std::string previous;
    bool existed = true;  // false: putting it back removes it
  };
  // Writes and flushes the new contents of `file`; `path` names the
  // temporary file once it exists.
  Status WriteTemporary(const File& file, std::string* path);
  void RemoveTemporaries(const std::vector<std::string>& paths);
  Status WriteJournal(const std::vector<const File*>& order,
                      const std::vector<std::string>& temporaries, std::string* journal);
  // Removes the files to remove, adding each to `removed` (a file already
  // gone counts as removed).
  Status RemoveFiles(std::vector<const File*>* removed, std::string* failed_path);
  // Puts `files` back as they were before the change; returns the paths that
  // could not be, each after a line break.
  std::string PutBack(const std::vector<const File*>& files);
  // The failure of a change taken back, naming the files that still hold it.
  static Status TakenBack(Status failure, const std::string& not_restored);

  FileSystem& fs_;
  std::vector<File> files_;
  std::vector<File> removals_;
  std::optional<File> last_;
  std::unique_ptr<RandomAccessFile> last_file_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FILE_SET_REWRITE_H_
