// The readers the corpus test hands its drawings to, each giving a verdict with the reader's own
// message, and a queue that runs checks on a second thread while the tool draws the next file.
//
// In the test process: the tests' strict CGM reader (clear text and binary), HP-GL/2 tokenizer
// and EMF structure check (tests/support). As child processes: the shared checkers cgm_tool.py
// and hpgl_check.py, Scribus (binary CGM import, many files in one run) and LibreOffice Draw
// (EMF, many files in one run, through tests/support/emf_render.py).
#ifndef SCRIVANE_TESTS_CLI_CORPUS_READERS_H
#define SCRIVANE_TESTS_CLI_CORPUS_READERS_H
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corpus {

struct Verdict {
    std::string reader; // "Ghostscript", "cgm reader", "cgm_tool.py", "Scribus", ...
    bool accepted = false;
    std::string message; // the reader's words when it did not accept the file
};

// The tests' own readers, in this process.
Verdict readCgmClearText(const std::string &path);
Verdict readCgmBinary(const std::string &path);
Verdict readHpgl(const std::string &path);
Verdict readEmf(const std::string &path);

struct Process {
    int status = -1;       // exit status; 128 + N when killed by signal N; -1 when not started
    bool timedOut = false; // killed (with its process group) after the time allowed
    std::string output;    // standard output and standard error together
    std::string describe() const;
};

// Runs argv[0] (a path) in its own process group, in folder (when not empty), with extra
// environment variables (NAME=value), standard input /dev/null.
Process runProcess(const std::vector<std::string> &argv, const std::string &folder,
                   const std::vector<std::string> &environment, double timeoutSeconds);

// The shared strict checkers: python3 SCRIPT check FILE / python3 SCRIPT FILE; accepted when
// the exit status is 0.
Verdict cgmToolCheck(const std::string &script, const std::string &path);
Verdict hpglCheck(const std::string &script, const std::string &path);

// Scribus imports each binary CGM (one Scribus run for all of them, in a fresh home folder
// under workFolder); a file is accepted when the import made at least one item.
std::vector<Verdict> scribusImport(const std::string &script, const std::vector<std::string> &paths,
                                   const std::string &workFolder);
// LibreOffice Draw renders each EMF to a PNG beside it (one LibreOffice run for all); a file
// is accepted when the script reports its page (it refuses files that draw nothing).
// notRun is set, with the reason, when LibreOffice could not be started (exit status 3).
std::vector<Verdict> libreOfficeRender(const std::string &script,
                                       const std::vector<std::string> &paths, std::string *notRun);

// Runs jobs one after another on one thread, in the order posted. wait() returns when every
// job posted so far has run; the destructor waits too.
class CheckQueue {
public:
    CheckQueue();
    ~CheckQueue();
    CheckQueue(const CheckQueue &) = delete;
    CheckQueue &operator=(const CheckQueue &) = delete;
    void post(std::function<void()> job);
    void wait();

private:
    void loop();
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    bool running = false, stopping = false;
    std::thread worker;
};

} // namespace corpus

#endif
