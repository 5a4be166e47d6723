// Scene files written by others (../shared/corpus/iv), drawn by the scrivane command.
//
// Without removal, every file is drawn as PostScript that Ghostscript accepts, or refused with
// exit status 2 and a message naming what is not supported.
//
// With removal (--lighting --hidden MODE), within a time the whole suite can afford twice on two
// cores (the time of painter and hidden-line grows faster than the number of faces: on the
// larger hands of the corpus they take seconds to minutes):
//  - depth-sort draws every file as PostScript;
//  - painter, visible-painter and hidden-line ("painter's modes" below) take turns: file k (in
//    name order) is drawn as PostScript by the mode k % 3 of the three, so each file is drawn
//    once by one of them;
//  - file k is also drawn in one other format by one removal mode: slot k % 16 picks the mode
//    (slot / 4: depth-sort, painter, visible-painter, hidden-line) and the format (slot % 4:
//    clear-text CGM, binary CGM, HP-GL/2, EMF), so each mode writes each format 3 or 4 times
//    (in a slow build, see below, only even k are, with slot k / 2 % 16);
//  - two small files with lines, text and faces are drawn as binary CGM and EMF by every
//    removal mode, for Scribus and LibreOffice.
// Each of painter's modes is given files up to a size (sizeLimit: of the file's depth-sort
// drawing). A file over the limit of the mode whose turn it is goes to the next of the three
// whose limit admits it, and the table says so on the line of the mode it skipped; a file over
// every limit is drawn by depth-sort only, and the table says so too. The limits are smaller
// in a slow build (without optimisation or with the sanitizers), where the removal code runs
// 10 to 30 times slower than in the normal build.
//
// Readers: Ghostscript for PostScript; the tests' strict CGM reader, HP-GL/2 tokenizer and EMF
// structure check for the other formats, and the shared cgm_tool.py and hpgl_check.py when
// ../shared/readers holds them; Scribus (binary CGM) and LibreOffice (EMF) for the two small
// files. Modes that are not finished yet must say so in a warning and still write files the
// readers accept.
#include "cli_run.h"
#include "corpus_readers.h"
#include "ps_batch_check.h"
#include "ps_check.h"
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace clitest;

