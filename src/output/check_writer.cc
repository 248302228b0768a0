#include "output/check_writer.h"

#include <algorithm>
#include <cmath>

#include "common/text_field.h"
#include "output/check_amounts.h"
#include "output/micr_line.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kPointsPerInch = 72;
// An underline stands this far below the baseline of its text.
constexpr double kUnderlineRows = 0.2;

constexpr ReportFont Arial(double size, FontStyle style = FontStyle::kRegular) {
  return {FontFamily::kArial, size, style};
}

// Draws on the job's canvas in report units relative to one corner of the
// sheet (the top of a check or a stub). Fonts go to the canvas directly:
// the run has tried every font of the check once before.
class Pen {
 public:
  Pen(PrintJob& job, double top) : job_(job), top_(top) {}

  void Font(const ReportFont& font) {
    if (ReportCanvas* canvas = job_.canvas()) canvas->SetFont(font);
  }
  void Text(CheckPlace at, std::string_view text, ReportAlign align = ReportAlign::kLeft) {
    if (!Trim(text).empty()) job_.PrintText(top_ + at.row, at.column, text, 1, align);
  }
  void Text(const ReportFont& font, CheckPlace at, std::string_view text,
            ReportAlign align = ReportAlign::kLeft) {
    Font(font);
    Text(at, text, align);
  }
  void Line(double row, double from_column, double to_column) {
    job_.DrawLine(top_ + row, from_column, top_ + row, to_column);
  }
  void VerticalLine(double column, double from_row, double to_row) {
    job_.DrawLine(top_ + from_row, column, top_ + to_row, column);
  }
  void Frame(double top_row, double left_column, double bottom_row, double right_column) {
    CanvasPath frame;
    frame.AddRectangle(left_column * kPointsPerColumn, (top_ + top_row) * kPointsPerRow,
                       (right_column - left_column) * kPointsPerColumn,
                       (bottom_row - top_row) * kPointsPerRow);
    PathPaint outline;
    outline.fill = false;
    outline.stroke = true;
    job_.DrawPath(frame, outline);
  }
  double top() const { return top_; }

 private:
  PrintJob& job_;
  double top_;
};

std::string DateText(DayNumber day, const DatePatterns& dates) {
  return day == kNoDate ? "" : FormatDate(day, dates.numeric);
}

bool IsVoid(const CheckContent& check) { return check.kind != CheckKind::kCheck; }

// The payee's lines under the name (or with it), without blank ones.
std::vector<std::string> AddressLines(const CheckContent& check, bool with_name) {
  std::vector<std::string> lines;
  for (const std::string* line :
       {&check.payee_name, &check.payee_name_2, &check.address, &check.city_state_zip}) {
    if (line == &check.payee_name && !with_name) continue;
    if (!Trim(*line).empty()) lines.emplace_back(TrimRight(*line));
  }
  return lines;
}

// The amount in words, and asterisks from them to the end of the line.
void WriteWords(Pen& pen, const CheckContent& check, const CheckFields& fields,
                const ReportFont& font) {
  const std::string words = IsVoid(check) ? std::string(kVoidAmount) : AmountInWords(check.amount);
  const double width = (fields.words_end - fields.words.column) * kPointsPerColumn;
  pen.Text(fields.words, words);
  pen.Text({fields.words.row, fields.words_end}, AsterisksAfter(words, font, width),
           ReportAlign::kRight);
}

// --- The check's own fields -------------------------------------------------------

void WriteFields(Pen& pen, const CheckPrintSetup& setup, const CheckContent& check,
                 const ReportFont& font) {
  const CheckFields& fields = *setup.layout->fields;
  pen.Font(font);
  pen.Text(fields.date, DateText(check.date, *setup.dates));
  const std::string payee =
      check.kind == CheckKind::kTest ? std::string(kTestCheckPayee) : check.payee_name;
  pen.Text(fields.payee, payee);
  pen.Text(fields.amount, IsVoid(check) ? std::string(kVoidAmount) : ProtectedAmount(check.amount));
  WriteWords(pen, check, fields, font);
  if (check.kind == CheckKind::kCheck) {
    CheckPlace line = fields.address;
    for (const std::string& text : AddressLines(check, fields.address_with_name)) {
      pen.Text(line, text);
      line.row += fields.address_step;
    }
  }
  if (setup.print_memo) pen.Text(fields.memo, check.memo);
}

// --- What blank stock needs besides --------------------------------------------------

void WriteLogo(PrintJob& job, const MicrBody& body, double top,
               const std::shared_ptr<const BmpImage>& logo) {
  const double box_width = body.logo_width * kPointsPerInch;
  const double box_height = body.logo_height * kPointsPerInch;
  const double scale = std::min(box_width / logo->width, box_height / logo->height);
  job.DrawImage(logo, body.logo_left * kPointsPerInch,
                top * kPointsPerRow + body.logo_top * kPointsPerInch, logo->width * scale,
                logo->height * scale);
}

