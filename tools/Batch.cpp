// Each scene of a batch is converted in a child process of its own (fork, without exec), not on
// a thread. Reading a scene changes process-wide state of the scene toolkit without a lock (the
// table every name read is interned in), and a single-scene run keeps per-process state of its
// own: the one temporary file its signal handlers remove, the handlers themselves, and the last
// resort that turns exhausted memory into exit status 5. A process per scene keeps all of that
// exactly as a run of its own has it, and a scene that crashes or runs out of memory takes only
// itself down. Each child's standard error goes into a pipe that the batch reads while the child
// runs, so that a scene's messages are printed together when it ends instead of interleaved with
// those of the scenes converted beside it.
#include "Batch.h"
#include "ExitCode.h"
#include "Signals.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
int fail(int code, const std::string &message) {
    std::fprintf(stderr, "scrivane: %s\n", message.c_str());
    return code;
}

// A scene of the batch and what became of it.
struct BatchScene {
    std::string input;   // the scene file as given
    std::string output;  // its drawing
    int status = -1;     // exit status of its conversion; 128 + N when signal N ended it
    std::string message; // why it failed
};

// A scene file's path split for naming its drawing: the enclosing folders, nearest first, and the
// file name without its extension; depth is how many of the folders the drawing's name uses.
struct OutputName {
    std::vector<std::string> folders;
    std::string stem;
    size_t depth = 0;
    std::string relativePath(const std::string &extension) const {
        fs::path path;
        for (size_t d = depth; d-- > 0;)
            path /= folders[d];
        return (path / (stem + "." + extension)).string();
    }
};

// Gives each scene its drawing: the scene's file name with the format's extension, in the folder.
// Scenes whose names coincide (axes.iv from two folders) go into subfolders named after as many
// of their own enclosing folders as tell them apart (DIR/density/axes.ps, DIR/openrave/axes.ps),
// so that the names do not depend on the order of the files. Returns why the batch cannot be
// named, or an empty string.
std::string nameDrawings(const CliOptions &o, const std::string &extension,
                         std::vector<BatchScene> &scenes) {
    std::vector<OutputName> names(o.inputs.size());
    std::map<std::string, size_t> seen; // absolute path -> index of the input
    for (size_t i = 0; i < o.inputs.size(); i++) {
        const std::string &input = o.inputs[i];
        if (input == "-") return "standard input (-) cannot be part of a batch; give scene files";
        std::error_code ec;
        fs::path full = fs::absolute(input, ec).lexically_normal();
        if (ec || !full.has_filename()) return "'" + input + "' does not name a scene file";
        auto known = seen.emplace(full.string(), i);
        if (!known.second)
            return "the scene file '" + input + "' is given twice ('" +
                   o.inputs[known.first->second] + "' and '" + input + "')";
        names[i].stem = full.stem().string();
        for (fs::path folder = full.parent_path(); folder.has_relative_path();
             folder = folder.parent_path())
            names[i].folders.push_back(folder.filename().string());
    }
    for (bool clash = true; clash;) {
        std::map<std::string, std::vector<size_t>> byName;
        for (size_t i = 0; i < names.size(); i++)
            byName[names[i].relativePath(extension)].push_back(i);
        clash = false;
        for (const auto &entry : byName) {
            if (entry.second.size() < 2) continue;
            clash = true;
            bool deeper = false;
            for (size_t i : entry.second) {
                if (names[i].depth == names[i].folders.size()) continue;
                names[i].depth++;
                deeper = true;
            }
            // Only files of one folder that differ in their extension end here.
            if (!deeper)
                return "'" + o.inputs[entry.second[0]] + "' and '" + o.inputs[entry.second[1]] +
                       "' would both be written to '" +
                       (fs::path(o.output) / (names[entry.second[0]].stem + "." + extension))
                           .string() +
                       "'";
        }
    }
    scenes.resize(names.size());
    for (size_t i = 0; i < names.size(); i++) {
        scenes[i].input = o.inputs[i];
        scenes[i].output = (fs::path(o.output) / names[i].relativePath(extension)).string();
    }
    return "";
}

