#pragma once
// The user's regional conventions, read from a POSIX locale (LC_TIME, LC_NUMERIC, LC_MONETARY) and
// written in the key names and text forms the program's regional formatting reads: "sShortDate" as a
// picture like "dd.MM.yyyy", "iCurrency" as "3", and so on. Keys compare without regard to case.
//
// Keys: sLanguage (three letters, "deu"), sDate, sShortDate, sLongDate, iTime, iTLZero, sTime, s1159,
// s2359, iCurrency, iCurrDigits, iNegCurr, sCurrency, sThousand, sDecimal, iLZero, iDigits, iMeasure.
// A key the locale says nothing about (the C locale has no currency) is left out, so the reader's
// default applies.

#include "platform/text/CaseFold.h"

#include <map>
#include <optional>
#include <string>

namespace platform::intl {

struct NoCaseLess
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        return text::CompareNoCase(a, b) < 0;
    }
};

using RegionalValues = std::map<std::string, std::string, NoCaseLess>;

// The values of the locale `localeName` ("de_DE.UTF-8"); the empty name means the user's environment
// (LC_ALL, the category variables, LANG). nullopt when the locale is not installed.
std::optional<RegionalValues> ReadRegionalValues(const std::string& localeName = {});

// The three-letter language code of a locale name: "de_DE.UTF-8" gives "deu", "fr_CA" "frc", "en_GB"
// "eng"; a language without a code of its own gives its two letters.
std::string LanguageCodeOf(const std::string& localeName);

// A date picture ("%d.%m.%Y") in the program's letters ("dd.MM.yyyy").
std::string DatePictureOf(const std::string& posixFormat);

} // namespace platform::intl
