#include "support/temp_dir.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace zenkar::testing {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/zenkar-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::WriteFile(std::string_view name, std::string_view contents) const {
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string TempDir::ReadFile(std::string_view name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool TempDir::Exists(std::string_view name) const { return std::filesystem::exists(File(name)); }

std::vector<std::string> TempDir::ListingNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string TempDir::Listing() const {
  std::string listing;
  for (const std::string& name : ListingNames()) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

}  // namespace zenkar::testing
