// Fuzz target: the lines of a transaction file (KXACCT.TRN), TransactionRecord
// and the arranging of the file into date order or the order entered.
//
// A line keeps its reserved bytes, so Encode after Decode gives the record
// back byte for byte, and the few fields the whole-file passes read straight
// from the bytes (ReadTransactionFacts, and the reports' ReadListedLine) agree
// with the decoded line; the printed fingerprint ignores the unprinted flag
// and nothing else. Arranging
// a file must give it back in the chosen order with a valid, distinct entry
// sequence on every line, holding the same lines: only the sequence area of a
// line may change.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text_field.h"
#include "fuzz/fuzz_support.h"
#include "ledger/transaction_order.h"
#include "ledger/transaction_record.h"

namespace {

using zenkar::TransactionOrder;
using zenkar::TransactionRecord;
using zenkar::fuzzing::Require;

constexpr size_t kSize = TransactionRecord::kSize;
// The entry sequence and its check word (offsets 124 to 131).
constexpr size_t kSequenceAt = 124, kSequenceWidth = 8;

void CheckLine(std::string_view record) {
  const TransactionRecord line = TransactionRecord::Decode(record);
  Require(line.Encode() == record, "Decode then Encode is the record");
  const zenkar::TransactionFacts facts = zenkar::ReadTransactionFacts(record);
  Require(facts.kind == line.kind && facts.unprinted == line.unprinted && facts.date == line.date &&
              facts.amount == line.amount && facts.payee_number == line.payee_number &&
              facts.entry_sequence == line.entry_sequence && facts.account == line.account,
          "the facts read from the bytes are the decoded line's");
  const zenkar::ListedLine listed = zenkar::ReadListedLine(7, record);
  Require(listed.record_number == 7 && listed.kind == line.kind && listed.date == line.date &&
              listed.invoice_date == line.invoice_date_2 && listed.due_date == line.due_date &&
              listed.amount == line.amount && listed.account == line.account &&
              listed.description == zenkar::TrimRight(line.description) &&
              listed.memo == zenkar::TrimRight(line.memo) &&
              listed.reference == zenkar::TrimRight(line.reference) &&
              listed.invoice_number == zenkar::TrimRight(line.invoice_number),
          "the listed line is the decoded line without its padding");
  std::string flagged(record);
  zenkar::PutUnprintedFlag(flagged, line.unprinted == 0 ? 1 : 0);
  Require(zenkar::PrintedFingerprint(flagged) == listed.fingerprint,
          "the unprinted flag leaves the fingerprint alone");
  flagged[kSize - 1] = static_cast<char>(flagged[kSize - 1] ^ 1);
  Require(zenkar::PrintedFingerprint(flagged) != listed.fingerprint,
          "a changed byte changes the fingerprint");
}

// The lines with their sequence area blanked, sorted: what arranging keeps.
std::vector<std::string> LinesWithoutSequence(const std::string& file) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < file.size(); at += kSize) {
    std::string line = file.substr(at, kSize);
    line.replace(kSequenceAt, kSequenceWidth, kSequenceWidth, '\0');
    lines.push_back(std::move(line));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

void CheckArranging(const std::string& file, TransactionOrder order, bool in_entry_order) {
  std::string arranged = file;
  const int32_t last = zenkar::ArrangeTransactions(arranged, order, in_entry_order);
  Require(arranged.size() == file.size(), "arranging keeps the file's length");
  const std::vector<zenkar::LineOrderKey> keys = zenkar::OrderKeysOf(arranged);
  Require(zenkar::IsArranged(keys, order, order == TransactionOrder::kEntry),
          "an arranged file is in the order chosen");
  int32_t highest = 0;
  for (const zenkar::LineOrderKey& key : keys) highest = std::max(highest, key.sequence);
  Require(last == highest, "arranging returns the highest sequence");
  Require(LinesWithoutSequence(arranged) == LinesWithoutSequence(file),
          "arranging only moves lines and renumbers their sequences");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = zenkar::fuzzing::WholeRecords(data, size, kSize);
  for (size_t at = 0; at < file.size(); at += kSize) {
    CheckLine(std::string_view(file).substr(at, kSize));
  }
  // The first byte picks the order the file is said to be kept in now.
  const bool in_entry_order = size > 0 && (data[0] & 1) != 0;
  CheckArranging(file, TransactionOrder::kDate, in_entry_order);
  CheckArranging(file, TransactionOrder::kEntry, in_entry_order);
  return 0;
}
