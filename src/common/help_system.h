// HelpSystem: opening the help pages by selector and context number.
//
// The help buttons and F1 ask for the contents, the index, the search or a
// numbered help context; this class finds the page in the help folder and
// hands it to the HelpViewer port (the in-app help window). When a page
// cannot be shown it falls back to the contents, telling the user what
// failed, and as a last resort points to the documentation on the web site.
#ifndef ZENKAR_COMMON_HELP_SYSTEM_H_
#define ZENKAR_COMMON_HELP_SYSTEM_H_

#include <string>

#include "common/file_system.h"
#include "common/help_catalog.h"
#include "common/ui.h"

namespace zenkar {

// The help window, as a port.
class HelpViewer {
 public:
  enum class Pane { kContents, kIndex, kSearch };
  virtual ~HelpViewer() = default;
  // Shows the page `file` of `catalog` with `pane` in front of the navigation
  // side. False when it could not be shown.
  virtual bool ShowPage(const HelpCatalog& catalog, const std::string& file, Pane pane) = 0;
  virtual void Close() = 0;
};

// Selectors of ShowHelp; any other value is a help context number.
inline constexpr int kHelpForControl = -1;
inline constexpr int kHelpContents = 1;
inline constexpr int kHelpProgramDescription = 2;  // context 1001
inline constexpr int kHelpIndex = 3;
inline constexpr int kHelpTopic2 = 4;  // context 2
inline constexpr int kHelpSearch = 5;
inline constexpr int kHelpGettingStarted = 6;  // context 1010
inline constexpr int kHelpOrderingChecks = 7;  // context 3

// Context numbers with their own pages.
inline constexpr int kContextUpdatesAndSupport = 2;
inline constexpr int kContextOrderingChecks = 3;
inline constexpr int kContextProgramDescription = 1001;
inline constexpr int kContextGettingStarted = 1010;

class HelpSystem {
 public:
  HelpSystem(FileSystem& fs, Ui& ui, HelpViewer& viewer, std::string help_folder,
             std::string web_host);

  const std::string& help_folder() const { return help_folder_; }

  // `control_context` is the context attached to the control that has the
  // focus; it is used with kHelpForControl (0: none, the contents open).
  void ShowHelp(int selector, int control_context = 0);
  void Close() { viewer_.Close(); }

  // The catalog, read from the help folder on first use.
  const HelpCatalog& catalog();

 private:
  bool LoadCatalog();
  bool Show(const std::string& file, HelpViewer::Pane pane);
  void ShowContentsAfterFailure(const std::string& failure);
  void ShowContext(int context);

  FileSystem& fs_;
  Ui& ui_;
  HelpViewer& viewer_;
  std::string help_folder_;
  std::string web_host_;
  HelpCatalog catalog_;
  bool loaded_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_HELP_SYSTEM_H_
