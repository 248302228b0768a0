#include "tools/generated_company.h"

#include <cstdint>
#include <map>
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
  LineGenerator(const ChartOfAccounts& chart, uint64_t seed, int years, int first_year)
      : days_(365LL * years + years / 4), first_year_(first_year), state_(seed) {
    for (const AccountRecord& account : chart.accounts()) {
      if (account.IsEntry()) accounts_.push_back(account.number);
    }
  }

  std::string Lines(int count) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * TransactionRecord::kSize);
    const DayNumber first = *MakeDayNumber(first_year_, 1, 1);
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
  int first_year_;
  uint64_t state_;
};

// One journal line per calendar year that brings the rounded journal lines of
// `lines` in that year to zero, appended with the next entry sequences.
void BalanceJournalYears(const ChartOfAccounts& chart, std::string& lines) {
  std::map<int, Money> journal_by_year;
  const size_t count = lines.size() / TransactionRecord::kSize;
  for (size_t at = 0; at < lines.size(); at += TransactionRecord::kSize) {
    const TransactionFacts line =
        ReadTransactionFacts(std::string_view(lines).substr(at, TransactionRecord::kSize));
    if (line.kind != kJournalLine) continue;
    journal_by_year[ToCivilDate(line.date).year] += line.amount.RoundedToCents();
  }
  std::string account;
  for (const AccountRecord& candidate : chart.accounts()) {
    if (candidate.IsEntry()) account = candidate.number;
  }
  int32_t sequence = static_cast<int32_t>(count);
  for (const auto& [year, sum] : journal_by_year) {
    TransactionRecord line;
    line.kind = kJournalLine;
    line.account = account;
    line.amount = -sum;
    line.date = *MakeDayNumber(year, 7, 1);
    line.description = "Balancing line " + std::to_string(year);
    line.unprinted = 0;
    line.entry_sequence = ++sequence;
    lines += line.Encode();
  }
}

}  // namespace

Status ReadChartText(FileSystem& fs, const std::string& path, std::vector<AccountRecord>* chart) {
  std::string text;
  if (Status s = fs.ReadFile(path, &text); !s.ok()) return s;
  return ParseChartText(text, chart);
}

Status WriteGeneratedCompany(FileSystem& fs, const std::string& folder,
                             const std::vector<AccountRecord>& accounts, int line_count,
                             uint64_t seed, int years, int first_year, bool balanced_years) {
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Generated Company";
  settings.date_order = 1;
  const ChartOfAccounts chart(accounts);
  std::vector<PayeeRecord> payees(kGeneratedPayees);
  for (int i = 0; i < kGeneratedPayees; ++i) payees[i].name = "Payee " + std::to_string(i + 1);
  std::string lines = LineGenerator(chart, seed, years, first_year).Lines(line_count);
  if (balanced_years) BalanceJournalYears(chart, lines);
  const std::pair<const char*, std::string> files[] = {
      {"KXACCT.CFG", settings.Encode()},
      {"KXACCT.COA", chart.Encode()},
      {"KXACCT.VND", PayeeList(payees).Encode()},
      {"KXACCT.TRN", std::move(lines)},
  };
  for (const auto& [name, contents] : files) {
    if (Status s = WriteFileAtomically(fs, folder + name, contents); !s.ok()) return s;
  }
  return Status::Ok();
}

}  // namespace zenkar
