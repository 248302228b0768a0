// The whole exchange between two installations: the client exports, the
// accountant imports and adds its adjustments, exports them, and the client
// imports them; afterwards the client's books equal the accountant's.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "services/exchange/exchange_copy.h"

namespace zenkar::testing {
namespace {

constexpr int32_t kClientNumber = 0x1A2B3C4D;
constexpr int32_t kAccountantNumber = 0x5E6F7081;

// What a line says in the books, whatever copy it sits in.
using LineFacts =
    std::tuple<int32_t, std::string, int64_t, DayNumber, std::string, std::string, std::string>;
std::vector<LineFacts> FactsOf(ExchangeCopy& copy) {
  std::vector<LineFacts> facts;
  for (const TransactionRecord& line : copy.Lines()) {
    facts.emplace_back(line.kind, line.account, line.amount.raw(), line.date, line.description,
                       line.reference, copy.ledger.PayeeName(line.payee_number));
  }
  std::sort(facts.begin(), facts.end());
  return facts;
}

std::vector<Money> PostedTotals(const Ledger& ledger) {
  std::vector<Money> totals;
  for (const AccountRecord& account : ledger.chart().accounts()) {
    totals.push_back(account.posted_total);
  }
  return totals;
}

class RoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(client_.loaded && accountant_.loaded);
    client_.Append(Line(kCheckOrDeposit, "650", 120000, "rent", Date(2026, 1, 5), "1041", 1));
    client_.Append(Line(kJournalLine, "510", -50000, "sales", Date(2026, 1, 31), "JE1"));
    client_.Append(Line(kJournalLine, "130", 50000, "sales", Date(2026, 1, 31), "JE1"));
    client_.ui.ClearMessages();
  }

  // The client exports, the accountant (a fresh installation turned
  // accountant) imports the package.
  void ClientToAccountant() {
    ASSERT_TRUE(client_.Export(packages_.path())) << ::testing::PrintToString(client_.ui.Texts());
    accountant_.ui.Answer(true);  // Reset
    ASSERT_TRUE(accountant_.Reset());
    accountant_.ui.Answer(true);  // Replace the existing data
    accountant_.ui.Answer(true);  // Continue Import?
    ASSERT_TRUE(accountant_.Import(packages_.path()))
        << ::testing::PrintToString(accountant_.ui.Texts());
  }

  ExchangeCopy client_{kClientNumber, "Harborview Supply Co."};
  ExchangeCopy accountant_{kAccountantNumber, "Accountant's scratch company"};
  TempDir packages_;
};

