// Owning and borrowing wrappers for the GDI and kernel handles the launcher
// uses. An owner deletes its handle exactly once; a guard puts back what it
// replaced. With these, every GetDC has its ReleaseDC and every SelectObject
// its restore, whatever path a function leaves by.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// A move-only owner of one handle, released by `Traits::Close`.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  Handle release() {
    Handle h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }

  void reset(Handle h = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) {
      Traits::Close(handle_);
    }
    handle_ = h;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

// CreateFile reports failure with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits : KernelHandleTraits {
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};

using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniquePalette = UniqueHandle<GdiObjectTraits<HPALETTE>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;

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

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
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
