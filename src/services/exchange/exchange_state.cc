#include "services/exchange/exchange_state.h"

#include <charconv>

#include "common/record_fields.h"
#include "common/record_file.h"

namespace zenkar {

template <typename R, typename V>
void ExchangeStateRecord::VisitFields(R& r, V& v) {
  v.Int32(0, r.client_number);
  v.Int32(4, r.client_export_date);
  v.Int32(8, r.accountant_export_date);
  v.Text(12, 40, r.client_name_1);
  v.Text(52, 40, r.client_name_2);
  v.Int32(332, r.accountant_number);
  v.Int32(336, r.accountant_import_date);
  v.Int32(340, r.client_import_date);
}

std::string ExchangeStateRecord::BlankRecord() {
  std::string record(kSize, ' ');
  for (size_t offset : {0, 4, 8, 332, 336, 340}) record.replace(offset, 4, 4, '\0');
  return record;
}

ExchangeStateRecord ExchangeStateRecord::Decode(std::string_view record) {
  return DecodeByFields<ExchangeStateRecord>(record);
}

std::string ExchangeStateRecord::Encode() const { return EncodeByFields(*this); }

Status ReadExchangeState(FileSystem& fs, const std::string& folder, ExchangeStateRecord* state) {
  const std::string path = DataFilePath(fs, folder, ExchangeStateRecord::kFileName);
  *state = ExchangeStateRecord();
  if (!fs.FileExists(path)) return Status::Ok();
  std::string bytes;
  if (Status s = fs.ReadFile(path, &bytes); !s.ok()) return s;
  if (bytes.size() != ExchangeStateRecord::kSize) return Status::InvalidFile(path);
  *state = ExchangeStateRecord::Decode(bytes);
  return Status::Ok();
}

ExchangeRole RoleOf(const ExchangeStateRecord& state, int32_t own) {
  if (state.client_number != 0 && state.client_number == state.accountant_number) {
    return ExchangeRole::kBlocked;
  }
  if (state.accountant_number == own) return ExchangeRole::kAccountant;
  if (state.client_number == own || state.client_number == 0) return ExchangeRole::kClient;
  if (state.accountant_number == 0) return ExchangeRole::kAccountant;
  return ExchangeRole::kBlocked;
}

std::optional<int32_t> InstallationNumberOfToken(std::string_view token) {
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, 16);
  if (error != std::errc() || end != token.data() + token.size() || token.empty()) {
    return std::nullopt;
  }
  return value == 0 ? 1 : static_cast<int32_t>(value);
}

std::optional<int32_t> InstallationNumber(FileSystem& fs, const Installation& installation) {
  const std::optional<std::string> token = StoredInstallationToken(fs, installation);
  if (!token) return std::nullopt;
  return InstallationNumberOfToken(*token);
}

}  // namespace zenkar
