// The documents a command makes through the output framework, as the
// command line names them: a PDF or CSV file, or print jobs handed to CUPS.
//
// A file is made in a private folder beside the one the user named, and the
// framework's "open the finished document" is caught there: only once it is
// complete is it renamed to the user's file (which keeps an earlier file's
// permissions, owner and group), so a document that is refused or fails
// leaves an earlier file as it was. --open then opens it as "Preview" does.
// Printing draws each job as a PDF in a temporary folder and hands it to lp.
#ifndef ZENKAR_BATCH_DOCUMENT_OUTPUT_H_
#define ZENKAR_BATCH_DOCUMENT_OUTPUT_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/command_line.h"
#include "batch/commands.h"
#include "batch/lp_printer.h"
#include "output/print_job.h"

namespace zenkar {

OutputTarget TargetOf(ReportDestination destination);

class CommandDocuments {
 public:
  CommandDocuments(CommandContext& context, const DocumentRequest& request);
  ~CommandDocuments();
  CommandDocuments(const CommandDocuments&) = delete;
  CommandDocuments& operator=(const CommandDocuments&) = delete;

  // Makes the private folder; false (said) when it cannot be made.
  bool Prepare();
  // The services the documents are written through (after Prepare).
  OutputServices& services() { return *services_; }
  OutputTarget target() const { return TargetOf(request_.destination); }
  // Once the documents are complete: the last file made becomes the user's
  // file, opened when asked. True for print jobs (already handed to lp).
  bool Deliver();

 private:
  // Takes the finished documents the framework would show the user.
  class DocumentCatcher : public Shell {
   public:
    explicit DocumentCatcher(Shell& shell) : shell_(shell) {}
    bool OpenDocument(const std::string& path) override;
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

  CommandContext& context_;
  DocumentRequest request_;
  std::string scratch_;  // the private folder, ending in "/"; removed with the object
  DocumentCatcher catcher_;
  std::optional<OutputServices> services_;
  std::unique_ptr<LpPrinter> printer_;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_DOCUMENT_OUTPUT_H_
