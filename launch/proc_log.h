// Proc.log, left by the game: the first number of a line tells whether its 3D
// rendering could start (0) or the 3D card failed (1); other numbers decide
// nothing and the next line is read.
#pragma once

#include <cstddef>
#include <string_view>

namespace launch {

constexpr std::size_t kReportTextSize = 200;

// The explanation shown after the game when the log reports a failing card.
extern const char kCardFailureReport[];

enum class ProcLogStatus {
  kNothingToReport,  // a status 0 line came first
  kCardFailed,       // a status 1 line came first
  kNoDecision,       // the log ended (or was empty) before either
};

// Reads the log's bytes as a text-mode stream, line by line in pieces of at
// most 255 characters. A line's status is its first token (separated by
// blanks, tabs and line ends) read as a decimal number; a token that does not
// start with a number counts as 0, and a line without a token decides nothing.
ProcLogStatus ScanProcLog(std::string_view fileBytes);

}  // namespace launch
