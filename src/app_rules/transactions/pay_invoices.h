// The "Pay Invoices" sub-page of the "Transactions" tab without widgets: the
// list of every unpaid invoice (payee, invoice number, due date, amount),
// sorted by the column whose header was clicked, the right-click questions
// that select every invoice sharing a value, the figures "Current Bank
// Balance", "Selected For Payment" and "New Bank Balance", and paying the
// selected invoices by check, printed or saved as paid without printing
// (invoice_checks.h).
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_PAY_INVOICES_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_PAY_INVOICES_H_

#include <string>
#include <string_view>
#include <vector>

#include "app_rules/window/program.h"
#include "output/invoice_checks.h"

namespace zenkar {

inline constexpr std::string_view kSaveAsPaidQuestion =
    "Save the highlighted invoices as paid, without printing them on a check?";
inline constexpr std::string_view kSelectHint =
    " To select more than one invoice, hold down the <Ctrl> key while clicking the desired "
    "invoices.";
inline constexpr std::string_view kRangeHint =
    " To select a range of invoices, hold down the <Shift> key, then click the desired starting "
    "and ending invoices.";

enum class PayColumn { kPayee, kInvoiceNumber, kDueDate, kAmount };
inline constexpr int kPayColumns = 4;

struct UnpaidInvoiceRow {
  int record_number = 0;
  std::string payee;  // the payee text of the line, trimmed
  std::string invoice_number;
  DayNumber due_date = kNoDate;
  Money amount;  // rounded to cents
};

// The unpaid invoices in file order. False when the file could not be read
// (reported).
bool ReadUnpaidInvoices(const Ledger& ledger, std::vector<UnpaidInvoiceRow>* rows);

enum class PayMode { kPrintChecks, kSaveAsPaid };

class PayInvoicesList {
 public:
  explicit PayInvoicesList(Program& program);

  // Reads the invoices again (in file order, then the column chosen last)
  // and, when the settings name no bank account of the chart, says so.
  void Enter();
  void Refresh();

  const std::vector<UnpaidInvoiceRow>& rows() const { return rows_; }
  std::string Text(int row, PayColumn column) const;
  // A click on a column header: the rows sorted by that column (payee names
  // and invoice numbers ignoring case, dates and amounts by value; rows
  // that compare equal keep their order).
  void SortBy(PayColumn column);

  // A right click on `row` in `column`: "Select all with Invoice Number of:",
  // "Select all with Due Date of:" or "Select all invoices for:" with the
  // value (No preselected). The rows to select, or none when the user said
  // No.
  std::vector<int> SelectAllLike(int row, PayColumn column);

  // The figures.
  Money CurrentBankBalance() const;
  Money SelectedTotal(const std::vector<int>& selected) const;
  Money NewBankBalance(const std::vector<int>& selected) const;

  // The two payment buttons over the selected rows (in any order: they are
  // paid in list order). The checks are dated with "Select Check Date"'s
  // date when one was chosen in this run, else today. True when an invoice
  // was paid; the list is read again.
  bool Pay(std::vector<int> selected, PayMode mode, PrintJob& job,
           UnprintedCheckChooser* chooser = nullptr);

 private:
  Program& program_;
  Ledger& ledger_;
  std::vector<UnpaidInvoiceRow> rows_;
  std::optional<PayColumn> sorted_by_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_PAY_INVOICES_H_
