// Help contexts of controls: the number of the help page F1 opens.
//
// A control, or any widget around it, carries the help context of the page
// that explains it; F1 asks for the context of the control that has the
// focus, found on the control itself or the nearest widget around it.
#ifndef ZENKAR_PLATFORM_HELP_CONTEXT_H_
#define ZENKAR_PLATFORM_HELP_CONTEXT_H_

#include <QWidget>

namespace zenkar {

void SetHelpContext(QWidget* widget, int context);
// The context of `widget` or of the nearest widget around it; 0 for none.
int HelpContextOf(const QWidget* widget);

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_HELP_CONTEXT_H_
