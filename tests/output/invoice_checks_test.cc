// Paying invoices by check over a real company folder: one check per payee
// in the order of each payee's first invoice, the refusals before any number
// is asked, the paid lines recorded only once the checks printed and were
// confirmed, and saving as paid without printing.
#include "output/invoice_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/check_fixture.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

using testing::Date;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class InvoiceChecksTest : public testing::CheckFixture {
 protected:
  void SetUp() override {
    date_order_ = 0;
    OpenWithCheckType(1);
  }

  int Invoice(int payee, std::string_view number, int64_t cents) {
    TransactionRecord line = testing::Line(kInvoice, "650", cents, "", kNoDate, "", payee);
    line.description = ledger_.payees().payee(payee).name;
    line.invoice_number = std::string(number);
    line.invoice_date_2 = Date(2026, 2, 1);
    line.due_date = Date(2026, 3, 1);
    return Append(line);
  }

  InvoicePaymentResult Pay(std::vector<int> invoices, OutputTarget target = OutputTarget::kPdf,
                           bool print = true, UnprintedCheckChooser* chooser = nullptr) {
    InvoicePayment payment;
    payment.invoices = std::move(invoices);
    payment.check_date = Date(2026, 3, 14);
    payment.print = print;
    payment.chooser = chooser;
    PrintJob job(services_, target);
    return PayInvoicesByCheck(ledger_, job, payment);
  }

  std::vector<int32_t> Kinds() {
    std::vector<int32_t> kinds;
    ledger_.ForEachTransaction([&](const TransactionRecord& line) { kinds.push_back(line.kind); });
    return kinds;
  }
};

class TickedChooser : public UnprintedCheckChooser {
 public:
  explicit TickedChooser(std::vector<bool> ticked) : ticked_(std::move(ticked)) {}
  std::vector<bool> ChooseUnprinted(const std::vector<std::string>&) override { return ticked_; }

 private:
  std::vector<bool> ticked_;
};

TEST_F(InvoiceChecksTest, OnePayeesInvoicesMakeOneCheckInTheOrderOfItsFirstInvoice) {
  Append(testing::Line(kJournalLine, "650", 0, "opening"));
  const int bay = Invoice(2, "B-1", 30000);
  const int harbor_1 = Invoice(1, "H-1", 10000);
  const int harbor_2 = Invoice(1, "H-2", 2550);
  const Money bank_before = ledger_.BankBalance();
  ui_.AnswerInput("2001");
  const InvoicePaymentResult result = Pay({bay, harbor_1, harbor_2});
  EXPECT_EQ(result.invoices_paid, 3);
  EXPECT_THAT(result.numbers, ElementsAre("2001", "2002"));
  EXPECT_THAT(ui_.prompts(), ElementsAre(std::string(kStartingNumberPrompt)));

  const testing::TextPages pages = testing::PdfTextPages(PdfPath());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("Bay Electric")));
  EXPECT_THAT(pages[1], ::testing::Contains(HasSubstr("Harbor Supply")));
  EXPECT_THAT(pages[1], ::testing::Contains(HasSubstr("H-2")));
  EXPECT_THAT(pages[1], ::testing::Contains(HasSubstr("125.50")));

  // Moved to the end in the order of the list, each with its check.
  EXPECT_THAT(Kinds(),
              ElementsAre(kJournalLine, kCheckOrDeposit, kCheckOrDeposit, kCheckOrDeposit));
  EXPECT_EQ(TrimRight(Read(2).invoice_number), "B-1");
  EXPECT_EQ(TrimRight(Read(2).reference), "2001");
  EXPECT_EQ(TrimRight(Read(4).invoice_number), "H-2");
  EXPECT_EQ(TrimRight(Read(4).reference), "2002");
  EXPECT_EQ(Read(4).date, Date(2026, 3, 14));
  EXPECT_EQ(ledger_.BankBalance(), bank_before - Money::FromCents(42550));
  EXPECT_EQ(ledger_.settings().next_check, "2003");
  ExpectBooksAgreeWithFiles();
}

