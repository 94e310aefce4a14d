// The settings files' path and write layer, on the real file system.
#include "common/win/file_io.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <thread>

#include "common/win/handles.h"
#include "tests/win32/in_process.h"

namespace {

// The temporary folder, and how many files a folder in it holds.
class InTemporaryFolderWithCount : public InTemporaryFolder {
 protected:
  // What a file holds; "(unread)" when it cannot be read.
  static std::string Contents(const std::string& path) {
    std::string bytes;
    return win::ReadFileBytes(path.c_str(), bytes) ? bytes : "(unread)";
  }
  int FilesIn(const std::string& relativeFolder) const {
    return static_cast<int>(
        support::FindNames(Full(relativeFolder) + "\\*", support::Entries::kFiles).size());
  }
};

// A relative path resolves against the current folder; past 259 characters
// it does not resolve, and the report shows the start of the full path.
TEST_F(InTemporaryFolderWithCount, PathsResolveAgainstTheCurrentFolderUpTo259Characters) {
  win::FullPath full;
  ASSERT_TRUE(win::ResolveFullPath(".\\info\\InitFlag.flg", full));
  EXPECT_STRCASEEQ(full.text, Full("info\\InitFlag.flg").c_str());
  // One name that only the resolution makes too long, one too long already.
  for (const std::size_t length : {240u, 300u}) {
    const std::string longName = ".\\" + std::string(length, 'n') + ".cfg";
    std::fill(std::begin(full.text), std::end(full.text), '#');
    EXPECT_FALSE(win::ResolveFullPath(longName.c_str(), full)) << length;
    const std::string shown = full.text;  // terminated inside the buffer
    EXPECT_EQ(shown.size(), win::kPathCapacity - 1) << length;
    EXPECT_EQ(_strnicmp(shown.c_str(), folder_.c_str(), folder_.size()), 0) << shown;
  }
}

// The two ways of replacing a file: the one-step move, and the renaming that
// stands in for it where the move is not implemented.
struct ReplaceWay {
  const char* name;
  bool (*replace)(const char* fullPath, std::string_view bytes, win::FullPath* inTheWay);
};
constexpr ReplaceWay kOneStep{"one-step move", win::ReplaceFileContents};
constexpr ReplaceWay kRenaming{"renaming", win::ReplaceFileContentsByRenaming};

TEST_F(InTemporaryFolderWithCount, AReplacedFileHoldsExactlyTheNewBytes) {
  struct Case {
    const char* before;  // nullptr: no file yet
    const char* after;
  } const cases[] = {
      {nullptr, "1\r\n"},
      {"a much longer earlier content\r\n\r\n\r\n", "0\r\n5\r\n"},
      {"1\r\n", "lone\rCR and\nLF\r\n\r\n"},
      {"1\r\n", ""},
  };
  const std::string path = Full("info\\keyvalue.cfg");
  for (const ReplaceWay& way : {kOneStep, kRenaming}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(way.name) + ": " + c.after);
      DeleteFileA(path.c_str());
      if (c.before != nullptr) {
        ASSERT_TRUE(way.replace(path.c_str(), c.before, nullptr));
      }
      ASSERT_TRUE(way.replace(path.c_str(), c.after, nullptr));
      EXPECT_EQ(Contents(path), c.after);
      EXPECT_EQ(FilesIn("info"), 1) << "neither a temporary file nor a backup is left";
    }
  }
}

