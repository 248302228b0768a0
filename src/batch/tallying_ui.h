// TallyingUi: passes every message on to another Ui and counts them.
//
// The commands report failures through the Ui port like the desktop program;
// the exit status must still say whether anything went wrong, so each command
// runs behind this wrapper and asks it afterwards.
#ifndef ZENKAR_BATCH_TALLYING_UI_H_
#define ZENKAR_BATCH_TALLYING_UI_H_

#include <map>
#include <string>

#include "common/ui.h"

namespace zenkar {

class TallyingUi : public Ui {
 public:
  explicit TallyingUi(Ui& inner) : inner_(inner) {}

  int errors() const { return errors_; }
  // Messages of any kind shown under `title`.
  int CountTitled(const std::string& title) const;

  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override {
    return inner_.InputBox(prompt, title, initial);
  }
  std::optional<std::string> PickFolder(std::string_view prompt, std::string_view start) override {
    return inner_.PickFolder(prompt, start);
  }
  void SetStatusText(std::string_view text) override { inner_.SetStatusText(text); }
  void SetProgress(std::string_view text, long done, long total) override {
    inner_.SetProgress(text, done, total);
  }
  void ClearProgress() override { inner_.ClearProgress(); }
  void Beep() override { inner_.Beep(); }
  void SetBusy(bool busy) override { inner_.SetBusy(busy); }

 protected:
  bool ShowMessage(const Message& message) override;

 private:
  Ui& inner_;
  int errors_ = 0;
  std::map<std::string, int> by_title_;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_TALLYING_UI_H_
