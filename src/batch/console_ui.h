// ConsoleUi: the Ui port on a terminal, for the command-line program.
//
// Errors and information go to standard error with the system's exact texts.
// Questions take their preselected answer unless the user said --yes or --no.
// Progress is a bar on a terminal and nothing on a pipe. Text is converted
// from the books' Windows-1252 to UTF-8 on the way out, with its control
// characters escaped (TerminalText).
#ifndef ZENKAR_BATCH_CONSOLE_UI_H_
#define ZENKAR_BATCH_CONSOLE_UI_H_

#include <cstdio>
#include <optional>
#include <string>

#include "common/ui.h"

namespace zenkar {

// A message or result as kxbatch writes it: UTF-8 with every control
// character escaped ("\x1B") except the line breaks that separate its lines,
// so that no text of the books, nor a file name, can command the terminal
// (colours, the title, the clipboard) or overwrite a line with a carriage
// return. Texts of the books in a message have their own line breaks escaped
// already (EscapeControls), so each line break left is the program's.
std::string TerminalText(std::string_view cp1252);

class ConsoleUi : public Ui {
 public:
  enum class Answers { kPreselected, kAlwaysYes, kAlwaysNo };

  ConsoleUi(std::FILE* err, Answers answers, bool is_terminal)
      : err_(err), answers_(answers), is_terminal_(is_terminal) {}

  // True once an error message has been shown (the exit status reports it).
  bool error_shown() const { return error_shown_; }

  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override;
  std::optional<std::string> PickFolder(std::string_view prompt, std::string_view start) override;
  void SetStatusText(std::string_view text) override;
  void SetProgress(std::string_view text, long done, long total) override;
  void ClearProgress() override;
  void Beep() override {}
  void SetBusy(bool) override {}

 protected:
  bool ShowMessage(const Message& message) override;

 private:
  void Print(const std::string& text);

  std::FILE* err_;
  Answers answers_;
  bool is_terminal_;
  bool error_shown_ = false;
  bool progress_shown_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_CONSOLE_UI_H_
