// Runs the built program as a person's shell would, with standard input from a
// file, and checks every byte it writes, its silence on standard error and its
// exit status.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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

// Runs the program and collects what it writes, killing it when it outlives
// the deadline or writes more than any correct run can.
Outcome run(const Invocation& how)
{
    Outcome result;
    const std::unique_ptr<FILE, int (*)(FILE*)> inputFile(std::tmpfile(), &std::fclose);
    EXPECT_NE(inputFile, nullptr);
    if (!inputFile) {
        return result;
    }
    std::fwrite(how.input.data(), 1, how.input.size(), inputFile.get());
    std::fflush(inputFile.get());
    std::rewind(inputFile.get());

    std::array<int, 2> outPipe{-1, -1};
    std::array<int, 2> errPipe{-1, -1};
    EXPECT_EQ(pipe2(outPipe.data(), O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(errPipe.data(), O_CLOEXEC), 0);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (how.stdinClosed) {
        posix_spawn_file_actions_addclose(&actions, STDIN_FILENO);
    } else if (how.stdinPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, how.stdinPath, O_RDONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, fileno(inputFile.get()), STDIN_FILENO);
    }
    if (how.stdoutPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, how.stdoutPath, O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);

    std::string program = DAYNAME_PROGRAM;
    std::vector<std::string> words{program};
    words.insert(words.end(), how.args.begin(), how.args.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::array<char*, 1> envp{nullptr};

    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    EXPECT_EQ(spawned, 0) << "cannot start " << program;
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }

    const auto stopAt = std::chrono::steady_clock::now() + deadline;
    std::array<pollfd, 2> fds{pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    bool killed = false;
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            stopAt - std::chrono::steady_clock::now());
        if (left.count() <= 0 || result.out.size() + result.err.size() > outputCap) {
            kill(pid, SIGKILL);
            killed = true;
            break;
        }
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) {
            continue;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            std::array<char, 4096> buffer{};
            const ssize_t got = read(fds[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
            }
        }
    }
    for (const auto& fd : fds) {
        if (fd.fd >= 0) {
            close(fd.fd);
        }
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (!killed && WIFEXITED(wstatus)) {
        result.status = WEXITSTATUS(wstatus);
    }
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

void PrintTo(const Dialogue& dialogue, std::ostream* os)
{
    *os << dialogue.name;
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
                 prompt + invalid + prompt + invalid + prompt + invalid + prompt + named("Tuesday"), 0},
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
        Dialogue{"RestOfBadLineDiscarded", "abc 4\n5\n", prompt + invalid + prompt + named("Friday"), 0},
        Dialogue{"AboveInt32", "2147483648\n1\n", prompt + invalid + prompt + named("Monday"), 0},
        Dialogue{"BelowInt32", "-2147483649 7\n1\n", prompt + invalid + prompt + named("Monday"), 0},
        Dialogue{"HugeNumber", hugeNumber + "\n4\n", prompt + invalid + prompt + named("Thursday"), 0},
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
    std::string endlessInvalid;
    for (int i = 0; i < 100000; ++i) {
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

}
