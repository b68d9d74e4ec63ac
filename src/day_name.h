#ifndef DAYNAME_DAY_NAME_H
#define DAYNAME_DAY_NAME_H

#include <cstdint>
#include <string>
#include <string_view>

// What dayNameForNumber gives for any number that is not a day of the week.
inline constexpr std::string_view errorMarker = "ERROR";

// The English name of day number dayNumber on a week that starts with
// Monday as 1 and ends with Sunday as 7; errorMarker for every other number.
std::string dayNameForNumber(std::int32_t dayNumber);

#endif
