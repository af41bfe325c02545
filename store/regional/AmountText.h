#pragma once
// Money amounts as the user reads and types them: the formatter every list, page and order uses to show
// a stored amount in the regional conventions with a currency of the program's table, and the readers of
// typed or formatted amount texts. Amounts are held as whole units and a fraction; nothing here is
// computed in floating point.

#include <cstdint>
#include <string>
#include <string_view>

// An amount as read from a text.
struct Amount
{
    std::int64_t whole = 0;          // units, without sign
    std::int32_t tenThousandths = 0; // the fraction in 1/10,000 units (0 to 9,999), without sign
    bool negative = false;

    std::int32_t Hundredths() const { return tenThousandths / 100; }
};

// The amount in the regional format. With `isCurrency` 0 a plain number: the whole part grouped in
// thousands, "-" before a negative one, the decimal separator and the fraction's digits ("0" when 0);
// a whole part of 0 shows as "0" only when the regional leading-zero setting is on. With `isCurrency`
// the fraction is hundredths written with the currency's number of decimal digits (a fraction above 99
// is divided by 10 once) and the amount is joined with the currency's symbol (entry `currencyIndex` of
// the currency table, 0 the local currency) by the regional layouts of positive and negative amounts;
// a layout number outside the table gives an empty text. `groupSeparator` groups the thousands; 0, or
// the regional decimal separator (which would make the text unreadable), takes the regional thousands
// separator. A negative `whole` or `fraction` counts as negative as well.
std::string FormatCurrencyMask(std::int64_t whole, std::int64_t fraction, int isCurrency, bool negative,
                               char groupSeparator, int currencyIndex);

// The whole part of an amount text: the digits (at most 20) before the first regional decimal separator
// that follows a digit, other characters skipped; 0 for a text without digits.
std::int64_t GetIntegerDigits(std::string_view text);
// The digits (at most 5) after that decimal separator, as one number ("12.05" gives 5); 0 without them.
std::int32_t GetDecimalDigits(std::string_view text);

// An amount text read as an amount: whole part as GetIntegerDigits, the digits after the separator as a
// decimal fraction ("12.5" is twelve and a half; digits beyond the fourth are dropped), negative when the
// text holds "(" or "-" anywhere. Thousands separators, blanks and symbols are skipped.
Amount ParseAmount(std::string_view text);

// The recordset's text of a currency value ("%dA%dB%d": the last two decimal places, the whole units, the
// hundredths; a negative value carries its sign in every part) read back; false, and the amount left
// alone, when the text is not in that form.
bool ParseCurrencyText(std::string_view text, Amount& amount);
