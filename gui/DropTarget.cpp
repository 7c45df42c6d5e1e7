#include "gui/DropTarget.h"

#include "gui/DroppedFiles.h"
#include "gui/Frame.h"
#include "gui/LockedGlobal.h"

#include <algorithm>
#include <cstdint>

namespace {

FORMATETC globalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool offers(IDataObject& data, CLIPFORMAT format) {
    FORMATETC wanted = globalFormat(format);
    return data.QueryGetData(&wanted) == S_OK;
}

// A medium handed out by a data object's GetData, released however it is held: ReleaseStgMedium leaves
// it to the release object when there is one and otherwise frees what the medium's type says it holds.
class HeldMedium {
public:
    HeldMedium() = default;
    HeldMedium(const HeldMedium&) = delete;
    HeldMedium& operator=(const HeldMedium&) = delete;
    ~HeldMedium() {
        if (held) ReleaseStgMedium(&medium);
    }

    bool fetch(IDataObject& data, CLIPFORMAT format) {
        FORMATETC wanted = globalFormat(format);
        STGMEDIUM given{};
        held = data.GetData(&wanted, &given) == S_OK;
        if (held) medium = given;
        return held;
    }
    // Null unless the medium is the global memory that was asked for.
    HGLOBAL global() const { return medium.tymed == TYMED_HGLOBAL ? medium.hGlobal : nullptr; }

private:
    STGMEDIUM medium{};
    bool held = false;
};

} // namespace

HRESULT DropTarget::QueryInterface(REFIID interfaceId, void** out) {
    if (!out) return E_POINTER;
    if (interfaceId != IID_IDropTarget && interfaceId != IID_IUnknown) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

ULONG DropTarget::AddRef() { return ++references; }

ULONG DropTarget::Release() {
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    dropAcceptable = data && (offers(*data, CF_TEXT) || offers(*data, CF_HDROP));
    return DragOver(keys, point, effect);
}

HRESULT DropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    if (!dropAcceptable)
        *effect = DROPEFFECT_NONE;
    else
        *effect = keys & MK_CONTROL ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return S_OK;
}

HRESULT DropTarget::DragLeave() { return S_OK; }

// The source learns "copied" or "nothing", never "moved": a source told that the drop moved its data
// deletes the original, and no view consumes what it is given.
HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = frame && data && deliver(*data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    DragLeave();
    return S_OK;
}

// Text is taken when the data offers it, a file list otherwise.
bool DropTarget::deliver(IDataObject& data) {
    HeldMedium text;
    if (text.fetch(data, CF_TEXT)) return deliverText(text.global());
    HeldMedium files;
    return files.fetch(data, CF_HDROP) && deliverFiles(files.global());
}

bool DropTarget::deliverText(HGLOBAL text) {
    const LockedGlobal block(text);
    if (block.size() == 0) return false;
    char* items[] = {const_cast<char*>(block.data())};
    const auto size = static_cast<int32_t>(std::min<SIZE_T>(block.size(), INT32_MAX));
    return frame->dropReceived(items, size, kText, cursor());
}

// The names are read and freed even when no view takes them.
bool DropTarget::deliverFiles(HGLOBAL list) {
    const DroppedFiles files(list);
    return files.count() > 0 && frame->dropReceived(files.items(), files.count(), kFiles, cursor());
}

// In the frame's coordinates, read like every other cursor position of the toolkit rather than taken
// from the screen point OLE hands in.
Point DropTarget::cursor() {
    Point where;
    frame->cursorPosition(where);
    return where;
}
