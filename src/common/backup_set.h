// Backup sets: the file lists of the suite's programs and the set format.
//
// A backup set (`BackupSetFile`) holds compressed copies of the data files of
// one or more programs of the suite. It has no header and no trailer: only
// `BackupEntry` records one after another, all integers little-endian:
//
//   offset 0   20 bytes  the file name, space padded, no terminator
//   offset 20   4 bytes  the file's length (signed 32-bit)
//   offset 24   4 bytes  the stored length (signed 32-bit)
//   offset 28            the stored bytes: the whole file as zlib's compress()
//                        writes it (a zlib stream with header and checksum)
//
// Which files a set holds is chosen by a `BackupScope` through the
// `BackupFileList` of 501 fixed slots. A set is bytes from outside the
// program: the decoder checks every length against the bytes there are and
// against what a zlib stream of that size can expand to, and a file name in a
// set is only ever compared with the names of a list (no path from a set is
// ever used).
#ifndef ZENKAR_COMMON_BACKUP_SET_H_
#define ZENKAR_COMMON_BACKUP_SET_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace zenkar {

// Bits 0 to 3 choose the program groups of a backup and a restore; bits 4 to
// 7 the packages of the accountant exchange.
using BackupScope = uint32_t;
inline constexpr BackupScope kScopeWholeSuite = 1u << 0;         // every group and the legacy files
inline constexpr BackupScope kScopePayroll = 1u << 1;            // KXPR
inline constexpr BackupScope kScopeAccounting = 1u << 2;         // KXACCT
inline constexpr BackupScope kScopeReceivables = 1u << 3;        // KXAR
inline constexpr BackupScope kScopeClientPackage = 1u << 4;      // "ZENKAR.CCC" written
inline constexpr BackupScope kScopeAccountantPackage = 1u << 5;  // "ZENKAR.AAA" written
inline constexpr BackupScope kScopeAccountantPackageRead = 1u << 6;
inline constexpr BackupScope kScopeClientPackageRead = 1u << 7;

// The program identities the shared code compares its own with.
inline constexpr std::string_view kPayrollIdentity = "KXPR";
inline constexpr std::string_view kAccountingIdentity = "KXACCT";
inline constexpr std::string_view kReceivablesIdentity = "KXAR";
inline constexpr std::string_view kLauncherIdentity = "KXMENU";

// The group bit of the program with `identity` (payroll, accounting or
// receivables), or 0 for any other program: it never restores.
BackupScope IdentityScope(std::string_view identity);

// `text` with its ASCII letters upper-cased: file names in a set and in the
// lists are compared this way, as on the systems that share the files.
std::string UpperCased(std::string_view text);

// The groups a restore works through, in order: payroll, accounting,
// receivables, each with the message shown when it was restored.
struct BackupGroup {
  BackupScope bit;
  std::string_view restored_message;
};
inline constexpr BackupGroup kBackupGroups[] = {{kScopePayroll, "Payroll Data Restored"},
                                                {kScopeAccounting, "GL/AP Data Restored"},
                                                {kScopeReceivables, "AR Data Restored"}};

// 501 slots, each a file name of 12 characters, space padded; a blank slot
// lists no file.
class BackupFileList {
 public:
  static constexpr int kSlots = 501;
  static constexpr size_t kSlotWidth = 12;

  BackupFileList() { Clear(); }
  void Clear();
  // The slot's name without its padding ("" when blank).
  std::string_view Name(int slot) const;
  void Set(int slot, std::string_view name);
  // The slots one after another (6,012 bytes), as KXDATE.DAT keeps them.
  const std::string& bytes() const { return bytes_; }
  // True when a non-blank slot equals `name` (compared upper-cased).
  bool Lists(std::string_view name) const;

 private:
  std::string bytes_;
};

// Fills `list` for `scope`: every slot blank, then each row of the table
// whose condition holds, later rows overwriting earlier ones in a slot. A
// list for a restore leaves out the files of the older ledger, payables and
// receivables programs, which a restore never puts back.
void BuildBackupFileList(BackupFileList* list, BackupScope scope, bool for_restore);

