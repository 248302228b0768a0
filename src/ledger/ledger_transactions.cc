// The transaction operations of the Ledger: reading, appending, rewriting,
// deleting, voiding, inserting, moving and sorting lines, each keeping the
// posted totals of the chart equal to the lines that name the accounts.
#include <algorithm>
#include <map>
#include <utility>

#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr size_t kLength = kTransactionRecordLength;

std::string_view LineOf(const std::string& file_bytes, int number) {
  return std::string_view(file_bytes).substr(static_cast<size_t>(number - 1) * kLength, kLength);
}

// When a line is in the file but the account totals could not be saved and
// the line could not be taken back either.
std::string TotalsNotSavedMessage(int number) {
  return "Line " + std::to_string(number) +
         " was saved, but the account totals could not be. They will be corrected from the "
         "transactions the next time this data folder is opened.";
}

TransactionRecord DecodeLine(std::string_view record, int number) {
  TransactionRecord line = TransactionRecord::Decode(record);
  line.record_number = number;
  return line;
}

// Removes line `number`; the lines that move up are marked unprinted because
// their place in the printed ledger changes.
void RemoveLine(std::string& file_bytes, int number) {
  const size_t at = static_cast<size_t>(number - 1) * kLength;
  file_bytes.erase(at, kLength);
  for (size_t line = at; line < file_bytes.size(); line += kLength) {
    PutUnprintedFlag(file_bytes, 1, line);
  }
}

// Numbers every line 1, 2, ... in file order (the file is in the order entered).
void NumberInFileOrder(std::string& file_bytes) {
  for (size_t at = 0, n = 1; at < file_bytes.size(); at += kLength, ++n) {
    PutEntrySequence(file_bytes, static_cast<int32_t>(n), at);
  }
}

}  // namespace

bool Ledger::ReadTransaction(int number, TransactionRecord* line) {
  if (!is_loaded()) return false;
  std::string record;
  if (Status s = transactions_->Read(number, &record); !s.ok()) {
    ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
    return false;
  }
  *line = DecodeLine(record, number);
  return true;
}

bool Ledger::ForEachTransaction(const std::function<void(const TransactionRecord&)>& visit) const {
  return ScanTransactionRecords(
      [&](int number, std::string_view record) { visit(DecodeLine(record, number)); });
}

bool Ledger::ScanTransactionRecords(
    const std::function<void(int number, std::string_view record)>& visit) const {
  if (!is_loaded()) return false;
  Status s = transactions_->Scan(visit);
  if (!s.ok()) ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
  return s.ok();
}

const PeriodFigures* Ledger::Figures() const {
  if (!is_loaded()) return nullptr;
  if (FiguresInStep()) return &figures_;
  FileStamp stamp;
  if (Status s = transactions_->Stamp(&stamp); !s.ok()) {
    ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
    return nullptr;
  }
  const uint64_t revision = transactions_->revision();
  PeriodFigures figures;
  figures.Reserve(transaction_count());
  if (!ScanTransactionRecords([&](int number, std::string_view record) {
        figures.Add(number, ReadTransactionFacts(record));
      })) {
    return nullptr;
  }
  figures_ = std::move(figures);
  figures_revision_ = revision;
  figures_stamp_ = stamp;
  return &figures_;
}

bool Ledger::FiguresInStep() const {
  FileStamp now;
  return figures_revision_ != 0 && figures_revision_ == transactions_->revision() &&
         transactions_->Stamp(&now).ok() && now == figures_stamp_;
}

// After line `number` was appended (no `old_record`) or rewritten in place,
// while the figures were in step before: they take the change and the file's
// new revision and stamp, or are left to be made afresh.
void Ledger::FollowLineWrite(bool in_step, int number, const std::string* old_record,
                             std::string_view new_record) {
  if (!in_step) return;
  FileStamp stamp;
  if ((old_record != nullptr && !figures_.Remove(number, ReadTransactionFacts(*old_record))) ||
      !transactions_->Stamp(&stamp).ok()) {
    figures_revision_ = 0;
    return;
  }
  figures_.Add(number, ReadTransactionFacts(new_record));
  figures_revision_ = transactions_->revision();
  figures_stamp_ = stamp;
}

