// The editor with a panel: its answers without a panel, the paced pumpIdle on a scripted clock, the idle
// that the host sends from inside pumpIdle, and a frame reached through the editor.

#include "editor/GuiEditor.h"

#include "gui/Frame.h"
#include "gui/ModuleHandle.h"
#include "host/Opcodes.h"
#include "host/PluginEffectX.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"
#include "tests/support/IdleEffect.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/ScriptedClock.h"

#include <gtest/gtest.h>

namespace {

// The host's idle counter wraps during every test.
constexpr uint32_t kWrappingStart = 0xFFFFFF80u;

class Effect : public IdleEffect {
public:
    Effect() : IdleEffect(RecordingHost::callback) {}
    EditorBase* attached() { return editor; }
};

// Counts idles and refreshes; opens a frame of its own when given a parent window.
class ProbeEditor : public GuiEditor {
public:
    ProbeEditor(PluginEffectX& owner, IdleThrottle::Clock& clock) : GuiEditor(owner, clock) {
        panelRect = {0, 0, 150, 200};
    }
    int32_t openPanel(void* parent) override {
        GuiEditor::openPanel(parent);
        frame = new Frame({0, 0, 200, 150}, parent, this);
        return 1;
    }
    void closePanel() override {
        delete frame;
        frame = nullptr;
    }
    void idle() override {
        ++idles;
        GuiEditor::idle();
    }
    void refresh() override { ++refreshes; }
    Frame* panel() { return frame; }

    int idles = 0;
    int refreshes = 0;
};

class GuiEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.otherAnswer = 1;
        editor = new ProbeEditor(effect, clock);
    }

    RecordingHost host;
    ScriptedClock clock{kWrappingStart};
    Effect effect; // deletes the editor
    ProbeEditor* editor = nullptr;
};

TEST_F(GuiEditorTest, AttachesItselfAndWithoutAPanelGivesItsRectangleButHandlesNoInput) {
    EXPECT_EQ(effect.attached(), editor);
    EXPECT_TRUE(effect.effectRecord()->flags & effFlagsHasEditor);
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(editor->keyDown(key), -1);
    EXPECT_EQ(editor->keyUp(key), -1);
    EXPECT_FALSE(editor->wheelTurned(1.0f));
    editor->redrawAll();
    editor->idle();
    EXPECT_EQ(editor->refreshes, 0);
    ERect* rect = nullptr;
    EXPECT_EQ(editor->getPanelRect(&rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 150);
    EXPECT_EQ(rect->right, 200);
}

TEST_F(GuiEditorTest, KnobModeIsSharedByTheProcess) {
    for (int32_t mode : {2, 0, 1, 2}) {
        EXPECT_EQ(editor->selectKnobMode(mode), 1);
        EXPECT_EQ(knobMode, mode);
        Frame frame({0, 0, 10, 10}, nullptr, editor);
        EXPECT_EQ(frame.knobMode(), mode);
    }
}

TEST_F(GuiEditorTest, ParameterChangesAreAppliedAtTheNextIdle) {
    editor->parameterChanged(0, 0.5f);
    EXPECT_EQ(editor->refreshes, 0);
    editor->idle();
    EXPECT_EQ(editor->refreshes, 1);
    editor->idle();
    EXPECT_EQ(editor->refreshes, 1);
}

struct PaceCase {
    uint32_t step;
    int calls;
    int minimumIdles;
    int maximumIdles;
};

TEST_F(GuiEditorTest, PumpIdleRunsTheIdleAndTheHostsIdleAtTheStatedPace) {
    const PaceCase cases[] = {{10, 2, 0, 1}, {60, 2, 2, 2}, {60, 30, 30, 30}};
    for (const PaceCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.calls << " calls " << c.step << " ms apart");
        ScriptedClock paced{kWrappingStart};
        Effect owner;
        auto* probe = new ProbeEditor(owner, paced);
        host.requests.clear();
        paced.now += 200; // past the idle due at construction
        probe->pumpIdle();
        const int before = probe->idles;
        for (int i = 1; i < c.calls; ++i) {
            paced.now += c.step;
            probe->pumpIdle();
        }
        const int idles = probe->idles - before + 1;
        EXPECT_GE(idles, c.minimumIdles);
        EXPECT_LE(idles, c.maximumIdles);
        EXPECT_EQ(host.requestsOf(audioMasterIdle), probe->idles) << "every idle is followed by the host's";
    }
}

TEST_F(GuiEditorTest, AnIdleFromInsideTheHostsIdleDoesNothing) {
    editor->requestRefresh();
    host.reaction = [this](const HostRequest& request) {
        if (request.opcode != audioMasterIdle) return;
        editor->requestRefresh();
        editor->idle();
    };
    clock.now += 200;
    editor->pumpIdle();
    EXPECT_EQ(editor->refreshes, 1) << "only pumpIdle's own idle applies the refresh";
    EXPECT_EQ(editor->idles, 2);
    host.reaction = nullptr;
    editor->idle();
    EXPECT_EQ(editor->refreshes, 2) << "the refresh asked for meanwhile is still pending";
}

// Reaching the frame: keys, the wheel at the cursor, and begin and end edit on the host.
class OpenEditorTest : public GuiEditorTest {
protected:
    void SetUp() override {
        GuiEditorTest::SetUp();
        moduleHandle = GetModuleHandleA(nullptr);
        parent = sharedHostWindow(60, 40, 300, 200);
        ASSERT_NE(parent, nullptr);
        editor->openPanel(parent);
        view = new KeyView({20, 20, 60, 60});
        editor->panel()->addView(view);
    }
    void TearDown() override { editor->closePanel(); }

    class KeyView : public View {
    public:
        using View::View;
        int32_t keyDown(VstKeyCode& key) override { return key.character; }
        bool wheelTurned(DrawContext*, Point at, float distance) override {
            where = at;
            turned = distance;
            return true;
        }
        Point where{-1, -1};
        float turned = 0.0f;
    };

    HWND parent = nullptr;
    KeyView* view = nullptr;
};

TEST_F(OpenEditorTest, KeysReachTheFrame) {
    VstKeyCode key{'q', 0, 0};
    EXPECT_EQ(editor->keyDown(key), 'q');
    EXPECT_EQ(editor->keyUp(key), -1);
}

TEST_F(OpenEditorTest, TheWheelReachesTheViewUnderTheCursor) {
    ScriptedPointer pointer;
    pointer.pointAt(windowOf(*editor->panel()), {60, 20});
    EXPECT_TRUE(editor->wheelTurned(-3.0f));
    EXPECT_EQ(view->where, (Point{60, 20}));
    EXPECT_EQ(view->turned, -3.0f);
}

TEST_F(OpenEditorTest, EditsAreBracketedOnTheHost) {
    host.requests.clear();
    editor->panel()->beginEdit(2);
    editor->panel()->endEdit(2);
    AEffect* record = effect.effectRecord();
    EXPECT_EQ(host.requests, (std::vector<HostRequest>{{record, audioMasterBeginEdit, 2, 0, nullptr, 0},
                                                       {record, audioMasterEndEdit, 2, 0, nullptr, 0}}));
    EXPECT_EQ(view->ownerEditor(), editor);
}

TEST_F(OpenEditorTest, OpeningAsksForARefresh) {
    editor->idle();
    EXPECT_EQ(editor->refreshes, 1);
}

} // namespace
