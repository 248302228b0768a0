// Fuzz target: the stored program password (KXPASS.DAT), the one line
// "ZKPW1 iterations salt hash" that PasswordRecordMatches reads.
//
// The file lies in the per-installation folder, where anything may have
// been written; a damaged line must be refused, never crash or hang the
// password prompt. A line the program writes must match its own password.
#include <cstdint>
#include <string>

#include "common/program_password.h"
#include "fuzz/fuzz_support.h"

using zenkar::fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view record = zenkar::fuzzing::BytesOf(data, size);
  zenkar::PasswordRecordMatches(record, "Secret-1");
  // The input's first bytes as password and salt, with few iterations.
  const std::string_view password = record.substr(0, zenkar::kMaxPasswordLength);
  if (!zenkar::IsAllowedPassword(password)) return 0;
  const std::string stored = zenkar::EncodePasswordRecord(password, record, 1000);
  Require(zenkar::PasswordRecordMatches(stored, password), "a stored password matches itself");
  return 0;
}
