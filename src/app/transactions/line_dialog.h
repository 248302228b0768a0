// What the dialogs that enter or edit one line of the books share: the main
// window's font, their help page, and a row of buttons ending in "Cancel".
#ifndef ZENKAR_APP_TRANSACTIONS_LINE_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_LINE_DIALOG_H_

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <vector>

#include "app_rules/window/program.h"

namespace zenkar {

// Gives `dialog` the font of `parent`'s window (a dialog is a window of its
// own) and the help page `help_context`, also on F1: the main window's F1
// does not reach a modal dialog.
void PrepareLineDialog(QDialog& dialog, QWidget* parent, Program& program, int help_context);

// `buttons` and then "Cancel" (which rejects the dialog), to the right of a
// row, in that Tab order after `after`.
QHBoxLayout* LineDialogButtons(QDialog& dialog, QWidget* after,
                               const std::vector<QPushButton*>& buttons);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_LINE_DIALOG_H_
