// Typed dates, amounts and start arguments on arbitrary text, in every date order: the readers must give
// a result or refuse, never read past the text, and a date they accept must read back the same.

#include "platform/ui/DialogService.h"
#include "store/regional/CurrencyTable.h"
#include "store/regional/DateText.h"
#include "store/regional/RegionalSettings.h"
#include "store/regional/TextUtilities.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class SilentDialogs final : public platform::ui::DialogService
{
public:
    int MessageBox(const std::string&, const std::string&, unsigned) override { return platform::ui::kIdOk; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentDialogs dialogs;
    static const char* const kPictures[] = {"dd.MM.yyyy", "M/d/yyyy", "yyyy-MM-dd"};
    platform::ui::SetDialogService(&dialogs);
    if (size == 0) {
        return 0;
    }
    const unsigned choice = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    LoadRegionalSettings(platform::intl::RegionalValues{{"sShortDate", kPictures[choice % 3]},
                                                        {"sLongDate", text},
                                                        {"iNegCurr", std::to_string(choice % 11)},
                                                        {"iCurrency", std::to_string(choice % 4)}});

    std::string typed = text;
    if (ValidateDateText(typed) && !typed.empty() && typed[0] != ' ') {
        std::string again = typed;
        if (!ValidateDateText(again) || again != typed) {
            std::abort();
        }
    }
    ParseDateText(text);
    SplitDateText(text);
    ParseMonth(text);
    ParseDay(text);
    CompleteYear(text);
    std::tm parts{};
    parts.tm_mday = 1 + static_cast<int>(choice % 31);
    parts.tm_mon = static_cast<int>(choice % 12);
    parts.tm_wday = static_cast<int>(choice % 7);
    parts.tm_year = 101;
    FormatLongDate(parts);
    FindCurrencyIndex(text);
    GetCurrencyDigitsOfAmount(text);
    SplitCommandLine(text);
    return 0;
}
