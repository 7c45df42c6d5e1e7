// The real panel in a host's window, through the library's record only: what it shows, what real mouse
// and keyboard input does to the parameters and the host, how it follows automation, programs and
// audio, that opening and closing leave nothing behind, and that it stands the host's other threads, a
// close from inside a drag, failed allocations and a thread in the multi-threaded apartment.

#include "host/HostRecords.h"
#include "host/Opcodes.h"
#include "resources/PanelLayout.h"
#include "tests/e2e/PanelHost.h"
#include "tests/support/ImportCounter.h"
#include "tests/support/PluginLibrary.h"
#include "tests/support/ReferenceCompressor.h"
#include "tests/support/TestHost.h"
#include "tools/host/StereoSignal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <objbase.h>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int32_t kFlagsWithEditor = 25;
constexpr HostInt kVirtualKeyUp = 12;
constexpr float kShiftModifier = 1.0f;

HMODULE library() { return GetModuleHandleA("QuenvaleCompressor.dll"); }

using panelLayout::Kind;
using panelLayout::Placement;

// Where the panel description puts the controls; what each must show is worked out here.
std::vector<Placement> controlsOf(Kind kind) {
    std::vector<Placement> found;
    for (const Placement& control : panelLayout::kControls)
        if (control.kind == kind) found.push_back(control);
    return found;
}
const std::vector<Placement> kKnobs = controlsOf(Kind::knob);
const std::vector<Placement> kDisplays = controlsOf(Kind::display);
const std::vector<Placement> kMeters = controlsOf(Kind::meter);

constexpr RECT areaOf(const Placement& control) {
    return {control.left, control.top, control.right(), control.bottom()};
}
constexpr const Placement& named(const char* name) { return *panelLayout::placementNamed(name); }
constexpr RECT kWholePanel{0, 0, panelLayout::kBackground.frameWidth, panelLayout::kBackground.frameHeight};

// Where the tests press a knob: on its face, at least kPressMargin pixels from every edge, so that the
// press lands on the knob whatever the rounding of screen coordinates.
constexpr int kPressMargin = 15;
constexpr POINT pressPoint(const Placement& knob) { return {knob.left + 30, knob.top + 22}; }

constexpr bool wellInside(POINT point, const RECT& area) {
    return point.x - area.left >= kPressMargin && area.right - point.x >= kPressMargin &&
           point.y - area.top >= kPressMargin && area.bottom - point.y >= kPressMargin;
}

constexpr bool everyPressPointWellInside() {
    for (const Placement& knob : panelLayout::kControls)
        if (knob.kind == Kind::knob && !wellInside(pressPoint(knob), areaOf(knob))) return false;
    return true;
}
static_assert(everyPressPointWellInside(), "a knob's press point is too near its edge");

// Knobs show the frame at or below their value; displays the nearest one.
int knobFrame(float value, int frames, int frameHeight) {
    if (!(value >= 0.0f)) return 0;
    const int total = (frames - 1) * frameHeight;
    return std::min(int(value * float(total)) / frameHeight, frames - 1);
}

int displayFrame(float value, int frames) {
    value = std::min(value, 1.0f);
    return value > 0.0f ? int(float(frames - 1) * value + 0.5f) : 0;
}

// A channel may differ by the rounding of 16-bit artwork to the screen's depth.
bool alike(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 8) return false;
    return true;
}

int mismatches(const PixelGrid& shown, const PixelGrid& expected, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += !alike(shown.at(x, y), expected.at(x, y));
    return count;
}

void paste(PixelGrid& panel, const PixelGrid& strip, const RECT& area, int frame) {
    const int height = area.bottom - area.top;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < area.right - area.left; ++x)
            panel.set(area.left + x, area.top + y, strip.at(x, frame * height + y));
}

// One block of the signal through the library's replacing entry, as a host's audio thread calls it.
void processReplacing(AEffect* effect, StereoSignal& in, StereoSignal& out) {
    float* inputs[] = {in.left.data(), in.right.data()};
    float* outputs[] = {out.left.data(), out.right.data()};
    effect->processReplacing(effect, inputs, outputs, in.frames());
}

// The meter's lit and unlit pictures.
struct MeterPictures {
    const PixelGrid lit = loadPixels(library(), panelLayout::kMeterLit.resource);
    const PixelGrid unlit = loadPixels(library(), panelLayout::kMeterUnlit.resource);

