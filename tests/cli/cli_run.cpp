#include "cli_run.h"
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace clitest {

std::string Result::describe() const {
    return "exit status " + std::to_string(status) + ", stderr:\n" + err;
}

::testing::AssertionResult exited(const Result &run, int status,
                                  const std::vector<std::string> &inErr) {
    if (run.status != status)
        return ::testing::AssertionFailure()
               << "expected exit status " << status << ", got " << run.describe();
    for (const std::string &fragment : inErr)
        if (run.err.find(fragment) == std::string::npos)
            return ::testing::AssertionFailure() << "no '" << fragment << "' in " << run.describe();
    return ::testing::AssertionSuccess();
}

std::pair<int, std::string> shell(const std::string &command) {
    std::string text;
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot run " + command};
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), text};
}

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string data(const std::string &name) {
    return std::string(SCRIVANE_TEST_DATA) + "/cli/" + name;
}

std::string freshDir() {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    fs::path dir = fs::path(SCRIVANE_TEST_OUT) / "cli" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::vector<std::string> listDir(const std::string &dir) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

pid_t startTool(const std::vector<std::string> &args, const std::string &outPath,
                const std::string &errPath, const RunOptions &options) {
    std::vector<char *> argv{const_cast<char *>(SCRIVANE_TOOL)};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int in = open("/dev/null", O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (options.fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        if (options.addressSpaceLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(options.addressSpaceLimit),
                         static_cast<rlim_t>(options.addressSpaceLimit)};
            if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int waitForTool(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

Result runTool(const std::string &dir, const std::vector<std::string> &args,
               const RunOptions &options) {
    Result run;
    const std::string outPath = options.stdoutPath.empty() ? dir + "/.stdout" : options.stdoutPath;
    const std::string errPath = dir + "/.stderr";
    auto start = std::chrono::steady_clock::now();
    const pid_t pid = startTool(args, outPath, errPath, options);
    if (pid < 0) return run;
    const int status = waitForTool(pid);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (options.stdoutPath.empty()) run.out = slurp(outPath);
    run.err = slurp(errPath);
    // A sanitizer's report fails the test whatever the exit status was expected to be.
    if (run.err.find("Sanitizer") != std::string::npos)
        ADD_FAILURE() << "scrivane run under a sanitizer:\n" << run.err;
    fs::remove(dir + "/.stdout");
    fs::remove(errPath);
    return run;
}

} // namespace clitest
