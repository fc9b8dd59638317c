#pragma once
// The recording's encoder (AvEncoder) is the module mitra_encoder (program_module.h):
// FFmpeg's many libraries are loaded on the first recording, not at every start.
#include "media/encoder_sink.h"

#include <memory>

// A new encoder from the module. When the module cannot be loaded, a sink whose open()
// fails saying why, so the recording does not start and the message tells the user.
std::unique_ptr<EncoderSink> newModuleEncoder();