    bool lightsRow(int y) const {
        for (int x = 0; x < lit.width(); ++x)
            if (!alike(lit.at(x, y), unlit.at(x, y))) return true;
        return false;
    }
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = loadPlugin(host);
        ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
        panel = std::make_unique<PanelHost>(*plugin);
        meterPictures.emplace(); // from the library, which is loaded only from here on
    }
    void TearDown() override {
        if (plugin && plugin->effect()) panel->close();
        panel.reset();
    }

    float parameter(int32_t index) const { return plugin->effect()->getParameter(plugin->effect(), index); }
    void setParameter(int32_t index, float value) {
        plugin->effect()->setParameter(plugin->effect(), index, value);
    }

    // Idles often enough for the meters' start-up fall to end, so that nothing more moves by itself.
    void settle() {
        for (int i = 0; i < 12; ++i)
            panel->idle();
        panel->pump(50);
    }

    // Background, knobs and displays as the plug-in's current values say they must look, made from the
    // library's own pictures; the meters are taken from what is shown.
    PixelGrid expectedPanel(const PixelGrid& shown) const {
        PixelGrid expected = loadPixels(library(), panelLayout::kBackground.resource);
        for (const Placement& knob : kKnobs)
            paste(expected, loadPixels(library(), knob.picture->resource), areaOf(knob),
                  knobFrame(parameter(knob.shows), knob.picture->frames, knob.bottom() - knob.top));
        for (const Placement& display : kDisplays)
            paste(expected, loadPixels(library(), display.picture->resource), areaOf(display),
                  displayFrame(parameter(display.shows), display.picture->frames));
        for (const Placement& meter : kMeters)
            for (int y = meter.top; y < meter.bottom(); ++y)
                for (int x = meter.left; x < meter.right(); ++x)
                    expected.set(x, y, shown.at(x, y));
        return expected;
    }

    // Rows of the meter that show the lit picture where it differs from the unlit one.
    int litRows(const PixelGrid& shown, const Placement& meter) const {
        const MeterPictures& pictures = *meterPictures;
        int rows = 0;
        for (int y = 0; y < pictures.lit.height(); ++y) {
            bool matchesLit = true;
            for (int x = 0; x < pictures.lit.width(); ++x)
                matchesLit =
                    matchesLit && alike(shown.at(meter.left + x, meter.top + y), pictures.lit.at(x, y));
            rows += pictures.lightsRow(y) && matchesLit;
        }
        return rows;
    }

    // The lit rows of a ten-segment meter at a steady level: the segments from the top that stay dark
    // are the level's distance from full scale, rounded to whole segments.
    int litRowsFor(float level) const {
        const MeterPictures& pictures = *meterPictures;
        const int darkSegments = int((1.0f - std::min(level, 1.0f)) * 10.0f + 0.5f);
        int rows = 0;
        for (int y = darkSegments * pictures.lit.height() / 10; y < pictures.lit.height(); ++y)
            rows += pictures.lightsRow(y);
        return rows;
    }

    // The host requests other than idle time, which the panel asks for while a knob holds the mouse.
    std::vector<HostRequest> requestsBesidesIdle() const {
        std::vector<HostRequest> kept;
        for (const HostRequest& request : host.requests)
            if (request.opcode != audioMasterIdle) kept.push_back(request);
        return kept;
    }
    // A request of the plug-in about a parameter, with the value for automation.
    HostRequest request(int32_t opcode, int32_t index, float value = 0.0f) const {
        return {plugin->effect(), opcode, index, 0, nullptr, value};
    }

    void process(float amplitude, int blocks) {
        constexpr int32_t kFrames = 512;
        StereoSignal in(kFrames), out(kFrames);
        for (int block = 0; block < blocks; ++block) {
            for (int32_t i = 0; i < kFrames; ++i)
                in.left[size_t(i)] = in.right[size_t(i)] =
                    amplitude * std::sin(0.0625f * float(block * kFrames + i));
            processReplacing(plugin->effect(), in, out);
        }
    }

    RecordingHost host;
    std::unique_ptr<LoadedPlugin> plugin;
    std::unique_ptr<PanelHost> panel;
    std::optional<MeterPictures> meterPictures;
};

