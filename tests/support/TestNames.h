#pragma once
// Names of parameterised test cases: ctest shows them, so they say what a case tests and stay the same
// from one build to the next (gtest's default prints the case's bytes, pointers and all).

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace lumarc::test {

// A test name holds ASCII letters and digits only, joined by single underscores.
inline std::string TestName(std::string_view text)
{
    std::string name;
    for (const char c : text) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum)
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
}

// The 4th argument of INSTANTIATE_TEST_SUITE_P for a case struct with a `what` text.
struct NameFromWhat
{
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const
    {
        return TestName(info.param.what);
    }
};

} // namespace lumarc::test
