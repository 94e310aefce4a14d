// The Linux side of a Windows program under Wine, read from inside Wine.
// Wine's drive Z: is the Unix root, so /proc is Z:\proc: every Windows
// process is one Linux process whose command line holds its executable's
// Windows path, and the wineserver is the Linux process named "wineserver"
// whose environment holds our WINEPREFIX.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace e2e {

// The Linux process id of the Wine process whose command line contains
// `exePath` (a Windows path, compared without regard to case).
std::optional<int> LinuxPidOfWindowsProgram(const std::string& exePath);

// The wineserver serving the Wine prefix `prefix` (a Unix path).
std::optional<int> WineserverPid(const std::string& prefix);

// User plus system time of a Linux process so far, in clock ticks.
std::optional<std::uint64_t> CpuTicks(int pid);

// Time on a processor and time waiting for one, summed over the threads a
// Linux process has now (from /proc/<pid>/task/*/schedstat), in nanoseconds.
struct ScheduleTimes {
  std::uint64_t runNs = 0;
  std::uint64_t waitNs = 0;
};
std::optional<ScheduleTimes> ThreadScheduleTimes(int pid);

// A "Vm..." line of /proc/<pid>/status ("VmHWM", "VmRSS"), in KiB.
std::optional<std::uint64_t> StatusKiB(int pid, const std::string& field);

}  // namespace e2e
