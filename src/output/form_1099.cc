#include "output/form_1099.h"

#include "common/text_field.h"
#include "output/listing_layout.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kNameColumn = 5;
constexpr double kIdColumn = 42;
constexpr double kTypeColumn = 58;
constexpr double kAmountColumn = 78;

enum RowKind { kPayeeRow, kCountRow, kTotalRow };

bool Receives1099(const PayeeRecord& payee) {
  return payee.type_1099 == k1099Misc || payee.type_1099 == k1099Rent;
}

std::vector<std::string> LinesOf(const PayeeRecord& payee) {
  std::vector<std::string> lines;
  for (const std::string* text :
       {&payee.name, &payee.name_2, &payee.address, &payee.city_state_zip}) {
    const std::string_view trimmed = Trim(*text);
    if (!trimmed.empty()) lines.emplace_back(trimmed);
  }
  if (lines.empty()) lines.emplace_back(kUnknownPayeeName);
  return lines;
}

}  // namespace

std::string NoPayeesFor1099Message(int year) {
  return "There are no payees, set to receive a 1099-MISC, with paid items for " +
         std::to_string(year);
}

std::string Form1099NotAvailableMessage(int year) {
  return "The final format for " + std::to_string(year) +
         " 1099-MISC was not available at the time this program revision was released.";
}

bool Compute1099(const ListingBooks& books, int year, Form1099* form) {
  *form = Form1099();
  form->year = year;
  const PayeeList& payees = books.payees;
  std::vector<Money> paid(static_cast<size_t>(payees.count()));
  std::vector<bool> has_items(paid.size());
  const DayNumber first = FirstOfMonth(year, 1);
  const DayNumber last = LastOfMonth(year, 12);
  const bool read = books.records([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind != kCheckOrDeposit || facts.date < first || facts.date > last ||
        !payees.IsValidPayee(facts.payee_number)) {
      return;
    }
    const size_t at = static_cast<size_t>(facts.payee_number - 1);
    paid[at] += facts.amount.RoundedToCents();
    has_items[at] = true;
  });
  if (!read) return false;
  for (int number = 1; number <= payees.count(); ++number) {
    const PayeeRecord& payee = payees.payee(number);
    const size_t at = static_cast<size_t>(number - 1);
    if (!Receives1099(payee) || !has_items[at]) continue;
    form->payees.push_back(
        {LinesOf(payee), std::string(Trim(payee.id_number)), payee.type_1099, paid[at]});
    form->total += paid[at];
  }
  return true;
}

bool Print1099(ListingRun& run) {
  const int year = ToCivilDate(run.period.last).year;
  if (year > ToCivilDate(run.today()).year) {
    run.ui().Error(Form1099NotAvailableMessage(year));
    return false;
  }
  Form1099 form;
  if (!Compute1099(run.books, year, &form)) return false;
  if (form.payees.empty()) {
    run.ui().Information(NoPayeesFor1099Message(year));
    return false;
  }
  ListingDocument document;
  document.job_title = "1099-MISC";
  document.heading =
      ListingHeadingOf(std::to_string(year) + " 1099-MISC", run.books.settings.name_line_1,
                       {"Payments of January 1 through December 31, " + std::to_string(year)});
  document.heading.columns = {{0, kNameColumn, "Payee", 1},
                              {0, kIdColumn, "ID Number", 2},
                              {0, kTypeColumn, "Type", 3},
                              {0, kAmountColumn, "Amount", 4, ReportAlign::kRight}};
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(form.payees.size()); ++i) {
    document.rows.push_back(
        {kPayeeRow, i, static_cast<int>(form.payees[i].lines.size()), i > 0, true});
  }
  document.rows.push_back({kCountRow, 0, 1, true, false});
  document.rows.push_back({kTotalRow, 0, 1, false, false});
  document.render = [&form](const ListingRow& row, ListingLineWriter& w) {
    if (row.kind == kCountRow) {
      return w.Bold(kNameColumn, "Payees: " + FormatCount(static_cast<int64_t>(form.payees.size())),
                    1);
    }
    if (row.kind == kTotalRow) {
      w.Bold(kNameColumn, "Total: ", 1);
      w.Amount(kAmountColumn, form.total, 4);
      return;
    }
    // Fields in their order: a CSV line is written from left to right.
    const Payee1099& payee = form.payees[row.index];
    for (size_t line = 0; line < payee.lines.size(); ++line) {
      if (line > 0) w.NextLine();
      w.Text(kNameColumn, payee.lines[line], 1, ReportAlign::kLeft, kIdColumn);
      if (line > 0) continue;
      w.Text(kIdColumn, payee.id_number, 2, ReportAlign::kLeft, kTypeColumn);
      w.Text(kTypeColumn, payee.type == k1099Rent ? "Rent" : "Misc", 3);
      w.Amount(kAmountColumn, payee.paid, 4);
    }
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
