// invoices, auto-invoice and pay-invoices: their command lines, what they
// print, and the books afterwards.
#include <gtest/gtest.h>

#include <cstdlib>

#include "batch/command_line.h"
#include "batch_fixture.h"
#include "common/text_field.h"
#include "ledger/auto_invoices.h"
#include "output/invoice_checks.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args, {}); }

TEST(PayablesCommandLineTest, PayInvoicesNamesItsInvoicesAndHowTheyArePaid) {
  ParsedCommandLine parsed =
      Parse({"pay-invoices", "--payee", "Harbor Supply", "--payee", "Bay Electric", "--print",
             "--first-check", "2001", "--date", "2026-01-31"});
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  EXPECT_EQ(parsed.invocation.command, Command::kPayInvoices);
  const PaymentRequest& payment = parsed.invocation.payment;
  EXPECT_EQ(payment.payees, (std::vector<std::string>{"Harbor Supply", "Bay Electric"}));
  EXPECT_FALSE(payment.all);
  EXPECT_FALSE(payment.save_as_paid);
  EXPECT_EQ(payment.date, Day(2026, 1, 31));
  EXPECT_TRUE(parsed.invocation.check.to_printer);
  EXPECT_EQ(parsed.invocation.check.number, "2001");

  parsed = Parse({"auto-invoice", "--month", "2026-02", "--pdf", "auto.pdf"});
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  EXPECT_EQ(parsed.invocation.post_month, 2);
  ASSERT_TRUE(parsed.invocation.posted_report.has_value());
  EXPECT_EQ(parsed.invocation.posted_report->file, "auto.pdf");

  const struct {
    std::vector<std::string> args;
    std::string error;
  } refused[] = {
      {{"pay-invoices", "--save-as-paid"}, "choose '--all' or name the payees with '--payee NAME'"},
      {{"pay-invoices", "--all", "--payee", "X", "--save-as-paid"},
       "choose '--all' or name the payees with '--payee NAME'"},
      {{"pay-invoices", "--all"}, "choose one of '--save-as-paid', '--pdf FILE' and '--print'"},
      {{"pay-invoices", "--all", "--save-as-paid", "--pdf", "a.pdf"},
       "choose one of '--save-as-paid', '--pdf FILE' and '--print'"},
      {{"pay-invoices", "--all", "--print", "--date", "31/01/2026"},
       "'--date' takes YYYY-MM-DD, not '31/01/2026'"},
      {{"auto-invoice"}, "name the month to post with '--month YYYY-MM'"},
      {{"invoices", "--all"}, "unknown option '--all' for 'invoices'"},
  };
  for (const auto& [args, error] : refused) {
    parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kUsageError) << args.front();
    EXPECT_EQ(parsed.error, error);
  }
}

class PayablesCommandsTest : public testing::BatchFixture {
 protected:
  PayablesCommandsTest() {
    env_.current_folder = dir_.path();
    setenv("TMPDIR", dir_.path().c_str(), 1);
    WriteCompany({Account("110", "Checking Account", kAssets, 100000),
                  Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                  Account("650", "Rent", kOperatingExpenses)},
                 {}, [](CompanySettings& settings) {
                   settings.check_type = 1;
                   settings.next_check = "1043";
                   settings.date_order = 0;
                 });
    // Harbor Supply bills 120.00 on the 31st and is paid 45.50 by check on
    // the 15th; Bay Electric bills 30.00 on the 5th.
    PayeeList payees = PayeeList::Decode(dir_.ReadFile("KXACCT.VND"));
    PayeeRecord& harbor = payees.mutable_payee(1);
    harbor.auto_descriptions = {"Rope", ""};
    harbor.auto_amounts = {Money::FromCents(12000), Money::FromCents(4550)};
    harbor.auto_accounts = {"650", "650"};
    harbor.auto_days = {31, -15};
    PayeeRecord bay;
    bay.name = "Bay Electric";
    bay.auto_amounts = {Money::FromCents(3000)};
    bay.auto_accounts = {"650"};
    bay.auto_days = {5};
    payees.Append(bay);
    dir_.WriteFile("KXACCT.VND", payees.Encode());
  }
  ~PayablesCommandsTest() override { unsetenv("TMPDIR"); }

  std::vector<TransactionRecord> Lines() const {
    std::vector<TransactionRecord> lines;
    const std::string bytes = dir_.ReadFile("KXACCT.TRN");
    for (size_t at = 0; at < bytes.size(); at += 328) {
      lines.push_back(TransactionRecord::Decode(bytes.substr(at, 328)));
    }
    return lines;
  }
};

TEST_F(PayablesCommandsTest, AutoInvoicePostsAMonthOnceAndInvoicesListsTheUnpaid) {
  ASSERT_EQ(Run({"auto-invoice", "--month", "2026-02", "--pdf", "auto.pdf"}), kExitSuccess)
      << err();
  EXPECT_EQ(out(), "Invoices posted: 2\t150.00\nChecks posted: 1\t45.50\n");
  EXPECT_TRUE(dir_.Exists("auto.pdf"));
  ASSERT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Lines()[0].due_date, Day(2026, 2, 28));
  EXPECT_EQ(Lines()[1].date, Day(2026, 2, 15));

  EXPECT_EQ(Run({"auto-invoice", "--month", "2026-02"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kNoAutoInvoicesPosted);
  EXPECT_EQ(Lines().size(), 3u);

  ASSERT_EQ(Run({"invoices"}), kExitSuccess) << err();
  EXPECT_EQ(out().substr(out().find("1\tHarbor")),
            "1\tHarbor Supply\tRope\t2026-02-28\t120.00\n3\tBay Electric\tMonthly 1\t2026-02-05\t"
            "30.00\n");
}

TEST_F(PayablesCommandsTest, PayInvoicesPaysThePayeesNamedAsPayInvoicesDoes) {
  ASSERT_EQ(Run({"auto-invoice", "--month", "2026-02"}), kExitSuccess) << err();
  EXPECT_EQ(Run({"pay-invoices", "--payee", "Nobody", "--save-as-paid"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), "No payee is named Nobody.");

  ASSERT_EQ(Run({"pay-invoices", "--payee", "Bay Electric", "--pdf", "checks.pdf", "--first-check",
                 "2001", "--date", "2026-02-20"}),
            kExitSuccess)
      << err();
  EXPECT_NE(out().find("Check 2001\nInvoices paid: 1\n"), std::string::npos) << out();
  EXPECT_TRUE(dir_.Exists("checks.pdf"));
  std::vector<TransactionRecord> lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].kind, kCheckOrDeposit);
  EXPECT_EQ(TrimRight(lines[2].reference), "2001");
  EXPECT_EQ(lines[2].date, Day(2026, 2, 20));

  ASSERT_EQ(Run({"pay-invoices", "--all", "--save-as-paid"}), kExitSuccess) << err();
  EXPECT_EQ(Lines().back().kind, kCheckOrDeposit);
  EXPECT_EQ(TrimRight(Lines().back().reference), "2002");
  EXPECT_EQ(Lines().back().date, clock_.Today());
  EXPECT_EQ(Run({"pay-invoices", "--all", "--save-as-paid"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kNoInvoicesSelected);
}

}  // namespace
}  // namespace zenkar
