// What Files must do, run against the fake natively and against the system
// under Wine. See profile_contract.h for what a world provides.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/files.h"

template <typename World>
struct FilesContract : testing::Test {
    World world;
    Files& files = world.files();
    std::string a = world.folder() + "A.txt";
    std::string b = world.folder() + "B.txt";

    std::optional<std::string> all(const std::string& path) { return files.read(path, 1 << 20); }
};

TYPED_TEST_SUITE_P(FilesContract);

TYPED_TEST_P(FilesContract, WriteThenReadGivesTheSameBytes) {
    std::string every;
    for (int round = 0; round < 2; ++round)
        for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
    ASSERT_TRUE(this->files.write(this->a, every));
    EXPECT_EQ(this->all(this->a), every);
    EXPECT_EQ(this->files.read(this->a, 10), every.substr(0, 10));
    EXPECT_EQ(this->files.read(this->a, 0), "");
    ASSERT_TRUE(this->files.write(this->a, "kurz"));  // the longer old content is gone
    EXPECT_EQ(this->all(this->a), "kurz");
    ASSERT_TRUE(this->files.write(this->b, ""));
    EXPECT_EQ(this->all(this->b), "");
    EXPECT_EQ(this->all(this->world.folder() + "Fehlt.txt"), std::nullopt);
}

TYPED_TEST_P(FilesContract, NamesMatchWithoutRegardToCase) {
    std::string name = this->world.folder() + "Grüße.txt";
    std::string upper = this->world.folder() + "GRÜßE.TXT";
    ASSERT_TRUE(this->files.write(name, "x"));
    EXPECT_TRUE(this->files.exists(upper));
    EXPECT_EQ(this->all(upper), "x");
    EXPECT_TRUE(this->files.remove(upper));
    EXPECT_FALSE(this->files.exists(name));
}

TYPED_TEST_P(FilesContract, RemovingAMissingFileSucceeds) {
    EXPECT_TRUE(this->files.remove(this->a));
    ASSERT_TRUE(this->files.write(this->a, "x"));
    EXPECT_TRUE(this->files.remove(this->a));
    EXPECT_FALSE(this->files.exists(this->a));
    EXPECT_TRUE(this->files.remove(this->a));
}

TYPED_TEST_P(FilesContract, RenameNeverOverwrites) {
    ASSERT_TRUE(this->files.write(this->a, "alt"));
    ASSERT_TRUE(this->files.write(this->b, "b"));
    EXPECT_FALSE(this->files.rename(this->a, this->b));
    EXPECT_EQ(this->all(this->a), "alt");
    EXPECT_EQ(this->all(this->b), "b");

    ASSERT_TRUE(this->files.remove(this->b));
    EXPECT_TRUE(this->files.rename(this->a, this->b));
    EXPECT_FALSE(this->files.exists(this->a));
    EXPECT_EQ(this->all(this->b), "alt");
    EXPECT_FALSE(this->files.rename(this->a, this->world.folder() + "C.txt"));
}

TYPED_TEST_P(FilesContract, ReplacePutsTheNewFileInTheOldOnesPlace) {
    ASSERT_TRUE(this->files.write(this->a, "neu"));
    ASSERT_TRUE(this->files.write(this->b, "alt"));
    EXPECT_TRUE(this->files.replace(this->a, this->b));
    EXPECT_FALSE(this->files.exists(this->a));
    EXPECT_EQ(this->all(this->b), "neu");

    std::string c = this->world.folder() + "C.txt";
    EXPECT_TRUE(this->files.replace(this->b, c));  // the target need not exist
    EXPECT_EQ(this->all(c), "neu");

    EXPECT_FALSE(this->files.replace(this->a, c));  // nothing to put there
    EXPECT_EQ(this->all(c), "neu");
}

TYPED_TEST_P(FilesContract, AReadOnlyFileStaysAsItIs) {
    ASSERT_TRUE(this->files.write(this->a, "alt"));
    this->world.setReadOnly(this->a);
    EXPECT_FALSE(this->files.canMove(this->a));
    EXPECT_FALSE(this->files.write(this->a, "neu"));
    EXPECT_FALSE(this->files.remove(this->a));
    ASSERT_TRUE(this->files.write(this->b, "neu"));
    EXPECT_FALSE(this->files.replace(this->b, this->a));
    EXPECT_EQ(this->all(this->a), "alt");
    EXPECT_EQ(this->all(this->b), "neu");

    // It may be renamed, and keeps its protection under the new name.
    std::string c = this->world.folder() + "C.txt";
    EXPECT_TRUE(this->files.rename(this->a, c));
    EXPECT_FALSE(this->files.write(c, "neu"));
    EXPECT_TRUE(this->files.write(this->a, "frei"));
    EXPECT_EQ(this->all(c), "alt");
}

TYPED_TEST_P(FilesContract, CanMoveAndCanCreate) {
    EXPECT_FALSE(this->files.canMove(this->a));
    ASSERT_TRUE(this->files.write(this->a, "x"));
    EXPECT_TRUE(this->files.canMove(this->a));
    EXPECT_TRUE(this->files.canCreateIn(this->world.folder()));
    EXPECT_EQ(this->all(this->a), "x");  // probing changes nothing
}

REGISTER_TYPED_TEST_SUITE_P(FilesContract, WriteThenReadGivesTheSameBytes,
                            NamesMatchWithoutRegardToCase, RemovingAMissingFileSucceeds,
                            RenameNeverOverwrites, ReplacePutsTheNewFileInTheOldOnesPlace,
                            AReadOnlyFileStaysAsItIs, CanMoveAndCanCreate);
