#include "ledger/reconciliation.h"

#include <algorithm>
#include <unordered_set>

#include "common/text_field.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr size_t kKeyHeadWidth = 20;

bool IsPositiveNumber(std::string_view reference) {
  const std::string_view text = Trim(reference);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         text.find_first_not_of('0') != std::string_view::npos;
}

ReconciliationItem ItemOf(const TransactionRecord& line, Money amount) {
  ReconciliationItem item;
  item.match_key = MatchKey(line.reference, line.date);
  item.key_head = item.match_key.substr(0, kKeyHeadWidth);
  item.description = line.description;
  item.date = line.date;
  item.reference = line.reference;
  item.account = line.account;
  item.amount = amount;
  return item;
}

// Walking from the end, an item with a reference whose key equals the one
// before it is added into that one: the lines of one check become one bank
// movement. Items without a reference stay apart.
void MergeSplitItems(std::vector<ReconciliationItem>& items) {
  for (size_t i = items.size(); i-- > 1;) {
    ReconciliationItem& item = items[i];
    ReconciliationItem& before = items[i - 1];
    if (Trim(item.reference).empty() || item.match_key != before.match_key ||
        item.date != before.date) {
      continue;
    }
    before.amount += item.amount;
    item.position = -1;  // merged away
  }
  std::erase_if(items, [](const ReconciliationItem& item) { return item.position < 0; });
}

// A stored statement amount beyond what the books may hold is damaged; it
// counts as zero.
Money TypedAmountOf(Money stored) { return WithinLargestAmount(stored) ? stored : Money(); }

}  // namespace

Money ReconciliationBooks::BalanceThrough(DayNumber day) const {
  const auto after = std::upper_bound(
      bank_moves.begin(), bank_moves.end(), day,
      [](DayNumber d, const std::pair<DayNumber, Money>& move) { return d < move.first; });
  const Money moved = after == bank_moves.begin() ? Money() : std::prev(after)->second;
  return (bank_balance_forward + moved).RoundedToCents();
}

ReconciliationItemBuilder::ReconciliationItemBuilder(std::string_view bank_account)
    : bank_account_(AccountKey(bank_account)) {}

void ReconciliationItemBuilder::Add(const TransactionRecord& line) {
  const Money amount = line.amount.RoundedToCents();
  const bool to_bank = SameAccount(line.account, bank_account_);
  if (IsCheckOrDeposit(line)) {
    books_.items.push_back(ItemOf(line, amount));
    // Set against the bank, a check to the bank account itself moves nothing.
    if (!to_bank) books_.bank_moves.emplace_back(line.date, -amount);
    if (to_bank && IsPositiveNumber(line.reference)) {
      books_.misposted_checks.emplace_back(Trim(line.reference));
    }
  } else if (IsJournalLine(line) && to_bank) {
    books_.items.push_back(ItemOf(line, -amount));
    books_.bank_moves.emplace_back(line.date, amount);
  }
}

ReconciliationBooks ReconciliationItemBuilder::Finish(Money bank_balance_forward) {
  ReconciliationBooks books = std::move(books_);
  books_ = ReconciliationBooks();
  std::stable_sort(books.items.begin(), books.items.end(),
                   [](const ReconciliationItem& a, const ReconciliationItem& b) {
                     return a.match_key < b.match_key;
                   });
  MergeSplitItems(books.items);
  std::erase_if(books.items, [](const ReconciliationItem& item) { return item.amount.IsZero(); });
  for (size_t i = 0; i < books.items.size(); ++i) {
    books.items[i].position = static_cast<int32_t>(i + 1);
  }
  std::unordered_set<std::string> seen;
  std::erase_if(books.misposted_checks,
                [&](const std::string& reference) { return !seen.insert(reference).second; });
  std::stable_sort(books.bank_moves.begin(), books.bank_moves.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Money running;
  for (auto& [date, move] : books.bank_moves) move = running += move;
  books.bank_balance_forward = bank_balance_forward;
  return books;
}

bool ReadReconciliationBooks(const Ledger& ledger, ReconciliationBooks* books) {
  const std::string& bank = ledger.settings().bank_account;
  if (!ledger.IsEntryAccount(bank)) {
    ledger.ui().Error(kSelectValidBankAccount);
    return false;
  }
  ReconciliationItemBuilder builder(bank);
  const std::string key = AccountKey(bank);
  const bool read = ledger.ScanTransactionRecords([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind == kCheckOrDeposit || (facts.kind == kJournalLine && facts.account == key)) {
      builder.Add(TransactionRecord::Decode(record));
    }
  });
  if (!read) return false;
  *books = builder.Finish(ledger.chart().account(ledger.FindAccount(bank)).balance_forward);
  return true;
}

