#include "ledger/recurring_entries.h"

#include <algorithm>

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/bookkeeping.h"

namespace zenkar {
namespace {

constexpr size_t kNameWidth = 40;

std::string PayeeMismatchMessage(const RecurringEntryRecord& entry, const PayeeRecord& payee) {
  std::string saved(Trim(entry.payee_name_1));
  if (!Trim(entry.payee_name_2).empty()) saved += " / " + std::string(Trim(entry.payee_name_2));
  std::string current(Trim(payee.name));
  if (!Trim(payee.name_2).empty()) current += " / " + std::string(Trim(payee.name_2));
  return "The payee saved with the recurring entry, " + EscapeControls(saved) +
         ", does not match payee record:\n" + EscapeControls(current) +
         "\n\nDelete the recurring entry, or edit the entry to have a valid payee.";
}

void CheckPayee(const RecurringEntryRecord& entry, const PayeeList& payees,
                std::vector<std::string>* faults) {
  if (entry.payee_number > payees.count()) {
    faults->push_back(
        "Payee selected for recurring entry is not a valid/existing payee\n(payee number is "
        "higher than the number of payees).");
  } else if (payees.IsValidPayee(entry.payee_number)) {
    const PayeeRecord& payee = payees.payee(entry.payee_number);
    if (FitText(entry.payee_name_1, kNameWidth) != FitText(payee.name, kNameWidth) ||
        FitText(entry.payee_name_2, kNameWidth) != FitText(payee.name_2, kNameWidth)) {
      faults->push_back(PayeeMismatchMessage(entry, payee));
    }
  }
}

void CheckCheckOrDeposit(const RecurringEntryRecord& entry, const ChartOfAccounts& chart,
                         const CompanySettings& settings, std::vector<std::string>* faults) {
  if (entry.payee_number < 1) {
    faults->push_back(
        "A recurring check/deposit entry payee is invalid (payee missing or less than 1).");
  }
  if (!chart.IsEntryAccount(entry.account)) {
    faults->push_back(
        "A recurring check/deposit entry account is not a valid account\n(not a valid number, "
        "or account has been set as a title account).");
  } else if (SameAccount(entry.account, settings.bank_account)) {
    faults->push_back(
        "A recurring check/deposit entry account is set to post to your bank account\ninstead "
        "of an income or expense account.");
  }
}

void CheckJournalEntry(const RecurringEntryRecord& entry, const ChartOfAccounts& chart,
                       std::vector<std::string>* faults) {
  if (!chart.IsEntryAccount(entry.account)) {
    faults->push_back("A recurring journal entry account is not a valid account");
  }
  if (!chart.IsEntryAccount(entry.reversing_account)) {
    faults->push_back("A recurring journal entry reversing account is not a valid account");
  }
  if (SameAccount(entry.reversing_account, entry.account)) {
    faults->push_back(
        "A recurring journal entry has reversing account set to the same as the main account.");
  }
}

}  // namespace

std::vector<std::string> RecurringEntryFaults(const RecurringEntryRecord& entry,
                                              const ChartOfAccounts& chart, const PayeeList& payees,
                                              const CompanySettings& settings) {
  std::vector<std::string> faults;
  CheckPayee(entry, payees, &faults);
  if (entry.kind == kCheckOrDeposit) {
    CheckCheckOrDeposit(entry, chart, settings, &faults);
  } else if (entry.kind == kJournalLine) {
    CheckJournalEntry(entry, chart, &faults);
  } else {
    // Another kind would post a line no screen of the program can edit.
    faults.push_back("A recurring entry is neither a check/deposit nor a journal entry (kind " +
                     std::to_string(entry.kind) + ").\n\nDelete the recurring entry.");
  }
  // Only a damaged file holds more than an entry may (the reversing line of
  // the most negative amount could not even be written).
  if (!WithinLargestAmount(entry.amount)) {
    faults.push_back("A recurring entry amount is beyond " + kLargestAmount.ToStringWithCommas() +
                     ", which no entry can reach.\n\nDelete the recurring entry.");
  }
  return faults;
}

std::string RecurringEntryHeading(int number, const RecurringEntryRecord& entry) {
  std::string_view label = Trim(entry.description);
  if (label.empty()) label = Trim(entry.payee_name_1);
  return "Recurring entry " + std::to_string(number) + " (" + EscapeControls(label) + "):";
}

int ValidateRecurringEntries(const std::vector<RecurringEntryRecord>& entries,
                             const ChartOfAccounts& chart, const PayeeList& payees,
                             const CompanySettings& settings, Ui& ui) {
  int count = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string heading = RecurringEntryHeading(static_cast<int>(i + 1), entries[i]);
    for (const std::string& fault : RecurringEntryFaults(entries[i], chart, payees, settings)) {
      ui.Error(heading + "\n\n" + fault);
      ++count;
    }
  }
  return count;
}

DayNumber PostingDate(int year, int month, int32_t day) {
  const int last = DaysInMonth(year, month);
  return *MakeDayNumber(year, month, std::clamp<int32_t>(day, 1, last));
}

std::vector<TransactionRecord> RecurringLinesForMonth(
    const std::vector<RecurringEntryRecord>& entries, int year, int month,
    const PayeeList& payees) {
  std::vector<TransactionRecord> lines;
  for (const RecurringEntryRecord& entry : entries) {
    TransactionRecord line;
    ClearTransaction(line);
    line.kind = entry.kind;
    line.description = entry.description;
    line.account = AccountKey(entry.account);
    line.reference = entry.reference;
    line.payee_number = entry.payee_number;
    line.amount = entry.amount;
    line.date = PostingDate(year, month, entry.day);
    if (Trim(line.description).empty() && entry.payee_number != 0) {
      line.description = payees.PayeeName(entry.payee_number);
    }
    lines.push_back(line);
    if (entry.kind == kJournalLine) {
      line.account = AccountKey(entry.reversing_account);
      line.amount = -entry.amount;
      lines.push_back(line);
    }
  }
  return lines;
}

bool SamePostedLine(const TransactionRecord& planned, const TransactionRecord& line) {
  return planned.kind == line.kind && SameAccount(planned.account, line.account) &&
         Trim(planned.reference) == Trim(line.reference) && planned.amount == line.amount &&
         planned.date == line.date;
}

std::string AlreadyPostedQuestion(int year, int month, int found, int lines) {
  return "The recurring entries for " + std::string(kMonthNames[month - 1]) + " " +
         std::to_string(year) + " may have been posted already: " + std::to_string(found) +
         " of the " + std::to_string(lines) +
         " lines they make are in the books for that month.\n\nPost them again?";
}

bool RenumberRecurringAccounts(std::vector<RecurringEntryRecord>& entries, std::string_view from,
                               std::string_view to) {
  bool changed = false;
  for (RecurringEntryRecord& entry : entries) {
    for (std::string* account : {&entry.account, &entry.reversing_account}) {
      if (!SameAccount(*account, from)) continue;
      *account = AccountKey(to);
      changed = true;
    }
  }
  return changed;
}

bool RenameRecurringPayee(std::vector<RecurringEntryRecord>& entries, int number,
                          const PayeeRecord& payee) {
  bool changed = false;
  for (RecurringEntryRecord& entry : entries) {
    if (entry.payee_number != number) continue;
    entry.payee_name_1 = payee.name;
    entry.payee_name_2 = payee.name_2;
    changed = true;
  }
  return changed;
}

}  // namespace zenkar
