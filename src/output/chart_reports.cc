#include "output/chart_reports.h"

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/reconciliation.h"
#include "output/activity_comparison.h"
#include "output/chart_drawing.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr std::string_view kWhatTransactions = "transactions";
constexpr std::string_view kWhatInvoices = "invoices";

// The plot's edges: the value labels take the columns left of 15, the
// month or date labels and the legend the rows under 41.
constexpr double kPlotLeftColumn = 15;
constexpr double kPlotRightColumn = 78;
constexpr double kPlotRows = 30;

// The table columns of the Text target (positions do not matter there).
ListingColumn Field(int field, std::string_view text) { return {0, 0, std::string(text), field}; }

bool AccountsValid(ChartAccountProblem problem, Ui& ui) {
  switch (problem) {
    case ChartAccountProblem::kNone:
      return true;
    case ChartAccountProblem::kBlank:
      ui.Error(kComparisonMissingAccount);
      return false;
    case ChartAccountProblem::kDeleted:
      ui.Error(kComparisonDeletedAccount);
      return false;
  }
  return false;
}

// The date checks every chart makes before it reads the books.
bool PeriodAllowed(const CompanySettings& settings, const ReportPeriod& period, Ui& ui) {
  return CheckPeriodOrder(period, ui) &&
         CheckSingleAccountingYear(period, settings.fiscal_start_month, ui);
}

bool NothingFound(PrintJob& job, std::string_view what, const ReportPeriod& period) {
  job.services().ui.Error(NothingFoundMessage(what, period, job.services().dates));
  return false;
}

// The table on the Text target, or one page with the heading and the chart.
template <typename Draw>
bool WriteChart(PrintJob& job, ListingDocument table, const Draw& draw) {
  if (job.target() == OutputTarget::kText) return WriteListing(job, table);
  if (!job.StartPrintJob(PrintJobKind::kReport, table.job_title)) return false;
  table.heading.columns.clear();
  WriteListingHeading(job, table.heading, 1, 1);
  draw(*job.canvas(), ChartPageBox(table.heading));
  return job.EndPrintJob();
}

}  // namespace

ChartBox ChartPageBox(const ListingHeading& heading) {
  const double top = ListingBodyTop(heading) + 2;
  return {kPlotLeftColumn * kPointsPerColumn, top * kPointsPerRow,
          kPlotRightColumn * kPointsPerColumn, (top + kPlotRows) * kPointsPerRow};
}

ListingDocument IncomeExpenseTable(const IncomeExpenseFigures& figures,
                                   const CompanySettings& settings) {
  ListingDocument table;
  table.job_title = "Income-and-Expenses-by-Month";
  std::vector<std::string> lines = {"For the Accounting Year " + LongDate(figures.year.first) +
                                    " through " + LongDate(figures.year.last)};
  if (figures.through < figures.year.last) {
    lines.push_back("Figures through " + LongDate(figures.through));
  }
  table.heading =
      ListingHeadingOf("INCOME AND EXPENSES BY MONTH", settings.name_line_1, std::move(lines));
  table.heading.columns = {Field(1, "Month"), Field(2, kIncomeName), Field(3, kExpensesName),
                           Field(4, kNetProfitName)};
  int counted = 0;
  for (const MonthFigures& month : figures.months) counted += month.counted ? 1 : 0;
  for (int i = 0; i <= counted; ++i) table.rows.push_back({0, i});
  table.render = [&figures, counted](const ListingRow& row, ListingLineWriter& w) {
    MonthFigures total;
    for (int i = 0; i < counted; ++i) {
      total.income += figures.months[i].income;
      total.expenses += figures.months[i].expenses;
    }
    const bool is_total = row.index == counted;
    const MonthFigures& month = is_total ? total : figures.months[row.index];
    w.Text(0, is_total ? "Total" : FormatDate(FirstOfMonth(month.year, month.month), "yyyy - MMMM"),
           1);
    w.Amount(0, month.income, 2);
    w.Amount(0, month.expenses, 3);
    w.Amount(0, month.net(), 4);
  };
  return table;
}

ListingDocument BankBalanceTable(const BankBalanceFigures& figures, const CompanySettings& settings,
                                 const ReportPeriod& period, const DatePatterns& dates) {
  ListingDocument table;
  table.job_title = "Bank-Balance";
  table.heading = ListingHeadingOf(
      "BANK BALANCE", settings.name_line_1,
      {PeriodHeadingText(period), "Account " + std::string(Trim(figures.bank_account))});
  table.heading.columns = {Field(1, "Date"), Field(2, "Balance")};
  const int count = static_cast<int>(figures.days.size());
  for (int i = 0; i < count + 2; ++i) table.rows.push_back({0, i, 1, i == count});
  table.render = [&figures, &dates, count](const ListingRow& row, ListingLineWriter& w) {
    if (row.index < count) {
      const DayBalance& day = figures.days[row.index];
      w.Text(0, FormatDate(day.day, dates.numeric), 1);
      w.Amount(0, day.balance, 2);
      return;
    }
    const bool lowest = row.index == count;
    const DayBalance& day = figures.days[lowest ? figures.lowest : figures.highest];
    w.Text(0, lowest ? "Lowest" : "Highest", 1);
    w.Amount(0, day.balance, 2);
    w.Text(0, FormatDate(day.day, dates.numeric), 3);
  };
  return table;
}

