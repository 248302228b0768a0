// Ledger: the one entry point to a company's books.
//
// A Ledger owns what is loaded from one data folder: the company settings,
// the chart of accounts, the payees, and the transaction file held open with
// its cached line count. Screens, reports and the command-line program read
// through it and change the books only through its operations, which keep the
// files, the tables in memory and the posted totals in step: after any
// operation every account's posted total equals the sum of the journal and
// check/deposit lines that name it (bookkeeping.h says how lines move
// balances). A failed operation leaves files and tables as they were and says
// so through the Ui port, so each workflow runs and is tested without a
// display.
#ifndef ZENKAR_LEDGER_LEDGER_H_
#define ZENKAR_LEDGER_LEDGER_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/file_set_rewrite.h"
#include "common/file_system.h"
#include "common/folder_lock.h"
#include "common/ui.h"
#include "ledger/account_record.h"
#include "ledger/bookkeeping.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/payee_record.h"
#include "ledger/period_figures.h"
#include "ledger/reconciliation_item.h"
#include "ledger/recurring_entry_record.h"
#include "ledger/transaction_file.h"
#include "ledger/transaction_order.h"
#include "ledger/transaction_record.h"
#include "ledger/year_cleanup.h"

namespace zenkar {

// Above this count every settings load warns that the file is nearly full.
inline constexpr int kCapacityWarningCount = 99000;
// Above this count reports and the year clean-up apply their own handling.
inline constexpr int kTransactionCapacity = 100000;
inline constexpr std::string_view kCapacityWarning =
    "WARNING: Nearing the transaction capacity of this program";

// Messages of the operations that screens may want to compare against.
inline constexpr std::string_view kCannotInsertInDateOrder =
    "Cannot insert transactions when viewing in date order.";
inline constexpr std::string_view kEnterPayeeName = "Enter a Payee name";
inline constexpr std::string_view kPayeeNameInUse = "Payee name already in use:";
inline constexpr std::string_view kCannotDeletePayee =
    "Cannot delete this Payee.\n\nThere is at least one entry to this payee which is unpaid, or "
    "has not been printed on a General Ledger Report.";
inline constexpr std::string_view kBooksReread =
    "Another program changed the books in this data folder since they were read here. They "
    "have been read again before this change is saved.";
inline constexpr std::string_view kEntryGone =
    "The entry was not changed: another program removed it from the books in the meantime.";
inline constexpr std::string_view kAccountGone =
    "The account was not changed: another program renumbered or deleted it in the meantime.";
inline constexpr std::string_view kPayeeGone =
    "The payee was not changed: another program renamed or deleted it in the meantime.";
inline constexpr std::string_view kInvoiceGone =
    "The invoices were not recorded as paid: another program paid or removed one of them in the "
    "meantime.";
inline constexpr std::string_view kOpenedForReading =
    "The books were opened for reading only. Nothing was changed.";
inline constexpr std::string_view kRecurringEntryGone =
    "The recurring entry was not changed: another program changed or removed it in the "
    "meantime.";
inline constexpr std::string_view kInvalidBankAccount =
    "The bank account selected on the Setup screen is invalid. Enter a valid account as your "
    "bank account on the Setup screen.";

// How a damaged file is named when a restore is offered for it.
inline constexpr std::string_view kDamagedTransactions = "transaction file";
inline constexpr std::string_view kDamagedPayees = "payee data file";
inline constexpr std::string_view kDamagedChart = "chart of accounts file";

// The files of a data folder's set, and the files its changes leave
// beside them.
inline const std::vector<std::string_view> kBooksFileNames = {
    "KXACCT.CFG", "KXACCT.COA", "KXACCT.TRN", "KXACCT.VND",   "KXACCT.REC",
    "KXACCT.RJE", "KXACCT.JNL", "KXMICR.DAT", "KXACCTCOA.DAT"};

// What changed in the books, for screens that keep lists or figures on show.
enum class LedgerChange {
  kFolderLoaded,           // everything is new
  kSettingsChanged,        // a settings field the ledger changed (a setup account)
  kChartChanged,           // accounts added, edited, deleted or re-sorted
  kPayeesChanged,          // payees added, edited or deleted (numbers may shift)
  kTransactionAppended,    // record_number is the new last line
  kTransactionChanged,     // record_number was rewritten in place
  kTransactionInserted,    // record_number is new; the lines from it on moved down one
  kTransactionDeleted,     // record_number is gone; the lines after it moved up one
  kTransactionMoved,       // record_number moved to the end; the lines after it moved up one
  kTransactionsReordered,  // the file was sorted or rewritten as a whole
  kBooksReread,            // another program changed the books; everything was read again
};

// A file of the data folder beside the books (a companion program's
// records, the accountant exchange's state) that changes together with the
// lines.
struct FileAlongside {
  std::string file_name;                // found in the data folder as DataFilePath does
  std::optional<std::string> contents;  // nothing: the file is removed
};

// A change of the lines that goes into the books as one: marks on every line
// already there, lines appended, files beside the books.
struct LinesChange {
  // The exchange mark (PutExchangeMark) every line already in the books is
  // given; nothing leaves the marks as they are.
  std::optional<int32_t> exchange_mark;
  std::vector<TransactionRecord> appended;  // at the end, in this order
  std::vector<FileAlongside> alongside;
};

class LedgerObserver {
 public:
  virtual ~LedgerObserver() = default;
  // `record_number` is the line concerned, or 0.
  virtual void OnLedgerChanged(LedgerChange change, int record_number) = 0;
};

// A remembered line number after line `deleted` was removed (by a delete, or
// by moving it to the end): numbers above it move down by one.
inline int RecordNumberAfterRemoval(int remembered, int deleted) {
  return remembered > deleted ? remembered - 1 : remembered;
}

// An unpaid invoice paid by a check: line `record_number` and the check line
// it becomes (kind 2, with the check's number and date).
struct PaidInvoice {
  int record_number = 0;
  TransactionRecord paid;
};

// Prints the lines the oldest year's removal takes out, in date order, before
// anything is changed; false when the report could not be made (the removal
// then changes nothing).
using OldEntriesReport = std::function<bool(const std::vector<TransactionRecord>& removed)>;

// What removing the oldest year came to.
enum class YearRemoval {
  kRemoved,
  kRefused,  // only unpaid invoices, one year, unbalanced, or the report not made (shown)
  kFailed,   // the books could not be read or written (shown)
};

// What posting the recurring entries of a month came to.
enum class RecurringPosting {
  kPosted,         // "Recurring entries have been posted."
  kNothingToPost,  // no templates
  kRefused,        // faulty templates, or the month not posted again (shown)
  kFailed,         // the templates or the books could not be read or written (shown)
};

class Ledger {
 public:
  Ledger(FileSystem& fs, Ui& ui, Clock& clock);
  ~Ledger();
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;