// Reads the whole file into whole_file_, leaving room for a few more lines.
bool Ledger::ReadWholeTransactionFile() {
  whole_file_.reserve(static_cast<size_t>(transaction_count() + 64) * kLength);
  if (Status s = transactions_->ReadAll(&whole_file_); !s.ok()) {
    ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
    return false;
  }
  return true;
}

// The chart with the posted totals moved from the `removed` lines to the
// `added` ones; `touched` lists the accounts whose totals changed.
ChartOfAccounts Ledger::ChartAfter(const std::vector<const TransactionRecord*>& removed,
                                   const std::vector<const TransactionRecord*>& added,
                                   std::vector<int>* touched) const {
  ChartOfAccounts next = chart_;
  touched->clear();
  auto post = [&](const TransactionRecord* line, int sign) {
    const Money amount = PostedAmount(*line);
    const int account = chart_.FindAccount(line->account);
    if (amount.IsZero() || account == 0) return;
    next.mutable_account(account).posted_total += sign < 0 ? -amount : amount;
    if (std::find(touched->begin(), touched->end(), account) == touched->end()) {
      touched->push_back(account);
    }
  };
  for (const TransactionRecord* line : removed) post(line, -1);
  for (const TransactionRecord* line : added) post(line, +1);
  std::erase_if(*touched, [&](int account) {
    return next.account(account).posted_total == chart_.account(account).posted_total;
  });
  return next;
}

// Moves the posted totals and saves the accounts that changed: one account in
// place, several by rewriting the chart. On failure the chart in memory is as
// it was.
bool Ledger::PostChange(const std::vector<const TransactionRecord*>& removed,
                        const std::vector<const TransactionRecord*>& added) {
  std::vector<int> touched;
  ChartOfAccounts next = ChartAfter(removed, added, &touched);
  if (touched.empty()) return true;
  if (touched.size() > 1) {
    if (!WriteChartFile(next)) return false;
    chart_ = std::move(next);
    return true;
  }
  const AccountRecord before = chart_.account(touched[0]);
  chart_.mutable_account(touched[0]) = next.account(touched[0]);
  if (SaveAccount(touched[0])) return true;
  // A record written in part differs from the old one only in its posted
  // total; putting the old record back (or, failing that, the consistency
  // pass at the next load) makes it right again.
  chart_.mutable_account(touched[0]) = before;
  SaveAccount(touched[0]);
  return false;
}

// Replaces the transaction file with whole_file_ as changed, the chart
// when the posted totals change or `adjust_chart` changes it further (the
// balance forwards), and the files alongside, as one change.
bool Ledger::RewriteLines(const std::vector<const TransactionRecord*>& removed,
                          const std::vector<const TransactionRecord*>& added,
                          const std::vector<FileAlongside>& alongside,
                          const std::function<void(ChartOfAccounts&)>& adjust_chart) {
  std::vector<int> touched;
  ChartOfAccounts next = ChartAfter(removed, added, &touched);
  if (adjust_chart) adjust_chart(next);
  const std::string chart = next.Encode();
  FileSetRewrite files(fs_);
  if (!touched.empty() || adjust_chart)
    files.Add(FilePath(AccountRecord::kFileName), chart, chart_.Encode());
  if (!AddFilesAlongside(alongside, &files)) return false;
  files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  chart_ = std::move(next);
  return true;
}

// Each file alongside is replaced, made or removed with the change; its old
// contents are read to put back should the change fail.
bool Ledger::AddFilesAlongside(const std::vector<FileAlongside>& alongside, FileSetRewrite* files) {
  for (const FileAlongside& file : alongside) {
    const std::string path = FilePath(file.file_name);
    std::string previous;
    const bool exists = fs_.FileExists(path);
    if (exists) {
      if (Status s = fs_.ReadFile(path, &previous); !s.ok()) {
        ReportReadFailure(path, s);
        return false;
      }
    }
    if (!file.contents) {
      if (exists) files->AddRemoval(path, std::move(previous));
    } else if (exists) {
      files->Add(path, *file.contents, std::move(previous));
    } else {
      files->AddNew(path, *file.contents);
    }
  }
  return true;
}

