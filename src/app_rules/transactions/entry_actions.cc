#include "app_rules/transactions/entry_actions.h"

#include <algorithm>
#include <deque>

#include "common/text_field.h"

namespace zenkar {
namespace {

// Reading single lines backwards costs about ten times as much per line as
// a pass in blocks; beyond this many lines the pass is the quicker way.
constexpr int kLinesReadBackwards = 1000;

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

std::string ShortDate(DayNumber day, const DatePatterns& patterns) {
  return FormatDate(day, patterns.numeric_short_year);
}

std::string AccountAndAmount(const TransactionRecord& line) {
  return "Account : " + Trimmed(line.account) + "\nAmount: " + line.amount.ToString();
}

// The year when the two dates lie in different years, the month when in
// different months of one year.
std::optional<bool> MovedByYear(DayNumber moved_to, DayNumber moved_from) {
  if (moved_to == kNoDate || moved_from == kNoDate) return std::nullopt;
  const CivilDate to = ToCivilDate(moved_to);
  const CivilDate from = ToCivilDate(moved_from);
  if (to.year != from.year) return true;
  if (to.month != from.month) return false;
  return std::nullopt;
}

// The date an edit may move: an unpaid invoice has its invoice date.
DayNumber DateOfEntry(const TransactionRecord& line) {
  return IsInvoice(line) ? line.invoice_date_2 : line.date;
}

}  // namespace

std::optional<std::string_view> CheckedOutRefusal(Ledger& ledger, const TransactionRecord& line) {
  if (line.exchange_mark == kMarkCheckedOut) return kEntryCheckedOutMessage;
  if (line.exchange_mark == kMarkClientLine) return kClientEntryMessage;
  if (DataCheckedOut(ledger)) return kDataCheckedOutMessage;
  return std::nullopt;
}

bool PassesCheckedOutGuard(Ledger& ledger, const TransactionRecord& line) {
  const std::optional<std::string_view> refusal = CheckedOutRefusal(ledger, line);
  if (refusal) ledger.ui().Error(*refusal);
  return !refusal;
}

std::string VoidQuestion(const TransactionRecord& line) {
  return "Void check " + Trimmed(line.reference) + "?\n\n" + AccountAndAmount(line);
}

std::string VoidCaption(const TransactionRecord& line) {
  return "Check Entry: " + Trimmed(line.reference);
}

std::string DeleteQuestion(const TransactionRecord& line, const DatePatterns& patterns) {
  return "Delete this transaction?\n\n" + Trimmed(line.description) + "\n" +
         ShortDate(line.date, patterns) + "\n" + AccountAndAmount(line);
}

std::string DeleteCaption(const TransactionRecord& line) {
  const char* kind = IsCheckOrDeposit(line) ? "Check Entry: "
                     : IsInvoice(line)      ? "Invoice Entry: "
                                            : "Journal Entry: ";
  return kind + Trimmed(line.reference);
}

VoidOrDeleteResult VoidOrDelete(Ledger& ledger, const DatePatterns& patterns, int record_number,
                                bool offer_void) {
  TransactionRecord line;
  if (!ledger.ReadTransaction(record_number, &line)) return VoidOrDeleteResult::kNothing;
  if (!PassesCheckedOutGuard(ledger, line)) return VoidOrDeleteResult::kNothing;
  Ui& ui = ledger.ui();
  if (offer_void && IsCheckOrDeposit(line) &&
      ui.YesNoDefaultYes(VoidQuestion(line), VoidCaption(line))) {
    return ledger.VoidTransaction(record_number) ? VoidOrDeleteResult::kVoided
                                                 : VoidOrDeleteResult::kNothing;
  }
  if (!ui.YesNoDefaultNo(DeleteQuestion(line, patterns), DeleteCaption(line))) {
    return VoidOrDeleteResult::kNothing;
  }
  return ledger.DeleteTransaction(record_number) ? VoidOrDeleteResult::kDeleted
                                                 : VoidOrDeleteResult::kNothing;
}

std::string BackDatingText(DayNumber selected, DayNumber last_entry, bool year,
                           const DatePatterns& patterns) {
  return "The selected date:\n" + ShortDate(selected, patterns) + "\n\nhas an older " +
         (year ? "year" : "month") + " than the last check entry:\n" +
         ShortDate(last_entry, patterns) +
         "\n\n========\nReports are based on the transaction dates.\n\nReports including " +
         ShortDate(std::min(selected, last_entry), patterns) +
         " and later transactions\nmay need to be reprinted.";
}

std::optional<bool> BackDatedByYear(DayNumber selected, DayNumber reference) {
  if (selected == kNoDate || reference == kNoDate || selected >= reference) return std::nullopt;
  return MovedByYear(selected, reference);
}

bool BackDatingWarnings::WarnIfBackDated(Ui& ui, const DatePatterns& patterns, DayNumber selected,
                                         DayNumber last_check_date) {
  if (shown_ >= kMostPerRun) return false;
  const std::optional<bool> by_year = BackDatedByYear(selected, last_check_date);
  if (!by_year) return false;
  ++shown_;
  ui.Information(BackDatingText(selected, last_check_date, *by_year, patterns));
  return true;
}

std::vector<TransactionRecord> LatestLinesOfKind(Ledger& ledger, int32_t kind, int count) {
  std::deque<TransactionRecord> found;
  const int last = ledger.transaction_count();
  const int first_read = std::max(1, last - kLinesReadBackwards + 1);
  TransactionRecord line;
  for (int number = last; number >= first_read && static_cast<int>(found.size()) < count;
       --number) {
    if (!ledger.ReadTransaction(number, &line)) return {};
    if (line.kind == kind) found.push_front(line);
  }
  if (static_cast<int>(found.size()) < count && first_read > 1) {
    found.clear();
    ledger.ForEachTransaction([&](const TransactionRecord& each) {
      if (each.kind != kind) return;
      found.push_back(each);
      if (static_cast<int>(found.size()) > count) found.pop_front();
    });
  }
  return {found.begin(), found.end()};
}

DayNumber LatestCheckEntryDate(Ledger& ledger) {
  const std::vector<TransactionRecord> latest = LatestLinesOfKind(ledger, kCheckOrDeposit, 1);
  return latest.empty() ? kNoDate : latest.back().date;
}

EditResult SaveEditedEntry(Ledger& ledger, const DatePatterns& patterns, int record_number,
                           const TransactionRecord& edited) {
  TransactionRecord stored;
  if (!ledger.ReadTransaction(record_number, &stored)) return EditResult::kFailed;
  TransactionRecord changed = edited;
  changed.record_number = record_number;
  KeepReservedArea(changed, stored.raw);
  if (changed.Encode() == stored.Encode()) return EditResult::kUnchanged;
  const DayNumber moved_to = DateOfEntry(changed);
  const DayNumber moved_from = DateOfEntry(stored);
  if (const std::optional<bool> by_year = MovedByYear(moved_to, moved_from)) {
    ledger.ui().Information(BackDatingText(moved_to, moved_from, *by_year, patterns));
  }
  return ledger.WriteTransaction(record_number, changed) ? EditResult::kSaved : EditResult::kFailed;
}

}  // namespace zenkar
