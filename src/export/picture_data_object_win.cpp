#include "export/picture_data_object_win.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cstring>

#include "base/global_memory_win.h"

namespace plakato {
namespace {

// The reference count and IUnknown of a COM object that implements one
// interface and lives on the heap until its last reference goes.
template <typename Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  LONG references_ = 1;  // the creator's
};

FORMATETC FormatOf(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

class DataObject final : public ComObject<IDataObject> {
 public:
  explicit DataObject(std::vector<OfferedFormat> offered) : offered_(std::move(offered)) {
    for (const OfferedFormat& f : offered_) etcs_.push_back(FormatOf(f.format));
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium) return E_INVALIDARG;
    *medium = {};
    const OfferedFormat* offered = nullptr;
    if (HRESULT hr = Find(format, &offered); FAILED(hr)) return hr;
    UniqueGlobal block = CopyToGlobal(offered->bytes);
    if (!block) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block.release();
    medium->pUnkForRelease = nullptr;  // the caller frees the block
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    const OfferedFormat* offered = nullptr;
    return Find(format, &offered);
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(etcs_.size()), etcs_.data(), out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HRESULT Find(const FORMATETC* format, const OfferedFormat** found) const {
    if (!format) return E_INVALIDARG;
    for (const OfferedFormat& offered : offered_) {
      if (offered.format != format->cfFormat) continue;
      if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
      if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
      *found = &offered;
      return S_OK;
    }
    return DV_E_FORMATETC;
  }

  std::vector<OfferedFormat> offered_;
  std::vector<FORMATETC> etcs_;
};

class DropSource final : public ComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if ((keyState & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

ComPtr<IDataObject> MakeDataObject(std::vector<OfferedFormat> formats) {
  return ComPtr<IDataObject>(new DataObject(std::move(formats)));
}

std::vector<uint8_t> DropFilesBytes(const std::wstring& path) {
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  // The path, its terminating zero and the empty name that ends the list.
  size_t pathBytes = (path.size() + 2) * sizeof(wchar_t);
  std::vector<uint8_t> bytes(sizeof(DROPFILES) + pathBytes, 0);
  std::memcpy(bytes.data(), &header, sizeof(header));
  std::memcpy(bytes.data() + sizeof(DROPFILES), path.data(), path.size() * sizeof(wchar_t));
  return bytes;
}

CLIPFORMAT PngClipboardFormat() {
  static const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"PNG"));
  return format;
}

ComPtr<IDropSource> MakeDropSource() { return ComPtr<IDropSource>(new DropSource); }

}  // namespace plakato
