// Every request the plug-in can send to its host: the opcode, which argument carries what, the record
// it names, how the host's answer is read, and what each request answers when there is no host.

#include "host/Opcodes.h"
#include "host/PluginEffectX.h"
#include "tests/support/RecordingHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

namespace {

// The host: writes down every call and gives one configurable answer to all of them.
RecordingHost* host = nullptr;

constexpr float kStoredRate = 32000.0f;
constexpr int32_t kStoredBlockSize = 256;

class RequestingEffect : public PluginEffectX {
public:
    explicit RequestingEffect(HostCallback callback) : PluginEffectX(callback, 1, 4) {
        changeSampleRate(kStoredRate);
        changeBlockSize(kStoredBlockSize);
    }
    void processAdd(float**, float**, int32_t) override {}
    void setParameterValue(int32_t index, float value) override {
        setIndex = index;
        setValue = value;
        callsBeforeSet = host->requests.size();
    }

    int32_t setIndex = -1;
    float setValue = 0.0f;
    size_t callsBeforeSet = SIZE_MAX;
};

// Records of the host that the requests only pass on.
char hostData[64];
template <typename Record> Record* recordOfHost() { return reinterpret_cast<Record*>(hostData); }

// How a request turns the host's integer answer into its own.
enum class Reading { AsIs, TrueIfNonZero, TrueIfZero, NotUsed, Version, SampleRate, BlockSize };

double readAnswer(Reading reading, HostInt answer) {
    switch (reading) {
    case Reading::AsIs:
        return double(answer);
    case Reading::TrueIfNonZero:
        return answer != 0;
    case Reading::TrueIfZero:
        return answer == 0;
    case Reading::NotUsed:
        return 0;
    case Reading::Version:
        return answer == 0 ? 1 : double(answer);
    case Reading::SampleRate:
        return answer > 0 ? double(float(answer)) : double(kStoredRate);
    case Reading::BlockSize:
        return answer > 0 ? double(answer) : double(kStoredBlockSize);
    }
    return 0;
}

// Pointers answered by the host come back as the integer it returned.
double asNumber(const void* pointer) { return double(reinterpret_cast<HostInt>(pointer)); }

struct Request {
    const char* name;
    std::function<double(RequestingEffect&)> send;
    int32_t opcode;
    int32_t index;
    HostInt value;
    void* pointer;
    float opt;
    Reading reading;
};

// All 44 requests; the offline read is listed once for each state of its read-source flag.
const std::vector<Request>& requests() {
    using E = RequestingEffect;
    static const std::vector<Request> table = {
        {"setParameterAndNotify", [](E& e) { return e.setParameterAndNotify(2, 0.75f), 0.0; },
         audioMasterAutomate, 2, 0, nullptr, 0.75f, Reading::NotUsed},
        {"hostVersion", [](E& e) { return double(e.hostVersion()); }, audioMasterVersion, 0, 0, nullptr, 0,
         Reading::Version},
        {"hostCurrentId", [](E& e) { return double(e.hostCurrentId()); }, audioMasterCurrentId, 0, 0, nullptr,
         0, Reading::AsIs},
        {"hostIdle", [](E& e) { return e.hostIdle(), 0.0; }, audioMasterIdle, 0, 0, nullptr, 0,
         Reading::NotUsed},
        {"isInputPinConnected", [](E& e) { return double(e.isInputPinConnected(5)); },
         audioMasterPinConnected, 5, 0, nullptr, 0, Reading::TrueIfZero},
        {"isOutputPinConnected", [](E& e) { return double(e.isOutputPinConnected(3)); },
         audioMasterPinConnected, 3, 1, nullptr, 0, Reading::TrueIfZero},
        {"hostWantEvents", [](E& e) { return double(e.hostWantEvents(7)); }, audioMasterWantMidi, 0, 7,
         nullptr, 0, Reading::AsIs},
        {"hostTimeInfo", [](E& e) { return asNumber(e.hostTimeInfo(0x0F00)); }, audioMasterGetTime, 0, 0x0F00,
         nullptr, 0, Reading::AsIs},
        {"hostTempoAt", [](E& e) { return double(e.hostTempoAt(96000)); }, audioMasterTempoAt, 0, 96000,
         nullptr, 0, Reading::AsIs},
        {"hostAutomatableCount", [](E& e) { return double(e.hostAutomatableCount()); },
         audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostParameterQuantization", [](E& e) { return double(e.hostParameterQuantization()); },
         audioMasterGetParameterQuantization, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostIoChanged", [](E& e) { return double(e.hostIoChanged()); }, audioMasterIOChanged, 0, 0, nullptr,
         0, Reading::TrueIfNonZero},
        {"hostNeedIdle", [](E& e) { return double(e.hostNeedIdle()); }, audioMasterNeedIdle, 0, 0, nullptr, 0,
         Reading::TrueIfNonZero},
        {"hostResizeWindow", [](E& e) { return double(e.hostResizeWindow(660, 259)); }, audioMasterSizeWindow,
         660, 259, nullptr, 0, Reading::TrueIfNonZero},
        {"refreshSampleRate", [](E& e) { return double(e.refreshSampleRate()); }, audioMasterGetSampleRate, 0,
         0, nullptr, 0, Reading::SampleRate},
        {"refreshBlockSize", [](E& e) { return double(e.refreshBlockSize()); }, audioMasterGetBlockSize, 0, 0,
         nullptr, 0, Reading::BlockSize},
        {"hostInputLatency", [](E& e) { return double(e.hostInputLatency()); }, audioMasterGetInputLatency, 0,
         0, nullptr, 0, Reading::AsIs},
        {"hostOutputLatency", [](E& e) { return double(e.hostOutputLatency()); }, audioMasterGetOutputLatency,
         0, 0, nullptr, 0, Reading::AsIs},
        {"hostPreviousPlug", [](E& e) { return asNumber(e.hostPreviousPlug(2)); }, audioMasterGetPreviousPlug,
         0, 2, nullptr, 0, Reading::AsIs},
        {"hostNextPlug", [](E& e) { return asNumber(e.hostNextPlug(4)); }, audioMasterGetNextPlug, 0, 4,
         nullptr, 0, Reading::AsIs},
        {"hostReplaceOrAccumulate", [](E& e) { return double(e.hostReplaceOrAccumulate()); },
         audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostProcessLevel", [](E& e) { return double(e.hostProcessLevel()); },
         audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostAutomationState", [](E& e) { return double(e.hostAutomationState()); },
         audioMasterGetAutomationState, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostOfflineRead(read source)",
         [](E& e) { return double(e.hostOfflineRead(recordOfHost<VstOfflineTask>(), 9, true)); },
         audioMasterOfflineRead, 1, 9, hostData, 0, Reading::TrueIfNonZero},
        {"hostOfflineRead(no read source)",
         [](E& e) { return double(e.hostOfflineRead(recordOfHost<VstOfflineTask>(), 6, false)); },
         audioMasterOfflineRead, 0, 6, hostData, 0, Reading::TrueIfNonZero},
        {"hostOfflineWrite",
         [](E& e) { return double(e.hostOfflineWrite(recordOfHost<VstOfflineTask>(), 8)); },
         audioMasterOfflineWrite, 0, 8, hostData, 0, Reading::TrueIfNonZero},
        {"hostOfflineStart",
         [](E& e) { return double(e.hostOfflineStart(recordOfHost<VstAudioFile>(), 3, 5)); },
         audioMasterOfflineStart, 5, 3, hostData, 0, Reading::TrueIfNonZero},
        {"hostOfflinePass", [](E& e) { return double(e.hostOfflinePass()); },
         audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0, Reading::TrueIfNonZero},
        {"hostOfflineMetaPass", [](E& e) { return double(e.hostOfflineMetaPass()); },
         audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0, Reading::TrueIfNonZero},
        {"hostSetOutputSampleRate", [](E& e) { return e.hostSetOutputSampleRate(88200.0f), 0.0; },
         audioMasterSetOutputSampleRate, 0, 0, nullptr, 88200.0f, Reading::NotUsed},
        {"hostInputArrangement", [](E& e) { return asNumber(e.hostInputArrangement()); },
         audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostOutputArrangement", [](E& e) { return asNumber(e.hostOutputArrangement()); },
         audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0, Reading::AsIs},
        {"hostVendorText", [](E& e) { return double(e.hostVendorText(hostData)); },
         audioMasterGetVendorString, 0, 0, hostData, 0, Reading::TrueIfNonZero},
        {"hostProductText", [](E& e) { return double(e.hostProductText(hostData)); },
         audioMasterGetProductString, 0, 0, hostData, 0, Reading::TrueIfNonZero},
        {"hostVendorVersion", [](E& e) { return double(e.hostVendorVersion()); }, audioMasterGetVendorVersion,
         0, 0, nullptr, 0, Reading::AsIs},
        {"hostVendorSpecific", [](E& e) { return double(e.hostVendorSpecific(11, -22, hostData, 3.5f)); },
         audioMasterVendorSpecific, 11, -22, hostData, 3.5f, Reading::AsIs},
        {"hostCanDo", [](E& e) { return double(e.hostCanDo(hostData)); }, audioMasterCanDo, 0, 0, hostData, 0,
         Reading::TrueIfNonZero},
        {"hostLanguage", [](E& e) { return double(e.hostLanguage()); }, audioMasterGetLanguage, 0, 0, nullptr,
         0, Reading::AsIs},
        {"hostOpenWindow", [](E& e) { return asNumber(e.hostOpenWindow(recordOfHost<VstWindow>())); },
         audioMasterOpenWindow, 0, 0, hostData, 0, Reading::AsIs},
        {"hostCloseWindow", [](E& e) { return double(e.hostCloseWindow(recordOfHost<VstWindow>())); },
         audioMasterCloseWindow, 0, 0, hostData, 0, Reading::TrueIfNonZero},
        {"hostDirectory", [](E& e) { return asNumber(e.hostDirectory()); }, audioMasterGetDirectory, 0, 0,
         nullptr, 0, Reading::AsIs},
        {"hostUpdateDisplay", [](E& e) { return double(e.hostUpdateDisplay()); }, audioMasterUpdateDisplay, 0,
         0, nullptr, 0, Reading::TrueIfNonZero},
        {"hostBeginEdit", [](E& e) { return double(e.hostBeginEdit(3)); }, audioMasterBeginEdit, 3, 0,
         nullptr, 0, Reading::TrueIfNonZero},
        {"hostEndEdit", [](E& e) { return double(e.hostEndEdit(1)); }, audioMasterEndEdit, 1, 0, nullptr, 0,
         Reading::TrueIfNonZero},
        {"hostOpenFileSelector",
         [](E& e) { return double(e.hostOpenFileSelector(recordOfHost<VstFileSelect>())); },
         audioMasterOpenFileSelector, 0, 0, hostData, 0, Reading::TrueIfNonZero},
    };
    return table;
}

// Answers a host may give: none, the smallest true, negative, ordinary and the extremes of 32 bits.
const HostInt kAnswers[] = {0, 1, -1, 2, 48000, INT32_MAX, INT32_MIN};

class HostRequests : public ::testing::Test {
protected:
    HostRequests() { host = &recording; }
    ~HostRequests() override { host = nullptr; }
    RecordingHost recording;
};

TEST_F(HostRequests, EachRequestSendsItsArgumentsAndReadsTheAnswer) {
    for (const Request& request : requests()) {
        for (HostInt answer : kAnswers) {
            SCOPED_TRACE(::testing::Message() << request.name << ", host answers " << answer);
            RequestingEffect effect(RecordingHost::callback);
            recording.requests.clear();
            recording.otherAnswer = answer;

            EXPECT_EQ(request.send(effect), readAnswer(request.reading, answer));
            const HostRequest expected{effect.effectRecord(), request.opcode,  request.index,
                                       request.value,         request.pointer, request.opt};
            EXPECT_EQ(recording.requests, std::vector<HostRequest>{expected});

            const bool refreshesRate = request.reading == Reading::SampleRate;
            const bool refreshesBlock = request.reading == Reading::BlockSize;
            EXPECT_EQ(effect.sampleRateValue(),
                      refreshesRate ? readAnswer(request.reading, answer) : kStoredRate);
            EXPECT_EQ(effect.blockSizeValue(),
                      refreshesBlock ? readAnswer(request.reading, answer) : kStoredBlockSize);
        }
    }
}

TEST_F(HostRequests, WithoutAHostEachRequestAnswersAsIfItHadAnsweredZero) {
    // The fallbacks: 0 or null, false, true for the pin questions, version 1, the stored rate and size.
    for (const Request& request : requests()) {
        SCOPED_TRACE(request.name);
        RequestingEffect effect(nullptr);
        EXPECT_EQ(request.send(effect), readAnswer(request.reading, 0));
        EXPECT_EQ(effect.sampleRateValue(), kStoredRate);
        EXPECT_EQ(effect.blockSizeValue(), kStoredBlockSize);
    }
}

TEST_F(HostRequests, FileSelectorWithoutASelectorAnswersFalseAndSendsNothing) {
    RequestingEffect effect(RecordingHost::callback);
    recording.otherAnswer = 1;
    EXPECT_FALSE(effect.hostOpenFileSelector(nullptr));
    EXPECT_TRUE(recording.requests.empty());
}

TEST_F(HostRequests, AutomationSetsTheParameterThroughTheOverrideBeforeTellingTheHost) {
    RequestingEffect effect(RecordingHost::callback);
    effect.setParameterAndNotify(3, -0.25f);
    EXPECT_EQ(effect.setIndex, 3);
    EXPECT_EQ(effect.setValue, -0.25f);
    EXPECT_EQ(effect.callsBeforeSet, 0u);
    EXPECT_EQ(recording.requests.size(), 1u);
}

TEST_F(HostRequests, AutomationWithoutAHostStillSetsTheParameter) {
    RequestingEffect effect(nullptr);
    effect.setParameterAndNotify(1, 0.5f);
    EXPECT_EQ(effect.setIndex, 1);
    EXPECT_EQ(effect.setValue, 0.5f);
}

} // namespace
