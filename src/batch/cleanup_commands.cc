// The year clean-up from the command line: remove-oldest-year and
// delete-inactive-payees, with the desktop program's questions answered by
// --yes (any other answer leaves the books as they were).
#include "batch/commands.h"
#include "batch/documents.h"
#include "ledger/cleanup_dialogue.h"
#include "output/listing_books.h"
#include "output/old_entries_report.h"
#include "services/exchange/accountant_exchange.h"

namespace zenkar {

inline constexpr std::string_view kTooFewEntriesToRemove =
    "Nothing was removed: the books hold fewer than 2 entries.";

bool RunRemoveOldestYear(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context) || !PassesDataCheckedOutGuard(context.ledger)) return false;
  // The window's key does nothing then; a command that changes nothing says so.
  if (context.ledger.transaction_count() < 2) {
    context.ledger.ui().Error(kTooFewEntriesToRemove);
    return false;
  }
  CommandDocuments documents(context, invocation.removed_report);
  if (!documents.Prepare()) return false;
  // The report is delivered before the lines leave the books.
  const auto report = [&](const std::vector<TransactionRecord>& removed) {
    const ListingBooks books = ListingBooksOf(context.ledger);
    PrintJob job(documents.services(), documents.target());
    return PrintOldEntriesReport(books, job, removed) && documents.Deliver();
  };
  return AskAndRemoveOldestYear(context.ledger, report) == CleanupOutcome::kDone;
}

bool RunDeleteInactivePayees(CommandContext& context) {
  if (!OpenBooks(context) || !PassesDataCheckedOutGuard(context.ledger)) return false;
  return AskAndDeleteInactivePayees(context.ledger) == CleanupOutcome::kDone;
}

}  // namespace zenkar