// What a child wrote on standard error. A scene may warn without end (a million unknown fields),
// so the first megabyte is kept whole and after it only the last lines, where the failure is.
class CapturedText {
public:
    void append(const char *data, size_t size) {
        const size_t toHead = std::min(size, head.size() < headLimit ? headLimit - head.size() : 0);
        head.append(data, toHead);
        tail.append(data + toHead, size - toHead);
        if (tail.size() > tailLimit) {
            dropped += tail.size() - tailLimit;
            tail.erase(0, tail.size() - tailLimit);
        }
    }
    std::string text() const {
        if (dropped == 0) return head + tail;
        const size_t lineStart = std::min(tail.find('\n'), tail.size() - 1) + 1;
        std::string text = head;
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += "[" + std::to_string(dropped + lineStart) + " bytes of messages left out]\n";
        return text + tail.substr(lineStart);
    }

private:
    static constexpr size_t headLimit = 1 << 20, tailLimit = 16 << 10;
    std::string head, tail;
    size_t dropped = 0;
};

// A child converting a scene: its process, the reading end of its standard error, the scene.
struct Child {
    pid_t pid = 0;
    int messagesFd = -1;
    size_t scene = 0;
    CapturedText messages;
};

// The children running, by job slot, for the signal handler: a process id, or 0 for a free slot.
// Changed only while SIGINT and SIGTERM are blocked, so that the handler never signals a process
// that was already reaped.
static_assert(sizeof(pid_t) <= sizeof(sig_atomic_t), "a process id must fit a sig_atomic_t");
volatile sig_atomic_t runningChildren[maxJobs];

// SIGINT or SIGTERM to the batch: every child gets the signal too (one sent to the batch alone
// does not reach them), removes its own partial file and ends; the batch waits for them all, so
// that none is left writing, and exits with 128 + the signal's number.
extern "C" void onBatchSignal(int signalNumber) {
    for (int slot = 0; slot < maxJobs; slot++)
        if (runningChildren[slot] > 0) kill(runningChildren[slot], signalNumber);
    for (int slot = 0; slot < maxJobs; slot++)
        if (runningChildren[slot] > 0)
            while (waitpid(runningChildren[slot], nullptr, 0) < 0 && errno == EINTR) {
            }
    _exit(128 + signalNumber);
}

class TerminatingSignalsBlocked {
public:
    TerminatingSignalsBlocked() {
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        sigprocmask(SIG_BLOCK, &signals, &previous);
    }
    ~TerminatingSignalsBlocked() { sigprocmask(SIG_SETMASK, &previous, nullptr); }

private:
    sigset_t previous;
};

// "scrivane: 12/59 scenes, 2 failed", rewritten in place on a terminal.
class BatchProgress {
public:
    explicit BatchProgress(bool enabled) : enabled(enabled) {}
    void show(size_t ended, size_t total, size_t failed) {
        if (!enabled) return;
        std::string line =
            "scrivane: " + std::to_string(ended) + "/" + std::to_string(total) + " scenes";
        if (failed > 0) line += ", " + std::to_string(failed) + " failed";
        std::fprintf(stderr, "\r%-*s", static_cast<int>(width), line.c_str());
        std::fflush(stderr);
        width = std::max(width, line.size());
    }
    void clear() {
        if (width > 0) std::fprintf(stderr, "\r%*s\r", static_cast<int>(width), "");
        width = 0;
    }

private:
    bool enabled;
    size_t width = 0;
};

const char *failureKind(int status) {
    switch (status) {
    case EXIT_USAGE:
        return "not convertible";
    case EXIT_INPUT:
        return "unreadable scene";
    case EXIT_OUTPUT:
        return "drawing not written";
    case EXIT_TOO_LARGE:
        return "scene too large";
    case EXIT_INTERNAL:
        return "out of memory or internal failure";
    default:
        return status > 128 ? "process ended by a signal" : "failed";
    }
}

