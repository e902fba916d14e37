// Test helper: the lines of a TStrings as a vector, for comparing whole lists at once.
#pragma once

#include <vector>

#include "rtl/StringList.h"

inline std::vector<String> Lines(const TStrings& list)
{
    std::vector<String> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}
