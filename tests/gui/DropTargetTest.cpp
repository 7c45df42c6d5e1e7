// The panel window's drop target: its COM identity, the effects it shows while data is dragged over it,
// what a drop delivers to the frame's views, and that every medium and every copy is released whatever
// the data object hands out.

#include "gui/DropTarget.h"

#include "gui/Frame.h"
#include "gui/Shortcut.h"
#include "plugin/PluginEntry.h"
#include "tests/gui/AllocationCount.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"
#include "tests/gui/ScratchFiles.h"
#include "tests/gui/TestDataObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr Rect kPanel{0, 0, 200, 150};
using Offer = std::map<CLIPFORMAT, std::string>;
constexpr DWORD kEveryEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// Text as a data object offers it, with its terminator.
std::string text(const char* characters) { return std::string(characters, std::strlen(characters) + 1); }

// Takes drops or not, and keeps what reached it without allocating, so that the allocations of a drop
// can be counted.
class DropProbe : public View {
public:
    static constexpr int32_t kKept = 4;

    DropProbe(const Rect& bounds, bool accepts) : View(bounds), answer(accepts) {}

    bool dropReceived(char** items, int32_t count, int32_t kind, Point where) override {
        ++drops;
        receivedKind = kind;
        receivedCount = count;
        receivedWhere = where;
        liveAtDrop = liveAllocations();
        if (kind == DropTarget::kText)
            std::memcpy(names[0], items[0], std::min<size_t>(count, kFileNameCapacity - 1));
        else
            for (int32_t i = 0; i < std::min(count, kKept); ++i)
                std::strncpy(names[i], items[i], kFileNameCapacity - 1);
        return answer;
    }

    std::vector<std::string> received() const {
        return {names, names + (receivedKind == DropTarget::kText ? 1 : std::min(receivedCount, kKept))};
    }

    bool answer;
    int drops = 0;
    int32_t receivedKind = -1;
    int32_t receivedCount = -1;
    Point receivedWhere{-1, -1};
    long liveAtDrop = 0;
    char names[kKept][kFileNameCapacity] = {};
};

// A frame in a window standing in for the host's, and a drop target of the test's own on it (the frame's
// registered one is reached only by a real drag).
class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        moduleHandle = GetModuleHandleA(nullptr);
        parent = sharedHostWindow(40, 30, 300, 200);
        ASSERT_NE(parent, nullptr);
        frame = new Frame(kPanel, parent, nullptr);
        target = new DropTarget(frame);
        target->AddRef();
    }
    void TearDown() override {
        target->Release();
        delete frame;
    }

    DWORD drop(IDataObject* data, DWORD keys = 0) {
        DWORD effect = kEveryEffect;
        EXPECT_EQ(target->Drop(data, keys, {0, 0}, &effect), S_OK);
        return effect;
    }

    // A probe over (20, 20) to (120, 100) of the panel.
    DropProbe* addProbe(bool accepts) {
        auto* probe = new DropProbe({20, 20, 120, 100}, accepts);
        frame->addView(probe);
        return probe;
    }

    // Drops the offer with Control held at the cursor, and checks that whatever became of the drop, every
    // medium was released and every copy freed, and the data object is no longer held.
    DWORD checkedDrop(const Offer& offer, MediumShape shape, Point cursor, const std::string& what) {
        TestDataObject data;
        for (const auto& [format, bytes] : offer)
            data.offer(format, bytes);
        data.shape = shape;
        pointer.pointAt(windowOf(*frame), cursor);
        allocationsBeforeDrop = liveAllocations();
        const DWORD effect = drop(&data, MK_CONTROL);
        EXPECT_EQ(liveAllocations(), allocationsBeforeDrop) << what << ": an allocation outlived the drop";
        EXPECT_EQ(data.released, data.handedOut) << what << ": a medium was not released";
        EXPECT_EQ(data.references, 0u) << what << ": the data object is still held";
        return effect;
    }

    HWND parent = nullptr;
    Frame* frame = nullptr;
    DropTarget* target = nullptr;
    ScriptedPointer pointer;
    long allocationsBeforeDrop = 0;
};

