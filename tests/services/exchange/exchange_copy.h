// One installation's copy of a company for the exchange tests: its own
// folder, Ui, clock and installation number.
#ifndef ZENKAR_TESTS_SERVICES_EXCHANGE_EXCHANGE_COPY_H_
#define ZENKAR_TESTS_SERVICES_EXCHANGE_EXCHANGE_COPY_H_

#include <string>
#include <vector>

#include "ledger/ledger_fixture.h"
#include "services/exchange/accountant_exchange.h"

namespace zenkar::testing {

struct ExchangeCopy {
  ExchangeCopy(int32_t number, std::string name) : installation(number) {
    CompanySettings settings;
    NewCompanySettings(settings);
    settings.name_line_1 = std::move(name);
    dir.WriteFile("KXACCT.CFG", settings.Encode());
    dir.WriteFile("KXACCT.COA", ChartOfAccounts(TestChart()).Encode());
    dir.WriteFile("KXACCT.VND",
                  PayeeList({Payee("Harbor Supply"), Payee("Bay Electric")}).Encode());
    dir.WriteFile("KXACCT.TRN", "");
    ledger.SetDataFolder(dir.path());
    loaded = ledger.OpenDataFolder();
  }

  ExchangeEnvironment Environment() {
    return {
        ledger, {PosixFileSystem(), ui, "KXACCT", "Zenkar Accounting", dir.path()}, installation};
  }
  bool Export(const std::string& folder) {
    ExchangeEnvironment env = Environment();
    return ExportPackage(env, folder);
  }
  bool Import(const std::string& folder) {
    ExchangeEnvironment env = Environment();
    return ImportPackage(env, folder);
  }
  bool Reset() {
    ExchangeEnvironment env = Environment();
    return ResetRole(env);
  }
  ExchangeRole Role() {
    ExchangeEnvironment env = Environment();
    return CurrentRole(env);
  }
  ExchangeStateRecord State() {
    ExchangeStateRecord state;
    EXPECT_TRUE(ReadExchangeState(PosixFileSystem(), dir.path(), &state).ok());
    return state;
  }

  std::vector<TransactionRecord> Lines() {
    std::vector<TransactionRecord> lines;
    ledger.ForEachTransaction([&](const TransactionRecord& line) { lines.push_back(line); });
    return lines;
  }
  std::vector<int32_t> Marks() {
    std::vector<int32_t> marks;
    for (const TransactionRecord& line : Lines()) marks.push_back(line.exchange_mark);
    return marks;
  }
  int Append(TransactionRecord line) {
    const std::optional<int> number = ledger.AppendTransaction(line);
    EXPECT_TRUE(number.has_value()) << ::testing::PrintToString(ui.Texts());
    return number.value_or(0);
  }

  int32_t installation;
  TempDir dir;
  ScriptedUi ui;
  FixedClock clock;
  Ledger ledger{PosixFileSystem(), ui, clock};
  bool loaded = false;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SERVICES_EXCHANGE_EXCHANGE_COPY_H_