TEST_F(PanelTest, EditorIsDeclaredAndAnswersBeforeTheFirstOpen) {
    EXPECT_EQ(plugin->effect()->flags, kFlagsWithEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, kWholePanel.bottom);
    EXPECT_EQ(rect->right, kWholePanel.right);
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtualKeyUp), -1) << "keys while the panel is closed";
}

TEST_F(PanelTest, OpensInTheHostWindowShowingTheArtworkAtTheCurrentValues) {
    const float values[] = {0.3f, 0.7f, 0.6f, 0.45f};
    for (int32_t index = 0; index < 4; ++index)
        setParameter(index, values[index]);
    ASSERT_EQ(panel->openAndShow(), 1);
    HWND window = panel->panelWindow();
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kWholePanel.right);
    EXPECT_EQ(client.bottom, kWholePanel.bottom);

    const PixelGrid shown = panel->capture();
    const PixelGrid expected = expectedPanel(shown);
    for (const Placement& knob : kKnobs)
        EXPECT_EQ(mismatches(shown, expected, areaOf(knob)), 0)
            << knob.name << " at " << parameter(knob.shows);
    EXPECT_EQ(mismatches(shown, expected, kWholePanel), 0) << "the whole panel";
}

TEST_F(PanelTest, DraggingEachKnobAutomatesItsParameterBetweenOneBeginAndOneEndEdit) {
    ASSERT_EQ(panel->openAndShow(), 1);
    for (const Placement& knob : kKnobs) {
        SCOPED_TRACE(knob.name);
        setParameter(knob.shows, 0.2f);
        panel->idle();
        host.requests.clear();
        const POINT press = pressPoint(knob);
        InputScript drag;
        drag.moveTo(panel->onScreen(press.x, press.y)).press();
        for (int step = 1; step <= 4; ++step) // 40 pixels up: 0.2 more at 200 pixels for the range
            drag.moveTo(panel->onScreen(press.x, press.y - 10 * step)).pause(30);
        drag.release().play(*panel);

        const std::vector<HostRequest> requests = requestsBesidesIdle();
        ASSERT_GE(requests.size(), 3u);
        EXPECT_EQ(requests.front(), request(audioMasterBeginEdit, knob.shows));
        EXPECT_EQ(requests.back(), request(audioMasterEndEdit, knob.shows));
        float previous = 0.2f;
        for (size_t i = 1; i + 1 < requests.size(); ++i) {
            EXPECT_EQ(requests[i], request(audioMasterAutomate, knob.shows, requests[i].opt));
            EXPECT_GT(requests[i].opt, previous) << "each change is reported once, rising";
            previous = requests[i].opt;
        }
        // Exactly the value a host reads back from its saved text "0.4": for the selector the boundary
        // of its third position, which the picture shows too.
        EXPECT_EQ(previous, std::strtof("0.4", nullptr));
        EXPECT_EQ(parameter(knob.shows), previous);
        const PixelGrid shown = panel->capture();
        EXPECT_EQ(mismatches(shown, expectedPanel(shown), areaOf(knob)), 0);
        EXPECT_GE(host.requestsOf(audioMasterIdle), 1) << "the panel idled the host during the drag";
    }
}

TEST_F(PanelTest, TheRestOfThePanelKeepsMovingDuringADrag) {
    ASSERT_EQ(panel->openAndShow(), 1);
    process(0.9f, 20);
    panel->idle();
    const Placement& meter = named("left output meter");
    const int litBefore = litRows(panel->capture(), meter);
    process(0.0f, 200); // the output hold decays to nothing
    const POINT threshold = pressPoint(named("threshold"));
    InputScript drag;
    drag.moveTo(panel->onScreen(threshold.x, threshold.y)).press();
    for (int step = 1; step <= 12; ++step)
        drag.moveTo(panel->onScreen(threshold.x + step, threshold.y)).pause(60);
    drag.release().play(*panel);
    EXPECT_LT(litRows(panel->capture(), meter), litBefore) << "the meter fell while the knob was held";
}

TEST_F(PanelTest, ControlClickRestoresTheDefaultAndTellsTheHostWithoutEditNotices) {
    setParameter(0, 0.2f);
    ASSERT_EQ(panel->openAndShow(), 1);
    panel->idle();
    host.requests.clear();
    // A first click on the background gives the window the keyboard focus: under Wine, the focus
    // arriving with the knob's click would reset the modifier keys to what the display server knows.
    InputScript click;
    click.moveTo(panel->onScreen(10, 10)).press().pause(100).release().pause(400);
    const POINT threshold = pressPoint(named("threshold"));
    click.moveTo(panel->onScreen(threshold.x, threshold.y))
        .keyDown(VK_CONTROL)
        .pause(100)
        .press()
        .pause(150)
        .release()
        .keyUp(VK_CONTROL);
    click.play(*panel);
    EXPECT_EQ(requestsBesidesIdle(), std::vector<HostRequest>{request(audioMasterAutomate, 0, 0.5f)});
    EXPECT_EQ(parameter(0), 0.5f);
}