// Prints a scene's messages, its own lines ("scrivane: ...") naming the scene, and keeps the last
// of them as the reason of a failure.
void reportScene(BatchScene &scene, const std::string &messages) {
    const std::string prefix = "scrivane: ";
    size_t start = 0;
    while (start < messages.size()) {
        size_t end = messages.find('\n', start);
        if (end == std::string::npos) end = messages.size();
        std::string line = messages.substr(start, end - start);
        if (line.compare(0, prefix.size(), prefix) == 0) {
            scene.message = line.substr(prefix.size());
            line = prefix + scene.input + ": " + scene.message;
        }
        std::fprintf(stderr, "%s\n", line.c_str());
        start = end + 1;
    }
    if (scene.status > 128) {
        scene.message = "ended by signal " + std::to_string(scene.status - 128) + " (" +
                        strsignal(scene.status - 128) + ")";
        std::fprintf(stderr, "scrivane: %s: %s\n", scene.input.c_str(), scene.message.c_str());
    } else if (scene.status != EXIT_OK && scene.message.empty()) {
        scene.message = "exit status " + std::to_string(scene.status) + " without a message";
    }
}

// A child ended by a signal it does not handle (a crash, SIGKILL) could not remove its temporary
// file, so the batch does. A conversion names it after the drawing, symbolic links followed, and
// its own process: DRAWING.partial-PID, or DRAWING.partial-PID.emf for a metafile.
void removeTemporaryFiles(const std::string &output, pid_t pid) {
    char *real = realpath(output.c_str(), nullptr);
    const std::string partial =
        (real ? std::string(real) : output) + ".partial-" + std::to_string(pid);
    std::free(real);
    std::remove(partial.c_str());
    std::remove((partial + ".emf").c_str());
}

// Runs the batch's children, at most jobs at a time, and reports each scene as it ends.
class BatchRunner {
public:
    BatchRunner(const CliOptions &o, std::vector<BatchScene> &scenes, int jobs,
                int (*convertScene)(const CliOptions &))
        : options(o), scenes(scenes), children(jobs), convertScene(convertScene),
          progress(!o.quiet && isatty(STDERR_FILENO)) {}

    // Returns how many scenes failed.
    size_t run() {
        progress.show(0, scenes.size(), 0);
        while (ended < scenes.size()) {
            startChildren();
            if (running > 0) collectMessages();
        }
        progress.clear();
        return failed;
    }

private:
    void startChildren() {
        while (next < scenes.size() && running < children.size()) {
            const size_t slot = freeSlot();
            if (start(slot, next)) {
                next++;
                running++;
            } else if (running > 0) {
                return; // out of processes or pipes for now: try again when a child has ended
            } else {
                BatchScene &scene = scenes[next++];
                scene.status = EXIT_INTERNAL;
                sceneEnded(scene, "scrivane: cannot start a process to convert it: " +
                                      std::string(std::strerror(errno)) + "\n");
            }
        }
    }

    size_t freeSlot() const {
        size_t slot = 0;
        while (children[slot].pid != 0)
            slot++;
        return slot;
    }

    bool start(size_t slot, size_t sceneIndex) {
        int fds[2];
        if (pipe(fds) != 0) return false;
        std::fflush(stdout);
        std::fflush(stderr);
        pid_t pid;
        {
            TerminatingSignalsBlocked blocked;
            pid = fork();
            if (pid == 0) runChild(fds, sceneIndex);
            if (pid > 0) runningChildren[slot] = pid;
        }
        const int forkError = errno;
        close(fds[1]);
        if (pid < 0) {
            close(fds[0]);
            errno = forkError;
            return false;
        }
        Child &child = children[slot];
        child.pid = pid;
        child.messagesFd = fds[0];
        child.scene = sceneIndex;
        child.messages = CapturedText();
        return true;
    }

    // In the child: converts the scene with standard error into the pipe, and exits with its
    // status. The signals stay blocked until the conversion has installed its own handlers.
    [[noreturn]] void runChild(const int fds[2], size_t sceneIndex) {
        close(fds[0]);
        for (const Child &other : children)
            if (other.pid != 0) close(other.messagesFd);
        dup2(fds[1], STDERR_FILENO);
        close(fds[1]);
        CliOptions one = options;
        one.input = scenes[sceneIndex].input;
        one.inputs = {one.input};
        one.output = scenes[sceneIndex].output;
        std::exit(convertScene(one));
    }

