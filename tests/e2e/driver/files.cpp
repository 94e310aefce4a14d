#include "tests/e2e/driver/driver.h"

#include "tests/support/files.h"

namespace e2e {

namespace {

bool CopyTree(const std::string& from, const std::string& to) {
  bool ok = CreateDirectoryA(to.c_str(), nullptr) != FALSE;
  for (const std::string& name : support::FindNames(from + "\\*", support::Entries::kFiles)) {
    ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
  }
  for (const std::string& name : support::FindNames(from + "\\*", support::Entries::kFolders)) {
    ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
  }
  return ok;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const win::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  const win::UniqueFile file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

GameCopy::GameCopy(IntroVideo intro) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  folder_ = std::string(temp) + "quil-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
  // Only a folder that holds the launcher is copied: with QUIL_GAME_DIR unset
  // the empty path would name the root of the current drive.
  const std::string game = GameFolder();
  if (game.empty() || !FileExists(game + "\\Quil3D.exe")) {
    folder_.clear();
    return;
  }
  support::RemoveTree(folder_);
  if (!CopyTree(game, folder_)) {
    folder_.clear();
  } else if (intro == IntroVideo::kLeftOut) {
    DeleteFileA(PathOf("logo.avi").c_str());
  }
}

GameCopy::~GameCopy() {
  if (!folder_.empty()) {
    support::RemoveTree(folder_);
  }
}

std::string GameCopy::PathOf(const std::string& relative) const {
  return folder_ + "\\" + relative;
}

std::optional<std::string> GameCopy::Read(const std::string& relative) const {
  return ReadFileBytes(PathOf(relative));
}

void GameCopy::Write(const std::string& relative, const std::string& bytes) const {
  WriteFileBytes(PathOf(relative), bytes);
}

void GameCopy::Remove(const std::string& relative) const {
  SetFileAttributesA(PathOf(relative).c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(PathOf(relative).c_str());
}

void GameCopy::SetReadOnly(const std::string& relative, bool readOnly) const {
  SetFileAttributesA(PathOf(relative).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

win::UniqueFile GameCopy::Lock(const std::string& relative) const {
  return win::UniqueFile(CreateFileA(PathOf(relative).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace e2e
