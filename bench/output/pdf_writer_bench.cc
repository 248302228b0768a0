// Timing of PdfWriter on a general ledger, against Qt's QPdfWriter.
//
// Generates the lines of a general ledger of 100,000 transactions in 3,000
// accounts: 2,000 letter pages of 55 text lines (110,000 lines: on each page a
// title and a column heading, then account headings, transaction lines and
// account totals), each transaction line with five fields (date, number,
// description, amount and running balance, the last two right-aligned). The
// same lines are then written in the same run by PdfWriter (with plain and
// with compressed page streams) and by QPdfWriter drawing through QPainter,
// and the times and file sizes are printed.
//
//   bench_pdf_writer [repetitions] [output_folder]
//
// Each time is the median of its repetitions and covers the whole document,
// from opening the file to the finished file on disk; PdfWriter's includes
// flushing the file to disk before it is renamed into place.
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/ui.h"
#include "output/pdf_writer.h"
#include "support/bench_support.h"

namespace zenkar {
namespace {

using bench::SilentUi;

constexpr int kPages = 2000;
constexpr int kLinesPerPage = 55;
constexpr int kBodyLinesPerPage = kLinesPerPage - 2;
constexpr int kAccounts = 3000;
constexpr int kTransactions = 100000;
constexpr double kFontSize = 9;
constexpr double kTopInches = 0.75;
constexpr double kRowInches = 1.0 / 6;

struct Field {
  double x = 0;  // inches from the left edge
  std::string text;
  bool right = false;
};
using TextLine = std::vector<Field>;
using Page = std::vector<TextLine>;

std::string Amount(long cents) {
  char text[32];
  const long magnitude = std::labs(cents);
  std::snprintf(text, sizeof text, cents < 0 ? "(%ld.%02ld)" : "%ld.%02ld", magnitude / 100,
                magnitude % 100);
  return text;
}

// The body lines of the ledger: per account a heading, its transactions and
// a total line.
std::vector<TextLine> LedgerBody() {
  std::vector<TextLine> lines;
  lines.reserve(kAccounts * 2 + kTransactions);
  int transaction = 0;
  for (int account = 0; account < kAccounts; ++account) {
    const int count = kTransactions / kAccounts + (account < kTransactions % kAccounts ? 1 : 0);
    const std::string number = std::to_string(1000 + account);
    lines.push_back({{0.5, number + "  Operating account " + number}});
    long balance = 0;
    for (int i = 0; i < count; ++i, ++transaction) {
      const long cents = (transaction * 7919L % 200000) - 60000;
      balance += cents;
      char date[16];
      std::snprintf(date, sizeof date, "%02d/%02d/2024", transaction % 12 + 1,
                    transaction % 28 + 1);
      lines.push_back({{0.7, date},
                       {1.6, std::to_string(10000 + transaction)},
                       {2.3, "Payment to supplier no. " + std::to_string(transaction % 977)},
                       {6.2, Amount(cents), true},
                       {7.6, Amount(balance), true}});
    }
    lines.push_back({{2.3, "Total " + number}, {7.6, Amount(balance), true}});
  }
  return lines;
}

std::vector<Page> LedgerPages() {
  const std::vector<TextLine> body = LedgerBody();
  std::vector<Page> pages(kPages);
  for (int p = 0; p < kPages; ++p) {
    Page& page = pages[p];
    page.push_back(
        {{0.5, "General Ledger - January 1, 2024 through December 31, 2024"},
         {7.6, "Page " + std::to_string(p + 1) + " of " + std::to_string(kPages), true}});
    page.push_back({{0.7, "Date"},
                    {1.6, "Number"},
                    {2.3, "Description"},
                    {6.2, "Amount", true},
                    {7.6, "Balance", true}});
    for (int i = 0; i < kBodyLinesPerPage; ++i) page.push_back(body[p * kBodyLinesPerPage + i]);
  }
  return pages;
}

bool WriteWithPdfWriter(const std::vector<Page>& pages, const std::string& path, bool compress) {
  SilentUi ui;
  PdfWriter writer(PosixFileSystem(), ui, SystemClock(), {"Benchmark", "", compress});
  if (!writer.DocStart(path, PageOrientation::kPortrait)) {
    std::fprintf(stderr, "message: %s\n", ui.last.c_str());
    return false;
  }
  writer.SetFont("Arial", kFontSize, 0);
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) writer.NewPage();
    double y = kTopInches;
    for (const TextLine& line : pages[p]) {
      for (const Field& field : line) {
        writer.PlaceText(field.x, y, field.text,
                         field.right ? TextAlign::kRight : TextAlign::kLeft);
      }
      y += kRowInches;
    }
  }
  const bool written = writer.DocEnd();
  if (ui.messages > 0) std::fprintf(stderr, "message: %s\n", ui.last.c_str());
  return written;
}

