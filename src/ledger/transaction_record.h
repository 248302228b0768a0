// TransactionRecord: one 328-byte line of the transaction file (KXACCT.TRN).
//
// A line names one account of the chart by number and one amount, signed from
// that account's side (debit positive, credit negative). Its kind says what it
// is: a journal-entry line, a check or deposit set against the bank account, or
// an unpaid payables invoice.
//
// The 80 bytes at offsets 124 to 203 are reserved in the file layout; new lines
// leave them as they were in the line buffer. This program keeps the line's
// entry sequence there (offset 124, with a check word at 128), so that the
// order in which lines were entered can be restored after the file has been
// sorted by date. The other 72 reserved bytes are kept exactly as read.
#ifndef ZENKAR_LEDGER_TRANSACTION_RECORD_H_
#define ZENKAR_LEDGER_TRANSACTION_RECORD_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"

namespace zenkar {

inline constexpr std::string_view kTransactionFileName = "KXACCT.TRN";
inline constexpr size_t kTransactionRecordLength = 328;

// Entry kinds (offset 8).
inline constexpr int32_t kJournalLine = 1;
inline constexpr int32_t kCheckOrDeposit = 2;
inline constexpr int32_t kInvoice = 3;

// Exchange marks of a line (offset 228), set by the accountant exchange.
inline constexpr int32_t kMarkNormal = 0;
inline constexpr int32_t kMarkCheckedOut = 1;  // the client's line while checked out
inline constexpr int32_t kMarkClientLine = 2;  // a client's line in the accountant's copy

struct TransactionRecord {
  static constexpr size_t kSize = kTransactionRecordLength;

  // Offset 0: the line's own record number while it is held in memory; it has
  // no meaning on disk. ReadTransaction fills it in.
  int32_t record_number = 0;
  // 4: 1 until the line is printed on a General Ledger or Transaction Listing.
  int32_t unprinted = 1;
  int32_t kind = 0;          // 8
  std::string description;   // 12, 40: payee name or journal description
  std::string memo;          // 52, 40: second text
  std::string account;       // 92, 4
  std::string account_2;     // 96, 4: second account number
  DayNumber date = kNoDate;  // 100
  Money amount;              // 104
  int32_t ytd = 0;           // 112: YTD mark shown as "*"
  std::string reference;     // 116, 8: check number or reference
  // 124 (with a check word at 128): the position of the line in the order of
  // entry, counted from 1; 0 when the line carries none (a line written by
  // another program). The ledger assigns it.
  int32_t entry_sequence = 0;
  DayNumber invoice_date_2 = kNoDate;  // 204: second invoice date
  DayNumber due_date = kNoDate;        // 208
  std::string invoice_number;          // 212, 16
  int32_t exchange_mark = 0;           // 228: 0 normal, 1 checked out, 2 made in client copy
  std::string invoice_text;            // 232, 12
  int32_t payee_number = 0;            // 244: record number in KXACCT.VND, 0 for none
  std::string payee_name_1;            // 248, 40
  std::string payee_name_2;            // 288, 40

  // The bytes as last read or encoded: the reserved area lives here.
  std::string raw = std::string(kSize, '\0');

  static TransactionRecord Decode(std::string_view record);
  std::string Encode() const;
};

// Sets every field to the value of a blank line (kind 0, unprinted 1, texts
// blank, numbers and dates 0). The reserved area, entry sequence included,
// keeps what the buffer held.
void ClearTransaction(TransactionRecord& line);

inline bool IsJournalLine(const TransactionRecord& line) { return line.kind == kJournalLine; }
inline bool IsCheckOrDeposit(const TransactionRecord& line) { return line.kind == kCheckOrDeposit; }
inline bool IsInvoice(const TransactionRecord& line) { return line.kind == kInvoice; }

// The few fields the whole-file passes (load, sort, totals, searches) need,
// read straight from the record bytes without decoding the texts.
struct TransactionFacts {
  int32_t kind = 0;
  int32_t unprinted = 0;
  DayNumber date = kNoDate;
  Money amount;
  int32_t payee_number = 0;
  int32_t entry_sequence = 0;  // 0 when the record carries no valid sequence
  std::string_view account;    // the 4 bytes as stored
  DayNumber invoice_date = kNoDate;
  DayNumber due_date = kNoDate;
};
TransactionFacts ReadTransactionFacts(std::string_view record);
// The reference (offset 116, 8 bytes) as stored, padding kept.
std::string_view TransactionReference(std::string_view record);

// What the ledger reports show of a line, read straight from its record bytes:
// the facts, and the texts without their padding (the account as its stored
// 4-character key). The payee name copies and the reserved area are left out,
// so a report of a whole file makes a few short strings per line.
struct ListedLine {
  int record_number = 0;
  int32_t kind = 0;
  int32_t unprinted = 0;
  DayNumber date = kNoDate;
  DayNumber invoice_date = kNoDate;  // the invoice's date (offset 204)
  DayNumber due_date = kNoDate;
  Money amount;
  int32_t payee_number = 0;
  int32_t entry_sequence = 0;
  std::string description;
  std::string memo;
  std::string account;  // 4 characters, padding kept
  std::string reference;
  std::string invoice_number;
  // The record as printed (PrintedFingerprint), for marking it printed later.
  uint64_t fingerprint = 0;
};
ListedLine ReadListedLine(int record_number, std::string_view record);

// The texts "Find" looks in, as stored (padding kept), straight from the
// record bytes: a search of a whole file reads them without copying.
struct LineTexts {
  std::string_view description;
  std::string_view reference;
  std::string_view account;
  std::string_view invoice_number;
};
LineTexts ReadLineTexts(std::string_view record);

// A line as a report printed it: its record number then and a fingerprint of
// every byte of the record except the in-memory record number and the
// unprinted flag, so a line changed or moved since is told apart from it.
struct PrintedLine {
  int record_number = 0;
  uint64_t fingerprint = 0;
  friend bool operator==(const PrintedLine&, const PrintedLine&) = default;
};
uint64_t PrintedFingerprint(std::string_view record);

// Byte-level edits used by whole-file rewrites: one field of the record that
// starts at byte `at` of `bytes` (a record, or a whole file).
void PutEntrySequence(std::string& bytes, int32_t sequence, size_t at = 0);
void PutUnprintedFlag(std::string& bytes, int32_t unprinted, size_t at = 0);
int32_t UnprintedFlagAt(std::string_view bytes, size_t at = 0);
void PutTransactionAccount(std::string& bytes, std::string_view account, size_t at = 0);
void PutTransactionPayee(std::string& bytes, int32_t payee_number, size_t at = 0);
void PutTransactionDescription(std::string& bytes, std::string_view description, size_t at = 0);
// The exchange mark (offset 228) and what goes with it: a line marked as the
// client's (2) in the accountant's copy is also marked printed, since the
// client prints its own ledger.
void PutExchangeMark(std::string& bytes, int32_t mark, size_t at = 0);
int32_t ExchangeMarkOf(std::string_view record);
// Removes the lines `ascending` (distinct record numbers, smallest first)
// from a whole file in one pass; the lines between them move up.
void RemoveLines(std::string& file_bytes, const std::vector<int>& ascending);
// Gives `line` the reserved area (entry sequence included) of the stored
// record it replaces, so a rewrite never disturbs those bytes.
void KeepReservedArea(TransactionRecord& line, std::string_view stored);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_TRANSACTION_RECORD_H_