TEST(DropTargetIdentity, AnswersForItsOwnInterfacesOnlyAndCountsReferencesExactly) {
    const long before = liveAllocations();
    auto* target = new DropTarget(nullptr);
    EXPECT_EQ(target->AddRef(), 1u);
    struct {
        const char* name;
        const IID& id;
        bool answers;
    } const cases[] = {
        {"IUnknown", IID_IUnknown, true},
        {"IDropTarget", IID_IDropTarget, true},
        {"IDataObject", IID_IDataObject, false},
        {"IDropSource", IID_IDropSource, false},
        {"IClassFactory", IID_IClassFactory, false},
    };
    ULONG held = 1;
    for (const auto& c : cases) {
        void* out = &held;
        EXPECT_EQ(target->QueryInterface(c.id, &out), c.answers ? S_OK : E_NOINTERFACE) << c.name;
        EXPECT_EQ(out, c.answers ? static_cast<IDropTarget*>(target) : nullptr) << c.name;
        held += c.answers;
        EXPECT_EQ(target->AddRef(), held + 1) << "after asking for " << c.name;
        EXPECT_EQ(target->Release(), held) << "after asking for " << c.name;
    }
    EXPECT_EQ(target->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    for (; held > 1; --held)
        EXPECT_EQ(target->Release(), held - 1);
    EXPECT_EQ(liveAllocations(), before + 1) << "destroyed before its last reference went";
    EXPECT_EQ(target->Release(), 0u);
    EXPECT_EQ(liveAllocations(), before) << "the last release did not destroy it";
}

struct EffectCase {
    const char* data;
    DWORD keys; // held on entering
    DWORD effect;
    DWORD keysOver; // held for a while as the data moves, before the entering keys come back
    DWORD effectOver;
};

// The effect shown on entering, and while the data moves over the panel as the keys change and change
// back.
TEST_F(DropTargetTest, ShowsCopyWithControlMoveWithoutAndNothingForOtherData) {
    const EffectCase cases[] = {
        {"text", 0, DROPEFFECT_MOVE, MK_CONTROL, DROPEFFECT_COPY},
        {"text", MK_CONTROL, DROPEFFECT_COPY, 0, DROPEFFECT_MOVE},
        {"text", MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY},
        {"text", MK_LBUTTON | MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY, MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE},
        {"files", MK_LBUTTON, DROPEFFECT_MOVE, MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY},
        {"files", MK_RBUTTON | MK_CONTROL, DROPEFFECT_COPY, MK_RBUTTON, DROPEFFECT_MOVE},
        {"a bitmap", 0, DROPEFFECT_NONE, MK_CONTROL, DROPEFFECT_NONE},
        {"a bitmap", MK_CONTROL, DROPEFFECT_NONE, 0, DROPEFFECT_NONE},
        {"nothing", MK_CONTROL, DROPEFFECT_NONE, 0, DROPEFFECT_NONE},
        {"no data object", MK_CONTROL, DROPEFFECT_NONE, 0, DROPEFFECT_NONE},
    };
    const std::map<std::string, CLIPFORMAT> formats{
        {"text", CF_TEXT}, {"files", CF_HDROP}, {"a bitmap", CF_BITMAP}};
    for (const EffectCase& c : cases) {
        TestDataObject data;
        if (formats.count(c.data)) data.offer(formats.at(c.data), "x");
        IDataObject* offered = std::string(c.data) == "no data object" ? nullptr : &data;
        DWORD effect = kEveryEffect;
        EXPECT_EQ(target->DragEnter(offered, c.keys, {5, 5}, &effect), S_OK);
        EXPECT_EQ(effect, c.effect) << "entering with " << c.data << ", keys " << c.keys;
        const std::pair<DWORD, DWORD> moves[] = {{c.keysOver, c.effectOver}, {c.keys, c.effect}};
        for (const auto& [keys, expected] : moves) {
            effect = kEveryEffect;
            EXPECT_EQ(target->DragOver(keys, {9, 9}, &effect), S_OK);
            EXPECT_EQ(effect, expected)
                << "moving with " << c.data << ", keys " << keys << " after " << c.keys;
        }
        EXPECT_EQ(target->DragOver(c.keys, {9, 9}, nullptr), E_INVALIDARG) << "moving with " << c.data;
        EXPECT_EQ(data.handedOut, 0) << "the data was fetched before the drop";
        EXPECT_EQ(target->DragLeave(), S_OK);
    }
}

// Formats offered by the data objects of the drop tests, and what a drop of each must deliver.
class DropOffers {
public:
    explicit DropOffers(ScratchFiles& files)
        : linked(files.file("the dropped target.text")),
          shortcut(files.shortcut("to the target.Lnk", linked)) {}

    const std::string hello = text("hello panel");
    const std::string plain = "C:\\samples\\kick.wav";
    const std::string unreadable = std::string(kFileNameCapacity + 500, 'u');
    const std::string linked;
    const std::string shortcut;
    const std::string list = fileListBlock({plain, unreadable, shortcut}, false);
    const std::vector<std::string> names{plain, ScratchFiles::shortPath(linked)};

    const Offer textOnly{{CF_TEXT, hello}};
    const Offer filesOnly{{CF_HDROP, list}};
    const Offer both{{CF_TEXT, hello}, {CF_HDROP, list}};
    const Offer bitmap{{CF_BITMAP, hello}};
    const Offer emptyText{{CF_TEXT, ""}};
    const Offer onlyUnreadable{{CF_HDROP, fileListBlock({unreadable}, true)}};
    const Offer unended{{CF_HDROP, list.substr(0, list.size() - 2)}};
};

struct DeliveryCase {
    const char* what;
    const Offer& offer;
    Point cursor;
    bool accepts;
    DWORD effect;
    int32_t kind;
    int32_t count;
    std::vector<std::string> names;
};

// The probe covers (20, 20) to (120, 100) of the panel.
TEST_F(DropTargetTest, DeliversTextOrFilesAtTheCursorAndCopiesOnlyWhenAViewTakesThem) {
    ScratchFiles files;
    const DropOffers o(files);
    ASSERT_FALSE(o.shortcut.empty()) << "the shell did not save a shortcut";
    const std::vector<std::string> hello{"hello panel"};
    const int32_t inText = DropTarget::kText, asFiles = DropTarget::kFiles;
    const DeliveryCase cases[] = {
        {"text", o.textOnly, {30, 40}, true, DROPEFFECT_COPY, inText, 12, hello},
        {"text on the view's corner", o.textOnly, {120, 100}, true, DROPEFFECT_COPY, inText, 12, hello},
        {"text and files", o.both, {20, 20}, true, DROPEFFECT_COPY, inText, 12, hello},
        {"text refused by the view", o.textOnly, {30, 40}, false, DROPEFFECT_NONE, inText, 12, hello},
        {"files", o.filesOnly, {119, 21}, true, DROPEFFECT_COPY, asFiles, 2, o.names},
        {"files refused by the view", o.filesOnly, {30, 40}, false, DROPEFFECT_NONE, asFiles, 2, o.names},
    };
    for (const DeliveryCase& c : cases) {
        SCOPED_TRACE(c.what);
        DropProbe* probe = addProbe(c.accepts);
        EXPECT_EQ(checkedDrop(c.offer, MediumShape::global, c.cursor, c.what), c.effect);
        ASSERT_EQ(probe->drops, 1);
        EXPECT_EQ(probe->receivedKind, c.kind);
        EXPECT_EQ(probe->receivedCount, c.count);
        EXPECT_EQ(probe->receivedWhere, c.cursor);
        EXPECT_EQ(probe->received(), c.names);
        if (c.kind == DropTarget::kFiles) {
            EXPECT_GE(probe->liveAtDrop - allocationsBeforeDrop, c.count) << "no copies were made";
        }
        frame->removeView(probe, true);
    }
}

struct IgnoredCase {
    const char* what;
    const Offer& offer;
    MediumShape shape;
    bool focused;
    Point cursor;
};

// A file list is read and freed even when no view may take it.
TEST_F(DropTargetTest, RefusedAndOddDropsReachNoViewAndLeaveNothingBehind) {
    ScratchFiles files;
    const DropOffers o(files);
    const MediumShape global = MediumShape::global;
    const IgnoredCase cases[] = {
        {"files beside the view", o.filesOnly, global, false, {121, 40}},
        {"files while the view holds the focus", o.filesOnly, global, true, {30, 40}},
        {"text while the view holds the focus", o.textOnly, global, true, {30, 40}},
        {"a bitmap", o.bitmap, global, false, {30, 40}},
        {"text with a null handle", o.textOnly, MediumShape::nullGlobal, false, {30, 40}},
        {"text labelled as a GDI object", o.textOnly, MediumShape::gdiLabel, false, {30, 40}},
        {"files labelled as a GDI object", o.filesOnly, MediumShape::gdiLabel, false, {30, 40}},
        {"empty text", o.emptyText, global, false, {30, 40}},
        {"a list of one unreadable name", o.onlyUnreadable, global, false, {30, 40}},
        {"a list without an end", o.unended, global, false, {30, 40}},
    };
    for (const IgnoredCase& c : cases) {
        SCOPED_TRACE(c.what);
        DropProbe* probe = addProbe(true);
        if (c.focused) frame->setFocusView(probe);
        EXPECT_EQ(checkedDrop(c.offer, c.shape, c.cursor, c.what), DROPEFFECT_NONE);
        EXPECT_EQ(probe->drops, 0);
        frame->setFocusView(nullptr);
        frame->removeView(probe, true);
    }
}

TEST_F(DropTargetTest, WithoutDataFrameOrEffectNothingIsFetched) {
    DropProbe* probe = addProbe(true);
    pointer.pointAt(windowOf(*frame), {30, 40});
    TestDataObject data;
    data.offer(CF_TEXT, text("unseen"));
    EXPECT_EQ(drop(nullptr), DROPEFFECT_NONE) << "no data object";
    EXPECT_EQ(target->Drop(&data, 0, {0, 0}, nullptr), E_INVALIDARG);
    target->detach();
    EXPECT_EQ(drop(&data), DROPEFFECT_NONE) << "a target its frame has left";
    EXPECT_EQ(data.handedOut, 0);
    EXPECT_EQ(probe->drops, 0);
}

// The registration holds the frame's target; revoking it on teardown, or when the host destroys the
// window first, lets it go.
TEST_F(DropTargetTest, TheFramesWindowTakesDropsAndItsTargetGoesWithTheFrame) {
    EXPECT_EQ(RegisterDragDrop(windowOf(*frame), target), DRAGDROP_E_ALREADYREGISTERED)
        << "the frame registered no target for its window";
    for (bool hostDestroysWindowFirst : {false, true}) {
        const long before = liveAllocations();
        auto* other = new Frame(kPanel, parent, nullptr);
        EXPECT_GT(liveAllocations(), before + 1) << "the frame made no target";
        if (hostDestroysWindowFirst) DestroyWindow(windowOf(*other));
        delete other;
        EXPECT_EQ(liveAllocations(), before) << (hostDestroysWindowFirst ? "window destroyed first" : "");
    }
}

} // namespace
