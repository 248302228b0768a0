// Fuzz target: the quoting of the CSV writer (the Text target of reports).
//
// Report texts may hold any byte: descriptions, memos and payee names come
// from the books. The input is cut into fields at 0xFF bytes and every field
// is written by CsvWriter, a line ending at each second 0xFF (0xFF 0xFF); a
// spreadsheet-style CSV reader (the tests' csv_reader) must read back exactly
// the fields written, line by line, whatever they contain.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "fuzz/fuzz_support.h"
#include "output/csv_reader.h"
#include "output/csv_writer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using zenkar::fuzzing::Require;
using Rows = std::vector<zenkar::testing::CsvRow>;

// The lines of fields the input describes.
Rows FieldsOf(std::string_view input) {
  Rows rows(1);
  std::string field;
  for (size_t i = 0; i <= input.size(); ++i) {
    if (i < input.size() && input[i] != '\xFF') {
      field += input[i];
      continue;
    }
    rows.back().push_back(field);
    field.clear();
    if (i + 1 < input.size() && input[i + 1] == '\xFF') {
      rows.emplace_back();
      ++i;
    }
  }
  return rows;
}

std::string WriteCsv(const Rows& rows) {
  static const zenkar::testing::TempDir folder;
  zenkar::testing::ScriptedUi ui;
  std::unique_ptr<zenkar::CsvWriter> writer =
      zenkar::CsvWriter::CreateCsv(zenkar::PosixFileSystem(), ui, folder.File("fields.csv"));
  Require(writer != nullptr, "the CSV file opens");
  for (const zenkar::testing::CsvRow& row : rows) {
    int field = 1;
    for (const std::string& text : row) {
      writer->PlaceText(0, 0, text, zenkar::ReportAlign::kLeft, field++);
    }
    writer->EndLine();
  }
  Require(writer->Finish(), "the CSV file is written");
  return folder.ReadFile("fields.csv");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Rows written = FieldsOf(zenkar::fuzzing::BytesOf(data, size));
  const std::optional<Rows> read = zenkar::testing::ReadCsv(WriteCsv(written));
  Require(read.has_value(), "the CSV file reads back");
  Require(*read == written, "every field reads back as written");
  return 0;
}
