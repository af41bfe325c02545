// main() of the tests that need no display.

#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    lumarc::test::SetUpTestProcess();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    lumarc::test::TearDownTestProcess();
    return result;
}
