// The exchange state record, the roles it gives, and the installation number.
#include "services/exchange/exchange_state.h"

#include <gtest/gtest.h>

#include "common/byte_codec.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

TEST(ExchangeStateTest, FieldsSitAtTheirOffsetsAndTheBlankAreasSurvive) {
  std::string bytes = ExchangeStateRecord::BlankRecord();
  PutInt32(bytes, 0, 11);
  PutInt32(bytes, 4, 46000);
  PutInt32(bytes, 8, 46010);
  bytes.replace(12, 5, "Alpha");
  bytes.replace(52, 4, "Beta");
  bytes[100] = 'k';
  PutInt32(bytes, 332, 22);
  PutInt32(bytes, 336, 46001);
  PutInt32(bytes, 340, 46011);
  bytes[583] = 'z';
  const ExchangeStateRecord state = ExchangeStateRecord::Decode(bytes);
  EXPECT_EQ(state.client_number, 11);
  EXPECT_EQ(state.client_export_date, 46000);
  EXPECT_EQ(state.accountant_export_date, 46010);
  EXPECT_EQ(state.client_name_1.substr(0, 5), "Alpha");
  EXPECT_EQ(state.client_name_2.substr(0, 4), "Beta");
  EXPECT_EQ(state.accountant_number, 22);
  EXPECT_EQ(state.accountant_import_date, 46001);
  EXPECT_EQ(state.client_import_date, 46011);
  EXPECT_EQ(state.Encode(), bytes);
  EXPECT_EQ(ExchangeStateRecord().Encode(), ExchangeStateRecord::BlankRecord());
}

TEST(ExchangeStateTest, TheNumbersRecordedGiveTheRole) {
  constexpr int32_t kOwn = 7;
  struct Case {
    int32_t client, accountant;
    ExchangeRole role;
  } cases[] = {
      {0, 0, ExchangeRole::kClient},         // a fresh copy
      {kOwn, 0, ExchangeRole::kClient},      // this client exported
      {kOwn, 9, ExchangeRole::kClient},      // the accountant's entries came back
      {0, kOwn, ExchangeRole::kAccountant},  // reset to the accountant's side
      {9, kOwn, ExchangeRole::kAccountant},  // the client's books came in
      {9, 0, ExchangeRole::kAccountant},    {9, 9, ExchangeRole::kBlocked},
      {kOwn, kOwn, ExchangeRole::kBlocked}, {9, 8, ExchangeRole::kBlocked},
  };
  for (const Case& c : cases) {
    ExchangeStateRecord state;
    state.client_number = c.client;
    state.accountant_number = c.accountant;
    EXPECT_EQ(RoleOf(state, kOwn), c.role) << c.client << " " << c.accountant;
  }
}

TEST(ExchangeStateTest, TheInstallationNumberIsItsKeptToken) {
  EXPECT_EQ(InstallationNumberOfToken("0A1B2C3D"), 0x0A1B2C3D);
  EXPECT_EQ(InstallationNumberOfToken("FFFFFFFF"), -1);
  EXPECT_EQ(InstallationNumberOfToken("00000000"), 1);
  EXPECT_EQ(InstallationNumberOfToken("12G45678"), std::nullopt);

  testing::TempDir folder;
  const Installation writable{folder.path(), folder.path(), true};
  const std::optional<int32_t> number = InstallationNumber(PosixFileSystem(), writable);
  ASSERT_TRUE(number.has_value());
  EXPECT_EQ(InstallationNumber(PosixFileSystem(), writable), number);
  testing::TempDir other;
  EXPECT_NE(InstallationNumber(PosixFileSystem(), {other.path(), other.path(), true}), number);
  // A folder that keeps no token gives no number: it would change each run.
  testing::TempDir read_only;
  EXPECT_EQ(InstallationNumber(PosixFileSystem(), {read_only.path(), read_only.path(), false}),
            std::nullopt);
}

TEST(ExchangeStateTest, AStateFileOfAnotherLengthIsDamaged) {
  testing::TempDir folder;
  ExchangeStateRecord state;
  EXPECT_TRUE(ReadExchangeState(PosixFileSystem(), folder.path(), &state).ok());
  EXPECT_EQ(state.client_number, 0);
  folder.WriteFile("ZENKAR.DDD", std::string(583, ' '));
  EXPECT_EQ(ReadExchangeState(PosixFileSystem(), folder.path(), &state).code(),
            Status::Code::kInvalidFile);
}

}  // namespace
}  // namespace zenkar
