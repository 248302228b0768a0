#include "support/scripted_ui.h"

namespace zenkar::testing {

std::vector<std::string> ScriptedUi::Texts() const {
  std::vector<std::string> texts;
  for (const Message& message : messages_) texts.push_back(message.text);
  return texts;
}

bool ScriptedUi::ShowMessage(const Message& message) {
  messages_.push_back(message);
  if (message.kind == MessageKind::kError || message.kind == MessageKind::kInformation) {
    return true;
  }
  if (!answers_.empty()) {
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return message.kind == MessageKind::kYesNoDefaultYes;
}

std::optional<std::string> ScriptedUi::InputBox(std::string_view prompt, std::string_view title,
                                                std::string_view initial) {
  prompts_.emplace_back(prompt);
  input_titles_.emplace_back(title);
  input_initials_.emplace_back(initial);
  if (inputs_.empty()) return std::nullopt;
  std::optional<std::string> answer = inputs_.front();
  inputs_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUi::PickFolder(std::string_view prompt, std::string_view start) {
  prompts_.emplace_back(prompt);
  if (folders_.empty()) return std::nullopt;
  std::optional<std::string> answer = folders_.front();
  folders_.pop_front();
  return answer;
}

void ScriptedUi::SetProgress(std::string_view text, long done, long total) {
  if (progress_texts_.empty() || progress_texts_.back() != text) progress_texts_.emplace_back(text);
}

}  // namespace zenkar::testing
