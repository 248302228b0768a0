// Helpers shared by the fuzz targets: turning the fuzzer's bytes into whole
// records, and stopping the run when a property of a target does not hold.
#ifndef ZENKAR_FUZZ_FUZZ_SUPPORT_H_
#define ZENKAR_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zenkar::fuzzing {

// Aborts with `what` when `holds` is false. libFuzzer reports the abort as a
// crash and keeps the input that caused it.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "Property does not hold: %s\n", what);
  std::abort();
}

inline std::string_view BytesOf(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The record files give decoders whole records only (a file of any other
// length is refused), so the input becomes whole records: cut to a multiple
// of `record_size`, or padded with zero bytes to one record when shorter.
inline std::string WholeRecords(const uint8_t* data, size_t size, size_t record_size) {
  std::string bytes(BytesOf(data, size - size % record_size));
  if (bytes.empty()) {
    bytes.assign(BytesOf(data, size));
    bytes.resize(record_size, '\0');
  }
  return bytes;
}

}  // namespace zenkar::fuzzing

#endif  // ZENKAR_FUZZ_FUZZ_SUPPORT_H_
