#include "settings/video/driver_install.h"

#include <windows.h>

#include "common/win/file_io.h"
#include "settings/video/video_files.h"
#include "shell/services/error_box.h"

namespace {

constexpr char kProgramOpengl[] = ".\\Opengl32.dll";
constexpr char kProgramGlu[] = ".\\Glu32.dll";
constexpr char kPathTooLong[] = "Driver folder path too long";

}  // namespace

int DeleteDriverFile(const char* path) {
  win::FullPath full;
  if (win::ResolveFullPath(path, full)) {
    DeleteFileA(full.text);
  }
  return 1;
}

int CopyDriverFile(const char* folderPath, video::DriverLibrary library) {
  win::FullPath folder;
  if (!win::ResolveFullPath(folderPath, folder)) {
    return 0;
  }
  const std::optional<video::CopyPaths> paths = video::DriverCopyPaths(folder.text, library);
  if (!paths) {
    return 0;
  }
  CopyFileA(paths->source.c_str(), paths->destination.c_str(), FALSE);
  return 1;
}

// Both copies are checked before either is made, so a driver is installed
// whole or not at all.
void ApplyDriverChoice(std::int32_t driverIndex) {
  switch (video::ActionFor(driverIndex)) {
    case video::DriverAction::kDeleteCopies:
      DeleteDriverFile(kProgramOpengl);
      DeleteDriverFile(kProgramGlu);
      return;
    case video::DriverAction::kCopyFromFolder: {
      const video::DriverCatalog& catalog = video::Catalog();
      const std::optional<std::string> folderPath =
          driverIndex < catalog.driverCount ? video::DriverFolderPath(catalog.drivers[driverIndex].folder)
                                            : std::nullopt;
      win::FullPath folder;
      if (!folderPath || !win::ResolveFullPath(folderPath->c_str(), folder) ||
          !video::DriverCopyPaths(folder.text, video::DriverLibrary::kOpengl32)) {
        ErrorBox(kPathTooLong);
        return;
      }
      CopyDriverFile(folderPath->c_str(), video::DriverLibrary::kGlu32);
      CopyDriverFile(folderPath->c_str(), video::DriverLibrary::kOpengl32);
      return;
    }
    case video::DriverAction::kNothing:
      return;
  }
}
