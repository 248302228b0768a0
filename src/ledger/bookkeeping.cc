#include "ledger/bookkeeping.h"

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr int64_t kLargestReference = 99999;
constexpr size_t kWidestReference = 5;

}  // namespace

Money PostedAmount(int32_t kind, Money amount) {
  if (kind != kJournalLine && kind != kCheckOrDeposit) return Money();
  return amount.RoundedToCents();
}

LineMoves BalanceMoves(const TransactionRecord& line, const CompanySettings& settings,
                       Basis basis) {
  LineMoves moves;
  const PackedBookkeeping rules(settings, basis);
  for (const PackedMove& move :
       rules.Moves(line.kind, PackedAccountNumber(line.account), line.amount)) {
    moves.moves[moves.count++] = BalanceMove{UnpackedAccountNumber(move.account), move.amount};
  }
  return moves;
}

PackedBookkeeping::PackedBookkeeping(const CompanySettings& settings, Basis basis)
    : bank_(PackedAccountNumber(settings.bank_account)),
      payables_(PackedAccountNumber(settings.payables_account)),
      invoices_move_(basis == Basis::kStatements && settings.accrual_accounting != 0) {}

void TransactionSummary::Count(int32_t kind, Money amount, int sign) {
  const Money rounded = amount.RoundedToCents();
  Add(kind, sign < 0 ? -rounded : rounded, sign < 0 ? -1 : 1);
}

namespace {

// The account number's 4 bytes, padded with spaces, marked as used. Each
// stored number has its own code: the chart looks accounts up by their exact
// bytes, so the totals must not merge two numbers it tells apart.
uint64_t AccountCode(std::string_view account) {
  return uint64_t{PackedAccountNumber(account)} | LineTotals::kUsedMark;
}

}  // namespace

void LineTotals::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_ = std::vector<Slot>(old.size() * 2);
  used_ = 0;
  for (const Slot& slot : old) {
    if (slot.code != 0) SlotOf(slot.code).amount = slot.amount;
  }
}

void LineTotals::Add(const TransactionFacts& line) {
  AddPackedSum(line.kind, PackedAccountNumber(line.account), line.amount.RoundedToCents());
}

Money LineTotals::PostedTo(std::string_view account) const {
  const uint64_t code = AccountCode(account);
  const size_t mask = slots_.size() - 1;
  for (size_t i = AccountSlotStart(code, mask); slots_[i].code != 0; i = (i + 1) & mask) {
    if (slots_[i].code == code) return slots_[i].amount;
  }
  return Money();
}

void LineTotals::ForEachAccount(const std::function<void(const std::string&, Money)>& visit) const {
  for (const Slot& slot : slots_) {
    if (slot.code != 0) visit(UnpackedAccountNumber(static_cast<uint32_t>(slot.code)), slot.amount);
  }
}

Money AccountBalance(const AccountRecord& account, const CompanySettings& settings,
                     const TransactionSummary& summary) {
  Money balance = account.balance_forward + account.posted_total;
  if (SameAccount(account.number, settings.bank_account)) balance -= summary.check_deposit_total;
  return balance;
}

Money BankBalance(const ChartOfAccounts& chart, const CompanySettings& settings,
                  const TransactionSummary& summary) {
  const int bank = chart.FindAccount(settings.bank_account);
  const Money stored =
      bank == 0 ? Money() : chart.account(bank).balance_forward + chart.account(bank).posted_total;
  return stored - summary.check_deposit_total;
}

Money OutOfBalance(const ChartOfAccounts& chart, const TransactionSummary& summary) {
  // Every check/deposit's bank side counts once, whether or not the bank
  // account is in the chart.
  Money total = -summary.check_deposit_total;
  for (const AccountRecord& account : chart.accounts()) {
    total += account.balance_forward + account.posted_total;
  }
  return total;
}

std::optional<std::string> SuggestedNextReference(std::string_view reference) {
  const std::string_view trimmed = Trim(reference);
  if (trimmed.empty()) return std::nullopt;
  if (!std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const std::string_view significant =
      trimmed.substr(std::min(trimmed.find_first_not_of('0'), trimmed.size()));
  if (significant.empty()) return std::nullopt;  // zero is not a reference number
  // Seven or more significant digits are past 99,999 whatever they say.
  const int64_t number =
      significant.size() > 6 ? kLargestReference + 1 : std::stoll(std::string(significant));
  const int64_t next = number + 1 > kLargestReference ? 1 : number + 1;
  const size_t width = std::clamp<size_t>(trimmed.size(), 1, kWidestReference);
  std::string text = std::to_string(next);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace zenkar
