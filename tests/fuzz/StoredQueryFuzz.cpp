// Stored query texts and search criteria come from catalogues and ".query" files: the reader of the
// brace form and the rewriting of the criteria's pseudo-operators must take any text without reading past
// it, and a definition they read must write back into a text they read again.

#include "store/definitions/CriteriaOperators.h"
#include "store/definitions/QueryDefinition.h"
#include "store/regional/RegionalSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool regional = [] {
        LoadRegionalSettings(platform::intl::RegionalValues{});
        return true;
    }();
    (void)regional;
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto parsed = ParseStoredQueryText(text)) {
        const std::string written = FormatStoredQueryText(parsed->name, parsed->folderNumber,
                                                          parsed->dataFile, parsed->criteria, parsed->number);
        const auto again = ParseStoredQueryText(written);
        if (!again || !again->hasFilter || again->dataFile != parsed->dataFile) {
            std::abort();
        }
        RewriteCriteriaOperators(parsed->criteria, 991'000'000);
    }
    // Today at a time in 2001, and at the ends of what the clock may say.
    for (const std::time_t now : {std::time_t{991'000'000}, std::time_t{0}, std::time_t{253'402'300'000}}) {
        const CriteriaRewrite rewritten = RewriteCriteriaOperators(text, now);
        if (rewritten.hasIssueYear && (rewritten.issueYear < 0 || rewritten.issueYear > 99999)) {
            std::abort();
        }
    }
    return 0;
}
