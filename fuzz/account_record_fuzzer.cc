// Fuzz target: the accounts of a chart file (KXACCT.COA), AccountRecord and
// ChartOfAccounts.
//
// Every byte of an account belongs to a known field, so Encode after Decode
// gives each record, and the chart the whole file, back byte for byte. The
// look-ups the screens and the load make on a chart read from disk (labels,
// the index by number, sorting) must hold for any bytes: a sorted chart
// reports itself sorted and every account is found under its number.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "fuzz/fuzz_support.h"
#include "ledger/account_record.h"
#include "ledger/chart_of_accounts.h"

namespace {

using zenkar::AccountRecord;
using zenkar::ChartOfAccounts;
using zenkar::fuzzing::Require;

void CheckAccount(const ChartOfAccounts& chart, const std::unordered_map<std::string, int>& index,
                  int n, std::string_view record) {
  const AccountRecord& account = chart.account(n);
  Require(account.Encode() == record, "an account encodes back to its record");
  Require(AccountRecord::Decode(record).Encode() == record, "Decode then Encode is the record");
  account.Label();
  zenkar::AccountTypeLabel(account.type);
  zenkar::TitleTypeLabel(account.title_type);
  const int found = chart.FindAccount(account.number);
  Require(found != 0 || zenkar::AccountKey(account.number) == "    ",
          "every account with a number is found");
  Require(found == 0 || zenkar::SameAccount(chart.account(found).number, account.number),
          "the account found has the number asked for");
  Require(found == 0 || index.at(account.number) == found,
          "the index by number finds the same account as FindAccount");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = zenkar::fuzzing::WholeRecords(data, size, AccountRecord::kSize);
  ChartOfAccounts chart = ChartOfAccounts::Decode(file);
  Require(chart.Encode() == file, "the chart encodes back to its file");
  const std::unordered_map<std::string, int> index = chart.IndexByNumber();
  for (int n = 1; n <= chart.count(); ++n) {
    CheckAccount(
        chart, index, n,
        std::string_view(file).substr((n - 1) * AccountRecord::kSize, AccountRecord::kSize));
  }
  chart.Sort();
  Require(chart.IsSorted(), "a sorted chart is sorted");
  return 0;
}