void WriteCompanyAndBank(Pen& pen, const CheckPrintSetup& setup, const CheckContent& check) {
  const MicrBody& body = *setup.layout->micr;
  const MicrSettings& micr = *setup.micr;
  CheckPlace line = body.company;
  if (setup.logo != nullptr) line.column = body.company_with_logo;
  const struct {
    const std::string& text;
    ReportFont font;
  } company[] = {{micr.name_line_1, Arial(11, FontStyle::kBold)},
                 {micr.name_line_2, Arial(9, FontStyle::kBold)},
                 {micr.address, Arial(9)},
                 {micr.city_state_zip, Arial(9)},
                 {micr.phone_memo, Arial(8)}};
  for (const auto& [text, font] : company) {
    if (Trim(text).empty()) continue;
    pen.Text(font, line, text);
    line.row += body.company_step;
  }
  CheckPlace bank = body.bank;
  const struct {
    const std::string& text;
    ReportFont font;
  } bank_lines[] = {{micr.bank_name, Arial(9, FontStyle::kBold)},
                    {micr.bank_address, Arial(8)},
                    {micr.bank_city_state_zip, Arial(8)}};
  for (const auto& [text, font] : bank_lines) {
    if (Trim(text).empty()) continue;
    pen.Text(font, bank, text, ReportAlign::kCenter);
    bank.row += body.bank_step;
  }
  pen.Text(Arial(12, FontStyle::kBold), body.number, check.number, ReportAlign::kRight);
  pen.Text(Arial(8), body.ach, micr.plain_text_ach, ReportAlign::kRight);
}

void WriteCaptions(Pen& pen, const CheckPrintSetup& setup) {
  const MicrBody& body = *setup.layout->micr;
  const CheckFields& fields = *setup.layout->fields;
  const ReportFont caption = Arial(8, FontStyle::kBold);
  pen.Text(caption, body.date_caption, "DATE:");
  pen.Line(fields.date.row + kUnderlineRows, fields.date.column - 0.5, body.date_line_end);
  pen.Text(Arial(9, FontStyle::kBold), body.pay_caption, "PAY");
  pen.Line(fields.words.row + kUnderlineRows, fields.words.column - 0.5, fields.words_end + 0.5);
  pen.Text(caption, body.dollars_caption, "DOLLARS");
  CheckPlace order = body.order_caption;
  pen.Font(Arial(7));
  for (std::string_view word : {"TO THE", "ORDER", "OF"}) {
    pen.Text(order, word);
    order.row += body.order_step;
  }
  pen.Text(Arial(9, FontStyle::kBold), body.amount_caption, "AMOUNT: $", ReportAlign::kRight);
  pen.Frame(fields.amount.row - 1, fields.amount.column - 0.6, fields.amount.row + 0.45,
            body.signature_end);
  pen.Text(caption, body.memo_caption, "MEMO");
  pen.Line(fields.memo.row + kUnderlineRows, fields.memo.column - 0.5, body.memo_line_end);
}

void WriteSignatures(Pen& pen, const CheckPrintSetup& setup) {
  const MicrBody& body = *setup.layout->micr;
  const double middle = (body.signature.column + body.signature_end) / 2;
  pen.Font(Arial(7));
  for (int line = 0; line < setup.micr->signature_lines; ++line) {
    const double row =
        body.signature.row - (setup.micr->signature_lines - 1 - line) * body.second_signature_above;
    pen.Line(row, body.signature.column, body.signature_end);
    pen.Text({row + body.title_below, middle}, setup.micr->signature_title, ReportAlign::kCenter);
  }
}

// The test check's notes: the height of the MICR characters, where the line
// prints, and a tick at the right edge of the routing field's closing
// transit symbol.
void WriteTestNotes(Pen& pen, const CheckPrintSetup& setup) {
  const MicrBody& body = *setup.layout->micr;
  const MicrSettings& micr = *setup.micr;
  pen.Text(Arial(8, FontStyle::kBold), body.height_note, MicrFontHeightText(MicrFontPoints(micr)));
  pen.Font(Arial(7));
  pen.Text(body.here_note, kMicrLinePrintsHere);
  pen.Text(body.marker_note, kTransitMarkerLine1);
  pen.Text({body.marker_note.row + 0.7, body.marker_note.column}, kTransitMarkerLine2);
  const MicrField routing = MicrLineFields(micr, "").front();
  const double tick =
      MicrCellRightColumn(routing, static_cast<int>(routing.text.size())) + MicrShiftColumns(micr);
  const double foot = setup.layout->fields->micr_baseline + MicrShiftRows(micr);
  const double glyph_top = foot - MicrCharacterHeightInches(MicrFontPoints(micr)) * 6;
  pen.VerticalLine(tick, body.marker_top - 0.8, glyph_top - 0.1);
}

