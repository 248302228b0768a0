#include "common/backup_set.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <sstream>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Deflate writes at least one bit for every 258 bytes, so a stream expands
// to at most about 1,032 times its length; a larger claim is not a stream's.
constexpr uint64_t kMostExpansion = 1032;
// The stored bytes of the smallest whole zlib stream (of empty input).
constexpr size_t kSmallestStream = 8;

constexpr uint64_t kLargestLength = std::numeric_limits<int32_t>::max();

// The size of the pieces an entry is expanded in to compare it with a file.
constexpr size_t kCompareChunk = 64 * 1024;

// The first line of a set's manifest.
constexpr std::string_view kManifestHeader = "ZKSET1";

uint32_t Crc32(std::string_view data) {
  uLong crc = ::crc32(0L, Z_NULL, 0);
  // crc32() takes at most 4 GB a call; a data file is far smaller.
  crc = ::crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  return static_cast<uint32_t>(crc);
}

std::string Hex(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

// The entry named as a message shows it: the name is outside bytes.
std::string EntryLabel(const BackupEntry& entry) {
  std::string label = "entry " + std::to_string(entry.index);
  if (!entry.name.empty()) label += " (" + EscapeControls(entry.name) + ")";
  return label;
}

// The rows of the file-list table that depend on the scope alone.
void FillPayroll(BackupFileList* list) {
  list->Set(0, "KXMICR.DAT");
  for (int year = 2011; year <= 2015; ++year) {
    list->Set(1 + year - 2011, "KXPAY." + std::to_string(year));
  }
  const char* const kRest[] = {"KXPAY.EMP", "KXPAY.CFG", "KXPAY.PRC", "KXPAY.TDR", "KXPAY.RPT"};
  for (int i = 0; i < 5; ++i) list->Set(6 + i, kRest[i]);
}

void FillAccounting(BackupFileList* list) {
  const char* const kNames[] = {"KXMICR.DAT", "KXACCT.COA", "KXACCT.TRN", "KXACCT.VND",
                                "KXACCT.REC", "KXACCT.CFG", "KXACCT.RJE"};
  for (int i = 0; i < 7; ++i) list->Set(20 + i, kNames[i]);
}

void FillReceivables(BackupFileList* list) {
  const char* const kNames[] = {"KXAREC.CUS", "KXAREC.DES", "KXAREC.CFG", "KXAREC.CHG"};
  for (int i = 0; i < 4; ++i) list->Set(40 + i, kNames[i]);
}

// The files of the older general-ledger, payables and receivables programs.
void FillLegacy(BackupFileList* list) {
  const char* const kNames[] = {"KXGL.COA",   "KXGL.CFG",  "KXGL.TRN",   "PRKXGL.COA", "PRKXGL.CFG",
                                "PRKXGL.TRN", "NKXGL.COA", "NKXGL.CFG",  "NKXGL.TRN",  "KXGL.REC",
                                "KXAP.VND",   "KXAP.CFG",  "KXAP.INV",   "KXAP.ACR",   "KXAP.MEM",
                                "PKXAP.CFG",  "PKXAP.INV", "KXMICR.DAT", "KXAR.CUS",   "KXAR.DES",
                                "KXAR.CFG",   "KXAR.INV",  "KXAR.LIN"};
  for (int i = 0; i < 23; ++i) list->Set(100 + i, kNames[i]);
  for (int n = 1; n <= 99; ++n) {
    const std::string number = (n < 10 ? "0" : "") + std::to_string(n);
    list->Set(200 + n, "KXAR" + number + ".INV");
    list->Set(300 + n, "KXAR" + number + ".LIN");
  }
}

void FillClientPackage(BackupFileList* list) {
  const char* const kNames[] = {"ZENKAR.DDD", "KXACCT.COA", "KXACCT.TRN",
                                "KXACCT.VND", "KXACCT.REC", "KXACCT.CFG"};
  for (int i = 0; i < 6; ++i) list->Set(i, kNames[i]);
}

void FillAccountantPackage(BackupFileList* list) {
  list->Set(0, "ZENKAR.DDD");
  list->Set(1, "ZENKAR.NNN");
}

bool Has(BackupScope scope, BackupScope bit) { return (scope & bit) != 0; }

// Every name a program of the suite puts into a set: the whole suite's
// list, with the two files only the accountant exchange's packages hold in
// slots that list leaves blank.
const BackupFileList& KnownNames() {
  static const BackupFileList* names = [] {
    auto* list = new BackupFileList;
    BuildBackupFileList(list, kScopeWholeSuite, /*for_restore=*/false);
    list->Set(400, "ZENKAR.DDD");
    list->Set(401, "ZENKAR.NNN");
    return list;
  }();
  return *names;
}

// The entries of a set's bytes, their lengths checked against the bytes
// there are.
Status SplitEntries(std::string_view set, std::vector<BackupEntry>* entries) {
  size_t at = 0;
  for (int index = 1; at < set.size(); ++index) {
    BackupEntry entry;
    entry.index = index;
    if (set.size() - at < kEntryHeaderSize) {
      return Status::InvalidFile(EntryLabel(entry) + " is cut short");
    }
    entry.name = std::string(Trim(set.substr(at, kEntryNameWidth)));
    const int32_t full = GetInt32(set, at + 20);
    const int32_t stored = GetInt32(set, at + 24);
    at += kEntryHeaderSize;
    if (full < 0 || stored < 0) {
      return Status::InvalidFile(EntryLabel(entry) + " has a negative length");
    }
    if (static_cast<size_t>(stored) > set.size() - at) {
      return Status::InvalidFile(EntryLabel(entry) + " is cut short");
    }
    if (static_cast<size_t>(stored) < kSmallestStream ||
        static_cast<uint64_t>(full) > kMostExpansion * static_cast<uint64_t>(stored)) {
      return Status::InvalidFile(EntryLabel(entry) + " claims a length its data cannot hold");
    }
    entry.full_length = static_cast<size_t>(full);
    entry.stored_offset = at;
    entry.stored_length = static_cast<size_t>(stored);
    at += entry.stored_length;
    entries->push_back(std::move(entry));
  }
  return Status::Ok();
}

// A manifest line: name, full length, stored length and the CRC-32 of the
// stored bytes, separated by tabs; true when it describes `entry`, whose
// CRC-32 it then takes.
bool MatchesManifestLine(const std::string& line, BackupEntry* entry) {
  std::vector<std::string> fields;
  std::istringstream parts(line);
  for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
  if (fields.size() != 4 || fields[0] != entry->name ||
      fields[1] != std::to_string(entry->full_length) ||
      fields[2] != std::to_string(entry->stored_length) || fields[3].size() != 8) {
    return false;
  }
  uint32_t crc = 0;
  const auto [end, error] =
      std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), crc, 16);
  if (error != std::errc() || end != fields[3].data() + fields[3].size()) return false;
  entry->has_crc = true;
  entry->crc = crc;
  return true;
}

}  // namespace

