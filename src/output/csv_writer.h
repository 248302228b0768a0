// CsvWriter: the canvas of the Text target, a comma-separated text file.
//
// Report procedures run unchanged; their texts become quoted fields of CSV
// lines and their positions, fonts and lines are ignored. Every field is
// enclosed in double quotes and followed by a comma, the last of a line too;
// a line ends with CR LF. A text's trailing blanks (the padding of the
// fixed-width fields it comes from) are left out. A double quote inside a text is written
// twice and an apostrophe as it is (inside double quotes it means nothing to a CSV reader), so a
// spreadsheet reads every text back unchanged. Texts stay Windows-1252, as stored.
//
// Like the PDF documents, the file grows beside its name and replaces an
// earlier file of that name only once it is complete.
#ifndef ZENKAR_OUTPUT_CSV_WRITER_H_
#define ZENKAR_OUTPUT_CSV_WRITER_H_

#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/ui.h"
#include "output/report_canvas.h"

namespace zenkar {

// The file name a CSV is written to: `name` when it ends in ".csv" or ".txt"
// (in any case), otherwise `name` + ".csv".
std::string CsvFileName(const std::string& name);

class CsvWriter : public ReportCanvas {
 public:
  // Opens the CSV file `name` (see CsvFileName). A blank name gives "File name
  // not set (CreateCSV)", a file that cannot be made "Cannot open file: " +
  // the name; both return nothing.
  static std::unique_ptr<CsvWriter> CreateCsv(FileSystem& fs, Ui& ui, const std::string& name);
  ~CsvWriter() override;

  bool positioned() const override { return false; }
  bool SetFont(const ReportFont&) override { return true; }
  // Writes `text` without its trailing blanks as field `field` of the
  // current line: empty fields first while the line has fewer than
  // `field` - 1 fields.
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override;
  void DrawLine(double, double, double, double) override {}
  void DrawDoubleLine(double, double, double, double) override {}
  void ShadeBand(double, double, double, double) override {}
  // Ends the line; the next text is field 1 again.
  void EndLine() override;
  // A page has no meaning in a text file; an open line is ended.
  void NewPage() override;
  // Writes the file and puts it in place. False (reported) when it could not.
  bool Finish() override;

  const std::string& file_name() const { return file_name_; }

 private:
  CsvWriter(FileSystem& fs, Ui& ui) : fs_(fs), ui_(ui) {}
  void WriteField(std::string_view text);

  FileSystem& fs_;
  Ui& ui_;
  std::string file_name_;
  std::string temp_name_;
  std::unique_ptr<WritableFile> file_;
  std::string contents_;
  int next_field_ = 1;
  bool finished_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CSV_WRITER_H_
