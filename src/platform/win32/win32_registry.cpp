// The registry, through the ANSI functions Windows 95 has.
#include "platform/win32/on_demand.h"
#include "platform/win32/win32_platform.h"

namespace {
// The predefined root is sign-extended in a 64-bit program.
HKEY handleOf(Registry::Key key) {
    return key == Registry::kClassesRoot ? HKEY_CLASSES_ROOT : reinterpret_cast<HKEY>(key);
}
}  // namespace

long Win32Registry::createKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    char noClass[] = "";
    auto create = onDemand<decltype(&RegCreateKeyExA)>("advapi32.dll", "RegCreateKeyExA");
    if (!create) return ERROR_CALL_NOT_IMPLEMENTED;
    long result = create(handleOf(root), path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access,
                         nullptr, &created, &disposition);
    key = reinterpret_cast<Key>(created);
    return result;
}

long Win32Registry::openKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    HKEY opened = nullptr;
    auto open = onDemand<decltype(&RegOpenKeyExA)>("advapi32.dll", "RegOpenKeyExA");
    if (!open) return ERROR_CALL_NOT_IMPLEMENTED;
    long result = open(handleOf(root), path.c_str(), 0, access, &opened);
    key = reinterpret_cast<Key>(opened);
    return result;
}

long Win32Registry::setValue(Key key, const std::string& name, std::uint32_t type,
                             const std::string& data) {
    auto set = onDemand<decltype(&RegSetValueExA)>("advapi32.dll", "RegSetValueExA");
    if (!set) return ERROR_CALL_NOT_IMPLEMENTED;
    return set(handleOf(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
               static_cast<DWORD>(data.size() + 1));
}

long Win32Registry::closeKey(Key key) {
    auto close = onDemand<decltype(&RegCloseKey)>("advapi32.dll", "RegCloseKey");
    return close ? close(handleOf(key)) : ERROR_CALL_NOT_IMPLEMENTED;
}
