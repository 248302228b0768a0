#include "ledger/reconciliation_item.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <unordered_set>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kMatchKey = 0, kKeyHead = 60, kDescription = 80, kDate = 120;
constexpr size_t kReference = 124, kAccount = 132, kAmount = 136, kPosition = 144;
constexpr size_t kOutstanding = 148;

constexpr size_t kMatchKeyWidth = 60, kKeyHeadWidth = 20, kTextWidth = 40;
constexpr size_t kReferenceWidth = 8, kAccountWidth = 4;

constexpr size_t kShortestNormalizedReference = 9;

// The value of a reference of digits only, when it is above 0 and fits.
bool PositiveNumber(std::string_view text, long long* value) {
  if (text.empty() || text.size() > 18 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  *value = std::stoll(std::string(text));
  return *value > 0;
}

}  // namespace

ReconciliationItem ReconciliationItem::Decode(std::string_view r) {
  ReconciliationItem item;
  item.match_key = GetTextField(r, kMatchKey, kMatchKeyWidth);
  item.key_head = GetTextField(r, kKeyHead, kKeyHeadWidth);
  item.description = GetTextField(r, kDescription, kTextWidth);
  item.date = GetInt32(r, kDate);
  item.reference = GetTextField(r, kReference, kReferenceWidth);
  item.account = GetTextField(r, kAccount, kAccountWidth);
  item.amount = GetMoney(r, kAmount);
  item.position = GetInt32(r, kPosition);
  item.outstanding = GetInt32(r, kOutstanding);
  return item;
}

std::string ReconciliationItem::Encode() const {
  std::string r(kSize, '\0');
  PutTextField(r, kMatchKey, kMatchKeyWidth, match_key);
  PutTextField(r, kKeyHead, kKeyHeadWidth, key_head);
  PutTextField(r, kDescription, kTextWidth, description);
  PutInt32(r, kDate, date);
  PutTextField(r, kReference, kReferenceWidth, reference);
  PutTextField(r, kAccount, kAccountWidth, account);
  PutMoney(r, kAmount, amount);
  PutInt32(r, kPosition, position);
  PutInt32(r, kOutstanding, outstanding);
  return r;
}

std::vector<ReconciliationItem> DecodeReconciliationItems(std::string_view bytes) {
  std::vector<ReconciliationItem> items;
  for (size_t at = 0; at + kReconciliationRecordLength <= bytes.size();
       at += kReconciliationRecordLength) {
    items.push_back(ReconciliationItem::Decode(bytes.substr(at, kReconciliationRecordLength)));
  }
  return items;
}

std::string EncodeReconciliationItems(const std::vector<ReconciliationItem>& items) {
  std::string bytes;
  bytes.reserve(items.size() * kReconciliationRecordLength);
  for (const ReconciliationItem& item : items) bytes += item.Encode();
  return bytes;
}

std::string NormalizedReference(std::string_view reference) {
  std::string text(Trim(reference));
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  long long number = 0;
  std::string normalized;
  if (PositiveNumber(text, &number)) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "0%08lld", number);
    normalized = digits;
  } else {
    normalized = "1" + text;
  }
  if (normalized.size() < kShortestNormalizedReference) {
    normalized.append(kShortestNormalizedReference - normalized.size(), '0');
  }
  return normalized;
}

std::string MatchKey(std::string_view reference, DayNumber date) {
  char day[16];
  std::snprintf(day, sizeof day, "%08d", static_cast<int>(date));
  return NormalizedReference(reference) + day;
}

std::string MarkIdentity(const ReconciliationItem& item) {
  std::string identity(TrimRight(item.match_key));
  if (Trim(item.reference).empty()) {
    identity +=
        "|" + std::string(TrimRight(item.description)) + "|" + std::to_string(item.amount.raw());
  }
  return identity;
}

std::vector<ReconciliationItem> MergeOutstandingMarks(
    const std::vector<ReconciliationItem>& base, const std::vector<ReconciliationItem>& ours,
    const std::vector<ReconciliationItem>& theirs) {
  const auto identities = [](const std::vector<ReconciliationItem>& marks) {
    std::unordered_set<std::string> set;
    for (const ReconciliationItem& mark : marks) set.insert(MarkIdentity(mark));
    return set;
  };
  const std::unordered_set<std::string> in_base = identities(base), in_ours = identities(ours);
  std::unordered_set<std::string> in_merged;
  std::vector<ReconciliationItem> merged;
  for (const ReconciliationItem& mark : theirs) {
    const std::string identity = MarkIdentity(mark);
    const bool cleared_here = in_base.count(identity) && !in_ours.count(identity);
    if (cleared_here) continue;
    merged.push_back(mark);
    in_merged.insert(identity);
  }
  for (const ReconciliationItem& mark : ours) {
    const std::string identity = MarkIdentity(mark);
    if (!in_base.count(identity) && in_merged.insert(identity).second) merged.push_back(mark);
  }
  std::stable_sort(merged.begin(), merged.end(),
                   [](const ReconciliationItem& a, const ReconciliationItem& b) {
                     return TrimRight(a.match_key) < TrimRight(b.match_key);
                   });
  return merged;
}

}  // namespace zenkar
