#include "ledger/bookkeeping.h"

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr int64_t kLargestReference = 99999;
constexpr size_t kWidestReference = 5;

void AddMove(LineMoves& moves, std::string_view account, Money amount) {
  moves.moves[moves.count++] = BalanceMove{AccountKey(account), amount};
}

}  // namespace

Money PostedAmount(int32_t kind, Money amount) {
  if (kind != kJournalLine && kind != kCheckOrDeposit) return Money();
  return amount.RoundedToCents();
}

LineMoves BalanceMoves(const TransactionRecord& line, const CompanySettings& settings,
                       Basis basis) {
  LineMoves moves;
  const Money amount = line.amount.RoundedToCents();
  switch (line.kind) {
    case kJournalLine:
      AddMove(moves, line.account, amount);
      break;
    case kCheckOrDeposit:
      AddMove(moves, line.account, amount);
      AddMove(moves, settings.bank_account, -amount);
      break;
    case kInvoice:
      if (basis == Basis::kStatements && settings.accrual_accounting != 0) {
        AddMove(moves, line.account, amount);
        AddMove(moves, settings.payables_account, -amount);
      }
      break;
  }
  return moves;
}

void TransactionSummary::Count(int32_t kind, Money amount, int sign) {
  const Money rounded = sign < 0 ? -amount.RoundedToCents() : amount.RoundedToCents();
  if (kind == kCheckOrDeposit) check_deposit_total += rounded;
  if (kind == kJournalLine) journal_total += rounded;
  if (kind == kInvoice) {
    unpaid_count += sign < 0 ? -1 : 1;
    unpaid_total += rounded;
  }
}

void LineTotals::Add(const TransactionFacts& line) {
  summary.Count(line.kind, line.amount, +1);
  if (line.kind == kJournalLine || line.kind == kCheckOrDeposit) {
    posted_by_account[AccountKey(line.account)] += PostedAmount(line.kind, line.amount);
  }
}

Money LineTotals::PostedTo(std::string_view account) const {
  auto found = posted_by_account.find(AccountKey(account));
  return found == posted_by_account.end() ? Money() : found->second;
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
