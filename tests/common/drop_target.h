// A window of the test program that takes drops, as another program would:
// registered with RegisterDragDrop, it keeps the file and the bitmap each drop
// brought. Used in-process and against the real program.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace plakato::testing {

inline FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return {format, nullptr, aspect, -1, tymed};
}

inline std::vector<uint8_t> BlockBytes(HGLOBAL block) {
  std::vector<uint8_t> bytes(::GlobalSize(block));
  const void* p = ::GlobalLock(block);
  if (p) std::copy_n(static_cast<const uint8_t*>(p), bytes.size(), bytes.begin());
  ::GlobalUnlock(block);
  return bytes;
}

// GetData of one format, as the block's bytes; the medium is released.
inline std::vector<uint8_t> DataOf(IDataObject* data, CLIPFORMAT format) {
  FORMATETC etc = Format(format);
  STGMEDIUM medium{};
  HRESULT hr = data->GetData(&etc, &medium);
  EXPECT_EQ(hr, S_OK);
  if (FAILED(hr)) return {};
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(medium.pUnkForRelease, nullptr);
  std::vector<uint8_t> bytes = BlockBytes(medium.hGlobal);
  ::ReleaseStgMedium(&medium);
  return bytes;
}

// The one file a CF_HDROP names; empty without one.
inline std::wstring DroppedFile(IDataObject* data) {
  FORMATETC etc = Format(CF_HDROP);
  STGMEDIUM medium{};
  if (data->GetData(&etc, &medium) != S_OK) return L"";
  auto drop = static_cast<HDROP>(medium.hGlobal);
  std::wstring path;
  if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
    path.resize(::DragQueryFileW(drop, 0, nullptr, 0));
    ::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
  }
  ::ReleaseStgMedium(&medium);
  return path;
}

// A drop target that takes a copy, or refuses everything, and keeps what
// each drop brought. It lives on the stack: the count is only checked.
class RecordingTarget : public IDropTarget {
 public:
  explicit RecordingTarget(DWORD answer) : answer_(answer) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    ++enters;
    offered = *effect;
    *effect &= answer_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= answer_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    ++drops;
    file = DroppedFile(data);
    dib = DataOf(data, CF_DIB);
    *effect &= answer_;
    return S_OK;
  }

  ULONG references = 1;
  int enters = 0;
  DWORD offered = 0;  // the effects the source allowed, as the first DragEnter saw them
  int drops = 0;
  std::wstring file;
  std::vector<uint8_t> dib;

 private:
  DWORD answer_;
};

// A visible topmost window at a fixed place of the screen, registered as a
// drop target for as long as it lives.
class TargetWindow {
 public:
  explicit TargetWindow(IDropTarget* target, RECT place = {1000, 80, 1200, 230}) : place_(place) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlakatoDropTargetTest";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"drop here", WS_POPUP | WS_VISIBLE, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
    registered_ = ::RegisterDragDrop(window_, target);
  }
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;
  ~TargetWindow() {
    ::RevokeDragDrop(window_);
    ::DestroyWindow(window_);
  }
  HRESULT registered() const { return registered_; }
  POINT centre() const { return {(place_.left + place_.right) / 2, (place_.top + place_.bottom) / 2}; }

 private:
  RECT place_;
  HWND window_;
  HRESULT registered_;
};

}  // namespace plakato::testing
