// find: the lines "Find" of the review page would show, on standard output.
#include <algorithm>
#include <string>
#include <vector>

#include "batch/commands.h"
#include "batch/console_ui.h"
#include "common/text_field.h"
#include "ledger/transaction_search.h"

namespace zenkar {

// Every line holding the text, the last line first: its record number, a
// tab and the match line. No line at all is reported as "Find" reports it,
// which makes the exit status 1.
bool RunFind(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  const TransactionSearch search(Utf8ToCp1252(invocation.find_text),
                                 context.env.dates.numeric_short_year);
  std::vector<std::string> found;
  const bool read = context.ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    if (const std::optional<SearchField> field = search.FieldHolding(record)) {
      found.push_back(std::to_string(number) + "\t" +
                      TerminalText(search.MatchLine(record, *field)) + "\n");
    }
  });
  if (!read) return false;
  if (found.empty()) {
    context.ui.Error(kNoMatchesFound);
    return false;
  }
  std::reverse(found.begin(), found.end());
  for (const std::string& line : found) std::fwrite(line.data(), 1, line.size(), context.env.out);
  return true;
}

}  // namespace zenkar
