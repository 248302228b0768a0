#include "output/csv_writer.h"

#include <cctype>

#include "common/text_field.h"

namespace zenkar {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  const std::string_view end = text.substr(text.size() - tail.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != tail[i]) return false;
  }
  return true;
}

}  // namespace

std::string CsvFileName(const std::string& name) {
  if (EndsWithIgnoringCase(name, ".csv") || EndsWithIgnoringCase(name, ".txt")) return name;
  return name + ".csv";
}

std::unique_ptr<CsvWriter> CsvWriter::CreateCsv(FileSystem& fs, Ui& ui, const std::string& name) {
  if (Trim(name).empty()) {
    ui.Error("File name not set (CreateCSV)");
    return nullptr;
  }
  std::unique_ptr<CsvWriter> writer(new CsvWriter(fs, ui));
  writer->file_name_ = CsvFileName(name);
  TemporaryFile temporary;
  // A folder of that name could never be replaced by the finished file.
  if (fs.DirectoryExists(writer->file_name_) ||
      !fs.CreateTemporaryBeside(writer->file_name_, Access::kUsual, &temporary).ok()) {
    ui.Error("Cannot open file: " + writer->file_name_);
    return nullptr;
  }
  writer->temp_name_ = std::move(temporary.path);
  writer->file_ = std::move(temporary.file);
  return writer;
}

CsvWriter::~CsvWriter() {
  if (finished_ || file_ == nullptr) return;
  // An abandoned document: its temporary file is dropped as far as it can
  // be; the file under the user's name was never touched either way.
  (void)file_->Close();
  (void)fs_.RemoveFile(temp_name_);
}

void CsvWriter::WriteField(std::string_view text) {
  contents_ += '"';
  for (char c : text) {
    if (c == '"') contents_ += '"';
    contents_ += c;
  }
  contents_ += "\",";
  ++next_field_;
}

void CsvWriter::PlaceText(double, double, std::string_view text, ReportAlign, int field) {
  while (next_field_ < field) WriteField("");
  // Texts of the books come blank-padded to their record width; a
  // spreadsheet cell holds the text alone.
  WriteField(TrimRight(text));
}

void CsvWriter::EndLine() {
  contents_ += "\r\n";
  next_field_ = 1;
}

void CsvWriter::NewPage() {
  if (next_field_ > 1) EndLine();
}

bool CsvWriter::Finish() {
  if (finished_ || file_ == nullptr) return false;
  if (next_field_ > 1) EndLine();
  const bool written = file_->Append(contents_).ok() && file_->Sync().ok() && file_->Close().ok();
  file_.reset();
  if (!written || !fs_.Rename(temp_name_, file_name_).ok()) {
    (void)fs_.RemoveFile(temp_name_);  // the failure reported is the write's
    ui_.Error("Cannot open file: " + file_name_);
    return false;
  }
  finished_ = true;
  return true;
}

}  // namespace zenkar
