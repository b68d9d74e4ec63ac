#ifndef DAYNAME_PROGRAM_UNDER_TEST_H
#define DAYNAME_PROGRAM_UNDER_TEST_H

#include <cstdlib>
#include <string>

// The program the end-to-end tests run: the one this build made, unless
// DAYNAME_PROGRAM names another build of it, such as the static release binary.
inline std::string programUnderTest()
{
    const char* chosen = std::getenv("DAYNAME_PROGRAM");
    return chosen != nullptr && *chosen != '\0' ? chosen : DAYNAME_PROGRAM;
}

#endif
