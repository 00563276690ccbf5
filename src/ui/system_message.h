// The system's own words for an error code. (The launcher stubs, which do
// without the C++ library, have their own copy of this rule.)
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The system's message for `error` without its closing line break; empty when
// the system has none. Inserts are left unformatted, since formatting them
// would read arguments that were never given; "%1", the insert that names the
// file, gets `file` in its place.
inline std::string SystemMessage(DWORD error, const std::string& file) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    for (std::size_t at = message.find("%1"); at != std::string::npos;
         at = message.find("%1", at)) {
        // "%10" and up are other inserts.
        if (at + 2 < message.size() && message[at + 2] >= '0' && message[at + 2] <= '9') {
            at += 2;
            continue;
        }
        message.replace(at, 2, file);
        at += file.size();
    }
    return message;
}

}  // namespace ui
