#include "batch/batch_help.h"

namespace zenkar {
namespace {

constexpr std::string_view kProgramHelp =
    R"HELP(Usage: kxbatch [--folder DIR] [--password-file FILE] [--yes | --no]
               COMMAND [OPTIONS]

The books of a Zenkar Accounting company from the command line, without a
display: reports, checks and exports for unattended month-end work.

Commands:
  new [--name TEXT]       make DIR a new company, as "Add New Data Folder" does
  where                   the "Where Am I?" summary of the books
  test                    the chart consistency test and the posted-total check
  report NAME ...         write a report as PDF or CSV, or print it
  export-journal [FILE]   the whole ledger as an hledger / ledger-cli journal
  backup DIR              back the data up into DIR (zenkar.sav), as "Backup Data"
  restore DIR [--set N]   restore the books from a backup in DIR
  auto-backup             add a set to the automatic backup series
  post-recurring --month YYYY-MM
                          post the recurring entries for a month, as F7 does
  import-payroll          the new paychecks of Zenkar Payroll, as "Import Payroll"
  import-receivables      the new charges and payments of Zenkar Accounts Receivable
  exchange export|import DIR, exchange reset
                          the accountant exchange, as the "Data Transfer" window
  mail-report NAME        mail a report as PDF, as "Send by E-Mail (PDF)"
  mail-data               mail the data files, as "E-Mail Data Files"
  test-check              print the MICR test check, or write it as PDF
  blank-check --number N  print a blank MICR check, or write it as PDF
  quick-check ...         make one check entry and print it (the quick check)
  find TEXT               the lines holding TEXT, as "Find" of the review page
  invoices                list the unpaid invoices
  auto-invoice --month YYYY-MM
                          post the payees' auto invoices and checks for a month
  pay-invoices ...        pay unpaid invoices by check, as "Pay Invoices" does
  remove-oldest-year (--pdf FILE | --csv FILE | --print [PRINTER])
                          remove the oldest year's entries, keeping the balances
  delete-inactive-payees  delete the payees with no activity in 24 months

Global options:
  --folder DIR          the company's data folder (default: the current
                        directory)
  --password-file FILE  the program password, on the first line of FILE (which
                        only its owner may read); without it a password is
                        asked for on the terminal
  --yes, --no           answer every Yes/No question so (default: the
                        preselected answer)
  --help                this text; 'kxbatch COMMAND --help' for one command

When the installation has a program password, no command runs without it.
Messages go to standard error with the program's own texts; results (the
summary, the journal) go to standard output. Control characters in texts of the
books are shown escaped (\x1B), in the journal as spaces. Dates are YYYY-MM-DD.
Exit status: 0 success, 1 a failure or a problem was reported, 2 a usage error.
)HELP";

constexpr std::string_view kNewHelp =
    R"HELP(Usage: kxbatch [--folder DIR] new [--name TEXT]

Makes DIR (created when missing; its parent must exist) a new company with the
default chart of accounts and no transactions, exactly as "Add New Data Folder"
does, then prints the "Where Am I?" summary. A folder that holds books already
is left alone (exit status 1).

  --name TEXT   the company's name ("Name Line 1" of the setup)
)HELP";

constexpr std::string_view kWhereHelp =
    R"HELP(Usage: kxbatch [--folder DIR] where

Prints the "Where Am I?" summary: the number of transactions, the data folder
and whether the accounts balance (or the amount they are out of balance by).
)HELP";

constexpr std::string_view kTestHelp =
    R"HELP(Usage: kxbatch [--folder DIR] test

Opens the books (which repairs and reports posted totals that disagree with
their entries), runs the chart consistency test and checks every account's
posted total against its entries once more. Each problem is reported on
standard error; the exit status is 1 when anything was reported.
)HELP";

constexpr std::string_view kReportHelp =
    R"HELP(Usage: kxbatch [--folder DIR] report NAME... [PERIOD] DESTINATION [OPTIONS]

Runs a report of the Reports tab by its label, with the same checks and
messages. Several reports may go to the printer in one run; a PDF or CSV takes
exactly one. "Bank-Rec" is the bank reconciliation as last saved on the Bank
Reconciliation tab: --date D is the statement's ending date (the statement is
taken to start on the 1st of that month from the 20th on, otherwise on the 1st
of the month before); a month, quarter or range gives both dates.

