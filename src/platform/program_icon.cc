#include "platform/program_icon.h"

#include <QDir>

namespace zenkar {

QIcon ProgramIcon() {
  QIcon icon;
  const QDir sizes(":/program_icon");
  for (const QString& name : sizes.entryList(QDir::Files)) icon.addFile(sizes.filePath(name));
  return icon;
}

}  // namespace zenkar