  FileSystem& fs() { return fs_; }
  Ui& ui() const { return ui_; }  // the port, not the books: a reader may report
  Clock& clock() { return clock_; }

  void AddObserver(LedgerObserver* observer);
  void RemoveObserver(LedgerObserver* observer);

  // --- Data folder -------------------------------------------------------

  // The normalised data folder, ending in "/" (empty: the current directory).
  const std::string& data_folder() const { return data_folder_; }
  // The path of one file of the set in the data folder, found case-insensitively.
  std::string FilePath(std::string_view file_name) const;
  // Makes `folder` (normalised) the data folder without loading anything.
  void SetDataFolder(std::string_view folder);
  bool is_loaded() const { return transactions_ != nullptr; }

  // The program folder: the folder of the executables, which holds the
  // default chart KXACCTCOA.DAT. Empty until set (then there is no default
  // chart to install).
  const std::string& program_folder() const { return program_folder_; }
  void set_program_folder(std::string_view folder);

  // How this program holds the data folder while its books are loaded.
  enum class Access {
    kShared,    // changes the books; another program may have the folder open
                // too, which is said at load (the desktop program)
    kAlone,     // changes the books; refused while another program has the
                // folder open (kxbatch's writing commands)
    kReadOnly,  // changes no file at all: what the load would repair or sort
                // is done in memory only (kxbatch's reading commands)
  };
  Access access() const { return access_; }
  // Takes effect at the next load.
  void set_access(Access access) { access_ = access; }

