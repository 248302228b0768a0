// Fuzz target: the recurring entries of KXACCT.RJE, RecurringEntryRecord.
//
// Encode after Decode gives each record, and the file, back byte for byte
// (the unused areas are kept). For any bytes, validation counts exactly the
// faults it shows, and the templates without faults post as they must: one
// line each in the month posted, a journal entry's reversing line after it
// with the negated amount; renumbering an account and renaming a payee
// change no other byte of any template.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "ledger/recurring_entries.h"
#include "support/scripted_ui.h"

namespace {

using zenkar::Money;
using zenkar::RecurringEntryRecord;
using zenkar::fuzzing::Require;

zenkar::ChartOfAccounts Chart() {
  std::vector<zenkar::AccountRecord> accounts(4);
  const char* numbers[] = {"100", "110", "210", "650"};
  for (int i = 0; i < 4; ++i) accounts[i].number = zenkar::AccountKey(numbers[i]);
  accounts[0].title_type = zenkar::kTitleAccount;
  return zenkar::ChartOfAccounts(accounts);
}

zenkar::PayeeList Payees() {
  std::vector<zenkar::PayeeRecord> payees(2);
  payees[0].name = "Harbor Supply";
  payees[1].name_2 = "Second line only";
  return zenkar::PayeeList(payees);
}

void CheckPosting(const std::vector<RecurringEntryRecord>& sound, const zenkar::PayeeList& payees,
                  int year, int month) {
  const std::vector<zenkar::TransactionRecord> lines =
      zenkar::RecurringLinesForMonth(sound, year, month, payees);
  size_t at = 0;
  for (const RecurringEntryRecord& entry : sound) {
    Require(at < lines.size(), "every template makes a line");
    const zenkar::TransactionRecord& line = lines[at++];
    Require(line.date >= zenkar::FirstOfMonth(year, month) &&
                line.date <= zenkar::LastOfMonth(year, month),
            "a line is dated in the month posted");
    Require(line.amount == entry.amount && line.kind == entry.kind, "a line is its template's");
    if (entry.kind != zenkar::kJournalLine) continue;
    Require(at < lines.size(), "a journal template makes its reversing line");
    const zenkar::TransactionRecord& reversing = lines[at++];
    Require((reversing.amount + line.amount).IsZero() && reversing.date == line.date,
            "the reversing line balances the journal entry");
  }
  Require(at == lines.size(), "no line beyond the templates'");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file =
      zenkar::fuzzing::WholeRecords(data, size, zenkar::kRecurringRecordLength);
  const std::vector<RecurringEntryRecord> entries = zenkar::DecodeRecurringEntries(file);
  Require(zenkar::EncodeRecurringEntries(entries) == file, "the file encodes back");
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string_view record = std::string_view(file).substr(i * 284, 284);
    Require(RecurringEntryRecord::Decode(record).Encode() == record, "a record encodes back");
  }

  const zenkar::ChartOfAccounts chart = Chart();
  const zenkar::PayeeList payees = Payees();
  zenkar::CompanySettings settings;
  settings.bank_account = zenkar::AccountKey("110");
  zenkar::testing::ScriptedUi ui;
  size_t expected = 0;
  std::vector<RecurringEntryRecord> sound;
  for (const RecurringEntryRecord& entry : entries) {
    const size_t faults = zenkar::RecurringEntryFaults(entry, chart, payees, settings).size();
    expected += faults;
    if (faults == 0) sound.push_back(entry);
  }
  const int shown = zenkar::ValidateRecurringEntries(entries, chart, payees, settings, ui);
  Require(static_cast<size_t>(shown) == expected && ui.messages().size() == expected,
          "validation counts the faults it shows");
  CheckPosting(sound, payees, 2024, 2);
  CheckPosting(sound, payees, 2025, 4);

  std::vector<RecurringEntryRecord> renumbered = entries;
  zenkar::RenumberRecurringAccounts(renumbered, "650", "655");
  zenkar::RenameRecurringPayee(renumbered, 1, payees.payee(2));
  for (size_t i = 0; i < entries.size(); ++i) {
    RecurringEntryRecord back = renumbered[i];
    back.account = entries[i].account;
    back.reversing_account = entries[i].reversing_account;
    back.payee_name_1 = entries[i].payee_name_1;
    back.payee_name_2 = entries[i].payee_name_2;
    Require(back.Encode() == entries[i].Encode(),
            "following the chart and payees touches no other byte");
  }
  return 0;
}
