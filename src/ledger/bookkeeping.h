// Bookkeeping: what a transaction line does to the balances of the accounts.
//
// This is the one place that says how lines move balances; the ledger's
// posted totals, the bank balance, the out-of-balance figure and every report
// are built on it.
//
// - A journal line (kind 1) moves only its own account, by its amount.
// - A check or deposit (kind 2) is two-sided: its own account moves by its
//   amount and the bank account of the settings by the negated amount. The
//   chart keeps only the own side in the posted totals; the bank side is
//   derived from the sum of all check/deposit amounts.
// - An unpaid invoice (kind 3) moves nothing, except in the statements of a
//   company using accrual accounting, where it moves its account by its amount
//   and the accounts payable account by the negated amount.
//
// Every amount is rounded to cents line by line before it is added.
#ifndef ZENKAR_LEDGER_BOOKKEEPING_H_
#define ZENKAR_LEDGER_BOOKKEEPING_H_

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/transaction_record.h"

namespace zenkar {

// The largest amount, either way, that a line or a balance forward holds:
// ten times what can be typed. A file holding a larger one is damaged.
inline constexpr Money kLargestAmount = Money::FromUnits(1'000'000'000);
// The most lines and accounts the books hold. Every sum the program forms
// adds each of them at most twice (a check to its account and to the bank),
// so with every amount within kLargestAmount no sum can overflow.
inline constexpr int kMostLinesAndAccounts = 400'000;
static_assert(kLargestAmount.raw() <=
                  std::numeric_limits<int64_t>::max() / 2 / kMostLinesAndAccounts,
              "the books' largest sums must fit in Money");

inline bool WithinLargestAmount(Money amount) {
  return amount <= kLargestAmount && amount >= -kLargestAmount;
}

// The amount a line adds to the posted total of its own account: the amount
// rounded to cents for journal lines and checks/deposits, zero otherwise.
Money PostedAmount(int32_t kind, Money amount);
inline Money PostedAmount(const TransactionRecord& line) {
  return PostedAmount(line.kind, line.amount);
}

// Whose view of the lines: the books (screens, posted totals, "Where Am I?")
// or the financial statements, which follow the accrual-accounting option.
enum class Basis { kBooks, kStatements };

struct BalanceMove {
  std::string account;  // 4-character account number
  Money amount;         // rounded to cents
};

// The balance moves of one line: none, one or two.
struct LineMoves {
  std::array<BalanceMove, 2> moves;
  int count = 0;
  const BalanceMove* begin() const { return moves.data(); }
  const BalanceMove* end() const { return moves.data() + count; }
};
LineMoves BalanceMoves(const TransactionRecord& line, const CompanySettings& settings, Basis basis);

// The same rule for passes over many lines that build no strings: accounts
// as PackedAccountNumber gives them, the settings' accounts packed once.
struct PackedMove {
  uint32_t account = 0;
  Money amount;  // rounded to cents
};
struct PackedMoves {
  std::array<PackedMove, 2> moves;
  int count = 0;
  const PackedMove* begin() const { return moves.data(); }
  const PackedMove* end() const { return moves.data() + count; }
};
class PackedBookkeeping {
 public:
  PackedBookkeeping(const CompanySettings& settings, Basis basis);
  // Inline: a statement asks this of every line.
  PackedMoves Moves(int32_t kind, uint32_t account, Money amount_in) const {
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

 private:
  uint32_t bank_;
  uint32_t payables_;
  bool invoices_move_;
};

// Running figures over all lines of the transaction file, kept by the ledger
// as lines are added, changed and removed.
struct TransactionSummary {
  Money check_deposit_total;  // rounded kind-2 amounts: the bank side, negated
  Money journal_total;        // rounded kind-1 amounts; zero when entries balance
  int unpaid_count = 0;       // kind-3 lines ("Unpaid Count:")
  Money unpaid_total;         // their amounts, rounded ("Total Unpaid:")

  // Adds (sign +1) or takes away (sign -1) one line.
  void Count(int32_t kind, Money amount, int sign);
  // Adds `lines` lines of `kind` whose rounded amounts sum to `rounded`.
  void Add(int32_t kind, Money rounded, int lines) {
    if (kind == kCheckOrDeposit) check_deposit_total += rounded;
    if (kind == kJournalLine) journal_total += rounded;
    if (kind == kInvoice) {
      unpaid_count += lines;
      unpaid_total += rounded;
    }
  }
  friend bool operator==(const TransactionSummary&, const TransactionSummary&) = default;
};

// The figures of a whole pass over the transaction file: the summary and, per
// account number, the sum of the rounded journal and check/deposit amounts
// (what each account's posted total must be), for existing and deleted
// accounts alike.
class LineTotals {
 public:
  // Set in the code of every account in the table (its packed number in the
  // low bytes), so that 0 marks a free slot, even for four zero bytes.
  static constexpr uint64_t kUsedMark = uint64_t{1} << 32;

  TransactionSummary summary;

  void Add(const TransactionFacts& line);
  // Adds a line of `kind` to `account` (as PackedAccountNumber gives it)
  // whose amount rounded to cents is `rounded`.
  void AddPackedSum(int32_t kind, uint32_t account, Money rounded) {
    summary.Add(kind, rounded, 1);
    if (kind == kJournalLine || kind == kCheckOrDeposit) {
      SlotOf(uint64_t{account} | kUsedMark).amount += rounded;
    }
  }
  Money PostedTo(std::string_view account) const;
  // Calls `visit` with each account number (4 characters) and its sum.
  void ForEachAccount(const std::function<void(const std::string&, Money)>& visit) const;

 private:
  struct Slot {
    uint64_t code = 0;  // the 4 bytes of the account number and a mark; 0: a free slot
    Money amount;
  };
  // Inline: the open's pass looks up an account for every line.
  Slot& SlotOf(uint64_t code) {
    if (2 * (used_ + 1) > slots_.size()) Grow();
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
  void Grow();

  // An open-addressing table keyed by the 4 bytes of the account number: a
  // pass over 100,000 lines builds no strings and allocates nothing per line.
  std::vector<Slot> slots_ = std::vector<Slot>(256);
  size_t used_ = 0;
};

// An account's balance: its balance forward plus its posted total, and for
// the bank account less the check/deposit total.
Money AccountBalance(const AccountRecord& account, const CompanySettings& settings,
                     const TransactionSummary& summary);
// The bank account's derived balance; its stored part counts as zero when the
// bank account is not in the chart.
Money BankBalance(const ChartOfAccounts& chart, const CompanySettings& settings,
                  const TransactionSummary& summary);
// The sum of every account's balance so derived: zero when the books balance
// ("Where Am I?", "Posting Total:").
Money OutOfBalance(const ChartOfAccounts& chart, const TransactionSummary& summary);

// The reference suggested after a line with `reference` is saved: a number
// greater than 0 becomes that number plus one, written with leading zeros to
// the width of the trimmed reference clamped to 1..5 digits, and wraps to 1
// above 99,999 ("00998" gives "00999", "99999" gives "00001", "7" gives "8").
// Nothing for any other reference, which leaves the suggestion unchanged.
std::optional<std::string> SuggestedNextReference(std::string_view reference);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_BOOKKEEPING_H_
