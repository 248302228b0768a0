#include "app_rules/transactions/review_list.h"

#include <algorithm>

#include "common/text_field.h"
#include "ledger/transaction_search.h"

namespace zenkar {
namespace {

// Lines are read in blocks of this many, and this many blocks are kept: a
// few screens of scrolling either way come back without reading the file.
constexpr int kBlockLines = 64;
constexpr size_t kBlocksKept = 64;

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

int BlockIndexOf(int number) { return (number - 1) / kBlockLines; }

// The lines of a check written in parts lie next to each other with the
// same reference and payee.
bool ContinuesCheck(const TransactionRecord& line, const TransactionRecord& check) {
  return IsCheckOrDeposit(line) && line.reference == check.reference &&
         line.description == check.description;
}

bool HasDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string FindPrompt(int count) {
  return "Find transactions containing the text and/or numbers entered below.\n\n(Not Case "
         "Sensitive)\n\n" +
         std::to_string(count) + " transactions to search";
}

ReviewList::ReviewList(Program& program) : program_(program), ledger_(program.ledger()) {
  ledger_.AddObserver(this);
}

ReviewList::~ReviewList() { ledger_.RemoveObserver(this); }

void ReviewList::OnLedgerChanged(LedgerChange change, int record_number) {
  if (change == LedgerChange::kTransactionChanged) {
    blocks_.erase(BlockIndexOf(record_number));
  } else if (change != LedgerChange::kSettingsChanged && change != LedgerChange::kChartChanged) {
    blocks_.clear();
  }
  if (on_changed_) on_changed_(change, record_number);
}

const ReviewList::Block& ReviewList::BlockOf(int number) {
  const int index = BlockIndexOf(number);
  auto found = blocks_.find(index);
  if (found == blocks_.end()) {
    if (blocks_.size() >= kBlocksKept) {
      blocks_.erase(std::min_element(
          blocks_.begin(), blocks_.end(),
          [](const auto& a, const auto& b) { return a.second.last_use < b.second.last_use; }));
    }
    Block block;
    const int first = index * kBlockLines + 1;
    const int last = std::min(first + kBlockLines - 1, row_count());
    block.lines.resize(static_cast<size_t>(std::max(0, last - first + 1)));
    for (int n = first; n <= last; ++n) {
      if (!ledger_.ReadTransaction(n, &block.lines[n - first])) {
        block.lines.clear();
        break;
      }
      ++lines_read_;
    }
    found = blocks_.emplace(index, std::move(block)).first;
  }
  found->second.last_use = ++uses_;
  return found->second;
}

const TransactionRecord* ReviewList::Line(int number) {
  if (number < 1 || number > row_count()) return nullptr;
  const Block& block = BlockOf(number);
  const size_t at = static_cast<size_t>((number - 1) % kBlockLines);
  return at < block.lines.size() ? &block.lines[at] : nullptr;
}

LatestEntryText ReviewList::RowText(int number) {
  const TransactionRecord* line = Line(number);
  return line != nullptr ? EntryTextOf(*line, program_.date_patterns()) : LatestEntryText{};
}

Money ReviewList::CheckTotal(int number, const TransactionRecord& check) {
  Money total = check.amount;
  for (int n = number - 1; n >= 1; --n) {
    const TransactionRecord* line = Line(n);
    if (line == nullptr || !ContinuesCheck(*line, check)) break;
    total += line->amount;
  }
  for (int n = number + 1; n <= row_count(); ++n) {
    const TransactionRecord* line = Line(n);
    if (line == nullptr || !ContinuesCheck(*line, check)) break;
    total += line->amount;
  }
  return total;
}

EntrySummary ReviewList::Summary(int number) {
  const TransactionRecord* found = Line(number);
  if (found == nullptr) return {};
  // The line is copied: reading its neighbours may drop its block.
  const TransactionRecord line = *found;
  if (IsInvoice(line)) return {"Unpaid Invoice:", line.amount, true};
  if (IsCheckOrDeposit(line)) {
    return {"Check " + Trimmed(line.reference) + ":", CheckTotal(number, line), false};
  }
  if (IsJournalLine(line)) return {"JE " + Trimmed(line.reference) + ":", line.amount, false};
  return {};
}

bool ReviewList::SetOrder(TransactionOrder order) {
  if (order == this->order()) return true;
  return ledger_.SortTransactions(order);
}

bool ReviewList::MayInsert() {
  if (order() == TransactionOrder::kEntry) return true;
  ledger_.ui().Information(kInsertNeedsEntryOrder);
  return false;
}

InsertResult ReviewList::Insert(int after, int32_t kind, const EntryLine& line) {
  if (!HasDigit(line.amount)) {
    ledger_.ui().Error(kMustEnterAmount);
    return {0, EntryField::kAmount};
  }
  if (kind == kCheckOrDeposit && PayeeNumberOf(ledger_.payees(), line.payee) == 0) {
    ledger_.ui().Error(kInsertNeedsPayee);
    return {0, EntryField::kPayee};
  }
  const bool fixed_decimal = ledger_.settings().fixed_decimal != 0;
  const TransactionRecord record = BuildEntryRecord(kind, line, ledger_.payees(), fixed_decimal);
  return {ledger_.InsertTransactionAfter(after, record).value_or(0), std::nullopt};
}

void ReviewList::Find(const std::function<void(int number)>& show) {
  const int count = row_count();
  if (count == 0) return;
  Ui& ui = ledger_.ui();
  const std::optional<std::string> text = ui.InputBox(FindPrompt(count), kFindTitle, last_search_);
  if (!text || text->empty()) return;
  last_search_ = *text;
  const TransactionSearch search(*text, program_.date_patterns().numeric_short_year);
  std::vector<SearchHit> hits;
  if (!FindTransactions(ledger_, search, &hits)) return;
  for (const SearchHit& hit : hits) {
    const TransactionRecord* line = Line(hit.record_number);
    if (line == nullptr) return;
    const std::string question = "Searching for: " + *text + "\n\n" +
                                 EscapeControls(search.MatchLine(line->raw, hit.field)) +
                                 "\n\nContinue searching?";
    show(hit.record_number);
    if (!ui.YesNoDefaultNo(question)) return;
  }
  if (hits.empty()) {
    ui.Error(kNoMatchesFound);
  } else {
    ui.Information(kNoAdditionalMatches);
  }
}

void ReviewList::ShowAccountBalance() {
  Ui& ui = ledger_.ui();
  const std::optional<std::string> typed = ui.InputBox(kBalancePrompt, kBalanceTitle, "");
  if (!typed || Trim(*typed).empty()) return;
  const std::string number = Trimmed(*typed);
  const int record = ledger_.FindAccount(number);
  if (record == 0) {
    ui.Error("Account " + number + " not found");
    return;
  }
  const AccountRecord& account = ledger_.chart().account(record);
  ui.Information("Balance for\n" + EscapeControls(Trimmed(account.number)) + " " +
                 EscapeControls(Trimmed(account.description)) + "\n\n" +
                 ledger_.AccountBalance(record).ToString());
}

std::optional<TransactionRecord> ReviewList::EntryToEdit(int number) {
  TransactionRecord line;
  if (number < 1 || number > row_count() || !ledger_.ReadTransaction(number, &line)) {
    return std::nullopt;
  }
  if (!PassesCheckedOutGuard(ledger_, line)) return std::nullopt;
  return line;
}

VoidOrDeleteResult ReviewList::VoidOrDeleteEntry(int number, bool offer_void) {
  if (number < 1 || number > row_count()) return VoidOrDeleteResult::kNothing;
  return VoidOrDelete(ledger_, program_.date_patterns(), number, offer_void);
}

}  // namespace zenkar