  enum class FolderChange { kChanged, kSameFolder, kMissing, kLoadFailed };
  // Normalises `path`; when it is the current folder or does not exist, says
  // so and changes nothing. Otherwise saves the settings, closes the files of
  // the old folder and opens the new one.
  FolderChange ChangeDataFolder(std::string_view path);

  // Loads the data folder. First the folder lock is taken as `access` says.
  // Then every file is read and checked before any is written: the settings
  // with their version rules (asking before using data of a later program),
  // the transaction file (whole records, amounts within bounds, order and
  // posted totals gathered in one pass), the chart of accounts and the
  // payees. Only when all of them are sound is anything written: missing
  // files created (a new company gets the default chart), the settings
  // upgraded, the transaction file sorted into the order the settings choose
  // ("Sorting " + count + " Entries ") and posted totals that drifted from
  // their entries repaired ("Testing: "). Read-only access does all of that
  // in memory. Warns once when the file is nearly full. False when the folder
  // cannot be used; the failure has been reported, no file was changed and
  // nothing stays loaded.
  bool OpenDataFolder();
  // After a load that failed because the transaction, payee or chart file is
  // damaged (not a whole number of records, or an impossible amount): the
  // file, as kDamagedTransactions, kDamagedPayees or kDamagedChart name it;
  // otherwise empty.
  std::string_view damaged_file() const { return damaged_file_; }

  // Saves the settings (unless opened read-only), closes the transaction file
  // and lets go of the folder.
  void Close();

  // --- Company settings --------------------------------------------------

  CompanySettings& settings() { return settings_; }
  const CompanySettings& settings() const { return settings_; }

  // Writes the settings back whole. When another program saved the settings
  // since they were read here, the fields changed here are written over its
  // record and the others keep its values. Reports a failure and returns
  // false; the settings in memory stay as they are, so the next save writes
  // everything.
  bool SaveCompanySettings();

  // --- Other files of the folder ------------------------------------------

  enum class FolderFileSave { kSaved, kChangedElsewhere, kFailed };
  // Replaces the data folder's file `file_name` (one that the books do not
  // read, such as KXMICR.DAT) whole with `contents`, atomically, as one
  // change of the folder under its "writing" lock. `as_read` is the file's
  // stamp when its contents were read for the change (an absent stamp for a
  // file that was not there): when the file is another one now, nothing is
  // written and kChangedElsewhere is returned for the caller to say so. A
  // failure to write is reported (kFailed); the old file stays.
  FolderFileSave ReplaceFolderFile(std::string_view file_name, std::string_view contents,
                                   const FileStamp& as_read);

  // --- Chart of accounts -------------------------------------------------

  const ChartOfAccounts& chart() const { return chart_; }
  // The record number of the account (compared as 4-character texts), or 0.
  int FindAccount(std::string_view number) const { return chart_.FindAccount(number); }
  // True for a known account of title type 0.
  bool IsEntryAccount(std::string_view number) const { return chart_.IsEntryAccount(number); }
  // Adds an account ("Add New") under the chart rules: a number is required
  // and must be free, a title account carries no balance forward. The chart
  // is sorted and saved. False (reported) when refused or not saved.
  bool AddAccount(const AccountRecord& account);
  // Changes account `record_number` ("Edit Existing") under the chart rules:
  // as for adding, and a setup account may not become a title account. A new
  // number is written into every transaction line that named the old one, and
  // the setup fields that named the old number follow it ("Updating ...
  // account to " + number for the first role in the order Bank, Accounts
  // Payable, Accounts Receivable, Capital, Salaries and Wages). The posted
  // total is the ledger's and is kept whatever `edited` holds.
  bool EditAccount(int record_number, const AccountRecord& edited);
  // Deletes an account unless it is a setup account here or in a companion
  // program, the last one, has a balance forward or has lines posted to it
  // ("Cannot delete " + reason); asks "Delete this Account?" first.
  bool DeleteAccount(int record_number);

