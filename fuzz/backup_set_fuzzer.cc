// Fuzz target: a backup set, decoded and expanded as a restore does before it
// touches any file (BackupSetFile).
//
// Any bytes must be refused or split into entries that lie within them; an
// entry that expands gives exactly its full length, and never more than a
// zlib stream of its stored length can hold (so a small set cannot make the
// restore allocate without bound). The files of a set that decodes whole are
// written into a new set and read again: the same names and bytes come back.
#include <cstdint>
#include <string>
#include <vector>

#include "common/backup_set.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace zenkar;
using zenkar::fuzzing::Require;

// Expands every entry; false at the first that is refused.
bool ExpandAll(const BackupSetFile& set, std::vector<std::string>* files) {
  for (const BackupEntry& entry : set.entries()) {
    Require(entry.full_length <= 1032 * entry.stored_length, "a length a stream can hold");
    std::string data;
    if (!set.Expand(entry, &data).ok()) return false;
    Require(data.size() == entry.full_length, "an entry expands to its full length");
    files->push_back(std::move(data));
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(zenkar::fuzzing::BytesOf(data, size));
  BackupSetFile set;
  if (!BackupSetFile::Decode(bytes, &set).ok()) return 0;
  size_t end = 0;
  for (const BackupEntry& entry : set.entries()) {
    Require(entry.stored_offset >= end + kEntryHeaderSize, "entries follow one another");
    end = entry.stored_offset + entry.stored_length;
    Require(end <= size, "an entry lies within the set");
  }
  std::vector<std::string> files;
  if (!ExpandAll(set, &files)) return 0;

  std::vector<BackupFile> again;
  for (size_t i = 0; i < files.size(); ++i) again.push_back({set.entries()[i].name, files[i]});
  std::string rewritten;
  Require(EncodeBackupSet(again, &rewritten).ok(), "the files of a set make a set");
  BackupSetFile reread;
  Require(BackupSetFile::Decode(rewritten, &reread).ok() && reread.has_manifest(),
          "a set written here decodes with its manifest");
  Require(reread.entries().size() == files.size(), "the same number of files");
  for (size_t i = 0; i < files.size(); ++i) {
    std::string data;
    Require(reread.entries()[i].name == again[i].name, "the same names");
    Require(reread.Expand(reread.entries()[i], &data).ok() && data == files[i], "the same bytes");
  }
  return 0;
}
