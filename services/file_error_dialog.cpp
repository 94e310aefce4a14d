#include "services/file_error_dialog.h"

#include <cstdlib>

#include "common/bounded_text.h"
#include "common/win/file_io.h"
#include "common/win/instance.h"
#include "common/win/message_dialog.h"
#include "resources/resource.h"

namespace {

constexpr int kExitAfterFileError = 1;

// As long as the caption file's "wm:" field.
constexpr std::size_t kExplanationCapacity = 100;

// The dialog's two lines, each cut to its field.
struct FileErrorLines {
  char path[win::kPathCapacity] = {};
  char explanation[kExplanationCapacity] = {};
};

INT_PTR ShowTheLines(HWND dialog, LPARAM input) {
  const FileErrorLines& lines = *reinterpret_cast<const FileErrorLines*>(input);
  // The path's line holds one line of 155 units: a longer path is drawn with
  // its middle left out, so that the file's name at its end stays in sight
  // (and a blank in it wraps nothing). The text itself stays the whole path.
  const HWND pathLine = GetDlgItem(dialog, IDC_FILE_ERROR_PATH);
  SetWindowLongPtrA(pathLine, GWL_STYLE, GetWindowLongPtrA(pathLine, GWL_STYLE) | SS_PATHELLIPSIS);
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_PATH, lines.path);
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_TEXT, lines.explanation);
  return FALSE;  // no control takes the focus, so Enter does not press OK
}

[[noreturn]] void EndTheLauncher(HWND, LPARAM) {
  std::exit(kExitAfterFileError);
}

// Only OK ends it, and the launcher with it.
constexpr win::DialogEnding kOk[] = {{IDC_FILE_ERROR_OK, 0, EndTheLauncher}};
constexpr win::MessageDialog kFileError{.templateId = IDD_FILE_ERROR, .onOpen = ShowTheLines, .endings = kOk};

}  // namespace

INT_PTR FileErrorDialog(HWND owner, const char* path, const char* explanation) {
  FileErrorLines lines;
  text::CopyBounded(lines.path, path != nullptr ? path : "");
  text::CopyBounded(lines.explanation, explanation != nullptr ? explanation : "");
  // A file read before the stage exists has no owner.
  const INT_PTR result =
      win::RunMessageDialog(kFileError, owner, win::InstanceOf(owner), reinterpret_cast<LPARAM>(&lines));
  return result != 0 ? result : -1;
}
