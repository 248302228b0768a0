// Timing of the record-file layer on a generated company.
//
// Builds a data folder holding a company settings record and a transaction
// file of 100,000 records of 328 bytes (about 33 MB), then times loading the
// settings, opening the transaction file and reading it whole, and in the same
// run `cat FILE > /dev/null` on the same file so the two can be compared.
//
//   bench_records [record_count] [repetitions]
//
// Each figure is the median of its repetitions; the file is read once before
// timing starts, so every figure is taken with the file in the page cache.
// The whole read is also given for the first call of the process, for the
// same memory allocated with no file, and with the allocator keeping freed
// memory, since on a virtual machine the first touch of fresh memory can cost
// more than the reading.
#include <malloc.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_codec.h"
#include "common/file_system.h"
#include "common/money.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/company_settings.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

using Timer = std::chrono::steady_clock;

long MinorFaults() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The times of one call, in milliseconds, one per repetition. Calls that take
// very little time are timed in batches of `batch` and divided.
std::vector<double> SamplesMs(int repetitions, int batch, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int r = 0; r < repetitions; ++r) {
    const Timer::time_point start = Timer::now();
    for (int i = 0; i < batch; ++i) work();
    const std::chrono::duration<double, std::milli> elapsed = Timer::now() - start;
    samples.push_back(elapsed.count() / batch);
  }
  return samples;
}

double TimeMs(int repetitions, int batch, const std::function<void()>& work) {
  return Median(SamplesMs(repetitions, batch, work));
}

void Check(const Status& status, const char* what) {
  if (status.ok()) return;
  std::fprintf(stderr, "%s failed: %s\n", what, status.message().c_str());
  std::exit(1);
}

// A transaction-like record: numbers, an amount, a date and text fields.
std::string MakeTransaction(int number) {
  std::string record(kTransactionRecordLength, ' ');
  PutInt32(record, 0, 2);
  PutInt32(record, 4, number);
  PutInt32(record, 8, 36526 + number % 3650);
  PutMoney(record, 12, Money::FromCents(int64_t{number} * 37 % 1000000 - 250000));
  PutTextField(record, 20, 4, std::to_string(1000 + number % 400));
  PutTextField(record, 24, 40, "Payment " + std::to_string(number) + " to Office Supplies Ltd");
  PutTextField(record, 64, 60, "Memo for line " + std::to_string(number));
  return record;
}

std::string MakeFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/zenkar-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return pattern + "/";
}

