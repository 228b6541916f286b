// Functions of DLLs that only some commands need, looked up at their first
// use: the program starts as fast as its window, without loading them, and a
// function an older Windows lacks is simply not there.
#pragma once
#include <windows.h>

template <typename F>
F onDemand(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) module = LoadLibraryA(dll);
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
