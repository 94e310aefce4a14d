#include "tests/e2e/driver/linux_proc.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "tests/e2e/driver/driver.h"
#include "tests/support/files.h"

namespace e2e {

namespace {

constexpr char kProc[] = "Z:\\proc";

std::optional<std::string> ProcFile(int pid, const char* name) {
  return ReadFileBytes(std::string(kProc) + "\\" + std::to_string(pid) + "\\" + name);
}

// The numeric entries of a /proc folder: processes, or a process's threads.
std::vector<int> NumberedEntries(const std::string& folder) {
  std::vector<int> pids;
  for (const std::string& name : support::FindNames(folder + "\\*")) {
    if (std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      pids.push_back(std::atoi(name.c_str()));
    }
  }
  std::sort(pids.begin(), pids.end());  // as /proc lists them
  return pids;
}

// Lower case, forward slashes as backslashes, NULs between arguments as spaces.
std::string Folded(std::string text) {
  for (char& c : text) {
    if (c == '/') {
      c = '\\';
    } else if (c == '\0') {
      c = ' ';
    } else {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return text;
}

// The fields of /proc/<pid>/stat after the command name, which may hold
// spaces and brackets itself: field 3 (the state) comes first.
std::optional<std::vector<std::string>> StatFields(int pid, std::string* command = nullptr) {
  const std::optional<std::string> stat = ProcFile(pid, "stat");
  if (!stat) {
    return std::nullopt;
  }
  const std::size_t open = stat->find('(');
  const std::size_t close = stat->rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) {
    return std::nullopt;
  }
  if (command != nullptr) {
    *command = stat->substr(open + 1, close - open - 1);
  }
  std::istringstream rest(stat->substr(close + 1));
  std::vector<std::string> fields;
  std::string field;
  while (rest >> field) {
    fields.push_back(field);
  }
  return fields;
}

}  // namespace

std::optional<int> LinuxPidOfWindowsProgram(const std::string& exePath) {
  const std::string wanted = Folded(exePath);
  for (int pid : NumberedEntries(kProc)) {
    const std::optional<std::string> commandLine = ProcFile(pid, "cmdline");
    if (commandLine && Folded(*commandLine).find(wanted) != std::string::npos) {
      return pid;
    }
  }
  return std::nullopt;
}

std::optional<int> WineserverPid(const std::string& prefix) {
  std::string wanted("WINEPREFIX=");
  wanted += prefix;
  wanted.push_back('\0');
  for (int pid : NumberedEntries(kProc)) {
    std::string command;
    if (!StatFields(pid, &command) || command.rfind("wineserver", 0) != 0) {
      continue;
    }
    std::optional<std::string> environment = ProcFile(pid, "environ");
    if (!environment) {
      continue;
    }
    environment->insert(0, 1, '\0');
    if (environment->find(std::string(1, '\0') + wanted) != std::string::npos) {
      return pid;
    }
  }
  return std::nullopt;
}

std::optional<std::uint64_t> CpuTicks(int pid) {
  const std::optional<std::vector<std::string>> fields = StatFields(pid);
  // utime and stime are fields 14 and 15 of the line; the list starts at field 3.
  if (!fields || fields->size() < 13) {
    return std::nullopt;
  }
  return std::strtoull((*fields)[11].c_str(), nullptr, 10) +
         std::strtoull((*fields)[12].c_str(), nullptr, 10);
}

std::optional<ScheduleTimes> ThreadScheduleTimes(int pid) {
  const std::string tasks = std::string(kProc) + "\\" + std::to_string(pid) + "\\task";
  ScheduleTimes times;
  bool any = false;
  for (int thread : NumberedEntries(tasks)) {
    // "<ns on a processor> <ns waiting on a run queue> <time slices>"
    const std::optional<std::string> line =
        ReadFileBytes(tasks + "\\" + std::to_string(thread) + "\\schedstat");
    if (!line) {
      continue;  // the thread has just ended
    }
    std::istringstream fields(*line);
    std::uint64_t run = 0, wait = 0;
    if (fields >> run >> wait) {
      times.runNs += run;
      times.waitNs += wait;
      any = true;
    }
  }
  return any ? std::optional<ScheduleTimes>(times) : std::nullopt;
}

std::optional<std::uint64_t> StatusKiB(int pid, const std::string& field) {
  const std::optional<std::string> status = ProcFile(pid, "status");
  if (!status) {
    return std::nullopt;
  }
  std::istringstream lines(*status);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.size() > field.size() && line.compare(0, field.size(), field) == 0 &&
        line[field.size()] == ':') {
      return std::strtoull(line.c_str() + field.size() + 1, nullptr, 10);
    }
  }
  return std::nullopt;
}

}  // namespace e2e
