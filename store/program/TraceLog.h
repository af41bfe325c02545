#pragma once
// The trace log: numbered checkpoints, SQL texts and errors appended to "debug.log" in the product folder
// while tracing is on (the setting "DebugOn"). Each entry opens, appends and closes the file, so a crash
// loses nothing. A new file begins with the line "version2.0". Lines end with CR LF.

#include <filesystem>
#include <string_view>

// Turns tracing on or off for the whole program (set at start-up from "DebugOn").
void SetTraceEnabled(bool enabled);
bool IsTraceEnabled();

// Start-up: tracing follows the setting "DebugOn" ("TRUE" in any case turns it on), and when it is on
// the version report is written at once. Returns whether tracing is on.
bool StartTraceLog();

// The file entries go to: the product folder's "debug.log".
std::filesystem::path DebugLogPath();

void DebugLogString(std::string_view text);
void DebugLogNumber(long n);
void AppendLogString(std::string_view text1, std::string_view text2);
void AppendLogTextPair(std::string_view text, std::string_view stringObject);
void AppendLogNumberAndText(long n, std::string_view stringObject);
// The system's last error code (errno).
void DebugLogLastError();