namespace {

enum Mode { NONE, DEPTH_SORT, PAINTER, VISIBLE_PAINTER, HIDDEN_LINE, MODE_COUNT };
const char *const modeNames[MODE_COUNT] = {"none", "depth-sort", "painter", "visible-painter",
                                           "hidden-line"};

// Modes whose removal is not finished: the tool must say so in a warning that names the mode
// and "not available", and still write files the readers accept. A mode not listed here must
// not warn so. Every mode is finished today.
const std::vector<Mode> unfinishedModes = {};

bool unfinished(Mode mode) {
    return std::find(unfinishedModes.begin(), unfinishedModes.end(), mode) != unfinishedModes.end();
}

enum Format { PS, CGM, CGM_BINARY, HPGL, EMF, FORMAT_COUNT };
struct FormatInfo {
    const char *name;
    const char *extension;
};
const FormatInfo formats[FORMAT_COUNT] = {
    {"ps", ".ps"}, {"cgm", ".cgm"}, {"cgm-binary", ".bin.cgm"}, {"hpgl", ".hpgl"}, {"emf", ".emf"}};

// The largest depth-sort drawing each mode is given (about 72 bytes a face); depth-sort itself
// draws every file as PostScript, and its limit applies to the other formats. In the normal
// build no drawing takes much more than half a second. Measured on the corpus: painter takes up
// to 0.2 s below 768 KiB, 0.3 to 1.2 s from there to 8 MiB and 24 s on the 12 MiB hand;
// hidden-line up to 0.7 s below 384 KiB, 0.4 to 12 s from 384 KiB to 8 MiB and 75 s on the
// hand; visible-painter up to 0.2 s below 2 MiB and 7 s on the hand. Under the sanitizers,
// without optimisation, the three take 0.1 to 1.5 s on files below 64 KiB, and up to 8 s on
// files of 200 to 800 KiB; depth-sort takes 4.6 s on the hand.
constexpr uintmax_t unlimited = UINTMAX_MAX;
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr uintmax_t sizeLimit[MODE_COUNT] = {0, uintmax_t(1) << 20, uintmax_t(64) << 10,
                                             uintmax_t(64) << 10, uintmax_t(64) << 10};
// Only every second file is drawn in another format there.
constexpr size_t otherFormatStride = 2;
#else
constexpr size_t otherFormatStride = 1;
constexpr uintmax_t sizeLimit[MODE_COUNT] = {0, unlimited, uintmax_t(768) << 10, uintmax_t(2) << 20,
                                             uintmax_t(384) << 10};
#endif

// The first of painter's modes, from wanted on in turn, whose limit admits a drawing of
// depthSortBytes; MODE_COUNT when none does.
Mode admitting(Mode wanted, uintmax_t depthSortBytes) {
    for (int step = 0; step < 3; step++) {
        const Mode m = Mode(PAINTER + (wanted - PAINTER + step) % 3);
        if (depthSortBytes <= sizeLimit[m]) return m;
    }
    return MODE_COUNT;
}
// cgm_tool.py and hpgl_check.py read about 1 MiB a second: only files up to this size get their
// second opinion; all get the tests' readers.
constexpr uintmax_t pythonCheckLimitBytes = uintmax_t(128) << 10;
// One Ghostscript run checks at most this many files or bytes.
constexpr size_t batchFileLimit = 40;
constexpr uintmax_t batchByteLimit = uintmax_t(24) << 20;
// Small files with lines, text and faces, for Scribus and LibreOffice.
const char *const guiReaderFiles[] = {"graspit/CoordinateSystem_lineset_text2.iv",
                                      "synthia/test.iv"};

bool executable(const std::string &path) {
    return access(path.c_str(), X_OK) == 0;
}

// One run of the tool and what the readers said of its file.
struct Drawing {
    size_t file = 0;
    Mode mode = NONE;
    Format format = PS;
    std::string path;
    Result run;
    uintmax_t bytes = 0;
    std::vector<std::string> warnings;     // lines of standard error with "warning:"
    bool keep = false;                     // left on disk for the GUI readers
    std::vector<corpus::Verdict> verdicts; // written by the check queue; read after wait()
};

// The corpus, the drawings made of it and the checks posted for them.
class CorpusDrawings {
public:
    std::vector<fs::path> files;
    std::vector<std::string> names; // relative to the corpus folder
    std::deque<Drawing> drawings;   // stable addresses: the check queue holds pointers
    std::string dir;
    std::string cgmTool, hpglCheck; // shared checkers; empty when absent
    std::vector<std::string> notes; // readers that could not be run

    bool load() {
        const fs::path corpus = fs::path(SCRIVANE_SHARED_DIR) / "corpus" / "iv";
        if (!fs::is_directory(corpus)) return false;
        for (const auto &entry : fs::recursive_directory_iterator(corpus))
            if (entry.is_regular_file() && entry.path().extension() == ".iv")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path &file : files)
            names.push_back(fs::relative(file, corpus).string());
        dir = freshDir();
        const fs::path readers = fs::path(SCRIVANE_SHARED_DIR) / "readers";
        if (executable("/usr/bin/python3") && fs::exists(readers / "cgm_tool.py") &&
            fs::exists(readers / "hpgl_check.py")) {
            cgmTool = (readers / "cgm_tool.py").string();
            hpglCheck = (readers / "hpgl_check.py").string();
        } else {
            notes.push_back("cgm_tool.py and hpgl_check.py (" + readers.string() +
                            ") or /usr/bin/python3 absent: not run");
        }
        return true;
    }

    size_t indexOf(const std::string &name) const {
        return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
    }

    // Runs the tool on file in mode, writing format; posts the checks of what it wrote.
    Drawing &draw(size_t file, Mode mode, Format format, bool keep = false) {
        Drawing &d = drawings.emplace_back();
        d.file = file;
        d.mode = mode;
        d.format = format;
        d.keep = keep;
        char stem[64];
        std::snprintf(stem, sizeof stem, "/%s-%03zu", modeNames[mode], file);
        d.path = dir + stem + formats[format].extension;
        std::vector<std::string> args{files[file].string()};
        if (mode != NONE) args.insert(args.end(), {"--lighting", "--hidden", modeNames[mode]});
        if (format == CGM_BINARY) args.push_back("--cgm-binary");
        args.insert(args.end(), {"-o", d.path});
        d.run = runTool(dir, args);
        std::istringstream err(d.run.err);
        for (std::string line; std::getline(err, line);)
            if (line.find("warning:") != std::string::npos) d.warnings.push_back(line);
        if (d.run.status == 0) {
            std::error_code error;
            d.bytes = fs::file_size(d.path, error);
            post(d);
        }
        return d;
    }

