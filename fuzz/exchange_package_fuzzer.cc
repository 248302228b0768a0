// Fuzz target: a package of the accountant exchange imported into a small
// company, on the client's side (ZENKAR.AAA: the state and the accountant's
// new entries) or on the accountant's (ZENKAR.CCC: the client's books).
//
// The input: one byte whose lowest bit chooses the side (0 the client, 1 the
// accountant), then the package's bytes. Every question is answered Yes.
//
// Properties: the state record encodes back to the bytes it was read from;
// an import that was refused left every file of the data folder as it was;
// one that was taken leaves books that load, with every posted total the sum
// of its lines, and on the client's side no line checked out any more.
#include <cstdint>
#include <map>
#include <string>

#include "fuzz/books_checks.h"
#include "fuzz/fuzz_support.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/ledger.h"
#include "services/exchange/accountant_exchange.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using namespace zenkar;
using zenkar::fuzzing::CheckPostedTotals;
using zenkar::fuzzing::Require;
using zenkar::testing::TempDir;

constexpr int32_t kThisInstallation = 0x0BADCAFE;
constexpr int32_t kOtherInstallation = 0x00C0FFEE;

AccountRecord Account(std::string_view number, int32_t type) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = "Account " + std::string(number);
  account.type = type;
  return account;
}

TransactionRecord Line(std::string_view account, int64_t cents, int32_t mark) {
  TransactionRecord line;
  line.kind = kJournalLine;
  line.account = std::string(account);
  line.amount = Money::FromCents(cents);
  line.date = 46000;
  line.exchange_mark = mark;
  return line;
}

// A company on the side `accountant` chooses, three lines marked as that
// side's lines are.
void WriteCompany(const TempDir& folder, bool accountant) {
  CompanySettings settings;
  NewCompanySettings(settings);
  folder.WriteFile(CompanySettings::kFileName, settings.Encode());
  folder.WriteFile(AccountRecord::kFileName,
                   ChartOfAccounts({Account("110", kAssets), Account("465", kLiabilitiesAndEquity),
                                    Account("510", kIncome), Account("650", kOperatingExpenses)})
                       .Encode());
  PayeeRecord payee;
  ClearPayee(payee);
  payee.name = "Harbor Supply";
  folder.WriteFile(PayeeRecord::kFileName, payee.Encode());
  const int32_t mark = accountant ? kMarkClientLine : kMarkCheckedOut;
  folder.WriteFile(kTransactionFileName, Line("650", 1200, mark).Encode() +
                                             Line("510", -1200, mark).Encode() +
                                             Line("110", 0, mark).Encode());
  ExchangeStateRecord state;
  state.client_number = accountant ? kOtherInstallation : kThisInstallation;
  state.accountant_number = accountant ? kThisInstallation : kOtherInstallation;
  state.accountant_export_date = 45990;
  folder.WriteFile(ExchangeStateRecord::kFileName, state.Encode());
}

std::map<std::string, std::string> Files(const TempDir& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : folder.ListingNames()) {
    if (name != "KXACCT.LCK") files[name] = folder.ReadFile(name);
  }
  return files;
}

void CheckBooks(Ledger& ledger, bool accountant) {
  CheckPostedTotals(ledger);
  bool checked_out = false;
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    checked_out = checked_out || line.exchange_mark == kMarkCheckedOut;
  });
  if (!accountant) Require(!checked_out, "the client's books are checked in");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = zenkar::fuzzing::BytesOf(data, size);
  const bool accountant = !input.empty() && (input[0] & 1) != 0;
  const std::string_view package = input.substr(std::min<size_t>(input.size(), 1));
  std::string state(package.substr(0, ExchangeStateRecord::kSize));
  state.resize(ExchangeStateRecord::kSize, '\0');
  Require(ExchangeStateRecord::Decode(state).Encode() == state,
          "a state record encodes back whole");

  const TempDir folder, packages;
  WriteCompany(folder, accountant);
  packages.WriteFile(accountant ? kClientPackageName : kAccountantPackageName, package);
  testing::ScriptedUi ui;
  for (int i = 0; i < 8; ++i) ui.Answer(true);
  testing::FixedClock clock;
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.SetDataFolder(folder.path());
  Require(ledger.OpenDataFolder(), "the company loads");
  const std::map<std::string, std::string> before = Files(folder);
  ExchangeEnvironment env{ledger,
                          {PosixFileSystem(), ui, "KXACCT", "Zenkar Accounting", folder.path()},
                          kThisInstallation};
  if (!ImportPackage(env, packages.path())) {
    Require(Files(folder) == before, "a refused package changes no file");
  } else if (ledger.is_loaded()) {
    CheckBooks(ledger, accountant);
  }
  ledger.Close();
  return 0;
}
