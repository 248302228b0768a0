#include "common/help_system.h"

namespace zenkar {

HelpSystem::HelpSystem(FileSystem& fs, Ui& ui, HelpViewer& viewer, std::string help_folder,
                       std::string web_host)
    : fs_(fs),
      ui_(ui),
      viewer_(viewer),
      help_folder_(std::move(help_folder)),
      web_host_(std::move(web_host)) {}

const HelpCatalog& HelpSystem::catalog() {
  LoadCatalog();
  return catalog_;
}

bool HelpSystem::LoadCatalog() {
  if (!loaded_) loaded_ = catalog_.Load(fs_, help_folder_).ok();
  return loaded_;
}

void HelpSystem::ShowHelp(int selector, int control_context) {
  if (!fs_.DirectoryExists(help_folder_) || !LoadCatalog()) {
    ui_.Error("Unable to open Zenkar Help System (" + help_folder_ + ")");
    return;
  }
  if (selector == kHelpForControl) selector = control_context > 0 ? control_context : kHelpContents;
  switch (selector) {
    case kHelpContents:
      if (!Show(std::string(kHelpContentsPage), HelpViewer::Pane::kContents)) {
        ShowContentsAfterFailure("");
      }
      return;
    case kHelpIndex:
      if (!Show(std::string(kHelpIndexPage), HelpViewer::Pane::kIndex)) {
        ShowContentsAfterFailure("Could not open Help Topic 0, trying Contents");
      }
      return;
    case kHelpSearch:
      if (!Show(std::string(kHelpContentsPage), HelpViewer::Pane::kSearch)) {
        ShowContentsAfterFailure("Could not open Search, trying Contents");
      }
      return;
    case kHelpProgramDescription:
      return ShowContext(kContextProgramDescription);
    case kHelpTopic2:
      return ShowContext(kContextUpdatesAndSupport);
    case kHelpGettingStarted:
      return ShowContext(kContextGettingStarted);
    case kHelpOrderingChecks:
      return ShowContext(kContextOrderingChecks);
    default:
      return ShowContext(selector);
  }
}

void HelpSystem::ShowContext(int context) {
  const std::optional<std::string> page = catalog_.PageForContext(context);
  if (page && Show(*page, HelpViewer::Pane::kContents)) return;
  ShowContentsAfterFailure("Could not open Help Topic " + std::to_string(context) +
                           ", trying Contents");
}

bool HelpSystem::Show(const std::string& file, HelpViewer::Pane pane) {
  return catalog_.FindPage(file) != nullptr && viewer_.ShowPage(catalog_, file, pane);
}

// A request for the contents themselves goes straight to the last resort:
// asking again for the page that just failed cannot succeed.
void HelpSystem::ShowContentsAfterFailure(const std::string& failure) {
  if (!failure.empty()) {
    ui_.Information(failure);
    if (Show(std::string(kHelpContentsPage), HelpViewer::Pane::kContents)) return;
  }
  ui_.Error("Unable to open Help file. Reinstall Zenkar or view the Zenkar Documentation at " +
            web_host_);
}

}  // namespace zenkar
