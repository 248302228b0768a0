// "Payee Activity": one payee, chosen in the "Payee Activity Report" dialog,
// in three sections: its unpaid invoices ("UNPAID"), the invoices paid in
// the period ("PAID") and its other checks and deposits of the period
// ("TRANSACTIONS"), each with its total.
#ifndef ZENKAR_OUTPUT_PAYEE_ACTIVITY_H_
#define ZENKAR_OUTPUT_PAYEE_ACTIVITY_H_

#include <array>
#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kPayeeActivityLabel = "Payee Activity";

struct PayeeActivitySection {
  std::string_view title;
  std::vector<ListedLine> lines;
  Money total;
};

struct PayeeActivity {
  std::array<PayeeActivitySection, 3> sections{
      {{"UNPAID", {}, {}}, {"PAID", {}, {}}, {"TRANSACTIONS", {}, {}}}};
};

// The figures of payee `number`. False when the file could not be read
// (reported).
bool ComputePayeeActivity(const ListingBooks& books, int number, const ReportPeriod& period,
                          PayeeActivity* activity);

bool PrintPayeeActivity(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PAYEE_ACTIVITY_H_
