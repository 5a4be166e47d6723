#ifndef SCRIVANE_TOOLS_EXITCODE_H
#define SCRIVANE_TOOLS_EXITCODE_H
// Exit statuses of the scrivane command; 128 + N when signal N (SIGINT, SIGTERM) stopped it.
enum ExitCode {
    EXIT_OK = 0,
    EXIT_USAGE = 1,
    EXIT_INPUT = 2,
    EXIT_OUTPUT = 3,
    EXIT_TOO_LARGE = 4, // the scene expands to more shapes than --max-shapes
    EXIT_INTERNAL = 5,  // out of memory, or any other failure that reached main
};

#endif