int Run(int record_count, int repetitions) {
  FileSystem& fs = PosixFileSystem();
  const std::string folder = MakeFolder();
  const std::string settings_path = folder + std::string(CompanySettings::kFileName);
  const std::string transactions_path = folder + std::string(kTransactionFileName);

  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Bench Hardware & Supply";
  Check(SaveAll(fs, settings_path, CompanySettings::kSize, {settings.Encode()}), "saving settings");

  // The file is written in blocks so that the process has not yet touched as
  // much memory as the records take: the first ReadAll below is then timed as
  // in a program that has just started.
  {
    TemporaryFile out;
    Check(fs.CreateTemporaryBeside(transactions_path, Access::kUsual, &out),
          "creating the transaction file");
    std::string block;
    for (int n = 1; n <= record_count; ++n) {
      block += MakeTransaction(n);
      if (n % 1000 == 0 || n == record_count) {
        Check(out.file->Append(block), "writing the transaction file");
        block.clear();
      }
    }
    Check(out.file->Sync(), "flushing the transaction file");
    Check(out.file->Close(), "closing the transaction file");
    Check(fs.Rename(out.path, transactions_path), "naming the transaction file");
  }
  uint64_t file_size = 0;
  Check(fs.FileSize(transactions_path, &file_size), "sizing the transaction file");

  const std::string cat_command = "cat '" + transactions_path + "' > /dev/null";
  // Warm the page cache so that every figure below reads from memory.
  if (std::system(cat_command.c_str()) != 0) {
    std::fprintf(stderr, "cat failed\n");
    return 1;
  }

  // Settings: the bare record read and decode.
  std::string settings_record;
  const double read_settings_ms = TimeMs(repetitions, 200, [&] {
    Check(ReadRecord(fs, settings_path, CompanySettings::kSize, 1, &settings_record),
          "reading settings");
    CompanySettings decoded = CompanySettings::Decode(settings_record);
    if (decoded.name_line_1.empty()) std::exit(2);
  });

  const double open_ms = TimeMs(repetitions, 200, [&] {
    std::unique_ptr<RecordFile> file;
    Check(RecordFile::Open(fs, transactions_path, kTransactionRecordLength, false, &file),
          "opening the transaction file");
    if (file->count() != record_count) std::exit(2);
  });

  std::unique_ptr<RecordFile> file;
  Check(RecordFile::Open(fs, transactions_path, kTransactionRecordLength, false, &file),
        "opening the transaction file");
  auto read_all = [&] {
    std::vector<std::string> records;
    Check(file->ReadAll(&records), "reading the transaction file");
    if (static_cast<int>(records.size()) != record_count) std::exit(2);
  };
  auto read_block = [&] {
    RecordBlock block;
    Check(file->ReadAll(&block), "reading the transaction file into one block");
    if (block.count() != record_count) std::exit(2);
  };
  const long block_faults_before = MinorFaults();
  const double first_block_ms = SamplesMs(1, 1, read_block).front();
  const long first_block_faults = MinorFaults() - block_faults_before;
  const double block_ms = TimeMs(repetitions, 1, read_block);
  // The first whole read of the process also pays for mapping the memory the
  // records occupy (page faults); with the allocator's default settings the
  // memory goes back to the system when the records are freed, so each later
  // read pays for it again.
  const long faults_before = MinorFaults();
  const double first_read_all_ms = SamplesMs(1, 1, read_all).front();
  const long first_read_all_faults = MinorFaults() - faults_before;
  const double read_all_ms = TimeMs(repetitions, 1, read_all);
  // The same memory with no file at all: the floor under any read that hands
  // back one string per record.
  const double allocate_ms = TimeMs(repetitions, 1, [&] {
    std::vector<std::string> records;
    records.reserve(static_cast<size_t>(record_count));
    for (int n = 0; n < record_count; ++n) records.emplace_back(kTransactionRecordLength, ' ');
  });
  const double load_all_ms = TimeMs(repetitions, 1, [&] {
    std::vector<std::string> records;
    Check(LoadAll(fs, transactions_path, kTransactionRecordLength, &records), "loading");
    if (static_cast<int>(records.size()) != record_count) std::exit(2);
  });

  const double cat_ms = TimeMs(repetitions, 1, [&] {
    if (std::system(cat_command.c_str()) != 0) std::exit(3);
  });
  const double shell_ms = TimeMs(repetitions, 1, [&] {
    if (std::system("true") != 0) std::exit(3);
  });

  // Last, because it changes the allocator for the rest of the process: with
  // freed memory kept for reuse, a second read in a running program costs
  // only the reading and copying.
  ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
  ::mallopt(M_MMAP_THRESHOLD, 1 << 30);
  read_all();
  const double warm_read_all_ms = TimeMs(repetitions, 1, read_all);

  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  std::printf("Record files: %d records of %zu bytes (%.1f MB), median of %d runs\n", record_count,
              kTransactionRecordLength, file_size / 1e6, repetitions);
  auto line = [](const char* what, double ms) { std::printf("  %-58s %9.3f ms\n", what, ms); };
  line("ReadRecord + CompanySettings::Decode", read_settings_ms);
  line("RecordFile::Open of the transaction file", open_ms);
  std::printf("  %-58s %9.3f ms (%ld page faults)\n", "RecordFile::ReadAll, first in the process",
              first_read_all_ms, first_read_all_faults);
  line("RecordFile::ReadAll", read_all_ms);
  std::printf("  %-58s %9.3f ms (%ld page faults)\n", "RecordFile::ReadAll into one block, first",
              first_block_ms, first_block_faults);
  line("RecordFile::ReadAll into one block", block_ms);
  line("  allocating the same strings, no file", allocate_ms);
  line("RecordFile::ReadAll, freed memory kept by the allocator", warm_read_all_ms);
  line("LoadAll of the same file (one read of the whole file)", load_all_ms);
  line("cat FILE > /dev/null (through std::system)", cat_ms);
  line("  starting a shell alone (std::system(\"true\"))", shell_ms);
  std::printf("  ReadAll / cat: %.2f (first in the process %.2f, memory kept %.2f); target 3\n",
              read_all_ms / cat_ms, first_read_all_ms / cat_ms, warm_read_all_ms / cat_ms);
  std::printf("  ReadAll into one block / cat: %.2f (first in the process %.2f); target 3\n",
              block_ms / cat_ms, first_block_ms / cat_ms);
  return 0;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  const int record_count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 15;
  if (record_count < 1 || repetitions < 1) {
    std::fprintf(stderr, "usage: %s [record_count] [repetitions]\n", argv[0]);
    return 1;
  }
  return zenkar::Run(record_count, repetitions);
}
