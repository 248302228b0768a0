#include "batch/documents.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/text_field.h"

namespace zenkar {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string TemporaryFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
  return folder.back() == '/' ? folder : folder + "/";
}

}  // namespace

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

int ScratchFolder::Create(const std::string& parent) {
  std::string name = parent + ".kxbatch-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) return errno;
  path_ = name + "/";
  return 0;
}

bool CreateScratchFor(const std::string& file, CommandContext& context, ScratchFolder* scratch) {
  const std::string parent =
      file.empty() ? TemporaryFolder() : FolderOf(ResolvePath(file, context.env.current_folder));
  if (const int error = scratch->Create(parent); error != 0) {
    context.ui.Error("Cannot write into " + Utf8ToCp1252(parent) + "\n\n" + std::strerror(error));
    return false;
  }
  return true;
}

bool DeliverDocument(const std::string& document, const std::string& file, bool open,
                     const std::string& open_error, CommandContext& context) {
  const std::string target = ResolvePath(file, context.env.current_folder);
  FileSystem& fs = context.env.fs;
  // An earlier FILE's permissions, owner and group carry over to the new one.
  Status s = fs.KeepAccessOf(target, document);
  if (s.ok()) s = fs.Rename(document, target);
  if (!s.ok()) {
    context.ui.Error("Error writing " + Utf8ToCp1252(target) + "\n\n" + s.message());
    return false;
  }
  if (!open || context.env.shell.OpenDocument(target)) return true;
  context.ui.Error(open_error);
  return false;
}

}  // namespace zenkar