bool Ledger::CommitFiles(FileSetRewrite& files) {
  std::string failed_path;
  const Status status = files.Commit(&failed_path);
  if (!status.ok()) {
    ReportWriteFailure(failed_path, status);
    return false;
  }
  if (std::unique_ptr<RandomAccessFile> lines = files.TakeLastFile()) {
    // The change is on the disk; only the new file's length could not be
    // read, and the check before the next change reads it again.
    if (Status s = transactions_->TakeReplacement(std::move(lines)); !s.ok()) {
      ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
    }
  }
  return true;
}

void Ledger::CountLines(const std::vector<const TransactionRecord*>& lines, int sign) {
  for (const TransactionRecord* line : lines) summary_.Count(line->kind, line->amount, sign);
}

bool Ledger::CheckRoomFor(int added, Money amount) {
  if (!WithinLargestAmount(amount)) {
    ui_.Error("The amount is beyond " + kLargestAmount.ToStringWithCommas() +
              ", more than any entry or balance forward may hold. Nothing was saved.");
    return false;
  }
  if (transaction_count() + chart_.count() + added > kMostLinesAndAccounts) {
    ui_.Error(
        "Nothing was saved: the books hold as many transactions and accounts as this "
        "program can add up (" +
        std::to_string(kMostLinesAndAccounts) +
        " in all). The year clean-up removes old transactions.");
    return false;
  }
  return true;
}

// Before the next entry sequence would pass its limit, the lines are numbered
// 1, 2, ... afresh in the order entered; none of them moves.
bool Ledger::MakeRoomForEntrySequence() {
  if (last_entry_sequence_ < kEntrySequenceLimit) return true;
  if (!ReadWholeTransactionFile()) return false;
  const int32_t last = RenumberInEntryOrder(whole_file_);
  FileSetRewrite files(fs_);
  files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  last_entry_sequence_ = last;
  Notify(LedgerChange::kTransactionsReordered);
  return true;
}

// The append rules after the line is safely in the file and the books.
void Ledger::NoteAppendedLine(const TransactionRecord& line) {
  if (!IsInvoice(line)) {
    if (std::optional<std::string> next = SuggestedNextReference(line.reference)) {
      settings_.next_check = *next;
    }
  }
  if (line.payee_number != 0) last_payee_ = line.payee_number;
}

std::optional<int> Ledger::AppendTransaction(const TransactionRecord& line_in) {
  Change change(*this);
  if (!change.ok() || !CheckRoomFor(1, line_in.amount) || !MakeRoomForEntrySequence())
    return std::nullopt;
  const int count = transaction_count();
  TransactionRecord line = line_in;
  line.record_number = count + 1;
  line.entry_sequence = last_entry_sequence_ + 1;
  const bool figures_in_step = FiguresInStep();
  const std::string record = line.Encode();
  if (Status s = transactions_->Append(record); !s.ok()) {
    ReportWriteFailure(transactions_->path(), s);
    return std::nullopt;
  }
  FollowLineWrite(figures_in_step, line.record_number, nullptr, record);
  if (!PostChange({}, {&line})) {
    if (transactions_->CutTo(count).ok()) return std::nullopt;
    std::vector<int> touched;
    chart_ = ChartAfter({}, {&line}, &touched);
    ui_.Error(TotalsNotSavedMessage(line.record_number));
  }
  last_entry_sequence_ = line.entry_sequence;
  CountLines({&line}, +1);
  NoteAppendedLine(line);
  Notify(LedgerChange::kTransactionAppended, line.record_number);
  return line.record_number;
}

