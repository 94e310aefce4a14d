#include "services/error_box.h"

#include "common/bounded_text.h"

namespace {

constexpr char kErrorBoxCaption[] = "Message";
constexpr std::size_t kErrorBoxCapacity = 200;

}  // namespace

int ErrorBox(const char* text) {
  // The text is shown as it is, never used as a format, and cut to fit.
  char buffer[kErrorBoxCapacity];
  text::CopyBounded(buffer, text != nullptr ? text : "");
  return MessageBoxA(nullptr, buffer, kErrorBoxCaption, MB_OK);
}

int ErrorBoxNamingPath(std::string_view before, std::string_view path, std::string_view after) {
  return ErrorBox(text::NamingPath(before, path, after, kErrorBoxCapacity).c_str());
}
