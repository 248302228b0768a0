// Preview equals print: the sample company's statements are written once
// through the PDF canvas (the preview) and once through the printer canvas,
// whose sheet goes through QPrinter's PDF output exactly as it goes to CUPS.
// pdftotext -bbox reads the position of every word of both, which must agree
// within a tenth of a point; lines are compared as rendered pixels.
#include "platform/printer_canvas.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>
#include <filesystem>
#include <functional>
#include <tuple>

#include "ledger/chart_text.h"
#include "ledger/ledger.h"
#include "output/check_writer.h"
#include "output/financial_statements.h"
#include "output/micr_line.h"
#include "output/output_fakes.h"
#include "output/pdf_canvas.h"
#include "output/pdf_test_tools.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"
#include "support/temp_dir.h"
#include "tools/sample_company.h"

namespace zenkar {
namespace {

constexpr int kSampleYear = 2025;
constexpr double kTolerancePoints = 0.1;

// How pdftotext measures the height of a word's box: the font's ascent and
// descent per point of size. Words of the preview, whose Arial is declared
// but not embedded, are measured by the standard Helvetica metrics; words of
// the printer's PDF by those of the Liberation font Qt embeds.
struct BoxMetrics {
  double ascent;
  double descent;
};
constexpr BoxMetrics kPreviewArial{0.718, 0.207};
constexpr BoxMetrics kEmbeddedLiberationSans{0.905, 0.212};
constexpr BoxMetrics kEmbeddedLiberationMono{0.833, 0.300};

// A word as placed: its text, page, left and right edges, baseline and size.
struct Word {
  QString text;
  int page = 0;
  double left = 0;
  double right = 0;
  double baseline = 0;
  double size = 0;
};

// Every word of the document, page by page, from pdftotext -bbox (points
// from the top-left corner of the media box).
QList<Word> WordsOf(const std::string& pdf, BoxMetrics metrics) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-bbox", FromPath(pdf), "-"});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression kWord(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  QList<Word> words;
  int page = 0;
  for (const QRegularExpressionMatch& match : kWord.globalMatch(html)) {
    if (match.captured(0) == "<page ") {
      ++page;
      continue;
    }
    const double top = match.captured(2).toDouble();
    const double bottom = match.captured(4).toDouble();
    const double size = (bottom - top) / (metrics.ascent + metrics.descent);
    words.append({match.captured(5), page, match.captured(1).toDouble(),
                  match.captured(3).toDouble(), bottom - metrics.descent * size, size});
  }
  return words;
}

bool Near(double a, double b) { return std::abs(a - b) <= kTolerancePoints; }

// The first difference between the two documents' words, or "" when every
// word stands at the same place on the same page in the same size.
QString FirstDifference(const QList<Word>& preview, const QList<Word>& print) {
  if (preview.size() != print.size()) {
    return QString("%1 words in the preview, %2 in the print")
        .arg(preview.size())
        .arg(print.size());
  }
  auto describe = [](const Word& word) {
    return QString("\"%1\" on page %2 from %3 to %4, baseline %5, size %6")
        .arg(word.text)
        .arg(word.page)
        .arg(word.left)
        .arg(word.right)
        .arg(word.baseline)
        .arg(word.size);
  };
  for (qsizetype i = 0; i < preview.size(); ++i) {
    const Word& a = preview[i];
    const Word& b = print[i];
    if (a.text != b.text || a.page != b.page || !Near(a.left, b.left) || !Near(a.right, b.right) ||
        !Near(a.baseline, b.baseline) || !Near(a.size, b.size)) {
      return QString("word %1: %2 in the preview, %3 in the print")
          .arg(i)
          .arg(describe(a), describe(b));
    }
  }
  return {};
}

// The page rendered in grey by pdftoppm at `dpi`: one byte per pixel.
struct GreyImage {
  int width = 0;
  int height = 0;
  QByteArray pixels;
  int At(int x, int y) const { return static_cast<unsigned char>(pixels[y * width + x]); }
};
std::optional<GreyImage> RenderGrey(const std::string& pdf, int dpi) {
  QProcess pdftoppm;
  pdftoppm.start("pdftoppm",
                 {"-gray", "-r", QString::number(dpi), "-f", "1", "-l", "1", FromPath(pdf)});
  if (!pdftoppm.waitForFinished(30000) || pdftoppm.exitCode() != 0) return std::nullopt;
  const QByteArray pgm = pdftoppm.readAllStandardOutput();
  // "P5\n<width> <height>\n255\n" then the pixels.
  const QList<QByteArray> header = pgm.left(64).split('\n');
  if (header.size() < 4 || header[0] != "P5") return std::nullopt;
  const QList<QByteArray> size = header[1].split(' ');
  GreyImage image{size.value(0).toInt(), size.value(1).toInt(), {}};
  const qsizetype start = header[0].size() + header[1].size() + header[2].size() + 3;
  image.pixels = pgm.mid(start);
  if (image.pixels.size() != qsizetype(image.width) * image.height) return std::nullopt;
  return image;
}

// The first pixel where the two documents' first pages differ, rendered at
// 100 dots per inch, or "" when none does; `inked` counts the dark pixels of
// the first. At that resolution no edge drawn at whole or half points plus
// one falls on a pixel boundary, where the rounding of the two files' numbers
// could tip a pixel over; antialiasing may shade an edge a little
// differently, while a shape out of place differs fully.
// `first_row` and `end_row` limit the comparison to a band of pixel rows;
// `tolerance` is the difference of grey allowed.
QString FirstPixelDifference(const std::string& preview, const std::string& print, int* inked,
                             int first_row = 0, int end_row = 1 << 30, int tolerance = 40) {
  const std::optional<GreyImage> a = RenderGrey(preview, 100);
  const std::optional<GreyImage> b = RenderGrey(print, 100);
  if (!a || !b) return "not rendered";
  if (a->width != b->width || a->height != b->height) return "sizes differ";
  *inked = 0;
  for (int y = first_row; y < std::min(a->height, end_row); ++y) {
    for (int x = 0; x < a->width; ++x) {
      if (a->At(x, y) < 128) ++*inked;
      if (std::abs(a->At(x, y) - b->At(x, y)) > tolerance) {
        return QString("pixel %1,%2: %3 in the preview, %4 in the print")
            .arg(x)
            .arg(y)
            .arg(a->At(x, y))
            .arg(b->At(x, y));
      }
    }
  }
  return {};
}

// The printer port of the test: each job draws on a printer canvas into
// `path`, which is left for the test to read.
class SheetFilePrinter : public PrinterCanvasFactory {
 public:
  std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind, std::string_view) override {
    return PrinterCanvas::Start(FromPath(path), setup);
  }
  std::string path;
  SpoolSetup setup;
};

