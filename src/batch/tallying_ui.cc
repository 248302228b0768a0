#include "batch/tallying_ui.h"

namespace zenkar {

int TallyingUi::CountTitled(const std::string& title) const {
  auto it = by_title_.find(title);
  return it == by_title_.end() ? 0 : it->second;
}

bool TallyingUi::ShowMessage(const Message& message) {
  ++by_title_[message.title];
  switch (message.kind) {
    case MessageKind::kError:
      ++errors_;
      inner_.Error(message.text, message.title);
      return true;
    case MessageKind::kInformation:
      inner_.Information(message.text, message.title);
      return true;
    case MessageKind::kYesNoDefaultYes:
      return inner_.YesNoDefaultYes(message.text, message.title);
    case MessageKind::kYesNoDefaultNo:
      return inner_.YesNoDefaultNo(message.text, message.title);
    case MessageKind::kOkCancel:
      return inner_.OkCancel(message.text, message.title);
  }
  return false;
}

}  // namespace zenkar
