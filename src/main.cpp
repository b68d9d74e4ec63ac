// SPDX-FileCopyrightText: 2026 The dayname developers
// SPDX-License-Identifier: MIT
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <limits>
#include <string>

#include "day_name.h"

namespace {
// The exit statuses of the manual page.
constexpr int dayNamed = 0;
constexpr int inputEnded = 1;
constexpr int outputFailed = 2;
// What userDay keeps when a read stores nothing: input ended or unreadable
// before an answer (or, with libstdc++, a read error within one). A read of
// something that is no day number stores 0 or an end of the int range.
constexpr std::int32_t noAnswer = -1;
} // namespace

int main()
{
    // Out of memory: end by SIGABRT, with no message on standard error.
    std::set_terminate(std::abort);
    std::ios_base::sync_with_stdio(false);
    // libc++ writes through C stdio, which flushes a terminal at each line feed
    // and loses a failure there; fully buffered, only the checked flushes write.
    static_cast<void>(std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ));

    std::int32_t userDay = noAnswer;
    std::string day{errorMarker};

    while (day == errorMarker) {
        // Nobody should answer a question that was never shown.
        if (!(std::cout << "Enter the number of a day in the week: " << std::flush)) {
            std::cin.seekg(std::cin.tellg());
            return outputFailed;
        }
        if (!(std::cin >> userDay)) {
            if (userDay == noAnswer) {
                std::cout << '\n' << std::flush;
                return std::cout ? inputEnded : outputFailed;
            }
            // An invalid answer takes the rest of its line along. At the end of
            // input the stream stays failed: a terminal would be read again.
            if (!std::cin.eof()) {
                std::cin.clear();
                std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            }
        }
        day = dayNameForNumber(userDay);
        if (day == errorMarker) {
            std::cout << "\nThe given input value was invalid.\n";
        }
        userDay = noAnswer;
    }
    std::cout << "\nThe given day number represents " << day << ".\n\n" << std::flush;
    // Give back what was read ahead, so that the next reader of a file of
    // answers starts just past this one's; on a pipe or a terminal it fails.
    std::cin.seekg(std::cin.tellg());
    return std::cout ? dayNamed : outputFailed;
}
