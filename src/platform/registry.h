// The four registry operations of the file-type registration, as advapi32
// has them. Each returns the system's result: 0 for success.
#pragma once
#include <cstdint>
#include <string>

class Registry {
  public:
    using Key = std::uintptr_t;  // a root key or an open key's handle
    static constexpr Key kClassesRoot = 0x80000000;
    static constexpr std::uint32_t kStringValue = 1;  // REG_SZ

    virtual ~Registry() = default;
    virtual long createKey(Key root, const std::string& path, std::uint32_t access, Key& key) = 0;
    virtual long openKey(Key root, const std::string& path, std::uint32_t access, Key& key) = 0;
    // `data` is written with a terminating zero byte after it.
    virtual long setValue(Key key, const std::string& name, std::uint32_t type,
                          const std::string& data) = 0;
    virtual long closeKey(Key key) = 0;
};
