// Paying unpaid invoices by check: "Pay Highlighted Invoices (Print
// Checks)" and "Save as Paid - Without Printing" of "Pay Invoices", and
// kxbatch's pay-invoices.
//
// The invoices chosen (in the order of the list) become one check per payee,
// in the order of each payee's first invoice, paying that payee's invoices
// (listed on its stub) with their sum. Every check is checked before any
// number is asked or anything printed: a payee that is no longer in the
// payee list, or a payee whose invoices would make a check of zero or less
// (a credit larger than the bills beside it), cancels the whole payment.
// The check run then numbers the checks consecutively (asking for the first
// number unless it is given), prints them and asks whether they printed;
// only then are the invoices of the checks that printed recorded as paid, as
// one change of the books (Ledger::PayInvoices): each becomes a check line
// with its check's number and date, moved to the end of the file and
// posted, and the file is sorted as the settings choose. Without printing
// the checks are numbered and recorded at once.
#ifndef ZENKAR_OUTPUT_INVOICE_CHECKS_H_
#define ZENKAR_OUTPUT_INVOICE_CHECKS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "ledger/ledger.h"
#include "output/check_run.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kNoInvoicesSelected = "No invoices were selected for payment.";
inline constexpr std::string_view kNoInvoicesPaid = "No invoices were paid.";
inline constexpr std::string_view kNoValidPayee =
    "A valid payee was not found for each invoice being paid.";
inline constexpr std::string_view kNegativeCheck =
    "Check not created. The selected entries would create a check with a negative amount.";
inline constexpr std::string_view kZeroCheck =
    "Check not created. The selected entries would create a check of 0.00.";

struct InvoicePayment {
  std::vector<int> invoices;  // record numbers of unpaid invoices, in list order
  DayNumber check_date = kNoDate;
  std::string first_number;  // empty: asked, proposing Next Check
  bool print = true;         // false: saved as paid without printing
  UnprintedCheckChooser* chooser = nullptr;
};

// The checks that pay `invoices` (lines of the books, in list order) on
// `date`, one per payee as above, each with its invoices' record numbers.
// Nothing when a payee is not valid or a check would not be above zero
// (the refusal has been shown).
std::optional<std::vector<CheckToPrint>> ChecksForInvoices(
    const Ledger& ledger, const std::vector<TransactionRecord>& invoices, DayNumber date);

// The check line `invoice` becomes when check `number` of `date` pays it.
TransactionRecord PaidInvoiceLine(const TransactionRecord& invoice, std::string_view number,
                                  DayNumber date);

struct InvoicePaymentResult {
  int invoices_paid = 0;             // 0: nothing was paid (the reason has been shown)
  std::vector<std::string> numbers;  // of the checks that paid them
};

// Pays the invoices of `payment` through `job` (not used when nothing is
// printed). A line that is no longer an unpaid invoice refuses the payment
// (kInvoiceGone).
InvoicePaymentResult PayInvoicesByCheck(Ledger& ledger, PrintJob& job,
                                        const InvoicePayment& payment);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_INVOICE_CHECKS_H_
