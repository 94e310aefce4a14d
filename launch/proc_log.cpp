#include "launch/proc_log.h"

#include <string>

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace launch {

const char kCardFailureReport[] =
    "Due to the installed 3D card not working properly, QUIL 3D is having trouble executing its program. "
    "Please check the video calibration for an appropriate 3D card.";

static_assert(sizeof kCardFailureReport <= kReportTextSize);

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

}  // namespace

ProcLogStatus ScanProcLog(std::string_view fileBytes) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  std::string piece;
  while (scanner.ReadLine(piece, 256)) {
    const std::string_view line = text::AsCString(piece);
    std::size_t start = 0;
    while (start < line.size() && IsSeparator(line[start])) {
      ++start;
    }
    if (start >= line.size()) {
      continue;
    }
    std::size_t end = start;
    while (end < line.size() && !IsSeparator(line[end])) {
      ++end;
    }
    const std::int32_t status = text::ParseLeadingInt(line.substr(start, end - start));
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