std::string UpperCased(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

BackupScope IdentityScope(std::string_view identity) {
  if (identity == kPayrollIdentity) return kScopePayroll;
  if (identity == kAccountingIdentity) return kScopeAccounting;
  if (identity == kReceivablesIdentity) return kScopeReceivables;
  return 0;
}

void BackupFileList::Clear() { bytes_.assign(kSlots * kSlotWidth, ' '); }

std::string_view BackupFileList::Name(int slot) const {
  return Trim(std::string_view(bytes_).substr(slot * kSlotWidth, kSlotWidth));
}

void BackupFileList::Set(int slot, std::string_view name) {
  PutTextField(bytes_, slot * kSlotWidth, kSlotWidth, name);
}

bool BackupFileList::Lists(std::string_view name) const {
  const std::string wanted = UpperCased(name);
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!Name(slot).empty() && UpperCased(Name(slot)) == wanted) return true;
  }
  return false;
}

void BuildBackupFileList(BackupFileList* list, BackupScope scope, bool for_restore) {
  list->Clear();
  if (Has(scope, kScopeWholeSuite | kScopePayroll)) FillPayroll(list);
  if (Has(scope, kScopeWholeSuite | kScopeAccounting)) FillAccounting(list);
  if (Has(scope, kScopeWholeSuite | kScopeReceivables)) FillReceivables(list);
  if (!for_restore && !Has(scope, kScopeClientPackage | kScopeAccountantPackage)) {
    FillLegacy(list);
  }
  if (Has(scope, kScopeClientPackage | kScopeClientPackageRead)) FillClientPackage(list);
  if (Has(scope, kScopeAccountantPackage | kScopeAccountantPackageRead)) {
    FillAccountantPackage(list);
  }
}

