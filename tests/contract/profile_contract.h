// How Profile writes a file, checked against the fake natively and against the
// system's private-profile functions under Wine: the fake's bytes are the
// system's. How they read a hand-written file is one of the end-to-end
// stories. A world provides files(), profile() and folder() (ending in "\").
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"

template <typename World>
struct ProfileContract : testing::Test {
    World world;
    std::string ini = world.folder() + "Test.ini";

    std::string bytes() {
        world.profile().flush(ini);
        return world.files().read(ini, 1 << 20).value_or("<missing>");
    }
    bool put(const std::string& section, const std::string& key, const std::string& value) {
        return world.profile().write(ini, section, key, value);
    }
};

TYPED_TEST_SUITE_P(ProfileContract);

TYPED_TEST_P(ProfileContract, WritesTheseExactBytes) {
    const std::string head = "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=";
    struct {
        const char *section, *key, *value;
        std::string file;
    } steps[] = {
        {"Velkor", "LöschenMSG", "-1", "[Velkor]\r\nLöschenMSG=-1\r\n"},
        {"Velkor", "Konfig1", "", head + "\r\n"},
        {"Eintrag1", "Name", "Maus", head + "\r\n[Eintrag1]\r\nName=Maus\r\n"},
        // an update stays in place and keeps the first spelling of the names
        {"VELKOR", "konfig1", "a.vkf", head + "a.vkf\r\n[Eintrag1]\r\nName=Maus\r\n"},
        // a new key goes to the end of its own section; leading blanks are dropped
        {"Velkor", "Taskleiste", "  0",
         head + "a.vkf\r\nTaskleiste=0\r\n[Eintrag1]\r\nName=Maus\r\n"},
        // quotes are stored as given; bytes above 0x7F pass unchanged
        {"Eintrag1", "Name", "\"C:\\A B\" ü\x80\xFF",
         head + "a.vkf\r\nTaskleiste=0\r\n[Eintrag1]\r\nName=\"C:\\A B\" ü\x80\xFF\r\n"},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(this->put(s.section, s.key, s.value)) << s.key;
        EXPECT_EQ(this->bytes(), s.file) << "after writing " << s.section << "/" << s.key;
    }
}

REGISTER_TYPED_TEST_SUITE_P(ProfileContract, WritesTheseExactBytes);
