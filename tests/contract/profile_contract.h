// What Profile must do, as one set of tests run against the fake natively and
// against the system's private-profile functions under Wine. A world provides
// files(), profile(), folder() (an empty folder, ending in "\") and
// setReadOnly(path).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"

template <typename World>
struct ProfileContract : testing::Test {
    World world;
    std::string ini = world.folder() + "Test.ini";

    std::string bytes() { return world.files().read(ini, 1 << 20).value_or("<missing>"); }
    std::string get(const std::string& section, const std::string& key,
                    std::size_t capacity = 129) {
        return world.profile().read(ini, section, key, capacity);
    }
    bool put(const std::string& section, const std::string& key, const std::string& value) {
        return world.profile().write(ini, section, key, value);
    }
    void handWrite(const std::string& text) { ASSERT_TRUE(world.files().write(ini, text)); }
};

TYPED_TEST_SUITE_P(ProfileContract);

TYPED_TEST_P(ProfileContract, WritesTheseExactBytes) {
    struct {
        const char *section, *key, *value, *file;
    } steps[] = {
        {"Velkor", "LöschenMSG", "-1", "[Velkor]\r\nLöschenMSG=-1\r\n"},
        {"Velkor", "Konfig1", "", "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=\r\n"},
        {"Eintrag1", "Name", "Maus",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=\r\n[Eintrag1]\r\nName=Maus\r\n"},
        // an update stays in place and keeps the first spelling of the names
        {"VELKOR", "konfig1", "C:\\K\\a.vkf",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=C:\\K\\a.vkf\r\n[Eintrag1]\r\nName=Maus\r\n"},
        // a new key goes to the end of its own section
        {"Velkor", "Taskleiste", "0",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=C:\\K\\a.vkf\r\nTaskleiste=0\r\n"
         "[Eintrag1]\r\nName=Maus\r\n"},
        // leading blanks are dropped as written
        {"Eintrag1", "Config1", "  DEVICE=X",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=C:\\K\\a.vkf\r\nTaskleiste=0\r\n"
         "[Eintrag1]\r\nName=Maus\r\nConfig1=DEVICE=X\r\n"},
        {"Eintrag1", "Name", "",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=C:\\K\\a.vkf\r\nTaskleiste=0\r\n"
         "[Eintrag1]\r\nName=\r\nConfig1=DEVICE=X\r\n"},
        // quotes are stored as given; bytes above 0x7F pass unchanged
        {"Eintrag2", "Autoexec1", "\"C:\\A B\\x.exe\" ü\x80\xFF",
         "[Velkor]\r\nLöschenMSG=-1\r\nKonfig1=C:\\K\\a.vkf\r\nTaskleiste=0\r\n"
         "[Eintrag1]\r\nName=\r\nConfig1=DEVICE=X\r\n"
         "[Eintrag2]\r\nAutoexec1=\"C:\\A B\\x.exe\" ü\x80\xFF\r\n"},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(this->put(s.section, s.key, s.value)) << s.key;
        EXPECT_EQ(this->bytes(), s.file) << "after writing " << s.section << "/" << s.key;
    }
}

TYPED_TEST_P(ProfileContract, ReadsBackWhatWasWritten) {
    ASSERT_TRUE(this->put("Velkor", "LöschenMSG", "-1"));
    ASSERT_TRUE(this->put("Eintrag3", "Config1", "DEVICE=C:\\DOS\\HIMEM.SYS ß\xA0\xFF"));
    EXPECT_EQ(this->get("Velkor", "LöschenMSG"), "-1");
    EXPECT_EQ(this->get("velkor", "LöSCHENmsg"), "-1");  // ASCII letters match in either case
    EXPECT_EQ(this->get("EINTRAG3", "config1"), "DEVICE=C:\\DOS\\HIMEM.SYS ß\xA0\xFF");
    EXPECT_EQ(this->get("Velkor", "StartenMSG"), "");
    EXPECT_EQ(this->get("Eintrag4", "Config1"), "");
    EXPECT_EQ(
        this->world.profile().read(this->world.folder() + "Fehlt.ini", "Velkor", "LöschenMSG", 129),
        "");
}

TYPED_TEST_P(ProfileContract, ReadsAtMostCapacityLessOne) {
    ASSERT_TRUE(this->put("S", "long", std::string(200, 'x')));
    ASSERT_TRUE(this->put("S", "abc", "abc"));
    ASSERT_TRUE(this->put("S", "quoted", "\"a b\""));
    struct {
        const char* key;
        std::size_t capacity;
        std::string value;
    } cases[] = {
        {"long", 129, std::string(128, 'x')},
        {"abc", 4, "abc"},
        {"abc", 3, "ab"},
        {"abc", 1, ""},
        {"abc", 0, ""},
        {"quoted", 3, "a "},  // the quotes go first
    };
    for (const auto& c : cases)
        EXPECT_EQ(this->get("S", c.key, c.capacity), c.value) << c.key << " " << c.capacity;
}

TYPED_TEST_P(ProfileContract, DropsBlanksAndOnePairOfQuotesWhenReading) {
    this->handWrite(
        "[S]\r\nq1=\"a b\"\r\nq2='c d'\r\nq3=\"unbalanced\r\nq4=  \"x\"  \r\nq5=a\"b\"\r\n"
        "q6=\"\"\r\nq7=\"a\"b\"\r\n  q8  =  v8 \t\r\nq9=\" a \"\r\nq10='x\"\r\nq11=x;y\r\n"
        ";c=2\r\nlf1=one\nlf2=two\rcr=3\r\n[ T ]\r\nk=t\r\n");
    struct {
        const char *key, *value;
    } cases[] = {
        {"q1", "a b"},  {"q2", "c d"},  {"q3", "\"unbalanced"}, {"q4", "x"},    {"q5", "a\"b\""},
        {"q6", ""},     {"q7", "a\"b"}, {"q8", "v8"},           {"q9", " a "},  {"q10", "'x\""},
        {"q11", "x;y"}, {";c", "2"},    {"lf1", "one"},         {"lf2", "two"}, {"cr", "3"},
    };
    for (const auto& c : cases) EXPECT_EQ(this->get("S", c.key), c.value) << c.key;
    EXPECT_EQ(this->get("T", "k"), "t");
}

TYPED_TEST_P(ProfileContract, WritingKeepsForeignLinesAndUsesTheFirstOfTwoSections) {
    this->handWrite("junk=1\n[A]\nx=1\n;c=2\n\n  spaced  =  v  \n[a]\ny=2\r\nnovalue\r\n");
    EXPECT_EQ(this->get("A", "y"), "");  // the second [a] is never read
    ASSERT_TRUE(this->put("A", "y", "new"));
    EXPECT_EQ(this->bytes(),
              "junk=1\r\n[A]\r\nx=1\r\n;c=2\r\nspaced=v\r\ny=new\r\n[a]\r\ny=2\r\nnovalue\r\n");
}

TYPED_TEST_P(ProfileContract, FlushReportsWhetherTheFileIsThere) {
    EXPECT_FALSE(this->world.profile().flush(this->ini));
    ASSERT_TRUE(this->put("A", "k", "v"));
    EXPECT_TRUE(this->world.profile().flush(this->ini));
    EXPECT_EQ(this->bytes(), "[A]\r\nk=v\r\n");
}

REGISTER_TYPED_TEST_SUITE_P(ProfileContract, WritesTheseExactBytes, ReadsBackWhatWasWritten,
                            ReadsAtMostCapacityLessOne, DropsBlanksAndOnePairOfQuotesWhenReading,
                            WritingKeepsForeignLinesAndUsesTheFirstOfTwoSections,
                            FlushReportsWhetherTheFileIsThere);
