// Build tool: turns the readable default chart (default_chart.txt) into the
// default chart file KXACCTCOA.DAT that new companies receive.
//
//   make_default_chart SOURCE.txt OUTPUT.DAT
#include <cstdio>
#include <string>

#include "common/file_system.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/chart_text.h"

int main(int argc, char** argv) {
  using namespace zenkar;
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_default_chart SOURCE.txt OUTPUT.DAT\n");
    return 2;
  }
  FileSystem& fs = PosixFileSystem();
  std::string text;
  if (Status s = fs.ReadFile(argv[1], &text); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return 1;
  }
  std::vector<AccountRecord> accounts;
  if (Status s = ParseChartText(text, &accounts); !s.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], s.message().c_str());
    return 1;
  }
  const ChartOfAccounts chart(std::move(accounts));
  if (Status s = WriteFileAtomically(fs, argv[2], chart.Encode()); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return 1;
  }
  return 0;
}
