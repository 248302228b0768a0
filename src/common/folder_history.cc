#include "common/folder_history.h"

#include "common/text_field.h"

namespace zenkar {

bool FolderHistory::CanRecord(std::string_view folder) {
  if (folder.empty() || Trim(folder).size() != folder.size()) return false;
  const std::string stored = Utf8ToCp1252(folder);
  return stored.size() <= kEntryWidth && Cp1252ToUtf8(stored) == folder;
}

std::string FolderHistory::ReadRecord() {
  std::string record;
  if (fs_.FileExists(path_) && fs_.ReadFile(path_, &record).ok() && record.size() == kRecordSize) {
    return record;
  }
  record.assign(kRecordSize, ' ');
  WriteRecord(record);
  return record;
}

// A history that cannot be written is only a convenience lost: the folders
// still open, they are just not offered again.
void FolderHistory::WriteRecord(const std::string& record) {
  if (!writable_) return;
  if (Status s = WriteFileAtomically(fs_, path_, record); !s.ok()) return;
}

std::string FolderHistory::EntryOf(const std::string& record, int k) {
  return Cp1252ToUtf8(Trim(std::string_view(record).substr(k * kEntryWidth, kEntryWidth)));
}

std::string FolderHistory::GetHistoryEntry(int k) {
  if (k < 0 || k >= kEntries) return "";
  return EntryOf(ReadRecord(), k);
}

void FolderHistory::RemoveHistoryEntry(int k) {
  if (k < 0 || k >= kEntries) return;
  std::string record = ReadRecord();
  record.erase(k * kEntryWidth, kEntryWidth);
  record.append(kEntryWidth, ' ');
  WriteRecord(record);
}

void FolderHistory::AddHistoryEntry(const std::string& folder) {
  if (!CanRecord(folder)) return;
  std::string record = ReadRecord();
  int found = kEntries - 1;  // absent: the last entry is the one lost
  for (int k = 0; k < kEntries; ++k) {
    if (EntryOf(record, k) == folder) {
      found = k;
      break;
    }
  }
  if (found == 0) return;
  record.erase(found * kEntryWidth, kEntryWidth);
  record.insert(0, FitText(Utf8ToCp1252(folder), kEntryWidth));
  WriteRecord(record);
}

}  // namespace zenkar
