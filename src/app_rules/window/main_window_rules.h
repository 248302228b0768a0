// The rules of the main window that do not depend on widgets: its eight tab
// pages and their codes, which page opens first, where the window goes, and
// whether the pages fit the screen.
#ifndef ZENKAR_APP_RULES_WINDOW_MAIN_WINDOW_RULES_H_
#define ZENKAR_APP_RULES_WINDOW_MAIN_WINDOW_RULES_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenkar {

// One tab page of the main window.
struct TabPageInfo {
  std::string_view code;            // the TabCode kept as the start tab
  std::string_view caption;         // the tab's text
  std::string_view status_caption;  // put on the status line on show; empty: the page sets it
  int help_context;                 // the help page F1 opens on this page
};

// The pages in tab order.
inline constexpr std::array<TabPageInfo, 8> kTabPages = {{
    {"UTL", "File (Utilities)", "Utility Functions", 1100},
    {"VND", "Payees", "Add, Edit, and Delete Payees", 1200},
    {"TRN", "Transactions", "", 1300},
    {"RPT", "Reports", "", 1400},
    {"REC", "Bank Reconciliation", "Bank Reconciliation", 1500},
    {"CFG", "Setup", "", 1600},
    {"MIC", "MICR", "MICR Check Printing - Setup and Options", 1700},
    {"HLP", "Help", "Help - Press <F1> at any time for context sensitive help", 1800},
}};

// The position (0-based) of the page with `code`; trailing spaces of a code
// read from the settings are ignored. -1 for an unknown code.
int TabIndexOf(std::string_view code);

// The tab's text: the caption with two spaces before and after it.
std::string TabCaptionText(const TabPageInfo& page);

// The code to keep as the next start tab when the window closes on the page
// `current`: "REC", "RPT", "VND", "CFG" and "UTL" are kept; every other page
// (the entry screens of "TRN", "MIC", "HLP") starts on "TRN" next time.
std::string StartTabToStore(std::string_view current);

// The page to show first: the stored start tab, or the first page when the
// code is unknown.
int StartTabIndex(std::string_view stored_code);

// The status line of a company without transactions.
inline constexpr std::string_view kEmptyLedgerHint =
    " ^^ Click the 'Tabs' to navigate through the software. For example, to prepare reports, "
    "click 'Reports'.";

inline constexpr std::string_view kPagesDoNotFitMessage =
    "Your current display settings may not allow all items to be displayed properly.";

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct WindowPosition {
  int left = 0;
  int top = 0;
  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

// A saved position is used when both coordinates are above 0 and the window
// placed there lies wholly within the screen; otherwise the system places it.
bool UseSavedPosition(WindowPosition saved, int width, int height, const ScreenArea& screen);

// The position kept at exit: the window's own when its corner is on the
// screen, otherwise -1, -1 (the system chooses next time).
WindowPosition PositionToKeep(WindowPosition window, const ScreenArea& screen);

// How many pages need more height than `page_area_height` (the height left
// for a page on this screen once the window's frame, tabs and status line are
// placed); each one is reported once.
int PagesThatDoNotFit(int page_area_height, const std::vector<int>& page_heights);

// The point size of every control: the settings' value clamped to 10..18.
int ClampFontSize(int stored);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_WINDOW_MAIN_WINDOW_RULES_H_