    // Posts what is still waiting for Ghostscript and waits for every check.
    void finish() {
        flushPostScript();
        queue.wait();
    }
    void waitForChecks() { queue.wait(); }

    // The check's verdict, or nullptr when that reader did not read the drawing.
    static const corpus::Verdict *verdictOf(const Drawing &d, const std::string &reader) {
        for (const corpus::Verdict &v : d.verdicts)
            if (v.reader == reader) return &v;
        return nullptr;
    }

    // Failures for every verdict that is not an acceptance; true when all were.
    bool reportRejections(const Drawing &d) const {
        bool all = true;
        for (const corpus::Verdict &v : d.verdicts) {
            if (v.accepted) continue;
            all = false;
            ADD_FAILURE() << names[d.file] << " (--hidden " << modeNames[d.mode] << ", "
                          << formats[d.format].name << ", kept as " << d.path << "): " << v.reader
                          << " did not accept it:\n"
                          << v.message;
        }
        return all;
    }

private:
    corpus::CheckQueue queue;
    std::vector<Drawing *> pendingPostScript;
    uintmax_t pendingBytes = 0;

    void post(Drawing &d) {
        if (d.format == PS) {
            pendingPostScript.push_back(&d);
            pendingBytes += d.bytes;
            if (pendingPostScript.size() >= batchFileLimit || pendingBytes >= batchByteLimit)
                flushPostScript();
            return;
        }
        Drawing *drawing = &d;
        const std::string cgmToolScript = cgmTool, hpglCheckScript = hpglCheck;
        queue.post([drawing, cgmToolScript, hpglCheckScript] {
            Drawing &d = *drawing;
            switch (d.format) {
            case CGM:
                d.verdicts.push_back(corpus::readCgmClearText(d.path));
                if (!cgmToolScript.empty() && d.bytes <= pythonCheckLimitBytes)
                    d.verdicts.push_back(corpus::cgmToolCheck(cgmToolScript, d.path));
                break;
            case CGM_BINARY:
                d.verdicts.push_back(corpus::readCgmBinary(d.path));
                if (!cgmToolScript.empty() && d.bytes <= pythonCheckLimitBytes)
                    d.verdicts.push_back(corpus::cgmToolCheck(cgmToolScript, d.path));
                break;
            case HPGL:
                d.verdicts.push_back(corpus::readHpgl(d.path));
                if (!hpglCheckScript.empty() && d.bytes <= pythonCheckLimitBytes)
                    d.verdicts.push_back(corpus::hpglCheck(hpglCheckScript, d.path));
                break;
            case EMF:
                d.verdicts.push_back(corpus::readEmf(d.path));
                break;
            default:
                break;
            }
            removeIfAccepted(d);
        });
    }

    void flushPostScript() {
        if (pendingPostScript.empty()) return;
        std::vector<Drawing *> batch;
        batch.swap(pendingPostScript);
        pendingBytes = 0;
        queue.post([batch] {
            std::vector<std::string> paths;
            for (const Drawing *d : batch)
                paths.push_back(d->path);
            const std::vector<scrivane::test::BatchVerdict> verdicts =
                scrivane::test::ghostscriptCheckEach(paths);
            for (size_t i = 0; i < batch.size(); i++) {
                corpus::Verdict v;
                v.reader = "Ghostscript";
                v.accepted = verdicts[i].accepted;
                if (!v.accepted) {
                    // Ghostscript's own report on the file alone.
                    const scrivane::test::GhostscriptRun alone =
                        scrivane::test::runGhostscript(batch[i]->path);
                    v.message = verdicts[i].message + "--- the file alone: " + alone.describe();
                }
                batch[i]->verdicts.push_back(v);
                removeIfAccepted(*batch[i]);
            }
        });
    }

    static void removeIfAccepted(const Drawing &d) {
        if (d.keep) return;
        for (const corpus::Verdict &v : d.verdicts)
            if (!v.accepted) return;
        std::error_code ignored;
        fs::remove(d.path, ignored);
    }
};

