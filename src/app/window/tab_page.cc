#include "app/window/tab_page.h"

#include "platform/help_context.h"

namespace zenkar {

TabPage::TabPage(const TabPageInfo& info, PageContext context) : info_(info), context_(context) {
  setObjectName(QString("page") + QString::fromLatin1(info.code.data(), info.code.size()));
  SetHelpContext(this, info.help_context);
}

QPushButton* TabPage::MakeButton(int number, const QString& caption, std::function<void()> action) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(ControlName(number));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
  return button;
}

QString ControlName(int number) { return "control" + QString::number(number); }

}  // namespace zenkar
