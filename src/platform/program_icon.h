// The window icon of the suite's programs, drawn at run time so that no
// image file has to travel with the executables.
#ifndef ZENKAR_PLATFORM_PROGRAM_ICON_H_
#define ZENKAR_PLATFORM_PROGRAM_ICON_H_

#include <QIcon>

namespace zenkar {

QIcon ProgramIcon();

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_PROGRAM_ICON_H_
