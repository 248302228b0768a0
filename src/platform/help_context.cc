#include "platform/help_context.h"

#include <QVariant>

namespace zenkar {
namespace {

constexpr char kHelpContextProperty[] = "zenkarHelpContext";

}  // namespace

void SetHelpContext(QWidget* widget, int context) {
  widget->setProperty(kHelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const int context = widget->property(kHelpContextProperty).toInt();
    if (context > 0) return context;
  }
  return 0;
}

}  // namespace zenkar
