// The "Zenkar Auto Update" window, as a port: one status text and an
// "&Abort" button that closes the window. The checker shows it, writes its
// status as the work goes on and, between steps, looks whether the user has
// closed it -- the only way to stop a check. The Qt window is in window/;
// tests use a window that records the statuses and closes when told.
#ifndef ZENKAR_UPDATER_UPDATE_WINDOW_H_
#define ZENKAR_UPDATER_UPDATE_WINDOW_H_

#include <string_view>

namespace zenkar {

// The title of the window and of every message box of the checker.
inline constexpr std::string_view kUpdateTitle = "Zenkar Auto Update";

class UpdateWindow {
 public:
  virtual ~UpdateWindow() = default;
  // Shows the window with its first status.
  virtual void Show(std::string_view status) = 0;
  virtual void SetStatus(std::string_view text) = 0;
  // Gives the window ten short rounds of handling what the user did, with a
  // one-millisecond pause each, then tells whether it has been closed.
  virtual bool AbortRequested() = 0;
  virtual void Close() = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_UPDATE_WINDOW_H_
