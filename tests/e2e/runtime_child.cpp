// A program on src/runtime alone, for the end-to-end tests; its command line
// names what it does.
#include <windows.h>

#include <cstddef>
#include <new>
#include <string>

namespace {

const std::string kBuilt = "built";  // by a static constructor, before WinMain
volatile std::size_t tooMuch = ~std::size_t{0} / 2;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    std::string job = arguments;
    if (job == "memory") return operator new(tooMuch) != nullptr;
    if (job == "range") return std::string().at(1);
    if (instance != GetModuleHandleA(nullptr) || kBuilt != "built") return 2;
    return job == "\"two words\" and more" ? 42 : 3;
}
