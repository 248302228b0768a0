#include "output/ledger_reports.h"

#include "output/account_summary.h"
#include "output/activity_comparison.h"
#include "output/check_deposit_listing.h"
#include "output/coa_listing.h"
#include "output/form_1099.h"
#include "output/general_ledger.h"
#include "output/last_entries.h"
#include "output/payee_activity.h"
#include "output/payee_listing.h"
#include "output/transaction_listing.h"
#include "output/trial_balance.h"
#include "output/unpaid_invoice_listing.h"
#include "output/unprinted_transactions.h"

namespace zenkar {

void AddLedgerReports(ReportRegistry& registry) {
  AddListing(registry, kTransactionListingLabel, PrintTransactionListing);
  AddListing(registry, kGeneralLedgerLabel, PrintGeneralLedger);
  AddListing(registry, kAccountSummaryLabel, PrintAccountSummary);
  AddListing(registry, kTrialBalanceLabel, PrintTrialBalance);
  AddListing(registry, kActivityComparisonLabel, PrintActivityComparison);
  AddListing(registry, kCoaListingLabel, PrintCoaListing);
  AddListing(registry, kUnpaidInvoiceListingLabel, PrintUnpaidInvoiceListing);
  AddListing(registry, kCheckDepositListingLabel, PrintCheckDepositListing);
  AddListing(registry, kLastEntriesLabel, PrintLastEntries);
  AddListing(registry, kUnprintedTransactionsLabel, PrintUnprintedTransactions);
  AddListing(registry, kPayeeListingLabel, PrintPayeeListing);
  AddListing(registry, kPayeeActivityLabel, PrintPayeeActivity);
  AddListing(registry, k1099Label, Print1099);
}

}  // namespace zenkar
