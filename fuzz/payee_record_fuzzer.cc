// Fuzz target: the payees of KXACCT.VND, PayeeRecord and PayeeList.
//
// Every byte of a payee belongs to a known field, so Encode after Decode
// gives each record, and the list the whole file, back byte for byte. The
// look-ups of the entry pages hold for any bytes: a payee is found by its
// own name (or an earlier payee of the same name is), and a search for a
// payee's name finds that payee.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text_field.h"
#include "fuzz/fuzz_support.h"
#include "ledger/payee_list.h"
#include "ledger/payee_record.h"

namespace {

using zenkar::PayeeList;
using zenkar::PayeeRecord;
using zenkar::fuzzing::Require;

void CheckPayee(const PayeeList& list, int number, std::string_view record) {
  const PayeeRecord& payee = list.payee(number);
  Require(payee.Encode() == record, "a payee encodes back to its record");
  Require(PayeeRecord::Decode(record).Encode() == record, "Decode then Encode is the record");
  const int found = list.FindPayeeByName(payee.name);
  Require(found >= 1 && found <= number, "a payee's name finds it or an earlier namesake");
  list.PayeeName(number);
  if (zenkar::Trim(payee.name).empty()) return;
  const std::vector<int> hits = list.Search(payee.name);
  Require(std::find(hits.begin(), hits.end(), number) != hits.end(),
          "a search for a payee's name finds the payee");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = zenkar::fuzzing::WholeRecords(data, size, PayeeRecord::kSize);
  const PayeeList list = PayeeList::Decode(file);
  Require(list.Encode() == file, "the list encodes back to its file");
  for (int n = 1; n <= list.count(); ++n) {
    CheckPayee(list, n,
               std::string_view(file).substr((n - 1) * PayeeRecord::kSize, PayeeRecord::kSize));
  }
  return 0;
}
