#ifndef DAYNAME_RUN_PROGRAM_H
#define DAYNAME_RUN_PROGRAM_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The program the end-to-end tests run: the one this build made, unless
// DAYNAME_PROGRAM names another build of it, such as the static release binary.
std::string programUnderTest();

// The Wine loader that runs a Windows build of the program, named by
// DAYNAME_WINE; empty for a program of this machine's own.
std::string wineLoader();

// How to start the program. By default standard input is a file holding
// `input`, and standard output and standard error are pipes read to the end.
struct Invocation {
    std::string input;
    std::vector<std::string> args;
    bool inputEndless = false; // a pipe that repeats `input` for as long as it is read
    bool stdinClosed = false;
    const char* stdinPath = nullptr;  // read standard input from here instead
    const char* stdoutPath = nullptr; // write standard output here instead
    // Write standard output to a regular file that may not grow past this size;
    // what reaches the file is the outcome's `out`.
    std::optional<std::size_t> stdoutLimit;
};

struct Outcome {
    std::string out;
    std::string err;
    int status = -1; // exit status, or -1 when the program did not exit by itself
};

// Runs the program to its end, or kills it when it runs past a deadline or
// writes more than any correct run can.
Outcome runProgram(const Invocation& how);

#endif
