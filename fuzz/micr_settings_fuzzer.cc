// Fuzz target: the MICR settings record (KXMICR.DAT), MicrSettings.
//
// The file may come from another program (the payroll program shares it), so
// any 726 bytes are either refused by MicrRecordProblem or decoded into
// settings that encode to a record it accepts and that decodes to the same
// settings again; the MICR line of those settings is made without fault and
// opens with the routing field between its transit symbols.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "output/e13b.h"
#include "output/micr_line.h"
#include "output/micr_settings.h"

using zenkar::MicrSettings;
using zenkar::fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string record(zenkar::fuzzing::BytesOf(data, std::min(size, MicrSettings::kSize)));
  record.resize(MicrSettings::kSize, '\0');
  if (zenkar::MicrRecordProblem(record)) return 0;
  const MicrSettings settings = MicrSettings::Decode(record);
  const std::string encoded = settings.Encode();
  Require(encoded.size() == MicrSettings::kSize, "the record keeps its length");
  Require(!zenkar::MicrRecordProblem(encoded), "an accepted record encodes to an accepted one");
  Require(MicrSettings::Decode(encoded).Encode() == encoded, "a second round trip is the same");
  (void)zenkar::IsValidRoutingNumber(settings.routing_number);
  (void)zenkar::MicrFontPoints(settings);
  const std::vector<zenkar::MicrField> fields = zenkar::MicrLineFields(settings, "1043");
  Require(fields.size() >= 2, "a routing field and a number field at least");
  const std::string& routing = fields.front().text;
  Require(routing.size() >= 2 && routing.front() == zenkar::kTransitSymbol &&
              routing.back() == zenkar::kTransitSymbol,
          "the routing field stands between transit symbols");
  return 0;
}
