#include "output/payee_listing.h"

#include <map>

#include "common/text_field.h"
#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kNameColumn = 5;
constexpr double kUnpaidLabelColumn = 40;
constexpr double kUnpaidColumn = 65;
constexpr double kPaidColumn = 78;

enum RowKind { kPayeeRow, kDeletedHeadingRow, kTotalRow };

void AddLine(std::vector<std::string>& lines, std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (!trimmed.empty()) lines.emplace_back(trimmed);
}

std::vector<std::string> LinesOf(const PayeeRecord& payee, bool long_listing) {
  std::vector<std::string> lines;
  for (const std::string* text :
       {&payee.name, &payee.name_2, &payee.address, &payee.city_state_zip}) {
    AddLine(lines, *text);
  }
  if (long_listing) {
    AddLine(lines, payee.phone);
    AddLine(lines, payee.memo);
  }
  return lines;
}

}  // namespace

bool ComputePayeeListing(const ListingBooks& books, int year, bool long_listing,
                         PayeeListing* listing) {
  *listing = PayeeListing();
  listing->year = year;
  const PayeeList& payees = books.payees;
  std::vector<ListedPayee> by_number(static_cast<size_t>(payees.count()));
  std::map<std::string, ListedPayee> deleted;
  const DayNumber first = FirstOfMonth(year, 1);
  const DayNumber last = LastOfMonth(year, 12);
  const bool read = books.records([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    const bool unpaid = facts.kind == kInvoice;
    const bool paid = facts.kind == kCheckOrDeposit && facts.date >= first && facts.date <= last;
    if (!unpaid && !paid) return;
    ListedPayee* payee = nullptr;
    if (payees.IsValidPayee(facts.payee_number)) {
      payee = &by_number[static_cast<size_t>(facts.payee_number - 1)];
    } else {
      const ListedLine line = ReadListedLine(0, record);
      if (line.description.empty()) return;
      payee = &deleted[line.description];
    }
    (unpaid ? payee->unpaid : payee->paid) += facts.amount.RoundedToCents();
  });
  if (!read) return false;
  for (int number = 1; number <= payees.count(); ++number) {
    ListedPayee& payee = by_number[static_cast<size_t>(number - 1)];
    payee.lines = LinesOf(payees.payee(number), long_listing);
    if (payee.lines.empty()) continue;  // a blank record
    listing->payees.push_back(std::move(payee));
  }
  for (auto& [name, payee] : deleted) {
    payee.lines = {name};
    payee.deleted = true;
    listing->payees.push_back(std::move(payee));
  }
  for (const ListedPayee& payee : listing->payees) {
    listing->unpaid += payee.unpaid;
    listing->paid += payee.paid;
  }
  return true;
}

bool PrintPayeeListing(ListingRun& run) {
  PayeeListing listing;
  const int year = ToCivilDate(run.period.last).year;
  if (!ComputePayeeListing(run.books, year, run.books.settings.payee_listing_long != 0, &listing)) {
    return false;
  }
  if (listing.payees.empty()) {
    run.ui().Error(kNothingInTimeFrame);
    return false;
  }
  const std::string paid_in = "Paid in " + std::to_string(year);
  ListingDocument document;
  document.job_title = "Payee-Listing";
  document.heading = ListingHeadingOf("PAYEE LISTING", run.books.settings.name_line_1, {});
  document.heading.columns = {{0, kNameColumn, "Name and Address", 1},
                              {0, kUnpaidColumn, "Unpaid", 3, ReportAlign::kRight},
                              {0, kPaidColumn, paid_in, 4, ReportAlign::kRight}};
  document.shading_bars = run.options.use_shading_bars;
  bool deleted_heading = false;
  for (int i = 0; i < static_cast<int>(listing.payees.size()); ++i) {
    const ListedPayee& payee = listing.payees[i];
    if (payee.deleted && !deleted_heading) {
      document.rows.push_back({kDeletedHeadingRow, 0, 1, true, false});
      deleted_heading = true;
    }
    document.rows.push_back(
        {kPayeeRow, i, static_cast<int>(payee.lines.size()), i > 0 && !payee.deleted, true});
  }
  document.rows.push_back({kTotalRow, 0, 1, true, false});
  document.render = [&](const ListingRow& row, ListingLineWriter& w) {
    if (row.kind == kDeletedHeadingRow) return w.Bold(kNameColumn, "DELETED PAYEES", 1);
    if (row.kind == kTotalRow) {
      for (double column : {kUnpaidColumn, kPaidColumn}) {
        w.RuleAbove(column - kAmountWidth, column);
      }
      w.Bold(kNameColumn, "TOTALS: UNPAID / PAID IN " + std::to_string(year), 1);
      w.Amount(kUnpaidColumn, listing.unpaid, 3);
      w.Amount(kPaidColumn, listing.paid, 4);
      return;
    }
    const ListedPayee& payee = listing.payees[row.index];
    for (size_t line = 0; line < payee.lines.size(); ++line) {
      if (line > 0) w.NextLine();
      w.Text(kNameColumn, payee.lines[line], 1, ReportAlign::kLeft, kUnpaidLabelColumn);
      if (line > 0) continue;
      w.Text(kUnpaidLabelColumn, "Unpaid", 2);
      w.Amount(kUnpaidColumn, payee.unpaid, 3);
      w.Amount(kPaidColumn, payee.paid, 4);
    }
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
