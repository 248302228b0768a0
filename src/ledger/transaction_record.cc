#include "ledger/transaction_record.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kRecordNumber = 0, kUnprinted = 4, kKind = 8, kDescription = 12, kMemo = 52;
constexpr size_t kAccount = 92, kAccount2 = 96, kDate = 100, kAmount = 104, kYtd = 112;
constexpr size_t kReference = 116, kEntrySequence = 124, kSequenceCheck = 128;
constexpr size_t kReserved = 124, kReservedWidth = 80;
constexpr size_t kInvoiceDate2 = 204, kDueDate = 208, kInvoiceNumber = 212;
constexpr size_t kExchangeMark = 228, kInvoiceText = 232, kPayeeNumber = 244;
constexpr size_t kPayeeName1 = 248, kPayeeName2 = 288;

constexpr size_t kTextWidth = 40, kAccountWidth = 4, kReferenceWidth = 8;
constexpr size_t kInvoiceNumberWidth = 16, kInvoiceTextWidth = 12;

// The check word stored beside the entry sequence. Whatever another program
// leaves in the reserved area is taken as a sequence only when the check word
// matches, so stray bytes are not mistaken for an order of entry.
constexpr uint32_t kSequenceSeal = 0x51534B5A;  // "ZKSQ"

int32_t SealOf(int32_t sequence) {
  return static_cast<int32_t>(static_cast<uint32_t>(sequence) ^ kSequenceSeal);
}

int32_t ReadSequence(std::string_view r) {
  const int32_t sequence = GetInt32(r, kEntrySequence);
  if (sequence <= 0 || GetInt32(r, kSequenceCheck) != SealOf(sequence)) return 0;
  return sequence;
}

}  // namespace

TransactionRecord TransactionRecord::Decode(std::string_view r) {
  TransactionRecord t;
  t.raw = std::string(r.substr(0, kSize));
  t.raw.resize(kSize, '\0');
  t.record_number = GetInt32(r, kRecordNumber);
  t.unprinted = GetInt32(r, kUnprinted);
  t.kind = GetInt32(r, kKind);
  t.description = GetTextField(r, kDescription, kTextWidth);
  t.memo = GetTextField(r, kMemo, kTextWidth);
  t.account = GetTextField(r, kAccount, kAccountWidth);
  t.account_2 = GetTextField(r, kAccount2, kAccountWidth);
  t.date = GetInt32(r, kDate);
  t.amount = GetMoney(r, kAmount);
  t.ytd = GetInt32(r, kYtd);
  t.reference = GetTextField(r, kReference, kReferenceWidth);
  t.entry_sequence = ReadSequence(r);
  t.invoice_date_2 = GetInt32(r, kInvoiceDate2);
  t.due_date = GetInt32(r, kDueDate);
  t.invoice_number = GetTextField(r, kInvoiceNumber, kInvoiceNumberWidth);
  t.exchange_mark = GetInt32(r, kExchangeMark);
  t.invoice_text = GetTextField(r, kInvoiceText, kInvoiceTextWidth);
  t.payee_number = GetInt32(r, kPayeeNumber);
  t.payee_name_1 = GetTextField(r, kPayeeName1, kTextWidth);
  t.payee_name_2 = GetTextField(r, kPayeeName2, kTextWidth);
  return t;
}

std::string TransactionRecord::Encode() const {
  std::string r = raw;
  r.resize(kSize, '\0');
  PutInt32(r, kRecordNumber, record_number);
  PutInt32(r, kUnprinted, unprinted);
  PutInt32(r, kKind, kind);
  PutTextField(r, kDescription, kTextWidth, description);
  PutTextField(r, kMemo, kTextWidth, memo);
  PutTextField(r, kAccount, kAccountWidth, account);
  PutTextField(r, kAccount2, kAccountWidth, account_2);
  PutInt32(r, kDate, date);
  PutMoney(r, kAmount, amount);
  PutInt32(r, kYtd, ytd);
  PutTextField(r, kReference, kReferenceWidth, reference);
  // A line without a sequence keeps the reserved bytes it was read with.
  if (entry_sequence > 0) PutEntrySequence(r, entry_sequence);
  PutInt32(r, kInvoiceDate2, invoice_date_2);
  PutInt32(r, kDueDate, due_date);
  PutTextField(r, kInvoiceNumber, kInvoiceNumberWidth, invoice_number);
  PutInt32(r, kExchangeMark, exchange_mark);
  PutTextField(r, kInvoiceText, kInvoiceTextWidth, invoice_text);
  PutInt32(r, kPayeeNumber, payee_number);
  PutTextField(r, kPayeeName1, kTextWidth, payee_name_1);
  PutTextField(r, kPayeeName2, kTextWidth, payee_name_2);
  return r;
}

void ClearTransaction(TransactionRecord& line) {
  TransactionRecord blank;
  blank.raw = std::move(line.raw);
  blank.entry_sequence = line.entry_sequence;
  line = std::move(blank);
}

std::string_view TransactionReference(std::string_view record) {
  return record.substr(kReference, kReferenceWidth);
}

