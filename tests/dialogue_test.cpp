// Runs the built program end to end and checks every byte it writes, its
// silence on standard error and its exit status.
#include <cstddef>
#include <ostream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

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
    const Outcome outcome = runProgram(how);
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
        // The edges of the 32-bit range are numbers like any other: read whole, and the
        // rest of the line is the next attempt's.
        Dialogue{"Int32Max", "2147483647 3\n", prompt + invalid + prompt + named("Wednesday"), 0},
        Dialogue{"Int32Min", "-2147483648 3\n", prompt + invalid + prompt + named("Wednesday"), 0},
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
    const Outcome outcome = runProgram(how);
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
        const Outcome outcome = runProgram(how);
        EXPECT_EQ(outcome.out, prompt + endOfInput);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, 1);
    }
}

// A run whose output cannot be written ends with status 2, whatever the input.
struct WriteFailure {
    const char* name;
    Invocation how;
    std::string out; // what still reaches a size-limited file
};

void PrintTo(const WriteFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class WriteFailureTest : public testing::TestWithParam<WriteFailure> {};

TEST_P(WriteFailureTest, EndsWithStatusTwo)
{
    const WriteFailure& expected = GetParam();
    const Outcome outcome = runProgram(expected.how);
    if (expected.how.stdoutLimit) {
        EXPECT_EQ(outcome.out, expected.out);
    }
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 2);
}

Invocation toFullDevice(std::string input, bool endless = false)
{
    Invocation how;
    how.input = std::move(input);
    how.inputEndless = endless;
    how.stdoutPath = "/dev/full";
    return how;
}

Invocation toFileAsLongAsThePrompt(std::string input)
{
    Invocation how;
    how.input = std::move(input);
    how.stdoutLimit = prompt.size();
    return how;
}

std::string repeated(const std::string& text, std::size_t times)
{
    std::string all;
    for (std::size_t i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

// Far more attempts than fit in any output buffer.
constexpr std::size_t manyAttempts = 100000;

INSTANTIATE_TEST_SUITE_P(
    Runs, WriteFailureTest,
    testing::Values(WriteFailure{"Answered", toFullDevice("3\n"), ""},
                    WriteFailure{"EmptyInput", toFullDevice(""), ""},
                    WriteFailure{"ManyInvalid", toFullDevice(repeated("0\n", manyAttempts)), ""},
                    // Input that never ends: only the failed prompt can stop the run.
                    WriteFailure{"EndlessInvalid", toFullDevice("0\n", true), ""},
                    // The prompt is written and only the result sentence fails.
                    WriteFailure{"ResultSentence", toFileAsLongAsThePrompt("3\n"), prompt}),
    [](const testing::TestParamInfo<WriteFailure>& run) { return std::string{run.param.name}; });

} // namespace
