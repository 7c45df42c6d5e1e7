#include "plugin/CompressorPlugin.h"

#include "editor/CompressorEditor.h"
#include "plugin/PluginEntry.h"

#include <new>

CompressorPlugin::CompressorPlugin(HostCallback callback) : CompressorBase(callback) {
    panel = new (std::nothrow) CompressorEditor(*this);
    if (!panel) editorCreationFailed = true;
}

void CompressorPlugin::setParameterValue(int32_t index, float value) {
    CompressorBase::setParameterValue(index, value);
    if (panel) panel->parameterChanged(index, value);
}
