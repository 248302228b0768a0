// QtListPrinter: the launcher's list of folders on the default printer.
#ifndef ZENKAR_LAUNCHER_QT_LIST_PRINTER_H_
#define ZENKAR_LAUNCHER_QT_LIST_PRINTER_H_

#include "launcher/launcher.h"

namespace zenkar {

class QtListPrinter : public ListPrinter {
 public:
  // Prints through Qt's printer on CUPS's default destination, one line a
  // row in Arial 10 points.
  bool PrintPages(std::string_view document_name,
                  const std::vector<std::vector<std::string>>& pages) override;
};

}  // namespace zenkar

#endif  // ZENKAR_LAUNCHER_QT_LIST_PRINTER_H_
