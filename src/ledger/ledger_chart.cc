// The chart-of-accounts operations of the Ledger: adding, editing and
// deleting accounts under the chart rules, saving, the consistency test and
// the capital account.
#include "common/file_set_rewrite.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/chart_rules.h"
#include "ledger/companion_accounts.h"
#include "ledger/ledger.h"
#include "ledger/recurring_entries.h"

namespace zenkar {
namespace {

constexpr std::string_view kSelectedAsThe = "the account currently selected as the ";

AccountRecord NewAccountFrom(const AccountRecord& entered) {
  AccountRecord account;
  account.number = AccountKey(entered.number);
  account.description = entered.description;
  account.type = entered.type;
  account.total_level = entered.total_level;
  account.title_type = entered.title_type;
  account.balance_forward = entered.balance_forward;
  return account;  // work areas, posted total and second text start empty
}

// Makes every setup field of `settings` that named account `from` name `to`;
// returns the message of the first role in rule order ("" when none did).
std::string_view FollowRenumberedAccount(CompanySettings& settings, std::string_view from,
                                         std::string_view to) {
  std::string_view first;
  for (const SetupRole& role : SetupRoles()) {
    std::string& field = settings.*role.field;
    if (!SameAccount(field, from)) continue;
    field = AccountKey(to);
    if (first.empty()) first = role.updating_message;
  }
  return first;
}

}  // namespace

// Rules 1 to 4 of adding and editing; `record_number` is 0 when adding.
bool Ledger::CheckAccountEdit(const AccountRecord& edited, int record_number) {
  if (Trim(edited.number).empty()) {
    ui_.Error(kMustEnterAccountNumber);
    return false;
  }
  const bool renumbered =
      record_number == 0 || !SameAccount(chart_.account(record_number).number, edited.number);
  if (renumbered && chart_.FindAccount(edited.number) != 0) {
    ui_.Error(AccountInUseMessage(edited.number));
    return false;
  }
  if (!edited.IsEntry() && !edited.balance_forward.IsZero()) {
    ui_.Error(kTitleAccountsCannotPost);
    return false;
  }
  if (record_number == 0 || edited.IsEntry()) return true;
  const std::string& old_number = chart_.account(record_number).number;
  for (const SetupRole& role : SetupRoles()) {
    if (SameAccount(settings_.*role.field, old_number)) {
      ui_.Error(role.non_entry_message);
      return false;
    }
  }
  return true;
}

bool Ledger::AddAccount(const AccountRecord& account) {
  Change change(*this);
  if (!change.ok() || !CheckAccountEdit(account, 0) || !CheckRoomFor(1, account.balance_forward)) {
    return false;
  }
  ChartOfAccounts next = chart_;
  next.Insert(NewAccountFrom(account));
  if (!WriteChartFile(next)) return false;
  chart_ = std::move(next);
  Notify(LedgerChange::kChartChanged);
  return true;
}

bool Ledger::EditAccount(int record_number, const AccountRecord& edited) {
  if (!is_loaded() || record_number < 1 || record_number > chart_.count()) return false;
  const std::string number = chart_.account(record_number).number;
  Change change(*this);
  if (!change.ok() || !FollowAccount(change, number, &record_number) ||
      !CheckAccountEdit(edited, record_number) || !CheckRoomFor(0, edited.balance_forward)) {
    return false;
  }
  const AccountRecord old = chart_.account(record_number);
  AccountRecord updated = edited;
  updated.number = AccountKey(edited.number);
  updated.posted_total = old.posted_total;
  const bool renumbered = !SameAccount(old.number, updated.number);
  ChartOfAccounts next = chart_;
  next.mutable_account(record_number) = updated;
  next.Sort();
  bool lines_renumbered = false, templates_renumbered = false;
  std::string templates;
  std::vector<RecurringEntryRecord> recurring;
  if (renumbered) {
    // The recurring entries name accounts by number too.
    if (!ReadRecurringFile(&templates)) return false;
    recurring = DecodeRecurringEntries(templates);
    templates_renumbered = RenumberRecurringAccounts(recurring, old.number, updated.number);
    if (!ReadWholeTransactionFile()) return false;
    lines_renumbered = RenumberLines(whole_file_, old.number, updated.number);
  }
  // The setup fields that named the old number follow it in the same change.
  CompanySettings next_settings = settings_;
  const std::string_view followed =
      renumbered ? FollowRenumberedAccount(next_settings, old.number, updated.number) : "";
  const std::string chart = next.Encode(), settings = next_settings.Encode();
  const std::string renumbered_templates = EncodeRecurringEntries(recurring);
  FileSetRewrite files(fs_);
  files.Add(FilePath(AccountRecord::kFileName), chart, chart_.Encode());
  if (templates_renumbered) {
    files.Add(FilePath(kRecurringFileName), renumbered_templates, std::move(templates));
  }
  if (!followed.empty()) files.Add(FilePath(CompanySettings::kFileName), settings, settings_.raw);
  if (lines_renumbered) files.AddLast(transactions_->path(), whole_file_);
  if (!CommitFiles(files)) return false;
  chart_ = std::move(next);
  Notify(LedgerChange::kChartChanged);
  if (lines_renumbered) Notify(LedgerChange::kTransactionsReordered);
  if (!followed.empty()) {
    settings_ = std::move(next_settings);
    settings_.raw = settings;
    ui_.Information(std::string(followed) + std::string(Trim(updated.number)));
    Notify(LedgerChange::kSettingsChanged);
  }
  return true;
}

// Writes the new number into every line of a transaction file that names the
// old one; false when no line did.
bool Ledger::RenumberLines(std::string& lines, std::string_view from, std::string_view to) {
  const std::string key = AccountKey(from);
  bool changed = false;
  for (size_t at = 0; at < lines.size(); at += kTransactionRecordLength) {
    const std::string_view record(lines.data() + at, kTransactionRecordLength);
    if (ReadTransactionFacts(record).account != key) continue;
    PutTransactionAccount(lines, to, at);
    changed = true;
  }
  return changed;
}

bool Ledger::AccountHasLines(std::string_view number, bool* has_lines) {
  const std::string key = AccountKey(number);
  *has_lines = false;
  Status s = transactions_->Scan([&](int, std::string_view record) {
    if (ReadTransactionFacts(record).account == key) *has_lines = true;
  });
  if (!s.ok()) ui_.Error("Error reading " + transactions_->path() + "\n\n" + s.message());
  return s.ok();
}

// Sets `reason` to why the account may not be deleted ("" when it may).
// False when the transaction file could not be read (the error was shown).
bool Ledger::DeleteRefusal(const AccountRecord& account, std::string* reason) {
  *reason = "";
  for (const SetupRole& role : SetupRoles()) {
    if (SameAccount(settings_.*role.field, account.number)) {
      *reason = std::string(kSelectedAsThe) + std::string(role.delete_reason);
      return true;
    }
  }
  for (const CompanionAccount& companion : CompanionSetupAccounts(fs_, data_folder_)) {
    if (SameAccount(companion.account, account.number)) {
      *reason = std::string(kSelectedAsThe) + std::string(companion.delete_reason);
      return true;
    }
  }
  bool has_lines = false;
  if (chart_.count() <= 1) {
    *reason = "the last remaining account.";
  } else if (!account.balance_forward.IsZero()) {
    *reason = "an account with a Balance Forward.";
  } else if (!AccountHasLines(account.number, &has_lines)) {
    return false;
  } else if (has_lines) {
    *reason = "an account with any entries posted to it.";
  }
  return true;
}

bool Ledger::DeleteAccount(int record_number) {
  if (!is_loaded() || record_number < 1 || record_number > chart_.count()) return false;
  const std::string number = chart_.account(record_number).number;
  Change change(*this);
  if (!change.ok() || !FollowAccount(change, number, &record_number)) return false;
  std::string refusal;
  if (!DeleteRefusal(chart_.account(record_number), &refusal)) return false;
  if (!refusal.empty()) {
    ui_.Error(std::string(kCannotDelete) + refusal);
    return false;
  }
  if (!ui_.YesNoDefaultNo(kDeleteThisAccount)) return false;
  ChartOfAccounts next = chart_;
  next.Remove(record_number);
  if (!WriteChartFile(next)) return false;
  chart_ = std::move(next);
  Notify(LedgerChange::kChartChanged);
  return true;
}

bool Ledger::SaveAccount(int record_number) {
  const std::string path = FilePath(AccountRecord::kFileName);
  wrote_in_place_ = true;
  Status s = WriteRecord(fs_, path, AccountRecord::kSize, record_number,
                         chart_.account(record_number).Encode());
  if (!s.ok()) ReportWriteFailure(path, s);
  return s.ok();
}

std::vector<std::string> Ledger::ChartConsistencyProblems() {
  LineTotals totals;
  if (is_loaded()) {
    Status s = transactions_->Scan(
        [&](int, std::string_view record) { totals.Add(ReadTransactionFacts(record)); });
    if (!s.ok()) return {"Error reading " + transactions_->path() + "\n\n" + s.message()};
  }
  return zenkar::ChartConsistencyProblems(chart_, totals);
}

bool Ledger::RunChartConsistencyTest() {
  ui_.SetProgress("Testing: ", 0, 0);
  const std::vector<std::string> problems = ChartConsistencyProblems();
  ui_.ClearProgress();
  for (const std::string& problem : problems) ui_.Error(problem, "Testing: ");
  return problems.empty();
}

std::vector<int> Ledger::CapitalAccountCandidates() {
  std::vector<int> candidates = zenkar::CapitalAccountCandidates(chart_);
  if (candidates.empty()) ui_.Error(kNoCapitalCandidates);
  return candidates;
}

bool Ledger::SetCapitalAccount(std::string_view number) {
  Change change(*this);
  if (!change.ok()) return false;
  const int found = chart_.FindAccount(number);
  if (found == 0 || !chart_.account(found).IsEntry() ||
      chart_.account(found).type != kLiabilitiesAndEquity) {
    ui_.Error(CapitalAccountMessage(number));
    return false;
  }
  const std::string before = settings_.capital_account;
  settings_.capital_account = AccountKey(number);
  if (!SaveCompanySettings()) {
    settings_.capital_account = before;
    return false;
  }
  Notify(LedgerChange::kSettingsChanged);
  return true;
}

}  // namespace zenkar