// The name and extension of the set WriteBackupSet writes for `scope`: the
// name bits are tested in the order 0 to 5 and the last one set wins
// ("zenkar" ".sav" for bit 0, the program's identity and ".sav" for a group,
// "ZENKAR" ".CCC" or ".AAA" for a package).
struct SetFileName {
  std::string prefix;
  std::string extension;
  bool rotated = false;  // the packages keep a series prefix + "01" to "20"
  std::string Full() const { return prefix + extension; }
};
SetFileName SetFileNameFor(BackupScope scope, std::string_view identity);

// --- Entries -------------------------------------------------------------

inline constexpr size_t kEntryNameWidth = 20;
inline constexpr size_t kEntryHeaderSize = 28;

// zlib's compress(): a zlib stream of `data`, header and checksum included.
Status CompressBlock(std::string_view data, std::string* out);
// zlib's uncompress() of `stored` into exactly `full_length` bytes. Fails
// unless the stream is whole, its checksum right and it expands to exactly
// that length, no more and no less, with nothing after it.
Status ExpandBlock(std::string_view stored, size_t full_length, std::string* out);

// One entry: the header and the stored stream of `data`, named `name` (at
// most 20 characters). Fails only when zlib does, or when the file is too
// long for the entry's 32-bit lengths.
Status EncodeBackupEntry(std::string_view name, std::string_view data, std::string* entry);

// A file to put into a set.
struct BackupFile {
  std::string name;
  std::string_view data;
};

// A whole set of `files`, in their order, after its manifest: a first entry
// named "ZENKAR.SET" and the CRC-32 of its own stored bytes (in hexadecimal),
// listing every entry that follows with its name, its two lengths and the
// CRC-32 of its stored bytes. The programs of the suite pass over an entry
// whose name is in none of their lists, so the manifest costs them nothing;
// to this program it tells a set damaged at any byte -- cut short at an
// entry's end, a name changed into another, a bit that zlib does not read --
// from a whole one.
Status EncodeBackupSet(const std::vector<BackupFile>& files, std::string* set);

// An entry as it stands in a set.
struct BackupEntry {
  int index = 0;             // counted from 1 in the set, the manifest included
  std::string name;          // the name field trimmed and upper-cased
  size_t full_length = 0;    // checked against what the stored bytes can hold
  size_t stored_offset = 0;  // within the set's bytes
  size_t stored_length = 0;
  bool has_crc = false;  // the manifest gave the file's CRC-32
  uint32_t crc = 0;
};

// A decoded set: its bytes and the entries of its files (the manifest left
// out).
class BackupSetFile {
 public:
  static constexpr std::string_view kManifestName = "ZENKAR.SET";

  // Splits `bytes` into entries. Fails with a message naming the first entry
  // that is cut short, has a negative length, claims more bytes than a zlib
  // stream of its stored length can expand to, or bears a name no program
  // of the suite writes; and, when the set has a manifest, unless the
  // entries are exactly those it lists, byte for byte. Files are not
  // expanded.
  static Status Decode(std::string bytes, BackupSetFile* set);

  const std::vector<BackupEntry>& entries() const { return entries_; }
  bool has_manifest() const { return has_manifest_; }
  std::string_view Stored(const BackupEntry& entry) const {
    return std::string_view(bytes_).substr(entry.stored_offset, entry.stored_length);
  }
  // Expands one entry, failing with a message naming it when its stream is
  // damaged or does not give exactly its full length.
  Status Expand(const BackupEntry& entry, std::string* data) const;
  // Expands one entry piece by piece, comparing it with `expected` as it
  // goes (no copy of the whole file is made): fails unless it gives exactly
  // those bytes.
  Status ExpandsTo(const BackupEntry& entry, std::string_view expected) const;

 private:
  Status CheckManifest(std::vector<BackupEntry>* entries);

  std::string bytes_;
  std::vector<BackupEntry> entries_;
  bool has_manifest_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BACKUP_SET_H_
