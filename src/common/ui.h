// Ui: the port through which the core speaks to the user.
//
// Every message box, question, input box, folder choice, progress text and
// beep of a workflow goes through this interface. The desktop programs plug in
// the Qt adapter; the command-line program a console adapter; tests a scripted
// Ui that answers from a queue and records each message with its kind, title
// and exact text. All texts are Windows-1252, like the books themselves.
#ifndef ZENKAR_COMMON_UI_H_
#define ZENKAR_COMMON_UI_H_

#include <optional>
#include <string>
#include <string_view>

namespace zenkar {

// The caption of a message box when the system gives no other.
inline constexpr std::string_view kProgramTitle = "Zenkar Accounting";

enum class MessageKind {
  kError,            // error icon, OK
  kInformation,      // information icon, OK
  kYesNoDefaultYes,  // question, Yes preselected
  kYesNoDefaultNo,   // question, No preselected
  kOkCancel,         // warning icon, OK/Cancel with Cancel preselected
};

struct Message {
  MessageKind kind = MessageKind::kInformation;
  std::string title;
  std::string text;
};

class Ui {
 public:
  virtual ~Ui() = default;

  void Error(std::string_view text, std::string_view title = kProgramTitle) {
    ShowMessage({MessageKind::kError, std::string(title), std::string(text)});
  }
  void Information(std::string_view text, std::string_view title = kProgramTitle) {
    ShowMessage({MessageKind::kInformation, std::string(title), std::string(text)});
  }
  // Yes/No with Yes preselected; true when the user answers Yes.
  bool YesNoDefaultYes(std::string_view text, std::string_view title = kProgramTitle) {
    return ShowMessage({MessageKind::kYesNoDefaultYes, std::string(title), std::string(text)});
  }
  // Yes/No with No preselected; true when the user answers Yes.
  bool YesNoDefaultNo(std::string_view text, std::string_view title = kProgramTitle) {
    return ShowMessage({MessageKind::kYesNoDefaultNo, std::string(title), std::string(text)});
  }
  // OK/Cancel with a warning icon and Cancel preselected; true for OK.
  bool OkCancel(std::string_view text, std::string_view title = kProgramTitle) {
    return ShowMessage({MessageKind::kOkCancel, std::string(title), std::string(text)});
  }

  // An input box; nothing when the user cancels.
  virtual std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                              std::string_view initial) = 0;
  // A folder picker starting at `start`; nothing when the user cancels.
  virtual std::optional<std::string> PickFolder(std::string_view prompt,
                                                std::string_view start) = 0;

  // The status line of the window.
  virtual void SetStatusText(std::string_view text) = 0;
  // Progress of long work: `done` of `total` steps, with a text.
  virtual void SetProgress(std::string_view text, long done, long total) = 0;
  virtual void ClearProgress() = 0;
  virtual void Beep() = 0;
  virtual void SetBusy(bool busy) = 0;

 protected:
  // Shows one message box and returns true for Yes or OK (always true for
  // error and information boxes).
  virtual bool ShowMessage(const Message& message) = 0;
};

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~BusyCursor() { ui_.SetBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Ui& ui_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_UI_H_
