// The exported journal read by real peers: hledger (installed by the test
// setup) must end every account on our trial-balance figure, keep the books'
// difference in "Out of balance" and find nothing wrong in its checks;
// ledger-cli, when present, must agree with hledger.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "batch/journal_export.h"
#include "batch_fixture.h"
#include "common/text_field.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;
using testing::Quote;
using testing::RunTool;

using Balances = std::map<std::string, Money>;

// "account<separator>amount" lines (hledger's CSV, ledger's custom format).
Balances ParseBalances(const std::string& output, char separator) {
  Balances balances;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = output.substr(start, end - start);
    line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
    const size_t split = line.rfind(separator);
    if (split == std::string::npos || line.rfind("account,", 0) == 0) continue;
    const std::optional<Money> amount = Money::Parse(line.substr(split + 1));
    EXPECT_TRUE(amount.has_value()) << line;
    balances[line.substr(0, split)] = amount.value_or(Money());
  }
  return balances;
}

// Summed by the first word of the account name: the account number.
Balances ByNumber(const Balances& by_name) {
  Balances balances;
  for (const auto& [name, balance] : by_name) balances[name.substr(0, name.find(' '))] += balance;
  return balances;
}

Money Get(const Balances& balances, const std::string& key) {
  const auto found = balances.find(key);
  return found == balances.end() ? Money() : found->second;
}

class HledgerPeerTest : public testing::BatchFixture {
 protected:
  void SetUp() override {
    if (!testing::HaveTool("hledger")) GTEST_SKIP() << "hledger is not installed";
  }

  // Each chart account's balance in our books (the trial-balance figure, and
  // the unpaid invoices on the accrual basis) by account number.
  Balances OurBalances(bool accrual) {
    Ledger ledger(fs_, ui_, clock_);
    OpenLedger(ledger);
    Balances balances;
    for (int n = 1; n <= ledger.chart().count(); ++n) {
      balances[std::string(TrimRight(ledger.chart().account(n).number))] +=
          ledger.AccountBalance(n);
    }
    CompanySettings settings = ledger.settings();
    settings.accrual_accounting = 1;
    ledger.ForEachTransaction([&](const TransactionRecord& line) {
      if (!accrual || line.kind != kInvoice) return;
      for (const BalanceMove& move : BalanceMoves(line, settings, Basis::kStatements)) {
        balances[std::string(TrimRight(move.account))] += move.amount;
      }
    });
    // What does not sum to zero: the balance forwards and the journal lines.
    imbalance_ = ledger.BalanceForwardTotal() + ledger.summary().journal_total;
    return balances;
  }

  void ExpectPeersAgree(bool accrual) {
    const std::string journal = dir_.File("books.journal");
    std::vector<std::string> args = {"export-journal", journal};
    if (accrual) args.push_back("--accrual");
    ASSERT_EQ(Run(args), kExitSuccess) << ::testing::PrintToString(ui_.Texts());
    const testing::ToolResult balance =
        RunTool("hledger -f " + Quote(journal) + " balance -O csv --no-total");
    ASSERT_EQ(balance.status, 0) << balance.output;
    const Balances theirs = ParseBalances(balance.output, ',');
    const Balances theirs_by_number = ByNumber(theirs);
    for (const auto& [number, ours] : OurBalances(accrual)) {
      EXPECT_EQ(Get(theirs_by_number, number), ours) << "account " << number;
    }
    EXPECT_EQ(Get(theirs, std::string(kOutOfBalanceAccount)), -imbalance_);

    const testing::ToolResult check = RunTool("hledger -f " + Quote(journal) +
                                              " check accounts commodities ordereddates payees "
                                              "uniqueleafnames");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "");

    if (!testing::HaveTool("ledger")) return;
    const testing::ToolResult cli =
        RunTool("ledger -f " + Quote(journal) +
                " balance --flat --no-total --balance-format '%(account)\\t%(display_total)\\n'");
    ASSERT_EQ(cli.status, 0) << cli.output;
    EXPECT_EQ(ParseBalances(cli.output, '\t'), theirs);
  }

  Money imbalance_;
};

TEST_F(HledgerPeerTest, SampleCompany) {
  WriteSampleCompany();
  ExpectPeersAgree(false);
  EXPECT_EQ(imbalance_, Money());
  ExpectPeersAgree(true);
}

// "1,234.56" or "(1,234.56)" as a report's CSV writes it.
Money ReportAmount(std::string text) {
  const bool negative = !text.empty() && text.front() == '(';
  std::erase_if(text, [](char c) { return c == '(' || c == ')' || c == ','; });
  const std::optional<Money> amount = Money::Parse(text);
  EXPECT_TRUE(amount.has_value()) << text;
  return negative ? -amount.value_or(Money()) : amount.value_or(Money());
}

