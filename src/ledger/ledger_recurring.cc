// The recurring-entry operations of the Ledger: reading and changing the
// templates of KXACCT.RJE, and posting a month of them into the books.
#include <algorithm>

#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/recurring_entries.h"

namespace zenkar {

// Reads the file whole ("" when there is none). A damaged file refuses the
// operation: neither its templates nor the numbers they hold can be used.
bool Ledger::ReadRecurringFile(std::string* recurring) {
  recurring->clear();
  const std::string path = FilePath(kRecurringFileName);
  if (!fs_.FileExists(path)) return true;
  if (Status s = fs_.ReadFile(path, recurring); !s.ok()) {
    ReportReadFailure(path, s);
    return false;
  }
  if (recurring->size() % kRecurringRecordLength != 0) {
    ui_.Error(InvalidFileMessage(path));
    return false;
  }
  return true;
}

bool Ledger::ReadRecurringEntries(std::vector<RecurringEntryRecord>* entries) {
  std::string bytes;
  if (!ReadRecurringFile(&bytes)) return false;
  *entries = DecodeRecurringEntries(bytes);
  return true;
}

bool Ledger::WriteRecurringEntries(const std::vector<RecurringEntryRecord>& entries) {
  const std::string path = FilePath(kRecurringFileName);
  if (Status s = WriteFileAtomically(fs_, path, EncodeRecurringEntries(entries)); !s.ok()) {
    ReportWriteFailure(path, s);
    return false;
  }
  return true;
}

// Finds the template the caller read as `as_read` in `entries` as they are
// now: at `number` when it is still there, else wherever another program
// moved it.
bool Ledger::FollowRecurringEntry(const std::vector<RecurringEntryRecord>& entries, int* number,
                                  const RecurringEntryRecord& as_read) {
  const std::string bytes = as_read.Encode();
  const auto same = [&](int n) { return entries[n - 1].Encode() == bytes; };
  const int count = static_cast<int>(entries.size());
  if (*number >= 1 && *number <= count && same(*number)) return true;
  for (int n = 1; n <= count; ++n) {
    if (same(n)) {
      *number = n;
      return true;
    }
  }
  ui_.Error(kRecurringEntryGone);
  return false;
}

// After the books were read again the payee number the caller chose may name
// another payee: the template's saved name finds it again.
bool Ledger::FollowRecurringPayee(const Change& change, RecurringEntryRecord* entry) {
  if (entry->payee_number == 0) return true;
  int number = entry->payee_number;
  if (!FollowPayee(change, entry->payee_name_1, &number)) return false;
  entry->payee_number = number;
  return true;
}

bool Ledger::AddRecurringEntry(const RecurringEntryRecord& entry_in) {
  Change change(*this);
  RecurringEntryRecord entry = entry_in;
  std::vector<RecurringEntryRecord> entries;
  if (!change.ok() || !FollowRecurringPayee(change, &entry) || !ReadRecurringEntries(&entries)) {
    return false;
  }
  entries.push_back(entry);
  return WriteRecurringEntries(entries);
}

bool Ledger::ReplaceRecurringEntry(int number, const RecurringEntryRecord& as_read,
                                   const RecurringEntryRecord& edited_in) {
  Change change(*this);
  RecurringEntryRecord edited = edited_in;
  std::vector<RecurringEntryRecord> entries;
  if (!change.ok() || !FollowRecurringPayee(change, &edited) || !ReadRecurringEntries(&entries) ||
      !FollowRecurringEntry(entries, &number, as_read)) {
    return false;
  }
  entries[number - 1] = edited;
  return WriteRecurringEntries(entries);
}

bool Ledger::DeleteRecurringEntry(int number, const RecurringEntryRecord& as_read) {
  Change change(*this);
  std::vector<RecurringEntryRecord> entries;
  if (!change.ok() || !ReadRecurringEntries(&entries) ||
      !FollowRecurringEntry(entries, &number, as_read)) {
    return false;
  }
  entries.erase(entries.begin() + (number - 1));
  return WriteRecurringEntries(entries);
}

// How many of `lines` the books already hold in the month they are dated in.
int Ledger::CountPostedAlready(const std::vector<TransactionRecord>& lines, bool* read) {
  const auto [first, last] = std::minmax_element(
      lines.begin(), lines.end(),
      [](const TransactionRecord& a, const TransactionRecord& b) { return a.date < b.date; });
  const DayNumber from = first->date, to = last->date;
  std::vector<bool> found(lines.size(), false);
  *read = ScanTransactionRecords([&](int, std::string_view record) {
    const DayNumber date = ReadTransactionFacts(record).date;
    if (date < from || date > to) return;
    const TransactionRecord line = TransactionRecord::Decode(record);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!found[i] && SamePostedLine(lines[i], line)) {
        found[i] = true;
        break;
      }
    }
  });
  return static_cast<int>(std::count(found.begin(), found.end(), true));
}

// Appends every line as one change: the transaction file with the lines at
// its end and the chart with their posted totals replace the old ones
// together, so a crash leaves all of the lines or none.
bool Ledger::AppendLines(std::vector<TransactionRecord> lines) {
  const int added = static_cast<int>(lines.size());
  for (int i = 0; i < added; ++i) {
    if (!CheckRoomFor(i == 0 ? added : 0, lines[i].amount)) return false;
  }
  if (!MakeRoomForEntrySequence() || !ReadWholeTransactionFile()) return false;
  const int count = transaction_count();
  std::vector<const TransactionRecord*> added_lines;
  for (int i = 0; i < added; ++i) {
    lines[i].record_number = count + 1 + i;
    lines[i].entry_sequence = last_entry_sequence_ + 1 + i;
    whole_file_ += lines[i].Encode();
    added_lines.push_back(&lines[i]);
  }
  if (!RewriteLines({}, added_lines)) return false;
  last_entry_sequence_ += added;
  CountLines(added_lines, +1);
  for (const TransactionRecord& line : lines) {
    Notify(LedgerChange::kTransactionAppended, line.record_number);
  }
  return true;
}

RecurringPosting Ledger::PostRecurringEntries(int year, int month) {
  if (!IsValidDate(year, month, 1)) {
    ui_.Error("There is no month " + std::to_string(month) + " of the year " +
              std::to_string(year) + " to post recurring entries for.");
    return RecurringPosting::kFailed;
  }
  Change change(*this);
  std::vector<RecurringEntryRecord> entries;
  if (!change.ok() || !ReadRecurringEntries(&entries)) return RecurringPosting::kFailed;
  if (entries.empty()) {
    ui_.Information(kNothingToPost);
    return RecurringPosting::kNothingToPost;
  }
  if (ValidateRecurringEntries(entries, chart_, payees_, settings_, ui_) > 0) {
    return RecurringPosting::kRefused;
  }
  std::vector<TransactionRecord> lines = RecurringLinesForMonth(entries, year, month, payees_);
  bool read = false;
  const int found = CountPostedAlready(lines, &read);
  if (!read) return RecurringPosting::kFailed;
  if (found > 0 && !ui_.YesNoDefaultNo(
                       AlreadyPostedQuestion(year, month, found, static_cast<int>(lines.size())))) {
    return RecurringPosting::kRefused;
  }
  if (!AppendLines(std::move(lines))) return RecurringPosting::kFailed;
  ui_.Information(kRecurringEntriesPosted);
  return RecurringPosting::kPosted;
}

}  // namespace zenkar
