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
    const Lookup cases[] = {
        {1, "Monday"},
        {2, "Tuesday"},
        {3, "Wednesday"},
        {4, "Thursday"},
        {5, "Friday"},
        {6, "Saturday"},
        {7, "Sunday"},
        // No wrap-around and no zero-based scale.
        {0, "ERROR"},
        {8, "ERROR"},
        {-1, "ERROR"},
        {14, "ERROR"},
        {-6, "ERROR"},
        {std::numeric_limits<std::int32_t>::min(), "ERROR"},
        {std::numeric_limits<std::int32_t>::max(), "ERROR"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dayNameForNumber(c.number), c.name) << "day number " << c.number;
    }
}

TEST(DayNameForNumber, EachCallGivesAStringOfItsOwn)
{
    std::string first = dayNameForNumber(2);
    first[0] = 'X';
    EXPECT_EQ(dayNameForNumber(2), "Tuesday");

    std::string marker = dayNameForNumber(0);
    marker.clear();
    EXPECT_EQ(dayNameForNumber(0), errorMarker);
}

}