// The sample company, written once for all tests.
struct SampleCompany {
  SampleCompany() : ledger(PosixFileSystem(), ui, clock) {
    std::string text;
    std::vector<AccountRecord> accounts;
    opened = PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() &&
             ParseChartText(text, &accounts).ok();
    program.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(accounts).Encode());
    ledger.set_program_folder(program.path());
    ledger.SetDataFolder(data.path());
    opened = opened && ledger.OpenDataFolder() && WriteSampleCompany(ledger, kSampleYear);
  }
  testing::TempDir program;
  testing::TempDir data;
  testing::ScriptedUi ui;
  testing::FixedClock clock{{2026, 3, 14, 9, 30, 0}, 60};
  Ledger ledger;
  bool opened = false;
};

}  // namespace

class PrinterCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    company_ = std::make_unique<SampleCompany>();
    QVERIFY(company_->opened);
    AddFinancialStatements(registry_);
  }

  void TheStatementsPrintEveryWordWhereThePreviewShowsIt_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("omit_percentages");
    QTest::newRow("income statement, June") << "Income Statement" << 6 << false;
    QTest::newRow("income statement without percentages, December")
        << "Income Statement" << 12 << true;
    QTest::newRow("balance sheet, June") << "Balance Sheet" << 6 << false;
  }
  void TheStatementsPrintEveryWordWhereThePreviewShowsIt() {
    QFETCH(QString, label);
    QFETCH(int, month);
    QFETCH(bool, omit_percentages);
    const ReportPeriod period = MonthPeriod(kSampleYear, month);
    const ReportOptions options{.omit_percentages = omit_percentages};

    const std::string preview = Write(label, OutputTarget::kPdf, period, options);
    const std::string print = Write(label, OutputTarget::kPrinter, period, options);
    QVERIFY(!preview.empty() && !print.empty());
    const QList<Word> preview_words = WordsOf(preview, kPreviewArial);
    QVERIFY(preview_words.size() > 100);
    QCOMPARE(FirstDifference(preview_words, WordsOf(print, kEmbeddedLiberationSans)), QString());
  }

  void LinesAndDoubleLinesStandWhereThePreviewDrawsThem() {
    auto draw = [](ReportCanvas& canvas) {
      canvas.DrawLine(10, 34, 10, 42);            // an underline under an amount
      canvas.DrawDoubleLine(12.5, 54, 12.5, 62);  // a double underline
      canvas.DrawLine(20, 5, 40, 5);              // a vertical rule
      canvas.DrawDoubleLine(20, 70, 40, 70);      // a double vertical rule
      canvas.DrawLine(30, 10, 45.25, 60.5);       // slanting, at fractional units
    };
    int inked = 0;
    QCOMPARE(DrawnAlike("lines", draw, &inked), QString());
    QVERIFY(inked > 200);
  }

  void PathsClipsAndImagesStandWhereThePreviewDrawsThem() {
    testing::BmpLayout layout;
    layout.width = 8;
    layout.height = 4;
    layout.bits = 4;
    layout.palette = {0x000000, 0xFFFFFF, 0x404040};
    layout.pixel = [](int x, int y) { return x < 4 ? 0u : (y < 2 ? 1u : 2u); };
    const auto image = std::make_shared<const BmpImage>(*DecodeBmp(testing::MakeBmp(layout)));
    auto draw = [&image](ReportCanvas& canvas) {
      CanvasPath ring;
      ring.AddRectangle(73, 73, 71, 71);
      ring.AddRectangle(97, 97, 23, 23);
      PathPaint even_odd;
      even_odd.fill_rule = FillRule::kEvenOdd;
      canvas.DrawPath(ring, even_odd);
      CanvasPath curve;
      curve.MoveTo(201, 101);
      curve.CurveTo(251, 51, 301, 151, 351, 101);
      PathPaint stroke;
      stroke.fill = false;
      stroke.stroke = true;
      stroke.line_width = 3;
      canvas.DrawPath(curve, stroke);
      CanvasPath box;
      box.AddRectangle(73, 301, 101, 51);
      canvas.BeginClip(box, FillRule::kNonZero);
      CanvasPath page;
      page.AddRectangle(0, 0, 612, 792);
      PathPaint grey;
      grey.fill_color = {128, 128, 128};
      canvas.DrawPath(page, grey);
      canvas.EndClip();
      canvas.DrawImage(image, 301, 401, 161, 81);
    };
    int inked = 0;
    QCOMPARE(DrawnAlike("paths", draw, &inked), QString());
    QVERIFY(inked > 4000);
  }

  // A check on blank stock: the drawn MICR line prints where the preview
  // shows it, and so does every word (the preview's invisible MICR text
  // aside, which paper has no use for).
  void AMicrCheckPrintsAsThePreviewShowsIt() {
    MicrSettings micr;
    micr.routing_number = "021000021";
    micr.account_number = "1234-5678";
    micr.name_line_1 = "Test Company";
    micr.bank_name = "First Harbor Bank";
    CheckPrintSetup setup;
    setup.layout = CheckLayoutOf(4);
    setup.dates = &output_.dates;
    setup.micr = &micr;
    CheckContent check;
    check.number = "001043";
    check.date = 46095;
    check.payee_name = "Harbor Supply";
    check.amount = Money::FromCents(121507);
    const std::string preview = dir_.File("check-preview.pdf");
    const std::string print = dir_.File("check-print.pdf");
    output_.services.printer = &printer_;
    printer_.path = print;
    for (OutputTarget target : {OutputTarget::kPdf, OutputTarget::kPrinter}) {
      PrintJob job(output_.services, target);
      QVERIFY(job.StartPrintJob(PrintJobKind::kCheck, "check-preview"));
      WriteCheck(job, setup, check);
      QVERIFY(job.EndPrintJob());
    }
    output_.shell.opened.clear();
    // The band of the MICR line: 3.05 to 3.45 inches from the top, at 100
    // dots per inch. Both files hold the same coordinates; the renderer
    // snaps the preview's rectangles to pixels, which shades the edges of
    // the characters differently, while a character out of place differs
    // fully. The texts' glyphs differ between the declared and the embedded
    // fonts, so they are compared by their places instead.
    int inked = 0;
    QCOMPARE(FirstPixelDifference(preview, print, &inked, 305, 345, 128), QString());
    QVERIFY(inked > 300);
    QList<Word> seen = WordsOf(preview, kPreviewArial);
    for (const MicrField& field : MicrLineFields(micr, check.number)) {
      seen.removeIf([&field](const Word& word) {
        return word.text == FromCp1252(field.text) &&
               std::abs(word.baseline - (kCheckHeightRows - 1.125) * 12) < 3;
      });
    }
    QList<Word> printed = WordsOf(print, kEmbeddedLiberationSans);
    // The two files may list the words of a line in another order.
    for (QList<Word>* words : {&seen, &printed}) {
      std::sort(words->begin(), words->end(), [](const Word& a, const Word& b) {
        return std::tuple(a.page, std::round(a.baseline), a.left) <
               std::tuple(b.page, std::round(b.baseline), b.left);
      });
    }
    QCOMPARE(FirstDifference(seen, printed), QString());
  }

  void TheAdditionalTopMarginMovesEveryWordDown() {
    auto write = [](ReportCanvas& canvas) {
      canvas.SetFont({FontFamily::kCourierNew, 12, FontStyle::kBold});
      canvas.PlaceText(3, 5, "PAY TO THE ORDER OF", ReportAlign::kLeft, 1);
      canvas.PlaceText(3, 78, "**1,215.07", ReportAlign::kRight, 1);
      canvas.NewPage();
      canvas.PlaceText(4, 42.5, "Centred", ReportAlign::kCenter, 1);
    };
    SpoolSetup plain;
    SpoolSetup lowered;
    lowered.additional_top_margin_half_lines = 3;
    const std::string flat = dir_.File("margin-0.pdf");
    const std::string moved = dir_.File("margin-3.pdf");
    for (const auto& [path, setup] : {std::pair{flat, plain}, std::pair{moved, lowered}}) {
      auto canvas = PrinterCanvas::Start(FromPath(path), setup);
      QVERIFY(canvas != nullptr);
      QCOMPARE(canvas->additional_top_margin_half_lines(), setup.additional_top_margin_half_lines);
      write(*canvas);
      QVERIFY(canvas->Finish());
    }
    const QList<Word> before = WordsOf(flat, kEmbeddedLiberationMono);
    QList<Word> after = WordsOf(moved, kEmbeddedLiberationMono);
    QCOMPARE(after.size(), 7);
    QVERIFY(Near(before[0].baseline, 36) && Near(before[0].size, 12));
    for (Word& word : after) word.baseline -= 18;  // three half lines of 1/12 inch
    QCOMPARE(FirstDifference(before, after), QString());
    // The right-aligned amount ends at column 78 by the declared widths.
    QVERIFY(Near(before[5].right, 78 * 7.2));
    QVERIFY(Near((before[6].left + before[6].right) / 2, 42.5 * 7.2));
  }

  void ACanvasDroppedBeforeFinishLeavesNoFile() {
    const std::string path = dir_.File("dropped.pdf");
    {
      auto canvas = PrinterCanvas::Start(FromPath(path), SpoolSetup());
      QVERIFY(canvas != nullptr);
      canvas->PlaceText(3, 5, "half a report", ReportAlign::kLeft, 1);
    }
    QVERIFY(!dir_.Exists("dropped.pdf"));
    QVERIFY(PrinterCanvas::Start(FromPath(dir_.File("no/such/folder.pdf")), SpoolSetup()) ==
            nullptr);
  }

 private:
  // `draw` on the preview's canvas and on the printer's, into `name` +
  // "-preview.pdf" and "-print.pdf"; the first pixel where they differ.
  QString DrawnAlike(const std::string& name, const std::function<void(ReportCanvas&)>& draw,
                     int* inked) {
    const std::string preview = dir_.File(name + "-preview.pdf");
    const std::string print = dir_.File(name + "-print.pdf");
    std::unique_ptr<ReportCanvas> canvases[] = {
        PdfCanvas::Start(PosixFileSystem(), output_.ui, output_.clock, {}, preview),
        PrinterCanvas::Start(FromPath(print), SpoolSetup())};
    for (std::unique_ptr<ReportCanvas>& canvas : canvases) {
      if (canvas == nullptr) return "a canvas did not start";
      draw(*canvas);
      if (!canvas->Finish()) return "a canvas did not finish";
    }
    return FirstPixelDifference(preview, print, inked);
  }

  // The statement `label` written to `target`; the path of its PDF, or ""
  // when it was not written.
  std::string Write(const QString& label, OutputTarget target, const ReportPeriod& period,
                    const ReportOptions& options) {
    const std::string path =
        dir_.File(ToPath(label) + (target == OutputTarget::kPrinter ? "-print.pdf" : ".pdf"));
    printer_.path = path;
    output_.services.printer = &printer_;
    output_.services.output_folder = dir_.path();
    const ReportRunRequest request{{ToCp1252(label)}, target, period, options};
    output_.ui.ClearMessages();
    const ReportRunResult result =
        RunReports(registry_, company_->ledger, output_.services, request);
    if (!result.completed || !output_.ui.Texts().empty()) return "";
    if (target == OutputTarget::kPdf) {
      if (output_.shell.opened.empty()) return "";
      std::filesystem::rename(output_.shell.opened.back(), path);
    }
    return path;
  }

  std::unique_ptr<SampleCompany> company_;
  ReportRegistry registry_;
  testing::TempDir dir_;
  testing::TestOutput output_{dir_.path()};
  SheetFilePrinter printer_;
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::PrinterCanvasTest)
#include "printer_canvas_test.moc"