TEST_F(PanelTest, WheelMovesTheKnobUnderTheCursorAndArrowKeysTheOneInFocus) {
    setParameter(3, 0.5f);
    ASSERT_EQ(panel->openAndShow(), 1);
    host.requests.clear();
    const POINT gain = pressPoint(named("gain"));
    InputScript().moveTo(panel->onScreen(gain.x, gain.y)).wheel(1).play(*panel);
    EXPECT_EQ(requestsBesidesIdle(), std::vector<HostRequest>{request(audioMasterAutomate, 3, parameter(3))});
    EXPECT_NEAR(parameter(3), 0.6f, 1e-6f);

    setParameter(1, 0.5f);
    // A click gives attack the focus.
    const POINT attack = pressPoint(named("attack"));
    InputScript().moveTo(panel->onScreen(attack.x, attack.y)).press().pause(150).release().play(*panel);
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtualKeyUp), 1);
    EXPECT_NEAR(parameter(1), 0.6f, 1e-6f);
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtualKeyUp, nullptr, kShiftModifier), 1);
    EXPECT_NEAR(parameter(1), 0.61f, 1e-6f);
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, 'a'), -1) << "other keys are left to the host";
}

TEST_F(PanelTest, AutomationAndProgramChangesRedrawOnlyTheirControlsAtTheNextIdle) {
    ASSERT_EQ(panel->openAndShow(), 1);
    settle();
    const PixelGrid before = panel->capture();
    const RECT threshold = areaOf(named("threshold"));

    setParameter(0, 0.85f);
    panel->pump(50);
    EXPECT_EQ(mismatches(panel->capture(), before, kWholePanel), 0) << "nothing is drawn before the idle";
    panel->idle();
    const PixelGrid automated = panel->capture();
    EXPECT_GT(mismatches(automated, before, threshold), 0);
    EXPECT_EQ(mismatches(automated, before, kWholePanel), mismatches(automated, before, threshold))
        << "only the threshold knob changed";

    const float timeConstant = parameter(2);
    plugin->dispatch(effSetProgram, 0, 5);
    ASSERT_NE(parameter(2), timeConstant);
    panel->idle();
    const PixelGrid programmed = panel->capture();
    const RECT selector = areaOf(named("time constant"));
    EXPECT_GT(mismatches(programmed, automated, selector), 0);
    EXPECT_EQ(mismatches(programmed, expectedPanel(programmed), kWholePanel), 0)
        << "every control shows its value";
}

TEST_F(PanelTest, LevelDisplaysFollowTheAudioAndTheMetersFallOverTenIdles) {
    ASSERT_EQ(panel->openAndShow(), 1);
    settle();
    const PixelGrid quiet = panel->capture();
    for (const Placement& meter : kMeters)
        EXPECT_EQ(litRows(quiet, meter), 0);

    process(0.9f, 20);
    panel->idle();
    const PixelGrid loud = panel->capture();
    EXPECT_TRUE(loud.save("../panel-after-loud-audio.bmp"));
    for (const Placement& display : kDisplays)
        EXPECT_GT(mismatches(loud, quiet, areaOf(display)), 0)
            << display.name << " at " << parameter(display.shows);
    EXPECT_EQ(mismatches(loud, expectedPanel(loud), kWholePanel), 0);
    for (const Placement& meter : kMeters) {
        const float level = parameter(meter.shows);
        EXPECT_GT(litRows(loud, meter), 0) << "loud output lights the " << meter.name;
        EXPECT_EQ(litRows(loud, meter), litRowsFor(level)) << meter.name << " at " << level;
    }

    process(0.0f, 200);
    const Placement& left = named("left output meter");
    ASSERT_LT(parameter(left.shows), 0.01f);
    std::vector<int> lit{litRows(loud, left)};
    for (int idle = 1; idle <= 10; ++idle) {
        panel->idle();
        lit.push_back(litRows(panel->capture(), left));
        EXPECT_LE(lit.back(), lit[lit.size() - 2]) << "idle " << idle;
    }
    EXPECT_GT(lit[3], 0) << "the meter falls step by step, not at once";
    EXPECT_EQ(lit.back(), 0) << "dark after ten idles";
}

