// The state of the accountant exchange in a data folder: ZENKAR.DDD, one
// record of 584 bytes that travels in both packages, and the roles it gives
// an installation.
//
// The client exports its books to its accountant and, until the
// accountant's entries come back, its lines are "checked out"; the
// accountant imports them as the client's lines, adds its adjusting entries
// and sends those back. Each side records its installation number, so that
// a copy knows which side it is: the client when the recorded client is
// this installation (or none is recorded yet: a fresh copy starts as the
// client), the accountant when the recorded accountant is. A record naming
// one installation as both sides blocks the exchange, and so does one that
// belongs to two other installations; "Reset" starts afresh.
#ifndef ZENKAR_SERVICES_EXCHANGE_EXCHANGE_STATE_H_
#define ZENKAR_SERVICES_EXCHANGE_EXCHANGE_STATE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/day_number.h"
#include "common/file_system.h"
#include "common/installation.h"
#include "common/status.h"

namespace zenkar {

struct ExchangeStateRecord {
  static constexpr size_t kSize = 584;
  static constexpr std::string_view kFileName = "ZENKAR.DDD";

  int32_t client_number = 0;                   // 0: not known yet
  DayNumber client_export_date = kNoDate;      // 4
  DayNumber accountant_export_date = kNoDate;  // 8: of the package last made or imported
  std::string client_name_1;                   // 12, 40: at the client's export
  std::string client_name_2;                   // 52, 40
  int32_t accountant_number = 0;               // 332: 0 not known yet
  DayNumber accountant_import_date = kNoDate;  // 336
  DayNumber client_import_date = kNoDate;      // 340

  // The blank areas (92-331, 344-583) are kept as read.
  std::string raw = BlankRecord();
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);

  static std::string BlankRecord();
  static ExchangeStateRecord Decode(std::string_view record);
  std::string Encode() const;
};

// The state of the data folder `folder`: a missing file is a fresh state
// (nothing recorded). A file of another length is damaged: kInvalidFile.
Status ReadExchangeState(FileSystem& fs, const std::string& folder, ExchangeStateRecord* state);

enum class ExchangeRole {
  kClient,
  kAccountant,
  kBlocked,  // both numbers equal, or both another installation's
};

ExchangeRole RoleOf(const ExchangeStateRecord& state, int32_t installation_number);

// The number of this installation: its token (KXTOKEN.DAT, eight
// hexadecimal digits made at random once per installation) read as a 32-bit
// number, so it stays the same for the installation and differs between
// installations. Nothing when the token cannot be kept (the folder of the
// installation's files cannot be written and holds no token): the number
// would change from run to run.
std::optional<int32_t> InstallationNumber(FileSystem& fs, const Installation& installation);
// The token's number; a token of all zeros, which would read as "not known",
// counts as 1.
std::optional<int32_t> InstallationNumberOfToken(std::string_view token);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_EXCHANGE_EXCHANGE_STATE_H_
