#include "common/program_password.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "common/installation.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kRecordTag = "ZKPW1";
constexpr size_t kSaltBytes = 16;
constexpr size_t kHashBytes = 32;
constexpr int kMinIterations = 1000;
// Ten times the work factor of new hashes. The password file may hold any
// text; a count of a billion would keep the start-up prompt busy for hours,
// so a line asking for more than this is damaged and matches nothing.
constexpr int kMaxIterations = 10 * ProgramPassword::kIterations;

std::string ToHex(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0x0F];
  }
  return hex;
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    bytes += static_cast<char>(value);
  }
  return bytes;
}

std::string DeriveHash(std::string_view password, std::string_view salt, int iterations) {
  std::string hash(kHashBytes, '\0');
  PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                    reinterpret_cast<const unsigned char*>(salt.data()),
                    static_cast<int>(salt.size()), iterations, EVP_sha256(),
                    static_cast<int>(hash.size()), reinterpret_cast<unsigned char*>(hash.data()));
  return hash;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  while (!text.empty()) {
    const size_t start = text.find_first_not_of(" \r\n");
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    const size_t end = std::min(text.find_first_of(" \r\n"), text.size());
    words.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return words;
}

bool IsNone(std::string_view answer) {
  const std::string_view trimmed = Trim(answer);
  if (trimmed.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (std::toupper(static_cast<unsigned char>(trimmed[i])) != "NONE"[i]) return false;
  }
  return true;
}

}  // namespace

bool IsAllowedPassword(std::string_view password) {
  if (password.empty() || password.size() > kMaxPasswordLength) return false;
  for (char c : password) {
    if (c < '!' || c > '~') return false;
  }
  return true;
}

std::string EncodePasswordRecord(std::string_view password, std::string_view salt, int iterations) {
  return std::string(kRecordTag) + " " + std::to_string(iterations) + " " + ToHex(salt) + " " +
         ToHex(DeriveHash(password, salt, iterations)) + "\n";
}

bool PasswordRecordMatches(std::string_view record, std::string_view password) {
  const std::vector<std::string_view> words = SplitWords(record);
  if (words.size() != 4 || words[0] != kRecordTag) return false;
  int iterations = 0;
  auto [end, error] =
      std::from_chars(words[1].data(), words[1].data() + words[1].size(), iterations);
  if (error != std::errc() || end != words[1].data() + words[1].size() ||
      iterations < kMinIterations || iterations > kMaxIterations) {
    return false;
  }
  const std::optional<std::string> salt = FromHex(words[2]);
  const std::optional<std::string> stored = FromHex(words[3]);
  if (!salt || !stored || salt->empty() || stored->size() != kHashBytes) return false;
  const std::string hash = DeriveHash(password, *salt, iterations);
  return CRYPTO_memcmp(hash.data(), stored->data(), kHashBytes) == 0;
}

bool ProgramPassword::IsSet() { return fs_.FileExists(path_); }

bool ProgramPassword::Matches(std::string_view password) {
  std::string record;
  if (!fs_.ReadFile(path_, &record).ok()) return false;
  return PasswordRecordMatches(record, password);
}

Status ProgramPassword::Set(std::string_view password) {
  if (!writable_) return Status::IoError(NotWritableMessage(folder_));
  std::string salt(kSaltBytes, '\0');
  if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), kSaltBytes) != 1) {
    return Status::IoError("No random numbers are available for the password salt.");
  }
  return WriteFileAtomically(fs_, path_, EncodePasswordRecord(password, salt, kIterations),
                             Access::kOwnerOnly);
}

Status ProgramPassword::Remove() {
  if (!fs_.FileExists(path_)) return Status::Ok();
  if (!writable_) return Status::IoError(NotWritableMessage(folder_));
  return fs_.RemoveFile(path_);
}

bool AskProgramPassword(Ui& ui, SecretInput& input, ProgramPassword& password) {
  if (!password.IsSet()) return true;
  const std::optional<std::string> answer =
      input.AskSecret("Enter the " + std::string(kProgramTitle) + " password", kProgramTitle);
  if (!answer) return false;
  if (!password.Matches(*answer)) {
    ui.Error("INVALID PASSWORD!");
    return false;
  }
  return true;
}

void SetOrChangePassword(Ui& ui, SecretInput& input, ProgramPassword& password) {
  constexpr std::string_view kNotChanged = "Password not set/changed";
  const std::optional<std::string> first =
      input.AskSecret("Enter the new password\n(Enter NONE to remove the password)", kProgramTitle);
  if (!first || Trim(*first).empty()) {
    ui.Information(kNotChanged);
    return;
  }
  if (IsNone(*first)) {
    if (Status s = password.Remove(); !s.ok()) {
      ui.Error(std::string(kNotChanged) + "\n\n" + s.message());
      return;
    }
    ui.Information("Password protection has been removed");
    return;
  }
  if (!IsAllowedPassword(*first)) {
    ui.Error("Password not changed - invalid characters");
    return;
  }
  const std::optional<std::string> second =
      input.AskSecret("To confirm, re-enter the password", kProgramTitle);
  if (!second || *second != *first) {
    ui.Information(kNotChanged);
    return;
  }
  if (Status s = password.Set(*first); !s.ok()) {
    ui.Error(std::string(kNotChanged) + "\n\n" + s.message());
    return;
  }
  ui.Information("Password has been updated.\nKeep a record of the password!");
}

}  // namespace zenkar