Period (default: today's date):
  --date D               one day
  --month YYYY-MM        a calendar month
  --quarter YYYY-Qn      a calendar quarter (n from 1 to 4)
  --from D --to D        a date range

Destination (one of):
  --pdf FILE             write a PDF ("Preview / Save (PDF)")
  --csv FILE             write a CSV file ("View / Save (CSV)")
  --print [PRINTER]      print through CUPS (lp); without a name the report
                         printer of the setup, else CUPS's default

Options:
  --open                 open the written file with the desktop's viewer
  --omit-percentages     "Income Statement: Omit Percentages"
  --include-zero         "Income Statement/Balance Sheet: Include Zero Balance Accounts"
  --include-descriptions "Transaction Listing: Include Descriptions"
  --sort-entries         "Reports: Sort Entries" (each listing in its own order)
  --shading-bars         "Reports: Use Shading Bars"
Each is also on when the company's setup has it on.
  --sort ORDER           sort the listing by ORDER: "Order Entered", "Payee",
                         "Invoice Date", "Due Date", "Description",
                         "Check Number", "Date", "Invoice Number",
                         "Account (COA)" or "Amount"

What the dialogs of some reports ask:
  --account A            the account of the Account Summary
  --payee NAME           the payee of the Payee Activity
  --prior-from D --prior-to D
                         the prior period of the Activity Comparison
                         (default: the same dates a year earlier)

  --mark-printed         the General Ledger and the Transaction Listing mark
                         their entries printed, as on paper or PDF in kxacct;
                         the command then changes the books and runs only
                         while no other program has the folder open

Reports:
)HELP";

constexpr std::string_view kExportHelp =
    R"HELP(Usage: kxbatch [--folder DIR] export-journal [--accrual] [FILE]

Writes the whole ledger as a plain-text journal for hledger and ledger-cli,
to FILE or to standard output:
  - accounts named by number and description, declared with their types;
  - the balance forwards as one opening entry ("Balance forward") on the first
    day of the accounting year of the oldest transaction;
  - each check or deposit with its bank posting, the payee as description and
    the reference as code;
  - journal lines grouped by date and reference; a group (or an opening entry)
    that does not sum to zero gets a posting to "Out of balance";
  - unpaid invoices only with --accrual, against the Accounts Payable account.
Every account ends with its balance in the books.
)HELP";

constexpr std::string_view kBackupHelp =
    R"HELP(Usage: kxbatch [--folder DIR] backup BACKUP-DIR

Backs up every Zenkar data file of the folder into BACKUP-DIR as "zenkar.sav",
exactly as "Backup Data" does: the set is written beside the old one, read back
and checked, and only then replaces it. KXLOC.DAT in BACKUP-DIR and KXDATE.DAT
in the data folder record the backup. When BACKUP-DIR holds the backup of
another data folder, it is replaced only with --yes. Prints the set's path.
)HELP";

constexpr std::string_view kRestoreHelp =
    R"HELP(Usage: kxbatch --yes [--folder DIR] restore BACKUP-DIR [--set N]

Restores the books (KXACCT.* and KXMICR.DAT) from a backup in BACKUP-DIR, as
"Restore Data" does: "zenkar.sav" (set 0) and its numbered sets zenkar01.sav
to zenkar20.sav, or else KXACCT00.sav, KXACCT01.sav, ... The whole set is
checked before any file is changed; the books' files it lacks are removed.
The questions before a restore are answered No unless --yes is given. Runs
only while no other program has the folder open, then prints the "Where Am I?"
summary of the restored books.

  --set N   the set to restore (default 0, the newest)
)HELP";

constexpr std::string_view kAutoBackupHelp =
    R"HELP(Usage: kxbatch [--folder DIR] auto-backup

Adds a set of the books to the automatic backup series in
DIR/Zenkar_Auto_Backup/, as kxacct does when it closes: KXACCT00.sav is the
newest, KXACCT20.sav the oldest kept. Prints the path of KXACCT00.sav.
)HELP";

constexpr std::string_view kPostRecurringHelp =
    R"HELP(Usage: kxbatch [--folder DIR] post-recurring --month YYYY-MM

