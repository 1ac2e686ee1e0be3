// What the demo host prints: one line per event on stdout, flushed at once, so a test
// that reads the output sees every line even if the process is killed at exit.
#pragma once

#include <string>

namespace host {

// printf-style, UTF-8; a newline is added.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace host
