// Timing and size of a run of checks on blank MICR stock to PDF.
//
// A company in a temporary folder with MICR settings and a 24-bit logo of
// 240 x 120 pixels prints a run of checks (default 1,000) through the check
// run of the program (RunChecks): each check drawn whole with its company
// and bank blocks, the logo, the captions, two stubs of three invoices and
// the MICR line as E-13B outlines with its invisible text. The run is
// repeated and the median time printed, from the first number to the
// finished file on disk (flushed before it is renamed into place), with the
// file's size per 10 checks and the number of image objects in it.
//
//   bench_check_run [checks] [repetitions]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_codec.h"
#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/login_user.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "output/check_run.h"
#include "output/micr_settings.h"
#include "support/bench_support.h"

namespace zenkar {
namespace {

class QuietUi : public Ui {
 public:
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> PickFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  void SetStatusText(std::string_view) override {}
  void SetProgress(std::string_view, long, long) override {}
  void ClearProgress() override {}
  void Beep() override {}
  void SetBusy(bool) override {}
  int errors = 0;

 protected:
  bool ShowMessage(const Message& message) override {
    if (message.kind == MessageKind::kError) {
      ++errors;
      std::fprintf(stderr, "%s\n", message.text.c_str());
    }
    return true;
  }
};

class BenchClock : public Clock {
 public:
  DayNumber Today() const override { return *MakeDayNumber(2026, 3, 14); }
  LocalDateTime LocalNow() const override { return {2026, 3, 14, 9, 0, 0}; }
  int UtcOffsetMinutes() const override { return 0; }
};

class NoUsers : public UserDirectory {
 public:
  std::optional<LoginAccount> CurrentLogin() const override { return std::nullopt; }
};

// A 24-bit bitmap of `width` x `height` with a gradient.
std::string Logo(int width, int height) {
  const int row_bytes = (width * 3 + 3) / 4 * 4;
  std::string bmp(54 + static_cast<size_t>(row_bytes) * height, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutInt32(bmp, 2, static_cast<int32_t>(bmp.size()));
  PutInt32(bmp, 10, 54);
  PutInt32(bmp, 14, 40);
  PutInt32(bmp, 18, width);
  PutInt32(bmp, 22, height);
  PutInt16(bmp, 26, 1);
  PutInt16(bmp, 28, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t at = 54 + static_cast<size_t>(y) * row_bytes + 3 * x;
      bmp[at] = static_cast<char>(x);
      bmp[at + 1] = static_cast<char>(y * 2);
      bmp[at + 2] = static_cast<char>(200);
    }
  }
  return bmp;
}

void WriteCompany(const std::string& folder) {
  FileSystem& fs = PosixFileSystem();
  auto write = [&fs, &folder](const std::string& name, const std::string& bytes) {
    (void)WriteFileAtomically(fs, folder + name, bytes);
  };
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Harborview Supply Co.";
  settings.check_type = 4;  // "MICR 129L/131L"
  settings.memo_on_checks = 1;
  write("KXACCT.CFG", settings.Encode());
  write("KXACCT.COA", "");
  write("KXACCT.VND", "");
  write("KXACCT.TRN", "");
  write("logo.bmp", Logo(240, 120));
  MicrSettings micr;
  micr.bank_name = "First Harbor Bank";
  micr.bank_address = "1 Quay Street";
  micr.bank_city_state_zip = "Portland, ME 04101";
  micr.plain_text_ach = "1-21/110";
  micr.routing_number = "021000021";
  micr.name_line_1 = "Harborview Supply Co.";
  micr.name_line_2 = "Building Materials & Marine Hardware";
  micr.address = "418 Wharf Street";
  micr.city_state_zip = "Portsmouth, NH 03801";
  micr.account_number = "1234-5678";
  micr.phone_memo = "(603) 555-0100";
  micr.signature_lines = 2;
  micr.logo_path = folder + "logo.bmp";
  micr.test_check_printed = true;
  write("KXMICR.DAT", micr.Encode());
}

std::vector<CheckToPrint> Checks(int count) {
  std::vector<CheckToPrint> checks(count);
  for (int i = 0; i < count; ++i) {
    CheckContent& c = checks[i].content;
    c.date = *MakeDayNumber(2026, 3, 14);
    c.payee_name = "Payee Number " + std::to_string(i + 1);
    c.address = std::to_string(100 + i) + " Harbor Road";
    c.city_state_zip = "Portland, ME 04103";
    c.amount = Money::FromCents(12345 + 977 * i);
    c.memo = "Account " + std::to_string(7000 + i);
    for (int k = 0; k < 3; ++k) {
      c.stub.push_back({"INV-" + std::to_string(i * 3 + k), c.date, "Supplies",
                        Money::FromCents((12345 + 977 * i) / 3)});
    }
  }
  return checks;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  using namespace zenkar;
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  char pattern[] = "/tmp/bench_check_run-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string folder = std::string(pattern) + "/";
  WriteCompany(folder);

  QuietUi ui;
  BenchClock clock;
  bench::NoShell shell;
  NoUsers users;
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.SetDataFolder(folder);
  if (!ledger.OpenDataFolder()) return 1;
  OutputServices services = MakeOutputServices({PosixFileSystem(), ui, clock, shell, dates, users},
                                               nullptr, folder, "www.zenkar.example");
  const std::vector<CheckToPrint> checks = Checks(count);
  std::vector<double> seconds;
  int next = 1;
  for (int run = 0; run < repetitions; ++run) {
    CheckRunRequest request;
    request.checks = checks;
    request.first_number = std::to_string(next);
    next += count;
    PrintJob job(services, OutputTarget::kPdf);
    const auto start = std::chrono::steady_clock::now();
    const CheckRunResult result = RunChecks(ledger, job, std::move(request));
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!result.printed || ui.errors > 0) return 1;
  }
  std::sort(seconds.begin(), seconds.end());
  std::string pdf;
  (void)PosixFileSystem().ReadFile(folder + "Checks.pdf", &pdf);
  size_t images = 0;
  for (size_t at = pdf.find("/Subtype /Image"); at != std::string::npos;
       at = pdf.find("/Subtype /Image", at + 1)) {
    ++images;
  }
  std::printf("%d checks on MICR stock to PDF, median of %d runs: %.3f s (fastest %.3f s)\n", count,
              repetitions, seconds[seconds.size() / 2], seconds.front());
  std::printf("file: %zu bytes, %.1f KB per 10 checks, %zu image object(s)\n", pdf.size(),
              pdf.size() / 1024.0 / count * 10, images);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
