// The file lists of a backup and the set format: what a set holds, how it is
// named, and that a set damaged or made by hand is refused before anything
// is expanded into place.
#include "common/backup_set.h"

#include <gtest/gtest.h>

#include "common/byte_codec.h"

namespace zenkar {
namespace {

// --- File lists and set names ----------------------------------------------

TEST(BackupFileListTest, ARestoreListLeavesOutTheOlderProgramsFiles) {
  BackupFileList list;
  BuildBackupFileList(&list, kScopeAccounting, /*for_restore=*/true);
  EXPECT_EQ(list.Name(20), "KXMICR.DAT");
  EXPECT_EQ(list.Name(26), "KXACCT.RJE");
  EXPECT_EQ(list.Name(117), "");
  EXPECT_EQ(list.Name(0), "");
  EXPECT_TRUE(list.Lists("kxacct.trn"));
  EXPECT_FALSE(list.Lists("KXGL.COA"));

  BuildBackupFileList(&list, kScopeAccounting, /*for_restore=*/false);
  EXPECT_EQ(list.Name(100), "KXGL.COA");
  EXPECT_EQ(list.Name(201), "KXAR01.INV");
  EXPECT_EQ(list.Name(399), "KXAR99.LIN");
}

TEST(BackupFileListTest, LaterRowsOverwriteEarlierOnesAndPackagesHaveNoLegacyFiles) {
  BackupFileList list;
  BuildBackupFileList(&list, kScopeWholeSuite, /*for_restore=*/false);
  EXPECT_EQ(list.Name(0), "KXMICR.DAT");
  EXPECT_EQ(list.Name(1), "KXPAY.2011");
  EXPECT_EQ(list.Name(43), "KXAREC.CHG");

  BuildBackupFileList(&list, kScopePayroll | kScopeClientPackage, /*for_restore=*/false);
  EXPECT_EQ(list.Name(0), "ZENKAR.DDD");
  EXPECT_EQ(list.Name(5), "KXACCT.CFG");
  EXPECT_EQ(list.Name(6), "KXPAY.EMP");
  EXPECT_EQ(list.Name(100), "");
}

TEST(SetFileNameTest, TheLastNameBitSetWins) {
  EXPECT_EQ(SetFileNameFor(kScopeWholeSuite, "KXACCT").Full(), "zenkar.sav");
  EXPECT_EQ(SetFileNameFor(kScopeWholeSuite | kScopeAccounting, "KXMENU").Full(), "KXMENU.sav");
  const SetFileName package = SetFileNameFor(kScopeAccounting | kScopeClientPackage, "KXACCT");
  EXPECT_EQ(package.Full(), "ZENKAR.CCC");
  EXPECT_TRUE(package.rotated);
  EXPECT_EQ(SetFileNameFor(kScopeClientPackage | kScopeAccountantPackage, "KXACCT").Full(),
            "ZENKAR.AAA");
  EXPECT_EQ(IdentityScope("KXACCT"), kScopeAccounting);
  EXPECT_EQ(IdentityScope("KXMENU"), 0u);
}

// --- The set format -----------------------------------------------------------

std::string SetOf(const std::vector<BackupFile>& files) {
  std::string set;
  EXPECT_TRUE(EncodeBackupSet(files, &set).ok());
  return set;
}

std::string EntryOf(std::string_view name, std::string_view data) {
  std::string entry;
  EXPECT_TRUE(EncodeBackupEntry(name, data, &entry).ok());
  return entry;
}

// The message of the set's refusal, or "" when it decodes and every entry
// expands.
std::string Refusal(std::string bytes) {
  BackupSetFile set;
  if (Status s = BackupSetFile::Decode(std::move(bytes), &set); !s.ok()) return s.message();
  for (const BackupEntry& entry : set.entries()) {
    std::string data;
    if (Status s = set.Expand(entry, &data); !s.ok()) return s.message();
  }
  return "";
}

TEST(BackupSetFormatTest, FilesRoundTripAnEmptyOneIncludedAfterTheManifest) {
  const std::string lines(3280, 'L');
  const std::string set = SetOf({{"KXACCT.TRN", lines}, {"KXACCT.REC", ""}});
  EXPECT_EQ(set.substr(0, 11), "ZENKAR.SET ");
  BackupSetFile decoded;
  ASSERT_TRUE(BackupSetFile::Decode(set, &decoded).ok());
  EXPECT_TRUE(decoded.has_manifest());
  ASSERT_EQ(decoded.entries().size(), 2u);
  std::string data;
  ASSERT_TRUE(decoded.Expand(decoded.entries()[0], &data).ok());
  EXPECT_EQ(data, lines);
  const BackupEntry& empty = decoded.entries()[1];
  EXPECT_EQ(empty.full_length, 0u);
  EXPECT_EQ(empty.stored_length, 8u) << "the zlib stream of empty input";
  ASSERT_TRUE(decoded.Expand(empty, &data).ok());
  EXPECT_EQ(data, "");
}

TEST(BackupSetFormatTest, ASetWithoutAManifestAsOlderProgramsWriteItIsRead) {
  BackupSetFile decoded;
  ASSERT_TRUE(
      BackupSetFile::Decode(EntryOf("KXACCT.CFG", "cfg") + EntryOf("KXMICR.DAT", "micr"), &decoded)
          .ok());
  EXPECT_FALSE(decoded.has_manifest());
  ASSERT_EQ(decoded.entries().size(), 2u);
  EXPECT_EQ(decoded.entries()[1].name, "KXMICR.DAT");
}

TEST(BackupSetFormatTest, EntriesThatCannotBeFilesOfTheSuiteAreRefused) {
  std::string negative = EntryOf("KXACCT.CFG", "cfg");
  PutInt32(negative, 20, -1);
  EXPECT_EQ(Refusal(negative), "entry 1 (KXACCT.CFG) has a negative length");

  std::string huge = EntryOf("KXACCT.TRN", "x");
  PutInt32(huge, 20, 1000000);
  EXPECT_EQ(Refusal(huge), "entry 1 (KXACCT.TRN) claims a length its data cannot hold");

  EXPECT_EQ(Refusal(EntryOf("../../.bashrc", "echo")),
            "entry 1 (../../.bashrc) is not a file of the Zenkar programs");
  EXPECT_EQ(Refusal(EntryOf("KXACCT.TRN", "lines").substr(0, 30)),
            "entry 1 (KXACCT.TRN) is cut short");

  std::string longer = EntryOf("KXACCT.CFG", "settings");
  PutInt32(longer, 20, 7);
  EXPECT_EQ(Refusal(longer), "entry 1 (KXACCT.CFG) expands to more than its length");
  std::string shorter = EntryOf("KXACCT.CFG", "settings");
  PutInt32(shorter, 20, 9);
  EXPECT_EQ(Refusal(shorter), "entry 1 (KXACCT.CFG) expands to less than its length");
}

TEST(BackupSetFormatTest, ASetCutShortAtAnEntrysEndIsToldFromAWholeOne) {
  const std::string first = SetOf({{"KXACCT.CFG", "cfg"}});
  const std::string both = SetOf({{"KXACCT.CFG", "cfg"}, {"KXACCT.TRN", "lines"}});
  const size_t cut = both.size() - EntryOf("KXACCT.TRN", "lines").size();
  EXPECT_EQ(Refusal(both.substr(0, cut)), "the set ends before the last file its list names");
  EXPECT_EQ(Refusal(first), "");
}

}  // namespace
}  // namespace zenkar
