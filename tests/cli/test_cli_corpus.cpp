// Scene files written by others (../shared/corpus/iv), drawn by the scrivane command in every
// removal mode and format and read back by independent readers.
//
// Every file is drawn as PostScript without removal (mode "none") and with depth-sort. The files
// whose drawing without removal is at most smallBytes take turns: small file n is drawn as
// PostScript by painter, visible-painter or hidden-line (n % 3), and in one other format (clear
// text CGM, binary CGM, HP-GL/2, EMF: n / 4 % 4) by one of the four removal modes (n % 4), so that
// every removal mode writes every format. Two small files with lines, text and faces are drawn as
// binary CGM and EMF by every removal mode for Scribus and LibreOffice.
//
// A file is drawn (exit status 0) or refused (2, naming what is not supported), with the same
// exit status and standard error (the scene reader's warnings) in every mode and format. Readers,
// on a second thread while the tool draws the next files: Ghostscript for PostScript (one run for
// 40 drawings); the tests' CGM reader, HP-GL/2 tokenizer and EMF check, and the shared cgm_tool.py
// and hpgl_check.py on files up to 128 KiB (they read about 1 MiB a second); then Scribus and
// LibreOffice. A reader that is not installed is skipped with a note. A file a reader rejects is
// kept, and the failure names the file, the mode, the format and the reader's message.
#include "cgm_reader.h"
#include "cli_run.h"
#include "emf_dump.h"
#include "hpgl_reader.h"
#include "ps_batch_check.h"
#include "ps_check.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace clitest;

