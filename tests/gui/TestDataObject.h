#pragma once
// A data object of the tests' own, standing in for another program's drag source. It offers each format
// as global memory, and only for the request a drop target is expected to make: no target device, the
// content aspect, index -1 and global memory among the medium types. Every medium it hands out carries a
// release object that frees the memory and counts the release, so that a test sees whether each medium
// was released. It lives on the test's stack; its reference count tells whether anyone kept it.

#include <ole2.h>

#include <map>
#include <string>
#include <vector>

// What GetData puts in the medium besides the data.
enum class MediumShape {
    global,     // the global memory that was asked for
    nullGlobal, // global memory, but a null handle
    gdiLabel,   // the global memory holding the data, but labelled as a GDI object
};

class TestDataObject final : public IDataObject {
public:
    // GetData hands out a fresh copy of the bytes each time.
    void offer(CLIPFORMAT format, std::string bytes) { offered[format] = std::move(bytes); }

    MediumShape shape = MediumShape::global;
    int handedOut = 0;
    int released = 0;
    ULONG references = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    // A drop target has no use for the rest.
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const std::string* find(const FORMATETC* format) const;

    std::map<CLIPFORMAT, std::string> offered;
};

// Global memory holding a copy of the bytes; null if none could be had.
HGLOBAL globalCopy(const std::string& bytes);

// The header of a DROPFILES block whose names start namesAt bytes in, in UTF-16 or ANSI.
std::string dropFilesHeader(DWORD namesAt, bool wide);

// A DROPFILES block naming the files, in ANSI or in UTF-16, as a shell drag source builds it.
std::string fileListBlock(const std::vector<std::string>& names, bool wide);
