"""The texts the program writes, as the tests expect them."""

PROMPT = b"Enter the number of a day in the week: "
INVALID = b"\nThe given input value was invalid.\n"
END_OF_INPUT = b"\n"
DAYS = [b"Monday", b"Tuesday", b"Wednesday", b"Thursday", b"Friday", b"Saturday", b"Sunday"]


def named(day):
    """The result sentence for `day`."""
    return b"\nThe given day number represents " + day + b".\n\n"

# Far longer than any run of a correct program takes, even under an emulator.
DEADLINE = 30