namespace {

enum Mode { NONE, DEPTH_SORT, PAINTER, VISIBLE_PAINTER, HIDDEN_LINE, MODES };
const char *const modeNames[MODES] = {"none", "depth-sort", "painter", "visible-painter",
                                      "hidden-line"};
enum Format { PS, CGM, CGM_BINARY, HPGL, EMF, FORMATS };
const char *const formatNames[FORMATS] = {"ps", "cgm", "cgm-binary", "hpgl", "emf"};
const char *const extensions[FORMATS] = {".ps", ".cgm", ".bin.cgm", ".hpgl", ".emf"};

// In the normal build painter, visible-painter and hidden-line take at most 1.3 s on each file
// of the corpus up to 2 MiB (seconds on the larger ones). Without optimisation or with the
// sanitizers the removal code runs 10 to 30 times slower.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr uintmax_t smallBytes = uintmax_t(64) << 10;
#else
constexpr uintmax_t smallBytes = uintmax_t(2) << 20;
#endif
const char *const guiReaderFiles[] = {"graspit/CoordinateSystem_lineset_text2.iv",
                                      "synthia/test.iv"};
const std::string python = "/usr/bin/python3", readers = SCRIVANE_SHARED_DIR "/readers/";

std::string word(const std::string &s) {
    return "'" + s + "'";
}

// The lines of a GUI reader's output that name the file (its path, or its name at the start),
// and the exit status.
std::string linesAbout(const std::pair<int, std::string> &run, const std::string &path) {
    std::istringstream lines(run.second);
    std::string about;
    for (std::string line; std::getline(lines, line);)
        if (("/" + line).find("/" + fs::path(path).filename().string()) != std::string::npos)
            about += line + "\n";
    return about + "exit status " + std::to_string(run.first);
}

struct Drawing {
    size_t file;
    Mode mode;
    Format format;
    std::string path;
    bool gui; // read by Scribus or LibreOffice too
    bool rejected = false;
};

struct Verdict {
    std::string reader;
    bool accepted;
    std::string message; // the reader's words when it did not accept the file
};

// What the readers say of each drawing: Ghostscript of the PostScript (one run for all), the
// tests' readers and the shared checkers of the rest.
std::vector<std::vector<Verdict>> readAll(const std::vector<Drawing> &drawings, bool python3) {
    std::vector<std::string> postScript;
    for (const Drawing &d : drawings)
        if (d.format == PS) postScript.push_back(d.path);
    const auto ghostscript = scrivane::test::ghostscriptCheckEach(postScript);
    std::vector<std::vector<Verdict>> verdicts;
    size_t next = 0; // in ghostscript
    for (const Drawing &d : drawings) {
        std::vector<Verdict> &v = verdicts.emplace_back();
        if (d.format == PS) {
            const scrivane::test::BatchVerdict &g = ghostscript[next++];
            v.push_back({"Ghostscript", g.accepted,
                         g.accepted ? ""
                                    : g.message + "--- the file alone: " +
                                          scrivane::test::runGhostscript(d.path).describe()});
        } else if (d.format == CGM || d.format == CGM_BINARY) {
            const cgmtest::Metafile m = d.format == CGM
                                            ? cgmtest::readClearText(cgmtest::readFileText(d.path))
                                            : cgmtest::dumpBinary(cgmtest::readFileBytes(d.path));
            v.push_back({"cgm reader", m.ok && !m.elements.empty(), m.ok ? "no element" : m.error});
        } else if (d.format == HPGL) {
            const hpgl::Stream s = hpgl::parse(slurp(d.path));
            v.push_back(
                {"hpgl reader", s.ok() && !s.commands.empty(), s.ok() ? "no command" : s.error});
        } else {
            std::string problems;
            for (const std::string &p :
                 scrivane::test::checkEmf(scrivane::test::readEmfFile(d.path)))
                problems += p + "\n";
            v.push_back({"emf check", problems.empty(), problems});
        }
        std::error_code missing; // then the reader above said so
        if (d.format != PS && d.format != EMF && python3 &&
            fs::file_size(d.path, missing) <= (128 << 10)) {
            const char *checker = d.format == HPGL ? "hpgl_check.py" : "cgm_tool.py";
            const auto [status, output] =
                shell(python + " " + readers + checker + (d.format == HPGL ? " " : " check ") +
                      word(d.path));
            v.push_back({checker, status == 0, output + "exit status " + std::to_string(status)});
        }
    }
    return verdicts;
}

struct Corpus {
    std::vector<fs::path> files;
    std::vector<std::string> names, notes;
    std::string dir;
    bool python3 = false;                                 // the shared checkers can be run
    std::vector<std::pair<Result, std::string>> firstRun; // per file: the run and what it was
    struct Totals {
        int drawn[FORMATS] = {}, refused = 0, failed = 0;
        double seconds = 0, slowest = 0;
        std::string slowestName;
    } totals[MODES];
    std::map<std::string, int> read, rejected; // per reader
    std::vector<Drawing> pending, reading, forScribus, forLibreOffice;
    std::future<std::vector<std::vector<Verdict>>> verdicts; // of reading
    std::future<std::pair<int, std::string>> scribus, libreOffice;

    bool load() {
        const fs::path corpus = fs::path(SCRIVANE_SHARED_DIR) / "corpus" / "iv";
        if (!fs::is_directory(corpus)) return false;
        for (const auto &entry : fs::recursive_directory_iterator(corpus))
            if (entry.path().extension() == ".iv") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path &file : files)
            names.push_back(fs::relative(file, corpus).string());
        firstRun.resize(files.size());
        dir = freshDir();
        python3 = access(python.c_str(), X_OK) == 0 && fs::exists(readers + "cgm_tool.py") &&
                  fs::exists(readers + "hpgl_check.py");
        if (!python3) notes.push_back(python + ", cgm_tool.py or hpgl_check.py absent: not run");
        return true;
    }

