#include "tests/gui/TestDataObject.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Frees the medium's memory when the receiver releases the medium, and counts that.
class MediumRelease final : public IUnknown {
public:
    MediumRelease(HGLOBAL memory, int& counter) : block(memory), releases(counter) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** out) override {
        *out = interfaceId == IID_IUnknown ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left != 0) return left;
        GlobalFree(block);
        ++releases;
        delete this;
        return 0;
    }

private:
    ~MediumRelease() = default;

    ULONG references = 1;
    HGLOBAL block;
    int& releases;
};

} // namespace

HRESULT TestDataObject::QueryInterface(REFIID interfaceId, void** out) {
    *out = interfaceId == IID_IUnknown || interfaceId == IID_IDataObject ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

const std::string* TestDataObject::find(const FORMATETC* format) const {
    if (!format || format->ptd || format->dwAspect != DVASPECT_CONTENT || format->lindex != -1 ||
        !(format->tymed & TYMED_HGLOBAL))
        return nullptr;
    const auto found = offered.find(format->cfFormat);
    return found == offered.end() ? nullptr : &found->second;
}

HRESULT TestDataObject::QueryGetData(FORMATETC* format) { return find(format) ? S_OK : DV_E_FORMATETC; }

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    const std::string* bytes = find(format);
    if (!bytes) return DV_E_FORMATETC;
    HGLOBAL memory = globalCopy(*bytes);
    if (!memory) return E_OUTOFMEMORY;
    *medium = {};
    // With a release object, releasing a GDI medium leaves its handle alone, so the label is harmless.
    medium->tymed = shape == MediumShape::gdiLabel ? TYMED_GDI : TYMED_HGLOBAL;
    medium->hGlobal = shape == MediumShape::nullGlobal ? nullptr : memory;
    medium->pUnkForRelease = new MediumRelease(memory, released);
    ++handedOut;
    return S_OK;
}

HGLOBAL globalCopy(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

std::string dropFilesHeader(DWORD namesAt, bool wide) {
    DROPFILES fields{};
    fields.pFiles = namesAt;
    fields.fWide = wide;
    return std::string(reinterpret_cast<const char*>(&fields), sizeof fields);
}

std::string fileListBlock(const std::vector<std::string>& names, bool wide) {
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    list += '\0';
    if (wide) {
        std::wstring wideList(list.size(), L'\0');
        MultiByteToWideChar(CP_ACP, 0, list.data(), int(list.size()), wideList.data(), int(wideList.size()));
        list.assign(reinterpret_cast<const char*>(wideList.data()), wideList.size() * sizeof(wchar_t));
    }
    return dropFilesHeader(sizeof(DROPFILES), wide) + list;
}