// A folder or a read-only file under the target's name or the temporary
// name its replacement goes through fails the write, and the look before it,
// and is named; the target stays as it was, and nothing new is left beside it.
TEST_F(InTemporaryFolderWithCount, WhatStandsInTheWayFailsTheWriteAndIsNamed) {
  EXPECT_FALSE(win::ReplaceFileContents(Full("Info2\\InitFlag.flg").c_str(), "0\r\n"));
  const std::string target = Full("info\\video.cfg"), temporary = Full("info\\video.cf~");
  for (const ReplaceWay& way : {kOneStep, kRenaming}) {
    for (const std::string& blocker : {target, temporary}) {
      for (const bool folder : {true, false}) {
        SCOPED_TRACE(std::string(way.name) + " " + blocker + (folder ? " folder" : " read-only"));
        ASSERT_TRUE(win::ReplaceFileContents(target.c_str(), "1\r\n"));
        ASSERT_TRUE(win::ReplaceFileContents(blocker.c_str(), "1\r\n"));
        if (folder) {
          DeleteFileA(blocker.c_str());
          CreateDirectoryA(blocker.c_str(), nullptr);
        }
        SetFileAttributesA(blocker.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_READONLY);
        win::FullPath looked, named;
        EXPECT_FALSE(win::CanReplaceFile(target.c_str(), &looked));
        EXPECT_FALSE(way.replace(target.c_str(), "0\r\n", &named));
        EXPECT_STREQ(looked.text, blocker.c_str());
        EXPECT_STREQ(named.text, blocker.c_str());
        EXPECT_EQ(Contents(target), folder && blocker == target ? "(unread)" : "1\r\n");
        EXPECT_EQ(FilesIn("info"), (blocker == target ? 0 : 1) + (folder ? 0 : 1));
        SetFileAttributesA(blocker.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(blocker.c_str());
        DeleteFileA(blocker.c_str());
        DeleteFileA(target.c_str());
      }
    }
  }
}

TEST_F(InTemporaryFolderWithCount, AFileWhosePathFitsIsWrittenHoweverLongItsFolder) {
  // A 259-character path whose folder is longer than a generated temporary
  // name leaves room for (MAX_PATH - 14).
  const std::string name = "video.cfg";
  const std::size_t folderLength = win::kPathCapacity - 2 - name.size();
  ASSERT_LT(folder_.size() + 1, folderLength);
  const std::string folder = Full(std::string(folderLength - folder_.size() - 1, 'f'));
  ASSERT_GT(folder.size(), static_cast<std::size_t>(MAX_PATH - 14));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string path = folder + "\\" + name;
  ASSERT_EQ(path.size(), win::kPathCapacity - 1);
  for (const ReplaceWay& way : {kOneStep, kRenaming}) {
    SCOPED_TRACE(way.name);
    EXPECT_TRUE(way.replace(path.c_str(), "1\r\n", nullptr));
    EXPECT_TRUE(way.replace(path.c_str(), std::string(way.name) + "\r\n", nullptr));
    EXPECT_EQ(Contents(path), std::string(way.name) + "\r\n");
    EXPECT_EQ(FilesIn(folder.substr(folder_.size() + 1)), 1);
  }
}

TEST_F(InTemporaryFolderWithCount, AFileLeftByAWriteCutShortIsReusedOrRemoved) {
  struct Case {
    ReplaceWay way;
    const char* target;
    const char* leftover;  // the temporary file, or the renaming's backup
  } const cases[] = {
      {kOneStep, "video.cfg", "video.cf~"},   // the temporary file
      {kRenaming, "video.cfg", "video.cf~"},  // the same, replaced by renaming
      {kRenaming, "video.cfg", "video.cf$"},  // the backup left between the renames
      {kOneStep, "notes.tx~", "notes.tx_"},   // a name that ends like a temporary one
      {kRenaming, "notes.tx~", "notes.tx_"},  // the same, replaced by renaming
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.way.name) + ": " + c.leftover);
    const std::string path = Full(std::string("info\\") + c.target);
    ASSERT_TRUE(c.way.replace(path.c_str(), "old\r\n", nullptr));
    const std::string leftover = Full(std::string("info\\") + c.leftover);
    std::ofstream(leftover, std::ios::binary) << "a longer half-written file from before";
    ASSERT_EQ(FilesIn("info"), 2);
    ASSERT_TRUE(c.way.replace(path.c_str(), "new\r\n", nullptr));
    EXPECT_EQ(Contents(path), "new\r\n");
    EXPECT_EQ(FilesIn("info"), 1);
    DeleteFileA(path.c_str());
  }
}

// Another program holds the target open without sharing, as a virus scanner
// does for a moment after a write: the replace waits for it a little, but
// not for a file held for good.
TEST_F(InTemporaryFolderWithCount, AHeldFileIsReplacedOnceLetGoWithinHalfASecond) {
  const std::string path = Full("info\\InitFlag.flg");
  constexpr DWORD kHeldForMs = 150;  // the other program's hold: the case under test, not a wait
  for (const ReplaceWay& way : {kOneStep, kRenaming}) {
    for (const bool letGo : {true, false}) {
      SCOPED_TRACE(std::string(way.name) + (letGo ? ", let go after 150 ms" : ", held for good"));
      ASSERT_TRUE(way.replace(path.c_str(), "old\r\n", nullptr));
      win::UniqueFile held(
          CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(held);
      std::thread holder([&] {
        if (letGo) {
          Sleep(kHeldForMs);
          held.reset();
        }
      });
      EXPECT_EQ(way.replace(path.c_str(), "new\r\n", nullptr), letGo);
      holder.join();
      held.reset();
      EXPECT_EQ(Contents(path), letGo ? "new\r\n" : "old\r\n");
      EXPECT_EQ(FilesIn("info"), 1);
    }
  }
}

TEST_F(InTemporaryFolderWithCount, BinaryContentIsReadAndWrittenUnchangedAndAFolderIsNotRead) {
  std::string bytes;
  EXPECT_FALSE(win::ReadFileBytes(Full("info\\missing.cfg").c_str(), bytes));
  EXPECT_FALSE(win::ReadFileBytes(Full("info").c_str(), bytes));
  std::string all;
  for (int i = 0; i < 256; ++i) {
    all.push_back(static_cast<char>(i));
  }
  all += all;
  const std::string path = Full("info\\Driver.dat");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), all));
  EXPECT_EQ(Contents(path), all);
}

}  // namespace
