#include "ledger/recurring_entry_record.h"

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kKind = 0, kPayeeNumber = 4, kPayeeName1 = 8, kPayeeName2 = 48;
constexpr size_t kDescription = 88, kReference = 168, kDay = 176, kAccount = 180;
constexpr size_t kReversingAccount = 188, kAmount = 196;

constexpr size_t kTextWidth = 40, kReferenceWidth = 8, kAccountWidth = 4;

}  // namespace

RecurringEntryRecord RecurringEntryRecord::Decode(std::string_view r) {
  RecurringEntryRecord e;
  e.raw = std::string(r.substr(0, kSize));
  e.raw.resize(kSize, '\0');
  const std::string_view record = e.raw;
  e.kind = GetInt32(record, kKind);
  e.payee_number = GetInt32(record, kPayeeNumber);
  e.payee_name_1 = GetTextField(record, kPayeeName1, kTextWidth);
  e.payee_name_2 = GetTextField(record, kPayeeName2, kTextWidth);
  e.description = GetTextField(record, kDescription, kTextWidth);
  e.reference = GetTextField(record, kReference, kReferenceWidth);
  e.day = GetInt32(record, kDay);
  e.account = GetTextField(record, kAccount, kAccountWidth);
  e.reversing_account = GetTextField(record, kReversingAccount, kAccountWidth);
  e.amount = GetMoney(record, kAmount);
  return e;
}

std::string RecurringEntryRecord::Encode() const {
  std::string r = raw;
  r.resize(kSize, '\0');
  PutInt32(r, kKind, kind);
  PutInt32(r, kPayeeNumber, payee_number);
  PutTextField(r, kPayeeName1, kTextWidth, payee_name_1);
  PutTextField(r, kPayeeName2, kTextWidth, payee_name_2);
  PutTextField(r, kDescription, kTextWidth, description);
  PutTextField(r, kReference, kReferenceWidth, reference);
  PutInt32(r, kDay, day);
  PutTextField(r, kAccount, kAccountWidth, account);
  PutTextField(r, kReversingAccount, kAccountWidth, reversing_account);
  PutMoney(r, kAmount, amount);
  return r;
}

std::vector<RecurringEntryRecord> DecodeRecurringEntries(std::string_view bytes) {
  std::vector<RecurringEntryRecord> entries;
  for (size_t at = 0; at + kRecurringRecordLength <= bytes.size(); at += kRecurringRecordLength) {
    entries.push_back(RecurringEntryRecord::Decode(bytes.substr(at, kRecurringRecordLength)));
  }
  return entries;
}

std::string EncodeRecurringEntries(const std::vector<RecurringEntryRecord>& entries) {
  std::string bytes;
  bytes.reserve(entries.size() * kRecurringRecordLength);
  for (const RecurringEntryRecord& entry : entries) bytes += entry.Encode();
  return bytes;
}

}  // namespace zenkar
