#include "app_rules/reports/live_charts.h"

#include <algorithm>
#include <cstring>

namespace zenkar {

LiveChartLines::LiveChartLines(Ledger& ledger) : ledger_(ledger) {
  ReadAll();
  ledger_.AddObserver(this);
}

LiveChartLines::~LiveChartLines() { ledger_.RemoveObserver(this); }

LiveChartLines::Line LiveChartLines::LineOf(std::string_view record) {
  const TransactionFacts facts = ReadTransactionFacts(record);
  Line line;
  line.kind = facts.kind;
  line.date = facts.date;
  line.invoice_date = facts.invoice_date;
  line.due_date = facts.due_date;
  line.amount = facts.amount;
  std::memcpy(line.account, facts.account.data(), std::min<size_t>(facts.account.size(), 4));
  return line;
}

void LiveChartLines::ReadAll() {
  ++whole_reads_;
  lines_.clear();
  lines_.reserve(static_cast<size_t>(ledger_.transaction_count()));
  ledger_.ScanTransactionRecords(
      [this](int, std::string_view record) { lines_.push_back(LineOf(record)); });
}

bool LiveChartLines::ReadOne(int number, Line* line) {
  TransactionRecord record;
  if (!ledger_.ReadTransaction(number, &record)) return false;
  *line = LineOf(record.Encode());
  return true;
}

void LiveChartLines::OnLedgerChanged(LedgerChange change, int number) {
  const int count = static_cast<int>(lines_.size());
  const auto at = [this](int n) { return lines_.begin() + (n - 1); };
  Line line;
  bool applied = true;
  switch (change) {
    case LedgerChange::kTransactionAppended:
      applied = number == count + 1 && ReadOne(number, &line);
      if (applied) lines_.push_back(line);
      break;
    case LedgerChange::kTransactionChanged:
      applied = number >= 1 && number <= count && ReadOne(number, &line);
      if (applied) *at(number) = line;
      break;
    case LedgerChange::kTransactionInserted:
      applied = number >= 1 && number <= count + 1 && ReadOne(number, &line);
      if (applied) lines_.insert(at(number), line);
      break;
    case LedgerChange::kTransactionDeleted:
      applied = number >= 1 && number <= count;
      if (applied) lines_.erase(at(number));
      break;
    case LedgerChange::kTransactionMoved:
      applied = number >= 1 && number <= count && ReadOne(count, &line);
      if (applied) {
        lines_.erase(at(number));
        lines_.push_back(line);
      }
      break;
    case LedgerChange::kFolderLoaded:
    case LedgerChange::kTransactionsReordered:
    case LedgerChange::kBooksReread:
      applied = false;
      break;
    case LedgerChange::kSettingsChanged:
    case LedgerChange::kChartChanged:
    case LedgerChange::kPayeesChanged:
      break;  // the figures read the ledger's own chart and settings
  }
  // A notice the copy cannot follow (or a line that could not be read)
  // makes it read the whole file.
  if (!applied || static_cast<int>(lines_.size()) != ledger_.transaction_count()) ReadAll();
  if (on_change_) on_change_();
}

StatementBooks LiveChartLines::Books() const {
  return {ledger_.chart(), ledger_.settings(),
          [this](const std::function<void(const TransactionRecord&)>& visit) {
            TransactionRecord record;
            record.account.assign(4, ' ');
            for (const Line& line : lines_) {
              record.kind = line.kind;
              record.date = line.date;
              record.invoice_date_2 = line.invoice_date;
              record.due_date = line.due_date;
              record.amount = line.amount;
              std::memcpy(record.account.data(), line.account, 4);
              visit(record);
            }
            return true;
          }};
}

LiveCharts ComputeLiveCharts(const StatementBooks& books, DayNumber today) {
  LiveCharts charts;
  charts.balance_period = RangePeriod(today - (kLiveBalanceDays - 1), today);
  const AccountingYear year = AccountingYearOf(today, books.settings.fiscal_start_month);
  charts.year_period = RangePeriod(year.first, today);
  ComputeBankBalancesAndIncomeExpenses(books, charts.balance_period, charts.year_period,
                                       &charts.balance, &charts.year);
  return charts;
}

void DrawLiveCharts(ReportCanvas& canvas, const LiveCharts& charts, const DatePatterns& dates) {
  constexpr ReportFont kTitleFont{FontFamily::kArial, 11, FontStyle::kBold};
  constexpr double kCentre = kLiveChartsWidth / 2 / kPointsPerColumn;
  const ChartBox balance_box{108, 50, 576, 300};
  const ChartBox year_box{108, 430, 576, 680};
  canvas.SetFont(kTitleFont);
  canvas.PlaceText(2, kCentre, kBalanceChartTitle, ReportAlign::kCenter, 1);
  canvas.PlaceText(year_box.top / kPointsPerRow - 2, kCentre, kYearChartTitle, ReportAlign::kCenter,
                   1);
  if (charts.balance.period_has_lines) {
    DrawBankBalanceChart(canvas, charts.balance, balance_box, dates);
  } else {
    DrawEmptyChart(canvas, balance_box, kNoBalanceEntries);
  }
  if (charts.year.period_has_lines) {
    DrawIncomeExpenseChart(canvas, charts.year, year_box);
  } else {
    DrawEmptyChart(canvas, year_box, kNoYearEntries);
  }
}

}  // namespace zenkar
