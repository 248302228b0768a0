// Fuzz target: the company settings record (KXACCT.CFG), CompanySettings.
//
// The settings keep the bytes of reserved and unknown fields as read, so
// Encode after Decode gives the 4,800-byte record back byte for byte, and
// a record that is decoded, encoded and decoded again encodes the same. The
// settings printout ("View / Print Program Settings") is made from any record.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "ledger/company_settings.h"
#include "ledger/transaction_order.h"
#include "output/settings_report.h"

using zenkar::CompanySettings;
using zenkar::fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string record(zenkar::fuzzing::BytesOf(data, std::min(size, CompanySettings::kSize)));
  record.resize(CompanySettings::kSize, '\0');
  const CompanySettings settings = CompanySettings::Decode(record);
  const std::string encoded = settings.Encode();
  Require(encoded == record, "Decode then Encode is the record");
  Require(CompanySettings::Decode(encoded).Encode() == encoded, "a second round trip is the same");
  zenkar::OrderOf(settings);
  zenkar::SettingsReportLines(settings, zenkar::SettingsReportFigures());
  return 0;
}