  // The chart consistency test: the problem messages, in order (none when
  // the chart and the entries are consistent). Reads the transaction file.
  std::vector<std::string> ChartConsistencyProblems();
  // Runs the test as the user's data test ("Testing: "), showing each
  // problem; true when there was none.
  bool RunChartConsistencyTest();

  // The capital-account candidates (entry accounts of type 2); says when the
  // chart has none.
  std::vector<int> CapitalAccountCandidates();
  // Makes `number` the capital account and saves the settings; refuses a
  // number that is not a candidate.
  bool SetCapitalAccount(std::string_view number);

  // --- Balances (see bookkeeping.h) ---------------------------------------

  // Running figures over all lines: check/deposit total, journal total,
  // unpaid invoice count and total.
  const TransactionSummary& summary() const { return summary_; }
  // Balance forward plus posted total; the bank account less all checks and
  // deposits.
  Money AccountBalance(int record_number) const;
  // The bank account's derived balance (its stored part 0 when the bank
  // account is not in the chart: see BankAccountValid).
  Money BankBalance() const { return zenkar::BankBalance(chart_, settings_, summary_); }
  bool BankAccountValid() const { return chart_.FindAccount(settings_.bank_account) != 0; }
  // The sum of all balances: "Where Am I?" and "Posting Total:".
  Money OutOfBalance() const { return zenkar::OutOfBalance(chart_, summary_); }
  Money BalanceForwardTotal() const;  // "COA BalFwd:"
  Money PostedTotalSum() const;       // "COA CurBal:"
  // The balance moves of one line under the settings of this company.
  LineMoves MovesOf(const TransactionRecord& line, Basis basis) const {
    return BalanceMoves(line, settings_, basis);
  }

  // --- Figures by period (period_figures.h) -------------------------------

  // The sums of the transaction file by account, day and kind of line, as
  // the file holds them now; what the statements, the trial balance, the
  // activity comparison and the charts read. Made in the load's one pass over
  // the file and followed by an append or a line rewritten in place. Every
  // other change of the file (each moves its revision), and any change by
  // another program (the open file's identity, length or time stamp differ),
  // leaves them behind, and they are made afresh from the file here. Nothing
  // when the file could not be read (reported).
  const PeriodFigures* Figures() const;

  // --- Transactions -------------------------------------------------------

  int transaction_count() const { return transactions_ ? transactions_->count() : 0; }
  // The order the file is kept in (the settings flag).
  TransactionOrder transaction_order() const { return OrderOf(settings_); }
  // Line `number` (1 to the count), with its record_number filled in.
  bool ReadTransaction(int number, TransactionRecord* line);
  // Calls `visit` with each line in file order without holding them all.
  bool ForEachTransaction(const std::function<void(const TransactionRecord&)>& visit) const;
  // The same with each line's record bytes, for passes that read a few
  // fields of every line and would spend most of their time decoding.
  bool ScanTransactionRecords(
      const std::function<void(int number, std::string_view record)>& visit) const;

