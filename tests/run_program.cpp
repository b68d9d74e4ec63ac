// Starts the program as a person's shell would, with standard input from a
// file, and collects every byte it writes, what it writes on standard error
// and its exit status. A Windows build runs under Wine, and its line ends are
// checked and folded, so that every test compares the same texts.
#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

namespace {

constexpr auto deadline = std::chrono::seconds(10);
constexpr int pollSliceMs = 20;
constexpr std::size_t outputCap = std::size_t{1} << 20U;
constexpr std::size_t chunkSize = 4096;
constexpr int cannotStart = 127;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

// A temporary file holding `text`, read from its start; null when it cannot be made.
File fileWith(const std::string& text)
{
    File file(std::tmpfile(), &std::fclose);
    if (file && (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() ||
                 std::fflush(file.get()) != 0)) {
        file.reset();
    }
    if (file) {
        std::rewind(file.get());
    }
    return file;
}

// Both ends of a new pipe, kept from the programs this process starts; -1 when it cannot be made.
std::array<int, 2> makePipe()
{
    std::array<int, 2> ends{-1, -1};
    if (pipe2(ends.data(), O_CLOEXEC) != 0) {
        ends = {-1, -1};
    }
    return ends;
}

// The files the program's standard streams are joined to; -1 for a closed one.
struct Plumbing {
    int in = -1;
    int out = -1;
    int err = -1;
};

// In the child: joins the standard streams to `plumbing` and becomes the program.
[[noreturn]] void becomeProgram(const Plumbing& plumbing, std::optional<std::size_t> stdoutLimit,
                                std::vector<char*>& argv)
{
    if (plumbing.in < 0) {
        close(STDIN_FILENO);
    } else if (dup2(plumbing.in, STDIN_FILENO) < 0) {
        _exit(cannotStart);
    }
    if (dup2(plumbing.out, STDOUT_FILENO) < 0 || dup2(plumbing.err, STDERR_FILENO) < 0) {
        _exit(cannotStart);
    }
    if (stdoutLimit) {
        // A write past the limit then fails with EFBIG instead of killing the program.
        const rlimit limit{*stdoutLimit, *stdoutLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0 || std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR) {
            _exit(cannotStart);
        }
    }
    execv(argv.front(), argv.data());
    _exit(cannotStart);
}

// Starts a process that writes `input` into `pipeEnd` over and over until it is killed.
pid_t startFeeding(int pipeEnd, const std::string& input)
{
    const pid_t pid = fork();
    if (pid == 0) {
        while (write(pipeEnd, input.data(), input.size()) > 0) {
        }
        _exit(0);
    }
    return pid;
}

// Reads both pipes until the program has exited and nothing more is waiting in
// them. Waiting for the exit rather than for the pipes' end keeps a run short
// whose pipes something else holds open. False when the program outlived the
// deadline or wrote more than any correct run can, and was killed for it.
bool collect(pid_t pid, std::array<pollfd, 2> pipes, std::array<std::string*, 2> sinks,
             int& wstatus)
{
    const auto stopAt = std::chrono::steady_clock::now() + deadline;
    while (true) {
        if (std::chrono::steady_clock::now() > stopAt ||
            sinks[0]->size() + sinks[1]->size() > outputCap) {
            kill(pid, SIGKILL);
            waitpid(pid, &wstatus, 0);
            return false;
        }
        const bool exited = waitpid(pid, &wstatus, WNOHANG) == pid;
        bool readSome = false;
        if (poll(pipes.data(), pipes.size(), exited ? 0 : pollSliceMs) > 0) {
            for (std::size_t i = 0; i < pipes.size(); ++i) {
                pollfd& pipe = pipes.at(i);
                if (pipe.fd < 0 || pipe.revents == 0) {
                    continue;
                }
                std::array<char, chunkSize> buffer{};
                const ssize_t got = read(pipe.fd, buffer.data(), buffer.size());
                if (got > 0) {
                    sinks.at(i)->append(buffer.data(), static_cast<std::size_t>(got));
                    readSome = true;
                } else {
                    pipe.fd = -1;
                }
            }
        }
        if (exited && !readSome) {
            return true;
        }
    }
}

// Everything of the file from its start.
std::string contentsOf(FILE* file)
{
    std::string text;
    std::rewind(file);
    std::array<char, chunkSize> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        text.append(buffer.data(), got);
    }
    return text;
}

// A Windows program ends its lines with "\r\n": each line feed must come with its
// carriage return, and the two count as one line feed.
std::string foldWindowsLineEnds(const std::string& text)
{
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            ADD_FAILURE() << "a bare line feed at byte " << i << " of: " << text;
        }
        folded += text[i];
    }
    return folded;
}

} // namespace

std::string wineLoader()
{
    const char* loader = std::getenv("DAYNAME_WINE");
    return loader != nullptr ? loader : "";
}

std::string programUnderTest()
{
    const char* chosen = std::getenv("DAYNAME_PROGRAM");
    return chosen != nullptr && *chosen != '\0' ? chosen : DAYNAME_PROGRAM;
}

Outcome runProgram(const Invocation& how)
{
    Outcome result;
    const File inputFile = how.stdinPath != nullptr
                               ? File(std::fopen(how.stdinPath, "rb"), &std::fclose)
                               : fileWith(how.inputEndless ? "" : how.input);
    const File outputFile = how.stdoutPath != nullptr
                                ? File(std::fopen(how.stdoutPath, "wb"), &std::fclose)
                                : fileWith("");
    const std::array<int, 2> feed = makePipe();
    const std::array<int, 2> outPipe = makePipe();
    const std::array<int, 2> errPipe = makePipe();
    if (!inputFile || !outputFile || feed[0] < 0 || outPipe[0] < 0 || errPipe[0] < 0) {
        ADD_FAILURE() << "cannot make the files and pipes for the program's standard streams";
        return result;
    }
    const pid_t feeder = how.inputEndless ? startFeeding(feed[1], how.input) : -1;
    close(feed[1]);

    std::vector<std::string> words{programUnderTest()};
    if (!wineLoader().empty()) {
        words.insert(words.begin(), wineLoader());
    }
    words.insert(words.end(), how.args.begin(), how.args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    Plumbing plumbing{fileno(inputFile.get()), outPipe[1], errPipe[1]};
    if (how.stdinClosed) {
        plumbing.in = -1;
    } else if (how.inputEndless) {
        plumbing.in = feed[0];
    }
    if (how.stdoutPath != nullptr || how.stdoutLimit) {
        plumbing.out = fileno(outputFile.get());
    }
    const pid_t pid = fork();
    if (pid == 0) {
        becomeProgram(plumbing, how.stdoutLimit, argv);
    }
    close(feed[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        ADD_FAILURE() << "cannot start " << words.front();
    } else {
        int wstatus = 0;
        const bool exited =
            collect(pid, {pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}},
                    {&result.out, &result.err}, wstatus);
        if (exited && WIFEXITED(wstatus)) {
            result.status = WEXITSTATUS(wstatus);
        }
    }
    if (feeder > 0) {
        kill(feeder, SIGKILL);
        waitpid(feeder, nullptr, 0);
    }
    close(outPipe[0]);
    close(errPipe[0]);
    if (how.stdoutLimit) {
        result.out = contentsOf(outputFile.get());
    }
    if (!wineLoader().empty()) {
        result.out = foldWindowsLineEnds(result.out);
        result.err = foldWindowsLineEnds(result.err);
    }
    return result;
}
