// The "Review and Edit All Transactions" page without a display: inserting
// after a line, "Find" with its questions, "Balance", the summary of the
// selected entry, the file's order, and the list reading only what it has
// not read already.
#include "app_rules/transactions/review_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "ledger/transaction_search.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::StoredLine;

TransactionRecord Check(std::string_view payee, std::string_view reference, int64_t cents,
                        std::string_view account = "650") {
  return StoredLine(kCheckOrDeposit, payee, reference, Day(2026, 3, 2), account, cents);
}

// Ten checks "Line 1" ... "Line 10", kept in the order entered.
std::vector<TransactionRecord> TenChecks() {
  std::vector<TransactionRecord> lines;
  for (int i = 1; i <= 10; ++i) {
    lines.push_back(Check("Line " + std::to_string(i), std::to_string(1000 + i), i * 100));
  }
  return lines;
}

class ReviewListTest : public ::testing::Test {
 protected:
  explicit ReviewListTest(const std::vector<TransactionRecord>& lines = TenChecks())
      : company_(lines) {
    EXPECT_TRUE(company_.Load());
    list_ = std::make_unique<ReviewList>(company_.program);
  }

  std::vector<std::string> Descriptions() const {
    std::vector<std::string> descriptions;
    for (int n = 1; n <= company_.LinesOnDisk(); ++n) {
      descriptions.emplace_back(Trim(company_.LineOnDisk(n).description));
    }
    return descriptions;
  }

  EntryCompany company_;
  std::unique_ptr<ReviewList> list_;
};

TEST_F(ReviewListTest, InsertingAfterRecordFiveMovesTheLaterLinesDownOne) {
  // A new company keeps its file by date: insertion first asks for the
  // order entered.
  EXPECT_FALSE(list_->MayInsert());
  EXPECT_EQ(company_.ui.LastText(), kInsertNeedsEntryOrder);
  ASSERT_TRUE(list_->SetOrder(TransactionOrder::kEntry));
  EXPECT_EQ(company_.program.ledger().settings().date_order, 0);
  ASSERT_TRUE(list_->MayInsert());
  const Money before = company_.Posted("720");
  EntryLine line{"Harbor Supply", "2001", Day(2026, 3, 2), "720", "45.5"};
  const InsertResult result = list_->Insert(5, kCheckOrDeposit, line);
  EXPECT_EQ(result.record_number, 6);
  EXPECT_EQ(result.refused, std::nullopt);
  EXPECT_THAT(Descriptions(),
              ElementsAre("Line 1", "Line 2", "Line 3", "Line 4", "Line 5", "Harbor Supply",
                          "Line 6", "Line 7", "Line 8", "Line 9", "Line 10"));
  const TransactionRecord inserted = company_.LineOnDisk(6);
  EXPECT_EQ(inserted.kind, kCheckOrDeposit);
  EXPECT_EQ(inserted.unprinted, 1);
  EXPECT_EQ(inserted.payee_number, 1);
  EXPECT_EQ(inserted.amount, Money::FromCents(4550));
  EXPECT_EQ(company_.Posted("720"), before + Money::FromCents(4550));
  EXPECT_EQ(company_.program.ledger().last_payee(), 1);
  // The list shows the file as it is now.
  EXPECT_EQ(list_->row_count(), 11);
  EXPECT_EQ(list_->RowText(6).payee, "Harbor Supply");
  EXPECT_EQ(list_->RowText(11).payee, "Line 10");
}

TEST_F(ReviewListTest, AnInsertionNeedsAnAmountAndACheckAPayeeFromTheList) {
  ASSERT_TRUE(list_->SetOrder(TransactionOrder::kEntry));
  company_.ui.ClearMessages();
  EntryLine line{"Someone New", "", Day(2026, 3, 2), "650", ""};
  EXPECT_EQ(list_->Insert(2, kCheckOrDeposit, line).refused, EntryField::kAmount);
  line.amount = "10";
  EXPECT_EQ(list_->Insert(2, kCheckOrDeposit, line).refused, EntryField::kPayee);
  EXPECT_THAT(company_.ui.Texts(), ElementsAre(kMustEnterAmount, kInsertNeedsPayee));
  EXPECT_EQ(company_.LinesOnDisk(), 10);
  // A journal line may carry any description.
  line.ytd = true;
  EXPECT_EQ(list_->Insert(0, kJournalLine, line).record_number, 1);
  EXPECT_EQ(company_.LineOnDisk(1).kind, kJournalLine);
  EXPECT_EQ(company_.LineOnDisk(1).ytd, 1);
}

