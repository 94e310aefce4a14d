#include "services/error_box.h"

#include "common/bounded_text.h"

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

int ErrorBox(const char* text) {
  // The text is shown as it is, never used as a format, and cut to fit.
  char buffer[kErrorBoxCapacity];
  text::CopyBounded(buffer, text != nullptr ? text : "");
  const ShowingBox showing;
  return MessageBoxA(nullptr, buffer, kErrorBoxCaption, MB_OK | MB_TASKMODAL);
}

bool ReportBoxShowing() {
  return boxesShowing > 0;
}

int ReportBoxesShown() {
  return boxesShown;
}

int ErrorBoxNamingPath(std::string_view before, std::string_view path, std::string_view after) {
  return ErrorBox(text::NamingPath(before, path, after, kErrorBoxCapacity).c_str());
}
