#include "output/print_job.h"

#include "common/text_field.h"
#include "output/csv_writer.h"
#include "output/number_format.h"
#include "output/pdf_canvas.h"

namespace zenkar {
namespace {

// A job title as a file name: a path separator in it would name a folder.
std::string DocumentName(std::string_view title) {
  std::string name(title);
  for (char& c : name) {
    if (c == '/' || c == '\0') c = '-';
  }
  return name;
}

}  // namespace

OutputServices MakeOutputServices(const OutputPorts& ports, PrinterCanvasFactory* printer,
                                  std::string output_folder, std::string web_host) {
  if (!output_folder.empty() && output_folder.back() != '/') output_folder += '/';
  PdfWriterOptions pdf_options;
  pdf_options.user_name = InstallationUserName(ports.users);
  pdf_options.web_host = std::move(web_host);
  return {ports.fs,
          ports.ui,
          ports.clock,
          ports.shell,
          ports.dates,
          printer,
          nullptr,
          std::move(output_folder),
          std::move(pdf_options)};
}

bool PrintJob::StartPrintJob(PrintJobKind kind, std::string_view title) {
  canvas_.reset();
  document_path_.clear();
  row_ = 0;
  canvas_ = OpenCanvas(kind, title);
  return canvas_ != nullptr;
}

std::unique_ptr<ReportCanvas> PrintJob::OpenCanvas(PrintJobKind kind, std::string_view title) {
  const std::string base = services_.output_folder + DocumentName(title);
  switch (target_) {
    case OutputTarget::kPrinter:
      if (services_.printer == nullptr) return nullptr;
      return services_.printer->OpenPrinterCanvas(kind, title);
    case OutputTarget::kPdf:
    case OutputTarget::kPdfMail: {
      auto pdf = PdfCanvas::Start(services_.fs, services_.ui, services_.clock,
                                  services_.pdf_options, base);
      if (pdf != nullptr) document_path_ = pdf->file_name();
      return pdf;
    }
    case OutputTarget::kText: {
      auto csv = CsvWriter::CreateCsv(services_.fs, services_.ui, base);
      if (csv != nullptr) document_path_ = csv->file_name();
      return csv;
    }
  }
  return nullptr;
}

void PrintJob::PrintText(double row, double column, std::string_view text, int field,
                         ReportAlign align) {
  if (canvas_ == nullptr) return;
  MoveTo(row);
  canvas_->PlaceText(row_, column, text, align, field);
}

void PrintJob::PrintAmount(double row, double column, Money amount, int style, int field) {
  PrintText(row, column, FormatAmount(amount, style), field, ReportAlign::kRight);
}

bool PrintJob::SetReportFont(std::string_view name, double size, FontStyle style) {
  if (canvas_ == nullptr) return false;
  if (canvas_->SetFont(ReportFont{FontFamilyOf(name), size, style})) return true;
  services_.ui.Error(kFontNotSet);
  return false;
}

void PrintJob::PrintPageFooter(int page, int pages, double row) {
  if (!positioned()) return;
  PrintText(row, kPageFooterColumn, "Page " + std::to_string(page) + " of " + std::to_string(pages),
            1, ReportAlign::kRight);
}

void PrintJob::PrintPreparedLine(double row, double column) {
  const std::string today = FormatDate(services_.clock.Today(), services_.dates.numeric);
  PrintText(row, column, "Prepared: " + today);
}

void PrintJob::DrawLine(double row1, double column1, double row2, double column2) {
  if (canvas_ != nullptr) canvas_->DrawLine(row1, column1, row2, column2);
}

void PrintJob::DrawDoubleLine(double row1, double column1, double row2, double column2) {
  if (canvas_ != nullptr) canvas_->DrawDoubleLine(row1, column1, row2, column2);
}

void PrintJob::DrawPath(const CanvasPath& path, const PathPaint& paint) {
  if (canvas_ != nullptr) canvas_->DrawPath(path, paint);
}

void PrintJob::BeginClip(const CanvasPath& path, FillRule rule) {
  if (canvas_ != nullptr) canvas_->BeginClip(path, rule);
}

void PrintJob::EndClip() {
  if (canvas_ != nullptr) canvas_->EndClip();
}

void PrintJob::DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y,
                         double width, double height) {
  if (canvas_ != nullptr) canvas_->DrawImage(image, x, y, width, height);
}

void PrintJob::PrintInvisibleText(double row, double column, std::string_view text,
                                  const ReportFont& font) {
  if (canvas_ == nullptr) return;
  MoveTo(row);
  canvas_->PlaceInvisibleText(row_, column, text, font);
}

void PrintJob::NewLine() {
  if (canvas_ == nullptr) return;
  canvas_->EndLine();
  row_ += 1;
}

void PrintJob::NewPage() {
  if (canvas_ == nullptr) return;
  canvas_->NewPage();
  row_ = 0;
}

bool PrintJob::EndPrintJob() {
  if (canvas_ == nullptr) return false;
  const bool finished = canvas_->Finish();
  canvas_.reset();
  return finished && HandOver();
}

// What happens to a finished document: shown, mailed or (printer) nothing.
bool PrintJob::HandOver() {
  switch (target_) {
    case OutputTarget::kPrinter:
      return true;
    case OutputTarget::kPdf:
      // The file is written all the same: without a viewer the user needs
      // its name to find it.
      if (!services_.shell.OpenDocument(document_path_)) {
        services_.ui.Error(std::string(kPdfOpenError) + "\n\nThe PDF file was saved as:\n" +
                           Utf8ToCp1252(document_path_));
      }
      return true;
    case OutputTarget::kPdfMail:
      return services_.mail != nullptr &&
             services_.mail->SendPdf(document_path_, kMailedReportTitle);
    case OutputTarget::kText:
      if (!services_.shell.OpenDocument(document_path_)) {
        services_.ui.Error("Unable to open " + document_path_);
      }
      return true;
  }
  return false;
}

}  // namespace zenkar