void WriteMicrBody(PrintJob& job, Pen& pen, const CheckPrintSetup& setup,
                   const CheckContent& check) {
  if (setup.logo != nullptr) WriteLogo(job, *setup.layout->micr, pen.top(), setup.logo);
  WriteCompanyAndBank(pen, setup, check);
  WriteCaptions(pen, setup);
  WriteSignatures(pen, setup);
  if (check.kind == CheckKind::kTest) WriteTestNotes(pen, setup);
  DrawMicrLine(job, *setup.micr, check.number, pen.top() + setup.layout->fields->micr_baseline);
}

// --- Stubs --------------------------------------------------------------------------

int LinesThatFit(const StubFields& stub, double height) {
  const double last = height - stub.total_row_from_bottom - stub.line_step;
  return std::max(0,
                  static_cast<int>(std::floor((last - stub.first_line_row) / stub.line_step)) + 1);
}

void WriteStub(Pen& pen, const CheckPrintSetup& setup, const CheckContent& check, double height) {
  const StubFields& stub = *setup.layout->stub;
  pen.Text(stub.bold, stub.heading, "Check " + check.number);
  if (check.kind != CheckKind::kCheck) return;
  pen.Font(stub.font);
  pen.Text({stub.heading.row, stub.payee_column}, check.payee_name);
  pen.Text({stub.heading.row, stub.date_column}, DateText(check.date, *setup.dates));
  pen.Text(stub.bold, {stub.heading.row, stub.amount_column},
           FormatAmount(check.amount, kAmountThousands), ReportAlign::kRight);
  pen.Font(stub.bold);
  pen.Text({stub.titles_row, stub.heading.column}, "Invoice Number");
  pen.Text({stub.titles_row, stub.invoice_date_column}, "Date");
  pen.Text({stub.titles_row, stub.description_column}, "Description");
  pen.Text({stub.titles_row, stub.amount_column}, "Amount", ReportAlign::kRight);
  pen.Font(stub.font);
  const int fit = LinesThatFit(stub, height);
  const bool cut = static_cast<int>(check.stub.size()) > fit;
  const int shown = cut ? fit - 1 : static_cast<int>(check.stub.size());
  double row = stub.first_line_row;
  for (int i = 0; i < shown; ++i, row += stub.line_step) {
    const CheckStubLine& line = check.stub[i];
    pen.Text({row, stub.heading.column}, line.invoice_number);
    pen.Text({row, stub.invoice_date_column}, DateText(line.date, *setup.dates));
    pen.Text({row, stub.description_column}, line.description);
    pen.Text({row, stub.amount_column}, FormatAmount(line.amount, kAmountThousands),
             ReportAlign::kRight);
  }
  if (cut) {
    Money rest;
    for (size_t i = shown; i < check.stub.size(); ++i) rest += check.stub[i].amount;
    pen.Text({row, stub.heading.column},
             "(" + std::to_string(check.stub.size() - shown) + " more invoices)");
    pen.Text({row, stub.amount_column}, FormatAmount(rest, kAmountThousands), ReportAlign::kRight);
  }
  const double total_row = height - stub.total_row_from_bottom;
  pen.Text(stub.bold, {total_row, stub.total_label_column}, "Check Total", ReportAlign::kRight);
  pen.Text({total_row, stub.amount_column}, FormatAmount(check.amount, kAmountThousands),
           ReportAlign::kRight);
}

ReportFont FillFont(const CheckPrintSetup& setup) {
  if (setup.layout->family == CheckFamily::kDotMatrix) return setup.layout->fields->font;
  ReportFont font = setup.layout->fields->font;
  font.family = setup.fill_font.family;
  font.style = setup.fill_font.style;
  return font;
}

}  // namespace

int StubLineCapacity(const CheckLayout& layout) {
  return LinesThatFit(*layout.stub, std::min(layout.stub_heights[0], layout.stub_heights[1]));
}

std::vector<ReportFont> CheckFonts(const CheckPrintSetup& setup) {
  std::vector<ReportFont> fonts = {FillFont(setup), setup.layout->stub->bold};
  if (setup.layout->family == CheckFamily::kMicr) fonts.push_back(Arial(10, FontStyle::kBold));
  return fonts;
}

void WriteCheck(PrintJob& job, const CheckPrintSetup& setup, const CheckContent& check) {
  const CheckLayout& layout = *setup.layout;
  Pen pen(job, layout.check_top);
  if (layout.family == CheckFamily::kMicr) WriteMicrBody(job, pen, setup, check);
  WriteFields(pen, setup, check, FillFont(setup));
  for (size_t i = 0; i < layout.stub_tops.size(); ++i) {
    Pen stub_pen(job, layout.stub_tops[i]);
    WriteStub(stub_pen, setup, check, layout.stub_heights[i]);
  }
}

}  // namespace zenkar
