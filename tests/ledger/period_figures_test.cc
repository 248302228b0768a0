// The figures by period the Ledger keeps: how lines are summed into cells,
// and that after any sequence of changes of the books they are the figures a
// fresh load of the folder computes.
#include "ledger/period_figures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "ledger_fixture.h"
#include "tools/generated_company.h"

namespace zenkar::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;

TransactionFacts Facts(const TransactionRecord& line) {
  static std::string record;
  record = line.Encode();
  return ReadTransactionFacts(record);
}

TEST(PeriodFiguresTest, EachLineIsACellOfItsAccountDayAndKind) {
  PeriodFigures figures;
  TransactionRecord check = Line(kCheckOrDeposit, "650", 0, "", Date(2025, 3, 1));
  check.amount = Money::FromRaw(1234567);  // 123.4567: rounded to 123.46
  TransactionRecord invoice = Line(kInvoice, "650", 5000, "", kNoDate);
  invoice.invoice_date_2 = Date(2025, 3, 1);
  invoice.due_date = Date(2025, 3, 31);
  figures.Add(1, Facts(check));
  figures.Add(2, Facts(Line(0, "650", 100)));  // not a line of the books
  figures.Add(3, Facts(invoice));

  EXPECT_THAT(figures.Cells(),
              ElementsAre(AllOf(Field(&FigureCell::kind, kCheckOrDeposit),
                                Field(&FigureCell::day, Date(2025, 3, 1)),
                                Field(&FigureCell::amount, Money::FromCents(12346)),
                                Field(&FigureCell::record_number, 1)),
                          AllOf(Field(&FigureCell::kind, kInvoice),
                                Field(&FigureCell::day, Date(2025, 3, 1)),
                                Field(&FigureCell::age_day, Date(2025, 3, 31)),
                                Field(&FigureCell::record_number, 3))));

  // A line is taken out only as it is held; anything else means the
  // figures no longer follow the file.
  EXPECT_FALSE(figures.Remove(1, Facts(Line(kCheckOrDeposit, "650", 100, "", Date(2025, 3, 1)))));
  EXPECT_FALSE(figures.Remove(4, Facts(check)));
  EXPECT_TRUE(figures.Remove(1, Facts(check)));
  EXPECT_THAT(figures.Cells(), ElementsAre(Field(&FigureCell::record_number, 3)));
}

// A generated company changed at random by every operation that changes the
// lines or the settings; after each step the figures the Ledger holds are the
// figures a fresh load computes from the file.
class PeriodFiguresPropertyTest : public LedgerFixture {
 protected:
  PeriodFigures FreshFigures() {
    ScriptedUi ui;
    Ledger fresh(fs_, ui, clock_);
    fresh.SetDataFolder(dir_.path());
    fresh.set_access(Ledger::Access::kReadOnly);
    EXPECT_TRUE(fresh.OpenDataFolder()) << ::testing::PrintToString(ui.Texts());
    const PeriodFigures* figures = fresh.Figures();
    return figures ? *figures : PeriodFigures();
  }

  // What a load sums from the file as it is on disk (a load of a file out
  // of the order its settings choose would sort it first).
  PeriodFigures FiguresOnDisk() const {
    PeriodFigures figures;
    const std::string lines = dir_.ReadFile("KXACCT.TRN");
    for (size_t at = 0; at < lines.size(); at += TransactionRecord::kSize) {
      figures.Add(
          static_cast<int>(at / TransactionRecord::kSize) + 1,
          ReadTransactionFacts(std::string_view(lines).substr(at, TransactionRecord::kSize)));
    }
    return figures;
  }

  int AnyLine() {
    return std::uniform_int_distribution<int>(1, ledger_.transaction_count())(random_);
  }
  int64_t AnyCents() { return std::uniform_int_distribution<int64_t>(-99999, 99999)(random_); }
  std::string AnyAccount() {
    static const std::vector<std::string> accounts = {"110", "510", "650", "210", "", "999Z"};
    return accounts[std::uniform_int_distribution<size_t>(0, accounts.size() - 1)(random_)];
  }
  TransactionRecord AnyLineToWrite() {
    const int32_t kind = std::uniform_int_distribution<int32_t>(1, 3)(random_);
    TransactionRecord line =
        Line(kind, AnyAccount(), AnyCents(), "", Date(2021, 1, 1) + AnyLine() % 700);
    if (kind == kInvoice) {
      line.invoice_date_2 = line.date;
      line.due_date = line.date + 30;
      if (AnyLine() % 2 == 0) line.date = kNoDate;
    }
    return line;
  }
  int AnyInvoice() {
    for (int tries = 0; tries < 50; ++tries) {
      const int number = AnyLine();
      if (Read(number).kind == kInvoice) return number;
    }
    return 0;
  }

