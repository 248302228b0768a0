// Fuzz target: a whole data folder loaded by Ledger::OpenDataFolder, then
// read as the screens and reports read it.
//
// The input is the folder: an 8-byte header, then the files' bytes in the
// order KXACCT.CFG, KXACCT.COA, KXACCT.VND, KXACCT.TRN. The header holds one
// little-endian 16-bit word per file, in the same order:
//
//   0xFFFF             the file is absent
//   bits 0-14          the number of records (at most kMaxRecords)
//   bit 15             one stray byte follows the records (a damaged length)
//
// Records take the next bytes of the input; zero bytes stand in for what the
// input lacks. The files are written into a fresh folder, and the ledger
// loads it through the real file layer, the default chart in its program
// folder, and a Ui that answers every question with its preselected answer.
// When the folder loaded, the books must keep the load's promises: every
// posted total is the sum of its account's lines, and the transaction file
// is in the order the settings choose. Then the chart consistency test, the
// Month and Quarter lists, the settings printout and both statements run.
#include <algorithm>
#include <cstdint>
#include <string>

#include "common/byte_codec.h"
#include "common/file_system.h"
#include "common/text_field.h"
#include "fuzz/books_checks.h"
#include "fuzz/fuzz_support.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/chart_text.h"
#include "ledger/ledger.h"
#include "ledger/transaction_order.h"
#include "output/financial_statements.h"
#include "output/output_fakes.h"
#include "output/report_period.h"
#include "output/report_run.h"
#include "output/settings_report.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using namespace zenkar;
using zenkar::fuzzing::CheckPostedTotals;
using zenkar::fuzzing::Require;
using zenkar::testing::TempDir;

// Enough lines for every rule of the load; a larger input only runs slower.
constexpr size_t kMaxRecords = 2000;
constexpr uint16_t kAbsent = 0xFFFF;

struct FolderFile {
  std::string_view name;
  size_t record_size;
};
constexpr FolderFile kFiles[] = {{CompanySettings::kFileName, CompanySettings::kSize},
                                 {AccountRecord::kFileName, AccountRecord::kSize},
                                 {PayeeRecord::kFileName, PayeeRecord::kSize},
                                 {kTransactionFileName, TransactionRecord::kSize}};

// The program folder with the default chart, made once.
const std::string& ProgramFolder() {
  static const TempDir* folder = [] {
    std::string text;
    std::vector<AccountRecord> accounts;
    Require(PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() &&
                ParseChartText(text, &accounts).ok(),
            "the default chart reads");
    auto* made = new TempDir;
    made->WriteFile(AccountRecord::kDefaultChartFileName, ChartOfAccounts(accounts).Encode());
    return made;
  }();
  return folder->path();
}

void WriteFolder(std::string_view input, const TempDir& folder) {
  std::string header(input.substr(0, 8));
  header.resize(8, '\0');
  std::string_view rest = input.substr(std::min<size_t>(input.size(), 8));
  for (size_t i = 0; i < 4; ++i) {
    const uint16_t word = static_cast<uint16_t>(GetInt16(header, 2 * i));
    if (word == kAbsent) continue;
    const size_t records = std::min<size_t>(word & 0x7FFF, kMaxRecords);
    const size_t length = records * kFiles[i].record_size + (word >> 15);
    std::string bytes(rest.substr(0, length));
    rest.remove_prefix(bytes.size());
    bytes.resize(length, '\0');
    folder.WriteFile(kFiles[i].name, bytes);
  }
}

void CheckOrder(Ledger& ledger, const TempDir& folder) {
  const std::string lines = folder.ReadFile(kTransactionFileName);
  Require(
      lines.size() == static_cast<size_t>(ledger.transaction_count()) * TransactionRecord::kSize,
      "the count is the file's");
  const TransactionOrder order = ledger.transaction_order();
  Require(IsArranged(OrderKeysOf(lines), order, order == TransactionOrder::kEntry),
          "the loaded file is in the order the settings choose");
}

// The reading work of the Reports tab and the setup screens.
void ReadBooks(Ledger& ledger, const TempDir& folder) {
  ledger.ChartConsistencyProblems();
  ledger.OutOfBalance();
  ledger.BankBalance();
  testing::TestOutput output(folder.path());
  SettingsReportLines(ledger.settings(), SettingsReportFiguresOf(ledger));
  const ReportDateLists lists = FillReportDates(ledger);
  ReportRunRequest request;
  request.ticked = {std::string(kIncomeStatementLabel), std::string(kBalanceSheetLabel)};
  request.target = OutputTarget::kPrinter;
  request.period =
      lists.months.empty() ? DatePeriod(output.clock.Today()) : lists.months.back().period;
  ReportRegistry registry;
  AddFinancialStatements(registry);
  RunReports(registry, ledger, output.services, request);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& program_folder = ProgramFolder();
  const TempDir folder;
  WriteFolder(zenkar::fuzzing::BytesOf(data, size), folder);
  testing::ScriptedUi ui;
  testing::FixedClock clock;
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.set_program_folder(program_folder);
  ledger.SetDataFolder(folder.path());
  if (!ledger.OpenDataFolder()) return 0;
  CheckPostedTotals(ledger);
  CheckOrder(ledger, folder);
  ReadBooks(ledger, folder);
  ledger.Close();
  return 0;
}
