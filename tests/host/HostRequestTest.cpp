// Every request the plug-in can send to its host: the opcode, which argument carries what, the record
// it names, how the host's answer is read, and what each request answers when there is no host.

#include "host/Opcodes.h"
#include "tests/support/IdleEffect.h"
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

class RequestingEffect : public IdleEffect {
public:
    explicit RequestingEffect(HostCallback callback) : IdleEffect(callback, 1, 4) {
        changeSampleRate(kStoredRate);
        changeBlockSize(kStoredBlockSize);
    }
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

// How the request reads the answer, then what it sends; arguments left out are sent as zero or null.
struct Request {
    const char* name;
    std::function<double(RequestingEffect&)> send;
    Reading reading;
    int32_t opcode;
    int32_t index = 0;
    HostInt value = 0;
    void* pointer = nullptr;
    float opt = 0;
};

// All 44 requests; the offline read is listed once for each state of its read-source flag.
const std::vector<Request>& requests() {
    using E = RequestingEffect;
    static const std::vector<Request> table = {
        {"setParameterAndNotify", [](E& e) { return e.setParameterAndNotify(2, 0.75f), 0.0; },
         Reading::NotUsed, audioMasterAutomate, 2, 0, nullptr, 0.75f},
        {"hostVersion", [](E& e) { return double(e.hostVersion()); }, Reading::Version, audioMasterVersion},
        {"hostCurrentId", [](E& e) { return double(e.hostCurrentId()); }, Reading::AsIs,
         audioMasterCurrentId},
        {"hostIdle", [](E& e) { return e.hostIdle(), 0.0; }, Reading::NotUsed, audioMasterIdle},
        {"isInputPinConnected", [](E& e) { return double(e.isInputPinConnected(5)); }, Reading::TrueIfZero,
         audioMasterPinConnected, 5},
        {"isOutputPinConnected", [](E& e) { return double(e.isOutputPinConnected(3)); }, Reading::TrueIfZero,
         audioMasterPinConnected, 3, 1},
        {"hostWantEvents", [](E& e) { return double(e.hostWantEvents(7)); }, Reading::AsIs,
         audioMasterWantMidi, 0, 7},
        {"hostTimeInfo", [](E& e) { return asNumber(e.hostTimeInfo(0x0F00)); }, Reading::AsIs,
         audioMasterGetTime, 0, 0x0F00},
        {"hostTempoAt", [](E& e) { return double(e.hostTempoAt(96000)); }, Reading::AsIs, audioMasterTempoAt,
         0, 96000},
        {"hostAutomatableCount", [](E& e) { return double(e.hostAutomatableCount()); }, Reading::AsIs,
         audioMasterGetNumAutomatableParameters},
        {"hostParameterQuantization", [](E& e) { return double(e.hostParameterQuantization()); },
         Reading::AsIs, audioMasterGetParameterQuantization},
        {"hostIoChanged", [](E& e) { return double(e.hostIoChanged()); }, Reading::TrueIfNonZero,
         audioMasterIOChanged},
        {"hostNeedIdle", [](E& e) { return double(e.hostNeedIdle()); }, Reading::TrueIfNonZero,
         audioMasterNeedIdle},
        {"hostResizeWindow", [](E& e) { return double(e.hostResizeWindow(660, 259)); },
         Reading::TrueIfNonZero, audioMasterSizeWindow, 660, 259},
        {"refreshSampleRate", [](E& e) { return double(e.refreshSampleRate()); }, Reading::SampleRate,
         audioMasterGetSampleRate},
        {"refreshBlockSize", [](E& e) { return double(e.refreshBlockSize()); }, Reading::BlockSize,
         audioMasterGetBlockSize},
        {"hostInputLatency", [](E& e) { return double(e.hostInputLatency()); }, Reading::AsIs,
         audioMasterGetInputLatency},
        {"hostOutputLatency", [](E& e) { return double(e.hostOutputLatency()); }, Reading::AsIs,
         audioMasterGetOutputLatency},
        {"hostPreviousPlug", [](E& e) { return asNumber(e.hostPreviousPlug(2)); }, Reading::AsIs,
         audioMasterGetPreviousPlug, 0, 2},
        {"hostNextPlug", [](E& e) { return asNumber(e.hostNextPlug(4)); }, Reading::AsIs,
         audioMasterGetNextPlug, 0, 4},
        {"hostReplaceOrAccumulate", [](E& e) { return double(e.hostReplaceOrAccumulate()); }, Reading::AsIs,
         audioMasterWillReplaceOrAccumulate},
        {"hostProcessLevel", [](E& e) { return double(e.hostProcessLevel()); }, Reading::AsIs,
         audioMasterGetCurrentProcessLevel},
        {"hostAutomationState", [](E& e) { return double(e.hostAutomationState()); }, Reading::AsIs,
         audioMasterGetAutomationState},
        {"hostOfflineRead(read source)",
         [](E& e) { return double(e.hostOfflineRead(recordOfHost<VstOfflineTask>(), 9, true)); },
         Reading::TrueIfNonZero, audioMasterOfflineRead, 1, 9, hostData},
        {"hostOfflineRead(no read source)",
         [](E& e) { return double(e.hostOfflineRead(recordOfHost<VstOfflineTask>(), 6, false)); },
         Reading::TrueIfNonZero, audioMasterOfflineRead, 0, 6, hostData},
        {"hostOfflineWrite",
         [](E& e) { return double(e.hostOfflineWrite(recordOfHost<VstOfflineTask>(), 8)); },
         Reading::TrueIfNonZero, audioMasterOfflineWrite, 0, 8, hostData},
        {"hostOfflineStart",
         [](E& e) { return double(e.hostOfflineStart(recordOfHost<VstAudioFile>(), 3, 5)); },
         Reading::TrueIfNonZero, audioMasterOfflineStart, 5, 3, hostData},
        {"hostOfflinePass", [](E& e) { return double(e.hostOfflinePass()); }, Reading::TrueIfNonZero,
         audioMasterOfflineGetCurrentPass},
        {"hostOfflineMetaPass", [](E& e) { return double(e.hostOfflineMetaPass()); }, Reading::TrueIfNonZero,
         audioMasterOfflineGetCurrentMetaPass},
        {"hostSetOutputSampleRate", [](E& e) { return e.hostSetOutputSampleRate(88200.0f), 0.0; },
         Reading::NotUsed, audioMasterSetOutputSampleRate, 0, 0, nullptr, 88200.0f},
        {"hostInputArrangement", [](E& e) { return asNumber(e.hostInputArrangement()); }, Reading::AsIs,
         audioMasterGetInputSpeakerArrangement},
        {"hostOutputArrangement", [](E& e) { return asNumber(e.hostOutputArrangement()); }, Reading::AsIs,
         audioMasterGetOutputSpeakerArrangement},
        {"hostVendorText", [](E& e) { return double(e.hostVendorText(hostData)); }, Reading::TrueIfNonZero,
         audioMasterGetVendorString, 0, 0, hostData},
        {"hostProductText", [](E& e) { return double(e.hostProductText(hostData)); }, Reading::TrueIfNonZero,
         audioMasterGetProductString, 0, 0, hostData},
        {"hostVendorVersion", [](E& e) { return double(e.hostVendorVersion()); }, Reading::AsIs,
         audioMasterGetVendorVersion},
        {"hostVendorSpecific", [](E& e) { return double(e.hostVendorSpecific(11, -22, hostData, 3.5f)); },
         Reading::AsIs, audioMasterVendorSpecific, 11, -22, hostData, 3.5f},
        {"hostCanDo", [](E& e) { return double(e.hostCanDo(hostData)); }, Reading::TrueIfNonZero,
         audioMasterCanDo, 0, 0, hostData},
        {"hostLanguage", [](E& e) { return double(e.hostLanguage()); }, Reading::AsIs,
         audioMasterGetLanguage},
        {"hostOpenWindow", [](E& e) { return asNumber(e.hostOpenWindow(recordOfHost<VstWindow>())); },
         Reading::AsIs, audioMasterOpenWindow, 0, 0, hostData},
        {"hostCloseWindow", [](E& e) { return double(e.hostCloseWindow(recordOfHost<VstWindow>())); },
         Reading::TrueIfNonZero, audioMasterCloseWindow, 0, 0, hostData},
        {"hostDirectory", [](E& e) { return asNumber(e.hostDirectory()); }, Reading::AsIs,
         audioMasterGetDirectory},
        {"hostUpdateDisplay", [](E& e) { return double(e.hostUpdateDisplay()); }, Reading::TrueIfNonZero,
         audioMasterUpdateDisplay},
        {"hostBeginEdit", [](E& e) { return double(e.hostBeginEdit(3)); }, Reading::TrueIfNonZero,
         audioMasterBeginEdit, 3},
        {"hostEndEdit", [](E& e) { return double(e.hostEndEdit(1)); }, Reading::TrueIfNonZero,
         audioMasterEndEdit, 1},
        {"hostOpenFileSelector",
         [](E& e) { return double(e.hostOpenFileSelector(recordOfHost<VstFileSelect>())); },
         Reading::TrueIfNonZero, audioMasterOpenFileSelector, 0, 0, hostData},
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

// With a host the parameter is set before the host hears of it; without one it is set all the same.
TEST_F(HostRequests, AutomationSetsTheParameterThroughTheOverrideBeforeTellingAnyHost) {
    for (HostCallback callback : {RecordingHost::callback, HostCallback(nullptr)}) {
        SCOPED_TRACE(callback ? "with a host" : "without a host");
        recording.requests.clear();
        RequestingEffect effect(callback);
        effect.setParameterAndNotify(3, -0.25f);
        EXPECT_EQ(effect.setIndex, 3);
        EXPECT_EQ(effect.setValue, -0.25f);
        EXPECT_EQ(effect.callsBeforeSet, 0u);
        EXPECT_EQ(recording.requests.size(), callback ? 1u : 0u);
    }
}

} // namespace
