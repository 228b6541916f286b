// What Profile must do, as one set of tests run against the fake natively and
// against the system's private-profile functions under Wine. A world provides
// files(), profile() and folder() (an empty folder, ending in "\").
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
    std::string get(const std::string& section, const std::string& key, std::size_t room = 129) {
        return world.profile().read(ini, section, key, room);
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

TYPED_TEST_P(ProfileContract, ReadsAsTheSystemDoes) {
    ASSERT_TRUE(this->world.files().write(
        this->ini,
        "[S]\r\nq1=\"a b\"\r\nq2='c d'\r\nq3=\"unbalanced\r\nq4=  \"x\"  \r\nq5=a\"b\"\r\n"
        "q6=\"\"\r\nq7=\"a\"b\"\r\n  q8  =  v8 \t\r\nq9=\" a \"\r\nq10='x\"\r\nq11=x;y\r\n"
        ";c=2\r\nlf1=one\nlf2=two\rcr=3\r\nLöschen=ä\xFF\r\nlong=" +
            std::string(200, 'x') + "\r\n[ T ]\r\nk=t\r\n"));
    struct {
        const char *key, *value;
    } cases[] = {
        {"q1", "a b"},        {"q2", "c d"},    {"q3", "\"unbalanced"},
        {"q4", "x"},          {"q5", "a\"b\""}, {"q6", ""},
        {"q7", "a\"b"},       {"q8", "v8"},     {"q9", " a "},
        {"q10", "'x\""},      {"q11", "x;y"},   {";c", "2"},
        {"lf1", "one"},       {"lf2", "two"},   {"cr", "3"},
        {"LöSCHEN", "ä\xFF"},  // ASCII letters match in either case
        {"fehlt", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(this->get("s", c.key), c.value) << c.key;
    EXPECT_EQ(this->get("T", "k"), "t");
    EXPECT_EQ(this->get("S", "long"), std::string(128, 'x'));
    EXPECT_EQ(this->get("S", "q1", 3), "a ");  // the quotes go first, then the room
    EXPECT_EQ(this->get("S", "q1", 0), "");
    EXPECT_EQ(this->world.profile().read(this->world.folder() + "Fehlt.ini", "S", "q1", 129), "");
}

TYPED_TEST_P(ProfileContract, WritingKeepsForeignLinesAndUsesTheFirstOfTwoSections) {
    ASSERT_TRUE(this->world.files().write(
        this->ini, "junk=1\n[A]\nx=1\n;c=2\n\n  spaced  =  v  \n[a]\ny=2\r\nnovalue\r\n"));
    EXPECT_EQ(this->get("A", "y"), "");  // the second [a] is never read
    ASSERT_TRUE(this->put("A", "y", "new"));
    EXPECT_EQ(this->bytes(),
              "junk=1\r\n[A]\r\nx=1\r\n;c=2\r\nspaced=v\r\ny=new\r\n[a]\r\ny=2\r\nnovalue\r\n");
}

TYPED_TEST_P(ProfileContract, FlushReportsWhetherTheFileIsThere) {
    EXPECT_FALSE(this->world.profile().flush(this->ini));
    ASSERT_TRUE(this->put("A", "k", "v"));
    EXPECT_TRUE(this->world.profile().flush(this->ini));
}

REGISTER_TYPED_TEST_SUITE_P(ProfileContract, WritesTheseExactBytes, ReadsAsTheSystemDoes,
                            WritingKeepsForeignLinesAndUsesTheFirstOfTwoSections,
                            FlushReportsWhetherTheFileIsThere);
