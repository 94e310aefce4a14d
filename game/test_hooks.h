// Hooks for the tests, through environment variables that the launcher hands
// on to the game unchanged:
//
//   QUIL_GAME_EXIT_CODE  a decimal number: the game ends at once with that exit
//                        code (after the log hook below, if set), showing no
//                        window and touching no OpenGL. Anything but a number
//                        from 0 to 4294967295 is ignored.
//   QUIL_GAME_LOG        written as Info\Proc.log instead of the game's own
//                        result; the two characters "\n" stand for a line
//                        break, and every line, the last included, ends with
//                        CR LF. An empty value leaves an empty log.
//   QUIL_GAME_SECONDS    a decimal number from 1 to 3600: the game shows its
//                        window that many seconds instead of about four.
//   QUIL_GAME_BUSY       a decimal number from 1 to 3600: the game is busy
//                        that many seconds before it makes its first window,
//                        as a game loading its data is, taking no input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game {

constexpr char kExitCodeHook[] = "QUIL_GAME_EXIT_CODE";
constexpr char kLogHook[] = "QUIL_GAME_LOG";
constexpr char kSecondsHook[] = "QUIL_GAME_SECONDS";
constexpr char kBusyHook[] = "QUIL_GAME_BUSY";

// The variable's value; nothing when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);

// The exit code a QUIL_GAME_EXIT_CODE value asks for; nothing when it is not a
// decimal number within 32 bits.
std::optional<std::uint32_t> ParseExitCode(std::string_view value);

// The milliseconds a QUIL_GAME_SECONDS or QUIL_GAME_BUSY value asks for;
// nothing for anything but 1 to 3600 seconds.
std::optional<unsigned> LifetimeFromHook(std::string_view value);

// The log's lines for a QUIL_GAME_LOG value, each ended by "\n"; empty for an
// empty value.
std::string DecodeLogHook(std::string_view value);

}  // namespace game