// The line is rewritten in place: one write within the file's length, which
// needs no new disk space. Should the posted totals then fail to save, the
// line is put back; should even that fail, the books in memory follow the
// file, and the consistency pass at the next load saves the totals.
bool Ledger::WriteTransaction(int number, const TransactionRecord& line) {
  if (!is_loaded()) return false;
  const int32_t sequence = SequenceOfLine(number);
  Change change(*this);
  if (!change.ok() || !FollowLine(change, sequence, &number) || !CheckRoomFor(0, line.amount)) {
    return false;
  }
  std::string stored;
  if (Status s = transactions_->Read(number, &stored); !s.ok()) {
    ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
    return false;
  }
  const TransactionRecord old = DecodeLine(stored, number);
  TransactionRecord updated = line;
  updated.record_number = number;
  KeepReservedArea(updated, stored);
  wrote_in_place_ = true;
  const bool figures_in_step = FiguresInStep();
  const std::string record = updated.Encode();
  if (Status s = transactions_->Write(number, record); !s.ok()) {
    ReportWriteFailure(transactions_->path(), s);
    // Puts the old line back over a partial write.
    if (Status undo = transactions_->Write(number, stored); !undo.ok()) {
      ui_.Error("Line " + std::to_string(number) + " of " + transactions_->path() +
                " may be damaged: it could not be written back as it was.\n\n" + undo.message());
    }
    return false;
  }
  FollowLineWrite(figures_in_step, number, &stored, record);
  if (!PostChange({&old}, {&updated})) {
    if (transactions_->Write(number, stored).ok()) return false;
    std::vector<int> touched;
    chart_ = ChartAfter({&old}, {&updated}, &touched);
    ui_.Error(TotalsNotSavedMessage(number));
  }
  CountLines({&old}, -1);
  CountLines({&updated}, +1);
  Notify(LedgerChange::kTransactionChanged, number);
  return true;
}

bool Ledger::DeleteTransaction(int number) {
  if (!is_loaded() || number < 1 || number > transaction_count()) return false;
  const int32_t sequence = SequenceOfLine(number);
  Change change(*this);
  if (!change.ok() || !FollowLine(change, sequence, &number)) return false;
  if (!ReadWholeTransactionFile()) return false;
  const TransactionRecord old = DecodeLine(LineOf(whole_file_, number), number);
  RemoveLine(whole_file_, number);
  if (!RewriteLines({&old}, {})) return false;
  CountLines({&old}, -1);
  Notify(LedgerChange::kTransactionDeleted, number);
  return true;
}

bool Ledger::VoidTransaction(int number) {
  if (!is_loaded()) return false;
  const int32_t sequence = SequenceOfLine(number);
  Change change(*this);
  if (!change.ok() || !FollowLine(change, sequence, &number)) return false;
  TransactionRecord line;
  if (!ReadTransaction(number, &line) || !IsCheckOrDeposit(line)) return false;
  line.kind = kInvoice;
  line.reference.clear();
  if (line.due_date == kNoDate) line.due_date = line.date;
  return WriteTransaction(number, line);
}

std::optional<int> Ledger::InsertTransactionAfter(int after, const TransactionRecord& line_in) {
  if (!is_loaded() || after < 0 || after > transaction_count()) return std::nullopt;
  const int32_t sequence = after > 0 ? SequenceOfLine(after) : 0;
  Change change(*this);
  if (!change.ok() || (after > 0 && !FollowLine(change, sequence, &after)) ||
      !CheckRoomFor(1, line_in.amount)) {
    return std::nullopt;
  }
  if (transaction_order() == TransactionOrder::kDate) {
    ui_.Error(kCannotInsertInDateOrder);
    return std::nullopt;
  }
  if (!ReadWholeTransactionFile()) return std::nullopt;
  TransactionRecord line = line_in;
  line.record_number = after + 1;
  whole_file_.insert(static_cast<size_t>(after) * kLength, line.Encode());
  NumberInFileOrder(whole_file_);
  if (!RewriteLines({}, {&line})) return std::nullopt;
  last_entry_sequence_ = transaction_count();
  CountLines({&line}, +1);
  if (line.payee_number != 0) last_payee_ = line.payee_number;
  Notify(LedgerChange::kTransactionInserted, line.record_number);
  return line.record_number;
}

