// The payee operations of the Ledger: adding, renaming and deleting payees
// while every payee number stored in the transaction and recurring-entry
// files keeps naming the same payee.
#include <algorithm>

#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/recurring_entries.h"

namespace zenkar {
namespace {

// The payee number after the payees `removed` (ascending) are gone: their
// own lines keep their name text and name no payee; higher numbers move down
// by the count of removed payees below them.
int32_t PayeeNumberAfterRemoval(int32_t stored, const std::vector<int>& removed) {
  const auto below = std::lower_bound(removed.begin(), removed.end(), stored);
  if (below != removed.end() && *below == stored) return 0;
  return stored - static_cast<int32_t>(below - removed.begin());
}

// Renumbers the payee of every line of a transaction file; false when no
// line changed.
bool RenumberLinePayees(std::string& bytes, const std::vector<int>& removed) {
  bool changed = false;
  for (size_t at = 0; at + kTransactionRecordLength <= bytes.size();
       at += kTransactionRecordLength) {
    const int32_t stored =
        ReadTransactionFacts(std::string_view(bytes).substr(at, kTransactionRecordLength))
            .payee_number;
    const int32_t renumbered = PayeeNumberAfterRemoval(stored, removed);
    if (renumbered == stored) continue;
    PutTransactionPayee(bytes, renumbered, at);
    changed = true;
  }
  return changed;
}

// The same for the recurring entries (every other byte stays as it was).
bool RenumberRecurringPayees(std::string& bytes, const std::vector<int>& removed) {
  std::vector<RecurringEntryRecord> entries = DecodeRecurringEntries(bytes);
  bool changed = false;
  for (RecurringEntryRecord& entry : entries) {
    const int32_t renumbered = PayeeNumberAfterRemoval(entry.payee_number, removed);
    if (renumbered == entry.payee_number) continue;
    entry.payee_number = renumbered;
    changed = true;
  }
  if (changed) bytes = EncodeRecurringEntries(entries);
  return changed;
}

}  // namespace

bool Ledger::CheckPayeeName(std::string_view name, int own_number) {
  if (Trim(name).empty()) {
    ui_.Error(kEnterPayeeName);
    return false;
  }
  const int holder = payees_.FindPayeeByName(name);
  if (holder != 0 && holder != own_number) {
    ui_.Error(std::string(kPayeeNameInUse) + "\n" + std::string(Trim(name)));
    return false;
  }
  return true;
}

bool Ledger::WritePayeeList(const PayeeList& list) {
  const std::string path = FilePath(PayeeRecord::kFileName);
  if (Status s = WriteFileAtomically(fs_, path, list.Encode()); !s.ok()) {
    ReportWriteFailure(path, s);
    return false;
  }
  return true;
}

std::optional<int> Ledger::AddPayee(const PayeeRecord& payee) {
  Change change(*this);
  if (!change.ok() || !CheckPayeeName(payee.name, 0)) return std::nullopt;
  PayeeList next = payees_;
  const int number = next.Append(payee);
  if (!WritePayeeList(next)) return std::nullopt;
  payees_ = std::move(next);
  Notify(LedgerChange::kPayeesChanged, number);
  return number;
}

bool Ledger::UpdatePayee(int number, const PayeeRecord& payee) {
  if (!is_loaded() || !payees_.IsValidPayee(number)) return false;
  const std::string name = payees_.payee(number).name;
  Change change(*this);
  if (!change.ok() || !FollowPayee(change, name, &number)) return false;
  const bool renamed =
      FitText(payee.name, kPayeeNameWidth) != FitText(payees_.payee(number).name, kPayeeNameWidth);
  if (renamed && !CheckPayeeName(payee.name, number)) return false;
  PayeeList next = payees_;
  next.mutable_payee(number) = payee;
  bool lines_renamed = false;
  if (renamed) {
    if (!ReadWholeTransactionFile()) return false;
    lines_renamed = RenameLines(whole_file_, number, payee.name);
  }
  // The recurring entries keep the payee's name lines beside its number.
  const bool names_changed = renamed || FitText(payee.name_2, kPayeeNameWidth) !=
                                            FitText(payees_.payee(number).name_2, kPayeeNameWidth);
  std::string templates;
  if (names_changed && !ReadRecurringFile(&templates)) return false;
  std::vector<RecurringEntryRecord> recurring = DecodeRecurringEntries(templates);
  const bool templates_renamed = RenameRecurringPayee(recurring, number, payee);
  const std::string renamed_templates = EncodeRecurringEntries(recurring);
  const std::string list = next.Encode();
  FileSetRewrite files(fs_);
  if (templates_renamed) {
    files.Add(FilePath(kRecurringFileName), renamed_templates, std::move(templates));
  }
  files.Add(FilePath(PayeeRecord::kFileName), list, payees_.Encode());
  if (lines_renamed) files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  payees_ = std::move(next);
  Notify(LedgerChange::kPayeesChanged, number);
  if (lines_renamed) Notify(LedgerChange::kTransactionsReordered);
  return true;
}

// Writes the new name into the payee text of every line of payee `number`;
// false when no line changed.
bool Ledger::RenameLines(std::string& lines, int number, std::string_view name) {
  bool changed = false;
  for (size_t at = 0; at < lines.size(); at += kTransactionRecordLength) {
    const std::string_view record(lines.data() + at, kTransactionRecordLength);
    if (ReadTransactionFacts(record).payee_number != number) continue;
    PutTransactionDescription(lines, name, at);
    changed = true;
  }
  return changed;
}

// True in `blocked` when a line of the payee is an unpaid invoice or not yet
// printed. False when the transaction file could not be read.
bool Ledger::PayeeBlocksDeletion(int number, bool* blocked) {
  *blocked = false;
  Status s = transactions_->Scan([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.payee_number == number && (facts.kind == kInvoice || facts.unprinted != 0)) {
      *blocked = true;
    }
  });
  if (!s.ok()) ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
  return s.ok();
}

