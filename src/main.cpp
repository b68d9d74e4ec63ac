#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <limits>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "day_name.h"

namespace {
// The exit statuses that the manual page lists.
constexpr int exitDayNamed = 0;
constexpr int exitInputEnded = 1;
constexpr int exitWriteFailed = 2;
// A value that no read stores: a failed read stores 0 or a limit of the int
// range, so userDay still holding this means that nothing was read at all.
constexpr std::int32_t nothingRead = -1;
} // namespace

int main()
{
    // Running out of memory aborts quietly, without a message on standard error.
    std::set_terminate(std::abort);
    std::ios_base::sync_with_stdio(false);
#ifdef _WIN32
    // Read bytes as they are: text mode would end the input at a Control-Z and
    // make the position that a file of answers is given back at wrong.
    static_cast<void>(_setmode(_fileno(stdin), _O_BINARY));
#endif
    // libc++ writes through C stdio, which would flush a terminal at each line
    // feed and not report a failure there; fully buffered, only our flushes write.
    static_cast<void>(std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ));

    std::int32_t userDay = nothingRead;
    std::string day{errorMarker};

    while (day == errorMarker) {
        if (!(std::cout << "Enter the number of a day in the week: " << std::flush)) {
            // The question was never seen: leave its answer for the next reader.
            std::cin.seekg(std::cin.tellg());
            return exitWriteFailed;
        }
        if (!(std::cin >> userDay)) {
            if (userDay == nothingRead) {
                std::cout << '\n' << std::flush;
                return std::cout ? exitInputEnded : exitWriteFailed;
            }
            // Not a number, or one out of the int range: drop the rest of its
            // line. At the end of input the stream stays failed, so that a
            // terminal is not read again.
            if (!std::cin.eof()) {
                std::cin.clear();
                std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            }
        }
        day = dayNameForNumber(userDay);
        if (day == errorMarker) {
            std::cout << "\nThe given input value was invalid.\n";
        }
        userDay = nothingRead;
    }
    std::cout << "\nThe given day number represents " << day << ".\n\n" << std::flush;
    // Give back what was read ahead, so that the next reader of a file of
    // answers starts just past this one's answer (a pipe cannot be rewound).
    std::cin.seekg(std::cin.tellg());
    return std::cout ? exitDayNamed : exitWriteFailed;
}