std::optional<int> Ledger::MoveTransactionToEnd(int number, const TransactionRecord& updated) {
  if (!is_loaded() || number < 1 || number > transaction_count()) return std::nullopt;
  const int32_t sequence = SequenceOfLine(number);
  Change change(*this);
  if (!change.ok() || !FollowLine(change, sequence, &number) || !CheckRoomFor(0, updated.amount) ||
      !MakeRoomForEntrySequence()) {
    return std::nullopt;
  }
  if (!ReadWholeTransactionFile()) return std::nullopt;
  const std::string_view stored = LineOf(whole_file_, number);
  const TransactionRecord old = DecodeLine(stored, number);
  TransactionRecord moved = updated;
  KeepReservedArea(moved, stored);
  moved.entry_sequence = last_entry_sequence_ + 1;
  moved.record_number = transaction_count();
  whole_file_.erase(static_cast<size_t>(number - 1) * kLength, kLength);
  whole_file_ += moved.Encode();
  if (!RewriteLines({&old}, {&moved})) return std::nullopt;
  last_entry_sequence_ = moved.entry_sequence;
  CountLines({&old}, -1);
  CountLines({&moved}, +1);
  Notify(LedgerChange::kTransactionMoved, number);
  return moved.record_number;
}

bool Ledger::PayInvoices(const std::vector<PaidInvoice>& paid) {
  if (!is_loaded() || paid.empty()) return false;
  std::vector<int> numbers;
  std::vector<int32_t> sequences;
  for (const PaidInvoice& invoice : paid) {
    if (invoice.record_number < 1 || invoice.record_number > transaction_count()) return false;
    numbers.push_back(invoice.record_number);
    sequences.push_back(SequenceOfLine(invoice.record_number));
  }
  Change change(*this);
  if (!change.ok()) return false;
  for (const PaidInvoice& invoice : paid) {
    if (!CheckRoomFor(0, invoice.paid.amount)) return false;
  }
  if (!MakeRoomForEntrySequence() || !ReadWholeTransactionFile()) return false;
  if (change.reread()) {
    // Found again by their entry sequences in one pass.
    std::map<int32_t, int> found;
    for (int32_t sequence : sequences) found[sequence] = 0;
    const int count = transaction_count();
    for (int n = 1; n <= count; ++n) {
      const auto at = found.find(ReadTransactionFacts(LineOf(whole_file_, n)).entry_sequence);
      if (at != found.end()) at->second = n;
    }
    for (size_t i = 0; i < numbers.size(); ++i) {
      numbers[i] = sequences[i] > 0 ? found[sequences[i]] : 0;
    }
  }
  std::vector<int> ascending = numbers;
  std::sort(ascending.begin(), ascending.end());
  const bool still_invoices =
      ascending.front() > 0 &&
      std::adjacent_find(ascending.begin(), ascending.end()) == ascending.end() &&
      std::all_of(numbers.begin(), numbers.end(), [&](int n) {
        return ReadTransactionFacts(LineOf(whole_file_, n)).kind == kInvoice;
      });
  if (!still_invoices) {
    ui_.Error(kInvoiceGone);
    return false;
  }
  std::vector<TransactionRecord> old;
  std::vector<TransactionRecord> moved;
  int32_t sequence = last_entry_sequence_;
  for (size_t i = 0; i < numbers.size(); ++i) {
    const std::string_view stored = LineOf(whole_file_, numbers[i]);
    old.push_back(DecodeLine(stored, numbers[i]));
    TransactionRecord line = paid[i].paid;
    KeepReservedArea(line, stored);
    line.unprinted = 1;
    line.entry_sequence = ++sequence;
    moved.push_back(std::move(line));
  }
  RemoveLines(whole_file_, ascending);
  for (TransactionRecord& line : moved) {
    line.record_number = static_cast<int>(whole_file_.size() / kLength) + 1;
    whole_file_ += line.Encode();
  }
  const TransactionOrder order = transaction_order();
  const bool in_entry_order = order == TransactionOrder::kEntry;
  if (!IsArranged(OrderKeysOf(whole_file_), order, in_entry_order)) {
    sequence = ArrangeTransactions(whole_file_, order, in_entry_order);
  }
  std::vector<const TransactionRecord*> removed;
  std::vector<const TransactionRecord*> added;
  for (const TransactionRecord& line : old) removed.push_back(&line);
  for (const TransactionRecord& line : moved) added.push_back(&line);
  if (!RewriteLines(removed, added)) return false;
  last_entry_sequence_ = sequence;
  CountLines(removed, -1);
  CountLines(added, +1);
  Notify(LedgerChange::kTransactionsReordered);
  return true;
}

