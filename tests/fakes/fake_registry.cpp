#include "fakes/recorders.h"

bool FakeRegistry::fails(const std::string& what) {
    log.push_back(what);
    return failAt != 0 && --failAt == 0;
}

long FakeRegistry::createKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    if (fails("create " + path + " " + std::to_string(access)) || root != kClassesRoot) return 5;
    keys[path];
    open_[key = next_++] = path;
    return 0;
}

long FakeRegistry::openKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    if (fails("open " + path + " " + std::to_string(access)) || root != kClassesRoot) return 5;
    if (!keys.count(path)) return 2;
    open_[key = next_++] = path;
    return 0;
}

long FakeRegistry::setValue(Key key, const std::string& name, std::uint32_t type,
                            const std::string& data) {
    if (fails("set " + name + "=" + data) || !open_.count(key) || type != kStringValue) return 5;
    keys[open_[key]][name] = data;
    return 0;
}

long FakeRegistry::closeKey(Key key) {
    bool wasOpen = open_.erase(key) != 0;
    return fails("close") || !wasOpen ? 6 : 0;
}
