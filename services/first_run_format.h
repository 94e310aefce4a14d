// InitFlag.flg: one decimal integer and a line end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace services {

// Reads the flag as "%d\n" reads it from a text-mode stream. A file that does
// not begin with a number (after white space) leaves `flag` unchanged and
// returns false.
bool ParseFirstRunFlag(std::string_view fileBytes, std::int32_t& flag);

// The bytes written for `flag`: "%d\n" in text mode, so the line ends in CR LF.
std::string FormatFirstRunFlag(std::int32_t flag);

}  // namespace services
