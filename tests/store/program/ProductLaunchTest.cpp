#include "store/program/ProductLaunch.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

TEST(ProductLaunch, StartsTheProductWithItsArgumentInTheProductFolder)
{
    const auto folder = lumarc::test::MakeTempFolder("launch");
    const auto program = folder / "fake-corvant";
    const auto out = folder / "started.txt";
    std::ofstream(program) << "#!/bin/sh\necho \"$PWD|$1|$#\" > \"" << out.string() << ".part\" && mv \""
                           << out.string() << ".part\" \"" << out.string() << "\"\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);

    SetSettingString("productExe", "");
    EXPECT_FALSE(LaunchProductExe("Find"));

    SetSettingString("productExe", program.string());
    ASSERT_TRUE(LaunchProductExe("list^My coins^a b"));
    for (int i = 0; i < 200 && !std::filesystem::exists(out); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), GetProductDirPath() + "|list^My coins^a b|1\n");
    EXPECT_EQ(GetNetscapeUserDir(), "");
    SetSettingString("productExe", "");
}
