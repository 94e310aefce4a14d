// The handle ledger as the owners keep it, with real GDI objects and windows:
// each owner counts its object exactly once up and once down, whichever way
// the object goes, and a window of the launcher's own procedures is counted
// from its first message to its last.
#include "common/handle_ledger.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/window_ledger.h"
#include "tests/support/owners.h"

namespace {

using ledger::Kind;

// The change of one kind's count since the object was made.
class Counts {
 public:
  Counts() : before_(ledger::Take()) {}
  int Of(Kind kind) const { return ledger::Take()[kind] - before_[kind]; }
  std::string Changes() const { return ledger::Changes(before_, ledger::Take()); }

 private:
  ledger::Snapshot before_;
};

TEST(HandleLedgerOwners, EachGdiOwnerCountsItsKindWhileItHoldsAnObjectAndOnlyThen) {
  const Counts counts;
  {
    const LOGPALETTE one = {0x300, 1, {{1, 2, 3, 0}}};
    LOGFONTA face = {};
    face.lfHeight = -12;
    const win::UniqueBitmap bitmap(CreateBitmap(4, 4, 1, 1, nullptr));
    const win::UniquePalette palette(CreatePalette(&one));
    const win::UniqueFont font(CreateFontIndirectA(&face));
    const win::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    const win::UniqueRegion region(CreateRectRgn(0, 0, 4, 4));
    const win::UniqueMemoryDc memory = win::CompatibleMemoryDc(win::WindowDc(nullptr).get());
    const win::WindowDc screen(nullptr);
    ASSERT_TRUE(bitmap && palette && font && brush && region && memory && screen);
    EXPECT_EQ(counts.Changes(),
              "bitmap +1, palette +1, memory DC +1, window DC +1, font +1, brush +1, region +1");
  }
  EXPECT_EQ(counts.Changes(), "") << "every one deleted, the borrowed context given back";

  // An empty owner and a failed creation count nothing.
  win::UniqueBitmap none;
  win::UniqueFont failed(CreateFontIndirectA(nullptr));
  none.reset();
  win::UniqueMemoryDc noContext = win::CompatibleMemoryDc(nullptr);
  EXPECT_FALSE(failed || noContext);
  EXPECT_EQ(counts.Changes(), "");
}

TEST(HandleLedgerOwners, MovesHandOverAndResetAndReleaseLetGo) {
  const Counts counts;
  win::UniqueBitmap first(CreateBitmap(2, 2, 1, 1, nullptr));
  win::UniqueBitmap second = std::move(first);
  EXPECT_EQ(counts.Of(Kind::kBitmap), 1) << "moved, not counted again";
  std::vector<win::UniqueBitmap> many;
  many.push_back(std::move(second));
  many.emplace_back(CreateBitmap(2, 2, 1, 1, nullptr));
  many.resize(8);  // the vector moves them as it grows
  EXPECT_EQ(counts.Of(Kind::kBitmap), 2);
  many[0] = std::move(many[1]);  // the one replaced is deleted
  EXPECT_EQ(counts.Of(Kind::kBitmap), 1);
  many[0].reset(CreateBitmap(2, 2, 1, 1, nullptr));
  EXPECT_EQ(counts.Of(Kind::kBitmap), 1) << "reset: the old one deleted, the new one taken";

  const HBITMAP handedOut = many[0].release();
  EXPECT_EQ(counts.Of(Kind::kBitmap), 0) << "released: no longer the owner's";
  DeleteObject(handedOut);
  many.clear();
  EXPECT_EQ(counts.Changes(), "");
}

// A window class and a dialog of the kind the launcher's procedures make.
LRESULT CALLBACK CountedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  win::CountWindowLife(window, message);
  if (message == WM_CREATE) {
    return reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams != nullptr ? -1 : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int windowsWhileOpen = 0;

INT_PTR CALLBACK CountedDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  win::CountWindowLife(dialog, message);
  if (message == WM_INITDIALOG) {
    windowsWhileOpen = ledger::Take()[Kind::kWindow];
    EndDialog(dialog, 7);
    return TRUE;
  }
  return FALSE;
}

TEST(HandleLedgerOwners, AWindowCountsFromItsCreationToItsLastMessage) {
  WNDCLASSA description = {};
  description.lpfnWndProc = CountedWindowProc;
  description.hInstance = GetModuleHandleA(nullptr);
  description.lpszClassName = "QuilCountedWindow";
  ASSERT_NE(RegisterClassA(&description), 0);
  const Counts counts;

  support::UniqueWindow window(CreateWindowExA(0, "QuilCountedWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                               nullptr, description.hInstance, nullptr));
  ASSERT_TRUE(window);
  EXPECT_EQ(counts.Of(Kind::kWindow), 1);
  window.reset();  // destroyed
  EXPECT_EQ(counts.Of(Kind::kWindow), 0);

  // A creation refused in WM_CREATE still ends with WM_NCDESTROY.
  int refuse = 1;
  EXPECT_EQ(CreateWindowExA(0, "QuilCountedWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            description.hInstance, &refuse),
            nullptr);
  EXPECT_EQ(counts.Of(Kind::kWindow), 0);

  // A dialog: from its initialisation until it is gone. Its template: the
  // style (two words), no extended style, no controls, place and size, no
  // menu, class or title.
  alignas(4) const WORD dialog[] = {LOWORD(WS_POPUP), HIWORD(WS_POPUP), 0, 0, 0, 0, 0, 40, 20, 0, 0, 0};
  windowsWhileOpen = -1;
  const int before = ledger::Take()[Kind::kWindow];
  EXPECT_EQ(DialogBoxIndirectParamA(description.hInstance, reinterpret_cast<const DLGTEMPLATE*>(dialog),
                                    nullptr, CountedDialogProc, 0),
            7);
  EXPECT_EQ(windowsWhileOpen, before + 1);
  EXPECT_EQ(counts.Changes(), "");
  UnregisterClassA("QuilCountedWindow", description.hInstance);
}

}  // namespace
