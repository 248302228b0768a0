// The bank-reconciliation operations of the Ledger: the outstanding marks of
// KXACCT.REC and the statement's values in the settings, saved together.
#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

bool IsWholeFile(std::string_view bytes) { return bytes.size() % kReconciliationRecordLength == 0; }

}  // namespace

std::vector<ReconciliationItem> Ledger::SavedReconciliation() const {
  const std::string path = FilePath(kReconciliationFileName);
  std::string bytes;
  if (!fs_.FileExists(path) || !fs_.ReadFile(path, &bytes).ok() || !IsWholeFile(bytes)) return {};
  return DecodeReconciliationItems(bytes);
}

std::optional<std::vector<ReconciliationItem>> Ledger::SaveReconciliation(
    const std::vector<ReconciliationItem>& base,
    const std::vector<ReconciliationItem>& outstanding) {
  Change change(*this, /*reread_books=*/false);
  if (!change.ok()) return std::nullopt;
  const std::string path = FilePath(kReconciliationFileName);
  const bool exists = fs_.FileExists(path);
  std::string on_disk;
  const bool readable = exists && fs_.ReadFile(path, &on_disk).ok() && IsWholeFile(on_disk);
  std::vector<ReconciliationItem> marks = outstanding;
  if (readable && on_disk != EncodeReconciliationItems(base)) {
    marks = MergeOutstandingMarks(base, outstanding, DecodeReconciliationItems(on_disk));
  }
  const std::string marks_file = EncodeReconciliationItems(marks);
  const std::string settings = settings_.Encode();
  FileSetRewrite files(fs_);
  if (!exists && !marks_file.empty()) files.AddNew(path, marks_file);
  if (exists && (!readable || marks_file != on_disk)) files.Add(path, marks_file, on_disk);
  if (settings != settings_.raw) {
    files.Add(FilePath(CompanySettings::kFileName), settings, settings_.raw);
  }
  if (!files.empty() && !CommitFiles(files)) return std::nullopt;
  settings_.raw = settings;
  return marks;
}

}  // namespace zenkar
