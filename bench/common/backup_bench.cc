// Backup and restore of a generated company of 100,000 lines (Google
// Benchmark), against zlib alone on the same bytes.
//
//   BM_Compress         zlib compress() of every file the set holds
//   BM_WriteBackupSet   WriteBackupSet: the files read under the folder's lock,
//                       compressed, written beside the old set, flushed, read
//                       back and every entry expanded and compared, renamed
//   BM_Uncompress       zlib uncompress() of every stored stream of the set
//   BM_UncompressAndWrite  the same, each file then written to a temporary
//                       file, flushed and renamed into place: what any restore
//                       that keeps the disk consistent must do at least
//   BM_RestoreBackupSet RestoreBackupSet: the set read, every entry checked
//                       and expanded, the files written beside their targets
//                       and flushed, the journal, the renames
//
//   bench_backup [--benchmark_repetitions=N] [line_count]
//
// The targets of docs/PERFORMANCE.md: a backup within 1.3 times compress(),
// a restore within 2 times uncompress().
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/backup_restore.h"
#include "common/backup_writer.h"
#include "common/record_file.h"
#include "support/bench_support.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using bench::SilentUi;

int line_count = 100000;

// The company and a set of it, made once.
struct Company {
  Company() {
    root = std::filesystem::temp_directory_path() /
           ("zenkar-bench-backup-" + std::to_string(::getpid()));
    data = (root / "books").string() + "/";
    backups = (root / "backups").string() + "/";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(backups);
    FileSystem& fs = PosixFileSystem();
    std::vector<AccountRecord> chart;
    if (!ReadChartText(fs, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok() ||
        !WriteGeneratedCompany(fs, data, chart, line_count).ok()) {
      std::abort();
    }
    BackupFileList list;
    BuildBackupFileList(&list, kScopeWholeSuite, /*for_restore=*/false);
    for (int slot = 0; slot < BackupFileList::kSlots; ++slot) {
      const std::string path = DataFilePath(fs, data, list.Name(slot));
      std::string contents;
      if (list.Name(slot).empty() || !fs.FileExists(path)) continue;
      if (!fs.ReadFile(path, &contents).ok()) std::abort();
      files.push_back(std::move(contents));
    }
    BackupEnvironment env = Env();
    if (WriteBackupSet(env, backups, &list, kScopeWholeSuite) != kBackupWritten) std::abort();
    std::string set;
    if (!fs.ReadFile(backups + "zenkar.sav", &set).ok()) std::abort();
    if (!BackupSetFile::Decode(set, &decoded).ok()) std::abort();
  }
  ~Company() { std::filesystem::remove_all(root); }

  BackupEnvironment Env() { return {PosixFileSystem(), ui, "KXACCT", "Zenkar Accounting", data}; }

  std::filesystem::path root;
  std::string data, backups;
  std::vector<std::string> files;
  BackupSetFile decoded;
  SilentUi ui;
};

Company& TheCompany() {
  static Company* company = new Company;
  return *company;
}

void BM_Compress(benchmark::State& state) {
  Company& company = TheCompany();
  std::string out;
  for (auto _ : state) {
    for (const std::string& file : company.files) {
      uLongf length = ::compressBound(static_cast<uLong>(file.size()));
      out.resize(length);
      ::compress(reinterpret_cast<Bytef*>(out.data()), &length,
                 reinterpret_cast<const Bytef*>(file.data()), static_cast<uLong>(file.size()));
      benchmark::DoNotOptimize(out.data());
    }
  }
}

void BM_WriteBackupSet(benchmark::State& state) {
  Company& company = TheCompany();
  BackupEnvironment env = company.Env();
  BackupFileList list;
  for (auto _ : state) {
    if (WriteBackupSet(env, company.backups, &list, kScopeWholeSuite) != kBackupWritten) {
      state.SkipWithError("the backup failed");
    }
  }
}

void BM_Uncompress(benchmark::State& state) {
  Company& company = TheCompany();
  std::string out;
  for (auto _ : state) {
    for (const BackupEntry& entry : company.decoded.entries()) {
      const std::string_view stored = company.decoded.Stored(entry);
      uLongf length = static_cast<uLongf>(entry.full_length);
      out.resize(entry.full_length);
      ::uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                   reinterpret_cast<const Bytef*>(stored.data()),
                   static_cast<uLong>(stored.size()));
      benchmark::DoNotOptimize(out.data());
    }
  }
}

void BM_UncompressAndWrite(benchmark::State& state) {
  Company& company = TheCompany();
  const std::string scratch = (company.root / "scratch").string() + "/";
  std::filesystem::create_directories(scratch);
  std::string out;
  for (auto _ : state) {
    for (const BackupEntry& entry : company.decoded.entries()) {
      const std::string_view stored = company.decoded.Stored(entry);
      uLongf length = static_cast<uLongf>(entry.full_length);
      out.resize(entry.full_length);
      ::uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                   reinterpret_cast<const Bytef*>(stored.data()),
                   static_cast<uLong>(stored.size()));
      if (!WriteFileAtomically(PosixFileSystem(), scratch + entry.name, out).ok()) {
        state.SkipWithError("the write failed");
      }
    }
  }
}

void BM_RestoreBackupSet(benchmark::State& state) {
  Company& company = TheCompany();
  BackupEnvironment env = company.Env();
  for (auto _ : state) {
    if (RestoreBackupSet(env, company.backups, "", kScopeAccounting) != 1) {
      state.SkipWithError("the restore failed");
    }
  }
}

BENCHMARK(BM_Compress)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBackupSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UncompressAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RestoreBackupSet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc > 1) zenkar::line_count = std::atoi(argv[1]);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
