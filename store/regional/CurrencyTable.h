#pragma once
// The program's fixed table of currencies (entries 1 to 99, 86 of them used; entry 0 is the local
// currency of the regional settings) and the reading of currency symbols out of formatted amounts.

#include <string>
#include <string_view>

inline constexpr int kCurrencyEntries = 99;
// FindCurrencyIndex's answer when no entry has the symbol.
inline constexpr int kNoCurrency = 99;

// Entry i's symbol; the local currency's for 0; empty for an unused or out-of-range entry.
std::string GetCurrencySymbol(int i);
// Entry i's number of decimal digits; the local currency's for 0; 0 for an unused entry.
int GetCurrencyDigitsAt(int i);
// False for an entry beyond the table; true for 0 (the local currency, `country` left alone); otherwise
// gives entry i's country name and tells whether the entry is used.
bool CurrencyEntryMatches(int i, std::string& country);

// The currency symbol of a formatted amount ("5.00 DM", "-$ 5.00"): the text is split at its first blank,
// and the regional layouts of positive (iCurrency) and negative (iNegCurr) amounts say which part holds
// the symbol.
std::string ExtractCurrencySymbol(std::string_view amount);
// The entry (1-based) whose symbol, ignoring case, is the text itself or the symbol of the amount it
// holds; kNoCurrency when none.
int FindCurrencyIndex(std::string_view amountOrSymbol);
// Decimal digits of the amount's currency; an amount whose symbol is in no entry is in the local
// currency and has its digits.
int GetCurrencyDigitsOfAmount(std::string_view amount);