Posts every recurring entry (KXACCT.RJE) for the month, as F7 does: each
template is checked first and any fault is reported (nothing is posted then);
each becomes a line dated on its day of that month (a day beyond the month's
end on its last day), a journal entry with its reversing line. When lines the
posting would make are in the books for that month already, it asks whether to
post again: No unless --yes is given. The lines are appended as one change.
Runs only while no other program has the folder open.

  --month YYYY-MM   the month to post
)HELP";

constexpr std::string_view kImportPayrollHelp =
    R"HELP(Usage: kxbatch [--folder DIR] import-payroll [--pdf FILE | --csv FILE | --print [PRINTER]]
                                             [--open]

Brings the new paychecks of Zenkar Payroll (those of the last 180 days not yet
imported) into the books as checks to "PAYROLL EXPENSES", with the deduction
lines when the company posts employee deductions, as "Import Payroll" does.
The paychecks are listed on standard output first; --no cancels. The report
"Paycheck-Import" is written or printed as the options say (as for 'report');
without one no report is made. Runs only while no other program has the folder
open, and not while Zenkar Payroll has its data open.
)HELP";

constexpr std::string_view kImportReceivablesHelp =
    R"HELP(Usage: kxbatch [--folder DIR] import-receivables [--pdf FILE | --csv FILE |
                                                 --print [PRINTER]] [--open]

Brings the new charges and payments of Zenkar Accounts Receivable (those of the
last 181 days not yet imported) into the books as journal lines by the accounts
of their sales codes, with the "Balance Change" line to the Accounts Receivable
account, as "Import Receivables" does (--no answers the question No). The
report "Receivables-Import" goes where the options say, or nowhere.
)HELP";

constexpr std::string_view kExchangeHelp =
    R"HELP(Usage: kxbatch [--yes | --no] [--folder DIR] exchange export PACKAGE-DIR
       kxbatch [--yes | --no] [--folder DIR] exchange import PACKAGE-DIR
       kxbatch --yes [--folder DIR] exchange reset

The accountant exchange, as the "Data Transfer" window does it, by the role of
the data folder in this installation (a new company is the client):
  client      export: ZENKAR.CCC into PACKAGE-DIR; the entries are then checked
              out until the accountant's come back
              import: the accountant's entries from PACKAGE-DIR/ZENKAR.AAA
  accountant  import: the client's books from PACKAGE-DIR/ZENKAR.CCC replace the
              books (asked first: --yes)
              export: the entries added since, into PACKAGE-DIR/ZENKAR.AAA
  reset       switch to the other role (asked first: --yes)
The installation is told apart by its token, KXTOKEN.DAT.
)HELP";

constexpr std::string_view kMailReportHelp =
    R"HELP(Usage: kxbatch [--folder DIR] mail-report NAME [PERIOD] [--to ADDRESS]
               [--mail-password-file FILE] [OPTIONS]

Mails one report as a PDF, as "Send by E-Mail (PDF)" does, with the E-Mail
Settings kept by Zenkar Accounting and the subject "Accounting Report". The
PDF is made in a private temporary folder and removed after. Prints nothing
on success; a refusal of the mail server is shown with its reply.

Period (default: today's date):
  --date D               one day
  --month YYYY-MM        a calendar month
  --quarter YYYY-Qn      a calendar quarter (n from 1 to 4)
  --from D --through D   a date range

Mail:
  --to ADDRESS           send to ADDRESS (or two separated by ";") this once
  --mail-password-file FILE
                         the SMTP password, on the first line of FILE (which
                         only its owner may read), when the settings keep none

Options: --omit-percentages, --include-zero, --include-descriptions,
--sort-entries, --shading-bars, --account, --payee, --prior-from/--prior-to
and --sort, as for 'report'.

Reports:
)HELP";

constexpr std::string_view kMailDataHelp =
    R"HELP(Usage: kxbatch [--folder DIR] mail-data [--to ADDRESS] [--mail-password-file FILE]

Mails every data file of the company (the books, KXMICR.DAT and the older
programs' files), as "E-Mail Data Files" does, with the E-Mail Settings kept by
Zenkar Accounting and the subject "Data Files". The files are read as a backup
reads them; the attached KXACCT.CFG carries no mail password. --to and
--mail-password-file as for 'mail-report'.
)HELP";

