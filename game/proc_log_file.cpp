#include "proc_log_file.h"

#include <cstdio>

namespace game {

namespace {

constexpr char kProcLogPath[] = ".\\Info\\Proc.log";

}  // namespace

std::string FormatProcLog(const OpenGlResult& result) {
  std::string lines = result.works ? "0\n" : "1\n";
  lines += "reason: " + (result.works ? std::string("none") : result.reason) + "\n";
  lines += "library: " + (result.library.empty() ? std::string("none") : result.library) + "\n";
  if (!result.driver.empty()) {
    lines += "driver: " + result.driver + "\n";
  }
  if (!result.renderer.empty()) {
    lines += "renderer: " + result.renderer + "\n";
  }
  return lines;
}

bool WriteProcLog(std::string_view lines) {
  std::FILE* file = std::fopen(kProcLogPath, "w");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(lines.data(), 1, lines.size(), file) == lines.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace game
