#include "batch/journal_export.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "common/text_field.h"
#include "output/report_period.h"
#include "output/statement_scan.h"

namespace zenkar {
namespace {

constexpr std::string_view kNoAccountNumber = "No account number";
constexpr std::string_view kDeletedAccountSuffix = " Deleted from the chart";
constexpr std::string_view kOpeningDescription = "Balance forward";
constexpr std::string_view kJournalFallback = "Journal entry";
constexpr std::string_view kNoDescription = "No description";

// --- Texts --------------------------------------------------------------

// A text of the books as the journal can hold it: UTF-8 on one line, without
// control characters (each becomes a space: a line break or a tab would end
// the entry or the account name), single spaces, and none of the characters
// that end a description or an account name in either reader (";" starts a
// comment, "|" splits payee from note).
std::string JournalText(std::string_view cp1252) {
  std::string text;
  for (char c : cp1252) {
    if (IsControlCharacter(static_cast<unsigned char>(c))) c = ' ';
    if (c == ';') c = ',';
    if (c == '|') c = '/';
    if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
    text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return Cp1252ToUtf8(text);
}

// An account name: a ":" would make a sub-account, and a leading bracket,
// "*" or "!" would read as a virtual posting or a status mark.
std::string AccountNameText(std::string_view cp1252) {
  std::string name = JournalText(cp1252);
  std::replace(name.begin(), name.end(), ':', '-');
  if (!name.empty() && std::string_view("([*!").find(name[0]) != std::string_view::npos) {
    name[0] = '-';
  }
  return name;
}

// A code: the reference without the parentheses that delimit it.
std::string CodeText(std::string_view cp1252) {
  std::string code = JournalText(cp1252);
  code.erase(std::remove_if(code.begin(), code.end(), [](char c) { return c == '(' || c == ')'; }),
             code.end());
  return code;
}

std::string IsoDate(DayNumber day) {
  const CivilDate date = ToCivilDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

// How many decimals `amount` needs: 2, or 3 or 4 for fractions of a cent
// (balance forwards are stored with four decimals).
int DecimalsOf(Money amount) {
  if (amount.raw() % 10 != 0) return 4;
  if (amount.raw() % 100 != 0) return 3;
  return 2;
}

std::string AmountText(Money amount, int decimals) {
  const int64_t raw = amount.raw();
  const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : raw;
  std::string fraction = std::to_string(magnitude % Money::kScale);
  fraction.insert(0, 4 - fraction.size(), '0');
  return (raw < 0 ? "-" : "") + std::to_string(magnitude / Money::kScale) + "." +
         fraction.substr(0, static_cast<size_t>(decimals));
}

// --- Accounts -------------------------------------------------------------

// The journal's accounts: one per chart record (record n is index n - 1),
// then the ones the chart lacks, in the order lines first name them.
class JournalAccounts {
 public:
  JournalAccounts(const ChartOfAccounts& chart, const CompanySettings& settings) {
    std::set<std::string> names;
    for (int n = 1; n <= chart.count(); ++n) {
      const AccountRecord& record = chart.account(n);
      std::string name = AccountNameText(record.Label());
      // Two records of one number and description still stay apart.
      if (!names.insert(name).second) name += " (record " + std::to_string(n) + ")";
      accounts_.push_back({name, TypeOf(record, settings), record.IsEntry()});
      by_key_.emplace(AccountKey(record.number), n - 1);  // the first of a number wins
    }
  }

  // The account that lines naming `number` post to.
  int IdOf(std::string_view number) {
    const std::string key = AccountKey(number);
    auto [it, added] = by_key_.emplace(key, static_cast<int>(accounts_.size()));
    if (added) accounts_.push_back({MissingName(key), '\0', true});
    accounts_[it->second].used = true;
    return it->second;
  }
  int IdOfRecord(int record_number) {
    accounts_[record_number - 1].used = true;
    return record_number - 1;
  }
  int OutOfBalanceId() {
    if (out_of_balance_ < 0) {
      out_of_balance_ = static_cast<int>(accounts_.size());
      accounts_.push_back({std::string(kOutOfBalanceAccount), '\0', true});
    }
    accounts_[out_of_balance_].used = true;
    return out_of_balance_;
  }
  const std::string& Name(int id) const { return accounts_[id].name; }

  // Entry accounts and every account a posting names, with their types.
  void WriteDeclarations(std::string& out) const {
    for (const Account& account : accounts_) {
      if (!account.entry && !account.used) continue;
      out += "account " + account.name + "\n";
      if (account.type != '\0') out += std::string("    ; type: ") + account.type + "\n";
    }
  }

 private:
  struct Account {
    std::string name;
    char type;  // hledger's account type letter; '\0' for none
    bool entry;
    bool used = false;
  };

  // Types 1 and 2 are the balance sheet; of the statement types the odd ones
  // (income, gross profit, other income, net profit) are credit-natured.
  static char TypeOf(const AccountRecord& record, const CompanySettings& settings) {
    if (SameAccount(record.number, settings.bank_account)) return 'C';
    if (record.type == kAssets) return 'A';
    if (record.type == kLiabilitiesAndEquity) {
      return SameAccount(record.number, settings.capital_account) ? 'E' : 'L';
    }
    return record.type % 2 == 1 ? 'R' : 'X';
  }

  static std::string MissingName(const std::string& key) {
    if (Trim(key).empty()) return std::string(kNoAccountNumber);
    return AccountNameText(std::string(Trim(key)) + std::string(kDeletedAccountSuffix));
  }

  std::vector<Account> accounts_;
  std::unordered_map<std::string, int> by_key_;
  int out_of_balance_ = -1;
};

// --- Entries --------------------------------------------------------------

struct Posting {
  int account;
  Money amount;
  std::string comment;
};

struct Entry {
  DayNumber date = kNoDate;
  std::string code;
  std::string description;
  std::string comment;
  std::vector<Posting> postings;
};

// Collects the journal's entries from the lines of the books.
class EntryBuilder {
 public:
  EntryBuilder(Ledger& ledger, const JournalOptions& options)
      : ledger_(ledger), accounts_(ledger.chart(), ledger.settings()), accrual_(ledger.settings()) {
    accrual_.accrual_accounting = options.accrual ? 1 : 0;
    entries_.reserve(static_cast<size_t>(ledger.transaction_count()) + 1);
    entries_.emplace_back();  // the opening entry, filled in last
  }

  void Add(const TransactionRecord& line) {
    switch (line.kind) {
      case kJournalLine:
        AddPostings(JournalGroup(line), line, ledger_.MovesOf(line, Basis::kBooks));
        break;
      case kCheckOrDeposit:
        AddPostings(NewEntry(line, line.reference), line, ledger_.MovesOf(line, Basis::kBooks));
        break;
      case kInvoice:
        AddInvoice(line);
        break;
      default:
        break;  // a blank line moves no balance
    }
  }

  // Dates the opening entry and the undated lines, balances what does not
  // balance, and puts everything in date order.
  std::vector<Entry> Finish(const JournalOptions& options) {
    const DayNumber base = oldest_date_ != kNoDate ? oldest_date_ : options.today;
    const DayNumber opening = AccountingYearOf(base, ledger_.settings().fiscal_start_month).first;
    FillOpeningEntry(opening);
    for (Entry& entry : entries_) {
      if (entry.date == kNoDate) {
        entry.date = opening;
        entry.comment = entry.comment.empty() ? "undated" : entry.comment + ", undated";
      }
      BalanceEntry(entry);
    }
    if (entries_.front().postings.empty()) entries_.erase(entries_.begin());
    // Books kept in date order need no sort (only undated lines move).
    const auto by_date = [](const Entry& a, const Entry& b) { return a.date < b.date; };
    if (!std::is_sorted(entries_.begin(), entries_.end(), by_date)) {
      std::stable_sort(entries_.begin(), entries_.end(), by_date);
    }
    return std::move(entries_);
  }

  const JournalAccounts& accounts() const { return accounts_; }
  // The first line dated outside the calendar and how many more are.
  const std::optional<ImpossibleDate>& impossible_date() const { return impossible_date_; }
  int more_impossible_dates() const { return more_impossible_dates_; }

 private:
  // A date the journal would write that no calendar holds (damaged books);
  // no date (0) is not one of them.
  void CheckDate(const TransactionRecord& line, DayNumber day) {
    if (day == kNoDate || (day >= kFirstDayNumber && day <= kLastDayNumber)) return;
    if (impossible_date_.has_value()) {
      ++more_impossible_dates_;
    } else {
      impossible_date_ = ImpossibleDate{line.record_number, day};
    }
  }

  Entry& NewEntry(const TransactionRecord& line, std::string_view code) {
    Entry& entry = entries_.emplace_back();
    entry.date = StatementDate(line);
    CheckDate(line, entry.date);
    if (entry.date != kNoDate && (oldest_date_ == kNoDate || entry.date < oldest_date_)) {
      oldest_date_ = entry.date;
    }
    entry.code = CodeText(code);
    entry.description = Description(line);
    return entry;
  }

  // The entry of the line's date and reference, made at its first line.
  Entry& JournalGroup(const TransactionRecord& line) {
    const std::string key = std::to_string(line.date) + "|" + CodeText(line.reference);
    auto [it, added] = groups_.emplace(key, entries_.size());
    if (added) NewEntry(line, line.reference);
    return entries_[it->second];
  }

  void AddInvoice(const TransactionRecord& line) {
    if (accrual_.accrual_accounting == 0) return;
    Entry& entry = NewEntry(line, line.invoice_number);
    entry.comment = "unpaid invoice";
    CheckDate(line, line.due_date);
    if (line.due_date != kNoDate) entry.comment += ", due " + IsoDate(line.due_date);
    AddPostings(entry, line, BalanceMoves(line, accrual_, Basis::kStatements));
  }

  // The line's own posting carries its memo (and its description when the
  // entry shows another); the second move is the bank or payables side.
  void AddPostings(Entry& entry, const TransactionRecord& line, const LineMoves& moves) {
    bool first = true;
    for (const BalanceMove& move : moves) {
      Posting posting{accounts_.IdOf(move.account), move.amount, ""};
      if (first) posting.comment = LineComment(entry, line);
      entry.postings.push_back(std::move(posting));
      first = false;
    }
  }

  std::string LineComment(const Entry& entry, const TransactionRecord& line) const {
    std::string comment;
    const std::string description = JournalText(line.description);
    if (!description.empty() && description != entry.description) comment = description;
    const std::string memo = JournalText(line.memo);
    if (!memo.empty()) comment += (comment.empty() ? "" : " - ") + memo;
    return comment;
  }

  // The payee (or a journal entry's description); a description is never
  // empty, since an empty one cannot be declared as a payee.
  std::string Description(const TransactionRecord& line) const {
    std::string description = JournalText(line.description);
    if (description.empty() && line.payee_number != 0 && ledger_.IsValidPayee(line.payee_number)) {
      description = JournalText(ledger_.PayeeName(line.payee_number));
    }
    if (!description.empty()) return description;
    return std::string(line.kind == kJournalLine ? kJournalFallback : kNoDescription);
  }

  void FillOpeningEntry(DayNumber opening) {
    Entry& entry = entries_.front();
    entry.date = opening;
    entry.description = std::string(kOpeningDescription);
    const ChartOfAccounts& chart = ledger_.chart();
    for (int n = 1; n <= chart.count(); ++n) {
      const Money forward = chart.account(n).balance_forward;
      if (!forward.IsZero()) entry.postings.push_back({accounts_.IdOfRecord(n), forward, ""});
    }
  }

  void BalanceEntry(Entry& entry) {
    Money sum;
    for (const Posting& posting : entry.postings) sum += posting.amount;
    if (!sum.IsZero()) entry.postings.push_back({accounts_.OutOfBalanceId(), -sum, ""});
  }

  Ledger& ledger_;
  JournalAccounts accounts_;
  CompanySettings accrual_;  // the settings with accrual accounting as asked
  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> groups_;
  DayNumber oldest_date_ = kNoDate;
  std::optional<ImpossibleDate> impossible_date_;
  int more_impossible_dates_ = 0;
};

// --- Writing --------------------------------------------------------------

struct Layout {
  int decimals = 2;
  size_t name_width = 0;
  size_t amount_width = 0;
};

Layout LayoutOf(const std::vector<Entry>& entries, const JournalAccounts& accounts) {
  Layout layout;
  for (const Entry& entry : entries) {
    for (const Posting& posting : entry.postings) {
      layout.decimals = std::max(layout.decimals, DecimalsOf(posting.amount));
      layout.name_width = std::max(layout.name_width, accounts.Name(posting.account).size());
    }
  }
  for (const Entry& entry : entries) {
    for (const Posting& posting : entry.postings) {
      layout.amount_width =
          std::max(layout.amount_width, AmountText(posting.amount, layout.decimals).size());
    }
  }
  return layout;
}

// A description starting with "*", "!" or "(" would be read as a status mark
// or a code; an empty code "()" in front keeps it a description.
std::string HeaderLine(const Entry& entry) {
  std::string line = IsoDate(entry.date);
  const bool guard = std::string_view("*!(").find(entry.description[0]) != std::string_view::npos;
  if (!entry.code.empty() || guard) line += " (" + entry.code + ")";
  return line + " " + entry.description + "\n";
}

void WriteEntry(const Entry& entry, const JournalAccounts& accounts, const Layout& layout,
                std::string& out) {
  out += "\n" + HeaderLine(entry);
  if (!entry.comment.empty()) out += "    ; " + entry.comment + "\n";
  for (const Posting& posting : entry.postings) {
    const std::string& name = accounts.Name(posting.account);
    const std::string amount = AmountText(posting.amount, layout.decimals);
    out += "    " + name + std::string(layout.name_width - name.size() + 2, ' ') +
           std::string(layout.amount_width - amount.size(), ' ') + amount;
    if (!posting.comment.empty()) out += "  ; " + posting.comment;
    out += "\n";
  }
}

void WriteHeading(const Ledger& ledger, const JournalOptions& options, const Layout& layout,
                  std::string& out) {
  out += "; " + JournalText(ledger.settings().name_line_1) + "\n";
  out += "; Exported from Zenkar Accounting on " + IsoDate(options.today) + ", " +
         (options.accrual ? "accrual basis: unpaid invoices post against Accounts Payable.\n"
                          : "books basis: unpaid invoices are left out.\n");
  out += "; Amounts are signed from the account's side: debits positive, credits negative.\n\n";
  out += "commodity 1000." + std::string(static_cast<size_t>(layout.decimals), '0') + "\n\n";
}

void WritePayees(const std::vector<Entry>& entries, std::string& out) {
  std::set<std::string> payees;
  for (const Entry& entry : entries) payees.insert(entry.description);
  for (const std::string& payee : payees) out += "payee " + payee + "\n";
}

}  // namespace

std::string ImpossibleDateMessage(const ImpossibleDate& first, int more) {
  std::string text = "Transaction " + std::to_string(first.record_number) +
                     " has the impossible date " + std::to_string(first.day) +
                     " (a day number outside 1 January 100 to 31 December 9999)";
  if (more > 0) text += ", and " + std::to_string(more) + " more dates are impossible";
  return text + ". The journal was not exported; correct the dates and export again.";
}

bool ExportJournal(Ledger& ledger, const JournalOptions& options, std::string* journal) {
  EntryBuilder builder(ledger, options);
  if (!ledger.ForEachTransaction([&](const TransactionRecord& line) { builder.Add(line); })) {
    return false;
  }
  if (const auto& bad = builder.impossible_date()) {
    ledger.ui().Error(ImpossibleDateMessage(*bad, builder.more_impossible_dates()));
    return false;
  }
  const std::vector<Entry> entries = builder.Finish(options);
  const JournalAccounts& accounts = builder.accounts();
  const Layout layout = LayoutOf(entries, accounts);
  std::string out;
  out.reserve(entries.size() * 160);  // about two postings an entry
  WriteHeading(ledger, options, layout, out);
  accounts.WriteDeclarations(out);
  out += "\n";
  WritePayees(entries, out);
  for (const Entry& entry : entries) WriteEntry(entry, accounts, layout, out);
  *journal = std::move(out);
  return true;
}

}  // namespace zenkar
