#pragma once
// The texts behind the ordering nodes: the names of placed orders, the shop an order belongs to, what an
// order shows, and the totals of cart rows. Order and cart texts come from catalogue files, so every
// reader here takes any text and never fails on it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Placed orders are the texts "order0" to "order99".
inline constexpr int kMaxOrders = 100;
// At most this many shops are shown under "Past Orders".
inline constexpr int kMaxOrderShops = 20;
// A shop's name in an order text is cut after this many characters.
inline constexpr size_t kMaxOrderShopChars = 40;
// The wizard's header at the start of an order text, which is not shown.
inline constexpr size_t kOrderHeaderChars = 5;

// "order<n>".
std::string OrderTextName(int n);

// The shop an order text names: what follows its first "shop=" up to the next white space, at most
// kMaxOrderShopChars characters. None without "shop=" or with nothing after it.
std::optional<std::string> OrderShopName(std::string_view orderText);

// Whether the order belongs to the shop: its shop name is exactly `shop` (letter case counts).
bool IsOrderOfShop(std::string_view orderText, std::string_view shop);

// The order as the user sees it: its text after the header.
std::string ShownOrderText(std::string_view orderText);

// At most `maxChars` characters of the text; a letter is never split.
std::string LeftChars(std::string_view text, size_t maxChars);

// A cart row's quantity: an optional sign and digits, blanks around them allowed. None for anything
// else, or a number beyond a 64-bit integer.
std::optional<long long> ParseQuantity(std::string_view text);

// A cart row's total: the price (an amount text, with or without its currency) times the quantity, as a
// currency amount of the price's currency (the local one when the price names none) with ',' grouping
// the thousands. Empty when the quantity is not a whole number or the total is too large to show.
std::string CartRowTotal(std::string_view price, std::string_view quantity);
