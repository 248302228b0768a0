#include "batch/console_ui.h"

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr int kBarWidth = 30;

bool PreselectedAnswer(MessageKind kind) { return kind == MessageKind::kYesNoDefaultYes; }

const char* AnswerWord(MessageKind kind, bool yes) {
  if (kind == MessageKind::kOkCancel) return yes ? "OK" : "Cancel";
  return yes ? "Yes" : "No";
}

}  // namespace

std::string TerminalText(std::string_view cp1252) {
  std::string text;
  for (size_t start = 0; start <= cp1252.size();) {
    const size_t end = std::min(cp1252.find('\n', start), cp1252.size());
    text += EscapeControls(cp1252.substr(start, end - start));
    if (end < cp1252.size()) text += '\n';
    start = end + 1;
  }
  return Cp1252ToUtf8(text);
}

bool ConsoleUi::ShowMessage(const Message& message) {
  ClearProgress();
  switch (message.kind) {
    case MessageKind::kError:
      error_shown_ = true;
      Print(message.text);
      return true;
    case MessageKind::kInformation:
      Print(message.text);
      return true;
    default:
      break;
  }
  bool yes = answers_ == Answers::kAlwaysYes ||
             (answers_ == Answers::kPreselected && PreselectedAnswer(message.kind));
  Print(message.text + " [" + AnswerWord(message.kind, yes) + "]");
  return yes;
}

// Nothing can be typed in unattended work: an input box is cancelled.
std::optional<std::string> ConsoleUi::InputBox(std::string_view prompt, std::string_view,
                                               std::string_view) {
  Print(std::string(prompt) + " [cancelled]");
  return std::nullopt;
}

std::optional<std::string> ConsoleUi::PickFolder(std::string_view prompt, std::string_view) {
  Print(std::string(prompt) + " [cancelled]");
  return std::nullopt;
}

void ConsoleUi::SetStatusText(std::string_view) {}

void ConsoleUi::SetProgress(std::string_view text, long done, long total) {
  if (!is_terminal_ || total <= 0) return;
  const long filled = kBarWidth * std::min(done, total) / total;
  std::fprintf(err_, "\r%s [%s%s] %3ld%%", TerminalText(text).c_str(),
               std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(),
               100 * std::min(done, total) / total);
  std::fflush(err_);
  progress_shown_ = true;
}

void ConsoleUi::ClearProgress() {
  if (!progress_shown_) return;
  std::fputs("\r\033[K", err_);
  progress_shown_ = false;
}

void ConsoleUi::Print(const std::string& text) {
  const std::string line = TerminalText(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), err_);
  std::fflush(err_);
}

}  // namespace zenkar
