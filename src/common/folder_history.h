// FolderHistory: the recent-folder history the programs of the suite share.
//
// KXHIST3.DAT in the per-installation folder is one record of 101 entries of
// 260 Windows-1252 characters (a Windows path length), space padded, entry 0
// the folder used most recently. A file of any other length reads as empty
// and is written again as one blank record. The accounting program adds each
// data folder it opens (move to the front, at most 101 folders); the launcher
// lists the entries and removes those of folders that are gone.
//
// Paths are compared exactly, as Linux file names are. A path that the record
// cannot hold as it is -- longer than an entry, with a character Windows-1252
// lacks, or with spaces at either end that the trimmed entry would lose -- is
// not recorded, so an entry always names the folder that was opened.
#ifndef ZENKAR_COMMON_FOLDER_HISTORY_H_
#define ZENKAR_COMMON_FOLDER_HISTORY_H_

#include <string>
#include <string_view>

#include "common/file_system.h"

namespace zenkar {

class FolderHistory {
 public:
  static constexpr std::string_view kFileName = "KXHIST3.DAT";
  static constexpr int kEntries = 101;
  static constexpr size_t kEntryWidth = 260;
  static constexpr size_t kRecordSize = kEntries * kEntryWidth;

  // The history in `folder` (the per-installation folder, ending in "/").
  // Without `writable` the file is only read: nothing is created, removed or
  // added.
  FolderHistory(FileSystem& fs, std::string folder, bool writable)
      : fs_(fs), path_(folder + std::string(kFileName)), writable_(writable) {}

  // Entry `k` (0 to 100), trimmed; "" when it is blank. A missing file, or
  // one of the wrong length, is written as one blank record first.
  std::string GetHistoryEntry(int k);
  // Entries k+1 to 100 move up one place and entry 100 becomes blank.
  void RemoveHistoryEntry(int k);
  // Moves `folder` to the front: when it is entry 0 already nothing changes;
  // when it is entry i, entries 0 to i-1 move down one place; otherwise all
  // move down and entry 100 is lost.
  void AddHistoryEntry(const std::string& folder);

  // True when `folder` can be kept in an entry exactly as it is.
  static bool CanRecord(std::string_view folder);

 private:
  // The record as stored, or a blank one (written when the file was not a
  // record, if the history may be written).
  std::string ReadRecord();
  void WriteRecord(const std::string& record);
  static std::string EntryOf(const std::string& record, int k);

  FileSystem& fs_;
  std::string path_;
  bool writable_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FOLDER_HISTORY_H_
