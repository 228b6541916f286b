// The contract test program; its own tests start it again as a child.
#include <gtest/gtest.h>

#include "contract/child.h"

int main(int argc, char** argv) {
    int exitCode = 0;
    if (runAsChild(exitCode)) return exitCode;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
