#include "launcher/qt_list_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/text_conversion.h"

namespace zenkar {

bool QtListPrinter::PrintPages(std::string_view document_name,
                               const std::vector<std::vector<std::string>>& pages) {
  const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
  if (destination.isNull()) return false;
  QPrinter printer(destination, QPrinter::HighResolution);
  printer.setDocName(FromCp1252(document_name));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(QFont("Arial", 10));
  const int line_height = painter.fontMetrics().lineSpacing();
  for (size_t page = 0; page < pages.size(); ++page) {
    if (page > 0) printer.newPage();
    int y = line_height;
    for (const std::string& line : pages[page]) {
      painter.drawText(0, y, FromCp1252(line));
      y += line_height;
    }
  }
  return painter.end();
}

}  // namespace zenkar