  // Rewrites line `number` in place and moves the posted totals from the old
  // line to the new (edits, payments, renumbering). The line keeps its entry
  // sequence.
  bool WriteTransaction(int number, const TransactionRecord& line);
  // Appends a line as the new last record and returns its number (none when
  // it failed and nothing changed). A journal line or check/deposit adds its
  // amount, rounded to cents, to its account's posted total. A line that is
  // not an invoice and whose reference is a number advances the suggested
  // next reference (settings next_check, see SuggestedNextReference). A line
  // with a payee becomes the last payee used.
  std::optional<int> AppendTransaction(const TransactionRecord& line);
  // Removes line `number`; the lines after it move up one place and are
  // marked unprinted. Its amount leaves the posted totals (callers do not
  // reverse it themselves). Remembered numbers above it move down one
  // (RecordNumberAfterRemoval).
  bool DeleteTransaction(int number);
  // Voids check/deposit `number`: it becomes an unpaid invoice (kind 3) with
  // no reference, its date as due date when it had none, and its amount out
  // of the posted totals. False for any other kind.
  bool VoidTransaction(int number);
  // Inserts `line` after line `after` (0: first), only while the file is kept
  // in the order entered; returns the new line's number (after + 1), or
  // nothing when refused or not written (shown).
  std::optional<int> InsertTransactionAfter(int after, const TransactionRecord& line);
  // Replaces line `number` by `updated` written as the new last line (a paid
  // invoice); the lines after it move up one. Returns the new number, or
  // nothing when refused or not written (shown).
  std::optional<int> MoveTransactionToEnd(int number, const TransactionRecord& updated);
  // Records invoices paid by checks as one change: each line, in the order
  // given, leaves its place (the lines after it move up) and is written at
  // the end of the file as its check line, unprinted, with the next entry
  // sequence; its amount is posted; then the file is sorted into the order
  // the settings choose. The transaction file and the chart are replaced in
  // one rewrite, so a failure or a crash leaves every invoice unpaid or
  // every one paid. Each line must still be an unpaid invoice: when another
  // program paid or removed one meanwhile, nothing is written
  // (kInvoiceGone). False when refused or not written (shown).
  bool PayInvoices(const std::vector<PaidInvoice>& paid);
  // Makes `change` as one change of the books: the marks set, the lines
  // appended (each posted to its account with the append rules of
  // AppendTransaction) and the files alongside replaced or removed. The
  // transaction file, the chart and those files are replaced together
  // through the journal of several-file changes, so a failure or a crash
  // leaves all of them as they were or all of them changed; an import can
  // never have its lines in the books without its companion file saying it
  // was imported, nor the reverse. A change of files alongside only writes
  // just those, under the folder's writing lock. False (reported) when
  // refused or not written.
  bool ChangeLinesWithFiles(const LinesChange& change);
  // Sorts the file physically into `order` and records the order in the
  // settings (saved). Progress "Sorting " + count + " Entries " with "(Date
  // Order)" or "(Order Entered)".
  bool SortTransactions(TransactionOrder order);
  // Takes the unprinted mark off the lines a General Ledger or Transaction
  // Listing printed, each only while it is still the line that was printed:
  // at the same record number with the same fingerprint (a line edited,
  // moved or renumbered since keeps its mark and is printed again). The
  // transaction file is rewritten as one change; nothing is written when no
  // mark changes. False (reported) when it could not be written.
  bool MarkTransactionsPrinted(const std::vector<PrintedLine>& lines);
  // --- Year clean-up (ledger_year_cleanup.cc, rules in year_cleanup.h) ---

  // Removes the oldest year's lines while every account keeps its balance,
  // as one change. Refuses, saying why, when only unpaid invoices or only one
  // year are found, or when the year's journal entries do not balance. The
  // lines go to `report` first; then the transaction file loses them and, in
  // the same rewrite, every account's balance forward takes what its removed
  // lines had posted (the bank's is lowered by their check/deposit total)
  // while its posted total drops by the same sum. The remaining lines keep
  // their order.
  YearRemoval RemoveOldestYear(const OldEntriesReport& report);
  // The years of the first and last lines (FindYearSpan); nothing when there
  // are none but unpaid invoices or the file could not be read.
  std::optional<YearSpan> TransactionYearSpan();
  // Empties the transaction file, zeroes both balance amounts of every
  // account and removes KXACCT.REC, as one change.
  bool DeleteAllTransactions();
  // Deletes every payee that InactivePayees finds (cut-off: today less
  // kInactivePayeeDays) as one change, the lines and recurring entries of the
  // others renumbered as DeletePayee does. Returns how many were deleted, or
  // nothing when the books could not be read or written (shown).
  std::optional<int> DeleteInactivePayees();