ListingDocument InvoiceAgeTable(const InvoiceAgeFigures& figures, const CompanySettings& settings) {
  ListingDocument table;
  table.job_title = "Unpaid-Invoices-by-Age";
  table.heading =
      ListingHeadingOf("UNPAID INVOICES BY AGE", settings.name_line_1,
                       {"As of " + LongDate(figures.report_day),
                        "Total Unpaid: " + FormatAmount(figures.total(), kAmountThousands) + " (" +
                            InvoiceCountText(figures.count()) + ")"});
  table.heading.columns = {Field(1, "Age"), Field(2, "Amount"), Field(3, "Invoices")};
  const int buckets = static_cast<int>(figures.buckets.size());
  for (int i = 0; i <= buckets; ++i) table.rows.push_back({0, i});
  table.render = [&figures, buckets](const ListingRow& row, ListingLineWriter& w) {
    const bool is_total = row.index == buckets;
    const AgeBucket total{figures.total(), figures.count()};
    const AgeBucket& bucket = is_total ? total : figures.buckets[row.index];
    w.Text(0, is_total ? std::string_view("Total Unpaid") : kInvoiceAgeLabels[row.index], 1);
    w.Amount(0, bucket.total, 2);
    w.Text(0, FormatCount(bucket.count), 3);
  };
  return table;
}

bool PrintIncomeExpenseChart(const StatementBooks& books, PrintJob& job,
                             const ReportPeriod& period) {
  Ui& ui = job.services().ui;
  if (!PeriodAllowed(books.settings, period, ui)) return false;
  IncomeExpenseFigures figures;
  if (!ComputeIncomeExpenses(books, period, &figures)) return false;
  if (!figures.period_has_lines) return NothingFound(job, kWhatTransactions, period);
  if (!AccountsValid(figures.problem, ui)) return false;
  return WriteChart(job, IncomeExpenseTable(figures, books.settings),
                    [&](ReportCanvas& canvas, const ChartBox& box) {
                      DrawIncomeExpenseChart(canvas, figures, box);
                    });
}

bool PrintBankBalanceChart(const StatementBooks& books, PrintJob& job, const ReportPeriod& period) {
  Ui& ui = job.services().ui;
  if (!PeriodAllowed(books.settings, period, ui)) return false;
  if (!books.chart.IsEntryAccount(books.settings.bank_account)) {
    ui.Error(kSelectValidBankAccount);
    return false;
  }
  BankBalanceFigures figures;
  if (!ComputeBankBalances(books, period, &figures)) return false;
  if (!figures.period_has_lines) return NothingFound(job, kWhatTransactions, period);
  if (!AccountsValid(figures.problem, ui)) return false;
  const DatePatterns& dates = job.services().dates;
  return WriteChart(job, BankBalanceTable(figures, books.settings, period, dates),
                    [&](ReportCanvas& canvas, const ChartBox& box) {
                      DrawBankBalanceChart(canvas, figures, box, dates);
                    });
}

bool PrintInvoiceAgeChart(const ListingBooks& books, PrintJob& job, const ReportPeriod& period) {
  Ui& ui = job.services().ui;
  if (!PeriodAllowed(books.settings, period, ui)) return false;
  InvoiceAgeFigures figures;
  if (!ComputeInvoiceAges(books, period, &figures)) return false;
  if (figures.count() == 0) return NothingFound(job, kWhatInvoices, period);
  if (!AccountsValid(figures.problem, ui)) return false;
  return WriteChart(job, InvoiceAgeTable(figures, books.settings),
                    [&](ReportCanvas& canvas, const ChartBox& box) {
                      DrawInvoiceAgeChart(canvas, figures, box);
                    });
}

void AddChartReports(ReportRegistry& registry) {
  registry.Add(kIncomeExpenseChartLabel, {[](ReportContext& context) {
                 return PrintIncomeExpenseChart(BooksOf(context.ledger), context.job,
                                                context.period);
               }});
  registry.Add(kBankBalanceChartLabel, {[](ReportContext& context) {
                 return PrintBankBalanceChart(BooksOf(context.ledger), context.job, context.period);
               }});
  registry.Add(kInvoiceAgeChartLabel, {[](ReportContext& context) {
                 return PrintInvoiceAgeChart(ListingBooksOf(context.ledger), context.job,
                                             context.period);
               }});
}

}  // namespace zenkar
