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
// The run's exit statuses, as the manual page lists them.
constexpr int dayNamed = 0;
constexpr int inputEnded = 1;
constexpr int outputFailed = 2;
// What userDay keeps when a read stores no number. A read stores nothing when
// the input ends, or cannot be read, before an answer begins; with libstdc++
// also when a read error cuts an answer off, which then counts as no answer.
// One that fails on an answer that is no number, or is beyond the int range,
// stores 0 or an end of that range, none of them a day.
constexpr std::int32_t noAnswer = -1;
} // namespace

int main()
{
    // Out of memory, the runtime would explain itself on standard error, which
    // this program never writes to: it ends at once, by SIGABRT, instead.
    std::set_terminate(std::abort);
    // The dialogue uses only the C++ streams: without the C stdio lock-step each
    // character read and each piece written costs far less.
    std::ios_base::sync_with_stdio(false);
    // libc++'s streams write through C stdio, which writes a terminal a line
    // at a time: a failed write set off by a line feed would go unseen.
    // Buffered in full, every write is one of the explicit flushes, which see it.
    std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);

    std::int32_t userDay = noAnswer;
    std::string day{errorMarker};

    while (day == errorMarker) {
        // The prompt goes out, and is known to have gone out, before the program
        // waits for an answer: nobody should type one that can never be answered.
        // The invalid-answer message written before it is checked with it.
        // Input read ahead goes back, as after the last answer below.
        if (!(std::cout << "Enter the number of a day in the week: " << std::flush)) {
            std::cin.seekg(std::cin.tellg());
            return outputFailed;
        }
        // Blanks and empty lines before an answer are skipped.
        if (!(std::cin >> userDay)) {
            if (userDay == noAnswer) {
                // Input ended, or cannot be read, before an answer began: no
                // number can ever come. End the open prompt line and stop.
                std::cout << '\n' << std::flush;
                return std::cout ? inputEnded : outputFailed;
            }
            // An answer that is no number, or one far outside any day, counts as
            // an invalid answer like any other, and the rest of its line goes
            // with it. One cut off by the end of input leaves the stream failed,
            // so the next read finds no answer without asking the input again:
            // a terminal, where the end of input is one keystroke, would go on.
            if (!std::cin.eof()) {
                std::cin.clear();
                std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            }
        }
        day = dayNameForNumber(userDay);
        if (day == errorMarker) {
            std::cout << "\nThe given input value was invalid.\n";
        }
        // Each read starts from noAnswer, so that it tells what it found.
        userDay = noAnswer;
    }
    std::cout << "\nThe given day number represents " << day << ".\n\n" << std::flush;
    // What was read ahead and not used goes back to a file of answers, so that
    // whatever reads it next starts just past the last answer. A pipe or a
    // terminal cannot be rewound, and the seek fails there, harmlessly; input
    // that ended before an answer is at its end already.
    std::cin.seekg(std::cin.tellg());
    return std::cout ? dayNamed : outputFailed;
}
