// The revision file "/_revision.15": what the vendor's server publishes.
//
// Its body is text lines; a line whose third and fourth characters are ": "
// is keyed by its first two characters: "VE" the current version text, "AR",
// "AC" and "PR" the current revisions of the receivables, accounting and
// payroll programs ("PR" comes last and ends the reading). Every line of the
// response, status line and header lines included, is also looked at for the
// server's refusals "403 FORBIDDEN" (which ends the reading) and "404 NOT
// FOUND", in any letter case.
#ifndef ZENKAR_UPDATER_REVISION_FILE_H_
#define ZENKAR_UPDATER_REVISION_FILE_H_

#include <map>
#include <string>
#include <string_view>

namespace zenkar {

inline constexpr std::string_view kRevisionFilePath = "/_revision.15";

struct RevisionInfo {
  std::string version;                    // "VE", trimmed
  std::map<std::string, long> revisions;  // "AR", "AC", "PR"
  bool forbidden = false;                 // a line said "403 FORBIDDEN"
  bool missing = false;                   // a line said "404 NOT FOUND"

  // The published revision under `key`; 0 when there is none.
  long Revision(std::string_view key) const;
};

class RevisionFileReader {
 public:
  // A line of the response's head: looked at for the refusals only.
  void AddHeadLine(std::string_view line);
  // A line of the body: the refusals, then a keyed line's value.
  void AddBodyLine(std::string_view line);
  // True once nothing more is to be read: the "PR" line arrived, or the
  // server refused the file.
  bool finished() const { return finished_; }
  const RevisionInfo& info() const { return info_; }

 private:
  RevisionInfo info_;
  bool finished_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_REVISION_FILE_H_
