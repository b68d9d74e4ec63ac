// Runs the program on a real pseudo-terminal, the way a person meets it: the
// prompt has to be on the screen before anything is typed.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

constexpr auto deadline = std::chrono::seconds(10);
constexpr std::size_t chunkSize = 256;
constexpr int cannotStart = 127;

// Reads from the terminal until `wanted` has appeared in `screen` or, when
// `wanted` is empty, until the program has closed it; false on the deadline.
bool readUntil(int terminal, std::string& screen, const std::string& wanted)
{
    const auto stopAt = std::chrono::steady_clock::now() + deadline;
    while (wanted.empty() || screen.find(wanted) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            stopAt - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        std::array<char, chunkSize> buffer{};
        const ssize_t got = read(terminal, buffer.data(), buffer.size());
        if (got > 0) {
            screen.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (got == 0 || errno == EIO) {
            // The program has exited and the terminal has no writer left.
            return wanted.empty();
        }
    }
    return true;
}

void type(int terminal, const std::string& keys)
{
    ASSERT_EQ(write(terminal, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
}

TEST(Terminal, ShowsThePromptBeforeWaitingAndAnswersWhatIsTyped)
{
    if (!wineLoader().empty()) {
        GTEST_SKIP() << "a Windows console is no pseudo-terminal: Wine would put its own "
                        "console between the program and this one";
    }
    const std::string prompt = "Enter the number of a day in the week: ";
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::string program = programUnderTest();
        std::array<char*, 2> argv{program.data(), nullptr};
        execv(argv[0], argv.data());
        _exit(cannotStart);
    }

    std::string screen;
    const bool prompted = readUntil(terminal, screen, prompt);
    EXPECT_TRUE(prompted) << "no prompt before typing; the screen shows: " << screen;
    if (prompted) {
        type(terminal, "9\r");
        EXPECT_TRUE(readUntil(terminal, screen, "invalid.\r\n" + prompt)) << screen;
        type(terminal, "3\r");
        EXPECT_TRUE(readUntil(terminal, screen, "")) << screen;
    }
    EXPECT_EQ(screen, prompt +
                          "9\r\n"
                          "\r\n"
                          "The given input value was invalid.\r\n" +
                          prompt +
                          "3\r\n"
                          "\r\n"
                          "The given day number represents Wednesday.\r\n"
                          "\r\n");

    if (!prompted) {
        kill(pid, SIGKILL);
    }
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(wstatus));
    EXPECT_EQ(WEXITSTATUS(wstatus), 0);
    close(terminal);
}

} // namespace