SetFileName SetFileNameFor(BackupScope scope, std::string_view identity) {
  SetFileName name;
  if (Has(scope, kScopeWholeSuite)) name = {"zenkar", ".sav", false};
  if (Has(scope, kScopePayroll | kScopeAccounting | kScopeReceivables)) {
    name = {std::string(identity), ".sav", false};
  }
  if (Has(scope, kScopeClientPackage)) name = {"ZENKAR", ".CCC", true};
  if (Has(scope, kScopeAccountantPackage)) name = {"ZENKAR", ".AAA", true};
  return name;
}

Status CompressBlock(std::string_view data, std::string* out) {
  uLongf length = ::compressBound(static_cast<uLong>(data.size()));
  // Not zero-filled: of the bound only what zlib writes is touched.
  const std::unique_ptr<Bytef[]> buffer(new Bytef[length]);
  const int result = ::compress(buffer.get(), &length, reinterpret_cast<const Bytef*>(data.data()),
                                static_cast<uLong>(data.size()));
  if (result != Z_OK) {
    out->clear();
    return Status::IoError("zlib could not compress the data (" + std::to_string(result) + ")");
  }
  out->assign(reinterpret_cast<const char*>(buffer.get()), length);
  return Status::Ok();
}

Status ExpandBlock(std::string_view stored, size_t full_length, std::string* out) {
  out->resize(full_length);
  z_stream stream{};
  if (::inflateInit(&stream) != Z_OK) return Status::IoError("zlib could not start expanding");
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored.data()));
  stream.avail_in = static_cast<uInt>(stored.size());
  // A byte of room beyond the full length tells a longer stream from one
  // that ends exactly there.
  char spare = 0;
  stream.next_out = reinterpret_cast<Bytef*>(full_length == 0 ? &spare : out->data());
  stream.avail_out = static_cast<uInt>(full_length == 0 ? 1 : full_length);
  const int result = ::inflate(&stream, Z_FINISH);
  const bool whole = result == Z_STREAM_END && stream.total_out == full_length;
  const bool longer = (result == Z_STREAM_END && stream.total_out > full_length) ||
                      (result == Z_BUF_ERROR && stream.avail_out == 0);
  const bool trailing = stream.avail_in != 0;
  ::inflateEnd(&stream);
  if (whole && !trailing) return Status::Ok();
  out->clear();
  if (longer) return Status::InvalidFile("expands to more than its length");
  if (whole) return Status::InvalidFile("has bytes after its compressed data");
  if (result == Z_STREAM_END) return Status::InvalidFile("expands to less than its length");
  if (result == Z_BUF_ERROR) return Status::InvalidFile("is cut short");
  return Status::InvalidFile("is not compressed data that zlib can read");
}

Status EncodeBackupEntry(std::string_view name, std::string_view data, std::string* entry) {
  if (data.size() > kLargestLength) {
    return Status::IoError(std::string(name) + " is too large for a backup set");
  }
  std::string stored;
  if (Status s = CompressBlock(data, &stored); !s.ok()) return s;
  if (stored.size() > kLargestLength) {
    return Status::IoError(std::string(name) + " is too large for a backup set");
  }
  entry->assign(kEntryHeaderSize, '\0');
  PutTextField(*entry, 0, kEntryNameWidth, name);
  PutInt32(*entry, 20, static_cast<int32_t>(data.size()));
  PutInt32(*entry, 24, static_cast<int32_t>(stored.size()));
  entry->append(stored);
  return Status::Ok();
}

Status EncodeBackupSet(const std::vector<BackupFile>& files, std::string* set) {
  std::string manifest = std::string(kManifestHeader) + "\n";
  std::string body;
  for (const BackupFile& file : files) {
    std::string entry;
    if (Status s = EncodeBackupEntry(file.name, file.data, &entry); !s.ok()) return s;
    const std::string_view stored = std::string_view(entry).substr(kEntryHeaderSize);
    manifest += file.name + "\t" + std::to_string(file.data.size()) + "\t" +
                std::to_string(stored.size()) + "\t" + Hex(Crc32(stored)) + "\n";
    body += entry;
  }
  std::string stored;
  if (Status s = CompressBlock(manifest, &stored); !s.ok()) return s;
  // The manifest's own stream is checked by the CRC-32 in its name.
  set->assign(kEntryHeaderSize, '\0');
  PutTextField(*set, 0, kEntryNameWidth,
               std::string(BackupSetFile::kManifestName) + " " + Hex(Crc32(stored)));
  PutInt32(*set, 20, static_cast<int32_t>(manifest.size()));
  PutInt32(*set, 24, static_cast<int32_t>(stored.size()));
  set->append(stored);
  set->append(body);
  return Status::Ok();
}

