// The payables screens' rules without a display: saving an invoice line,
// the warning for many unpaid invoices, the latest-unpaid box, editing and
// deleting an invoice, "Auto Invoice"'s question, and the "Pay Invoices"
// list with its sorting, its select-all questions, its figures and its two
// payment buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "app_rules/transactions/invoice_register.h"
#include "app_rules/transactions/pay_invoices.h"
#include "output/output_fakes.h"
#include "output/quick_check.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;

TransactionRecord UnpaidInvoice(int payee, std::string_view name, std::string_view number,
                                DayNumber due, int64_t cents) {
  TransactionRecord line = testing::StoredLine(kInvoice, name, "", kNoDate, "650", cents);
  line.payee_number = payee;
  line.invoice_number = std::string(number);
  line.due_date = due;
  return line;
}

InvoiceLine Bill(int payee, std::string amount) {
  InvoiceLine line;
  line.payee = payee;
  line.invoice_date = Day(2026, 3, 2);
  line.due_date = Day(2026, 4, 1);
  line.invoice_number = "INV-7";
  line.account = "650";
  line.amount = std::move(amount);
  return line;
}

TEST(InvoiceRegisterTest, AnInvoiceLeavesTheBalancesAloneUntilItIsPaid) {
  EntryCompany company;
  ASSERT_TRUE(company.Load());
  InvoiceRegister invoices(company.program);
  invoices.Enter();
  const Money bank = company.program.ledger().BankBalance();
  const int number = invoices.SaveLine(Bill(2, "1215.07"));
  ASSERT_EQ(number, 1);
  const TransactionRecord stored = company.LineOnDisk(1);
  EXPECT_EQ(stored.kind, kInvoice);
  EXPECT_EQ(stored.payee_number, 2);
  EXPECT_EQ(TrimRight(stored.description), "Bay Electric");
  EXPECT_EQ(stored.invoice_date_2, Day(2026, 3, 2));
  EXPECT_EQ(stored.due_date, Day(2026, 4, 1));
  EXPECT_EQ(stored.date, kNoDate);
  EXPECT_EQ(TrimRight(stored.invoice_number), "INV-7");
  EXPECT_EQ(stored.amount, Money::FromCents(121507));
  EXPECT_EQ(company.Posted("650"), Money());
  EXPECT_EQ(company.program.ledger().BankBalance(), bank);
  EXPECT_EQ(invoices.UnpaidTotal(), Money::FromCents(121507));
  ASSERT_EQ(invoices.LatestTexts().size(), 1u);
  EXPECT_EQ(invoices.LatestTexts()[0].reference, "Due Date: 04/01/26");
  EXPECT_EQ(invoices.LatestTexts()[0].date, "03/02/26");
  // The next line keeps the dates; a line without a payee is not saved.
  EXPECT_EQ(invoices.NewLine().due_date, Day(2026, 4, 1));
  EXPECT_EQ(invoices.SaveLine(Bill(0, "5")), 0);
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>{std::string(kMustSelectPayee)});
  EXPECT_EQ(company.LinesOnDisk(), 1);
}

TEST(InvoiceRegisterTest, TheWarningOfManyUnpaidInvoicesComesOncePerRunAfterTheFiveThousandth) {
  std::vector<TransactionRecord> lines;
  for (int i = 0; i < kManyUnpaidInvoices - 1; ++i) {
    lines.push_back(UnpaidInvoice(1, "Harbor Supply", "N", Day(2026, 4, 1), 100));
  }
  EntryCompany company(lines);
  ASSERT_TRUE(company.Load());
  InvoiceRegister invoices(company.program);
  invoices.Enter();
  ASSERT_NE(invoices.SaveLine(Bill(1, "1")), 0);  // the 5,000th
  EXPECT_TRUE(company.ui.Texts().empty());
  ASSERT_NE(invoices.SaveLine(Bill(1, "1")), 0);
  ASSERT_NE(invoices.SaveLine(Bill(1, "1")), 0);
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>{std::string(kManyUnpaidInvoicesWarning)});
  InvoiceRegister after_restart(company.program);
  ASSERT_NE(after_restart.SaveLine(Bill(1, "1")), 0);
  EXPECT_EQ(company.ui.Texts().size(), 1u);
}

