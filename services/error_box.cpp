#include "services/error_box.h"

#include "common/bounded_text.h"
#include "common/win/launcher_front.h"

namespace {

constexpr char kErrorBoxCaption[] = "Message";
constexpr std::size_t kErrorBoxCapacity = 200;

int boxesShowing = 0;
int boxesShown = 0;

// Counts a box for as long as it is up (a box may come from beneath another
// only through a control's own messages, which ReportBoxShowing stops).
class ShowingBox {
 public:
  ShowingBox() {
    ++boxesShowing;
    ++boxesShown;
  }
  ~ShowingBox() { --boxesShowing; }
  ShowingBox(const ShowingBox&) = delete;
  ShowingBox& operator=(const ShowingBox&) = delete;
};

}  // namespace

int ErrorBox(HWND owner, const char* text) {
  // The text is shown as it is, never used as a format, and cut to fit.
  char buffer[kErrorBoxCapacity];
  text::CopyBounded(buffer, text != nullptr ? text : "");
  const ShowingBox showing;
  // A dialog still opening has already disabled the window beneath it, which
  // the box then speaks over; the box's end enables its owner again, so the
  // dialog's hold is put back.
  const HWND seen = win::SeenOwner(owner);
  const bool held = seen != nullptr && !IsWindowEnabled(seen);
  const int result = MessageBoxA(seen, buffer, kErrorBoxCaption, MB_OK | MB_TASKMODAL);
  if (held) {
    EnableWindow(seen, FALSE);
  }
  return result;
}

bool ReportBoxShowing() {
  return boxesShowing > 0;
}

int ReportBoxesShown() {
  return boxesShown;
}

int ErrorBoxNamingPath(HWND owner, std::string_view before, std::string_view path, std::string_view after) {
  return ErrorBox(owner, text::NamingPath(before, path, after, kErrorBoxCapacity).c_str());
}