std::string MispostedChecksMessage(const std::vector<std::string>& references) {
  std::string text = "The following check(s):\n";
  for (const std::string& reference : references) text += EscapeControls(reference) + "\n";
  return text + "may have been posted to the bank account by mistake.";
}

DayNumber DefaultStatementStart(DayNumber ending) {
  const CivilDate date = ToCivilDate(ending);
  if (date.day >= 20) return FirstOfMonth(date.year, date.month);
  return date.month == 1 ? FirstOfMonth(date.year - 1, 12)
                         : FirstOfMonth(date.year, date.month - 1);
}

std::vector<int> ItemsDatedWithin(const std::vector<ReconciliationItem>& items, DayNumber first,
                                  DayNumber last) {
  std::vector<int> within;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].date >= first && items[i].date <= last) within.push_back(static_cast<int>(i));
  }
  return within;
}

void RestoreOutstandingMarks(std::vector<ReconciliationItem>& items,
                             const std::vector<ReconciliationItem>& saved) {
  std::unordered_set<std::string> marks;
  for (const ReconciliationItem& mark : saved) marks.insert(MarkIdentity(mark));
  for (ReconciliationItem& item : items) item.outstanding = marks.count(MarkIdentity(item)) ? 1 : 0;
}

std::vector<ReconciliationItem> OutstandingItems(const std::vector<ReconciliationItem>& items) {
  std::vector<ReconciliationItem> outstanding;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].is_outstanding()) continue;
    outstanding.push_back(items[i]);
    outstanding.back().position = static_cast<int32_t>(i + 1);
  }
  return outstanding;
}

StatementValues StatementValuesOf(const CompanySettings& settings) {
  StatementValues values;
  values.ending_balance = TypedAmountOf(settings.statement_ending_balance);
  for (int i = 0; i < kStatementAdjustments; ++i) {
    values.descriptions[i] = std::string(TrimRight(settings.adjustment_descriptions[i]));
    values.amounts[i] = TypedAmountOf(settings.adjustment_amounts[i]);
  }
  return values;
}

void PutStatementValues(const StatementValues& values, CompanySettings& settings) {
  settings.statement_ending_balance = values.ending_balance;
  for (int i = 0; i < kStatementAdjustments; ++i) {
    settings.adjustment_descriptions[i] = values.descriptions[i];
    settings.adjustment_amounts[i] = values.amounts[i];
  }
}

ReconciliationFigures ComputeReconciliation(const std::vector<ReconciliationItem>& items,
                                            const StatementValues& values, Money book_balance) {
  ReconciliationFigures figures;
  figures.statement_balance = values.ending_balance.RoundedToCents();
  for (const Money& amount : values.amounts) figures.adjustments += amount.RoundedToCents();
  for (const ReconciliationItem& item : items) {
    if (item.is_outstanding()) figures.outstanding += item.amount;
  }
  figures.per_reconciliation =
      figures.statement_balance + figures.adjustments - figures.outstanding;
  figures.book_balance = book_balance;
  figures.difference = figures.per_reconciliation - book_balance;
  return figures;
}

std::string_view ResultCaption(const ReconciliationFigures& figures) {
  return figures.balanced() ? "Bank Account is Balanced" : "Out of Balance by";
}

}  // namespace zenkar
