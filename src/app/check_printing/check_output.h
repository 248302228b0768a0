// Where the checks of the window go: through the program's printer, which
// the Reports page owns (the "Printing Options" dialog remembers its last
// choice of each kind for the program run), and the program's documents.
#ifndef ZENKAR_APP_CHECK_PRINTING_CHECK_OUTPUT_H_
#define ZENKAR_APP_CHECK_PRINTING_CHECK_OUTPUT_H_

#include <functional>

#include "output/print_job.h"

namespace zenkar {

class MainWindow;
class Program;

// The program's printer port.
PrinterCanvasFactory* ProgramPrinter(MainWindow& window);

// Writes one document of checks through the program's targets: the printer
// when one is installed, otherwise a PDF preview. `write` opens and ends its
// own print job.
bool PrintChecksDocument(MainWindow& window, const std::function<bool(PrintJob&)>& write);

// "MICR Print Blank Check" (107, Ctrl+M): the number asked for, the check
// printed as PrintChecksDocument does.
bool PrintBlankCheckFromWindow(Program& program, MainWindow& window);

// "Print Test Check" to `target`: the program's printer or the PDF preview.
bool PrintTestCheckTo(Program& program, MainWindow& window, OutputTarget target);

}  // namespace zenkar

#endif  // ZENKAR_APP_CHECK_PRINTING_CHECK_OUTPUT_H_
