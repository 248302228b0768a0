// The headings and body lines of the two statements (financial_statements.h).
#include <cstdio>

#include "common/text_field.h"
#include "output/financial_statements.h"

namespace zenkar {
namespace {

// Income statement columns: right edges and CSV fields.
constexpr double kCurrentColumn = 42;
constexpr double kCurrentPercentColumn = 49;
constexpr double kYearToDateColumn = 62;
constexpr double kYearToDatePercentColumn = 69;
constexpr double kPriorPercentColumn = 78;
// Balance sheet: the column of level 1; each level further right by 15.
constexpr double kFirstLevelColumn = 48;
constexpr double kLevelColumnStep = 15;

std::string TimeOfDay(const LocalDateTime& now) {
  const int hour = now.hour % 12 == 0 ? 12 : now.hour % 12;
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d %s", hour, now.minute, now.hour < 12 ? "AM" : "PM");
  return text;
}

void ReplaceAll(std::string& text, std::string_view from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string TitleOr(const std::string& title, std::string_view fallback) {
  const std::string_view trimmed = Trim(title);
  return std::string(trimmed.empty() ? fallback : trimmed);
}

StatementHeading HeadingOf(const CompanySettings& settings, std::string title,
                           std::string period_line, const std::string& heading_text,
                           const HeadingFacts& facts) {
  StatementHeading heading;
  heading.company = std::string(Trim(settings.name_line_1));
  heading.title = std::move(title);
  heading.period_line = std::move(period_line);
  heading.heading_line = ExpandHeadingLine(TrimRight(heading_text), facts);
  return heading;
}

std::vector<ColumnHeading> IncomeColumnHeadings(bool percentages) {
  if (!percentages) {
    return {{0, kCurrentColumn, "Current", 2},
            {0, kYearToDateColumn, "Y-T-D", 3},
            {1, kCurrentColumn, "Amount", 2},
            {1, kYearToDateColumn, "Amount", 3}};
  }
  return {{0, kCurrentColumn, "Current", 2},           {0, kCurrentPercentColumn, "Current", 3},
          {0, kYearToDateColumn, "Y-T-D", 4},          {0, kYearToDatePercentColumn, "Y-T-D", 5},
          {0, kPriorPercentColumn, "Prior Yr", 6},     {1, kCurrentColumn, "Amount", 2},
          {1, kCurrentPercentColumn, "Percent", 3},    {1, kYearToDateColumn, "Amount", 4},
          {1, kYearToDatePercentColumn, "Percent", 5}, {1, kPriorPercentColumn, "Percent", 6}};
}

void AddIfNotZero(StatementBodyLine& body, double column, Money amount, int field) {
  if (!amount.IsZero()) body.amounts.push_back({column, amount, field});
}

Money PercentAmount(int64_t hundredths) { return Money::FromCents(hundredths); }

// The parts every title type shares: page breaks, titles and underlines.
bool StartBodyLine(int32_t title_type, const std::string& description, StatementBodyLine& body) {
  body.description = description;
  if (title_type == kPageBreak) {
    body = StatementBodyLine();
    body.page_break = true;
    return false;
  }
  if (title_type == kTitleAccount) {
    body.blank_before = true;
    return false;
  }
  if (title_type == kTitleSingleUnderline) body.underlines = 1;
  if (title_type == kTitleDoubleUnderline) body.underlines = 2;
  return true;
}

StatementBodyLine IncomeBodyLine(const IncomeStatementLine& line, bool percentages) {
  StatementBodyLine body;
  if (!StartBodyLine(line.title_type, line.description, body)) return body;
  const auto& a = line.amounts;
  const auto& p = line.percents;
  if (!percentages) {
    AddIfNotZero(body, kCurrentColumn, a[kCurrentPeriod], 2);
    AddIfNotZero(body, kYearToDateColumn, a[kYearToDate], 3);
  } else {
    AddIfNotZero(body, kCurrentColumn, a[kCurrentPeriod], 2);
    AddIfNotZero(body, kCurrentPercentColumn, PercentAmount(p[kCurrentPeriod]), 3);
    AddIfNotZero(body, kYearToDateColumn, a[kYearToDate], 4);
    AddIfNotZero(body, kYearToDatePercentColumn, PercentAmount(p[kYearToDate]), 5);
    AddIfNotZero(body, kPriorPercentColumn, PercentAmount(p[kPriorYear]), 6);
  }
  if (body.underlines > 0) body.underline_columns = {kCurrentColumn, kYearToDateColumn};
  return body;
}

StatementBodyLine BalanceBodyLine(const BalanceSheetLine& line) {
  StatementBodyLine body;
  const bool printed = StartBodyLine(line.title_type, line.description, body);
  body.blank_before = !body.page_break && line.blank_before;
  if (!printed) return body;
  for (int c = 0; c < kBalanceSheetColumns; ++c) {
    AddIfNotZero(body, kFirstLevelColumn + kLevelColumnStep * c, line.columns[c], 2 + c);
  }
  if (body.underlines > 0) {
    for (int c = 0; c < kBalanceSheetColumns; ++c) {
      body.underline_columns.push_back(kFirstLevelColumn + kLevelColumnStep * c);
    }
  }
  return body;
}

}  // namespace

HeadingFacts HeadingFactsOf(const Clock& clock, const DatePatterns& dates) {
  return {dates, clock.Today(), clock.LocalNow()};
}

std::string ExpandHeadingLine(std::string_view text, const HeadingFacts& facts) {
  std::string line(text);
  ReplaceAll(line, "@DATE", FormatDate(facts.today, facts.dates.numeric));
  ReplaceAll(line, "@TIME", TimeOfDay(facts.now));
  return line;
}

StatementDocument IncomeStatementDocument(const IncomeStatement& statement,
                                          const CompanySettings& settings,
                                          const HeadingFacts& facts) {
  StatementDocument document;
  document.job_title = "Income-Statement";
  document.base_lines_per_page = kIncomeStatementLines;
  document.first_amount_column = kCurrentColumn;
  document.heading =
      HeadingOf(settings, TitleOr(settings.income_title, kIncomeStatementLabel),
                PeriodHeadingText(statement.window.period), settings.income_footer, facts);
  document.heading.columns = IncomeColumnHeadings(statement.percentages);
  for (const IncomeStatementLine& line : statement.lines) {
    if (line.included) document.lines.push_back(IncomeBodyLine(line, statement.percentages));
  }
  return document;
}

StatementDocument BalanceSheetDocument(const BalanceSheet& sheet, const CompanySettings& settings,
                                       const HeadingFacts& facts) {
  StatementDocument document;
  document.job_title = "Balance-Sheet";
  document.base_lines_per_page = kBalanceSheetLines;
  document.first_amount_column = kFirstLevelColumn;
  document.heading =
      HeadingOf(settings, TitleOr(settings.balance_title, kBalanceSheetLabel),
                "As of " + LongDate(sheet.window.period.last), settings.balance_footer, facts);
  for (const BalanceSheetLine& line : sheet.lines) {
    if (line.included) document.lines.push_back(BalanceBodyLine(line));
  }
  return document;
}

}  // namespace zenkar
