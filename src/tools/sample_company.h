// The sample company: a small hardware and building-supply business with a
// full year of books, written through the ledger's own operations so that it
// is exactly what the program would have made.
#ifndef ZENKAR_TOOLS_SAMPLE_COMPANY_H_
#define ZENKAR_TOOLS_SAMPLE_COMPANY_H_

#include "ledger/ledger.h"

namespace zenkar {

// Fills the company loaded in `ledger` (a new company with the default chart
// and no transactions) with its settings, opening balances, about 40 payees
// (four of them receive a 1099-MISC) and the books of `year`: rent,
// utilities, payroll, supplier invoices paid a month later (one check pays
// all of a payee's invoices), customer deposits, monthly journal entries and
// a few voided checks. The same year always gives the same books. False when a ledger
// operation failed (it has been reported through the ledger's Ui).
bool WriteSampleCompany(Ledger& ledger, int year);

}  // namespace zenkar

#endif  // ZENKAR_TOOLS_SAMPLE_COMPANY_H_
