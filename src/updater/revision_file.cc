#include "updater/revision_file.h"

#include "common/http_response.h"
#include "common/text_field.h"
#include "updater/checker_request.h"

namespace zenkar {

long RevisionInfo::Revision(std::string_view key) const {
  const auto found = revisions.find(std::string(key));
  return found == revisions.end() ? 0 : found->second;
}

void RevisionFileReader::AddHeadLine(std::string_view line) {
  const std::string upper = AsciiUpper(line);
  if (upper.find("403 FORBIDDEN") != std::string::npos) {
    info_.forbidden = true;
    finished_ = true;
  }
  if (upper.find("404 NOT FOUND") != std::string::npos) info_.missing = true;
}

void RevisionFileReader::AddBodyLine(std::string_view line) {
  AddHeadLine(line);
  if (finished_ || line.size() < 4 || line.substr(2, 2) != ": ") return;
  const std::string key(line.substr(0, 2));
  const std::string_view value = Trim(line.substr(4));
  if (key == "VE") {
    info_.version = value;
  } else if (key == "AR" || key == "AC" || key == "PR") {
    info_.revisions[key] = RevisionNumber(value);
    finished_ = key == "PR";
  }
}

}  // namespace zenkar
