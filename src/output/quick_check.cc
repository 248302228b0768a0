#include "output/quick_check.h"

#include "common/text_field.h"

namespace zenkar {

QuickCheck NewQuickCheck(const Ledger& ledger, DayNumber date) {
  QuickCheck check;
  check.number = std::string(Trim(ledger.settings().next_check));
  check.date = date;
  return check;
}

QuickCheck WithPayee(const Ledger& ledger, QuickCheck check, int payee) {
  check.payee = ledger.IsValidPayee(payee) ? payee : 0;
  if (check.payee == 0) return check;
  const PayeeRecord& record = ledger.payees().payee(payee);
  check.name_line_1 = std::string(TrimRight(record.name));
  check.name_line_2 = std::string(TrimRight(record.name_2));
  check.address = std::string(TrimRight(record.address));
  check.city_state_zip = std::string(TrimRight(record.city_state_zip));
  check.phone = std::string(TrimRight(record.phone));
  check.memo = std::string(TrimRight(record.memo));
  return check;
}

std::vector<int> QuickCheckPayees(const Ledger& ledger) {
  std::vector<int> numbers;
  for (int number = 1; number <= ledger.payees().count(); ++number) {
    if (!Trim(ledger.payees().payee(number).name).empty()) numbers.push_back(number);
  }
  return numbers;
}

std::optional<std::string> CheckNumberProblem(Ledger& ledger, std::string_view number) {
  return CheckNumbersProblem(ledger, {std::string(Trim(number))}, {});
}

std::optional<QuickCheckField> AcceptQuickCheck(Ledger& ledger, QuickCheck& check) {
  Ui& ui = ledger.ui();
  if (check.payee == 0 && Trim(check.name_line_1).empty()) {
    ui.Error(kMustSelectPayee);
    return QuickCheckField::kPayee;
  }
  if (check.amount <= Money()) {
    ui.Error(kAmountAboveZero);
    return QuickCheckField::kAmount;
  }
  if (check.amount >= Money::FromUnits(100000000)) {
    ui.Error(kAmountTooLarge);
    return QuickCheckField::kAmount;
  }
  if (Trim(check.number).empty()) {
    ui.Error(kNumberNotBlank);
    return QuickCheckField::kNumber;
  }
  if (const std::optional<std::string> problem = CheckNumberProblem(ledger, check.number)) {
    ui.Error(*problem);
    return QuickCheckField::kNumber;
  }
  if (!ledger.IsEntryAccount(check.account)) {
    ui.Error(kSelectCheckAccount);
    return QuickCheckField::kAccount;
  }
  if (check.payee != 0) return std::nullopt;
  PayeeRecord payee;
  ClearPayee(payee);
  payee.name = check.name_line_1;
  payee.name_2 = check.name_line_2;
  payee.address = check.address;
  payee.city_state_zip = check.city_state_zip;
  payee.phone = check.phone;
  payee.memo = check.memo;
  payee.default_account = check.account;
  // "Enter a Payee name" and "Payee name already in use:" are the ledger's.
  const std::optional<int> added = ledger.AddPayee(payee);
  if (!added) return QuickCheckField::kName;
  check.payee = *added;
  return std::nullopt;
}

TransactionRecord QuickCheckRecord(const Ledger& ledger, const QuickCheck& check) {
  TransactionRecord line;
  ClearTransaction(line);
  line.kind = kCheckOrDeposit;
  line.unprinted = 1;
  line.payee_number = check.payee;
  line.description = ledger.payees().payee(check.payee).name;
  line.payee_name_1 = line.description;
  line.payee_name_2 = ledger.payees().payee(check.payee).name_2;
  line.memo = check.memo;
  line.reference = std::string(Trim(check.number));
  line.invoice_number = check.invoice_number;
  line.account = check.account;
  line.amount = check.amount.RoundedToCents();
  line.date = check.date;
  line.invoice_date_2 = check.date;
  return line;
}

bool PrintQuickCheck(Ledger& ledger, PrintJob& job, const QuickCheck& check) {
  // The run moves Next Check past the number once the check printed; the
  // register's rule of the append would move it even when it did not.
  const std::string next_check = ledger.settings().next_check;
  const std::optional<int> record = ledger.AppendTransaction(QuickCheckRecord(ledger, check));
  ledger.settings().next_check = next_check;
  if (!record) return false;
  CheckRunRequest request;
  CheckToPrint one;
  one.record_numbers = {*record};
  CheckContent& content = one.content;
  content.date = check.date;
  content.payee_name = check.name_line_1;
  content.payee_name_2 = check.name_line_2;
  content.address = check.address;
  content.city_state_zip = check.city_state_zip;
  content.amount = check.amount;
  content.memo = check.memo;
  content.stub = {{check.invoice_number, check.date, check.memo, check.amount}};
  request.checks = {one};
  request.first_number = std::string(Trim(check.number));
  request.unprinted = UnprintedEntries::kDelete;
  const CheckRunResult result = RunChecks(ledger, job, std::move(request));
  return result.printed && result.printed_correctly.front();
}

}  // namespace zenkar