bool Ledger::PayeeMayBeDeleted(int number) {
  if (!is_loaded() || !payees_.IsValidPayee(number)) return false;
  bool blocked = false;
  if (!PayeeBlocksDeletion(number, &blocked)) return false;
  if (blocked) ui_.Error(kCannotDeletePayee);
  return !blocked;
}

bool Ledger::DeletePayee(int number) {
  if (!is_loaded() || !payees_.IsValidPayee(number)) return false;
  const std::string name = payees_.payee(number).name;
  Change change(*this);
  if (!change.ok() || !FollowPayee(change, name, &number)) return false;
  if (!PayeeMayBeDeleted(number)) return false;
  std::string recurring;
  return ReadRecurringFile(&recurring) && ReadWholeTransactionFile() &&
         RemovePayees({number}, std::move(recurring));
}

// The payees `ascending` are removed from the list and every stored payee
// number above one of them is lowered, in the transaction file (whole_file_,
// read by the caller within its change) and in the recurring entries
// (`recurring`, as read), so no number ever names a different payee. The
// transaction file, the recurring entries and the payee file are replaced as
// one change.
bool Ledger::RemovePayees(const std::vector<int>& ascending, std::string recurring) {
  PayeeList next = payees_;
  for (auto number = ascending.rbegin(); number != ascending.rend(); ++number) {
    next.Remove(*number);
  }
  if (next.count() == 0) next.Append(PayeeRecord());  // the list never becomes empty
  std::string renumbered_recurring = recurring;
  const bool recurring_change = RenumberRecurringPayees(renumbered_recurring, ascending);
  const bool lines_change = RenumberLinePayees(whole_file_, ascending);
  const std::string list = next.Encode();
  FileSetRewrite files(fs_);
  if (recurring_change) {
    files.Add(FilePath(kRecurringFileName), renumbered_recurring, std::move(recurring));
  }
  files.Add(FilePath(PayeeRecord::kFileName), list, payees_.Encode());
  if (lines_change) files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  payees_ = std::move(next);
  last_payee_ = PayeeNumberAfterRemoval(last_payee_, ascending);
  Notify(LedgerChange::kPayeesChanged, ascending.size() == 1 ? ascending.front() : 0);
  if (lines_change) Notify(LedgerChange::kTransactionsReordered);
  return true;
}

}  // namespace zenkar