  // The payee number of the last line appended or inserted with a payee.
  int last_payee() const { return last_payee_; }

  // --- Payees ------------------------------------------------------------

  const PayeeList& payees() const { return payees_; }
  int FindPayeeByName(std::string_view name) const { return payees_.FindPayeeByName(name); }
  bool IsValidPayee(int number) const { return payees_.IsValidPayee(number); }
  std::string PayeeName(int number) const { return payees_.PayeeName(number); }
  // Name, address, phone and memo searched, ignoring case.
  std::vector<int> SearchPayees(std::string_view text) const { return payees_.Search(text); }
  // Adds a payee as the next number and saves the list; returns its number,
  // or nothing when the name is blank ("Enter a Payee name"), in use ("Payee
  // name already in use:") or the list could not be saved.
  std::optional<int> AddPayee(const PayeeRecord& payee);
  // Replaces payee `number`. A new name is checked as for adding and is
  // written into the payee text of every line with this payee number.
  bool UpdatePayee(int number, const PayeeRecord& payee);
  // True when payee `number` may be deleted: no line with its number is an
  // unpaid invoice or still unprinted. Otherwise shows why ("Cannot delete
  // this Payee.", or that the transaction file could not be read) and answers
  // false. Screens ask it before asking the user to confirm a deletion.
  bool PayeeMayBeDeleted(int number);
  // Deletes payee `number` unless a line with its number is an unpaid
  // invoice or unprinted (checked again as PayeeMayBeDeleted does, on the
  // books as they are when the deletion is written). Its lines and
  // recurring entries keep their name text and get payee number 0; every
  // higher payee number stored in KXACCT.TRN and KXACCT.RJE is lowered by one
  // so it still names the same payee.
  bool DeletePayee(int number);

  // --- Recurring entries (KXACCT.RJE) -------------------------------------

  // The templates in record order; none when the file is missing. False
  // (reported) when it cannot be read or is not a whole number of records.
  bool ReadRecurringEntries(std::vector<RecurringEntryRecord>* entries);
  // Adds a template as the last record. A template naming a payee is made
  // to name it by the number it has in the books as they are when it is
  // written (another program may have deleted a payee since the caller
  // chose it); a payee that is gone refuses it.
  bool AddRecurringEntry(const RecurringEntryRecord& entry);
  // Replaces template `number` with `edited`. `as_read` is the template as
  // the caller read it: when another program changed or removed it since,
  // nothing is written (kRecurringEntryGone). The payee is found as for
  // adding.
  bool ReplaceRecurringEntry(int number, const RecurringEntryRecord& as_read,
                             const RecurringEntryRecord& edited);
  // Removes template `number` (`as_read` as above); those after it move up.
  bool DeleteRecurringEntry(int number, const RecurringEntryRecord& as_read);
  // Posts every template for `month` (1 to 12) of `year` as one change: the
  // templates are validated (each fault shown), and when the books already
  // hold lines the posting would make in that month the user is asked
  // whether to post again (No preselected). Then all lines are appended as
  // one atomic change -- a journal entry never lands without its reversing
  // line -- and "Recurring entries have been posted." is shown. Unlike
  // AppendTransaction it leaves the suggested next reference and the last
  // payee used alone.
  RecurringPosting PostRecurringEntries(int year, int month);

  // --- Bank reconciliation (KXACCT.REC) ------------------------------------

  // The items KXACCT.REC holds: those outstanding at the last save. None when
  // the file is missing, cannot be read or is not a whole number of records
  // (such a file is ignored; the next save rewrites it).
  std::vector<ReconciliationItem> SavedReconciliation() const;
  // Saves the reconciliation as one change: `outstanding` into KXACCT.REC
  // and the statement's values of the settings in memory (its ending balance
  // and adjustments) into KXACCT.CFG; a file that would not change is not
  // written. `base` is what this program last read or saved: when another
  // program saved other marks since, both programs' changes are kept
  // (MergeOutstandingMarks). Returns the marks as saved, or nothing when they
  // could not be (reported; the settings in memory keep the values, so the
  // next save writes them).
  std::optional<std::vector<ReconciliationItem>> SaveReconciliation(
      const std::vector<ReconciliationItem>& base,
      const std::vector<ReconciliationItem>& outstanding);