TEST_F(PanelTest, AnIdleWithNothingChangedDrawsNothing) {
    ASSERT_EQ(panel->openAndShow(), 1);
    settle();
    ImportCounter counter(library());
    panel->idle();
    panel->idle();
    EXPECT_EQ(counter.drawingCalls(), 0);
    EXPECT_EQ(counter.calls("GetDC"), 0);
    setParameter(3, 0.9f);
    panel->idle();
    EXPECT_GT(counter.drawingCalls(), 0) << "the counter sees the panel's drawing";
}

int childWindows(HWND parent) {
    int count = 0;
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(parent, child, nullptr, nullptr))
        ++count;
    return count;
}

// A plug-in instance made after the counter was put on the library, so that everything the instance
// makes and frees is counted.
class PanelLifetime : public PluginLibrarySuite {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PluginLibrarySuite::SetUp());
        counter = std::make_unique<ImportCounter>(dll);
        ASSERT_NO_FATAL_FAILURE(reload());
    }
    // A new instance in place of one the test closed.
    void reload() {
        plugin = loadPlugin(host);
        ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
    }
    // The import table is put back while the library is still loaded.
    ~PanelLifetime() override {
        plugin.reset();
        counter.reset();
    }

    // After the instance is closed: no GDI object, device context or window class is left. A
    // registration the system refused needs no unregistration.
    void expectNothingLeft(int refusedRegistrations = 0) {
        EXPECT_EQ(plugin->close(), 1);
        EXPECT_EQ(counter->liveGdiObjects(), 0);
        EXPECT_EQ(counter->calls("GetDC"), counter->calls("ReleaseDC"));
        EXPECT_EQ(counter->calls("RegisterClassA") - refusedRegistrations,
                  counter->calls("UnregisterClassA"));
        EXPECT_EQ(counter->calls("OleInitialize"), counter->calls("OleUninitialize"));
        WNDCLASSA found{};
        EXPECT_FALSE(GetClassInfoA(dll, windowClassOf(dll).c_str(), &found));
    }

    // Runs the gesture while the host runs close from its handling of the first request of the opcode
    // that the gesture sends; answers how many such requests the host got in all.
    int closingAtTheFirst(int32_t opcode, const std::function<void()>& gesture,
                          const std::function<void()>& close) {
        int seen = 0;
        host.reaction = [&](const HostRequest& request) {
            if (request.opcode == opcode && seen++ == 0) close();
        };
        gesture();
        host.reaction = nullptr;
        return seen;
    }

    // Drags the first knob up.
    static void drag(PanelHost& panel) {
        const POINT press = pressPoint(kKnobs[0]);
        InputScript drag;
        drag.moveTo(panel.onScreen(press.x, press.y)).press();
        for (int step = 1; step <= 6; ++step)
            drag.moveTo(panel.onScreen(press.x, press.y - 10 * step)).pause(30);
        drag.release().play(panel);
    }

    std::vector<int32_t> editRequests() const {
        std::vector<int32_t> edits;
        for (const HostRequest& request : host.requests)
            if (request.opcode == audioMasterBeginEdit || request.opcode == audioMasterEndEdit)
                edits.push_back(request.opcode);
        return edits;
    }

    std::unique_ptr<ImportCounter> counter;
    RecordingHost host;
    std::unique_ptr<LoadedPlugin> plugin;
};

TEST_F(PanelLifetime, OpenCloseCyclesAndADoubleOpenLeaveNoWindowClassOrGdiObjectBehind) {
    {
        PanelHost panel(*plugin);
        for (int cycle = 0; cycle < 3; ++cycle) {
            ASSERT_EQ(panel.openAndShow(), 1);
            panel.idle();
            panel.close();
            EXPECT_EQ(childWindows(panel.window()), 0) << "cycle " << cycle;
        }
        ASSERT_EQ(panel.open(), 1);
        ASSERT_EQ(panel.openAndShow(), 1);
        EXPECT_EQ(childWindows(panel.window()), 1) << "a second open replaces the first panel";
        panel.close();
        EXPECT_EQ(childWindows(panel.window()), 0);
    }
    EXPECT_GT(counter->calls("LoadBitmapA"), 0) << "the counter sees the panel's pictures";
    EXPECT_EQ(counter->calls("CreateWindowExA"), counter->calls("DestroyWindow"));
    expectNothingLeft();
}

