#include "ledger/payee_list.h"

#include <algorithm>
#include <cctype>

#include "common/text_field.h"

namespace zenkar {
namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool ContainsUpper(std::string_view field, const std::string& upper_text) {
  return UpperCase(field).find(upper_text) != std::string::npos;
}

}  // namespace

int PayeeList::FindPayeeByName(std::string_view name) const {
  const std::string key = FitText(name, kPayeeNameWidth);
  for (size_t i = 0; i < payees_.size(); ++i) {
    if (FitText(payees_[i].name, kPayeeNameWidth) == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string PayeeList::PayeeName(int number) const {
  if (!IsValidPayee(number)) return std::string(kUnknownPayeeName);
  const PayeeRecord& p = payee(number);
  std::string_view name = Trim(p.name);
  if (name.empty()) name = Trim(p.name_2);
  return std::string(name);
}

std::vector<int> PayeeList::Search(std::string_view text) const {
  std::vector<int> found;
  const std::string wanted = UpperCase(Trim(text));
  if (wanted.empty()) return found;
  for (size_t i = 0; i < payees_.size(); ++i) {
    const PayeeRecord& p = payees_[i];
    if (ContainsUpper(p.name, wanted) || ContainsUpper(p.address, wanted) ||
        ContainsUpper(p.phone, wanted) || ContainsUpper(p.memo, wanted)) {
      found.push_back(static_cast<int>(i) + 1);
    }
  }
  return found;
}

int PayeeList::Append(PayeeRecord payee) {
  payees_.push_back(std::move(payee));
  return count();
}

void PayeeList::Remove(int number) { payees_.erase(payees_.begin() + (number - 1)); }

std::string PayeeList::Encode() const {
  std::string bytes;
  bytes.reserve(payees_.size() * PayeeRecord::kSize);
  for (const PayeeRecord& payee : payees_) bytes += payee.Encode();
  return bytes;
}

PayeeList PayeeList::Decode(std::string_view bytes) {
  std::vector<PayeeRecord> payees;
  payees.reserve(bytes.size() / PayeeRecord::kSize);
  for (size_t at = 0; at + PayeeRecord::kSize <= bytes.size(); at += PayeeRecord::kSize) {
    payees.push_back(PayeeRecord::Decode(bytes.substr(at, PayeeRecord::kSize)));
  }
  return PayeeList(std::move(payees));
}

}  // namespace zenkar
