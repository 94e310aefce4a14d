#include "services/first_run_format.h"

#include "common/text_mode.h"

namespace services {

bool ParseFirstRunFlag(std::string_view fileBytes, std::int32_t& flag) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  return scanner.ScanIntLine(flag);
}

std::string FormatFirstRunFlag(std::int32_t flag) {
  return text::EncodeTextMode(std::to_string(flag) + "\n");
}

}  // namespace services