// Checks the run's exit status; the outcome for the table when the file was not drawn.
bool drawnOrRefused(const CorpusDrawings &c, const Drawing &d, std::string &outcome) {
    const std::string &name = c.names[d.file];
    if (d.run.status == 0) return true;
    if (d.run.status == 2) {
        const std::string reason = d.run.err.substr(0, d.run.err.find('\n'));
        outcome = "refused: " + reason;
        EXPECT_TRUE(reason.find("not supported") != std::string::npos ||
                    reason.find("unsupported") != std::string::npos)
            << name << " (--hidden " << modeNames[d.mode]
            << ") is refused without naming what is not supported:\n"
            << d.run.err;
    } else {
        outcome = "FAILED: " + d.run.describe();
        ADD_FAILURE() << name << " (--hidden " << modeNames[d.mode] << ", "
                      << formats[d.format].name << "): " << d.run.describe();
    }
    return false;
}

std::string kib(uintmax_t bytes) {
    return std::to_string(bytes / 1024) + " KiB";
}

} // namespace

TEST(CliCorpus, EveryFileIsDrawnOrRefusedWithAReason) {
    CorpusDrawings c;
    if (!c.load()) GTEST_SKIP() << "the shared corpus is absent";
    ASSERT_FALSE(c.files.empty());
    for (size_t i = 0; i < c.files.size(); i++)
        c.draw(i, NONE, PS);
    c.finish();

    int drawn = 0, refused = 0;
    double slowest = 0;
    std::string slowestName;
    std::ostringstream table;
    for (const Drawing &d : c.drawings) {
        std::string outcome;
        if (drawnOrRefused(c, d, outcome)) {
            ++drawn;
            outcome =
                "drawn, " + kib(d.bytes) + ", " + std::to_string(d.warnings.size()) + " warnings";
            EXPECT_NE(c.verdictOf(d, "Ghostscript"), nullptr) << c.names[d.file];
            if (!c.reportRejections(d)) outcome += ", REJECTED";
        } else if (d.run.status == 2) {
            ++refused;
        }
        for (const std::string &w : d.warnings)
            EXPECT_EQ(w.find("not available"), std::string::npos)
                << c.names[d.file] << ": without removal nothing is unfinished: " << w;
        if (d.run.seconds > slowest) slowest = d.run.seconds, slowestName = c.names[d.file];
        char line[512];
        std::snprintf(line, sizeof line, "%7.2f s  %-50s %s\n", d.run.seconds,
                      c.names[d.file].c_str(), outcome.c_str());
        table << line;
    }
    char summary[256];
    std::snprintf(summary, sizeof summary,
                  "%zu files: %d drawn, %d refused, %zu failed; slowest %s (%.2f s)",
                  c.files.size(), drawn, refused, c.files.size() - drawn - refused,
                  slowestName.c_str(), slowest);
    std::cout << table.str() << summary << "\n";
    RecordProperty("corpus", summary);
    EXPECT_EQ(drawn + refused, static_cast<int>(c.files.size())) << table.str();
}

