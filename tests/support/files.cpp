#include "tests/support/files.h"

#include <windows.h>

#include <algorithm>

#include "tests/support/owners.h"

namespace support {

std::vector<std::string> FindNames(const std::string& pattern, Entries entries) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const UniqueFind find(FindFirstFileA(pattern.c_str(), &entry));
  for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &entry)) {
    const std::string name = entry.cFileName;
    const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (name != "." && name != ".." && entries != (folder ? Entries::kFiles : Entries::kFolders)) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const Entries kind : {Entries::kFolders, Entries::kFiles}) {
    for (const std::string& name : FindNames(folder + "\\*", kind)) {
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (kind == Entries::kFolders) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    }
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace support
