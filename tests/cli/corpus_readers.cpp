#include "corpus_readers.h"
#include "cgm_reader.h"
#include "emf_dump.h"
#include "hpgl_reader.h"
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace corpus {

namespace {

std::string readWhole(const std::string &path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string baseName(const std::string &path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The lines of text that mention what, or all of text when none does.
std::string linesAbout(const std::string &text, const std::string &what) {
    std::istringstream in(text);
    std::string line, found;
    while (std::getline(in, line))
        if (line.find(what) != std::string::npos) found += line + "\n";
    return found.empty() ? text : found;
}

Verdict fromProcess(const std::string &reader, const Process &p) {
    Verdict v;
    v.reader = reader;
    v.accepted = p.status == 0 && !p.timedOut;
    if (!v.accepted) v.message = p.describe();
    return v;
}

} // namespace

Verdict readCgmClearText(const std::string &path) {
    Verdict v;
    v.reader = "cgm reader (clear text)";
    const cgmtest::Metafile m = cgmtest::readClearText(cgmtest::readFileText(path));
    v.accepted = m.ok && !m.elements.empty();
    if (!v.accepted) v.message = m.ok ? "no element" : m.error;
    return v;
}

Verdict readCgmBinary(const std::string &path) {
    Verdict v;
    v.reader = "cgm reader (binary)";
    const cgmtest::Metafile m = cgmtest::dumpBinary(cgmtest::readFileBytes(path));
    v.accepted = m.ok && !m.elements.empty();
    if (!v.accepted) v.message = m.ok ? "no element" : m.error;
    return v;
}

Verdict readHpgl(const std::string &path) {
    Verdict v;
    v.reader = "hpgl reader";
    const hpgl::Stream s = hpgl::parse(readWhole(path));
    v.accepted = s.ok() && !s.commands.empty();
    if (!v.accepted) v.message = s.ok() ? "no command" : s.error;
    return v;
}

Verdict readEmf(const std::string &path) {
    Verdict v;
    v.reader = "emf check";
    const scrivane::test::EmfFile emf = scrivane::test::readEmfFile(path);
    // The check also says why reading stopped early, or that the file could not be read.
    const std::vector<std::string> problems = scrivane::test::checkEmf(emf);
    v.accepted = problems.empty();
    for (const std::string &p : problems)
        v.message += p + "\n";
    return v;
}

std::string Process::describe() const {
    std::string s = timedOut     ? "killed after the time allowed"
                    : status < 0 ? "not started"
                                 : "exit status " + std::to_string(status);
    return s + (output.empty() ? "" : ", output:\n" + output);
}

Process runProcess(const std::vector<std::string> &argv, const std::string &folder,
                   const std::vector<std::string> &environment, double timeoutSeconds) {
    Process p;
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corpus_run.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int outFd = mkstemp(name.data());
    if (outFd < 0) {
        p.output = "cannot create a temporary file";
        return p;
    }
    const std::string outPath = name.data();

    // The environment: the test's own, with the given variables replaced or added.
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string &extra : environment)
            if (entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0)
                replaced = true;
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char *> envp, args;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvCopy = argv;
    for (std::string &a : argvCopy)
        args.push_back(a.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outFd, 2);
    posix_spawn_file_actions_addclose(&actions, outFd);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, &attributes, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(outFd);
    if (spawned != 0) {
        p.output = "cannot run " + argv[0] + ": " + std::strerror(spawned);
        std::remove(outPath.c_str());
        return p;
    }
    // Polled, so that a reader that hangs is stopped: 1 ms at first, at most 50 ms apart.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(timeoutSeconds * 1000));
    int status = 0;
    long pause = 1;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
        if (!p.timedOut && std::chrono::steady_clock::now() > deadline) {
            p.timedOut = true;
            kill(-pid, SIGKILL); // the reader's own process group, started above
        }
        usleep(static_cast<useconds_t>(pause * 1000));
        if (pause < 50) pause *= 2;
    }
    p.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    p.output = readWhole(outPath);
    std::remove(outPath.c_str());
    return p;
}

Verdict cgmToolCheck(const std::string &script, const std::string &path) {
    return fromProcess("cgm_tool.py check",
                       runProcess({"/usr/bin/python3", script, "check", path}, "", {}, 300));
}

Verdict hpglCheck(const std::string &script, const std::string &path) {
    return fromProcess("hpgl_check.py",
                       runProcess({"/usr/bin/python3", script, path}, "", {}, 300));
}

std::vector<Verdict> scribusImport(const std::string &script, const std::vector<std::string> &paths,
                                   const std::string &workFolder) {
    std::vector<Verdict> verdicts(paths.size());
    for (Verdict &v : verdicts)
        v.reader = "Scribus";
    if (paths.empty()) return verdicts;
    // Scribus keeps its settings under HOME and wants a private runtime folder.
    const std::string home = workFolder + "/scribus-home";
    mkdir(home.c_str(), 0700);
    chmod(home.c_str(), 0700);
    std::vector<std::string> argv{"/usr/bin/scribus", "-g", "-ns", "-py", script};
    argv.insert(argv.end(), paths.begin(), paths.end());
    const Process p = runProcess(
        argv, home, {"HOME=" + home, "XDG_RUNTIME_DIR=" + home, "QT_QPA_PLATFORM=offscreen"}, 180);
    // The script prints "IMPORTED <items> <path>" or "FAILED <path>: <reason>" per file.
    std::istringstream lines(p.output);
    std::string line;
    std::vector<bool> answered(paths.size(), false);
    while (std::getline(lines, line)) {
        for (size_t i = 0; i < paths.size(); i++) {
            if (answered[i]) continue;
            const std::string ending = " " + paths[i];
            if (line.rfind("IMPORTED ", 0) == 0 && line.size() > ending.size() &&
                line.compare(line.size() - ending.size(), ending.size(), ending) == 0) {
                answered[i] = true;
                const long items = std::strtol(line.c_str() + 9, nullptr, 10);
                verdicts[i].accepted = items > 0;
                if (items <= 0) verdicts[i].message = line;
                break;
            }
            if (line.rfind("FAILED " + paths[i] + ":", 0) == 0) {
                answered[i] = true;
                verdicts[i].message = line;
                break;
            }
        }
    }
    for (size_t i = 0; i < paths.size(); i++)
        if (!answered[i])
            verdicts[i].message = "Scribus gave no answer for the file (" + p.describe() + ")";
    return verdicts;
}

std::vector<Verdict> libreOfficeRender(const std::string &script,
                                       const std::vector<std::string> &paths, std::string *notRun) {
    std::vector<Verdict> verdicts(paths.size());
    for (Verdict &v : verdicts)
        v.reader = "LibreOffice";
    if (paths.empty()) return verdicts;
    std::vector<std::string> argv{"/usr/bin/python3", script, "--dpi", "24"};
    for (const std::string &path : paths) {
        argv.push_back(path);
        argv.push_back(path + ".png");
    }
    const Process p = runProcess(argv, "", {}, 300);
    if (p.status == 3) {
        *notRun = p.describe();
        return verdicts;
    }
    // The script prints "<file name>: page W x H mm" for each file it rendered.
    for (size_t i = 0; i < paths.size(); i++) {
        const std::string name = baseName(paths[i]);
        verdicts[i].accepted = p.output.find(name + ": page ") != std::string::npos;
        if (!verdicts[i].accepted)
            verdicts[i].message = linesAbout(p.output, name) + "(" +
                                  (p.timedOut ? "killed after the time allowed"
                                              : "exit status " + std::to_string(p.status)) +
                                  ")";
        std::remove((paths[i] + ".png").c_str());
    }
    return verdicts;
}

CheckQueue::CheckQueue() : worker([this] { loop(); }) {}

CheckQueue::~CheckQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    worker.join();
}

void CheckQueue::post(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        jobs.push_back(std::move(job));
    }
    changed.notify_all();
}

void CheckQueue::wait() {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return jobs.empty() && !running; });
}

void CheckQueue::loop() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return stopping || !jobs.empty(); });
        if (jobs.empty()) return; // stopping, and nothing left
        std::function<void()> job = std::move(jobs.front());
        jobs.pop_front();
        running = true;
        lock.unlock();
        job();
        lock.lock();
        running = false;
        changed.notify_all();
    }
}

} // namespace corpus
