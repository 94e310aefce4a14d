#include "launch/proc_log.h"

#include <string>

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace launch {

const char kCardFailureReport[] =
    "Due to the installed 3D card not working properly, QUIL 3D is having trouble executing its program. "
    "Please check the video calibration for an appropriate 3D card.";

static_assert(sizeof kCardFailureReport <= kReportTextSize);

ProcLogStatus ScanProcLog(std::string_view fileBytes) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  std::string piece;
  while (scanner.ReadLine(piece, 256)) {
    const std::string_view first = text::FirstToken(text::AsCString(piece), " \t\n").text;
    if (first.empty()) {
      continue;
    }
    const std::int32_t status = text::ParseLeadingInt(first);
    if (status == 0) {
      return ProcLogStatus::kNothingToReport;
    }
    if (status == 1) {
      return ProcLogStatus::kCardFailed;
    }
  }
  return ProcLogStatus::kNoDecision;
}

}  // namespace launch
