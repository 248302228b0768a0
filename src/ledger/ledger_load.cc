// Loading a data folder's books: the transaction file put in order, the chart
// of accounts (with the default chart for a new company), the payees, and the
// consistency pass that keeps every posted total equal to its lines.
#include <algorithm>
#include <unordered_set>

#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

// The one account of a chart made from nothing; it is also the bank account
// a new company's settings name.
constexpr std::string_view kStarterAccountNumber = "110";
constexpr std::string_view kStarterAccountDescription = "Checking Account";

// How many repaired accounts the consistency pass names before it summarises.
constexpr size_t kRepairsNamed = 20;

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

}  // namespace

// One pass over the file gathers the sort keys and the line totals. Only when
// the lines are out of the order the settings choose (or lack entry
// sequences) is the file read whole, arranged and replaced.
bool Ledger::PrepareTransactions(LineTotals* totals) {
  const int count = transaction_count();
  ui_.SetProgress("Sorting " + std::to_string(count) + " Entries ", 0, count);
  std::vector<LineOrderKey> keys;
  keys.reserve(static_cast<size_t>(count));
  Status status = transactions_->Scan([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    keys.push_back({facts.date, facts.entry_sequence});
    totals->Add(facts);
  });
  if (!status.ok()) {
    ui_.ClearProgress();
    ui_.Error("Error reading " + transactions_->path() + "\n\n" + status.message());
    return false;
  }
  for (const LineOrderKey& key : keys) {
    last_entry_sequence_ = std::max(last_entry_sequence_, key.sequence);
  }
  const TransactionOrder order = transaction_order();
  const bool in_entry_order = order == TransactionOrder::kEntry;
  if (!IsArranged(keys, order, in_entry_order)) {
    // A file that cannot be rearranged is still whole; it is used as it is.
    if (ReadWholeTransactionFile()) {
      const int32_t last = ArrangeTransactions(whole_file_, order, in_entry_order);
      if (ReplaceTransactionFile(whole_file_)) last_entry_sequence_ = last;
    }
  }
  ui_.ClearProgress();
  return true;
}

bool Ledger::ReadChartFile(const std::string& path, int* records) {
  std::string bytes;
  if (Status s = fs_.ReadFile(path, &bytes); !s.ok()) {
    ui_.Error("Error reading " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  if (bytes.size() % AccountRecord::kSize != 0) {
    ui_.Error(InvalidChartMessage(path));
    return false;
  }
  chart_ = ChartOfAccounts::Decode(bytes);
  *records = chart_.count();
  return true;
}

bool Ledger::WriteChartFile(const ChartOfAccounts& chart) {
  const std::string path = FilePath(AccountRecord::kFileName);
  if (Status s = WriteFileAtomically(fs_, path, chart.Encode()); !s.ok()) {
    ReportWriteFailure(path, s);
    return false;
  }
  return true;
}

bool Ledger::InstallDefaultChart() {
  const std::string name(AccountRecord::kDefaultChartFileName);
  const std::string local = FilePath(name);
  if (!program_folder_.empty() && program_folder_ != data_folder_) {
    std::string shipped;
    const std::string source = DataFilePath(fs_, program_folder_, name);
    if (fs_.FileExists(source) && fs_.ReadFile(source, &shipped).ok() && IsWholeChart(shipped)) {
      WriteFileAtomically(fs_, local, shipped);  // an older copy is replaced
    }
  }
  const std::string chart_path = FilePath(AccountRecord::kFileName);
  std::string chart;
  if (!fs_.FileExists(chart_path) && fs_.FileExists(local) && fs_.ReadFile(local, &chart).ok() &&
      IsWholeChart(chart)) {
    if (Status s = WriteFileAtomically(fs_, chart_path, chart); !s.ok()) {
      ReportWriteFailure(chart_path, s);
    }
  }
  return fs_.FileExists(chart_path);
}

bool Ledger::CreateStarterChart() {
  AccountRecord starter;
  starter.number = std::string(kStarterAccountNumber);
  starter.description = std::string(kStarterAccountDescription);
  starter.type = kAssets;
  starter.total_level = 1;
  starter.title_type = kEntryAccount;
  ChartOfAccounts chart({starter});
  if (!WriteChartFile(chart)) return false;
  chart_ = std::move(chart);
  return true;
}

bool Ledger::LoadChart() {
  std::string path = FilePath(AccountRecord::kFileName);
  if (!fs_.FileExists(path) && !InstallDefaultChart()) return CreateStarterChart();
  int records = 0;
  if (!ReadChartFile(FilePath(AccountRecord::kFileName), &records)) return false;
  if (records == 1) {
    // A single account means the company was never set up: the default chart
    // takes its place. The installed copy replaces the file in one step.
    const std::string copy = FilePath(AccountRecord::kDefaultChartFileName);
    std::string chart;
    InstallDefaultChart();
    if (!fs_.ReadFile(copy, &chart).ok() || chart.size() / AccountRecord::kSize < 2 ||
        !IsWholeChart(chart)) {
      return CreateStarterChart();
    }
    path = FilePath(AccountRecord::kFileName);
    if (Status s = WriteFileAtomically(fs_, path, chart); !s.ok()) {
      ReportWriteFailure(path, s);
      return false;
    }
    if (!ReadChartFile(path, &records)) return false;
  }
  if (records == 0) return CreateStarterChart();
  return chart_.IsSorted() || SortAndSaveChart();
}

bool Ledger::LoadPayees() {
  const std::string path = FilePath(PayeeRecord::kFileName);
  std::vector<std::string> records;
  if (Status s = LoadAll(fs_, path, PayeeRecord::kSize, &records); !s.ok()) {
    ui_.Error(s.code() == Status::Code::kInvalidFile
                  ? s.message()
                  : "Error reading " + Utf8ToCp1252(path) + "\n\n" + s.message());
    return false;
  }
  std::vector<PayeeRecord> payees;
  payees.reserve(records.size());
  for (const std::string& record : records) payees.push_back(PayeeRecord::Decode(record));
  if (!payees.empty()) {
    payees_ = PayeeList(std::move(payees));
    return true;
  }
  // The payee list never has zero records: an empty file gets one blank payee.
  PayeeList blank({PayeeRecord()});
  if (!WritePayeeList(blank)) return false;
  payees_ = std::move(blank);
  return true;
}

void Ledger::RepairPostedTotals(const LineTotals& totals) {
  ui_.SetProgress("Testing: ", 0, chart_.count());
  ChartOfAccounts repaired = chart_;
  std::vector<std::string> notes;
  std::unordered_set<std::string> seen;
  for (int n = 1; n <= repaired.count(); ++n) {
    AccountRecord& account = repaired.mutable_account(n);
    // Lines post to the first account of a number, as FindAccount finds it.
    const Money expected =
        seen.insert(account.number).second ? totals.PostedTo(account.number) : Money();
    if (account.posted_total == expected) continue;
    const Money was = account.posted_total;
    account.posted_total = expected;
    notes.push_back(RepairNote(account, was));
  }
  ui_.ClearProgress();
  if (notes.empty() || !WriteChartFile(repaired)) return;
  chart_ = std::move(repaired);
  std::string text =
      "The posted totals of these accounts did not agree with their entries and have been "
      "corrected:\n";
  for (size_t i = 0; i < notes.size() && i < kRepairsNamed; ++i) text += "\n" + notes[i];
  if (notes.size() > kRepairsNamed) {
    text += "\n  and " + std::to_string(notes.size() - kRepairsNamed) + " more";
  }
  ui_.Information(text, "Testing: ");
}

}  // namespace zenkar
