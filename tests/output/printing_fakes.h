// Test doubles of the printing ports: a machine with a made-up list of
// printers that records the jobs sent to it, a "Printing Options" dialog
// that answers by itself, and a spool canvas that writes a stand-in file.
#ifndef ZENKAR_TESTS_OUTPUT_PRINTING_FAKES_H_
#define ZENKAR_TESTS_OUTPUT_PRINTING_FAKES_H_

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output/printer_jobs.h"
#include "output/printing_options.h"

namespace zenkar::testing {

class FakePrinterSystem : public PrinterSystem {
 public:
  std::vector<std::string> printers;
  std::string default_printer;
  // Sources by printer; a printer missing here fails to give its trays.
  std::map<std::string, std::vector<PaperSource>> sources;
  std::vector<std::string> fonts{"Arial", "Courier New"};
  SheetSize sheet;
  bool accept_jobs = true;
  std::vector<PrintSubmission> jobs;
  // The files of each job as they were when it was sent.
  std::vector<std::vector<std::string>> job_contents;

  std::vector<std::string> PrinterNames() override { return printers; }
  std::string DefaultPrinterName() override { return default_printer; }
  std::optional<std::vector<PaperSource>> PaperSources(std::string_view printer) override {
    auto found = sources.find(std::string(printer));
    if (found == sources.end()) return std::nullopt;
    return found->second;
  }
  SheetSize DefaultSheet(std::string_view) override { return sheet; }
  std::vector<std::string> ReportFontNames() override { return fonts; }
  bool Submit(const PrintSubmission& job) override {
    jobs.push_back(job);
    std::vector<std::string> contents;
    for (const std::string& file : job.files) {
      std::ifstream in(file);
      contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    job_contents.push_back(contents);
    return accept_jobs;
  }
};

// Answers the dialog with OK (after `choose` has changed the form) or Cancel.
class FakeAsker : public PrintingOptionsAsker {
 public:
  bool answer = true;
  std::function<void(PrintingOptionsForm&)> choose;
  int shown = 0;

  bool AskPrintingOptions(PrintingOptionsForm& form) override {
    ++shown;
    if (choose) choose(form);
    return answer;
  }
};

// A canvas that writes each text it is given into its file as one line.
class TextFileCanvas : public ReportCanvas {
 public:
  explicit TextFileCanvas(const std::string& path) : out_(path) {}
  bool SetFont(const ReportFont&) override { return true; }
  void PlaceText(double, double, std::string_view text, ReportAlign, int) override {
    out_ << text << "\n";
  }
  void DrawLine(double, double, double, double) override {}
  void DrawDoubleLine(double, double, double, double) override {}
  void ShadeBand(double, double, double, double) override {}
  void EndLine() override {}
  void NewPage() override {}
  bool Finish() override {
    out_.close();
    return !fail_finish;
  }
  bool fail_finish = false;

 private:
  std::ofstream out_;
};

class FakeCanvasMaker : public SpoolCanvasMaker {
 public:
  bool refuse = false;
  bool fail_finish = false;
  std::vector<SpoolSetup> setups;
  std::vector<std::string> paths;

  std::unique_ptr<ReportCanvas> MakeCanvas(const std::string& path,
                                           const SpoolSetup& setup) override {
    if (refuse) return nullptr;
    setups.push_back(setup);
    paths.push_back(path);
    auto canvas = std::make_unique<TextFileCanvas>(path);
    canvas->fail_finish = fail_finish;
    return canvas;
  }
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_PRINTING_FAKES_H_
