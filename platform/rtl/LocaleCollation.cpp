// Locale text order through ICU's collators: one set (letters; letters and accents; letters,
// accents and case) per locale met, opened on first need and closed when the program ends.
#include "rtl/LocaleCollation.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct CloseCollator {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CloseCollator>;

struct Collators {
    Collator ignoringCase;
    Collator withCase;
    Collator lettersOnly;
};

// The locale's rules, or the root rules when ICU has none for it.
Collator OpenCollator(const std::string& locale, UCollationStrength strength)
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open(locale.c_str(), &status));
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator.reset(ucol_open("root", &status));
    }
    if (U_FAILURE(status))
        return Collator();
    ucol_setStrength(collator.get(), strength);
    return collator;
}

class CollatorCache {
public:
    const Collators& Current()
    {
        const Collators* current = FCurrent.load(std::memory_order_acquire);
        return current != nullptr ? *current : Reset();
    }

    const Collators& Reset()
    {
        std::lock_guard<std::mutex> lock(FMutex);
        const std::string locale = EnvironmentLocale("LC_COLLATE");
        std::unique_ptr<Collators>& entry = FByLocale[locale];
        if (!entry)
            entry.reset(new Collators{OpenCollator(locale, UCOL_SECONDARY), OpenCollator(locale, UCOL_TERTIARY),
                                      OpenCollator(locale, UCOL_PRIMARY)});
        FCurrent.store(entry.get(), std::memory_order_release);
        return *entry;
    }

private:
    std::mutex FMutex;
    std::map<std::string, std::unique_ptr<Collators>> FByLocale;
    std::atomic<const Collators*> FCurrent{nullptr};
};

CollatorCache& Cache()
{
    static CollatorCache cache;
    return cache;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

int Compare(UCollator* collator, std::string_view a, std::string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    if (collator != nullptr) {
        const UCollationResult result = ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                         static_cast<int32_t>(b.size()), &status);
        if (U_SUCCESS(status))
            return result;
    }
    return Sign(a.compare(b));
}

}  // namespace

int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase)
{
    const Collators& collators = Cache().Current();
    return Compare((ignoreCase ? collators.ignoringCase : collators.withCase).get(), a, b);
}

int LocaleCompareLetters(std::string_view a, std::string_view b)
{
    return Compare(Cache().Current().lettersOnly.get(), a, b);
}

void ResetCollationFromSystem()
{
    Cache().Reset();
}

std::string EnvironmentLocale(const char* category)
{
    for (const char* variable : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == 0)
            continue;
        const std::string name = std::string(value).substr(0, std::string(value).find_first_of(".@"));
        return name.empty() || name == "C" || name == "POSIX" ? std::string("root") : name;
    }
    return "root";
}

bool ReadsRightToLeft(const std::string& locale) { return uloc_isRightToLeft(locale.c_str()) != 0; }
