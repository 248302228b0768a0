// TempDir: a fresh folder for one test, removed with everything in it after.
#ifndef ZENKAR_TESTS_SUPPORT_TEMP_DIR_H_
#define ZENKAR_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>
#include <string_view>
#include <vector>

namespace zenkar::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder path, ending in "/".
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }

  void WriteFile(std::string_view name, std::string_view contents) const;
  std::string ReadFile(std::string_view name) const;
  bool Exists(std::string_view name) const;
  // Names of the files in the folder, sorted (and joined by spaces).
  std::vector<std::string> ListingNames() const;
  std::string Listing() const;

 private:
  std::string path_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_TEMP_DIR_H_
