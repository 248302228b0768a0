#include "output/statement_books.h"

#include <stdexcept>

namespace zenkar::testing {

TestBooks::TestBooks() {
  NewCompanySettings(settings);
  settings.name_line_1 = "Test Company";
  settings.bank_account = "110";
  settings.payables_account = "210";
  settings.capital_account = "465";
  settings.fiscal_start_month = 1;
  settings.accrual_accounting = 0;
  settings.income_footer.clear();
  settings.balance_footer.clear();
}

TestBooks& TestBooks::Account(std::string_view number, int32_t type, std::string_view description,
                              int level, int32_t title_type, int64_t balance_forward_cents) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = std::string(description);
  account.type = type;
  account.total_level = level;
  account.title_type = title_type;
  account.balance_forward = Money::FromCents(balance_forward_cents);
  accounts.push_back(account);
  return *this;
}

TestBooks& TestBooks::Line(int32_t kind, DayNumber date, std::string_view account, int64_t cents) {
  TransactionRecord line;
  line.kind = kind;
  line.date = date;
  line.account = AccountKey(account);
  line.amount = Money::FromCents(cents);
  lines.push_back(line);
  return *this;
}

TestBooks& TestBooks::Journal(DayNumber date, std::string_view account, int64_t cents) {
  return Line(kJournalLine, date, account, cents);
}

TestBooks& TestBooks::Entry(DayNumber date, std::string_view debit, std::string_view credit,
                            int64_t cents) {
  Journal(date, debit, cents);
  return Journal(date, credit, -cents);
}

TestBooks& TestBooks::Check(DayNumber date, std::string_view account, int64_t cents) {
  return Line(kCheckOrDeposit, date, account, cents);
}

TestBooks& TestBooks::Invoice(DayNumber invoice_date, std::string_view account, int64_t cents) {
  Line(kInvoice, kNoDate, account, cents);
  lines.back().invoice_date_2 = invoice_date;
  lines.back().due_date = invoice_date + 30;
  return *this;
}

const ChartOfAccounts& TestBooks::chart() {
  chart_ = ChartOfAccounts(accounts);
  chart_.Sort();
  return chart_;
}

StatementBooks TestBooks::Books() { return {chart(), settings, Source()}; }

ListingBooks TestBooks::Listing() {
  return {chart(), settings, payees,
          [this](const std::function<void(int, std::string_view)>& visit) {
            int number = 0;
            for (const TransactionRecord& line : lines) visit(++number, line.Encode());
            return true;
          }};
}

TransactionSource TestBooks::Source() const {
  return [this](const std::function<void(const TransactionRecord&)>& visit) {
    for (const TransactionRecord& line : lines) visit(line);
    return true;
  };
}

void AddIncomeAccounts(TestBooks& books) {
  books.Account("500", kIncome, "INCOME", 1, kTitleAccount)
      .Account("510", kIncome, "Sales")
      .Account("520", kIncome, "Service Income")
      .Account("549", kIncome, "Total Income", 2, kTitleSingleUnderline)
      .Account("560", kCostOfSales, "Purchases")
      .Account("599", kGrossProfit, "GROSS PROFIT", 3, kTitleSingleUnderline)
      .Account("600", kOperatingExpenses, "OPERATING EXPENSES", 1, kTitleAccount)
      .Account("650", kOperatingExpenses, "Rent")
      .Account("660", kOperatingExpenses, "Telephone")
      .Account("675", kOperatingExpenses, "Utilities")
      .Account("799", kOperatingExpenses, "Total Operating Expenses", 2, kTitleSingleUnderline)
      .Account("810", kOtherIncome, "Interest Income")
      .Account("849", kOtherIncome, "Total Other Income", 2, kTitleSingleUnderline)
      .Account("999", kNetProfit, "NET PROFIT (LOSS)", 9, kTitleDoubleUnderline);
}

void AddBalanceAccounts(TestBooks& books) {
  books.Account("100", kAssets, "ASSETS", 1, kTitleAccount)
      .Account("110", kAssets, "Checking Account")
      .Account("130", kAssets, "Accounts Receivable")
      .Account("159", kAssets, "Total Current Assets", 2, kTitleSingleUnderline)
      .Account("164", kAssets, "Equipment")
      .Account("179", kAssets, "Total Fixed Assets", 2, kTitleSingleUnderline)
      .Account("199", kAssets, "TOTAL ASSETS", 4, kTitleDoubleUnderline)
      .Account("200", kLiabilitiesAndEquity, "Page Break", 1, kPageBreak)
      .Account("201", kLiabilitiesAndEquity, "LIABILITIES AND EQUITY", 1, kTitleAccount)
      .Account("210", kLiabilitiesAndEquity, "Accounts Payable")
      .Account("270", kLiabilitiesAndEquity, "Notes Payable")
      .Account("299", kLiabilitiesAndEquity, "Total Liabilities", 3, kTitleSingleUnderline)
      .Account("300", kLiabilitiesAndEquity, "Equity", 1, kTitleAccount)
      .Account("310", kLiabilitiesAndEquity, "Owner's Capital")
      .Account("465", kLiabilitiesAndEquity, "Retained Earnings")
      .Account("470", kLiabilitiesAndEquity, "Current Year Profit (Loss)", 1, kBalanceSheetProfit)
      .Account("489", kLiabilitiesAndEquity, "Total Equity", 3, kTitleSingleUnderline)
      .Account("499", kLiabilitiesAndEquity, "TOTAL LIABILITIES AND EQUITY", 4,
               kTitleDoubleUnderline);
}

namespace {

template <typename Line>
const Line& Find(const std::vector<Line>& lines, const ChartOfAccounts& chart,
                 std::string_view number) {
  const int record = chart.FindAccount(number);
  for (const Line& line : lines) {
    if (line.record == record) return line;
  }
  throw std::out_of_range("no statement line for account " + std::string(number));
}

}  // namespace

const IncomeStatementLine& IncomeLine(const IncomeStatement& statement,
                                      const ChartOfAccounts& chart, std::string_view number) {
  return Find(statement.lines, chart, number);
}

const BalanceSheetLine& BalanceLine(const BalanceSheet& sheet, const ChartOfAccounts& chart,
                                    std::string_view number) {
  return Find(sheet.lines, chart, number);
}

}  // namespace zenkar::testing
