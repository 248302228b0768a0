// The exported journal read by real peers: hledger (installed by the test
// setup) must end every account on our trial-balance figure and find nothing
// wrong in its checks; ledger-cli, when present, must agree.
#include <gtest/gtest.h>

#include <map>

#include "batch/journal_export.h"
#include "batch_fixture.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;
using testing::RunTool;
using testing::ShellQuote;

using Balances = std::map<std::string, Money>;  // by account name

// One CSV field of hledger's output, quotes removed.
std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

Money Amount(const std::string& text) {
  const std::optional<Money> amount = Money::Parse(text);
  EXPECT_TRUE(amount.has_value()) << text;
  return amount.value_or(Money());
}

Balances HledgerBalances(const std::string& journal) {
  const testing::ToolResult result =
      RunTool("hledger -f " + ShellQuote(journal) + " balance -O csv --no-total 2>&1");
  EXPECT_EQ(result.status, 0) << result.output;
  Balances balances;
  size_t start = 0;
  for (size_t end; (end = result.output.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::vector<std::string> fields = CsvFields(result.output.substr(start, end - start));
    if (fields.size() == 2 && fields[0] != "account") balances[fields[0]] = Amount(fields[1]);
  }
  return balances;
}

Balances LedgerCliBalances(const std::string& journal) {
  const testing::ToolResult result = RunTool(
      "ledger -f " + ShellQuote(journal) +
      " balance --flat --no-total --balance-format '%(account)\\t%(display_total)\\n' 2>&1");
  EXPECT_EQ(result.status, 0) << result.output;
  Balances balances;
  size_t start = 0;
  for (size_t end; (end = result.output.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = result.output.substr(start, end - start);
    const size_t tab = line.find('\t');
    EXPECT_NE(tab, std::string::npos) << line;
    if (tab != std::string::npos) balances[line.substr(0, tab)] = Amount(line.substr(tab + 1));
  }
  return balances;
}

class HledgerPeerTest : public testing::BatchFixture {
 protected:
  void SetUp() override {
    if (!testing::HaveTool("hledger")) GTEST_SKIP() << "hledger is not installed";
  }

  std::string Export(bool accrual) {
    const std::string path = dir_.File(accrual ? "accrual.journal" : "books.journal");
    std::vector<std::string> args = {"export-journal", path};
    if (accrual) args.insert(args.begin() + 1, "--accrual");
    EXPECT_EQ(Run(args), kExitSuccess) << ::testing::PrintToString(ui_.Texts());
    return path;
  }

  // Each account's closing balance in our books: the trial-balance figure,
  // plus the unpaid invoices on the accrual basis, by account number (the
  // first word of the account's name in the journal).
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
    // Every entry that does not sum to zero: the forwards and journal lines.
    imbalance_ = ledger.BalanceForwardTotal() + ledger.summary().journal_total;
    return balances;
  }

  static Balances ByNumber(const Balances& by_name) {
    Balances balances;
    for (const auto& [name, balance] : by_name) {
      balances[name.substr(0, name.find(' '))] += balance;
    }
    return balances;
  }

  void ExpectPeersAgree(bool accrual) {
    const std::string journal = Export(accrual);
    const Balances ours = OurBalances(accrual);
    const Balances theirs = HledgerBalances(journal);
    const Balances theirs_by_number = ByNumber(theirs);
    for (const auto& [number, balance] : ours) {
      const auto found = theirs_by_number.find(number);
      EXPECT_EQ(found == theirs_by_number.end() ? Money() : found->second, balance) << number;
    }
    const auto out_of_balance = theirs.find(std::string(kOutOfBalanceAccount));
    EXPECT_EQ(out_of_balance == theirs.end() ? Money() : out_of_balance->second, -imbalance_);

    const testing::ToolResult check =
        RunTool("hledger -f " + ShellQuote(journal) +
                " check accounts commodities ordereddates payees uniqueleafnames 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "");

    if (!testing::HaveTool("ledger")) return;
    const Balances cli = LedgerCliBalances(journal);
    for (const auto& [account, balance] : theirs) {
      const auto found = cli.find(account);
      EXPECT_EQ(found == cli.end() ? Money() : found->second, balance) << "ledger-cli " << account;
    }
  }

  Money imbalance_;
};

TEST_F(HledgerPeerTest, SampleCompanyOnTheBooksBasis) {
  WriteSampleCompany();
  ExpectPeersAgree(false);
  EXPECT_EQ(imbalance_, Money());
}

TEST_F(HledgerPeerTest, SampleCompanyOnTheAccrualBasis) {
  WriteSampleCompany();
  ExpectPeersAgree(true);
}

// Books that do not balance, with lines the chart cannot name: every chart
// account still ends on its balance, and the difference sits in one place.
TEST_F(HledgerPeerTest, BooksOutOfBalanceKeepTheirDifferenceVisible) {
  TransactionRecord invoice = Line(kInvoice, "650", 12345, Day(2025, 3, 10), "Harbor Supply");
  invoice.invoice_number = "A(7)";
  WriteCompany(
      {Account("110", "Checking Account", kAssets, 100050),
       Account("210", "Accounts Payable", kLiabilitiesAndEquity),
       Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
       Account("510", "Sales: retail", kIncome), Account("650", "Rent  (old)", kOperatingExpenses)},
      {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "(Dock) Rentals", "1001"),
       Line(kCheckOrDeposit, "510", -25000, Day(2025, 2, 3), "!Walk-in; cash"),
       Line(kJournalLine, "650", 2000, Day(2025, 2, 28), "Accrue", "JE1"),
       Line(kJournalLine, "210", -1999, Day(2025, 2, 28), "Accrue", "JE1"),
       Line(kJournalLine, "999", 700, Day(2025, 3, 31), "Gone", "JE2"), invoice,
       Line(kCheckOrDeposit, "", 100, kNoDate)});
  ExpectPeersAgree(false);
  EXPECT_EQ(imbalance_, Money::FromCents(50 + 1 + 700));  // forwards, JE1, JE2
  ExpectPeersAgree(true);
}

}  // namespace
}  // namespace zenkar
