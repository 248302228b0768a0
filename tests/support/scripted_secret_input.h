// ScriptedSecretInput: the secret-input port answered from a queue.
#ifndef ZENKAR_TESTS_SUPPORT_SCRIPTED_SECRET_INPUT_H_
#define ZENKAR_TESTS_SUPPORT_SCRIPTED_SECRET_INPUT_H_

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/program_password.h"

namespace zenkar::testing {

// Answers password prompts from a queue (cancel when empty) and records them.
class ScriptedSecretInput : public SecretInput {
 public:
  void Answer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  const std::vector<std::string>& prompts() const { return prompts_; }

  std::optional<std::string> AskSecret(std::string_view prompt, std::string_view title) override {
    prompts_.emplace_back(prompt);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<std::string> prompts_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_SCRIPTED_SECRET_INPUT_H_