constexpr std::string_view kCheckDestinationHelp =
    R"HELP(
Destination (one of):
  --pdf FILE          write the check as PDF
  --print [PRINTER]   print through CUPS (lp); without a name the check
                      printer of the setup, else CUPS's default

The check goes on the company's "Check Type" form; the MICR checks need the
MICR settings of the MICR tab (a valid routing number).
)HELP";

constexpr std::string_view kTestCheckHelp =
    R"HELP(Usage: kxbatch [--folder DIR] test-check (--pdf FILE | --print [PRINTER])

Prints the MICR test check ("Print Test Check"): "TEST CHECK", number 000000,
the height of the MICR characters and the marker at the transit symbol. The
check is recorded as printed with the current MICR settings, which ends the
warning before the next checks. No check number is used.
)HELP";

constexpr std::string_view kBlankCheckHelp =
    R"HELP(Usage: kxbatch [--folder DIR] blank-check --number N (--pdf FILE | --print [PRINTER])

Prints one blank MICR check ("MICR Print Blank Check") numbered N, with
"VOID" in its amounts, to be written by hand. A number another check carries
is refused; Next Check moves past N.
)HELP";

constexpr std::string_view kQuickCheckHelp =
    R"HELP(Usage: kxbatch [--folder DIR] quick-check --payee NAME --account A --amount X
               [--memo TEXT] [--number N] (--pdf FILE | --print [PRINTER])

Does what "Create and Print a New Check (Quick Check)" does: a check of X to
NAME (a listed payee, or a new one of that name), charged to account A and
dated today, is appended to the books and printed; when the print fails, or
(printing) the question "Did every check print correctly?" is answered No
(--no), the entry is removed again. The checks and messages are the dialog's.

  --memo TEXT   the check's memo (default: the payee's)
  --number N    the check number (default: Next Check)
)HELP";

constexpr std::string_view kFindHelp =
    R"HELP(Usage: kxbatch [--folder DIR] find TEXT

Lists the lines of the books that hold TEXT, as "Find" on the "Review and Edit
All Transactions" page finds them, from the last line to the first: one line
each with the record number, a tab and the field that holds the text with its
caption ("Description/Payee: ", "Ref./Ck Num: ", "Acct: ", "Amt: ", "Check
Date: " or "Invoice Number: "). The fields are tried in that order, in
capitals (abc finds ABC Supply); amounts are written with two decimals (12.5
finds 12.50) and dates with the locale's numeric pattern with a two-digit year.
When no line holds TEXT, "No matches found" is reported (exit status 1). The
books are read without changing any file. A TEXT that starts with "-" (a
negative amount) follows "--": kxbatch find -- -12.50
)HELP";

constexpr std::string_view kInvoicesHelp =
    R"HELP(Usage: kxbatch [--folder DIR] invoices

Lists every unpaid invoice in the order of the transaction file, one a line,
tab-separated: record number, payee, invoice number, due date (YYYY-MM-DD)
and amount.
)HELP";

constexpr std::string_view kAutoInvoiceHelp =
    R"HELP(Usage: kxbatch [--folder DIR] auto-invoice --month YYYY-MM
               [--pdf FILE | --csv FILE | --print [PRINTER]] [--open]

Posts the payees' "Auto Invoice 1" and "Auto Invoice 2" for the month, as
"Auto Invoice" does for the current month: a positive day makes an unpaid
invoice entered today and due on that day of the month, a negative day a
check entry dated on it (the 31st of a shorter month is its last day). A slot
whose entry for the month is in the books already is not posted again, so a
repeated run never bills twice. A slot with an account that is no entry
account is reported and skipped. Prints the counts and totals posted; the
report "Auto Invoices and Checks" goes where the options say, or nowhere.
)HELP";

constexpr std::string_view kPayInvoicesHelp =
    R"HELP(Usage: kxbatch [--folder DIR] pay-invoices (--all | --payee NAME ...)
               (--save-as-paid | --pdf FILE | --print [PRINTER])
               [--first-check N] [--date D]

