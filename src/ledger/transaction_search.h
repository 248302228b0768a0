// "Find": which lines of the transaction file hold a text, and in which
// field.
//
// A line is tested field by field, in this order: the payee name or
// description, the reference, the account number, the amount written with
// two decimals, the date written with the list's date pattern, the invoice
// number. The first field that holds the text (compared in capitals, so
// "abc" finds "ABC Supply") is the line's match, shown as its caption and
// the field's value ("Amt: 12.50"). The review page walks the matches from
// the last line to the first, and `kxbatch find` prints them in that order.
#ifndef ZENKAR_LEDGER_TRANSACTION_SEARCH_H_
#define ZENKAR_LEDGER_TRANSACTION_SEARCH_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "ledger/ledger.h"

namespace zenkar {

inline constexpr std::string_view kNoMatchesFound = "No matches found";
inline constexpr std::string_view kNoAdditionalMatches = "No additional matches found";

// The fields searched, in the order they are tested.
enum class SearchField { kDescription, kReference, kAccount, kAmount, kDate, kInvoiceNumber };

// "Description/Payee: ", "Ref./Ck Num: ", "Acct: ", "Amt: ", "Check Date: ",
// "Invoice Number: ".
std::string_view SearchFieldCaption(SearchField field);

// `text` in capitals as Windows-1252 writes them (accented letters too).
std::string Capitals(std::string_view text);

struct SearchHit {
  int record_number = 0;
  SearchField field = SearchField::kDescription;
  friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

class TransactionSearch {
 public:
  // `text` as typed (Windows-1252); `date_pattern` the pattern the dates
  // are written with (DatePatterns).
  TransactionSearch(std::string_view text, std::string date_pattern);

  // The first field of the line `record` (its 328 bytes) that holds the
  // text; nothing when none does, and always nothing for an empty text.
  std::optional<SearchField> FieldHolding(std::string_view record) const;
  // The field's caption and value: "Description/Payee: ABC Supply".
  std::string MatchLine(std::string_view record, SearchField field) const;

 private:
  bool Holds(std::string_view field) const;
  const std::string& DateText(DayNumber day) const;

  std::string capitals_;
  std::string date_pattern_;
  // An amount is written with digits, a sign and a point only, a numeric
  // date with digits and its separators: a text with other characters can
  // hold neither, which spares writing them out for every line.
  bool may_be_amount_ = false;
  bool may_be_date_ = false;
  // The file is mostly in date order: neighbouring lines share a date.
  mutable DayNumber last_day_ = kNoDate;
  mutable std::string last_date_text_;
};

// Every line of the books that holds `text`, the last line first. False when
// the file could not be read (reported).
bool FindTransactions(const Ledger& ledger, const TransactionSearch& search,
                      std::vector<SearchHit>* hits);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_TRANSACTION_SEARCH_H_
