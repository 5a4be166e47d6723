// Runs the scrivane command as a child process for the tests and collects what it did.
#ifndef SCRIVANE_TESTS_CLI_RUN_H
#define SCRIVANE_TESTS_CLI_RUN_H
#include <gtest/gtest.h>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace clitest {

struct Result {
    int status = -1;      // exit status; 128 + N when killed by signal N; -1 if it did not run
    std::string out, err; // standard output and standard error
    double seconds = 0;   // wall-clock time of the run
    std::string describe() const; // status and standard error, for failure messages
};

struct RunOptions {
    std::string stdoutPath;  // where standard output goes; empty: a file read back into Result::out
    long fileSizeLimit = -1; // RLIMIT_FSIZE in bytes for the child (SIGXFSZ ignored); -1 none
    long addressSpaceLimit = -1; // RLIMIT_AS in bytes for the child; -1 none
};

// Starts the tool with args, standard input /dev/null and the output streams sent to those
// files; its process id (negative when it could not be started).
pid_t startTool(const std::vector<std::string> &args, const std::string &outPath,
                const std::string &errPath, const RunOptions &options = {});
// Waits for a started tool to end; its status as waitpid gives it.
int waitForTool(pid_t pid);

// Runs the tool with args; standard input is /dev/null. The streams are captured through files
// in dir.
Result runTool(const std::string &dir, const std::vector<std::string> &args,
               const RunOptions &options = {});

// Success when the run ended with that exit status and its standard error holds every one of
// the fragments; the failure shows the status and standard error.
::testing::AssertionResult exited(const Result &run, int status,
                                  const std::vector<std::string> &inErr = {});

// Runs a shell command line: its exit status and what it wrote on both streams.
std::pair<int, std::string> shell(const std::string &command);

// A fresh, empty directory for the running test under the tests' output folder.
std::string freshDir();
// The names of the entries of dir, sorted.
std::vector<std::string> listDir(const std::string &dir);
std::string slurp(const std::string &path);
// Where the scene files of these tests are.
std::string data(const std::string &name);

} // namespace clitest

#endif