  // --- Sharing the folder --------------------------------------------------

  // True when another program had the data folder open at load.
  bool folder_shared() const { return folder_shared_; }

 private:
  struct Books;
  struct FileStamps {
    FileStamp settings, chart, payees, transactions;
  };
  // One change of the books (ledger_change.cc): holds the folder's "writing"
  // lock for as long as it lives. Before the first write it makes sure the
  // books in memory are the books on disk: settings saved by another program
  // are merged in quietly; when the chart, payees or transactions changed,
  // everything is read again and the user is told. Operations within an
  // operation (an append saving an account) are part of the outer change.
  class Change {
   public:
    explicit Change(Ledger& ledger, bool reread_books = true)
        : ledger_(ledger), ok_(ledger.BeginChange(reread_books, &reread_)) {}
    ~Change() {
      if (ok_) ledger_.EndChange();
    }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;
    bool ok() const { return ok_; }
    // True when the books were read again: record numbers the caller held
    // may name other lines, accounts or payees now.
    bool reread() const { return reread_; }

   private:
    Ledger& ledger_;
    bool reread_ = false;
    bool ok_;
  };

  // Loading (ledger_load.cc): every file read and checked first, then what
  // the load decided written, then adopted.
  enum class Reading { kLoad, kReread };
  bool ReadBooks(Reading reading, Books* books);
  bool ReadSettings(Reading reading, Books* books);
  bool ReadTransactions(Reading reading, Books* books);
  bool ReadChart(Books* books);
  bool ReadPayees(Books* books);
  void FindDriftedTotals(Books* books);
  bool SettleBooks(Books* books);
  bool CreateMissingFiles(const Books& books);
  bool SettleChart(Books* books);
  void SettleOrder(Books* books);
  void ReportDriftedTotals(const Books& books);
  void Adopt(Books&& books);
  void Unload();

  // Settings and folder (ledger.cc).
  bool TakeFolder();
  bool FinishInterruptedChange();
  bool TestOpen(std::string_view file_name);
  bool ApplyVersionRules(CompanySettings& settings, bool* changed);
  void RunFirstTimeSetup();
  bool WriteSettings(const CompanySettings& settings);
  void WarnIfNearCapacity();

  // Changes shared with other programs (ledger_change.cc).
  bool BeginChange(bool reread_books, bool* reread);
  void EndChange();
  void NoteOwnWrites(const FileStamps& before, bool books_in_step);
  bool FilesChangedElsewhere();
  bool Reread();
  void MergeSettingsFromDisk();
  FileStamps CurrentStamps();
  int32_t SequenceOfLine(int number);
  bool FollowLine(const Change& change, int32_t sequence, int* number);
  bool FollowAccount(const Change& change, const std::string& account_number, int* record_number);
  bool FollowPayee(const Change& change, const std::string& name, int* number);

  // Posting (ledger_transactions.cc).
  // Refuses (and says why) an amount beyond kLargestAmount, and `added` more
  // lines or accounts than the books may hold.
  bool CheckRoomFor(int added, Money amount);
  bool MakeRoomForEntrySequence();
  ChartOfAccounts ChartAfter(const std::vector<const TransactionRecord*>& removed,
                             const std::vector<const TransactionRecord*>& added,
                             std::vector<int>* touched) const;
  bool RewriteLines(const std::vector<const TransactionRecord*>& removed,
                    const std::vector<const TransactionRecord*>& added,
                    const std::vector<FileAlongside>& alongside = {},
                    const std::function<void(ChartOfAccounts&)>& adjust_chart = {});
  bool AddFilesAlongside(const std::vector<FileAlongside>& alongside, FileSetRewrite* files);
  bool CommitFiles(FileSetRewrite& files);
  bool PostChange(const std::vector<const TransactionRecord*>& removed,
                  const std::vector<const TransactionRecord*>& added);
  void CountLines(const std::vector<const TransactionRecord*>& lines, int sign);
  bool ReadWholeTransactionFile();
  bool FiguresInStep() const;
  void FollowLineWrite(bool in_step, int number, const std::string* old_record,
                       std::string_view new_record);
  void NoteAppendedLine(const TransactionRecord& line);

