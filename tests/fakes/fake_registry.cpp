#include "fakes/recorders.h"

bool FakeRegistry::fails(const std::string& what) {
    log.push_back(what);
    return failAt != 0 && --failAt == 0;
}

long FakeRegistry::createKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    if (fails("create " + path + " " + std::to_string(access)) || root != kClassesRoot) return 5;
    keys[path];
    return open[key = open.size() + 1] = path, 0;
}

long FakeRegistry::openKey(Key root, const std::string& path, std::uint32_t access, Key& key) {
    if (fails("open " + path + " " + std::to_string(access)) || root != kClassesRoot) return 5;
    if (!keys.count(path)) return 2;
    return open[key = open.size() + 1] = path, 0;
}

long FakeRegistry::setValue(Key key, const std::string& name, std::uint32_t type,
                            const std::string& data) {
    if (fails("set " + name + "=" + data) || !open.count(key) || type != kStringValue) return 5;
    return keys[open[key]][name] = data, 0;
}

long FakeRegistry::closeKey(Key key) {
    bool wasOpen = open.erase(key) != 0;
    return fails("close") || !wasOpen ? 6 : 0;
}