  // One operation picked at random; it may be refused (a voided journal
  // line, say), which must leave the figures as right as a change.
  void ChangeAtRandom(int step) {
    switch (std::uniform_int_distribution<int>(0, 13)(random_)) {
      case 0:
      case 1:
        ledger_.AppendTransaction(AnyLineToWrite());
        break;
      case 2:
      case 3:
        ledger_.WriteTransaction(AnyLine(), AnyLineToWrite());
        break;
      case 4:
        ledger_.DeleteTransaction(AnyLine());
        break;
      case 5:
        ledger_.VoidTransaction(AnyLine());
        break;
      case 6:
        ledger_.MoveTransactionToEnd(AnyLine(), AnyLineToWrite());
        break;
      case 7:
        if (const int invoice = AnyInvoice(); invoice != 0) {
          ledger_.PayInvoices({{invoice, Line(kCheckOrDeposit, "650", 100, "", Date(2024, 5, 1))}});
        }
        break;
      case 8:
        ledger_.SortTransactions(step % 2 == 0 ? TransactionOrder::kEntry
                                               : TransactionOrder::kDate);
        if (ledger_.transaction_order() == TransactionOrder::kEntry) {
          ledger_.InsertTransactionAfter(AnyLine(), AnyLineToWrite());
        }
        break;
      case 9: {
        const int account = ledger_.FindAccount(step % 2 == 0 ? "650" : "651");
        if (account != 0) {
          AccountRecord renumbered = ledger_.chart().account(account);
          renumbered.number = AccountKey(step % 2 == 0 ? "651" : "650");
          ledger_.EditAccount(account, renumbered);
        }
        break;
      }
      case 10:
        ledger_.settings().accrual_accounting = step % 2;
        ledger_.settings().fiscal_start_month = 1 + step % 12;
        ledger_.SaveCompanySettings();
        break;
      case 11:
        ledger_.ChangeLinesWithFiles({std::nullopt, {AnyLineToWrite(), AnyLineToWrite()}, {}});
        break;
      case 12:
        ledger_.RemoveOldestYear([](const std::vector<TransactionRecord>&) { return true; });
        break;
      case 13:
        ledger_.DeleteInactivePayees();
        break;
    }
  }

  std::mt19937 random_{20251209};
};

TEST_F(PeriodFiguresPropertyTest, AfterAnyChangesTheFiguresAreAFreshLoads) {
  std::vector<AccountRecord> chart;
  ASSERT_TRUE(ReadChartText(fs_, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok());
  ASSERT_TRUE(WriteGeneratedCompany(fs_, dir_.path(), chart, 400, 7, 2).ok());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_NE(ledger_.Figures(), nullptr);
  EXPECT_TRUE(*ledger_.Figures() == FreshFigures());
  for (int step = 0; step < 150; ++step) {
    ChangeAtRandom(step);
    const PeriodFigures* figures = ledger_.Figures();
    ASSERT_NE(figures, nullptr) << "step " << step;
    ASSERT_TRUE(*figures == FiguresOnDisk()) << "step " << step;
  }
  ASSERT_TRUE(ledger_.DeleteAllTransactions());
  ASSERT_NE(ledger_.Figures(), nullptr);
  EXPECT_TRUE(ledger_.Figures()->Cells().empty());
}

TEST_F(PeriodFiguresPropertyTest, ALineAnotherProgramRewroteIsSeen) {
  OpenCompany();
  Append(Line(kCheckOrDeposit, "650", 1000, "", Date(2025, 1, 2)));
  ASSERT_NE(ledger_.Figures(), nullptr);
  ScriptedUi ui;
  Ledger other(fs_, ui, clock_);
  other.SetDataFolder(dir_.path());
  ASSERT_TRUE(other.OpenDataFolder());
  ASSERT_TRUE(other.WriteTransaction(1, Line(kCheckOrDeposit, "510", -2000, "", Date(2025, 1, 3))));
  const PeriodFigures* figures = ledger_.Figures();
  ASSERT_NE(figures, nullptr);
  EXPECT_THAT(figures->Cells(),
              ElementsAre(AllOf(Field(&FigureCell::account, PackedAccountNumber("510")),
                                Field(&FigureCell::amount, Money::FromCents(-2000)))));
}

}  // namespace
}  // namespace zenkar::testing
