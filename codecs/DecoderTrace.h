#pragma once
// The decoder trace: progress lines of the decoders and encoders and every error they throw, appended
// to a trace file while one is named. The program names none, so normally nothing is written; it is a
// diagnosis aid for a developer who sets one.

#include <filesystem>
#include <string_view>

// Names the trace file; an empty path turns the trace off.
void SetDecoderTraceFile(const std::filesystem::path& path);

// Appends the text as it stands (callers end their lines themselves).
void DecoderTrace(std::string_view text);
