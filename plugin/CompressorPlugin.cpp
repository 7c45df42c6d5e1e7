#include "plugin/CompressorPlugin.h"

CompressorPlugin::CompressorPlugin(HostCallback callback) : CompressorBase(callback) {}
