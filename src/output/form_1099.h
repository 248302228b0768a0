// The "1099-MISC" figures: the payees marked to receive a 1099-MISC ("Misc"
// or "Rent"), with what was paid to them in the calendar year of the
// period's end: name and address, the taxpayer ID and the amount, then the
// count of payees and the total. A year after the current one is refused:
// its form was not known when this program was made.
#ifndef ZENKAR_OUTPUT_FORM_1099_H_
#define ZENKAR_OUTPUT_FORM_1099_H_

#include <string>
#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view k1099Label = "1099-MISC";

std::string NoPayeesFor1099Message(int year);
std::string Form1099NotAvailableMessage(int year);

struct Payee1099 {
  std::vector<std::string> lines;  // name and address (40 characters each)
  std::string id_number;
  int32_t type = 0;  // Payee1099Type
  Money paid;
};

struct Form1099 {
  int year = 0;
  std::vector<Payee1099> payees;  // with paid items, in payee order
  Money total;
};

// The figures of `year`. False when the file could not be read (reported).
bool Compute1099(const ListingBooks& books, int year, Form1099* form);

bool Print1099(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_FORM_1099_H_
