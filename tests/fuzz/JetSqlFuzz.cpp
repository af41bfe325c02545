// The translator reads SQL that partly comes from catalogue files (stored queries) and from what users
// type into search fields, and Like reads patterns users type: neither may crash on any input.
// Input: SQL, a zero byte, a Like pattern, a zero byte, a text.

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/JetSql.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t first = input.find('\0');
    const std::string_view sql = input.substr(0, first);
    try {
        const platform::dao::JetTranslation translation = platform::dao::TranslateJetSql(
            sql, [](std::string_view name) { return std::string(name) + "x"; });
        if (translation.sql.size() > sql.size() * 64 + 4096) {
            __builtin_trap(); // the translation grows by a bounded factor, never exponentially
        }
    } catch (const platform::dao::CDaoException& error) {
        if (error.GetErrorCode() != platform::dao::errors::kSyntaxError) {
            __builtin_trap(); // the only refusal is a statement nested too deeply
        }
    }
    if (first != std::string_view::npos) {
        const std::string_view rest = input.substr(first + 1);
        const size_t second = rest.find('\0');
        const std::string_view pattern = rest.substr(0, second);
        const std::string_view text =
            second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
        const platform::dao::JetLikePattern like(pattern);
        like.Matches(text);
        like.Matches(pattern);
    }
    return 0;
}
