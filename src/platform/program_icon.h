// The window icon of the suite's programs: the icon of the desktop entries
// (data/zenkar-accounting.svg) at each of its sizes, embedded in the programs
// so that the build tree shows it as an installed tree does.
#ifndef ZENKAR_PLATFORM_PROGRAM_ICON_H_
#define ZENKAR_PLATFORM_PROGRAM_ICON_H_

#include <QIcon>

namespace zenkar {

QIcon ProgramIcon();

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_PROGRAM_ICON_H_