TEST_F(InvoiceChecksTest, ACreditLargerThanTheBillsBesideItCancelsThePaymentBeforeAnyNumber) {
  const int bill = Invoice(1, "H-1", 5000);
  const int credit = Invoice(1, "CR-1", -8000);
  const int other = Invoice(2, "B-1", 1000);
  EXPECT_EQ(Pay({other, bill, credit}).invoices_paid, 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kNegativeCheck)});
  EXPECT_TRUE(ui_.prompts().empty());
  EXPECT_THAT(Kinds(), ElementsAre(kInvoice, kInvoice, kInvoice));
  EXPECT_EQ(ledger_.settings().next_check, "1043");
  EXPECT_FALSE(dir_.Exists("Checks.pdf"));

  ui_.ClearMessages();
  const int even = Invoice(3, "D-1", 8000);
  EXPECT_EQ(Pay({credit, even}).invoices_paid, 0);  // of two payees: each is its own check
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kNegativeCheck)});
}

TEST_F(InvoiceChecksTest, AnInvoiceWithoutAValidPayeeCancelsThePayment) {
  const int good = Invoice(1, "H-1", 5000);
  TransactionRecord orphan = testing::Line(kInvoice, "650", 700, "", kNoDate, "", 0);
  const int bad = Append(orphan);
  EXPECT_EQ(Pay({good, bad}).invoices_paid, 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kNoValidPayee)});
  EXPECT_THAT(Kinds(), ElementsAre(kInvoice, kInvoice));
}

TEST_F(InvoiceChecksTest, OnlyTheChecksThatPrintedArePaidAndNothingIsTakenBack) {
  const int harbor = Invoice(1, "H-1", 5000);
  const int bay = Invoice(2, "B-1", 1000);
  ui_.AnswerInput("1043");
  ui_.Answer(false);                     // "Did every check print correctly?"
  TickedChooser chooser({false, true});  // Bay Electric's did not
  const InvoicePaymentResult result = Pay({harbor, bay}, OutputTarget::kPrinter, true, &chooser);
  EXPECT_EQ(result.invoices_paid, 1);
  EXPECT_THAT(result.numbers, ElementsAre("1043"));
  EXPECT_THAT(Kinds(), ElementsAre(kInvoice, kCheckOrDeposit));
  EXPECT_EQ(TrimRight(Read(1).invoice_number), "B-1");
  EXPECT_EQ(TrimRight(Read(1).reference), "");
  EXPECT_EQ(ledger_.settings().next_check, "1045");  // both numbers stay used
  ExpectBooksAgreeWithFiles();

  // A cancelled print pays nothing.
  ui_.ClearMessages();
  printer_.cancel = true;
  EXPECT_EQ(Pay({1}, OutputTarget::kPrinter).invoices_paid, 0);
  EXPECT_EQ(Read(1).kind, kInvoice);
}

TEST_F(InvoiceChecksTest, SavedAsPaidTheChecksAreNumberedAndRecordedWithoutPrinting) {
  ledger_.settings().check_type = 0;  // no form is needed for nothing printed
  const int harbor = Invoice(1, "H-1", 5000);
  ui_.AnswerInput("1043");
  const InvoicePaymentResult result = Pay({harbor}, OutputTarget::kPrinter, /*print=*/false);
  EXPECT_EQ(result.invoices_paid, 1);
  EXPECT_THAT(result.numbers, ElementsAre("1043"));
  EXPECT_TRUE(printer_.titles.empty());
  EXPECT_EQ(Read(1).kind, kCheckOrDeposit);
  EXPECT_EQ(TrimRight(Read(1).reference), "1043");
  EXPECT_EQ(ledger_.settings().next_check, "1044");
  ExpectBooksAgreeWithFiles();
}

}  // namespace
}  // namespace zenkar
