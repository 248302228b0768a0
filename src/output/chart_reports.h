// The three charts of the Reports tab as reports: "Income and Expenses by
// Month", "Bank Balance" and "Unpaid Invoices by Age".
//
// Each makes the statements' checks first (a range that ends before it
// starts, a period crossing the start of an accounting year, a line without
// an account or to an account the chart lacks, a period without
// transactions), computes its figures (chart_figures.h), then writes one page:
// the listings' heading and the chart drawn under it (chart_drawing.h). On the
// Text target it writes the figures as a table instead.
#ifndef ZENKAR_OUTPUT_CHART_REPORTS_H_
#define ZENKAR_OUTPUT_CHART_REPORTS_H_

#include <string_view>

#include "output/chart_drawing.h"
#include "output/chart_figures.h"
#include "output/listing_layout.h"
#include "output/report_run.h"

namespace zenkar {

// Where a chart stands on its page: under the heading, with room for the
// value labels at the left and the labels and legend below.
ChartBox ChartPageBox(const ListingHeading& heading);

// The tables of the charts' figures, as the Text target writes them.
// The documents refer to `figures`, which must outlive them.
ListingDocument IncomeExpenseTable(const IncomeExpenseFigures& figures,
                                   const CompanySettings& settings);
ListingDocument BankBalanceTable(const BankBalanceFigures& figures, const CompanySettings& settings,
                                 const ReportPeriod& period, const DatePatterns& dates);
ListingDocument InvoiceAgeTable(const InvoiceAgeFigures& figures, const CompanySettings& settings);

// The whole charts, each writing its own print job on `job`.
bool PrintIncomeExpenseChart(const StatementBooks& books, PrintJob& job,
                             const ReportPeriod& period);
bool PrintBankBalanceChart(const StatementBooks& books, PrintJob& job, const ReportPeriod& period);
bool PrintInvoiceAgeChart(const ListingBooks& books, PrintJob& job, const ReportPeriod& period);

// Makes the three charts available in the report run.
void AddChartReports(ReportRegistry& registry);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHART_REPORTS_H_
