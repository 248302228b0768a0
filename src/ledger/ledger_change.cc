// Changes of the books when other programs may have the same data folder
// open: each change holds the folder's "writing" lock, first makes sure the
// books in memory are the books on disk, and leaves a note (the folder's
// change counters and the files' stamps) by which the next change, here or in
// another program, knows whether anything happened since.
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/ledger_books.h"

namespace zenkar {

bool Ledger::BeginChange(bool reread_books, bool* reread) {
  *reread = false;
  if (!is_loaded()) return false;
  if (access_ == Access::kReadOnly) {
    ui_.Error(kOpenedForReading);
    return false;
  }
  if (change_depth_ > 0) {
    ++change_depth_;
    return true;
  }
  for (;;) {
    if (Status s = folder_lock_.BeginChange(); !s.ok()) {
      ui_.Error("Error locking the data folder " + Utf8ToCp1252(data_folder_) + "\n\n" +
                s.message());
      return false;
    }
    MergeSettingsFromDisk();
    if (!reread_books || !FilesChangedElsewhere()) break;
    *reread = true;
    const bool read = Reread();
    folder_lock_.End();
    if (!read) return false;
    // Said with the folder free again: the user may take a while to answer,
    // and the change itself starts over with the lock taken afresh.
    ui_.Information(kBooksReread);
  }
  change_depth_ = 1;
  books_in_step_ = reread_books;
  wrote_in_place_ = false;
  return true;
}

void Ledger::EndChange() {
  if (--change_depth_ > 0) return;
  NoteOwnWrites(stamps_, books_in_step_);
  folder_lock_.End();
}

void Ledger::NoteOwnWrites(const FileStamps& before, bool books_in_step) {
  const FileStamps now = CurrentStamps();
  const bool books = books_in_step &&
                     (wrote_in_place_ || !(now.chart == before.chart) ||
                      !(now.payees == before.payees) || !(now.transactions == before.transactions));
  const FolderLock::Generations counts =
      folder_lock_.Advance(books, !(now.settings == before.settings));
  generations_.settings = counts.settings;
  stamps_.settings = now.settings;
  if (books_in_step) {
    generations_.books = counts.books;
    stamps_.chart = now.chart;
    stamps_.payees = now.payees;
    stamps_.transactions = now.transactions;
  }
  wrote_in_place_ = false;
}

// A file that cannot be examined keeps an empty stamp, which differs from
// any real one: the books are then read again, and that read reports what
// is wrong with the file.
Ledger::FileStamps Ledger::CurrentStamps() {
  FileStamps stamps;
  (void)fs_.StampOf(FilePath(CompanySettings::kFileName), &stamps.settings);
  (void)fs_.StampOf(FilePath(AccountRecord::kFileName), &stamps.chart);
  (void)fs_.StampOf(FilePath(PayeeRecord::kFileName), &stamps.payees);
  (void)fs_.StampOf(FilePath(kTransactionFileName), &stamps.transactions);
  return stamps;
}

// The folder's counters say whether one of our programs changed the books;
// the stamps catch any other program (a restore by hand, say).
bool Ledger::FilesChangedElsewhere() {
  if (folder_lock_.ReadGenerations().books != generations_.books) return true;
  // A change another program left half made is finished before anything
  // else is written, lest its journal later rename old files over new ones.
  if (fs_.FileExists(data_folder_ + std::string(FileSetRewrite::kJournalFileName))) return true;
  const FileStamps now = CurrentStamps();
  return !(now.chart == stamps_.chart) || !(now.payees == stamps_.payees) ||
         !(now.transactions == stamps_.transactions);
}

// Settings another program saved are taken in without a word: the fields
// changed here and not saved yet keep their values here.
void Ledger::MergeSettingsFromDisk() {
  const std::string path = FilePath(CompanySettings::kFileName);
  FileStamp now;
  const bool counted = folder_lock_.ReadGenerations().settings != generations_.settings;
  if (!fs_.StampOf(path, &now).ok() || (!counted && now == stamps_.settings)) return;
  std::string theirs;
  // A record that cannot be read whole is left to the next save to replace.
  if (!fs_.ReadFile(path, &theirs).ok() || theirs.size() != CompanySettings::kSize) return;
  const std::string merged = MergeSettingsRecords(settings_.raw, settings_.Encode(), theirs);
  CompanySettings next = CompanySettings::Decode(merged);
  next.raw = theirs;
  settings_ = std::move(next);
  stamps_.settings = now;
  generations_.settings = folder_lock_.ReadGenerations().settings;
  Notify(LedgerChange::kSettingsChanged);
}

// Reads the chart, the payees and the transactions again as the load does
// (without its questions and without sorting), repairs what the load would,
// and takes them. The settings are merged as above. On failure (reported)
// the books in memory are as they were.
bool Ledger::Reread() {
  const FileStamps before = CurrentStamps();
  if (!FinishInterruptedChange()) return false;
  Books books;
  if (!ReadBooks(Reading::kReread, &books) || !SettleBooks(&books)) return false;
  const std::string merged =
      MergeSettingsRecords(settings_.raw, settings_.Encode(), books.settings.raw);
  const std::string theirs = books.settings.raw;
  books.settings = CompanySettings::Decode(merged);
  books.settings.raw = theirs;
  Adopt(std::move(books));
  generations_ = folder_lock_.ReadGenerations();
  NoteOwnWrites(before, /*books_in_step=*/true);
  Notify(LedgerChange::kBooksReread);
  return true;
}

// The entry sequence of line `number` as the open file holds it (0 when it
// has none or cannot be read): what finds the line again after a reread.
int32_t Ledger::SequenceOfLine(int number) {
  std::string record;
  if (!transactions_ || !transactions_->Read(number, &record).ok()) return 0;
  return ReadTransactionFacts(record).entry_sequence;
}

bool Ledger::FollowLine(const Change& change, int32_t sequence, int* number) {
  if (!change.reread()) return true;
  int found = 0;
  if (sequence > 0 && !ScanTransactionRecords([&](int n, std::string_view record) {
        if (ReadTransactionFacts(record).entry_sequence == sequence) found = n;
      })) {
    return false;  // reported
  }
  if (found == 0) {
    ui_.Error(kEntryGone);
    return false;
  }
  *number = found;
  return true;
}

bool Ledger::FollowAccount(const Change& change, const std::string& account_number,
                           int* record_number) {
  if (!change.reread()) return true;
  const int found = chart_.FindAccount(account_number);
  if (found == 0) {
    ui_.Error(kAccountGone);
    return false;
  }
  *record_number = found;
  return true;
}

bool Ledger::FollowPayee(const Change& change, const std::string& name, int* number) {
  if (!change.reread()) return true;
  const int found = payees_.FindPayeeByName(name);
  if (found == 0) {
    ui_.Error(kPayeeGone);
    return false;
  }
  *number = found;
  return true;
}

}  // namespace zenkar