bool WriteWithQPdfWriter(const std::vector<Page>& pages, const std::string& path) {
  QPdfWriter writer(QString::fromStdString(path));
  writer.setPageSize(QPageSize(QPageSize::Letter));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(72);  // one unit per point, like the PDF's own space
  QPainter painter(&writer);
  painter.setFont(QFont("Arial", kFontSize));
  const QFontMetricsF metrics(painter.font(), &writer);
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) writer.newPage();
    double y = kTopInches * 72;
    for (const TextLine& line : pages[p]) {
      for (const Field& field : line) {
        // Texts are plain ASCII here, so Latin-1 is the same as Windows-1252.
        const QString text = QString::fromLatin1(field.text.data(), field.text.size());
        const double x = field.x * 72 - (field.right ? metrics.horizontalAdvance(text) : 0);
        painter.drawText(QPointF(x, y), text);
      }
      y += kRowInches * 72;
    }
  }
  return painter.end();
}

double MedianSeconds(int repetitions, const std::function<bool()>& run) {
  std::vector<double> seconds;
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!run()) {
      std::fprintf(stderr, "writing failed\n");
      std::exit(1);
    }
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

void Report(const char* name, double seconds, const std::string& path, double qt_seconds,
            uintmax_t qt_bytes) {
  const uintmax_t bytes = std::filesystem::file_size(path);
  std::printf("%-24s %8.3f s %11ju bytes   %5.1fx faster than Qt, %.2f x Qt's size\n", name,
              seconds, bytes, qt_seconds / seconds,
              static_cast<double>(bytes) / static_cast<double>(qt_bytes));
}

int Run(int repetitions, const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::string plain = folder + "/ledger_pdfwriter.pdf";
  const std::string compressed = folder + "/ledger_pdfwriter_compressed.pdf";
  const std::string qt = folder + "/ledger_qpdfwriter.pdf";
  const std::vector<Page> pages = LedgerPages();
  long fields = 0;
  for (const Page& page : pages) {
    for (const TextLine& line : page) fields += static_cast<long>(line.size());
  }
  std::printf("document: %d pages, %d text lines, %ld placed texts; median of %d runs\n", kPages,
              kPages * kLinesPerPage, fields, repetitions);

  const double plain_seconds =
      MedianSeconds(repetitions, [&] { return WriteWithPdfWriter(pages, plain, false); });
  const double compressed_seconds =
      MedianSeconds(repetitions, [&] { return WriteWithPdfWriter(pages, compressed, true); });
  const double qt_seconds =
      MedianSeconds(repetitions, [&] { return WriteWithQPdfWriter(pages, qt); });
  const uintmax_t qt_bytes = std::filesystem::file_size(qt);
  std::printf("%-24s %8.3f s %11ju bytes\n", "QPdfWriter", qt_seconds, qt_bytes);
  Report("PdfWriter", plain_seconds, plain, qt_seconds, qt_bytes);
  Report("PdfWriter, compressed", compressed_seconds, compressed, qt_seconds, qt_bytes);
  return 0;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  // Fonts need a GUI application object, but no display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder =
      argc > 2 ? argv[2] : std::string(tmp ? tmp : "/tmp") + "/zenkar-pdf-bench";
  return zenkar::Run(repetitions, folder);
}