  // Chart edits (ledger_chart.cc).
  bool CheckAccountEdit(const AccountRecord& edited, int record_number);
  static bool RenumberLines(std::string& lines, std::string_view from, std::string_view to);
  bool DeleteRefusal(const AccountRecord& account, std::string* reason);
  bool AccountHasLines(std::string_view number, bool* has_lines);
  bool SaveAccount(int record_number);
  bool WriteChartFile(const ChartOfAccounts& chart);

  // Payee edits (ledger_payees.cc).
  bool CheckPayeeName(std::string_view name, int own_number);
  static bool RenameLines(std::string& lines, int number, std::string_view name);
  bool PayeeBlocksDeletion(int number, bool* blocked);
  bool RemovePayees(const std::vector<int>& ascending, std::string recurring);
  bool WritePayeeList(const PayeeList& list);
  bool ReadRecurringFile(std::string* recurring);

  // Recurring entries (ledger_recurring.cc).
  bool WriteRecurringEntries(const std::vector<RecurringEntryRecord>& entries);
  bool FollowRecurringEntry(const std::vector<RecurringEntryRecord>& entries, int* number,
                            const RecurringEntryRecord& as_read);
  bool FollowRecurringPayee(const Change& change, RecurringEntryRecord* entry);
  int CountPostedAlready(const std::vector<TransactionRecord>& lines, bool* read);
  bool AppendLines(std::vector<TransactionRecord> lines);

  void ReportWriteFailure(const std::string& path, const Status& status);
  void ReportReadFailure(const std::string& path, const Status& status);
  void Notify(LedgerChange change, int record_number = 0);

  FileSystem& fs_;
  Ui& ui_;
  Clock& clock_;
  std::string data_folder_;
  std::string program_folder_;
  CompanySettings settings_;
  ChartOfAccounts chart_;
  PayeeList payees_;
  TransactionSummary summary_;
  std::unique_ptr<TransactionFile> transactions_;
  // The figures by period, and the revision and stamp of the open file they
  // were taken at (revision 0: none yet).
  mutable PeriodFigures figures_;
  mutable uint64_t figures_revision_ = 0;
  mutable FileStamp figures_stamp_;
  int32_t last_entry_sequence_ = 0;
  // The whole transaction file for operations that rewrite it, changed in
  // place. Kept between operations: a full file is 33 MB, and touching that
  // much fresh memory each time costs more than reading and writing it.
  std::string whole_file_;
  int last_payee_ = 0;
  Access access_ = Access::kShared;
  FolderLock folder_lock_{fs_};
  // Opened read-only after a crash cut a change short: the temporary files
  // that hold the files' new contents, read in their place (by file name).
  std::vector<std::pair<std::string, std::string>> pending_;
  bool folder_shared_ = false;
  std::string_view damaged_file_;
  // Nested operations (an append saving an account) are one change.
  int change_depth_ = 0;
  // The files as this program last read or wrote them, and the folder's
  // change counters then.
  FileStamps stamps_;
  FolderLock::Generations generations_;
  // A line or record rewritten in place within the current change: its file
  // keeps its length and may keep its time stamp, so it is counted by hand.
  bool wrote_in_place_ = false;
  // The current change checked the books against the disk (not only the
  // settings), so the files' new stamps may be taken as seen.
  bool books_in_step_ = false;
  std::vector<LedgerObserver*> observers_;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_LEDGER_H_
