// Build tool: writes the sample company into a data folder, through the
// ledger's own operations, with the default chart from the program folder.
//
//   make_sample_company PROGRAM_FOLDER DATA_FOLDER
#include <cstdio>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "tools/sample_company.h"

namespace {

using namespace zenkar;

// The books of this year; "today" is early in the next one.
constexpr int kSampleYear = 2025;

// Prints every message; questions take their preselected answer.
class ConsoleUi : public Ui {
 public:
  int errors() const { return errors_; }
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

 protected:
  bool ShowMessage(const Message& message) override {
    if (message.kind == MessageKind::kError) ++errors_;
    std::fprintf(stderr, "make_sample_company: %s\n", Cp1252ToUtf8(message.text).c_str());
    return message.kind == MessageKind::kYesNoDefaultYes;
  }

 private:
  int errors_ = 0;
};

class SampleClock : public Clock {
 public:
  DayNumber Today() const override { return *MakeDayNumber(kSampleYear + 1, 1, 15); }
  LocalDateTime LocalNow() const override { return {kSampleYear + 1, 1, 15, 9, 0, 0}; }
  int UtcOffsetMinutes() const override { return 0; }
};

// The company's own files are removed so the books are written afresh; one
// that stays would mix old books into the new ones.
Status RemoveOldBooks(FileSystem& fs, const std::string& folder) {
  for (const char* name : {"KXACCT.CFG", "KXACCT.COA", "KXACCT.TRN", "KXACCT.VND", "KXACCT.REC",
                           "KXACCT.RJE", "KXACCTCOA.DAT"}) {
    if (Status s = DeleteFile(fs, DataFilePath(fs, folder, name)); !s.ok()) return s;
  }
  return Status::Ok();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sample_company PROGRAM_FOLDER DATA_FOLDER\n");
    return 2;
  }
  FileSystem& fs = PosixFileSystem();
  const std::string folder = NormalizeFolderPath(argv[2]);
  if (Status s = fs.CreateDirectory(folder); !s.ok()) {
    std::fprintf(stderr, "make_sample_company: %s\n", s.message().c_str());
    return 1;
  }
  if (Status s = RemoveOldBooks(fs, folder); !s.ok()) {
    std::fprintf(stderr, "make_sample_company: %s\n", s.message().c_str());
    return 1;
  }
  ConsoleUi ui;
  SampleClock clock;
  Ledger ledger(fs, ui, clock);
  ledger.set_program_folder(argv[1]);
  ledger.SetDataFolder(folder);
  const bool written = ledger.OpenDataFolder() && WriteSampleCompany(ledger, kSampleYear);
  const int transactions = ledger.transaction_count();
  const int payees = ledger.payees().count();
  ledger.Close();
  if (!written || ui.errors() > 0) return 1;
  std::printf("Sample company: %d transactions, %d payees in %s\n", transactions, payees,
              folder.c_str());
  return 0;
}
