// A small CSV reader for the tests: the files the Text target writes are read
// back the way a spreadsheet reads them (RFC 4180 quoting, CR LF or LF line
// ends), so a test sees the fields a user would.
#ifndef ZENKAR_TESTS_OUTPUT_CSV_READER_H_
#define ZENKAR_TESTS_OUTPUT_CSV_READER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenkar::testing {

using CsvRow = std::vector<std::string>;

// The rows of `text`; nothing when the quoting is broken (a quote inside an
// unquoted field, text after a closing quote, an unclosed quote).
std::optional<std::vector<CsvRow>> ReadCsv(std::string_view text);

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_CSV_READER_H_