bool Ledger::MarkTransactionsPrinted(const std::vector<PrintedLine>& lines) {
  if (!is_loaded()) return false;
  if (lines.empty()) return true;
  Change change(*this);
  if (!change.ok() || !ReadWholeTransactionFile()) return false;
  const int count = static_cast<int>(whole_file_.size() / kLength);
  bool marked = false;
  for (const PrintedLine& printed : lines) {
    if (printed.record_number < 1 || printed.record_number > count) continue;
    const size_t at = static_cast<size_t>(printed.record_number - 1) * kLength;
    if (UnprintedFlagAt(whole_file_, at) == 0 ||
        PrintedFingerprint(LineOf(whole_file_, printed.record_number)) != printed.fingerprint) {
      continue;
    }
    PutUnprintedFlag(whole_file_, 0, at);
    marked = true;
  }
  if (!marked) return true;
  FileSetRewrite files(fs_);
  files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  Notify(LedgerChange::kTransactionsReordered);
  return true;
}

bool Ledger::ChangeLinesWithFiles(const LinesChange& request) {
  Change change(*this);
  if (!change.ok()) return false;
  if (!request.exchange_mark && request.appended.empty()) {
    // Only files beside the books: the lines are not rewritten.
    FileSetRewrite files(fs_);
    return AddFilesAlongside(request.alongside, &files) && (files.empty() || CommitFiles(files));
  }
  const int appended = static_cast<int>(request.appended.size());
  for (const TransactionRecord& line : request.appended) {
    if (!CheckRoomFor(appended, line.amount)) return false;
  }
  if (appended > 0 && !MakeRoomForEntrySequence()) return false;
  if (!ReadWholeTransactionFile()) return false;
  if (request.exchange_mark) {
    for (size_t at = 0; at < whole_file_.size(); at += kLength) {
      PutExchangeMark(whole_file_, *request.exchange_mark, at);
    }
  }
  std::vector<TransactionRecord> lines = request.appended;
  std::vector<const TransactionRecord*> added;
  int32_t sequence = last_entry_sequence_;
  for (TransactionRecord& line : lines) {
    line.record_number = transaction_count() + static_cast<int>(added.size()) + 1;
    line.entry_sequence = ++sequence;
    whole_file_ += line.Encode();
    added.push_back(&line);
  }
  if (!RewriteLines({}, added, request.alongside)) return false;
  last_entry_sequence_ = sequence;
  CountLines(added, +1);
  for (const TransactionRecord& line : lines) NoteAppendedLine(line);
  Notify(LedgerChange::kTransactionsReordered);
  return true;
}

bool Ledger::SortTransactions(TransactionOrder order) {
  Change change(*this);
  if (!change.ok()) return false;
  const int count = transaction_count();
  ui_.SetProgress("Sorting " + std::to_string(count) + " Entries " +
                      (order == TransactionOrder::kDate ? "(Date Order)" : "(Order Entered)"),
                  0, count);
  // The lines and the order the settings record change together.
  CompanySettings next_settings = settings_;
  next_settings.date_order = order == TransactionOrder::kDate ? 1 : 0;
  const std::string settings = next_settings.Encode();
  FileSetRewrite files(fs_);
  files.Add(FilePath(CompanySettings::kFileName), settings, settings_.raw);
  bool sorted = ReadWholeTransactionFile();
  int32_t last = last_entry_sequence_;
  const bool in_entry_order = transaction_order() == TransactionOrder::kEntry;
  if (sorted && !IsArranged(OrderKeysOf(whole_file_), order, in_entry_order)) {
    last = ArrangeTransactions(whole_file_, order, in_entry_order);
    files.AddLast(transactions_->path(), whole_file_);
  }
  sorted = sorted && CommitFiles(files);
  ui_.ClearProgress();
  if (!sorted) return false;
  last_entry_sequence_ = last;
  settings_ = std::move(next_settings);
  settings_.raw = settings;
  Notify(LedgerChange::kTransactionsReordered);
  return true;
}

}  // namespace zenkar
