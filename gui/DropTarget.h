#pragma once
// The OLE drop target of a frame's window: text and file lists dragged from other programs become one
// dropReceived of the frame, at the cursor. OLE's registration holds one reference; the frame holds
// another so that it can detach the target when it goes, because a drag in progress may still hold the
// target after that.

#include "gui/Geometry.h"

#include <ole2.h>

#include <cstdint>

class Frame;

class DropTarget final : public IDropTarget {
public:
    // The kinds of a dropped item list.
    static constexpr int32_t kFiles = 0; // count zero-terminated file names
    static constexpr int32_t kText = 1;  // one item, the text, and count its size in bytes

    explicit DropTarget(Frame* owner) : frame(owner) {}
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // From now on drops are refused: the frame is going.
    void detach() { frame = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    ~DropTarget() = default; // only Release destroys

    bool deliver(IDataObject& data);
    bool deliverText(HGLOBAL text);
    bool deliverFiles(HGLOBAL list);
    Point cursor();

    ULONG references = 0;
    bool dropAcceptable = false;
    Frame* frame;
};
