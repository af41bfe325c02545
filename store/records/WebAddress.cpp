#include "store/records/WebAddress.h"

#include "store/program/Settings.h"
#include "store/regional/TextUtilities.h"

namespace {

constexpr std::string_view kDefaultWebSite = "https://lumarc.example/";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
}

} // namespace

std::string GetProductWebSite()
{
    std::string site = GetSettingString("ProductWebSite", kDefaultWebSite);
    if (site.empty()) {
        site = kDefaultWebSite;
    } else if (site.back() != '/') {
        site += '/';
    }
    return site;
}

std::string ExpandWebAddress(std::string_view address, std::string_view sitePrefix)
{
    std::string text(address);
    ReplaceAll(text, "1US1/", sitePrefix);
    ReplaceAll(text, ".htm", ".html");
    ReplaceAll(text, ".htmll", ".html");
    return text;
}

bool HasWebScheme(std::string_view address)
{
    const size_t start = address.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return false;
    }
    address.remove_prefix(start);
    return FindTextNoCase(address, "http:") == 0 || FindTextNoCase(address, "https:") == 0;
}
