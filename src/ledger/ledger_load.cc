// Loading a data folder's books in two steps. First every file is read and
// checked and the load decides what it must change: the settings (a new
// company, or an older layout brought up to date), the transaction file (out
// of the order the settings choose), the chart (none yet, or unsorted, or
// posted totals that drifted from their entries) and the payees (none yet).
// Only when every file was found sound is anything written, so a folder the
// load refuses is left exactly as it was. A program that opened the books
// for reading only keeps what the load decided in memory.
#include <algorithm>
#include <optional>
#include <unordered_set>

#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/ledger_books.h"

namespace zenkar {

namespace {

// The one account of a chart made from nothing; it is also the bank account
// a new company's settings name.
constexpr std::string_view kStarterAccountNumber = "110";
constexpr std::string_view kStarterAccountDescription = "Checking Account";

// How many repaired accounts the consistency pass names before it summarises.
constexpr size_t kRepairsNamed = 20;

constexpr std::string_view kCorrectedTotals =
    "The posted totals of these accounts did not agree with their entries and have been "
    "corrected:\n";
constexpr std::string_view kDisagreeingTotals =
    "The posted totals of these accounts do not agree with their entries. The books were opened "
    "for reading only: the totals of the entries are used here, and no file was changed:\n";

// A stored amount beyond any an entry can reach: the record is damaged, and
// adding it up would give no meaningful figure.
std::string DamagedAmountMessage(const std::string& path, int record) {
  return "Damaged data in " + Utf8ToCp1252(path) + ":\nrecord " + std::to_string(record) +
         " holds an amount beyond " + kLargestAmount.ToStringWithCommas() +
         ", which no entry can reach. Restore the file from a backup. The file was not changed.";
}

std::string InvalidChartMessage(const std::string& path) {
  return "Invalid COA: the chart of accounts file\n" + Utf8ToCp1252(path) +
         "\nis not a whole number of accounts and cannot be used. Restore it from a backup. "
         "The file was not changed.";
}

bool IsWholeChart(const std::string& bytes) {
  return !bytes.empty() && bytes.size() % AccountRecord::kSize == 0;
}

std::string RepairNote(const AccountRecord& account, Money was) {
  return "  " + EscapeControls(account.Label()) + ": " + account.posted_total.ToStringWithCommas() +
         " (was " + was.ToStringWithCommas() + ")";
}

ChartOfAccounts StarterChart() {
  AccountRecord starter;
  starter.number = std::string(kStarterAccountNumber);
  starter.description = std::string(kStarterAccountDescription);
  starter.type = kAssets;
  starter.total_level = 1;
  starter.title_type = kEntryAccount;
  return ChartOfAccounts({starter});
}

// The default chart a folder without a chart gets: the program folder's
// KXACCTCOA.DAT (to be copied into the data folder, replacing an older copy),
// else the copy the data folder holds; empty when there is neither.
std::string DefaultChartOf(FileSystem& fs, const std::string& program_folder,
                           const std::string& data_folder, std::string* copy) {
  const std::string name(AccountRecord::kDefaultChartFileName);
  std::string chart;
  if (!program_folder.empty() && program_folder != data_folder) {
    const std::string shipped = DataFilePath(fs, program_folder, name);
    if (fs.FileExists(shipped) && fs.ReadFile(shipped, &chart).ok() && IsWholeChart(chart)) {
      *copy = chart;
      return chart;
    }
  }
  const std::string local = DataFilePath(fs, data_folder, name);
  if (fs.FileExists(local) && fs.ReadFile(local, &chart).ok() && IsWholeChart(chart)) {
    return chart;
  }
  return "";
}

}  // namespace

bool Ledger::ReadBooks(Reading reading, Books* books) {
  if (!ReadSettings(reading, books) || !ReadChart(books) || !ReadPayees(books) ||
      !ReadTransactions(reading, books)) {
    return false;
  }
  FindDriftedTotals(books);
  return true;
}

// A missing or empty settings file makes a new company. A file of the wrong
// length, or the user declining data of a later program, refuses the load.
bool Ledger::ReadSettings(Reading reading, Books* books) {
  const std::string path = FilePath(CompanySettings::kFileName);
  std::string record;
  if (fs_.FileExists(path)) {
    if (Status s = fs_.ReadFile(path, &record); !s.ok()) {
      ReportReadFailure(path, s);
      return false;
    }
  }
  if (record.empty() && reading == Reading::kLoad) {
    books->settings = CompanySettings();
    NewCompanySettings(books->settings);
    books->new_company = true;
    return true;
  }
  if (record.size() != CompanySettings::kSize) {
    ui_.Error("Invalid settings file:\n" + Utf8ToCp1252(path) + "\nIt is " +
              std::to_string(record.size()) +
              " bytes long instead of 4800. The file was not changed.");
    return false;
  }
  books->settings = CompanySettings::Decode(record);
  return reading == Reading::kReread ||
         ApplyVersionRules(books->settings, &books->settings_upgraded);
}

// One pass over the file checks the order and sums the figures. Only when
// the lines are out of the order the settings choose (or lack entry
// sequences) is the file read whole and arranged in memory.
bool Ledger::ReadTransactions(Reading reading, Books* books) {
  const std::string path = FilePath(kTransactionFileName);
  if (!fs_.FileExists(path)) {
    if (access_ != Access::kReadOnly) return true;  // made when the books are settled
    ui_.Error("Error opening " + Utf8ToCp1252(path) + "\n\nThe file does not exist.");
    return false;
  }
  std::unique_ptr<TransactionFile> file;
  if (Status s = TransactionFile::Open(fs_, path, TransactionFile::Mode::kReadOnly, &file);
      !s.ok()) {
    if (s.code() == Status::Code::kInvalidFile) damaged_file_ = kDamagedTransactions;
    ui_.Error(s.code() == Status::Code::kInvalidFile
                  ? s.message()
                  : "Error opening " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  const int count = file->count();
  if (count + books->chart.count() > kMostLinesAndAccounts) {
    ui_.Error("The books in " + Utf8ToCp1252(data_folder_) + " hold " + std::to_string(count) +
              " transactions and " + std::to_string(books->chart.count()) +
              " accounts, more than this program can add up (" +
              std::to_string(kMostLinesAndAccounts) + " in all). The files were not changed.");
    return false;
  }
  ui_.SetProgress("Sorting " + std::to_string(count) + " Entries ", 0, count);
  const TransactionOrder order = OrderOf(books->settings);
  const bool in_entry_order = order == TransactionOrder::kEntry;
  ArrangementCheck arrangement(order, in_entry_order, static_cast<size_t>(count));
  int damaged = 0;
  books->figures.Reserve(count);
  FileStamp stamp;
  Status status = file->Stamp(&stamp);
  // The order check, the figures and the consistency sums in one loop.
  LineTotals totals;
  if (status.ok()) {
    status = file->ScanBlocks([&](int number, std::string_view records) {
      for (size_t at = 0; at < records.size(); at += kTransactionRecordLength, ++number) {
        const TransactionFacts facts =
            ReadTransactionFacts(records.substr(at, kTransactionRecordLength));
        arrangement.Add({facts.date, facts.entry_sequence});
        if (!WithinLargestAmount(facts.amount)) {
          if (damaged == 0) damaged = number;
          continue;
        }
        const FigureCell& cell = books->figures.Add(number, facts);
        if (cell.kind != 0) totals.AddPackedSum(cell.kind, cell.account, cell.amount);
      }
    });
  }
  if (!status.ok() || damaged != 0) {
    ui_.ClearProgress();
    if (!status.ok()) {
      ReportReadFailure(path, status);
    } else {
      damaged_file_ = kDamagedTransactions;
      ui_.Error(DamagedAmountMessage(path, damaged));
    }
    return false;
  }
  books->totals = std::move(totals);
  books->last_entry_sequence = std::max(books->last_entry_sequence, arrangement.highest_sequence());
  if (reading == Reading::kLoad && !arrangement.Arranged()) {
    books->figures_stamp.reset();  // the figures name lines by their places
    std::string whole = std::move(whole_file_);
    whole.reserve(static_cast<size_t>(count + 64) * kTransactionRecordLength);
    if (Status s = file->ReadAll(&whole); !s.ok()) {
      ui_.ClearProgress();
      ReportReadFailure(path, s);
      return false;
    }
    books->arranged_last_sequence = ArrangeTransactions(whole, order, in_entry_order);
    books->arranged = std::move(whole);
  } else {
    books->figures_stamp = stamp;
  }
  ui_.ClearProgress();
  books->transactions = std::move(file);
  return true;
}

// A folder without a chart, or with a single account (a company never set
// up), gets the default chart; with none at all, a starter chart of one
// account. A damaged file refuses the load ("Invalid COA").
bool Ledger::ReadChart(Books* books) {
  const std::string path = FilePath(AccountRecord::kFileName);
  int records = 0;
  if (fs_.FileExists(path)) {
    std::string bytes;
    if (Status s = fs_.ReadFile(path, &bytes); !s.ok()) {
      ReportReadFailure(path, s);
      return false;
    }
    if (bytes.size() % AccountRecord::kSize != 0) {
      damaged_file_ = kDamagedChart;
      ui_.Error(InvalidChartMessage(path));
      return false;
    }
    books->chart = ChartOfAccounts::Decode(bytes);
    books->chart_as_read = books->chart;
    records = books->chart.count();
    for (int n = 1; n <= records; ++n) {
      if (!WithinLargestAmount(books->chart.account(n).balance_forward)) {
        damaged_file_ = kDamagedChart;
        ui_.Error(DamagedAmountMessage(path, n));
        return false;
      }
    }
  }
  if (records <= 1) {
    const std::string defaults =
        DefaultChartOf(fs_, program_folder_, data_folder_, &books->default_chart_copy);
    const bool exists = books->chart_as_read.has_value();
    const size_t enough = exists ? 2 : 1;
    if (exists && records == 0) {
      books->chart = StarterChart();
    } else if (defaults.size() / AccountRecord::kSize >= enough) {
      books->chart = ChartOfAccounts::Decode(defaults);
    } else {
      books->chart = StarterChart();
    }
    books->chart_changed = true;
  }
  if (!books->chart.IsSorted()) {
    books->chart.Sort();
    books->chart_changed = true;
  }
  return true;
}

// The payee list never has zero records: an empty file gets one blank payee.
bool Ledger::ReadPayees(Books* books) {
  const std::string path = FilePath(PayeeRecord::kFileName);
  std::vector<std::string> records;
  if (Status s = LoadAll(fs_, path, PayeeRecord::kSize, &records); !s.ok()) {
    if (s.code() == Status::Code::kInvalidFile) {
      damaged_file_ = kDamagedPayees;
      ui_.Error(s.message());
    } else {
      ReportReadFailure(path, s);
    }
    return false;
  }
  std::vector<PayeeRecord> payees;
  payees.reserve(records.size());
  for (const std::string& record : records) payees.push_back(PayeeRecord::Decode(record));
  if (payees.empty()) {
    payees.push_back(PayeeRecord());
    books->payees_changed = true;
  }
  books->payees = PayeeList(std::move(payees));
  return true;
}

// The consistency pass: every posted total must equal the sum of the lines
// that name its account.
void Ledger::FindDriftedTotals(Books* books) {
  std::unordered_set<std::string> seen;
  ChartOfAccounts& chart = books->chart;
  for (int n = 1; n <= chart.count(); ++n) {
    AccountRecord& account = chart.mutable_account(n);
    // Lines post to the first account of a number, as FindAccount finds it.
    const Money expected =
        seen.insert(account.number).second ? books->totals.PostedTo(account.number) : Money();
    if (account.posted_total == expected) continue;
    const Money was = account.posted_total;
    account.posted_total = expected;
    books->drifted_totals.push_back(RepairNote(account, was));
    books->chart_changed = true;
  }
}

// Writes what the load decided, in the order that leaves a usable folder
// after any failure: the settings, the chart, the payees, the transaction
// file. Files the books cannot do without failing to be made refuses the
// load; a sort or a repair that cannot be saved leaves the file as it was.
bool Ledger::SettleBooks(Books* books) {
  if (!TestOpen(CompanySettings::kFileName) || !TestOpen(kTransactionFileName)) return false;
  if (books->new_company) {
    if (!WriteSettings(books->settings)) return false;
    books->settings.raw = books->settings.Encode();
    RunFirstTimeSetup();
  } else if (books->settings_upgraded && WriteSettings(books->settings)) {
    books->settings.raw = books->settings.Encode();
  }
  if (!SettleChart(books)) return false;
  if (books->payees_changed && !WritePayeeList(books->payees)) return false;
  std::unique_ptr<TransactionFile> file;
  const std::string path = FilePath(kTransactionFileName);
  if (Status s = TransactionFile::Open(fs_, path, TransactionFile::Mode::kReadWrite, &file);
      !s.ok()) {
    ui_.Error(s.code() == Status::Code::kInvalidFile
                  ? s.message()
                  : "Error opening " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  books->transactions = std::move(file);
  SettleOrder(books);
  ReportDriftedTotals(*books);
  return true;
}

bool Ledger::SettleChart(Books* books) {
  // The data folder's copy of the default chart only spares reading the
  // program folder's next time; without it the books are just as whole.
  if (!books->default_chart_copy.empty()) {
    (void)WriteFileAtomically(fs_, FilePath(AccountRecord::kDefaultChartFileName),
                              books->default_chart_copy);
  }
  if (!books->chart_changed || WriteChartFile(books->chart)) return true;
  // Only repaired totals can wait for the next load; a chart that had to be
  // made or sorted cannot be used unsaved.
  const std::optional<ChartOfAccounts>& as_read = books->chart_as_read;
  if (!as_read || as_read->count() != books->chart.count() || !as_read->IsSorted()) return false;
  books->chart = *as_read;
  books->drifted_totals.clear();
  return true;
}

// A file that cannot be rearranged is still whole; it is used as it is.
void Ledger::SettleOrder(Books* books) {
  if (!books->arranged) return;
  ui_.SetProgress("Sorting " + std::to_string(books->transactions->count()) + " Entries ", 0, 0);
  if (Status s = books->transactions->Replace(*books->arranged); s.ok()) {
    books->last_entry_sequence = books->arranged_last_sequence;
  } else {
    ReportWriteFailure(books->transactions->path(), s);
  }
  ui_.ClearProgress();
  whole_file_ = std::move(*books->arranged);  // keeps the buffer for later rewrites
  books->arranged.reset();
}

void Ledger::ReportDriftedTotals(const Books& books) {
  if (books.drifted_totals.empty()) return;
  std::string text(access_ == Access::kReadOnly ? kDisagreeingTotals : kCorrectedTotals);
  const std::vector<std::string>& notes = books.drifted_totals;
  for (size_t i = 0; i < notes.size() && i < kRepairsNamed; ++i) text += "\n" + notes[i];
  if (notes.size() > kRepairsNamed) {
    text += "\n  and " + std::to_string(notes.size() - kRepairsNamed) + " more";
  }
  ui_.Information(text, "Testing: ");
}

// Takes what the load read (and settled) as the books in memory. Opened for
// reading, the transactions are served in the arranged order when the file
// on disk is out of it.
void Ledger::Adopt(Books&& books) {
  if (access_ == Access::kReadOnly) {
    ReportDriftedTotals(books);
    if (books.arranged) {
      books.transactions->ServeFromMemory(std::move(*books.arranged));
      books.last_entry_sequence = books.arranged_last_sequence;
    }
  }
  settings_ = std::move(books.settings);
  chart_ = std::move(books.chart);
  payees_ = std::move(books.payees);
  summary_ = books.totals.summary;
  last_entry_sequence_ = books.last_entry_sequence;
  transactions_ = std::move(books.transactions);
  figures_ = std::move(books.figures);
  FileStamp now;
  const bool figures_follow = books.figures_stamp && transactions_ &&
                              transactions_->Stamp(&now).ok() && now == *books.figures_stamp;
  figures_revision_ = figures_follow ? transactions_->revision() : 0;
  figures_stamp_ = now;
}

bool Ledger::WriteChartFile(const ChartOfAccounts& chart) {
  const std::string path = FilePath(AccountRecord::kFileName);
  if (Status s = WriteFileAtomically(fs_, path, chart.Encode()); !s.ok()) {
    ReportWriteFailure(path, s);
    return false;
  }
  return true;
}

}  // namespace zenkar
