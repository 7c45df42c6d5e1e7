#include "plugin/CompressorPlugin.h"

CompressorPlugin::CompressorPlugin(HostCallback callback) : CompressorBase(callback) {}

void CompressorPlugin::setParameterValue(int32_t index, float value) {
    CompressorBase::setParameterValue(index, value);
    forwardToEditor(index, value);
}