TEST_F(RoundTripTest, TheClientsBooksEndEqualToTheAccountants) {
  EXPECT_EQ(client_.Role(), ExchangeRole::kClient);
  EXPECT_EQ(accountant_.Role(), ExchangeRole::kClient);  // a fresh copy starts as the client
  ClientToAccountant();

  EXPECT_EQ(client_.ui.Texts(),
            std::vector<std::string>{"Exported to:\n" + packages_.path() + "ZENKAR.CCC"});
  EXPECT_EQ(client_.Marks(), (std::vector<int32_t>{1, 1, 1}));
  EXPECT_TRUE(DataCheckedOut(client_.ledger));
  EXPECT_EQ(client_.State().client_number, kClientNumber);
  EXPECT_EQ(client_.State().client_export_date, client_.clock.Today());

  EXPECT_EQ(accountant_.Role(), ExchangeRole::kAccountant);
  EXPECT_EQ(TrimRight(accountant_.ledger.settings().name_line_1), "Harborview Supply Co.");
  const std::vector<std::string> asked = accountant_.ui.Texts();
  EXPECT_EQ(asked.at(1), "Replace the existing data in:\n" + accountant_.dir.path() +
                             "\nwith data from the client?");
  EXPECT_EQ(asked.at(2),
            "The import company name(s) are:\nHarborview Supply Co.\n\n\nThe existing data "
            "has:\nAccountant's scratch company\n\n\nContinue Import?");
  EXPECT_EQ(asked.back(), kDataImportedFromClient);
  EXPECT_EQ(accountant_.Marks(), (std::vector<int32_t>{2, 2, 2}));
  for (const TransactionRecord& line : accountant_.Lines()) EXPECT_EQ(line.unprinted, 0);
  EXPECT_EQ(accountant_.State().client_number, kClientNumber);
  EXPECT_EQ(accountant_.State().accountant_number, kAccountantNumber);
  EXPECT_EQ(FactsOf(accountant_), FactsOf(client_));

  // The accountant's adjustments: a reclassification and a check to a payee
  // the client knows by name.
  accountant_.Append(Line(kJournalLine, "650", -20000, "reclass", Date(2026, 1, 31), "ADJ1"));
  accountant_.Append(Line(kJournalLine, "164", 20000, "reclass", Date(2026, 1, 31), "ADJ1"));
  accountant_.Append(Line(kCheckOrDeposit, "720", 3000, "fee", Date(2026, 1, 20), "1042", 2));
  accountant_.ui.ClearMessages();
  ASSERT_TRUE(accountant_.Export(packages_.path()));
  EXPECT_EQ(accountant_.ui.Texts(),
            std::vector<std::string>{"Exported to:\n" + packages_.path() + "ZENKAR.AAA"});
  EXPECT_FALSE(accountant_.dir.Exists("ZENKAR.NNN"));

  client_.ui.ClearMessages();
  ASSERT_TRUE(client_.Import(packages_.path())) << ::testing::PrintToString(client_.ui.Texts());
  EXPECT_EQ(client_.ui.Texts(),
            (std::vector<std::string>{std::string(kImportFromAccountantQuestion),
                                      std::string(kDataImportFinished)}));
  EXPECT_EQ(client_.Marks(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(DataCheckedOut(client_.ledger));
  EXPECT_EQ(FactsOf(client_), FactsOf(accountant_));
  EXPECT_EQ(PostedTotals(client_.ledger), PostedTotals(accountant_.ledger));
  EXPECT_EQ(client_.State().client_import_date, client_.clock.Today());
  EXPECT_EQ(client_.Role(), ExchangeRole::kClient);
  EXPECT_FALSE(client_.dir.Exists("ZENKAR.NNN"));

  // The same package again, on the same day: asked first, and No imports
  // nothing.
  client_.ui.ClearMessages();
  client_.ui.Answer(true);   // Import the entries?
  client_.ui.Answer(false);  // the same date: Continue?
  EXPECT_FALSE(client_.Import(packages_.path()));
  EXPECT_EQ(client_.ui.LastText(), kSameDateQuestion);
  EXPECT_EQ(client_.Lines().size(), 6u);
}

TEST_F(RoundTripTest, WithoutAdjustmentsAZeroDollarLineLetsTheClientCheckIn) {
  ClientToAccountant();
  accountant_.ui.ClearMessages();
  ASSERT_TRUE(accountant_.Export(packages_.path()));
  EXPECT_EQ(accountant_.ui.Texts().front(), kZeroDollarExported);

  ASSERT_TRUE(client_.Import(packages_.path()));
  const std::vector<TransactionRecord> lines = client_.Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(TrimRight(lines.back().description), kNoAdjustmentsLine);
  EXPECT_EQ(TrimRight(lines.back().account), "110");
  EXPECT_EQ(TrimRight(lines.back().reference), "ADJ");
  EXPECT_TRUE(lines.back().amount.IsZero());
  EXPECT_FALSE(DataCheckedOut(client_.ledger));
}

// "E-Mail Data": the package made in the work folder goes to the mail and
// leaves the folder; the export counts only when the mail went.
TEST_F(RoundTripTest, AMailedPackageChecksTheBooksOutOnlyOnceItWent) {
  struct Sent {
    std::string subject;
    std::string package;
  };
  std::vector<Sent> sent;
  bool server_takes_it = false;
  const PackageMailer mail = [&](std::string_view subject, const std::string& folder,
                                 std::string_view file_name) {
    std::string bytes;
    EXPECT_TRUE(PosixFileSystem().ReadFile(folder + std::string(file_name), &bytes).ok());
    sent.push_back({std::string(subject), bytes});
    return server_takes_it;
  };
  TempDir work;
  const std::string folder = work.path() + "mail/";
  ExchangeEnvironment env = client_.Environment();

  EXPECT_FALSE(MailPackage(env, folder, mail));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].subject, "Zenkar Data from Harborview Supply Co.");
  EXPECT_EQ(client_.Marks(), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(client_.State().client_export_date, 0);
  EXPECT_FALSE(PosixFileSystem().FileExists(folder + "ZENKAR.CCC"));

  server_takes_it = true;
  EXPECT_TRUE(MailPackage(env, folder, mail));
  EXPECT_EQ(client_.Marks(), (std::vector<int32_t>{1, 1, 1}));
  EXPECT_EQ(client_.State().client_export_date, client_.clock.Today());
  EXPECT_FALSE(PosixFileSystem().FileExists(folder + "ZENKAR.CCC"));
  EXPECT_TRUE(client_.ui.Texts().empty()) << "no \"Exported to:\" for a mailed package";

  // The accountant takes the mailed package as it takes a file, and mails
  // its adjustments back under its own subject.
  ASSERT_TRUE(
      WriteFileAtomically(PosixFileSystem(), packages_.path() + "ZENKAR.CCC", sent.back().package)
          .ok());
  accountant_.ui.Answer(true);  // Reset
  ASSERT_TRUE(accountant_.Reset());
  accountant_.ui.Answer(true);  // Replace the existing data
  accountant_.ui.Answer(true);  // Continue Import?
  ASSERT_TRUE(accountant_.Import(packages_.path()));
  ExchangeEnvironment accountant_env = accountant_.Environment();
  EXPECT_TRUE(MailPackage(accountant_env, folder, mail));
  EXPECT_EQ(sent.back().subject, kAccountantMailSubject);
  EXPECT_FALSE(accountant_.dir.Exists("ZENKAR.NNN"));
}

TEST_F(RoundTripTest, APackageNamingAnAccountOrPayeeTheClientLacksImportsNothing) {
  ClientToAccountant();
  ASSERT_TRUE(accountant_.ledger.AddAccount(Account("166", "Vehicles", kAssets)));
  ASSERT_TRUE(accountant_.ledger.AddPayee(Payee("Pier Nine")).has_value());
  accountant_.Append(Line(kJournalLine, "166", 20000, "buy", Date(2026, 1, 31), "ADJ1"));
  accountant_.Append(Line(kJournalLine, "650", -20000, "buy", Date(2026, 1, 31), "ADJ1"));
  ASSERT_TRUE(accountant_.Export(packages_.path()));
  const std::string client_lines = client_.dir.ReadFile("KXACCT.TRN");

  client_.ui.ClearMessages();
  EXPECT_FALSE(client_.Import(packages_.path()));
  EXPECT_EQ(client_.ui.LastText(),
            "Cannot import. Account 166 is missing or marked as a non-entry account.");
  EXPECT_EQ(client_.dir.ReadFile("KXACCT.TRN"), client_lines);
  EXPECT_TRUE(DataCheckedOut(client_.ledger));

  ASSERT_TRUE(client_.ledger.AddAccount(Account("166", "Vehicles", kAssets)));
  accountant_.Append(Line(kCheckOrDeposit, "650", 100, "pier", Date(2026, 1, 31), "1043", 3));
  ASSERT_TRUE(accountant_.Export(packages_.path()));
  client_.ui.ClearMessages();
  EXPECT_FALSE(client_.Import(packages_.path()));
  EXPECT_EQ(client_.ui.LastText(), "Cannot import. Payee Pier Nine is missing.");
  EXPECT_EQ(client_.dir.ReadFile("KXACCT.TRN"), client_lines);
}

TEST_F(RoundTripTest, OneInstallationCannotBeBothSides) {
  ASSERT_TRUE(client_.Export(packages_.path()));
  ExchangeCopy same(kClientNumber, "Same installation");
  same.ui.Answer(true);  // Reset
  ASSERT_TRUE(same.Reset());
  same.ui.Answer(true);  // Replace the existing data
  EXPECT_FALSE(same.Import(packages_.path()));
  EXPECT_EQ(same.ui.LastText(), kExchangeBlocked);
  EXPECT_EQ(TrimRight(same.ledger.settings().name_line_1), "Same installation");
}

TEST_F(RoundTripTest, CheckingInOrResettingClearsTheMarks) {
  ASSERT_TRUE(client_.Export(packages_.path()));
  ExchangeEnvironment env = client_.Environment();
  client_.ui.ClearMessages();
  OfferCheckIn(env);  // No is preselected
  EXPECT_TRUE(DataCheckedOut(client_.ledger));
  client_.ui.Answer(true);
  OfferCheckIn(env);
  EXPECT_EQ(client_.ui.Texts(), (std::vector<std::string>{std::string(kCheckInQuestion),
                                                          std::string(kCheckInQuestion)}));
  EXPECT_EQ(client_.Marks(), (std::vector<int32_t>{0, 0, 0}));
  client_.ui.ClearMessages();
  OfferCheckIn(env);
  EXPECT_TRUE(client_.ui.messages().empty());

  ClientToAccountant();
  accountant_.ui.Answer(true);
  ASSERT_TRUE(accountant_.Reset());
  EXPECT_EQ(accountant_.Role(), ExchangeRole::kClient);
  EXPECT_EQ(accountant_.Marks(), (std::vector<int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace zenkar::testing
