/* The same dialogue in plain C stdio: the yardstick for bench/run. It flushes
 * standard output before each read, as the C++ program's tied streams do. */
#include <limits.h>
#include <stdio.h>

static const char* dayName(long day)
{
    static const char* const names[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                        "Friday", "Saturday", "Sunday"};
    return day >= 1 && day <= 7 ? names[day - 1] : NULL;
}

int main(void)
{
    const char* name = NULL;
    while (name == NULL) {
        long day = 0;
        fputs("Enter the number of a day in the week: ", stdout);
        if (fflush(stdout) != 0) {
            return 2;
        }
        const int read = scanf("%ld", &day);
        if (read == EOF) {
            putchar('\n');
            return fflush(stdout) == 0 ? 1 : 2;
        }
        if (read == 0 || day < INT_MIN || day > INT_MAX) {
            int c = 0;
            while ((c = getchar()) != EOF && c != '\n') {
            }
            day = 0;
        }
        name = dayName(day);
        if (name == NULL) {
            fputs("\nThe given input value was invalid.\n", stdout);
        }
    }
    printf("\nThe given day number represents %s.\n\n", name);
    return fflush(stdout) == 0 ? 0 : 2;
}
