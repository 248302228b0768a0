#include "services/imports/companion_import.h"

#include "ledger/bookkeeping.h"

namespace zenkar {

ImportOutcome ImportVoice::Stop(std::string_view text, ImportOutcome outcome) {
  if (interactive()) ui_.Error(text);
  return outcome;
}

void ImportVoice::Information(std::string_view text) {
  if (interactive()) ui_.Information(text);
}

std::string SameVersionMessage(std::string_view companion) {
  return "To share data, Zenkar Accounting and " + std::string(companion) +
         " must be the same version.";
}

Status HoldCompanionSettings(FileSystem& fs, const std::string& path,
                             std::unique_ptr<RandomAccessFile>* hold, std::string* bytes) {
  if (Status s = fs.OpenExclusively(path, hold); !s.ok()) return s;
  uint64_t size = 0;
  if (Status s = (*hold)->Size(&size); !s.ok()) return s;
  return (*hold)->ReadAt(0, size, bytes);
}

std::string DamagedAmountMessage(std::string_view file_name, int number) {
  return "Damaged data in " + std::string(file_name) + ": record " + std::to_string(number) +
         " holds an amount beyond " + kLargestAmount.ToStringWithCommas() +
         ", which no entry can reach. Nothing was imported.";
}

std::string TotalTooLargeMessage() {
  return "The amounts to import add up to more than " + kLargestAmount.ToStringWithCommas() +
         ", more than any entry may hold. Nothing was imported.";
}

bool AddWithinLargest(Money amount, Money* total) {
  if (!WithinLargestAmount(amount)) return false;
  const Money sum = *total + amount;
  if (!WithinLargestAmount(sum)) return false;
  *total = sum;
  return true;
}

TransactionRecord ImportJournalLine(std::string_view description, std::string_view account,
                                    DayNumber date, Money amount, std::string_view reference) {
  TransactionRecord line;
  line.kind = kJournalLine;
  line.description = std::string(description);
  line.account = std::string(account);
  line.date = date;
  line.amount = amount;
  line.reference = std::string(reference);
  return line;
}

void PrintImportReport(ImportEnvironment& env, const std::function<bool(PrintJob&)>& write) {
  // The lines are in the books whether or not the report could be printed;
  // the output framework has said what went wrong with it.
  if (env.print_report) (void)env.print_report(write);
}

}  // namespace zenkar
