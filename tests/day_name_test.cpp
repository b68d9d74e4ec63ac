#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "day_name.h"

namespace {

struct Lookup {
    std::int32_t number;
    const char* name;
};

TEST(DayNameForNumber, NamesTheSevenDaysAndRejectsEveryOtherNumber)
{
    const std::array cases{
        Lookup{1, "Monday"},
        Lookup{2, "Tuesday"},
        Lookup{3, "Wednesday"},
        Lookup{4, "Thursday"},
        Lookup{5, "Friday"},
        Lookup{6, "Saturday"},
        Lookup{7, "Sunday"},
        // No wrap-around and no zero-based scale.
        Lookup{0, "ERROR"},
        Lookup{8, "ERROR"},
        Lookup{-1, "ERROR"},
        Lookup{14, "ERROR"},
        Lookup{-6, "ERROR"},
        Lookup{std::numeric_limits<std::int32_t>::min(), "ERROR"},
        Lookup{std::numeric_limits<std::int32_t>::max(), "ERROR"},
    };
    for (const auto& lookup : cases) {
        EXPECT_EQ(dayNameForNumber(lookup.number), lookup.name) << "day number " << lookup.number;
    }
}

} // namespace
