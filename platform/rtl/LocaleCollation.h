// Text order as a person of the user's language expects it: accented letters among their base
// letters, the alphabet of the language first. The order comes from the collation rules of the
// locale that LC_ALL, LC_COLLATE or LANG name, the root rules for C, POSIX or none.
#pragma once

#include <string>
#include <string_view>

// The ICU name of the locale that LC_ALL, then the given category's variable, then LANG name:
// "fr_FR.UTF-8@euro" gives "fr_FR"; C, POSIX or none give "root".
std::string EnvironmentLocale(const char* category);

// Whether the language of that locale is written right to left (Arabic, Hebrew, Persian...).
bool ReadsRightToLeft(const std::string& locale);

// < 0, 0 or > 0. ignoreCase compares letters and accents only ("émile" = "Émile" but
// "Emile" < "Émile"); otherwise case decides between texts equal apart from it.
int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase);

// < 0, 0 or > 0 by the letters alone, accents and case aside ("Ünal" = "unal"): an order that
// the first characters of texts sorted by LocaleCompare keep.
int LocaleCompareLetters(std::string_view a, std::string_view b);

// Takes the collation rules of the locale the environment names now; ResetLocaleFromSystem
// calls it. Safe while other threads compare: the rules of earlier locales stay until exit.
void ResetCollationFromSystem();
