#include "day_name.h"

std::string dayNameForNumber(std::int32_t dayNumber)
{
    // The number is used as it is: 0 is not Sunday and 8 is not Monday.
    switch (dayNumber) {
    case 1:
        return "Monday";
    case 2:
        return "Tuesday";
    case 3:
        return "Wednesday";
    case 4:
        return "Thursday";
    case 5:
        return "Friday";
    case 6:
        return "Saturday";
    case 7:
        return "Sunday";
    default:
        return std::string{errorMarker};
    }
}
