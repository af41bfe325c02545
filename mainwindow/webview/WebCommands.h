#pragma once
// What the links of the program's pages do: the pseudo-addresses "order.command", "search.command" and
// "checkout.command", catalogue downloads, and the web search of a record. Pages are local files, so a
// relative link arrives as a file:// address; the tests look at the whole address text.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tree/base/ShoppingCartAdder.h"

class CTreeNode;
class wxWindow;

enum class WebLinkKind
{
    Order,     // holds "order.command"
    Search,    // holds "search.command"
    Checkout,  // holds "checkout.command"
    Catalogue, // holds ".ctg" or ".zipctg" (as written: ".CTG" is no catalogue)
    Other,
};

// The first of the kinds above whose text the address holds.
WebLinkKind ClassifyWebLink(std::string_view address);

// The record form's "orderButton" of the element's data file, its attributes cut at 200 characters;
// none when the element has no record or its form has no such button.
std::optional<OrderButtonValues> ReadOrderButton(CTreeNode& element);
// The values the last order link filled, read by the shopping cart.
const OrderButtonValues& GetOrderButtonValues();

// Puts the element's record into the shopping cart with its form's order button, the main window
// disabled meanwhile. False, doing nothing, without an element, a button or an installed cart.
bool OrderFocusedItem(CTreeNode* element, wxWindow* mainWindow);

// The address a search template gives for a record: each of the first 20 references "$-name-$" (with an
// optional word count "@(n)@" beside the name) becomes the field's text, encoded as a URL component,
// "%#" becomes "=", "1US1/" the product's web site, and addresses on that site go through its redirect
// script. `field` gives a field's text by name. An empty result gives the site's not-yet-ready page; an
// address that is not http or https is taken for a host name behind "http://".
std::string BuildWebSearchAddress(std::string_view searchTemplate,
                                  const std::function<std::string(std::string_view)>& field);

// Searches the web for the element's record with the template of the last record page: writes
// "redi1.htm" from "redi.htm" in the HTML folder and opens it in the user's browser. False without a
// record.
bool SearchFocusedItemOnWeb(CTreeNode* element);

// Opens an address in the user's browser. Tests replace the opener; by default wxLaunchDefaultBrowser.
bool OpenInUsersBrowser(const std::string& address);
using BrowserOpener = std::function<bool(const std::string& address)>;
BrowserOpener SetBrowserOpener(BrowserOpener opener);

// An address as text for a page attribute or a file URL for a path.
std::string FileUrl(const std::filesystem::path& path);
