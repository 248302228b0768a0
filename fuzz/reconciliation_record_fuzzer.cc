// Fuzz target: the reconciliation marks of KXACCT.REC, ReconciliationItem.
//
// Every byte of an item is a field, so Encode after Decode gives each record
// and the file back. For any bytes: a match key starts with its normalised
// reference, which is at least 9 characters and starts with "0" (a number)
// or "1"; marks restored from saved records mark exactly the items whose
// identity a record holds; and merging two programs' marks keeps every mark
// set here, drops every mark cleared here, and takes nothing that neither
// holds, in match-key order.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/text_field.h"
#include "fuzz/fuzz_support.h"
#include "ledger/reconciliation.h"

namespace {

using zenkar::ReconciliationItem;
using zenkar::fuzzing::Require;

std::unordered_set<std::string> Identities(const std::vector<ReconciliationItem>& items) {
  std::unordered_set<std::string> set;
  for (const ReconciliationItem& item : items) set.insert(zenkar::MarkIdentity(item));
  return set;
}

void CheckMerge(const std::vector<ReconciliationItem>& items) {
  const size_t third = items.size() / 3;
  const std::vector<ReconciliationItem> base(items.begin(), items.begin() + third);
  const std::vector<ReconciliationItem> ours(items.begin() + third, items.begin() + 2 * third);
  const std::vector<ReconciliationItem> theirs(items.begin() + 2 * third, items.end());
  const std::vector<ReconciliationItem> merged = zenkar::MergeOutstandingMarks(base, ours, theirs);
  const auto in_base = Identities(base), in_ours = Identities(ours), in_theirs = Identities(theirs);
  const auto in_merged = Identities(merged);
  for (const std::string& identity : in_merged) {
    Require(in_ours.count(identity) || in_theirs.count(identity), "a merged mark is someone's");
    Require(!in_base.count(identity) || in_ours.count(identity), "a mark cleared here stays clear");
  }
  for (const std::string& identity : in_ours) {
    if (!in_base.count(identity)) Require(in_merged.count(identity), "a mark set here is kept");
  }
  Require(std::is_sorted(merged.begin(), merged.end(),
                         [](const ReconciliationItem& a, const ReconciliationItem& b) {
                           return zenkar::TrimRight(a.match_key) < zenkar::TrimRight(b.match_key);
                         }),
          "merged marks are in match-key order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file =
      zenkar::fuzzing::WholeRecords(data, size, zenkar::kReconciliationRecordLength);
  std::vector<ReconciliationItem> items = zenkar::DecodeReconciliationItems(file);
  Require(zenkar::EncodeReconciliationItems(items) == file, "the file encodes back");
  for (const ReconciliationItem& item : items) {
    const std::string normalized = zenkar::NormalizedReference(item.reference);
    Require(normalized.size() >= 9 && (normalized[0] == '0' || normalized[0] == '1'),
            "a normalised reference is 9 characters or more, a number's starting with 0");
    Require(zenkar::MatchKey(item.reference, item.date).rfind(normalized, 0) == 0,
            "a match key starts with its normalised reference");
  }

  const std::vector<ReconciliationItem> saved(items.begin(), items.begin() + items.size() / 2);
  zenkar::RestoreOutstandingMarks(items, saved);
  const auto marked = Identities(saved);
  for (const ReconciliationItem& item : items) {
    Require(item.is_outstanding() == (marked.count(zenkar::MarkIdentity(item)) > 0),
            "an item is outstanding exactly when a saved mark names it");
  }
  const std::vector<ReconciliationItem> outstanding = zenkar::OutstandingItems(items);
  for (const ReconciliationItem& item : outstanding) {
    Require(item.position >= 1 && static_cast<size_t>(item.position) <= items.size() &&
                zenkar::MarkIdentity(items[item.position - 1]) == zenkar::MarkIdentity(item),
            "an outstanding item names its place in the list");
  }
  CheckMerge(zenkar::DecodeReconciliationItems(file));
  return 0;
}