TEST_F(PanelLifetime, OpeningWithoutAUsableParentWindowAnswersZeroAndKeepsNothing) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (void* parent : {static_cast<void*>(nullptr), static_cast<void*>(gone)}) {
        EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, parent), 0) << "parent " << parent;
        EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtualKeyUp), -1) << "the panel stays closed";
    }
    expectNothingLeft();
}

} // namespace

// The host's threads at once, through the real library: one thread sets parameters as fast as it can,
// one processes audio, and this one, the host's user-interface thread, opens, idles and closes the
// panel. The loop runs its cycles and goes on until each worker has run its share meanwhile.
class HostThreadsTest : public PanelTest {
protected:
    static constexpr int kCycles = 1000;
    static constexpr long kWorkerRuns = 2000;
    static constexpr long kBurst = 256;
    static constexpr float kValues[] = {0.0f, 0.37f, 1.0f, -0.5f, 1.7f, NAN, 0.81f, 2.0f, -1.0f, 0.5f};

    // The setting and the audio thread; they stop and are joined when the holder goes, whatever failed.
    class Workers {
    public:
        explicit Workers(AEffect* effect) {
            threads.emplace_back([this, effect] {
                for (long i = 0; !stop; ++i) {
                    effect->setParameter(effect, int32_t(i % 4), kValues[size_t(i / 4 % 10)]);
                    ++sets;
                    if (i % kBurst == 0) Sleep(1); // bursts as fast as it can; the cores are shared
                }
            });
            threads.emplace_back([this, effect] {
                StereoSignal in(256, 0.5f), out(256);
                std::fill(in.right.begin(), in.right.end(), -0.25f);
                while (!stop) {
                    processReplacing(effect, in, out);
                    ++blocks;
                    Sleep(1); // faster than the block's own time, as a host catching up
                }
            });
        }
        ~Workers() { finish(); }
        void finish() {
            stop = true;
            for (std::thread& thread : threads)
                if (thread.joinable()) thread.join();
        }

        std::atomic<long> sets{0};
        std::atomic<long> blocks{0};

    private:
        std::atomic<bool> stop{false};
        std::vector<std::thread> threads;
    };

    // Processes the signal through the library and the model from the same settings and compares them.
    void expectAudioMatchesTheModel(const float (&settings)[4]) {
        ReferenceCompressor model;
        for (int32_t index = 0; index < 4; ++index) {
            setParameter(index, settings[index]);
            model.set(index, settings[index]);
        }
        process(0.0f, 900); // ten seconds of silence let the envelope the stress left die away
        StereoSignal in(512), out(512);
        for (size_t i = 0; i < in.left.size(); ++i) {
            in.left[i] = 0.8f * std::sin(0.05f * float(i));
            in.right[i] = 0.6f * std::sin(0.03f * float(i));
        }
        processReplacing(plugin->effect(), in, out);
        for (size_t i = 0; i < in.left.size(); ++i) {
            float expectedLeft = 0, expectedRight = 0;
            model.frame(in.left[i], in.right[i], expectedLeft, expectedRight, true);
            ASSERT_NEAR(out.left[i], expectedLeft, 1e-4f) << "frame " << i;
            ASSERT_NEAR(out.right[i], expectedRight, 1e-4f) << "frame " << i;
        }
    }
};

