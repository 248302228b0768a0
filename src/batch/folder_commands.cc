// The commands over a whole company folder: new, where, test, export-journal,
// post-recurring.
#include "batch/commands.h"
#include "batch/journal_export.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/folder_summary.h"

namespace zenkar {
namespace {

// Paths are file-system bytes (UTF-8); message texts are Windows-1252.
std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

void PrintResult(CommandContext& context, std::string_view cp1252) {
  const std::string text = TerminalText(cp1252) + "\n";
  std::fwrite(text.data(), 1, text.size(), context.env.out);
}

bool HasCompanyFiles(FileSystem& fs, const std::string& folder) {
  return fs.FileExists(DataFilePath(fs, folder, CompanySettings::kFileName)) &&
         fs.FileExists(DataFilePath(fs, folder, kTransactionFileName));
}

}  // namespace

std::string ResolvePath(const std::string& path, const std::string& current_folder) {
  if (path.empty() || path[0] == '/') return path;
  return current_folder + path;
}

bool HoldsCompany(CommandContext& context) {
  FileSystem& fs = context.env.fs;
  if (!fs.DirectoryExists(context.folder)) {
    context.ui.Error(Shown(context.folder) + "\ndoes not exist.");
    return false;
  }
  if (!HasCompanyFiles(fs, context.folder)) {
    context.ui.Error(Shown(context.folder) +
                     "\nholds no company (KXACCT.CFG and KXACCT.TRN). 'kxbatch new' makes one.");
    return false;
  }
  return true;
}

bool OpenBooks(CommandContext& context) {
  if (!HoldsCompany(context)) return false;
  context.ledger.SetDataFolder(context.folder);
  return context.ledger.OpenDataFolder();
}

bool RunNew(const Invocation& invocation, CommandContext& context) {
  switch (AddNewDataFolder(context.ledger, context.folder, Utf8ToCp1252(invocation.company_name))) {
    case NewCompanyFolder::kCreated:
      PrintResult(context, WhereAmIText(context.ledger));
      return true;
    case NewCompanyFolder::kHoldsBooks:
      context.ui.Error(Shown(context.folder) +
                       "\nholds the books of a company already - no new company was made.");
      return false;
    default:  // reported
      return false;
  }
}

bool RunWhere(CommandContext& context) {
  if (!OpenBooks(context)) return false;
  PrintResult(context, WhereAmIText(context.ledger));
  return true;
}

// The books are read without changing them: the load reports posted totals
// that disagree with their entries (titled "Testing: "), then the chart
// consistency test runs.
bool RunTest(CommandContext& context) {
  if (!OpenBooks(context)) return false;
  context.ledger.RunChartConsistencyTest();
  const bool clean = context.ui.CountTitled(std::string(kTestingTitle)) == 0;
  if (clean) PrintResult(context, "Testing: no problems found.");
  return clean;
}

bool RunExportJournal(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  std::string journal;
  const JournalOptions options{invocation.accrual, context.env.clock.Today()};
  if (!ExportJournal(context.ledger, options, &journal)) return false;
  if (invocation.journal_file.empty()) {
    return std::fwrite(journal.data(), 1, journal.size(), context.env.out) == journal.size();
  }
  const std::string path = ResolvePath(invocation.journal_file, context.env.current_folder);
  if (Status s = WriteFileAtomically(context.env.fs, path, journal); !s.ok()) {
    context.ui.Error("Error writing " + Shown(path) + "\n\n" + s.message());
    return false;
  }
  return true;
}

// The recurring entries of one month, posted as F7 posts them: the same
// validation, the same question when the month seems posted already (No
// unless --yes), the lines appended as one change. A folder without
// templates has nothing to do, which is no failure.
bool RunPostRecurring(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  const RecurringPosting posting =
      context.ledger.PostRecurringEntries(invocation.post_year, invocation.post_month);
  return posting == RecurringPosting::kPosted || posting == RecurringPosting::kNothingToPost;
}

}  // namespace zenkar
