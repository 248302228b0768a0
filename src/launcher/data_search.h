// Searching a folder tree for data folders ("Search for Data").
//
// First every folder under the chosen one is listed ("Building list of
// folders to search:"), then each is looked into for a settings file of a
// program of the suite, KX*.CFG in any case ("Locating folders which may
// contain Zenkar information:", "Searching n of count"). The walk follows no
// symbolic link and stays on the chosen folder's file system, so it never
// loops and never wanders into mounted network shares; a folder it may not
// read is passed over without a word. Hidden folders (a name starting with
// "."), waste baskets ("$RECYCLE"), automatic backup areas ("Auto_Backup")
// and set-aside data ("OLDDATA") are not searched.
#ifndef ZENKAR_LAUNCHER_DATA_SEARCH_H_
#define ZENKAR_LAUNCHER_DATA_SEARCH_H_

#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/ui.h"

namespace zenkar {

// The folders at and under `root` that hold a settings file of the suite,
// each ending in "/", sorted.
std::vector<std::string> SearchForData(FileSystem& fs, Ui& ui, const std::string& root);

}  // namespace zenkar

#endif  // ZENKAR_LAUNCHER_DATA_SEARCH_H_
