#include "common/bounded_text.h"

#include <algorithm>

namespace text {

namespace {

constexpr std::string_view kGap = "...";

// Where the path's drive (or the server and share) and its first folder end,
// the backslash after them included; 0 when it has no such part.
std::size_t FirstFolderEnd(std::string_view path) {
  std::size_t end = path.find_first_not_of('\\');
  for (int part = 0; part < 2 && end != std::string_view::npos; ++part) {
    end = path.find('\\', end);
    end = end == std::string_view::npos ? end : end + 1;
  }
  return end == std::string_view::npos ? 0 : end;
}

// `path` in at most `room` characters (room > the gap's length).
std::string ShortenedPath(std::string_view path, std::size_t room) {
  if (path.size() <= room) {
    return std::string(path);
  }
  const std::size_t nameStart = path.find_last_of('\\');
  const std::size_t nameLength = nameStart == std::string_view::npos ? path.size() : path.size() - nameStart;
  std::string_view head = path.substr(0, FirstFolderEnd(path));
  if (head.size() + kGap.size() + nameLength > room) {
    head = {};
  }
  const std::size_t tailRoom = room - head.size() - kGap.size();
  // The file name, or as much of its end as fits; then whole folders before it.
  std::size_t tail = path.size() - std::min(nameLength, tailRoom);
  for (std::size_t before = tail; before > 0;) {
    before = path.rfind('\\', before - 1);
    if (before == std::string_view::npos || path.size() - before > tailRoom) {
      break;
    }
    tail = before;
  }
  return std::string(head).append(kGap).append(path.substr(tail));
}

}  // namespace

std::string NamingPath(std::string_view before, std::string_view path, std::string_view after,
                       std::size_t capacity) {
  const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
  const std::size_t fixed = before.size() + after.size();
  if (fixed + kGap.size() >= limit) {
    return std::string(before).append(path).append(after).substr(0, limit);
  }
  return std::string(before).append(ShortenedPath(path, limit - fixed)).append(after);
}

}  // namespace text
