// The long date form of a locale, as the desktop's date library describes it, written in the
// letters FormatDateTime reads ("dddd, d. mmmm yyyy" for German).
#pragma once

#include <string>

// The ICU locale name as EnvironmentLocale gives it ("de_DE"); "" when the library has no
// long date form for it.
std::string LongDateFormatOf(const std::string& locale);
