#include "tests/gui/ControlHarness.h"

#include "host/Opcodes.h"
#include "plugin/PluginEntry.h"
#include "tests/support/IdleEffect.h"

#include <cstdio>

std::vector<std::string> journal;

namespace {

const struct {
    int32_t bit;
    int key;
} kButtonKeys[] = {
    {DrawContext::kPrimaryButton, VK_LBUTTON},   {DrawContext::kMiddleButton, VK_MBUTTON},
    {DrawContext::kSecondaryButton, VK_RBUTTON}, {DrawContext::kShift, VK_SHIFT},
    {DrawContext::kControl, VK_CONTROL},         {DrawContext::kAlt, VK_MENU},
};

} // namespace

ScriptedEditor::ScriptedEditor(PluginEffectX& owner, ScriptedPointer& source, IdleThrottle::Clock& clock)
    : GuiEditor(owner, clock), pointer(source) {}

void ScriptedEditor::pumpIdle() {
    ++pumps;
    if (pumps > kPassLimit) {
        ADD_FAILURE() << "the drag did not end after " << kPassLimit << " passes";
        pointer.held.clear();
        return;
    }
    if (next < script.size()) apply(*target, script[next++]);
}

void ScriptedEditor::play(Frame& panel, std::vector<PointerStep> steps) {
    target = &panel;
    script = std::move(steps);
    next = 0;
    pumps = 0;
}

void ScriptedEditor::apply(Frame& panel, const PointerStep& step) {
    pointer.pointAt(windowOf(panel), step.at);
    pointer.held.clear();
    for (const auto& read : kButtonKeys)
        if (step.buttons & read.bit) pointer.held.insert(read.key);
}

void RecordingListener::valueChanged(DrawContext* context, Control* control) {
    values.push_back(control->getValue());
    char entry[48];
    std::snprintf(entry, sizeof entry, "value %g%s", control->getValue(), context ? " drawn" : "");
    journal.push_back(entry);
}

void ControlTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(PluginLibraryTest::SetUp());
    savedKnobMode = knobMode;
    journal.clear();
    host.otherAnswer = 1;
    host.reaction = [](const HostRequest& request) {
        if (request.opcode == audioMasterBeginEdit)
            journal.push_back("begin " + std::to_string(request.index));
        if (request.opcode == audioMasterEndEdit) journal.push_back("end " + std::to_string(request.index));
    };
    parent = sharedHostWindow(40, 30, 400, 300);
    ASSERT_NE(parent, nullptr);
    effect = std::make_unique<IdleEffect>(RecordingHost::callback, 1, 4);
    editor = new ScriptedEditor(*effect, pointer, clock);
    frame = std::make_unique<Frame>(Rect{0, 0, 400, 300}, parent, editor);
}

void ControlTest::TearDown() {
    frame.reset();
    effect.reset();
    knobMode = savedKnobMode;
}

void ControlTest::drag(std::vector<PointerStep> steps) {
    ASSERT_FALSE(steps.empty());
    PointerStep release = steps.back();
    release.buttons = 0;
    editor->apply(*frame, steps.front());
    std::vector<PointerStep> rest(steps.begin() + 1, steps.end());
    rest.push_back(release);
    editor->play(*frame, rest);
    const Point press = steps.front().at;
    SendMessageA(windowOf(*frame), WM_LBUTTONDOWN, 0, MAKELPARAM(press.x, press.y));
}

void ControlTest::expectTakesNoInput(Control& control, Point at) {
    SCOPED_TRACE(::testing::Message() << "input at " << at);
    const float before = control.getValue();
    drag({{at, DrawContext::kPrimaryButton}, {{at.x, at.y - 20}, DrawContext::kPrimaryButton}});
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(control.keyDown(up), -1) << "the Up key was taken";
    EXPECT_FALSE(control.wheelTurned(nullptr, at, 1.0f)) << "the wheel was taken";
    EXPECT_EQ(control.getValue(), before);
    EXPECT_TRUE(journal.empty()) << "the host or the listener heard of it";
}

PixelGrid ControlTest::resourcePixels(int32_t resource) { return loadPixels(dll, resource); }