TEST_F(HostThreadsTest, OpenIdleCloseWhileParametersAreSetAndAudioRunsThenThePanelShowsTheStoredValues) {
    Workers workers(plugin->effect());
    const long setsBefore = workers.sets, blocksBefore = workers.blocks;
    const DWORD deadline = GetTickCount() + 60000;
    int cycles = 0;
    for (; cycles < kCycles || workers.sets - setsBefore < kWorkerRuns || workers.blocks - blocksBefore < 20;
         ++cycles) {
        ASSERT_LT(int32_t(GetTickCount() - deadline), 0) << "after " << cycles << " cycles";
        ASSERT_EQ(panel->open(), 1) << "cycle " << cycles;
        panel->idle();
        if (cycles % 10 == 0) panel->pump(0); // some cycles paint as well
        panel->close();
    }
    ASSERT_EQ(panel->openAndShow(), 1);
    const long setsWhileOpen = workers.sets;
    while (workers.sets - setsWhileOpen < kWorkerRuns)
        panel->idle();
    workers.finish();
    panel->idle();
    panel->pump(50);
    const PixelGrid shown = panel->capture();
    const PixelGrid expected = expectedPanel(shown);
    for (const Placement& knob : kKnobs)
        EXPECT_EQ(mismatches(shown, expected, areaOf(knob)), 0)
            << knob.name << " at " << parameter(knob.shows);
    std::printf("%d open, idle and close cycles, %ld parameter sets, %ld blocks\n", cycles,
                long(workers.sets), long(workers.blocks));
    expectAudioMatchesTheModel({0.3f, 0.6f, 0.0f, 0.5f});
}

// The host closes the panel when the drag's loop asks it for idle time: the loop ends, the host still
// hears the end of the edit, and the next open finds everything as before.
TEST_F(PanelLifetime, AHostThatClosesThePanelInsideTheDragsIdleGetsTheEndEditAndKeepsNothing) {
    {
        PanelHost panel(*plugin);
        ASSERT_EQ(panel.openAndShow(), 1);
        EXPECT_EQ(closingAtTheFirst(
                      audioMasterIdle, [&] { drag(panel); }, [&] { plugin->dispatch(effEditClose); }),
                  1)
            << "the drag asked for idle time once";
        EXPECT_EQ(childWindows(panel.window()), 0) << "the close was carried out";
        EXPECT_EQ(editRequests(), (std::vector<int32_t>{audioMasterBeginEdit, audioMasterEndEdit}));
        ASSERT_EQ(panel.openAndShow(), 1) << "the panel opens again";
        panel.close();
    }
    EXPECT_EQ(counter->calls("CreateWindowExA"), counter->calls("DestroyWindow"));
    expectNothingLeft();
}

enum class Gesture { drag, wheelTurn, keyStep };

// A gesture on a knob and a host request that it sends, from whose handling the host closes the whole
// plug-in, and the knob mode of a drag: a knob that follows around its centre changes its value at the
// drag's first step.
struct CloseInside {
    const char* name;
    int32_t opcode;
    Gesture gesture;
    int32_t knobMode;
};

constexpr int32_t kLinearDrag = 2;
constexpr int32_t kCircularDrag = 0;

class PanelClosedInsideAHostRequest : public PanelLifetime,
                                      public ::testing::WithParamInterface<CloseInside> {
protected:
    void perform(Gesture gesture, PanelHost& panel) {
        const POINT knob = pressPoint(kKnobs[0]);
        switch (gesture) {
        case Gesture::drag:
            return drag(panel);
        case Gesture::wheelTurn:
            return InputScript().moveTo(panel.onScreen(knob.x, knob.y)).wheel(1).play(panel);
        case Gesture::keyStep: // to the topmost knob, since no knob has the focus
            EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtualKeyUp), 1);
            return;
        }
    }
};

// A drag's edit ends towards the host during the close, nothing reaches the host with the closed record
// afterwards, and the panel's window and class go when the gesture returns.
TEST_P(PanelClosedInsideAHostRequest, TheHostHearsTheEndEditAndNothingAfter) {
    std::optional<size_t> requestsAtClose;
    {
        PanelHost panel(*plugin);
        ASSERT_EQ(panel.openAndShow(), 1);
        plugin->dispatch(effSetEditKnobMode, 0, GetParam().knobMode);
        const Gesture gesture = GetParam().gesture;
        closingAtTheFirst(
            GetParam().opcode, [&] { perform(gesture, panel); },
            [&] {
                EXPECT_EQ(plugin->close(), 1);
                requestsAtClose = host.requests.size();
            });
        ASSERT_TRUE(requestsAtClose) << "the gesture sent the request";
        EXPECT_EQ(childWindows(panel.window()), 0) << "the panel went with the gesture";
        for (size_t late = *requestsAtClose; late < host.requests.size(); ++late)
            ADD_FAILURE() << "after the close: " << host.requests[late];
        const std::vector<int32_t> edits{audioMasterBeginEdit, audioMasterEndEdit};
        EXPECT_EQ(editRequests(), gesture == Gesture::drag ? edits : std::vector<int32_t>{});
    }
    EXPECT_EQ(counter->calls("CreateWindowExA"), counter->calls("DestroyWindow"));
    ASSERT_NO_FATAL_FAILURE(reload());
    expectNothingLeft();
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, PanelClosedInsideAHostRequest,
    ::testing::Values(CloseInside{"DragIdle", audioMasterIdle, Gesture::drag, kLinearDrag},
                      CloseInside{"DragBeginEdit", audioMasterBeginEdit, Gesture::drag, kLinearDrag},
                      CloseInside{"DragAroundBeginEdit", audioMasterBeginEdit, Gesture::drag, kCircularDrag},
                      CloseInside{"DragAutomate", audioMasterAutomate, Gesture::drag, kLinearDrag},
                      CloseInside{"DragEndEdit", audioMasterEndEdit, Gesture::drag, kLinearDrag},
                      CloseInside{"WheelAutomate", audioMasterAutomate, Gesture::wheelTurn, kLinearDrag},
                      CloseInside{"KeyStepAutomate", audioMasterAutomate, Gesture::keyStep, kLinearDrag}),
    [](const ::testing::TestParamInfo<CloseInside>& row) { return row.param.name; });

