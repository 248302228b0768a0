// The byte layouts of the chart, transaction and payee records: every field
// at its offset, reserved bytes kept, and the entry sequence in the reserved
// area of a transaction line.
#include <gtest/gtest.h>

#include "common/byte_codec.h"
#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/payee_record.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

// A record of `size` bytes that are all different from a blank one, so a
// field decoded from the wrong offset shows.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('A' + i % 23);
  return bytes;
}

TEST(AccountRecordTest, FieldsSitAtTheirOffsets) {
  AccountRecord a;
  a.number = "465";
  a.work_amount_a = Money::FromRaw(11);
  a.work_amount_1 = Money::FromRaw(12);
  a.work_percent_1 = Money::FromRaw(13);
  a.work_amount_2 = Money::FromRaw(14);
  a.work_percent_2 = Money::FromRaw(15);
  a.has_activity = 1;
  a.description = "Retained Earnings";
  a.type = kLiabilitiesAndEquity;
  a.total_level = 3;
  a.title_type = kBalanceSheetProfit;
  a.balance_forward = Money::FromCents(-123456);
  a.posted_total = Money::FromCents(789);
  a.second_text = "note";
  const std::string r = a.Encode();
  ASSERT_EQ(r.size(), 156u);
  EXPECT_EQ(r.substr(0, 4), "465 ");
  EXPECT_EQ(GetInt64(r, 4), 11);
  EXPECT_EQ(GetInt64(r, 12), 12);
  EXPECT_EQ(GetInt64(r, 20), 13);
  EXPECT_EQ(GetInt64(r, 28), 14);
  EXPECT_EQ(GetInt64(r, 36), 15);
  EXPECT_EQ(GetInt32(r, 44), 1);
  EXPECT_EQ(r.substr(48, 40), FitText("Retained Earnings", 40));
  EXPECT_EQ(GetInt32(r, 88), 2);
  EXPECT_EQ(GetInt32(r, 92), 3);
  EXPECT_EQ(GetInt32(r, 96), 5);
  EXPECT_EQ(GetInt64(r, 100), -12345600);
  EXPECT_EQ(GetInt64(r, 108), 78900);
  EXPECT_EQ(r.substr(116, 40), FitText("note", 40));
}

TEST(AccountRecordTest, EveryByteSurvivesARoundTrip) {
  const std::string bytes = Pattern(156);
  EXPECT_EQ(AccountRecord::Decode(bytes).Encode(), bytes);
}

TEST(TransactionRecordTest, FieldsSitAtTheirOffsets) {
  TransactionRecord t;
  t.record_number = 7;
  t.unprinted = 0;
  t.kind = kInvoice;
  t.description = "Harbor Supply";
  t.memo = "second";
  t.account = "650";
  t.account_2 = "12";
  t.date = 45000;
  t.amount = Money::FromRaw(123450);
  t.ytd = 1;
  t.reference = "1041";
  t.invoice_date_2 = 44990;
  t.due_date = 45030;
  t.invoice_number = "INV-9";
  t.exchange_mark = 2;
  t.invoice_text = "text";
  t.payee_number = 3;
  t.payee_name_1 = "Name one";
  t.payee_name_2 = "Name two";
  const std::string r = t.Encode();
  ASSERT_EQ(r.size(), 328u);
  EXPECT_EQ(GetInt32(r, 0), 7);
  EXPECT_EQ(GetInt32(r, 4), 0);
  EXPECT_EQ(GetInt32(r, 8), 3);
  EXPECT_EQ(r.substr(12, 40), FitText("Harbor Supply", 40));
  EXPECT_EQ(r.substr(52, 40), FitText("second", 40));
  EXPECT_EQ(r.substr(92, 4), "650 ");
  EXPECT_EQ(r.substr(96, 4), "12  ");
  EXPECT_EQ(GetInt32(r, 100), 45000);
  EXPECT_EQ(GetInt64(r, 104), 123450);
  EXPECT_EQ(GetInt32(r, 112), 1);
  EXPECT_EQ(r.substr(116, 8), "1041    ");
  EXPECT_EQ(GetInt32(r, 204), 44990);
  EXPECT_EQ(GetInt32(r, 208), 45030);
  EXPECT_EQ(r.substr(212, 16), FitText("INV-9", 16));
  EXPECT_EQ(GetInt32(r, 228), 2);
  EXPECT_EQ(r.substr(232, 12), FitText("text", 12));
  EXPECT_EQ(GetInt32(r, 244), 3);
  EXPECT_EQ(r.substr(248, 40), FitText("Name one", 40));
  EXPECT_EQ(r.substr(288, 40), FitText("Name two", 40));
}

TEST(TransactionRecordTest, ReservedAreaIsKeptAsRead) {
  const std::string bytes = Pattern(328);
  const TransactionRecord line = TransactionRecord::Decode(bytes);
  EXPECT_EQ(line.entry_sequence, 0);  // stray bytes are no sequence
  EXPECT_EQ(line.Encode(), bytes);
}

TEST(TransactionRecordTest, EntrySequenceLivesAtOffset124WithItsCheckWord) {
  TransactionRecord line;
  line.entry_sequence = 42;
  const std::string r = line.Encode();
  EXPECT_EQ(GetInt32(r, 124), 42);
  EXPECT_EQ(TransactionRecord::Decode(r).entry_sequence, 42);
  EXPECT_EQ(ReadTransactionFacts(r).entry_sequence, 42);
  // Bytes 132 to 203 of the reserved area are untouched by it.
  const std::string reserved = Pattern(328);
  TransactionRecord read = TransactionRecord::Decode(reserved);
  read.entry_sequence = 9;
  EXPECT_EQ(read.Encode().substr(132, 72), reserved.substr(132, 72));
}

