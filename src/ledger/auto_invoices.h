// The payees' standing monthly bills ("Auto Invoice 1" and "Auto Invoice 2"
// on the Payees page) and posting them for a month ("Auto Invoice").
//
// Each payee has two slots: a description, an amount, an account and a day
// of the month whose sign chooses what is posted. For every payee in record
// order, slot 1 then slot 2, a slot with day 0 or amount 0 posts nothing; a
// slot whose account is not an entry account of the chart is reported and
// skipped; any other makes
//  - for a day d above 0: an unpaid invoice entered today and due on day d
//    of the month;
//  - for a day below 0: a check entry dated day |d| of the month, whose
//    reference is the first 5 characters of its invoice number;
// day |d| brought into the month (the 31st of February is its last day). The
// invoice number is the slot's description, or "Monthly 1" / "Monthly 2"
// when it is blank.
#ifndef ZENKAR_LEDGER_AUTO_INVOICES_H_
#define ZENKAR_LEDGER_AUTO_INVOICES_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"

namespace zenkar {

class Ledger;

// The slots the Payees page shows and "Auto Invoice" posts.
inline constexpr int kAutoInvoiceSlots = 2;

inline constexpr std::string_view kPostAutoInvoicesQuestion = "Post Auto Invoices and Checks?";
inline constexpr std::string_view kNoAutoInvoicesPosted = "No Auto Invoices were posted";

// payee name + " Auto Invoice Account " + slot + " is not a valid COA entry
// account."
std::string InvalidAutoInvoiceAccountMessage(std::string_view payee_name, int slot);

// One slot's line and where it comes from.
struct AutoInvoiceLine {
  int payee = 0;
  int slot = 0;  // 1 or 2
  TransactionRecord line;
};

// The lines the slots make for `month` (1 to 12) of `year`, entered on
// `today`, in posting order. Each slot with an account that is no entry
// account adds its message to `invalid` instead.
std::vector<AutoInvoiceLine> AutoInvoiceLinesFor(const PayeeList& payees,
                                                 const ChartOfAccounts& chart, int year, int month,
                                                 DayNumber today,
                                                 std::vector<std::string>* invalid);

// What to do with a slot whose entry for the month is in the books already.
enum class RepeatedSlots {
  kPost,    // post it again (the screen, which asks before posting)
  kRefuse,  // leave it out and say so (an unattended run)
};

// "Auto Invoice 2 of Harbor Supply for 03/2026 is in the books already; it
// was not posted again."
std::string SlotPostedAlreadyMessage(std::string_view payee_name, int slot, int year, int month);

struct AutoInvoicePosting {
  bool posted = false;   // at least one line went into the books
  int first_record = 0;  // the record number the first new line got
  int invoices = 0;
  int checks = 0;
  Money invoice_total;
  Money check_total;
};

// Posts the month's lines as one change (an invalid account shown as an
// error per slot; the other slots are still posted). The books' lines of a
// slot are its entries of kind invoice or check with the same payee,
// account and invoice number due (an invoice) or dated (a check) on the same
// day. Nothing to post: "No Auto Invoices were posted" (error).
AutoInvoicePosting PostAutoInvoices(Ledger& ledger, int year, int month, RepeatedSlots repeated);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_AUTO_INVOICES_H_
