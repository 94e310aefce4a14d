// Owning and borrowing wrappers for the GDI and kernel handles the launcher
// uses. An owner deletes its handle exactly once; a guard puts back what it
// replaced. With these, every GetDC has its ReleaseDC and every SelectObject
// its restore, whatever path a function leaves by.
//
// The GDI owners and WindowDc keep the handle ledger (common/handle_ledger.h):
// one more of their kind while they hold an object, one less when it goes,
// whether it is deleted or handed out with release(). So every GDI object the
// launcher makes goes straight into an owner.
#pragma once

#include <windows.h>

#include <utility>

#include "common/handle_ledger.h"

namespace win {

// A move-only owner of one handle, released by `Traits::Close`. A valid
// handle is counted with `Traits::Count` (+1 taken, -1 closed or released);
// a move hands the handle over without counting.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) { Counted(+1); }
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  // Hands the handle out: it is no longer this owner's, nor counted.
  Handle release() {
    Counted(-1);
    return std::exchange(handle_, Traits::Invalid());
  }

  void reset(Handle h = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) {
      Traits::Close(handle_);
      Counted(-1);
    }
    handle_ = h;
    Counted(+1);
  }

 private:
  void Counted(int change) const {
    if (Traits::IsValid(handle_)) {
      Traits::Count(change);
    }
  }

  Handle handle_ = Traits::Invalid();
};

// The ledger's kind of each GDI handle type.
template <typename H>
constexpr ledger::Kind GdiKind();
template <>
constexpr ledger::Kind GdiKind<HBITMAP>() {
  return ledger::Kind::kBitmap;
}
template <>
constexpr ledger::Kind GdiKind<HPALETTE>() {
  return ledger::Kind::kPalette;
}
template <>
constexpr ledger::Kind GdiKind<HFONT>() {
  return ledger::Kind::kFont;
}
template <>
constexpr ledger::Kind GdiKind<HBRUSH>() {
  return ledger::Kind::kBrush;
}
template <>
constexpr ledger::Kind GdiKind<HRGN>() {
  return ledger::Kind::kRegion;
}

inline void CountInLedger(ledger::Kind kind, int change) {
  if (change > 0) {
    ledger::Add(kind);
  } else {
    ledger::Remove(kind);
  }
}

template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
  static void Count(int change) { CountInLedger(GdiKind<H>(), change); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
  static void Count(int change) { CountInLedger(ledger::Kind::kMemoryDc, change); }
};

// Kernel objects are not GDI's: the ledger does not count them.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
  static void Count(int) {}
};

// CreateFile reports failure with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits : KernelHandleTraits {
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};

// A mixer device from mixerOpen (WINMM), not counted either.
struct MixerTraits {
  using Handle = HMIXER;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { mixerClose(h); }
  static void Count(int) {}
};

using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniquePalette = UniqueHandle<GdiObjectTraits<HPALETTE>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueMixer = UniqueHandle<MixerTraits>;

// A movable global memory block, locked for its whole life: allocated and
// locked together, unlocked and freed together.
class LockedGlobalMemory {
 public:
  LockedGlobalMemory() = default;
  // Allocates `bytes` of movable, zero-filled memory; empty when that fails.
  explicit LockedGlobalMemory(SIZE_T bytes) : handle_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
    if (handle_ != nullptr) {
      data_ = static_cast<unsigned char*>(GlobalLock(handle_));
      if (data_ == nullptr) {
        GlobalFree(handle_);
        handle_ = nullptr;
      } else {
        size_ = bytes;
      }
    }
  }
  ~LockedGlobalMemory() { reset(); }
  LockedGlobalMemory(const LockedGlobalMemory&) = delete;
  LockedGlobalMemory& operator=(const LockedGlobalMemory&) = delete;
  LockedGlobalMemory(LockedGlobalMemory&& other) noexcept { *this = std::move(other); }
  LockedGlobalMemory& operator=(LockedGlobalMemory&& other) noexcept {
    if (this != &other) {
      reset();
      std::swap(handle_, other.handle_);
      std::swap(data_, other.data_);
      std::swap(size_, other.size_);
    }
    return *this;
  }

  void reset() {
    if (handle_ != nullptr) {
      GlobalUnlock(handle_);
      GlobalFree(handle_);
    }
    handle_ = nullptr;
    data_ = nullptr;
    size_ = 0;
  }

  explicit operator bool() const { return handle_ != nullptr; }
  unsigned char* data() const { return data_; }
  SIZE_T size() const { return size_; }

 private:
  HGLOBAL handle_ = nullptr;
  unsigned char* data_ = nullptr;
  SIZE_T size_ = 0;
};

// A window's device context from GetDC, released with ReleaseDC; counted in
// the ledger while it is held.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_ != nullptr) {
      ledger::Add(ledger::Kind::kWindowDc);
    }
  }
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
      ledger::Remove(ledger::Kind::kWindowDc);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace win
