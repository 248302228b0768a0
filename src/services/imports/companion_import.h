// What the two imports from the companion programs share: how they speak
// (silently at start-up, every problem reported when the user asked), how
// they find out that the companion program is closed, the version rule, the
// companion's record files, and the report at the end.
//
// The imports only ever change the books through the Ledger: the new lines
// and the companion file with its imported flags go into the data folder as
// one change (Ledger::ChangeLinesWithFiles), under the folder's writing
// lock, while the companion program's settings file is held with an
// exclusive lock, so neither program can change what the other reads.
#ifndef ZENKAR_SERVICES_IMPORTS_COMPANION_IMPORT_H_
#define ZENKAR_SERVICES_IMPORTS_COMPANION_IMPORT_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/record_file.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "output/print_job.h"

namespace zenkar {

enum class ImportMode {
  kStartUp,      // run by the program as it starts: a problem ends it quietly
  kInteractive,  // the user's button or command: every problem is reported
};

enum class ImportOutcome {
  kImported,    // lines went into the books
  kNothingNew,  // the companion's files hold nothing new (or none are there)
  kStopped,     // a check failed, or the books could not be written
  kCanceled,    // the user said no
};

// Opens a print job on the program's output for the import report and
// returns what `write` returned: the printer when one is installed,
// otherwise a PDF document (kxacct), or the document named on kxbatch's
// command line.
using ReportOutput = std::function<bool(const std::function<bool(PrintJob&)>& write)>;

struct ImportEnvironment {
  Ledger& ledger;  // loaded, and allowed to write
  const DatePatterns& dates;
  ReportOutput print_report;
};

// The messages of one import run: shown in interactive mode, kept quiet at
// start-up.
class ImportVoice {
 public:
  ImportVoice(Ui& ui, ImportMode mode) : ui_(ui), mode_(mode) {}
  bool interactive() const { return mode_ == ImportMode::kInteractive; }
  Ui& ui() { return ui_; }
  // Says `text` when interactive; returns `outcome` so a check can end with
  // `return voice.Stop(...)`.
  ImportOutcome Stop(std::string_view text, ImportOutcome outcome = ImportOutcome::kStopped);
  void Information(std::string_view text);

 private:
  Ui& ui_;
  ImportMode mode_;
};

// "To share data, Zenkar Accounting and " + companion + " must be the same
// version."
std::string SameVersionMessage(std::string_view companion);

// A companion program's record file of `record_length`-byte records, read
// whole. Missing: kNotFound; a length that is not a whole number of records:
// kInvalidFile.
template <typename Record>
Status LoadCompanionRecords(FileSystem& fs, const std::string& path, std::vector<Record>* records) {
  std::vector<std::string> raw;
  if (Status s = LoadAll(fs, path, Record::kSize, &raw); !s.ok()) return s;
  records->clear();
  for (const std::string& bytes : raw) records->push_back(Record::Decode(bytes));
  return Status::Ok();
}

// The records encoded again one after another: the companion file as it is
// written back.
template <typename Record>
std::string EncodeCompanionRecords(const std::vector<Record>& records) {
  std::string bytes;
  bytes.reserve(records.size() * Record::kSize);
  for (const Record& record : records) bytes += record.Encode();
  return bytes;
}

// Loads a companion record file for an import; when it cannot, says
// `invalid` (a length that is not a whole number of records) or the read
// error, and returns false.
template <typename Record>
bool LoadOrSay(ImportVoice& voice, FileSystem& fs, const std::string& path,
               std::string_view invalid, std::vector<Record>* records) {
  const Status s = LoadCompanionRecords(fs, path, records);
  if (s.ok()) return true;
  voice.Stop(s.code() == Status::Code::kInvalidFile ? std::string(invalid)
                                                    : "Error reading " + s.message());
  return false;
}

// A journal line an import makes: dated `date`, with `reference`.
TransactionRecord ImportJournalLine(std::string_view description, std::string_view account,
                                    DayNumber date, Money amount, std::string_view reference);

// The companion program's settings file, opened exclusively: kInUse while
// the program runs (it holds the same lock), kNotFound when it is missing.
// The file's bytes are read into `bytes` (whole; its length is not checked
// here). `hold` keeps the lock until it is destroyed.
Status HoldCompanionSettings(FileSystem& fs, const std::string& path,
                             std::unique_ptr<RandomAccessFile>* hold, std::string* bytes);

// The amount of record `number` of `file_name` is beyond what the books may
// hold: the data is damaged.
std::string DamagedAmountMessage(std::string_view file_name, int number);
// The amounts of one import add up to more than an entry may hold.
std::string TotalTooLargeMessage();
// Adds `amount` to `total`; false (and `total` unchanged) when the sum would
// pass the largest amount an entry may hold. With both within that bound the
// sum cannot overflow.
bool AddWithinLargest(Money amount, Money* total);

// The report of an import, through the environment's output.
void PrintImportReport(ImportEnvironment& env, const std::function<bool(PrintJob&)>& write);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_IMPORTS_COMPANION_IMPORT_H_