Status BackupSetFile::Decode(std::string bytes, BackupSetFile* set) {
  set->bytes_ = std::move(bytes);
  set->entries_.clear();
  set->has_manifest_ = false;
  std::vector<BackupEntry> entries;
  if (Status s = SplitEntries(set->bytes_, &entries); !s.ok()) return s;
  if (!entries.empty() && entries.front().name.rfind(kManifestName, 0) == 0) {
    if (Status s = set->CheckManifest(&entries); !s.ok()) return s;
  }
  for (const BackupEntry& entry : entries) {
    if (entry.has_crc && Crc32(set->Stored(entry)) != entry.crc) {
      return Status::InvalidFile(EntryLabel(entry) + " is not the data that was saved");
    }
  }
  for (const BackupEntry& entry : entries) {
    if (!KnownNames().Lists(entry.name)) {
      return Status::InvalidFile(EntryLabel(entry) + " is not a file of the Zenkar programs");
    }
  }
  set->entries_ = std::move(entries);
  return Status::Ok();
}

// The manifest's lines must describe the entries after it one for one.
Status BackupSetFile::CheckManifest(std::vector<BackupEntry>* entries) {
  const BackupEntry manifest_entry = entries->front();
  const std::string_view name = manifest_entry.name;
  uint32_t crc = 0;
  const std::string_view crc_text = name.substr(std::min(name.size(), kManifestName.size() + 1));
  const auto [end, error] =
      std::from_chars(crc_text.data(), crc_text.data() + crc_text.size(), crc, 16);
  if (name.size() != kManifestName.size() + 9 || name[kManifestName.size()] != ' ' ||
      error != std::errc() || end != crc_text.data() + crc_text.size() ||
      Crc32(Stored(manifest_entry)) != crc) {
    return Status::InvalidFile(EntryLabel(manifest_entry) + " is not the list of files saved");
  }
  std::string manifest;
  if (Status s = Expand(manifest_entry, &manifest); !s.ok()) return s;
  entries->erase(entries->begin());
  std::istringstream lines(manifest);
  std::string line;
  if (!std::getline(lines, line) || line != kManifestHeader) {
    return Status::InvalidFile(EntryLabel(manifest_entry) + " is not a list of the set's files");
  }
  for (BackupEntry& entry : *entries) {
    if (!std::getline(lines, line) || !MatchesManifestLine(line, &entry)) {
      return Status::InvalidFile(EntryLabel(entry) + " is not the file the set's list names there");
    }
  }
  if (std::getline(lines, line)) {
    return Status::InvalidFile("the set ends before the last file its list names");
  }
  has_manifest_ = true;
  return Status::Ok();
}

Status BackupSetFile::ExpandsTo(const BackupEntry& entry, std::string_view expected) const {
  if (entry.full_length != expected.size()) {
    return Status::InvalidFile(EntryLabel(entry) + " holds a file of another length");
  }
  z_stream stream{};
  if (::inflateInit(&stream) != Z_OK) return Status::IoError("zlib could not start expanding");
  const std::string_view stored = Stored(entry);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored.data()));
  stream.avail_in = static_cast<uInt>(stored.size());
  char chunk[kCompareChunk];
  size_t compared = 0;
  int result = Z_OK;
  bool same = true;
  while (same && result == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    result = ::inflate(&stream, Z_NO_FLUSH);
    const size_t produced = sizeof chunk - stream.avail_out;
    same = compared + produced <= expected.size() &&
           std::memcmp(chunk, expected.data() + compared, produced) == 0;
    compared += produced;
    if (result == Z_BUF_ERROR && produced > 0) result = Z_OK;
  }
  const bool whole =
      same && result == Z_STREAM_END && compared == expected.size() && stream.avail_in == 0;
  ::inflateEnd(&stream);
  if (whole) return Status::Ok();
  return Status::InvalidFile(EntryLabel(entry) + " does not expand to the file that was saved");
}

Status BackupSetFile::Expand(const BackupEntry& entry, std::string* data) const {
  if (Status s = ExpandBlock(Stored(entry), entry.full_length, data); !s.ok()) {
    return Status::InvalidFile(EntryLabel(entry) + " " + s.message());
  }
  return Status::Ok();
}

}  // namespace zenkar
