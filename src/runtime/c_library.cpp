// The few C library functions Velkor.exe uses, on the system's own heap and in
// plain loops, so that it needs no MSVCRT.DLL: the first Windows 95 has none.
#include <windows.h>

#include <cstddef>

extern "C" {

void* malloc(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void free(void* memory) {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}

// This file is compiled without builtins, or the compiler would turn these
// loops back into calls of themselves.
void* memset(void* to, int value, std::size_t count) {
    auto* p = static_cast<unsigned char*>(to);
    while (count--) *p++ = static_cast<unsigned char>(value);
    return to;
}

void* memcpy(void* to, const void* from, std::size_t count) {
    auto* p = static_cast<unsigned char*>(to);
    auto* q = static_cast<const unsigned char*>(from);
    while (count--) *p++ = *q++;
    return to;
}

void* memmove(void* to, const void* from, std::size_t count) {
    auto* p = static_cast<unsigned char*>(to);
    auto* q = static_cast<const unsigned char*>(from);
    if (p < q) return memcpy(to, from, count);
    while (count--) p[count] = q[count];
    return to;
}

int memcmp(const void* a, const void* b, std::size_t count) {
    auto* p = static_cast<const unsigned char*>(a);
    auto* q = static_cast<const unsigned char*>(b);
    for (; count--; ++p, ++q)
        if (*p != *q) return *p < *q ? -1 : 1;
    return 0;
}

void* memchr(const void* in, int value, std::size_t count) {
    auto* p = static_cast<const unsigned char*>(in);
    for (; count--; ++p)
        if (*p == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(p);
    return nullptr;
}

std::size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<std::size_t>(end - text);
}

}  // extern "C"
