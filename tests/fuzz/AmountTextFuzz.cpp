// Amount texts and coin years on arbitrary text: the readers must give a result without reading past the
// text, and an amount the formatter wrote must read back as the same amount in every regional layout.

#include "store/regional/AmountText.h"
#include "store/regional/NumismaticYear.h"
#include "store/regional/RegionalSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 9) {
        return 0;
    }
    const unsigned choice = data[0];
    std::int64_t whole = 0;
    std::memcpy(&whole, data + 1, sizeof whole);
    const std::string text(reinterpret_cast<const char*>(data + 9), size - 9);
    LoadRegionalSettings(platform::intl::RegionalValues{{"iNegCurr", std::to_string(choice % 12)},
                                                        {"iCurrency", std::to_string(choice / 12 % 5)},
                                                        {"iLZero", std::to_string(choice / 60 % 2)},
                                                        {"sCurrency", "$"}});

    GetIntegerDigits(text);
    GetDecimalDigits(text);
    ParseAmount(text);
    Amount read;
    ParseCurrencyText(text, read);
    CNumismaticYear year;
    year.Parse(text);
    year.GetYearNumber();
    year.GetRangeEnd();
    year.Format();
    HoldsIssueYear(text, static_cast<int>(whole % 3000));
    CompareNumismaticYears(text, "AD  1960 ");

    // Whole parts of up to 18 digits and hundredths, negative or not, read back unchanged.
    whole = whole < 0 ? -(whole / 2) : whole / 2;
    whole %= 1000000000000000000LL;
    const std::int64_t hundredths = static_cast<std::int64_t>(choice % 100);
    const bool negative = (choice & 0x80) != 0;
    const std::string formatted = FormatCurrencyMask(whole, hundredths, 1, negative, ',', 0);
    if (!formatted.empty()) {
        const Amount amount = ParseAmount(formatted);
        if (amount.whole != whole || amount.Hundredths() != hundredths || amount.negative != negative) {
            std::abort();
        }
    }
    FormatCurrencyMask(whole, static_cast<std::int64_t>(choice), 0, negative, static_cast<char>(data[1]),
                       static_cast<int>(choice % 100));
    return 0;
}
