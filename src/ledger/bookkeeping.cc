#include "ledger/bookkeeping.h"

#include <algorithm>
#include <bit>

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

PackedMoves PackedBookkeeping::Moves(int32_t kind, uint32_t account, Money amount_in) const {
  PackedMoves moves;
  const Money amount = amount_in.RoundedToCents();
  auto add = [&](uint32_t to, Money by) { moves.moves[moves.count++] = {to, by}; };
  switch (kind) {
    case kJournalLine:
      add(account, amount);
      break;
    case kCheckOrDeposit:
      add(account, amount);
      add(bank_, -amount);
      break;
    case kInvoice:
      if (invoices_move_) {
        add(account, amount);
        add(payables_, -amount);
      }
      break;
  }
  return moves;
}

void TransactionSummary::Count(int32_t kind, Money amount, int sign) {
  const Money rounded = amount.RoundedToCents();
  Add(kind, sign < 0 ? -rounded : rounded, sign < 0 ? -1 : 1);
}

void TransactionSummary::Add(int32_t kind, Money rounded, int lines) {
  if (kind == kCheckOrDeposit) check_deposit_total += rounded;
  if (kind == kJournalLine) journal_total += rounded;
  if (kind == kInvoice) {
    unpaid_count += lines;
    unpaid_total += rounded;
  }
}

namespace {

// Set in every code, so that 0 never names an account, not even one whose
// number is four zero bytes.
constexpr uint64_t kUsedMark = uint64_t{1} << 32;
// AddPackedSum takes a packed number's bytes as AccountCode reads them.
static_assert(std::endian::native == std::endian::little);

// The account number's 4 bytes, padded with spaces, as one number. Each
// stored number has its own code: the chart looks accounts up by their exact
// bytes, so the totals must not merge two numbers it tells apart.
uint64_t AccountCode(std::string_view account) {
  uint64_t code = 0;
  for (size_t i = 4; i-- > 0;) {
    const uint8_t byte = i < account.size() ? static_cast<uint8_t>(account[i]) : ' ';
    code = (code << 8) | byte;
  }
  return code | kUsedMark;
}

std::string AccountOfCode(uint64_t code) {
  std::string account(4, ' ');
  for (int i = 0; i < 4; ++i) account[i] = static_cast<char>((code >> (8 * i)) & 0xFF);
  return account;
}

}  // namespace

LineTotals::Slot& LineTotals::SlotOf(uint64_t code) {
  if (2 * (used_ + 1) > slots_.size()) {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.size() * 2);
    used_ = 0;
    for (const Slot& slot : old) {
      if (slot.code != 0) SlotOf(slot.code).amount = slot.amount;
    }
  }
  const size_t mask = slots_.size() - 1;
  for (size_t i = AccountSlotStart(code, mask);; i = (i + 1) & mask) {
    if (slots_[i].code == code) return slots_[i];
    if (slots_[i].code == 0) {
      slots_[i].code = code;
      ++used_;
      return slots_[i];
    }
  }
}

void LineTotals::Add(const TransactionFacts& line) {
  AddPackedSum(line.kind, PackedAccountNumber(line.account), line.amount.RoundedToCents());
}

void LineTotals::AddPackedSum(int32_t kind, uint32_t account, Money rounded) {
  summary.Add(kind, rounded, 1);
  if (kind == kJournalLine || kind == kCheckOrDeposit) {
    SlotOf(uint64_t{account} | kUsedMark).amount += rounded;
  }
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
    if (slot.code != 0) visit(AccountOfCode(slot.code), slot.amount);
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
