// PayeeList: the payees of KXACCT.VND in memory, by payee number.
//
// A payee's number is its record number, counted from 1. Adding payees never
// changes the numbers of existing payees. The list is never empty once loaded:
// an empty file becomes one blank payee.
#ifndef ZENKAR_LEDGER_PAYEE_LIST_H_
#define ZENKAR_LEDGER_PAYEE_LIST_H_

#include <string>
#include <string_view>
#include <vector>

#include "ledger/payee_record.h"

namespace zenkar {

// What PayeeName gives for a number that names no payee.
inline constexpr std::string_view kUnknownPayeeName = "(unknown payee)";

class PayeeList {
 public:
  PayeeList() = default;
  explicit PayeeList(std::vector<PayeeRecord> payees) : payees_(std::move(payees)) {}

  int count() const { return static_cast<int>(payees_.size()); }
  const std::vector<PayeeRecord>& payees() const { return payees_; }
  // `number` from 1 to count().
  const PayeeRecord& payee(int number) const { return payees_[number - 1]; }
  PayeeRecord& mutable_payee(int number) { return payees_[number - 1]; }

  // The number of the payee whose name equals `name` as a 40-character text
  // (so trailing spaces do not matter), or 0.
  int FindPayeeByName(std::string_view name) const;
  // True when 1 <= number <= count().
  bool IsValidPayee(int number) const { return number >= 1 && number <= count(); }
  // The name without surrounding spaces, or name line 2 when the name is
  // blank; kUnknownPayeeName for an invalid number.
  std::string PayeeName(int number) const;
  // The numbers of the payees whose name, address, phone or memo contains
  // `text`, ignoring case, in payee order. An empty text finds nothing.
  std::vector<int> Search(std::string_view text) const;

  // Adds a payee as number count()+1 and returns that number.
  int Append(PayeeRecord payee);
  void Remove(int number);

  // The whole payee file, record 1 first.
  std::string Encode() const;
  // Reads a whole payee file; `bytes` holds a whole number of records.
  static PayeeList Decode(std::string_view bytes);

 private:
  std::vector<PayeeRecord> payees_;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_PAYEE_LIST_H_
