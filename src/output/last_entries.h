// The "Last 50 Entries": the 50 entries made last (journal lines, checks and
// deposits, unpaid invoices with "*DUE:" and their due date), whatever the
// period, in the order entered unless the user sorts them.
#ifndef ZENKAR_OUTPUT_LAST_ENTRIES_H_
#define ZENKAR_OUTPUT_LAST_ENTRIES_H_

#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kLastEntriesLabel = "Last 50 Entries";
inline constexpr size_t kLastEntriesCount = 50;

// The entries made last, in the order entered. False when the file could
// not be read (reported).
bool ReadLastEntries(const ListingBooks& books, std::vector<ListedLine>* lines);

bool PrintLastEntries(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_LAST_ENTRIES_H_