    // Draws file in mode and format, checks what the tool did and hands the drawing to the
    // readers; the size of the drawing (0 when none was written).
    uintmax_t draw(size_t file, Mode mode, Format format, bool gui = false) {
        Drawing d{file, mode, format,
                  dir + "/" + modeNames[mode] + "-" + std::to_string(file) + (gui ? "-gui" : "") +
                      extensions[format],
                  gui};
        std::vector<std::string> args{files[file].string()};
        if (mode != NONE) args.insert(args.end(), {"--lighting", "--hidden", modeNames[mode]});
        // Binary CGM in versions 3 and 4 (line type definitions in the picture descriptor).
        if (format == CGM_BINARY)
            args.insert(args.end(), {"--cgm-binary", "--cgm-version", file % 2 ? "3" : "4"});
        args.insert(args.end(), {"-o", d.path});
        const Result run = runTool(dir, args);
        Totals &t = totals[mode];
        t.seconds += run.seconds;
        if (run.seconds > t.slowest) t.slowest = run.seconds, t.slowestName = names[file];
        const std::string what =
            names[file] + " (--hidden " + modeNames[mode] + ", " + formatNames[format] + ")";
        auto &[first, firstWhat] = firstRun[file];
        if (firstWhat.empty()) first = run, firstWhat = what;
        EXPECT_TRUE(run.status == first.status && run.err == first.err)
            << what << ": " << run.describe() << "\nbut " << firstWhat << ": " << first.describe();
        if (run.status == 2) {
            ++t.refused;
            const std::string reason = run.err.substr(0, run.err.find('\n'));
            EXPECT_TRUE(reason.find("not supported") != std::string::npos ||
                        reason.find("unsupported") != std::string::npos)
                << what << " is refused without naming what is not supported:\n"
                << run.err;
            return 0;
        }
        if (run.status != 0) {
            ++t.failed;
            ADD_FAILURE() << what << ": " << run.describe();
            return 0;
        }
        ++t.drawn[format];
        std::error_code missing; // then the readers say so
        const uintmax_t bytes = fs::file_size(d.path, missing);
        pending.push_back(d);
        if (pending.size() == 40) readNext();
        return bytes;
    }

    // Judges what the readers said of the drawings they were reading, and gives them those
    // drawn since.
    void readNext() {
        if (verdicts.valid()) {
            const std::vector<std::vector<Verdict>> said = verdicts.get();
            for (size_t i = 0; i < reading.size(); i++) {
                Drawing &d = reading[i];
                for (const Verdict &v : said[i])
                    judge(d, v.reader, v.accepted, v.message);
                if (!d.gui)
                    finished(d);
                else
                    (d.format == EMF ? forLibreOffice : forScribus).push_back(d);
            }
        }
        reading.swap(pending);
        pending.clear();
        if (!reading.empty()) verdicts = std::async(std::launch::async, readAll, reading, python3);
    }

    void readEverything() {
        while (verdicts.valid() || !pending.empty())
            readNext();
    }

    void judge(Drawing &d, const std::string &reader, bool accepted, const std::string &message) {
        ++read[reader];
        if (accepted) return;
        ++rejected[reader];
        d.rejected = true;
        ADD_FAILURE() << names[d.file] << " (--hidden " << modeNames[d.mode] << ", "
                      << formatNames[d.format] << ", kept as " << d.path << "): " << reader
                      << " did not accept it:\n"
                      << message;
    }

    void finished(const Drawing &d) {
        if (!d.rejected) fs::remove(d.path);
    }

    // Hands Scribus and LibreOffice, on threads of their own, the files the other readers
    // accepted (Scribus can hang on a broken file).
    void startGuiReaders() {
        std::string cgms, emfs;
        for (const Drawing &d : forScribus)
            if (!d.rejected) cgms += " " + word(d.path);
        for (const Drawing &d : forLibreOffice)
            if (!d.rejected) emfs += " " + word(d.path) + " " + word(d.path + ".png");
        const std::string home = dir + "/scribus-home"; // Scribus keeps its settings there
        fs::create_directory(home);
        fs::permissions(home, fs::perms::owner_all);
        if (access("/usr/bin/scribus", X_OK) != 0)
            notes.push_back("Scribus (/usr/bin/scribus) absent: not run");
        else if (!cgms.empty())
            scribus = std::async(
                std::launch::async, shell,
                "cd " + word(home) + " && HOME=" + word(home) + " XDG_RUNTIME_DIR=" + word(home) +
                    " QT_QPA_PLATFORM=offscreen timeout -s KILL 180 "
                    "/usr/bin/scribus -g -ns -py " SCRIVANE_CLI_SOURCE "/cgm_scribus_import.py" +
                    cgms);
        if (access("/usr/bin/soffice", X_OK) != 0 || access(python.c_str(), X_OK) != 0)
            notes.push_back("LibreOffice (/usr/bin/soffice) or " + python + " absent: not run");
        else if (!emfs.empty())
            libreOffice = std::async(std::launch::async, shell,
                                     "timeout -s KILL 300 " + python +
                                         " " SCRIVANE_EMF_RENDER_SCRIPT " --dpi 24" + emfs);
    }