Pays unpaid invoices as "Pay Invoices" does: one check per payee (in the
order of each payee's first invoice in the file) pays that payee's invoices.
A payee whose invoices would make a check of zero or less cancels the whole
payment, nothing paid. Once the checks printed (and, printing, the question
"Did every check print correctly?" was answered Yes), the paid invoices
become check entries at the end of the file, posted, and the file is sorted
as the setup chooses, in one change. Prints each check's number.

  --all             every unpaid invoice
  --payee NAME      the unpaid invoices of this payee (repeatable)
  --save-as-paid    no check printed ("Save as Paid - Without Printing")
  --pdf FILE        write the checks as PDF
  --print [PRINTER] print them through CUPS (lp); without a name the check
                    printer of the setup, else CUPS's default
  --first-check N   the first check number (default: Next Check)
  --date D          the checks' date (default: today)
)HELP";

constexpr std::string_view kRemoveOldestYearHelp =
    R"HELP(Usage: kxbatch [--folder DIR] --yes remove-oldest-year
               (--pdf FILE | --csv FILE | --print [PRINTER]) [--open]

Removes the oldest year's entries as Ctrl+Z on the "Transactions" tab does,
while every account, the bank included, keeps its balance: each account's
balance forward takes what its removed entries posted. The oldest year is the
year of the earliest entry that is not an unpaid invoice; unpaid invoices are
open items and always stay. Refused when only unpaid invoices or only one
year are found, and when the year's journal entries do not balance. The
report "Transaction Report - Old Entries" of the removed entries goes where
the options say before anything is changed. Both questions ("REMOVE the
oldest year's entries ...?", "Are you CERTAIN ...?") have No preselected, so
the command needs --yes. Prints the "Where Am I?" summary afterwards.
)HELP";

constexpr std::string_view kDeleteInactivePayeesHelp =
    R"HELP(Usage: kxbatch [--folder DIR] --yes delete-inactive-payees

Deletes the payees with no activity within the last 24 months, as Ctrl+Alt+V
on the "Payees" tab does: a payee stays while a line naming it is dated after
today less 732 days, has no date, is an unpaid invoice or is still to be
printed, or while a recurring entry names it. The lines of a deleted payee
keep its name; the others keep pointing at their payees. Needs 25 payees or
more ("When there are less than 25 payees, you must manually delete
payees."); both questions have No preselected, so the command needs --yes.
Prints how many were deleted.
)HELP";

}  // namespace

std::string HelpText(std::string_view topic, const std::vector<std::string_view>& report_labels) {
  if (topic == "new") return std::string(kNewHelp);
  if (topic == "where") return std::string(kWhereHelp);
  if (topic == "test") return std::string(kTestHelp);
  if (topic == "export-journal") return std::string(kExportHelp);
  if (topic == "backup") return std::string(kBackupHelp);
  if (topic == "restore") return std::string(kRestoreHelp);
  if (topic == "auto-backup") return std::string(kAutoBackupHelp);
  if (topic == "post-recurring") return std::string(kPostRecurringHelp);
  if (topic == "import-payroll") return std::string(kImportPayrollHelp);
  if (topic == "import-receivables") return std::string(kImportReceivablesHelp);
  if (topic == "exchange") return std::string(kExchangeHelp);
  if (topic == "mail-data") return std::string(kMailDataHelp);
  if (topic == "find") return std::string(kFindHelp);
  if (topic == "test-check") {
    return std::string(kTestCheckHelp) + std::string(kCheckDestinationHelp);
  }
  if (topic == "blank-check") {
    return std::string(kBlankCheckHelp) + std::string(kCheckDestinationHelp);
  }
  if (topic == "quick-check") {
    return std::string(kQuickCheckHelp) + std::string(kCheckDestinationHelp);
  }
  if (topic == "invoices") return std::string(kInvoicesHelp);
  if (topic == "auto-invoice") return std::string(kAutoInvoiceHelp);
  if (topic == "pay-invoices") return std::string(kPayInvoicesHelp);
  if (topic == "remove-oldest-year") return std::string(kRemoveOldestYearHelp);
  if (topic == "delete-inactive-payees") return std::string(kDeleteInactivePayeesHelp);
  if (topic == "report" || topic == "mail-report") {
    std::string text(topic == "report" ? kReportHelp : kMailReportHelp);
    for (std::string_view label : report_labels) text += "  " + std::string(label) + "\n";
    return text;
  }
  return std::string(kProgramHelp);
}

}  // namespace zenkar