TransactionFacts ReadTransactionFacts(std::string_view r) {
  TransactionFacts facts;
  facts.kind = GetInt32(r, kKind);
  facts.unprinted = GetInt32(r, kUnprinted);
  facts.date = GetInt32(r, kDate);
  facts.amount = GetMoney(r, kAmount);
  facts.payee_number = GetInt32(r, kPayeeNumber);
  facts.entry_sequence = ReadSequence(r);
  facts.account = r.substr(kAccount, kAccountWidth);
  facts.invoice_date = GetInt32(r, kInvoiceDate2);
  facts.due_date = GetInt32(r, kDueDate);
  return facts;
}

ListedLine ReadListedLine(int record_number, std::string_view r) {
  ListedLine line;
  line.record_number = record_number;
  line.kind = GetInt32(r, kKind);
  line.unprinted = GetInt32(r, kUnprinted);
  line.date = GetInt32(r, kDate);
  line.invoice_date = GetInt32(r, kInvoiceDate2);
  line.due_date = GetInt32(r, kDueDate);
  line.amount = GetMoney(r, kAmount);
  line.payee_number = GetInt32(r, kPayeeNumber);
  line.entry_sequence = ReadSequence(r);
  line.description = TrimRight(r.substr(kDescription, kTextWidth));
  line.memo = TrimRight(r.substr(kMemo, kTextWidth));
  line.account = r.substr(kAccount, kAccountWidth);
  line.reference = TrimRight(r.substr(kReference, kReferenceWidth));
  line.invoice_number = TrimRight(r.substr(kInvoiceNumber, kInvoiceNumberWidth));
  line.fingerprint = PrintedFingerprint(r);
  return line;
}

LineTexts ReadLineTexts(std::string_view r) {
  return {r.substr(kDescription, kTextWidth), r.substr(kReference, kReferenceWidth),
          r.substr(kAccount, kAccountWidth), r.substr(kInvoiceNumber, kInvoiceNumberWidth)};
}

// The 320 bytes after the unprinted flag, eight at a time, each word mixed in
// with a multiply and a rotation (a report fingerprints every line it prints,
// so this must cost little next to reading the line).
uint64_t PrintedFingerprint(std::string_view record) {
  std::array<char, kTransactionRecordLength> bytes{};
  std::memcpy(bytes.data(), record.data(), std::min(record.size(), bytes.size()));
  uint64_t hash = 0x9E3779B97F4A7C15ULL;
  for (size_t at = kKind; at < bytes.size(); at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    hash = std::rotl((hash ^ word) * 0xFF51AFD7ED558CCDULL, 29);
  }
  return hash;
}

void PutEntrySequence(std::string& bytes, int32_t sequence, size_t at) {
  PutInt32(bytes, at + kEntrySequence, sequence);
  PutInt32(bytes, at + kSequenceCheck, SealOf(sequence));
}

void PutUnprintedFlag(std::string& bytes, int32_t unprinted, size_t at) {
  PutInt32(bytes, at + kUnprinted, unprinted);
}

int32_t UnprintedFlagAt(std::string_view bytes, size_t at) {
  return GetInt32(bytes, at + kUnprinted);
}

void PutTransactionAccount(std::string& bytes, std::string_view account, size_t at) {
  PutTextField(bytes, at + kAccount, kAccountWidth, account);
}

void PutTransactionPayee(std::string& bytes, int32_t payee_number, size_t at) {
  PutInt32(bytes, at + kPayeeNumber, payee_number);
}

void PutTransactionDescription(std::string& bytes, std::string_view description, size_t at) {
  PutTextField(bytes, at + kDescription, kTextWidth, description);
}

void PutExchangeMark(std::string& bytes, int32_t mark, size_t at) {
  PutInt32(bytes, at + kExchangeMark, mark);
  if (mark == kMarkClientLine) PutUnprintedFlag(bytes, 0, at);
}

int32_t ExchangeMarkOf(std::string_view record) { return GetInt32(record, kExchangeMark); }

void RemoveLines(std::string& file_bytes, const std::vector<int>& ascending) {
  if (ascending.empty()) return;
  constexpr size_t kLength = kTransactionRecordLength;
  const size_t count = file_bytes.size() / kLength;
  size_t to = static_cast<size_t>(ascending.front() - 1) * kLength;
  for (size_t k = 0; k < ascending.size(); ++k) {
    const size_t from = static_cast<size_t>(ascending[k]) * kLength;
    const size_t until = k + 1 < ascending.size()
                             ? static_cast<size_t>(ascending[k + 1] - 1) * kLength
                             : count * kLength;
    std::memmove(file_bytes.data() + to, file_bytes.data() + from, until - from);
    to += until - from;
  }
  file_bytes.resize(to);
}

void KeepReservedArea(TransactionRecord& line, std::string_view stored) {
  line.raw.resize(TransactionRecord::kSize, '\0');
  line.raw.replace(kReserved, kReservedWidth, stored.substr(kReserved, kReservedWidth));
  line.entry_sequence = ReadSequence(stored);
}

}  // namespace zenkar
