#include "services/imports/receivables_import.h"

#include <algorithm>

#include "common/record_file.h"
#include "common/text_field.h"
#include "services/imports/import_reports.h"

namespace zenkar {
namespace {

std::string Shown(std::string_view code) { return EscapeControls(Trim(code)); }

const SalesCodeRecord* FindSalesCode(const std::vector<SalesCodeRecord>& codes,
                                     std::string_view code) {
  for (const SalesCodeRecord& sales_code : codes) {
    if (sales_code.code == code) return &sales_code;
  }
  return nullptr;
}

// The lines sorted by account; each account's lines added into its first.
// The amounts were each checked, so only a sum can pass the bound.
bool MergeByAccount(std::vector<TransactionRecord>* lines) {
  std::stable_sort(
      lines->begin(), lines->end(),
      [](const TransactionRecord& a, const TransactionRecord& b) { return a.account < b.account; });
  std::vector<TransactionRecord> merged;
  for (TransactionRecord& line : *lines) {
    if (!merged.empty() && merged.back().account == line.account) {
      if (!AddWithinLargest(line.amount, &merged.back().amount)) return false;
    } else {
      merged.push_back(std::move(line));
    }
  }
  *lines = std::move(merged);
  return true;
}

ImportedLine ReportLine(const TransactionRecord& line) {
  return {line.date, line.reference, line.description, line.account, line.amount};
}

}  // namespace

std::vector<size_t> NewCharges(const std::vector<ChargeRecord>& charges) {
  std::vector<size_t> taken;
  if (charges.empty()) return taken;
  const int64_t last_date = charges.back().date;
  for (size_t i = charges.size(); i-- > 0;) {
    if (last_date - charges[i].date > kReceivablesWindowDays) break;
    if (charges[i].imported == 0) taken.push_back(i);
  }
  return taken;
}

ReceivablesLines BuildReceivablesLines(const Ledger& ledger,
                                       const std::vector<ChargeRecord>& charges,
                                       const std::vector<size_t>& taken,
                                       const std::vector<SalesCodeRecord>& sales_codes,
                                       DayNumber today) {
  ReceivablesLines result;
  Money balance_change;
  for (size_t i : taken) {
    const ChargeRecord& charge = charges[i];
    const SalesCodeRecord* code = FindSalesCode(sales_codes, charge.sales_code);
    if (code == nullptr) {
      return {{},
              "At least one entry has been made to an invalid AR Sales Code: " +
                  Shown(charge.sales_code)};
    }
    if (!ledger.IsEntryAccount(code->account)) {
      return {{}, "Sales Code " + Shown(charge.sales_code) + " has an invalid COA entered."};
    }
    if (!WithinLargestAmount(charge.amount)) {
      return {{}, DamagedAmountMessage(ChargeRecord::kFileName, static_cast<int>(i) + 1)};
    }
    // Taken to the cent, as the books post it: the lines of several accounts
    // then balance the "Balance Change" line exactly.
    const Money amount = charge.amount.RoundedToCents();
    if (!AddWithinLargest(amount, &balance_change)) return {{}, TotalTooLargeMessage()};
    result.lines.push_back(
        ImportJournalLine(code->description, code->account, today, -amount, kReceivablesReference));
  }
  if (!MergeByAccount(&result.lines)) return {{}, TotalTooLargeMessage()};
  result.lines.push_back(ImportJournalLine(kBalanceChange, ledger.settings().receivables_account,
                                           today, balance_change, kReceivablesReference));
  return result;
}

ImportOutcome ImportReceivables(ImportEnvironment& env, ImportMode mode) {
  Ledger& ledger = env.ledger;
  FileSystem& fs = ledger.fs();
  ImportVoice voice(ledger.ui(), mode);
  const std::string& folder = ledger.data_folder();
  const std::string in_folder = "\n" + Utf8ToCp1252(folder);

  const std::string charges_path = DataFilePath(fs, folder, ChargeRecord::kFileName);
  if (!fs.FileExists(charges_path)) {
    return voice.Stop(std::string(kReceivablesNotFound) + in_folder, ImportOutcome::kNothingNew);
  }
  // The receivables program holds this lock while it runs: from here on it
  // cannot change the files this import reads and writes.
  std::unique_ptr<RandomAccessFile> hold;
  std::string settings_bytes;
  const std::string settings_path = DataFilePath(fs, folder, ReceivablesSettingsRecord::kFileName);
  if (Status s = HoldCompanionSettings(fs, settings_path, &hold, &settings_bytes); !s.ok()) {
    if (s.code() == Status::Code::kNotFound) {
      return voice.Stop(std::string(kReceivablesSetupNotFound) + in_folder);
    }
    return voice.Stop(s.code() == Status::Code::kInUse ? std::string(kCloseReceivables)
                                                       : "Error opening " + s.message());
  }
  if (settings_bytes.size() != ReceivablesSettingsRecord::kSize) {
    return voice.Stop(kInvalidReceivablesSetup);
  }
  if (ReceivablesSettingsRecord::Decode(settings_bytes).version_year !=
      ledger.settings().data_year) {
    return voice.Stop(SameVersionMessage(kReceivablesProgram));
  }

  std::vector<SalesCodeRecord> sales_codes;
  const std::string codes_path = DataFilePath(fs, folder, SalesCodeRecord::kFileName);
  if (fs.FileExists(codes_path)) {
    if (!LoadOrSay(voice, fs, codes_path, kInvalidSalesCodeFile, &sales_codes)) {
      return ImportOutcome::kStopped;
    }
  }
  std::vector<ChargeRecord> charges;
  if (!LoadOrSay(voice, fs, charges_path, kInvalidChargesFile, &charges)) {
    return ImportOutcome::kStopped;
  }

  const std::vector<size_t> taken = NewCharges(charges);
  if (taken.empty()) {
    voice.Information(kNoNewReceivables);
    return ImportOutcome::kNothingNew;
  }
  if (!ledger.IsEntryAccount(ledger.settings().receivables_account)) {
    return voice.Stop(kInvalidReceivablesAccount);
  }
  if (voice.interactive() && !voice.ui().YesNoDefaultYes(kImportReceivablesQuestion)) {
    voice.ui().Information(kImportCanceled);
    return ImportOutcome::kCanceled;
  }
  for (size_t i : taken) charges[i].imported = 1;
  const DayNumber today = ledger.clock().Today();
  const ReceivablesLines built = BuildReceivablesLines(ledger, charges, taken, sales_codes, today);
  if (!built.refusal.empty()) return voice.Stop(built.refusal);

  LinesChange change;
  change.appended = built.lines;
  change.alongside.push_back(
      {std::string(ChargeRecord::kFileName), EncodeCompanionRecords(charges)});
  if (!ledger.ChangeLinesWithFiles(change)) return ImportOutcome::kStopped;

  std::vector<ImportedLine> report_lines;
  for (const TransactionRecord& line : built.lines) report_lines.push_back(ReportLine(line));
  const ListingReport report = ReceivablesImportReport(report_lines, today, env.dates);
  PrintImportReport(env, [&report](PrintJob& job) { return PrintListingReport(job, report); });
  return ImportOutcome::kImported;
}

}  // namespace zenkar
