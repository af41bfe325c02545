#pragma once
// Web addresses written into generated pages. Catalogues may name pages of the product's web site with
// the placeholder "1US1/"; it stands for the site's address, which the setting "ProductWebSite" holds.

#include <string>
#include <string_view>

// The address of the product's web site, ending in '/': setting "ProductWebSite", by default
// "https://lumarc.example/".
std::string GetProductWebSite();

// A stored address as a page links it: every "1US1/" becomes `sitePrefix`, then every ".htm" ".html"
// (an address that already ended in ".html" keeps its one "l").
std::string ExpandWebAddress(std::string_view address, std::string_view sitePrefix);

// True when the address names its scheme as "http:" or "https:" (any case, leading blanks ignored); any
// other address is taken for a host name and linked behind "http://".
bool HasWebScheme(std::string_view address);
