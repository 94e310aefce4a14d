#include "tests/support/files.h"

#include <windows.h>

#include "common/win/handles.h"

namespace support {

namespace {

// A search of FindFirstFile, ended with FindClose; kernel-side, so not
// counted in the ledger.
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
  static void Count(int) {}
};
using UniqueFind = win::UniqueHandle<FindTraits>;

}  // namespace

void RemoveTree(const std::string& folder) {
  {
    WIN32_FIND_DATAA entry;
    const UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (find) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
          continue;
        }
        const std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(find.get(), &entry));
    }
  }  // the search is closed before its folder goes
  RemoveDirectoryA(folder.c_str());
}

}  // namespace support