TEST(InvoiceRegisterTest, EditingAndDeletingAnInvoice) {
  EntryCompany company({UnpaidInvoice(1, "Harbor Supply", "A-1", Day(2026, 4, 1), 5000)});
  ASSERT_TRUE(company.Load());
  Ledger& ledger = company.program.ledger();
  const std::optional<TransactionRecord> stored = InvoiceToEdit(ledger, 1);
  ASSERT_TRUE(stored.has_value());
  const DatePatterns& patterns = company.program.date_patterns();
  EXPECT_EQ(SaveEditedInvoice(ledger, patterns, *stored, InvoiceLineOf(*stored)),
            EditResult::kUnchanged);
  InvoiceLine edited = InvoiceLineOf(*stored);
  edited.payee = 3;
  edited.amount = "75.25";
  EXPECT_EQ(SaveEditedInvoice(ledger, patterns, *stored, edited), EditResult::kSaved);
  EXPECT_EQ(TrimRight(company.LineOnDisk(1).description), "Dock Rentals");
  EXPECT_EQ(company.LineOnDisk(1).amount, Money::FromCents(7525));
  EXPECT_EQ(company.Posted("650"), Money());

  InvoiceRegister invoices(company.program);
  invoices.Enter();
  company.ui.Answer(true);
  EXPECT_EQ(invoices.DeleteRow(0), VoidOrDeleteResult::kDeleted);
  ASSERT_EQ(company.ui.messages().size(), 1u);  // deletion only: no void offered
  EXPECT_EQ(company.ui.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(company.ui.messages()[0].title, "Invoice Entry: ");
  EXPECT_EQ(company.LinesOnDisk(), 0);
}

TEST(InvoiceRegisterTest, AutoInvoiceAsksFirst) {
  EntryCompany company;
  ASSERT_TRUE(company.Load());
  InvoiceRegister invoices(company.program);
  EXPECT_FALSE(invoices.PostAutoInvoices().has_value());
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>{std::string(kPostAutoInvoicesQuestion)});
  EXPECT_EQ(company.ui.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  company.ui.Answer(true);
  const std::optional<AutoInvoicePosting> posting = invoices.PostAutoInvoices();
  ASSERT_TRUE(posting.has_value());
  EXPECT_FALSE(posting->posted);  // no payee has a slot
  EXPECT_EQ(company.ui.Texts().back(), kNoAutoInvoicesPosted);
}

class PayInvoicesListTest : public ::testing::Test {
 protected:
  PayInvoicesListTest()
      : company({UnpaidInvoice(2, "Bay Electric", "b-20", Day(2026, 4, 9), 2000),
                 UnpaidInvoice(1, "Harbor Supply", "A-10", Day(2026, 4, 1), 700000),
                 UnpaidInvoice(2, "Bay Electric", "C-5", Day(2026, 4, 1), 350)}) {
    EXPECT_TRUE(company.Load());
    list.Enter();
  }

  std::vector<std::string> Column(PayColumn column) const {
    std::vector<std::string> texts;
    for (int row = 0; row < static_cast<int>(list.rows().size()); ++row) {
      texts.push_back(list.Text(row, column));
    }
    return texts;
  }

  EntryCompany company;
  PayInvoicesList list{company.program};
  testing::FakeShell shell;
  DatePatterns dates = testing::UsDatePatterns();
  OutputServices services{company.fs, company.ui, company.clock,       shell, dates,
                          nullptr,    nullptr,    company.data.path(), {}};
};

TEST_F(PayInvoicesListTest, RowsSortByTheColumnClicked) {
  EXPECT_THAT(Column(PayColumn::kInvoiceNumber), ElementsAre("b-20", "A-10", "C-5"));
  list.SortBy(PayColumn::kInvoiceNumber);
  EXPECT_THAT(Column(PayColumn::kInvoiceNumber), ElementsAre("A-10", "b-20", "C-5"));
  list.SortBy(PayColumn::kDueDate);
  EXPECT_THAT(Column(PayColumn::kDueDate), ElementsAre("04/01/26", "04/01/26", "04/09/26"));
  EXPECT_THAT(Column(PayColumn::kInvoiceNumber), ElementsAre("A-10", "C-5", "b-20"));
  list.SortBy(PayColumn::kAmount);
  EXPECT_THAT(Column(PayColumn::kAmount), ElementsAre("3.50", "20.00", "7000.00"));
  list.SortBy(PayColumn::kPayee);
  EXPECT_THAT(Column(PayColumn::kPayee),
              ElementsAre("Bay Electric", "Bay Electric", "Harbor Supply"));
  list.Refresh();  // read again, still in the order chosen
  EXPECT_THAT(Column(PayColumn::kPayee).back(), "Harbor Supply");
}

TEST_F(PayInvoicesListTest, ARightClickAsksToSelectEveryRowWithTheValueClicked) {
  EXPECT_TRUE(list.SelectAllLike(0, PayColumn::kPayee).empty());  // No is preselected
  company.ui.Answer(true);
  EXPECT_THAT(list.SelectAllLike(0, PayColumn::kAmount), ElementsAre(0, 2));
  company.ui.Answer(true);
  EXPECT_THAT(list.SelectAllLike(1, PayColumn::kDueDate), ElementsAre(1, 2));
  company.ui.Answer(true);
  EXPECT_THAT(list.SelectAllLike(2, PayColumn::kInvoiceNumber), ElementsAre(2));
  EXPECT_THAT(company.ui.Texts(), ElementsAre("Select all invoices for:\nBay Electric",
                                              "Select all invoices for:\nBay Electric",
                                              "Select all with Due Date of:\n04/01/26",
                                              "Select all with Invoice Number of:\nC-5"));
}

TEST_F(PayInvoicesListTest, TheFiguresFollowTheSelection) {
  EXPECT_EQ(list.CurrentBankBalance(), Money::FromCents(500000));
  EXPECT_EQ(list.SelectedTotal({0, 2}), Money::FromCents(2350));
  EXPECT_EQ(list.NewBankBalance({0, 1}), Money::FromCents(500000 - 702000));
}

TEST_F(PayInvoicesListTest, PayingNeedsASelectionAndSavingAsPaidAsksFirst) {
  PrintJob job(services, OutputTarget::kPdf);
  EXPECT_FALSE(list.Pay({}, PayMode::kPrintChecks, job));
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>{std::string(kNoInvoicesSelected)});
  company.ui.ClearMessages();
  EXPECT_FALSE(list.Pay({2, 0}, PayMode::kSaveAsPaid, job));
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>{std::string(kSaveAsPaidQuestion)});

  // Yes: one check to Bay Electric for both of its invoices, dated with the
  // default check date.
  company.program.set_default_check_date(Day(2026, 3, 20));
  company.ui.ClearMessages();
  company.ui.Answer(true);
  company.ui.AnswerInput("1001");  // the starting number proposed
  EXPECT_TRUE(list.Pay({2, 0}, PayMode::kSaveAsPaid, job));
  ASSERT_EQ(list.rows().size(), 1u);
  EXPECT_EQ(list.rows()[0].payee, "Harbor Supply");
  EXPECT_EQ(company.LineOnDisk(3).kind, kCheckOrDeposit);
  EXPECT_EQ(TrimRight(company.LineOnDisk(3).reference), "1001");
  EXPECT_EQ(company.LineOnDisk(3).date, Day(2026, 3, 20));
  EXPECT_EQ(list.CurrentBankBalance(), Money::FromCents(500000 - 2350));

  // Nothing paid says so.
  company.ui.ClearMessages();
  company.ui.AnswerInput(std::nullopt);  // the starting number cancelled
  EXPECT_FALSE(list.Pay({0}, PayMode::kPrintChecks, job));
  EXPECT_EQ(company.ui.Texts().back(), kNoInvoicesPaid);
}

}  // namespace
}  // namespace zenkar
