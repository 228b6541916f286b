// The standard library reports misuse (an index out of range, a string grown
// past its limit) by calling these. Its own versions throw, and would bring
// the exception machinery and a second std::string along. All of the family
// are here, so the library's own file is never linked.
#include <bits/functexcept.h>

#include "runtime/fatal.h"

namespace {

[[noreturn]] void libraryError() {
    endWithMessage("Ein unerwarteter Fehler ist aufgetreten. Velkor wird beendet.");
}

}  // namespace

namespace std {

void __throw_bad_alloc() {
    endWithMessage(kOutOfMemory);
}
void __throw_bad_array_new_length() {
    libraryError();
}
void __throw_bad_cast() {
    libraryError();
}
void __throw_bad_exception() {
    libraryError();
}
void __throw_bad_function_call() {
    libraryError();
}
void __throw_bad_typeid() {
    libraryError();
}
void __throw_domain_error(const char*) {
    libraryError();
}
void __throw_invalid_argument(const char*) {
    libraryError();
}
void __throw_length_error(const char*) {
    libraryError();
}
void __throw_logic_error(const char*) {
    libraryError();
}
void __throw_out_of_range(const char*) {
    libraryError();
}
void __throw_out_of_range_fmt(const char*, ...) {
    libraryError();
}
void __throw_overflow_error(const char*) {
    libraryError();
}
void __throw_range_error(const char*) {
    libraryError();
}
void __throw_runtime_error(const char*) {
    libraryError();
}
void __throw_underflow_error(const char*) {
    libraryError();
}

}  // namespace std