    // Waits for every reader still reading.
    void finish() {
        readEverything();
        if (scribus.valid()) {
            // cgm_scribus_import.py prints "OK PATH" for each file it imported.
            const auto said = scribus.get();
            for (Drawing &d : forScribus)
                if (!d.rejected)
                    judge(d, "Scribus",
                          said.second.find("OK " + d.path + "\n") != std::string::npos,
                          linesAbout(said, d.path));
        }
        if (libreOffice.valid()) {
            // emf_render.py prints a line "NAME: page W x H mm" for each file it drew; exit
            // status 3: LibreOffice could not be started.
            const auto said = libreOffice.get();
            if (said.first == 3)
                notes.push_back("LibreOffice could not be started: " + said.second);
            for (Drawing &d : forLibreOffice)
                if (said.first != 3 && !d.rejected)
                    judge(d, "LibreOffice",
                          ("\n" + said.second)
                                  .find("\n" + fs::path(d.path).filename().string() + ": page ") !=
                              std::string::npos,
                          linesAbout(said, d.path));
        }
        for (const std::vector<Drawing> *list : {&forScribus, &forLibreOffice})
            for (const Drawing &d : *list) {
                finished(d);
                fs::remove(d.path + ".png");
            }
    }
};

} // namespace

TEST(CliCorpus, EveryModeWritesFilesEveryReaderAccepts) {
    Corpus c;
    if (!c.load())
        GTEST_SKIP() << "the shared corpus (" SCRIVANE_SHARED_DIR "/corpus/iv) is absent";
    ASSERT_FALSE(c.files.empty());
    // The GUI readers' files first, so that those readers run while the rest is drawn.
    for (const char *name : guiReaderFiles) {
        const size_t file = std::find(c.names.begin(), c.names.end(), name) - c.names.begin();
        ASSERT_LT(file, c.files.size()) << name << " is not in the corpus any more: choose "
                                        << "another small file with lines, text and faces";
        for (int m = DEPTH_SORT; m < MODES; m++) {
            c.draw(file, Mode(m), CGM_BINARY, true);
            c.draw(file, Mode(m), EMF, true);
        }
    }
    c.readEverything();
    c.startGuiReaders();
    for (size_t k = 0, n = 0; k < c.files.size(); k++) {
        const uintmax_t bytes = c.draw(k, NONE, PS);
        c.draw(k, DEPTH_SORT, PS);
        if (bytes > smallBytes) continue;
        c.draw(k, Mode(PAINTER + n % 3), PS);
        c.draw(k, Mode(DEPTH_SORT + n % 4), Format(CGM + n / 4 % 4));
        n++;
    }
    c.finish();

    std::ostringstream summary;
    for (int m = NONE; m < MODES; m++) {
        const Corpus::Totals &t = c.totals[m];
        summary << modeNames[m] << ": drawn";
        for (int f = PS; f < FORMATS; f++) {
            summary << (f == PS ? " " : ", ") << formatNames[f] << " " << t.drawn[f];
            EXPECT_TRUE(m == NONE || t.drawn[f] > 0)
                << modeNames[m] << " drew no " << formatNames[f] << " file: choose other files";
        }
        char line[256];
        std::snprintf(line, sizeof line,
                      "; %d refused, %d failed; %.2f s in the tool, slowest %s (%.2f s)\n",
                      t.refused, t.failed, t.seconds, t.slowestName.c_str(), t.slowest);
        summary << line;
    }
    summary << "readers:";
    for (const auto &[reader, count] : c.read)
        summary << " " << reader << " " << count << " (" << c.rejected[reader] << " rejected);";
    for (const std::string &note : c.notes)
        summary << "\nnote: " << note;
    std::cout << summary.str() << "\n";
    RecordProperty("corpus", summary.str());
}
