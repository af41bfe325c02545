#include "mainwindow/webview/WebCommands.h"

#include "output/HtmlPageWriter.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/TextFiles.h"
#include "store/records/ItemSet.h"
#include "store/records/WebAddress.h"
#include "tree/base/TreeNode.h"
#include "tree/orders/OrderTexts.h"
#include "tree/pages/NodePageWriter.h"

#include <wx/filename.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace {

constexpr size_t kMaxOrderValue = 200;
constexpr int kMaxReferences = 20;
constexpr std::string_view kNotReadyPage = "notready.html";
constexpr std::string_view kRedirectScript = "redirect?page=";

OrderButtonValues g_orderValues;

BrowserOpener& Opener()
{
    static BrowserOpener opener = [](const std::string& address) {
        return wxLaunchDefaultBrowser(wxString::FromUTF8(address));
    };
    return opener;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
}

// RFC 3986: letters, digits and "-._~" stand as they are, every other byte is %XX.
std::string EncodeUrlComponent(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// The text up to the blank that ends `words` words (all of it when it has no more).
std::string FirstWords(std::string_view text, int words)
{
    size_t pos = 0;
    for (int n = 0; n < words; ++n) {
        pos = text.find(' ', pos == 0 && n == 0 ? 0 : pos + 1);
        if (pos == std::string_view::npos) {
            return std::string(text);
        }
    }
    return std::string(text.substr(0, pos));
}

// A reference's field name and word count (0: all words).
std::pair<std::string, int> ParseReference(std::string_view reference)
{
    std::string name(reference);
    int words = 0;
    const size_t open = name.find("@(");
    if (open != std::string::npos) {
        const size_t close = name.find(")@", open + 2);
        if (close != std::string::npos) {
            try {
                words = std::stoi(name.substr(open + 2, close - open - 2));
            } catch (const std::exception&) {
                words = 0;
            }
            name.erase(open, close + 2 - open);
        }
    }
    return {name, words < 0 ? 0 : words};
}

} // namespace

WebLinkKind ClassifyWebLink(std::string_view address)
{
    if (address.find("order.command") != std::string_view::npos) {
        return WebLinkKind::Order;
    }
    if (address.find("search.command") != std::string_view::npos) {
        return WebLinkKind::Search;
    }
    if (address.find("checkout.command") != std::string_view::npos) {
        return WebLinkKind::Checkout;
    }
    if (address.find(".ctg") != std::string_view::npos || address.find(".zipctg") != std::string_view::npos) {
        return WebLinkKind::Catalogue;
    }
    return WebLinkKind::Other;
}

std::optional<OrderButtonValues> ReadOrderButton(CTreeNode& element)
{
    CItemSet* set = element.GetItemSet();
    CCatalogueDb* catalogue = element.GetCatalogue();
    if (set == nullptr || catalogue == nullptr || set->GetCurrent() == nullptr) {
        return std::nullopt;
    }
    CMarkupNode* form = FindGuiInfoElement(set->GetCurrentKind(), catalogue);
    if (form == nullptr) {
        return std::nullopt;
    }
    for (CMarkupNode* child = form->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (child->GetType() != "element" ||
            !platform::text::EqualsNoCase(child->GetAttribute("CNT_NAME"), "orderButton")) {
            continue;
        }
        auto value = [&](const char* name) { return LeftChars(child->GetAttribute(name), kMaxOrderValue); };
        return OrderButtonValues{value("price"),   value("weight"),     value("availableThe"),
                                 value("UID"),     value("image1Name"), value("image2Name"),
                                 value("shopName")};
    }
    return std::nullopt;
}

const OrderButtonValues& GetOrderButtonValues()
{
    return g_orderValues;
}

bool OrderFocusedItem(CTreeNode* element, wxWindow* mainWindow)
{
    CShoppingCartAdder* cart = ShoppingCartAdder();
    if (element == nullptr || cart == nullptr) {
        return false;
    }
    // The cart asks for a quantity; the main window takes no clicks until the row is in.
    struct Disabler
    {
        wxWindow* window;
        explicit Disabler(wxWindow* w) : window(w)
        {
            if (window != nullptr) {
                window->Disable();
            }
        }
        ~Disabler()
        {
            if (window != nullptr) {
                window->Enable();
            }
        }
    } disabled(mainWindow);
    std::optional<OrderButtonValues> values = ReadOrderButton(*element);
    if (!values) {
        return false;
    }
    g_orderValues = *values;
    cart->AddToShoppingCart(*element, g_orderValues);
    return true;
}

std::string BuildWebSearchAddress(std::string_view searchTemplate,
                                  const std::function<std::string(std::string_view)>& field)
{
    std::string address;
    size_t pos = 0;
    for (int n = 0; n < kMaxReferences; ++n) {
        const size_t open = searchTemplate.find("$-", pos);
        if (open == std::string_view::npos) {
            break;
        }
        const size_t close = searchTemplate.find("-$", open + 2);
        if (close == std::string_view::npos) {
            break;
        }
        address.append(searchTemplate.substr(pos, open - pos));
        const auto [name, words] = ParseReference(searchTemplate.substr(open + 2, close - open - 2));
        std::string text = field(name);
        if (words > 0) {
            text = FirstWords(text, words);
        }
        address += EncodeUrlComponent(text);
        pos = close + 2;
    }
    address.append(searchTemplate.substr(pos));
    ReplaceAll(address, "%#", "=");

    const std::string site = GetProductWebSite();
    if (address.empty() || address == " ") {
        return site + std::string(kNotReadyPage);
    }
    ReplaceAll(address, "1US1/", site);
    if (!HasWebScheme(address)) {
        address = "http://" + address.substr(address.find_first_not_of(' '));
    }
    if (address.compare(0, site.size(), site) == 0) {
        std::string rest = address.substr(site.size());
        ReplaceAll(rest, "?", "&");
        ReplaceAll(rest, "\\", "/");
        address = site + std::string(kRedirectScript) + rest;
    }
    return address;
}

bool SearchFocusedItemOnWeb(CTreeNode* element)
{
    CItemSet* set = element != nullptr ? element->GetItemSet() : nullptr;
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    const std::string address = BuildWebSearchAddress(
        GetWebSearchTemplate(), [set](std::string_view name) { return set->GetFieldTextByName(name); });

    // The page in between says what happens while the browser starts; without it the address opens
    // directly.
    const auto folder = GetHtmDirectory();
    const auto page = folder / "redi1.htm";
    std::error_code error;
    std::filesystem::copy_file(folder / "redi.htm", page, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (error || !ReplaceTextInFile(page, "=TODIR=", EscapeHtml(address))) {
        return OpenInUsersBrowser(address);
    }
    return OpenInUsersBrowser(FileUrl(page));
}

bool OpenInUsersBrowser(const std::string& address)
{
    return Opener() && Opener()(address);
}

BrowserOpener SetBrowserOpener(BrowserOpener opener)
{
    BrowserOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

std::string FileUrl(const std::filesystem::path& path)
{
    return wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(path.string()))).utf8_string();
}
