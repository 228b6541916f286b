// Allocation that never throws: when memory runs out the program ends with a
// message, as nothing in it is built to catch std::bad_alloc.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "runtime/fatal.h"

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    endWithMessage(kOutOfMemory);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