// Our trial balance against hledger's balances of the exported journal, on
// generated books of many seeds: every account's closing balance at the
// period's end and its activity within the period.
TEST_F(HledgerPeerTest, TheTrialBalanceAgreesOnGeneratedBooks) {
  std::vector<AccountRecord> chart;
  ASSERT_TRUE(ReadChartText(fs_, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok());
  const std::string journal = dir_.File("books.journal");
  for (uint64_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ASSERT_TRUE(WriteGeneratedCompany(fs_, dir_.path(), chart, 20000, seed).ok());
    ASSERT_EQ(Run({"report", "Trial Balance", "--from", "2023-04-01", "--to", "2023-09-30", "--csv",
                   dir_.File("tb.csv")}),
              kExitSuccess)
        << ::testing::PrintToString(ui_.Texts());
    ASSERT_EQ(Run({"export-journal", journal}), kExitSuccess);
    const testing::ToolResult closing =
        RunTool("hledger -f " + Quote(journal) + " balance -O csv --no-total -e 2023-10-01");
    const testing::ToolResult period = RunTool("hledger -f " + Quote(journal) +
                                               " balance -O csv --no-total -b 2023-04-01 -e "
                                               "2023-10-01");
    ASSERT_EQ(closing.status, 0) << closing.output;
    ASSERT_EQ(period.status, 0) << period.output;
    const Balances closing_by_number = ByNumber(ParseBalances(closing.output, ','));
    const Balances period_by_number = ByNumber(ParseBalances(period.output, ','));

    const std::string csv = dir_.ReadFile("tb.csv");
    std::set<std::string> ours;
    size_t start = 0;
    for (size_t end; (end = csv.find("\r\n", start)) != std::string::npos; start = end + 2) {
      // "a","b","c", : the fields between the quotes.
      std::vector<std::string> fields;
      const std::string line = csv.substr(start, end - start);
      for (size_t at = 1, close; (close = line.find("\",", at)) != std::string::npos;
           at = close + 3) {
        fields.push_back(line.substr(at, close - at));
      }
      // An account line: the number, its description and three amounts.
      if (fields.size() != 5 || fields[0].empty() || fields[0].find(' ') != std::string::npos ||
          !std::isdigit(static_cast<unsigned char>(fields[0][0]))) {
        continue;
      }
      EXPECT_EQ(ReportAmount(fields[4]), Get(closing_by_number, fields[0])) << fields[0];
      EXPECT_EQ(ReportAmount(fields[3]), Get(period_by_number, fields[0])) << fields[0];
      ours.insert(fields[0]);
    }
    EXPECT_GT(ours.size(), 30u);
    // And no account of theirs is missing from ours (the books' difference,
    // "Out of balance", is the trial balance's totals line).
    for (const auto& [number, balance] : closing_by_number) {
      if (number != "Out" && !balance.IsZero()) {
        EXPECT_TRUE(ours.count(number)) << number;
      }
    }
  }
}

// Books that do not balance, with fractions of a cent, an account number used
// twice, lines the chart cannot name and texts the journal gives a meaning to.
TEST_F(HledgerPeerTest, BooksOutOfBalanceKeepTheirDifferenceVisible) {
  TransactionRecord invoice = Line(kInvoice, "650", 12345, Day(2025, 3, 10), "Harbor Supply");
  invoice.invoice_number = "A(7)";
  WriteCompany(
      {Account("110", "Checking Account", kAssets, 100050),
       Account("210", "Accounts Payable", kLiabilitiesAndEquity),
       Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
       Account("465", "Equity copy", kLiabilitiesAndEquity, 100),
       Account("510", "Sales: retail", kIncome), Account("650", "Rent  (old)", kOperatingExpenses)},
      {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "(Dock) Rentals", "1001"),
       Line(kCheckOrDeposit, "510", -25000, Day(2025, 2, 3), "!Walk-in; cash"),
       Line(kJournalLine, "650", 2000, Day(2025, 2, 28), "Accrue", "JE1"),
       Line(kJournalLine, "210", -1999, Day(2025, 2, 28), "Accrue", "JE1"),
       Line(kJournalLine, "999", 700, Day(2025, 3, 31), "Gone", "JE2"), invoice,
       Line(kCheckOrDeposit, "", 100, kNoDate)});
  {
    // A fraction of a cent in a forward: 1000.5050.
    ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
    chart.mutable_account(1).balance_forward = Money::FromRaw(10005050);
    dir_.WriteFile("KXACCT.COA", chart.Encode());
  }
  ExpectPeersAgree(false);
  EXPECT_EQ(imbalance_, Money::FromRaw(15050 + 100 + 70000));  // forwards, JE1, JE2
  ExpectPeersAgree(true);
}

}  // namespace
}  // namespace zenkar
