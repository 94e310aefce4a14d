#include <cstdlib>

#include "common/bounded_text.h"
#include "common/win/file_io.h"
#include "common/win/instance.h"
#include "common/win/window_ledger.h"
#include "resources/resource.h"
#include "services/error_box.h"

namespace {

constexpr int kExitAfterFileError = 1;

// As long as the caption file's "wm:" field.
constexpr std::size_t kExplanationCapacity = 100;

struct FileErrorState {
  char path[win::kPathCapacity] = {};
  char explanation[kExplanationCapacity] = {};
};

FileErrorState& State() {
  static FileErrorState state;
  return state;
}

INT_PTR OnInitDialog(HWND dialog) {
  // The path's line holds one line of 155 units: a longer path is drawn with
  // its middle left out, so that the file's name at its end stays in sight
  // (and a blank in it wraps nothing). The text itself stays the whole path.
  const HWND pathLine = GetDlgItem(dialog, IDC_FILE_ERROR_PATH);
  SetWindowLongPtrA(pathLine, GWL_STYLE, GetWindowLongPtrA(pathLine, GWL_STYLE) | SS_PATHELLIPSIS);
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_PATH, State().path);
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_TEXT, State().explanation);
  return FALSE;  // no control takes the focus, so Enter does not press OK
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) != IDC_FILE_ERROR_OK) {
    return FALSE;  // Escape's cancel and Enter's default command do nothing
  }
  EndDialog(dialog, 0);
  std::exit(kExitAfterFileError);
}

INT_PTR CALLBACK FileErrorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  win::CountWindowLife(dialog, message);
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR FileErrorDialog(HWND owner, const char* path) {
  text::CopyBounded(State().path, path != nullptr ? path : "");
  // A file read before the stage exists has no owner.
  const INT_PTR result = DialogBoxParamA(win::InstanceOf(owner), MAKEINTRESOURCEA(IDD_FILE_ERROR), owner,
                                         FileErrorDialogProc, 0);
  return result != 0 ? result : -1;
}

void SetFileErrorExplanation(const char* text) {
  text::CopyBounded(State().explanation, text != nullptr ? text : "");
}
