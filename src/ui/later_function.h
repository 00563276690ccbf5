// Functions of Windows versions after XP. Imported, any one of them keeps the
// program from starting on XP (scripts/post-xp-imports.txt lists them, and
// the tests check every shipped program against that list), so a feature
// that wants one looks it up here and, when it is missing, does what it does
// on XP.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// `name` from the system DLL `module` (e.g. "user32.dll"), or nullptr when
// this Windows has no such DLL or function. Fn is the function's pointer
// type, WINAPI included. A DLL not yet in the process is loaded from the
// system folder only, never from beside the program, and stays loaded.
template <class Fn>
Fn LaterFunction(const char* module, const char* name) {
    HMODULE dll = GetModuleHandleA(module);
    if (!dll) {
        char folder[MAX_PATH];
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        dll = LoadLibraryA((std::string(folder, length) + "\\" + module).c_str());
        if (!dll) return nullptr;
    }
    // Through the one function pointer type that converts to every other.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

}  // namespace ui
