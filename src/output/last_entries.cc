#include "output/last_entries.h"

#include <algorithm>
#include <utility>

#include "output/entry_listing.h"

namespace zenkar {
namespace {

bool IsEntry(int32_t kind) { return kind >= kJournalLine && kind <= kInvoice; }

}  // namespace

// Two passes: the first finds the entries by their sequences, the second
// decodes only those.
bool ReadLastEntries(const ListingBooks& books, std::vector<ListedLine>* lines) {
  std::vector<std::pair<int32_t, int>> order;  // (entry sequence, record number)
  if (!books.records([&](int number, std::string_view record) {
        const TransactionFacts facts = ReadTransactionFacts(record);
        if (IsEntry(facts.kind)) order.emplace_back(facts.entry_sequence, number);
      })) {
    return false;
  }
  const size_t kept = std::min(order.size(), kLastEntriesCount);
  std::partial_sort(order.begin(), order.begin() + static_cast<long>(kept), order.end(),
                    std::greater<>());
  order.resize(kept);
  std::vector<int> wanted;
  for (const auto& [sequence, number] : order) wanted.push_back(number);
  std::sort(wanted.begin(), wanted.end());
  lines->clear();
  if (!books.records([&](int number, std::string_view record) {
        if (std::binary_search(wanted.begin(), wanted.end(), number)) {
          lines->push_back(ReadListedLine(number, record));
        }
      })) {
    return false;
  }
  std::sort(lines->begin(), lines->end(), [](const ListedLine& a, const ListedLine& b) {
    return std::pair(a.entry_sequence, a.record_number) <
           std::pair(b.entry_sequence, b.record_number);
  });
  return true;
}

bool PrintLastEntries(ListingRun& run) {
  EntryListing listing;
  if (!ReadLastEntries(run.books, &listing.lines)) return false;
  if (listing.lines.empty()) {
    run.ui().Error(kNothingInTimeFrame);
    return false;
  }
  if (!SortForListing(run, kLastEntriesLabel, EntryOrder::kOrderEntered, &listing.lines)) {
    return false;
  }
  listing.job_title = "Last-50-Entries";
  listing.title = "LAST 50 ENTRIES";
  listing.due_dates = true;
  listing.totals = KindTotals(TotalsOf(listing.lines, run.books.settings), run.books.settings,
                              /*net_journal=*/true);
  listing.layout = TotalsLayout::kAtLeft;
  return WriteEntryListing(run, listing);
}

}  // namespace zenkar
