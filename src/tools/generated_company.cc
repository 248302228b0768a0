#include "tools/generated_company.h"

#include <cstdint>
#include <utility>

#include "ledger/chart_of_accounts.h"
#include "ledger/chart_text.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

class LineGenerator {
 public:
  LineGenerator(const ChartOfAccounts& chart, uint64_t seed, int years)
      : days_(365LL * years + years / 4), state_(seed) {
    for (const AccountRecord& account : chart.accounts()) {
      if (account.IsEntry()) accounts_.push_back(account.number);
    }
  }

  std::string Lines(int count) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * TransactionRecord::kSize);
    const DayNumber first = *MakeDayNumber(2021, 1, 1);
    for (int i = 0; i < count; ++i) {
      TransactionRecord line;
      line.kind = Random(10) == 0 ? kInvoice : Random(3) == 0 ? kJournalLine : kCheckOrDeposit;
      line.account = accounts_[Random(accounts_.size())];
      line.amount = Money::FromRaw(Random(20000000) - 5000000);
      line.date = line.kind == kInvoice ? kNoDate
                                        : first + static_cast<DayNumber>(i * days_ / count) +
                                              static_cast<DayNumber>(Random(30));
      line.description = "Generated line " + std::to_string(i + 1);
      line.reference = std::to_string(1000 + i % 90000);
      line.payee_number = static_cast<int32_t>(
          line.kind == kInvoice ? 1 + Random(kGeneratedSuppliers) : Random(kGeneratedPayees + 1));
      line.unprinted = 0;
      line.entry_sequence = i + 1;
      bytes += line.Encode();
    }
    return bytes;
  }

 private:
  // A small deterministic generator, the same on every platform.
  int64_t Random(uint64_t range) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % range);
  }

  std::vector<std::string> accounts_;
  int64_t days_;  // the days the lines spread over
  uint64_t state_;
};

}  // namespace

Status ReadChartText(FileSystem& fs, const std::string& path, std::vector<AccountRecord>* chart) {
  std::string text;
  if (Status s = fs.ReadFile(path, &text); !s.ok()) return s;
  return ParseChartText(text, chart);
}

Status WriteGeneratedCompany(FileSystem& fs, const std::string& folder,
                             const std::vector<AccountRecord>& accounts, int line_count,
                             uint64_t seed, int years) {
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Generated Company";
  settings.date_order = 1;
  const ChartOfAccounts chart(accounts);
  std::vector<PayeeRecord> payees(kGeneratedPayees);
  for (int i = 0; i < kGeneratedPayees; ++i) payees[i].name = "Payee " + std::to_string(i + 1);
  const std::pair<const char*, std::string> files[] = {
      {"KXACCT.CFG", settings.Encode()},
      {"KXACCT.COA", chart.Encode()},
      {"KXACCT.VND", PayeeList(payees).Encode()},
      {"KXACCT.TRN", LineGenerator(chart, seed, years).Lines(line_count)},
  };
  for (const auto& [name, contents] : files) {
    if (Status s = WriteFileAtomically(fs, folder + name, contents); !s.ok()) return s;
  }
  return Status::Ok();
}

}  // namespace zenkar