TEST(TransactionRecordTest, ACopiedSequenceWithoutItsCheckWordIsNotASequence) {
  std::string r(328, '\0');
  PutInt32(r, 124, 42);
  EXPECT_EQ(TransactionRecord::Decode(r).entry_sequence, 0);
  PutEntrySequence(r, 42);
  PutInt32(r, 128, GetInt32(r, 128) + 1);
  EXPECT_EQ(ReadTransactionFacts(r).entry_sequence, 0);
}

TEST(TransactionRecordTest, BlankLineHasKindZeroAndIsUnprinted) {
  TransactionRecord line = TransactionRecord::Decode(Pattern(328));
  const std::string reserved = line.Encode().substr(124, 80);
  ClearTransaction(line);
  EXPECT_EQ(line.kind, 0);
  EXPECT_EQ(line.unprinted, 1);
  EXPECT_EQ(line.amount, Money());
  EXPECT_EQ(line.date, kNoDate);
  EXPECT_EQ(line.payee_number, 0);
  const std::string r = line.Encode();
  EXPECT_EQ(r.substr(12, 40), std::string(40, ' '));
  EXPECT_EQ(r.substr(212, 16), std::string(16, ' '));
  EXPECT_EQ(r.substr(124, 80), reserved);  // the line buffer's reserved bytes stay
}

TEST(TransactionRecordTest, FactsAreReadWithoutDecodingTheTexts) {
  const TransactionRecord line = [] {
    TransactionRecord t;
    t.kind = kCheckOrDeposit;
    t.unprinted = 0;
    t.account = "720";
    t.date = 45123;
    t.amount = Money::FromCents(-5000);
    t.payee_number = 4;
    return t;
  }();
  const std::string r = line.Encode();
  const TransactionFacts facts = ReadTransactionFacts(r);
  EXPECT_EQ(facts.kind, kCheckOrDeposit);
  EXPECT_EQ(facts.unprinted, 0);
  EXPECT_EQ(facts.account, "720 ");
  EXPECT_EQ(facts.date, 45123);
  EXPECT_EQ(facts.amount, Money::FromCents(-5000));
  EXPECT_EQ(facts.payee_number, 4);
}

TEST(PayeeRecordTest, FieldsSitAtTheirOffsets) {
  PayeeRecord p;
  p.name = "Harbor Supply";
  p.name_2 = "Attn: Billing";
  p.address = "12 Ceres Street";
  p.city_state_zip = "Portsmouth, NH";
  p.id_number = "02-1234567";
  p.memo = "Net 30";
  p.phone = "603-555-0100";
  p.type_1099 = k1099Rent;
  p.default_account = "650";
  p.code_b = "B";
  for (int i = 0; i < 4; ++i) {
    p.auto_amounts[i] = Money::FromCents(100 * (i + 1));
    p.auto_accounts[i] = std::to_string(600 + i);
    p.line_codes[i] = "C" + std::to_string(i);
    p.auto_days[i] = i == 3 ? -15 : i + 1;
    p.auto_descriptions[i] = "Desc " + std::to_string(i);
  }
  p.flag = 1;
  p.long_text = "long";
  p.further_text = "further";
  const std::string r = p.Encode();
  ASSERT_EQ(r.size(), 536u);
  EXPECT_EQ(r.substr(0, 40), FitText("Harbor Supply", 40));
  EXPECT_EQ(r.substr(40, 40), FitText("Attn: Billing", 40));
  EXPECT_EQ(r.substr(80, 40), FitText("12 Ceres Street", 40));
  EXPECT_EQ(r.substr(120, 40), FitText("Portsmouth, NH", 40));
  EXPECT_EQ(r.substr(160, 20), FitText("02-1234567", 20));
  EXPECT_EQ(r.substr(180, 40), FitText("Net 30", 40));
  EXPECT_EQ(r.substr(220, 40), FitText("603-555-0100", 40));
  EXPECT_EQ(GetInt32(r, 260), 2);
  EXPECT_EQ(r.substr(264, 4), "650 ");
  EXPECT_EQ(r.substr(268, 4), "B   ");
  EXPECT_EQ(GetInt64(r, 272 + 8 * 2), 30000);
  EXPECT_EQ(r.substr(304 + 4 * 1, 4), "601 ");
  EXPECT_EQ(r.substr(320 + 4 * 3, 4), "C3  ");
  EXPECT_EQ(GetInt32(r, 336 + 4 * 3), -15);
  EXPECT_EQ(r.substr(352 + 16 * 2, 16), FitText("Desc 2", 16));
  EXPECT_EQ(GetInt32(r, 416), 1);
  EXPECT_EQ(r.substr(420, 80), FitText("long", 80));
  EXPECT_EQ(r.substr(500, 36), FitText("further", 36));
}

TEST(PayeeRecordTest, EveryByteSurvivesARoundTripAndClearBlanksAll) {
  const std::string bytes = Pattern(536);
  PayeeRecord payee = PayeeRecord::Decode(bytes);
  EXPECT_EQ(payee.Encode(), bytes);
  ClearPayee(payee);
  const std::string blank = payee.Encode();
  EXPECT_EQ(blank.substr(0, 260), std::string(260, ' '));
  EXPECT_EQ(GetInt32(blank, 260), 0);
  EXPECT_EQ(GetInt64(blank, 272), 0);
  EXPECT_EQ(blank.substr(420, 116), std::string(116, ' '));
}

}  // namespace
}  // namespace zenkar
