// ScriptedUi: a Ui for tests that answers from queues and records everything.
//
// Questions take the next queued answer, or the preselected one when the
// queue is empty (Yes for Yes-preselected, No for No-preselected, Cancel for
// OK/Cancel), which is what a user pressing Enter would get.
#ifndef ZENKAR_TESTS_SUPPORT_SCRIPTED_UI_H_
#define ZENKAR_TESTS_SUPPORT_SCRIPTED_UI_H_

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/ui.h"

namespace zenkar::testing {

class ScriptedUi : public Ui {
 public:
  // Queues the answers of the next questions, in order.
  void Answer(bool yes) { answers_.push_back(yes); }
  void AnswerInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  void AnswerFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }

  const std::vector<Message>& messages() const { return messages_; }
  // The texts of all messages, in order (convenient for exact comparisons).
  std::vector<std::string> Texts() const;
  // The text of the last message, or "" when none was shown.
  std::string LastText() const { return messages_.empty() ? "" : messages_.back().text; }
  void ClearMessages() { messages_.clear(); }

  const std::vector<std::string>& prompts() const { return prompts_; }
  // The titles and initial texts of the input boxes shown, in order.
  const std::vector<std::string>& input_titles() const { return input_titles_; }
  const std::vector<std::string>& input_initials() const { return input_initials_; }
  const std::vector<std::string>& status_texts() const { return status_texts_; }
  const std::vector<std::string>& progress_texts() const { return progress_texts_; }
  int beeps() const { return beeps_; }
  bool busy() const { return busy_depth_ > 0; }

  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override;
  std::optional<std::string> PickFolder(std::string_view prompt, std::string_view start) override;
  void SetStatusText(std::string_view text) override { status_texts_.emplace_back(text); }
  void SetProgress(std::string_view text, long done, long total) override;
  void ClearProgress() override {}
  void Beep() override { ++beeps_; }
  void SetBusy(bool busy) override { busy_depth_ += busy ? 1 : -1; }

 protected:
  bool ShowMessage(const Message& message) override;

 private:
  std::vector<Message> messages_;
  std::deque<bool> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::optional<std::string>> folders_;
  std::vector<std::string> prompts_;
  std::vector<std::string> input_titles_;
  std::vector<std::string> input_initials_;
  std::vector<std::string> status_texts_;
  std::vector<std::string> progress_texts_;
  int beeps_ = 0;
  int busy_depth_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_SCRIPTED_UI_H_
