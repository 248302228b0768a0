// How the commands that write a document (report, the checks, the imports'
// reports) put it where
// the command line says: the run writes it into a private scratch folder and
// "opens" it when finished, which DocumentCatcher takes instead of the
// desktop; the finished document is then renamed to the user's file (a
// failed run leaves that file as it was).
#ifndef ZENKAR_BATCH_DOCUMENTS_H_
#define ZENKAR_BATCH_DOCUMENTS_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/command_line.h"
#include "batch/commands.h"
#include "batch/lp_printer.h"
#include "common/file_system_wrapper.h"
#include "common/shell.h"
#include "output/print_job.h"

namespace zenkar {

// A private folder for the documents being made, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder() = default;
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Makes the folder inside `parent` (ending in "/"); errno when it failed.
  int Create(const std::string& parent);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The file system a run's documents are written through: a file renamed
// within the scratch folder is not flushed there, since the folder is removed
// and the document is moved on to the user's file (whose folder is flushed)
// or handed to lp.
class ScratchFileSystem : public FileSystemWrapper {
 public:
  ScratchFileSystem(FileSystem& base, const ScratchFolder& scratch)
      : FileSystemWrapper(base), scratch_(scratch) {}
  Status Rename(const std::string& from, const std::string& to) override;

 private:
  const ScratchFolder& scratch_;
};

// Makes the scratch folder for a document to be delivered to `file` (beside
// it) or printed (`file` empty: in $TMPDIR); false when it could not be
// made (reported).
bool CreateScratchFor(const std::string& file, CommandContext& context, ScratchFolder* scratch);

// Takes the finished documents a run would show the user.
class DocumentCatcher : public Shell {
 public:
  explicit DocumentCatcher(Shell& shell) : shell_(shell) {}
  bool OpenDocument(const std::string& path) override {
    documents.push_back(path);
    return true;
  }
  bool OpenUrl(const std::string& url) override { return shell_.OpenUrl(url); }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& working_folder) override {
    return shell_.StartProgram(program, args, working_folder);
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    return shell_.RunProgram(program, args);
  }

  std::vector<std::string> documents;

 private:
  Shell& shell_;
};

// Puts the finished `document` in place as `file` (relative to the working
// directory), keeping an earlier file's access, and shows it with the
// desktop's viewer when `open` asks; `open_error` is the message when that
// fails.
bool DeliverDocument(const std::string& document, const std::string& file, bool open,
                     const std::string& open_error, CommandContext& context);

OutputTarget TargetOf(ReportDestination destination);

// The documents a command makes through the report framework, where a
// DocumentRequest (--pdf FILE, --csv FILE or --print [PRINTER]) says: a file
// is made in a scratch folder beside the user's and delivered once complete;
// print jobs are PDFs handed to lp.
class CommandDocuments {
 public:
  CommandDocuments(CommandContext& context, const DocumentRequest& request);

  // Makes the scratch folder and the services; false (said) when it cannot.
  bool Prepare();
  // The services the documents are written through (after Prepare).
  OutputServices& services() { return *services_; }
  OutputTarget target() const { return TargetOf(request_.destination); }
  // Once the documents are complete: the last file made becomes the user's
  // file, opened when asked. True for print jobs (already handed to lp).
  bool Deliver();

 private:
  CommandContext& context_;
  DocumentRequest request_;
  ScratchFolder scratch_;
  std::optional<ScratchFileSystem> scratch_fs_;
  DocumentCatcher catcher_;
  std::optional<OutputServices> services_;
  std::unique_ptr<LpPrinter> printer_;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_DOCUMENTS_H_