    // Reads what the children write; a child whose standard error ends has ended.
    void collectMessages() {
        std::vector<pollfd> fds;
        std::vector<size_t> slots;
        for (size_t slot = 0; slot < children.size(); slot++) {
            if (children[slot].pid == 0) continue;
            fds.push_back({children[slot].messagesFd, POLLIN, 0});
            slots.push_back(slot);
        }
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) return;
            // Without poll, a blocking read of one child still makes progress.
            fds.resize(1);
            fds[0].revents = POLLIN;
        }
        for (size_t i = 0; i < fds.size(); i++) {
            if (fds[i].revents == 0) continue;
            Child &child = children[slots[i]];
            char buffer[65536];
            const ssize_t n = read(child.messagesFd, buffer, sizeof buffer);
            if (n > 0)
                child.messages.append(buffer, static_cast<size_t>(n));
            else if (n == 0 || errno != EINTR)
                childEnded(slots[i]);
        }
    }

    void childEnded(size_t slot) {
        Child &child = children[slot];
        close(child.messagesFd);
        // Waits without reaping, so that the process id stays the child's while the signal
        // handler may still use it, then reaps with the signals blocked.
        siginfo_t info;
        while (waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOWAIT) < 0 &&
               errno == EINTR) {
        }
        int status = 0;
        {
            TerminatingSignalsBlocked blocked;
            waitpid(child.pid, &status, 0);
            runningChildren[slot] = 0;
        }
        running--;
        BatchScene &scene = scenes[child.scene];
        scene.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
        if (WIFSIGNALED(status)) removeTemporaryFiles(scene.output, child.pid);
        child.pid = 0;
        sceneEnded(scene, child.messages.text());
    }

    void sceneEnded(BatchScene &scene, const std::string &messages) {
        if (!messages.empty() || scene.status > 128) progress.clear();
        reportScene(scene, messages);
        ended++;
        if (scene.status != EXIT_OK) failed++;
        progress.show(ended, scenes.size(), failed);
    }

    const CliOptions &options;
    std::vector<BatchScene> &scenes;
    std::vector<Child> children; // by job slot
    int (*convertScene)(const CliOptions &);
    BatchProgress progress;
    size_t next = 0, running = 0, ended = 0, failed = 0;
};
} // namespace

bool isBatchOutput(const std::string &output) {
    struct stat st;
    return !output.empty() && output != "-" &&
           (output.back() == '/' || (stat(output.c_str(), &st) == 0 && S_ISDIR(st.st_mode)));
}

int runBatch(const CliOptions &o, int (*convertScene)(const CliOptions &)) {
    if (o.inputs.empty())
        return fail(EXIT_USAGE, "'" + o.output +
                                    "' is a folder: give the scene files to convert into it (the "
                                    "demo scene is written with -o FILE)");
    if (!o.preview.empty())
        return fail(EXIT_USAGE, "--preview names one picture and cannot be used with a batch");
    const OutputFormat format =
        o.format == OutputFormat::None ? OutputFormat::PostScript : o.format;
    std::vector<BatchScene> scenes;
    std::string error = nameDrawings(o, formatName(format), scenes);
    if (!error.empty()) return fail(EXIT_USAGE, error);
    for (const BatchScene &scene : scenes) {
        std::error_code ec;
        const fs::path folder = fs::path(scene.output).parent_path();
        fs::create_directories(folder, ec);
        if (ec)
            return fail(EXIT_OUTPUT,
                        "cannot create the folder '" + folder.string() + "': " + ec.message());
    }
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    const int jobs = std::min(
        {o.jobs > 0 ? o.jobs : std::max(cores, 1), maxJobs, static_cast<int>(scenes.size())});
    installTerminatingSignalHandler(&onBatchSignal);
    const size_t failed = BatchRunner(o, scenes, jobs, convertScene).run();

    if (failed == 0) {
        if (!o.quiet)
            std::fprintf(stderr, "scrivane: %zu %s written to %s\n", scenes.size(),
                         scenes.size() == 1 ? "scene" : "scenes", o.output.c_str());
        return EXIT_OK;
    }
    std::fprintf(stderr, "scrivane: %zu of %zu scenes written to %s; %zu failed:\n",
                 scenes.size() - failed, scenes.size(), o.output.c_str(), failed);
    int worst = EXIT_OK;
    for (const BatchScene &scene : scenes) {
        if (scene.status == EXIT_OK) continue;
        std::fprintf(stderr, "  %s: %s (%d): %s\n", scene.input.c_str(), failureKind(scene.status),
                     scene.status, scene.message.c_str());
        worst = std::max(worst, scene.status);
    }
    return worst;
}
