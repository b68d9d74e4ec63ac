// Runs the built program as a person's shell would, with standard input from a
// file, and checks every byte it writes, its silence on standard error and its
// exit status.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_under_test.h"

namespace {

struct Invocation {
    std::string input;
    std::vector<std::string> args;
    bool stdinClosed = false;
    const char* stdinPath = nullptr;  // read standard input from here instead of from input
    const char* stdoutPath = nullptr; // write standard output here instead of into a pipe
};

struct Outcome {
    std::string out;
    std::string err;
    int status = -1; // exit status, or -1 when the program did not exit by itself
};

constexpr auto deadline = std::chrono::seconds(10);
constexpr std::size_t outputCap = std::size_t{1} << 20U;
constexpr std::size_t chunkSize = 4096;

// Starts the program with its standard streams set up as `how` says; the pid, or -1.
pid_t spawn(const Invocation& how, int inputFd, int outFd, int errFd)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (how.stdinClosed) {
        posix_spawn_file_actions_addclose(&actions, STDIN_FILENO);
    } else if (how.stdinPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, how.stdinPath, O_RDONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    }
    if (how.stdoutPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, how.stdoutPath, O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);

    std::vector<std::string> words{programUnderTest()};
    words.insert(words.end(), how.args.begin(), how.args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// Reads both pipes to their end; false when the program outlived the deadline
// or wrote more than any correct run can, and was killed for it.
bool collect(pid_t pid, std::array<pollfd, 2> pipes, std::array<std::string*, 2> sinks)
{
    const auto stopAt = std::chrono::steady_clock::now() + deadline;
    while (pipes[0].fd >= 0 || pipes[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            stopAt - std::chrono::steady_clock::now());
        if (left.count() <= 0 || sinks[0]->size() + sinks[1]->size() > outputCap) {
            kill(pid, SIGKILL);
            return false;
        }
        if (poll(pipes.data(), pipes.size(), static_cast<int>(left.count())) <= 0) {
            continue;
        }
        for (std::size_t i = 0; i < pipes.size(); ++i) {
            pollfd& pipe = pipes.at(i);
            if (pipe.fd < 0 || pipe.revents == 0) {
                continue;
            }
            std::array<char, chunkSize> buffer{};
            const ssize_t got = read(pipe.fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks.at(i)->append(buffer.data(), static_cast<std::size_t>(got));
            } else {
                pipe.fd = -1;
            }
        }
    }
    return true;
}

// Runs the program to its end, or kills it when it does not end by itself.
Outcome run(const Invocation& how)
{
    Outcome result;
    const std::unique_ptr<FILE, int (*)(FILE*)> inputFile(std::tmpfile(), &std::fclose);
    if (!inputFile) {
        ADD_FAILURE() << "cannot make a file for standard input";
        return result;
    }
    EXPECT_EQ(std::fwrite(how.input.data(), 1, how.input.size(), inputFile.get()),
              how.input.size());
    EXPECT_EQ(std::fflush(inputFile.get()), 0);
    std::rewind(inputFile.get());

    std::array<int, 2> outPipe{-1, -1};
    std::array<int, 2> errPipe{-1, -1};
    if (pipe2(outPipe.data(), O_CLOEXEC) != 0 || pipe2(errPipe.data(), O_CLOEXEC) != 0) {
        ADD_FAILURE() << "cannot make pipes";
        return result;
    }
    const pid_t pid = spawn(how, fileno(inputFile.get()), outPipe[1], errPipe[1]);
    close(outPipe[1]);
    close(errPipe[1]);
    bool exited = false;
    if (pid < 0) {
        ADD_FAILURE() << "cannot start " << programUnderTest();
    } else {
        exited = collect(pid, {pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}},
                         {&result.out, &result.err});
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        if (exited && WIFEXITED(wstatus)) {
            result.status = WEXITSTATUS(wstatus);
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    return result;
}

const std::string prompt = "Enter the number of a day in the week: ";
const std::string invalid = "\nThe given input value was invalid.\n";
const std::string endOfInput = "\n";

std::string named(const std::string& day)
{
    return "\nThe given day number represents " + day + ".\n\n";
}

struct Dialogue {
    const char* name;
    std::string input;
    std::string out;
    int status;
};

void PrintTo(const Dialogue& dialogue, std::ostream* out)
{
    *out << dialogue.name;
}

class DialogueTest : public testing::TestWithParam<Dialogue> {};

TEST_P(DialogueTest, WritesExactlyTheExpectedBytes)
{
    const Dialogue& expected = GetParam();
    Invocation how;
    how.input = expected.input;
    const Outcome outcome = run(how);
    EXPECT_EQ(outcome.out, expected.out);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, expected.status);
}

const std::string hugeNumber(std::size_t{1} << 20U, '9');

INSTANTIATE_TEST_SUITE_P(
    Runs, DialogueTest,
    testing::Values(
        Dialogue{"FirstAnswerValid", "4\n", prompt + named("Thursday"), 0},
        Dialogue{"One", "1\n", prompt + named("Monday"), 0},
        Dialogue{"Seven", "7\n", prompt + named("Sunday"), 0},
        Dialogue{"InvalidThenValid", "0\n8\n-3\n2\n",
                 prompt + invalid + prompt + invalid + prompt + invalid + prompt + named("Tuesday"),
                 0},
        Dialogue{"SeveralOnOneLine", "9 2\n", prompt + invalid + prompt + named("Tuesday"), 0},
        Dialogue{"BlankLinesBeforeNumber", "\n\n  \t5\n", prompt + named("Friday"), 0},
        Dialogue{"PlusSign", "+3\n", prompt + named("Wednesday"), 0},
        Dialogue{"MinusZero", "-0\n", prompt + invalid + prompt + endOfInput, 1},
        Dialogue{"TextAfterNumber", "3abc\n", prompt + named("Wednesday"), 0},
        Dialogue{"DecimalPoint", "3.9\n", prompt + named("Wednesday"), 0},
        Dialogue{"LeadingZero", "07\n", prompt + named("Sunday"), 0},
        Dialogue{"NeverOctal", "010\n", prompt + invalid + prompt + endOfInput, 1},
        Dialogue{"CarriageReturn", "6\r\n", prompt + named("Saturday"), 0},
        Dialogue{"NoFinalLineFeed", "3", prompt + named("Wednesday"), 0},
        Dialogue{"InputAfterAnswerUnread", "5\nabc\n", prompt + named("Friday"), 0},
        Dialogue{"EmptyInput", "", prompt + endOfInput, 1},
        Dialogue{"EndAfterInvalid", "9\n", prompt + invalid + prompt + endOfInput, 1},
        Dialogue{"WordThenValid", "abc\n4\n", prompt + invalid + prompt + named("Thursday"), 0},
        Dialogue{"RestOfBadLineDiscarded", "abc 4\n5\n",
                 prompt + invalid + prompt + named("Friday"), 0},
        Dialogue{"AboveInt32", "2147483648\n1\n", prompt + invalid + prompt + named("Monday"), 0},
        Dialogue{"BelowInt32", "-2147483649 7\n1\n", prompt + invalid + prompt + named("Monday"),
                 0},
        Dialogue{"HugeNumber", hugeNumber + "\n4\n", prompt + invalid + prompt + named("Thursday"),
                 0},
        Dialogue{"LoneSign", "+\n6\n", prompt + invalid + prompt + named("Saturday"), 0},
        Dialogue{"WordWithoutLineFeed", "abc", prompt + invalid + prompt + endOfInput, 1}),
    [](const testing::TestParamInfo<Dialogue>& run) { return std::string{run.param.name}; });

TEST(Dialogue, IgnoresArguments)
{
    Invocation how;
    how.input = "1\n";
    how.args = {"7", "--help"};
    const Outcome outcome = run(how);
    EXPECT_EQ(outcome.out, prompt + named("Monday"));
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
}

TEST(Dialogue, EndsWhenStandardInputIsClosedOrUnreadable)
{
    Invocation closed;
    closed.stdinClosed = true;
    Invocation directory;
    directory.stdinPath = "/";
    for (const Invocation& how : {closed, directory}) {
        const Outcome outcome = run(how);
        EXPECT_EQ(outcome.out, prompt + endOfInput);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, 1);
    }
}

TEST(Dialogue, ReportsAnOutputThatCannotBeWritten)
{
    // Far more attempts than fit in any output buffer.
    constexpr std::size_t manyAttempts = 100000;
    std::string endlessInvalid;
    for (std::size_t i = 0; i < manyAttempts; ++i) {
        endlessInvalid += "0\n";
    }
    for (const std::string& input : {std::string{"3\n"}, std::string{""}, endlessInvalid}) {
        Invocation full;
        full.input = input;
        full.stdoutPath = "/dev/full";
        const Outcome outcome = run(full);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, 2) << "input of " << input.size() << " bytes";
    }
}

} // namespace
