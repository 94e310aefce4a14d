#include <cstdlib>

#include "common/bounded_text.h"
#include "common/win/file_io.h"
#include "menus/captions.h"
#include "resources/resource.h"
#include "shell/error_box.h"

namespace {

constexpr int kExitAfterFileError = 1;

struct FileErrorState {
  char path[win::kPathCapacity] = {};
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
};

FileErrorState& State() {
  static FileErrorState state;
  return state;
}

INT_PTR OnInitDialog(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_PATH, State().path);
  SetDlgItemTextA(dialog, IDC_FILE_ERROR_TEXT, CaptionText().fileErrorText);
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

INT_PTR FileErrorDialog(HWND owner, HINSTANCE instance, const char* path) {
  FileErrorState& state = State();
  state.owner = owner;
  state.instance = instance;
  text::CopyBounded(state.path, path != nullptr ? path : "");
  const INT_PTR result =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FILE_ERROR), owner, FileErrorDialogProc, 0);
  return result != 0 ? result : -1;
}