TEST(CliCorpus, EveryRemovalModeWritesFilesTheReadersAccept) {
    CorpusDrawings c;
    if (!c.load()) GTEST_SKIP() << "the shared corpus is absent";
    ASSERT_FALSE(c.files.empty());

    // The two small files first, in every removal mode, so that Scribus and LibreOffice read
    // them while the rest is drawn.
    std::vector<Drawing *> forScribus, forLibreOffice;
    for (const char *name : guiReaderFiles) {
        const size_t file = c.indexOf(name);
        ASSERT_LT(file, c.files.size()) << name << " is not in the corpus any more: choose "
                                        << "another small file with lines, text and faces";
        for (int m = DEPTH_SORT; m < MODE_COUNT; m++) {
            forScribus.push_back(&c.draw(file, Mode(m), CGM_BINARY, true));
            forLibreOffice.push_back(&c.draw(file, Mode(m), EMF, true));
        }
    }
    c.waitForChecks();
    // Only files the strict readers accepted go to the GUI readers (Scribus can hang on a
    // broken file).
    auto acceptedSoFar = [](std::vector<Drawing *> &list) {
        std::vector<std::string> paths;
        std::vector<Drawing *> kept;
        for (Drawing *d : list) {
            bool ok = d->run.status == 0 && !d->verdicts.empty();
            for (const corpus::Verdict &v : d->verdicts)
                ok = ok && v.accepted;
            if (ok) paths.push_back(d->path), kept.push_back(d);
        }
        list = kept;
        return paths;
    };
    const std::string scribusScript = std::string(SCRIVANE_CLI_SOURCE) + "/cgm_scribus_import.py";
    std::future<std::vector<corpus::Verdict>> scribus, libreOffice;
    std::string libreOfficeNotRun;
    if (executable("/usr/bin/scribus"))
        scribus = std::async(std::launch::async, corpus::scribusImport, scribusScript,
                             acceptedSoFar(forScribus), c.dir);
    else
        c.notes.push_back("Scribus (/usr/bin/scribus) absent: not run");
    if (executable("/usr/bin/soffice") && executable("/usr/bin/python3"))
        libreOffice = std::async(std::launch::async, corpus::libreOfficeRender,
                                 std::string(SCRIVANE_EMF_RENDER_SCRIPT),
                                 acceptedSoFar(forLibreOffice), &libreOfficeNotRun);
    else
        c.notes.push_back("LibreOffice (/usr/bin/soffice) or /usr/bin/python3 absent: not run");

    // Every file: depth-sort as PostScript, one of painter's modes as PostScript, and one
    // mode in one other format.
    std::map<std::pair<size_t, int>, std::string> notDrawn;
    for (size_t k = 0; k < c.files.size(); k++) {
        const Drawing &depthSorted = c.draw(k, DEPTH_SORT, PS);
        // A refused file is refused in every mode: drawn anyway, to see that it is.
        const uintmax_t bytes = depthSorted.run.status == 0 ? depthSorted.bytes : 0;
        auto drawOrMove = [&](Mode wanted, Format format) {
            const Mode mode = wanted != DEPTH_SORT ? admitting(wanted, bytes)
                              : format == PS || bytes <= sizeLimit[DEPTH_SORT] ? DEPTH_SORT
                                                                               : MODE_COUNT;
            if (mode != wanted) {
                std::string &note = notDrawn[{k, wanted}];
                note += (note.empty() ? "" : "; ") + std::string("not drawn as ") +
                        formats[format].name + ": the depth-sort drawing (" + kib(bytes) +
                        ") is over " + kib(sizeLimit[wanted]) +
                        (mode != MODE_COUNT ? std::string(", drawn by ") + modeNames[mode]
                         : wanted == DEPTH_SORT
                             ? std::string()
                             : std::string(", and over every limit of painter's modes"));
            }
            if (mode != MODE_COUNT) c.draw(k, mode, format);
        };
        drawOrMove(Mode(PAINTER + k % 3), PS);
        if (k % otherFormatStride != 0) continue;
        const size_t slot = k / otherFormatStride % 16;
        drawOrMove(Mode(DEPTH_SORT + slot / 4), Format(CGM + slot % 4));
    }
    c.finish();

    // The GUI readers' verdicts join the others: one per file handed to them.
    auto attach = [](const std::vector<corpus::Verdict> &verdicts,
                     const std::vector<Drawing *> &list) {
        ASSERT_EQ(verdicts.size(), list.size());
        for (size_t i = 0; i < list.size(); i++)
            list[i]->verdicts.push_back(verdicts[i]);
    };
    if (scribus.valid()) attach(scribus.get(), forScribus);
    if (libreOffice.valid()) {
        const std::vector<corpus::Verdict> verdicts = libreOffice.get();
        if (libreOfficeNotRun.empty())
            attach(verdicts, forLibreOffice);
        else
            c.notes.push_back("LibreOffice could not be started: " + libreOfficeNotRun);
    }

    // Exit status, warnings, readers; the exit status of a file is the same in every mode.
    std::map<size_t, int> statusOfFile;
    struct ModeTotals {
        int drawn = 0, refused = 0, failed = 0, notDrawn = 0, files = 0;
        int byFormat[FORMAT_COUNT] = {};
        double seconds = 0, slowest = 0;
        std::string slowestName;
    } totals[MODE_COUNT];
    std::map<std::string, int> readFiles, rejectedFiles;
    std::map<std::pair<size_t, int>, std::vector<const Drawing *>> byFileAndMode;
    for (const Drawing &d : c.drawings)
        byFileAndMode[{d.file, d.mode}].push_back(&d);
    for (const auto &[key, reason] : notDrawn)
        byFileAndMode[key];

    std::ostringstream table;
    for (auto &[key, list] : byFileAndMode) {
        const auto [file, m] = key;
        const Mode mode = Mode(m);
        ModeTotals &t = totals[mode];
        const std::string &name = c.names[file];
        double seconds = 0;
        std::string outcome, warningNote;
        bool failed = false, refused = false;
        for (const Drawing *d : list) {
            seconds += d->run.seconds;
            t.seconds += d->run.seconds;
            if (d->run.seconds > t.slowest) t.slowest = d->run.seconds, t.slowestName = name;
            const auto [known, inserted] = statusOfFile.emplace(file, d->run.status);
            EXPECT_EQ(d->run.status, known->second)
                << name << ": exit status " << d->run.status << " with --hidden " << modeNames[mode]
                << " but " << known->second << " in another mode\n"
                << d->run.err;
            std::string drawingOutcome;
            if (!drawnOrRefused(c, *d, drawingOutcome)) {
                (d->run.status == 2 ? refused : failed) = true;
                outcome = drawingOutcome;
                continue;
            }
            ++t.byFormat[d->format];
            // An unfinished mode says so in a warning naming it; a finished mode does not.
            bool says = false;
            for (const std::string &w : d->warnings)
                if (w.find("not available") != std::string::npos) {
                    says = says || w.find(modeNames[mode]) != std::string::npos;
                    EXPECT_TRUE(unfinished(mode)) << name << " (--hidden " << modeNames[mode]
                                                  << ") warns of a mode not available: " << w;
                }
            if (unfinished(mode)) {
                EXPECT_TRUE(says) << name << ": --hidden " << modeNames[mode]
                                  << " is not finished, and no warning says so:\n"
                                  << d->run.err;
            }
            warningNote = std::to_string(d->warnings.size()) + " warnings";
            if (d->format == PS) {
                EXPECT_NE(c.verdictOf(*d, "Ghostscript"), nullptr) << name << ": not read";
            } else {
                EXPECT_FALSE(d->verdicts.empty()) << name << ": not read";
            }
            std::string readers;
            for (const corpus::Verdict &v : d->verdicts) {
                ++readFiles[v.reader];
                if (!v.accepted) ++rejectedFiles[v.reader];
                if (v.reader == "Scribus" || v.reader == "LibreOffice")
                    readers += (readers.empty() ? " (" : ", ") + v.reader;
            }
            if (!readers.empty()) readers += ")";
            if (!c.reportRejections(*d)) failed = true, readers += " REJECTED";
            outcome += (outcome.empty() ? "" : ", ") + std::string(formats[d->format].name) + " " +
                       kib(d->bytes) + readers;
        }
        const auto note = notDrawn.find(key);
        if (note != notDrawn.end()) {
            ++t.notDrawn;
            outcome += (outcome.empty() ? "" : "; ") + note->second;
        }
        if (!warningNote.empty()) outcome += "; " + warningNote;
        ++t.files;
        if (failed)
            ++t.failed;
        else if (refused)
            ++t.refused;
        else if (!list.empty())
            ++t.drawn;
        char line[1024];
        std::snprintf(line, sizeof line, "%7.2f s  %-15s %-50s %s\n", seconds, modeNames[mode],
                      name.c_str(), outcome.c_str());
        table << line;
    }

    for (const Drawing &d : c.drawings) {
        bool accepted = true;
        for (const corpus::Verdict &v : d.verdicts)
            accepted = accepted && v.accepted;
        if (d.keep && accepted) {
            std::error_code ignored;
            fs::remove(d.path, ignored);
        }
    }

    std::ostringstream summary;
    for (int m = DEPTH_SORT; m < MODE_COUNT; m++) {
        const ModeTotals &t = totals[m];
        char line[512];
        std::snprintf(line, sizeof line,
                      "%s: %d files: %d drawn (ps %d, cgm %d, cgm-binary %d, hpgl %d, emf %d), %d "
                      "refused, %d failed, %d not drawn (over the size limit); %.2f s in the tool, "
                      "slowest %s (%.2f s)\n",
                      modeNames[m], t.files, t.drawn, t.byFormat[PS], t.byFormat[CGM],
                      t.byFormat[CGM_BINARY], t.byFormat[HPGL], t.byFormat[EMF], t.refused,
                      t.failed, t.notDrawn, t.seconds, t.slowestName.c_str(), t.slowest);
        summary << line;
    }
    summary << "readers:";
    for (const auto &[reader, count] : readFiles)
        summary << " " << reader << " " << count << (rejectedFiles[reader] ? " (" : "")
                << (rejectedFiles[reader] ? std::to_string(rejectedFiles[reader]) + " rejected)"
                                          : "")
                << ";";
    summary << "\n";
    for (const std::string &n : c.notes)
        summary << "note: " << n << "\n";
    std::cout << table.str() << summary.str();
    RecordProperty("removal", summary.str());
}