TEST_F(ReviewListTest, SortingRecordsTheOrderAndShowsProgress) {
  ASSERT_TRUE(list_->SetOrder(TransactionOrder::kEntry));
  EXPECT_EQ(company_.ui.progress_texts().back(), "Sorting 10 Entries (Order Entered)");
  ASSERT_TRUE(list_->SetOrder(TransactionOrder::kDate));
  EXPECT_EQ(list_->order(), TransactionOrder::kDate);
  EXPECT_EQ(CompanySettings::Decode(company_.data.ReadFile("KXACCT.CFG")).date_order, 1);
}

class ReviewFindTest : public ReviewListTest {
 protected:
  ReviewFindTest()
      : ReviewListTest({Check("ABC Supply", "1001", 1250), Check("Bay Electric", "1002", 4000),
                        Check("abc Rentals", "1003", 9900),
                        Check("Dock Rentals", "1004", 100, "510")}) {}

  // Runs "Find", recording the records it shows.
  std::vector<int> Find() {
    std::vector<int> shown;
    list_->Find([&shown](int number) { shown.push_back(number); });
    return shown;
  }
};

TEST_F(ReviewFindTest, MatchesAreShownFromTheLastWithTheirFieldAndAskedToContinue) {
  company_.ui.AnswerInput("abc");
  company_.ui.Answer(true);
  company_.ui.Answer(true);
  EXPECT_THAT(Find(), ElementsAre(3, 1));
  EXPECT_THAT(company_.ui.prompts(),
              ElementsAre("Find transactions containing the text and/or numbers entered "
                          "below.\n\n(Not Case Sensitive)\n\n4 transactions to search"));
  EXPECT_THAT(company_.ui.Texts(),
              ElementsAre("Searching for: abc\n\nDescription/Payee: abc Rentals\n\nContinue "
                          "searching?",
                          "Searching for: abc\n\nDescription/Payee: ABC Supply\n\nContinue "
                          "searching?",
                          kNoAdditionalMatches));
  EXPECT_EQ(company_.ui.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(company_.ui.messages()[2].kind, MessageKind::kInformation);
}

TEST_F(ReviewFindTest, NoEndsTheSearchAndTheTextIsOfferedNextTime) {
  company_.ui.AnswerInput("12.5");
  EXPECT_THAT(Find(), ElementsAre(1));  // the preselected No
  EXPECT_THAT(company_.ui.Texts(),
              ElementsAre("Searching for: 12.5\n\nAmt: 12.50\n\nContinue searching?"));
  company_.ui.ClearMessages();
  company_.ui.AnswerInput("51");
  EXPECT_THAT(Find(), ElementsAre(4));
  EXPECT_THAT(company_.ui.input_initials(), ElementsAre("", "12.5"));
  EXPECT_EQ(list_->last_search(), "51");
  EXPECT_THAT(company_.ui.Texts(), ElementsAre("Searching for: 51\n\nAcct: 510\n\nContinue "
                                               "searching?"));
}

TEST_F(ReviewFindTest, NothingFoundIsAnErrorAndAnEmptyAnswerSearchesNothing) {
  company_.ui.AnswerInput("zzz");
  EXPECT_TRUE(Find().empty());
  ASSERT_EQ(company_.ui.messages().size(), 1u);
  EXPECT_EQ(company_.ui.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(company_.ui.LastText(), kNoMatchesFound);
  company_.ui.ClearMessages();
  company_.ui.AnswerInput("");
  EXPECT_TRUE(Find().empty());
  EXPECT_TRUE(company_.ui.messages().empty());
}

TEST_F(ReviewListTest, BalanceShowsAnAccountOfTheChartAndTheBankAsTheRegisterDerivesIt) {
  company_.ui.AnswerInput(" 650 ");
  company_.ui.AnswerInput("110");
  company_.ui.AnswerInput("999");
  list_->ShowAccountBalance();
  list_->ShowAccountBalance();
  list_->ShowAccountBalance();
  EXPECT_THAT(company_.ui.input_titles(), ElementsAre(kBalanceTitle, kBalanceTitle, kBalanceTitle));
  EXPECT_EQ(company_.ui.prompts()[0], kBalancePrompt);
  // Ten checks of 1.00 to 10.00: 55.00 to rent, out of the bank's 5,000.00.
  EXPECT_THAT(company_.ui.Texts(),
              ElementsAre("Balance for\n650 Rent\n\n55.00",
                          "Balance for\n110 Checking Account\n\n4945.00", "Account 999 not found"));
  EXPECT_EQ(company_.ui.messages()[2].kind, MessageKind::kError);
}

class ReviewSummaryTest : public ReviewListTest {
 protected:
  static std::vector<TransactionRecord> Lines() {
    TransactionRecord invoice =
        StoredLine(kInvoice, "Bay Electric", "", Day(2026, 3, 1), "650", 7500);
    invoice.due_date = Day(2026, 4, 1);
    return {invoice,
            Check("Harbor Supply", "1041", 6000),
            Check("Harbor Supply", "1041", 3000, "655"),
            Check("Harbor Supply", "1041", 1000, "720"),
            Check("Harbor Supply", "1042", 500),
            StoredLine(kJournalLine, "Accrual", "JE7", Day(2026, 3, 2), "720", -2500)};
  }
  ReviewSummaryTest() : ReviewListTest(Lines()) {}
};

TEST_F(ReviewSummaryTest, TheSelectedEntryIsSummarisedByItsKind) {
  const EntrySummary invoice = list_->Summary(1);
  EXPECT_EQ(invoice.caption, "Unpaid Invoice:");
  EXPECT_EQ(invoice.amount, Money::FromCents(7500));
  EXPECT_TRUE(invoice.red);
  // A check written in three lines is summed from any of them; the next
  // check number stands alone.
  for (int number : {2, 3, 4}) {
    EXPECT_EQ(list_->Summary(number).caption, "Check 1041:");
    EXPECT_EQ(list_->Summary(number).amount, Money::FromCents(10000)) << number;
  }
  EXPECT_EQ(list_->Summary(5).amount, Money::FromCents(500));
  EXPECT_EQ(list_->Summary(6).caption, "JE JE7:");
  EXPECT_EQ(list_->Summary(6).amount, Money::FromCents(-2500));
  EXPECT_EQ(list_->Summary(0).caption, "");
  EXPECT_EQ(list_->TotalUnpaid(), Money::FromCents(7500));
  EXPECT_EQ(list_->RowText(1).reference, "Due Date: 04/01/26");
}

TEST_F(ReviewSummaryTest, LinesReadOnceAreKeptUntilTheBooksChange) {
  std::vector<LedgerChange> changes;
  list_->set_on_changed([&changes](LedgerChange change, int) { changes.push_back(change); });
  EXPECT_EQ(list_->RowText(2).amount, "60.00");
  const int64_t read = list_->lines_read();
  for (int n = 1; n <= 6; ++n) list_->RowText(n);
  EXPECT_EQ(list_->lines_read(), read);
  // An edit elsewhere shows at once.
  TransactionRecord edited = company_.LineOnDisk(2);
  edited.amount = Money::FromCents(6100);
  ASSERT_TRUE(company_.program.ledger().WriteTransaction(2, edited));
  EXPECT_EQ(list_->RowText(2).amount, "61.00");
  ASSERT_EQ(list_->VoidOrDeleteEntry(6, false), VoidOrDeleteResult::kNothing);  // No preselected
  company_.ui.Answer(true);
  ASSERT_EQ(list_->VoidOrDeleteEntry(6, false), VoidOrDeleteResult::kDeleted);
  EXPECT_EQ(list_->row_count(), 5);
  EXPECT_THAT(changes,
              ElementsAre(LedgerChange::kTransactionChanged, LedgerChange::kTransactionDeleted));
}

}  // namespace
}  // namespace zenkar
