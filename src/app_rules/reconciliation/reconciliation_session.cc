#include "app_rules/reconciliation/reconciliation_session.h"

#include "common/text_field.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

Money TypedAmount(std::string_view typed, bool fixed_decimal) {
  const std::optional<Money> amount = ParseTypedAmount(Trim(typed), fixed_decimal);
  return amount && WithinLargestAmount(*amount) ? *amount : Money();
}

}  // namespace

ReconciliationSession::ReconciliationSession(Program& program)
    : program_(program),
      ledger_(program.ledger()),
      ending_date_(program.clock().Today()),
      starting_date_(DefaultStatementStart(ending_date_)) {}

bool ReconciliationSession::Show() {
  shown_ = false;
  books_ = ReconciliationBooks();
  period_items_.clear();
  outstanding_items_.clear();
  if (!ReadReconciliationBooks(ledger_, &books_)) return false;
  if (!books_.misposted_checks.empty()) {
    program_.ui().Error(MispostedChecksMessage(books_.misposted_checks));
  }
  saved_marks_ = ledger_.SavedReconciliation();
  RestoreOutstandingMarks(books_.items, saved_marks_);
  values_ = StatementValuesOf(ledger_.settings());
  shown_ = true;
  FillPeriodItems();
  FillOutstandingItems();
  Recompute();
  return true;
}

void ReconciliationSession::SetEndingDate(DayNumber day) {
  ending_date_ = day;
  if (!starting_date_chosen_) starting_date_ = DefaultStatementStart(day);
  if (starting_date_ > ending_date_) starting_date_ = ending_date_;
  FillPeriodItems();
  Recompute();
}

void ReconciliationSession::SetStartingDate(DayNumber day) {
  starting_date_chosen_ = true;
  starting_date_ = day > ending_date_ ? ending_date_ : day;
  FillPeriodItems();
}

void ReconciliationSession::FillPeriodItems() {
  period_items_ = ItemsDatedWithin(books_.items, starting_date_, ending_date_);
}

void ReconciliationSession::FillOutstandingItems() {
  outstanding_items_.clear();
  for (size_t i = 0; i < books_.items.size(); ++i) {
    if (books_.items[i].is_outstanding()) outstanding_items_.push_back(static_cast<int>(i));
  }
}

ReconciliationRowText ReconciliationSession::RowText(int index) const {
  const ReconciliationItem& item = books_.items.at(index);
  return {std::string(TrimRight(item.description)), std::string(Trim(item.reference)),
          DateText(item.date), item.amount.ToString()};
}

bool ReconciliationSession::SetOutstanding(int item, bool outstanding) {
  if (!shown_ || item < 0 || item >= static_cast<int>(books_.items.size())) return false;
  books_.items[item].outstanding = outstanding ? 1 : 0;
  FillOutstandingItems();
  Recompute();
  return Save();
}

bool ReconciliationSession::Reset() {
  if (!shown_ || !program_.ui().YesNoDefaultNo(kClearAllOutstanding)) return false;
  for (ReconciliationItem& item : books_.items) item.outstanding = 0;
  FillOutstandingItems();
  Recompute();
  return Save();
}

void ReconciliationSession::SetEndingBalance(std::string_view typed) {
  values_.ending_balance = TypedAmount(typed, ledger_.settings().fixed_decimal != 0);
  Recompute();
}

void ReconciliationSession::SetAdjustmentAmount(int index, std::string_view typed) {
  values_.amounts.at(index) = TypedAmount(typed, ledger_.settings().fixed_decimal != 0);
  Recompute();
}

void ReconciliationSession::SetAdjustmentDescription(int index, std::string_view text) {
  values_.descriptions.at(index) = std::string(text);
}

bool ReconciliationSession::SaveValues() { return shown_ && Save(); }

void ReconciliationSession::Recompute() {
  figures_ = ComputeReconciliation(books_.items, values_, books_.BalanceThrough(ending_date_));
}

// The marks and the values as one change. When another program saved marks
// meanwhile, the marks as saved (both programs' changes) are taken in.
bool ReconciliationSession::Save() {
  PutStatementValues(values_, ledger_.settings());
  const std::vector<ReconciliationItem> ours = OutstandingItems(books_.items);
  std::optional<std::vector<ReconciliationItem>> saved =
      ledger_.SaveReconciliation(saved_marks_, ours);
  if (!saved) return false;
  const bool merged = EncodeReconciliationItems(*saved) != EncodeReconciliationItems(ours);
  saved_marks_ = std::move(*saved);
  if (merged) {
    RestoreOutstandingMarks(books_.items, saved_marks_);
    FillOutstandingItems();
    Recompute();
  }
  return true;
}

std::string ReconciliationSession::BookBalanceCaption() const {
  return "Bank Balance Through " + DateText(ending_date_);
}

std::string ReconciliationSession::DateText(DayNumber day) const {
  return FormatDate(day, program_.date_patterns().numeric_short_year);
}

}  // namespace zenkar