// A window class of the panel's name that is not the panel's, or no room for the class or a picture:
// the open answers 0 and keeps nothing. Without room for a memory device the panel opens and draws
// nothing rather than drawing from a device it does not have.
TEST_F(PanelLifetime, AFailedClassRegistrationOrPictureFailsTheOpenCleanly) {
    PanelHost panel(*plugin);
    for (const char* failing : {"RegisterClassA", "LoadBitmapA"}) {
        ASSERT_TRUE(counter->makeFail(failing));
        EXPECT_EQ(panel.open(), 0) << failing << " failed";
        EXPECT_EQ(childWindows(panel.window()), 0) << failing << " failed";
        counter->stopFailing();
    }
    WNDCLASSA foreign{};
    foreign.style = CS_GLOBALCLASS; // as the panel's own: the two names clash
    foreign.lpfnWndProc = DefWindowProcA;
    foreign.hInstance = dll;
    const std::string name = windowClassOf(dll);
    foreign.lpszClassName = name.c_str();
    ASSERT_NE(RegisterClassA(&foreign), 0);
    EXPECT_EQ(panel.open(), 0) << "a class of the same name was registered before";
    EXPECT_EQ(childWindows(panel.window()), 0);
    UnregisterClassA(name.c_str(), dll);

    ASSERT_TRUE(counter->makeFail("CreateCompatibleDC"));
    ASSERT_EQ(panel.openAndShow(), 1);
    plugin->effect()->setParameter(plugin->effect(), 0, 0.9f);
    panel.idle();
    EXPECT_EQ(counter->drawingCalls(), 0);
    counter->stopFailing();
    panel.close();
    expectNothingLeft(1);
}

// A user-interface thread in the multi-threaded apartment refuses OLE: the panel opens and follows the
// plug-in without its drop target, the library ends no use of OLE it did not begin, and the thread's own
// use of COM outlives the plug-in.
TEST(PanelInTheMultiThreadedApartment, OpensAndWorksAndLeavesTheThreadsComInitialised) {
    std::thread userInterface([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        HMODULE module = LoadLibraryA("QuenvaleCompressor.dll");
        ASSERT_NE(module, nullptr);
        {
            ImportCounter counter(module);
            RecordingHost host;
            std::unique_ptr<LoadedPlugin> plugin = loadPlugin(host);
            ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
            {
                PanelHost panel(*plugin);
                ASSERT_EQ(panel.openAndShow(), 1);
                EXPECT_NE(panel.panelWindow(), nullptr);
                const RECT gain = areaOf(kKnobs[3]);
                const PixelGrid before = panel.capture();
                plugin->effect()->setParameter(plugin->effect(), 3, 0.95f);
                panel.idle();
                EXPECT_GT(mismatches(panel.capture(), before, gain), 0) << "the gain knob followed";
                panel.close();
            }
            plugin.reset();
            EXPECT_GT(counter.calls("OleInitialize"), 0) << "the counter sees the library's OLE";
            EXPECT_EQ(counter.calls("OleUninitialize"), 0) << "every OleInitialize was refused";
        }
        FreeLibrary(module);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE) << "COM is still initialised";
        CoUninitialize();
        CoUninitialize();
    });
    userInterface.join();
}
