#include "ps_batch_check.h"
#include "ps_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

namespace scrivane::test {

namespace {

// The procedures of the batch: scrivaneCheck runs one file and reports on standard output, and
// writes the same tags on standard error so that what Ghostscript writes there can be
// attributed to the file that was running. The operand stack is empty between files.
const char *const harnessProlog = R"PS(/ScrivaneBatch 16 dict def
/scrivaneSay { dup print flush (%stderr) (w) file dup 3 -1 roll writestring flushfile } bind def
/scrivaneTag { (\n%%ScrivaneBatch ) scrivaneSay scrivaneSay ( ) scrivaneSay
  ScrivaneBatch /index get 12 string cvs scrivaneSay } bind def
/scrivaneCheck {
  ScrivaneBatch /path 3 -1 roll put
  ScrivaneBatch /index 3 -1 roll put
  (begin) scrivaneTag (\n) scrivaneSay
  ScrivaneBatch /pages currentpagedevice /PageCount get put
  ScrivaneBatch /dicts countdictstack put
  save ScrivaneBatch /saved 3 -1 roll put
  ScrivaneBatch /path get { run } stopped
  { (error) scrivaneTag ( ) scrivaneSay
    $error /newerror get
    { $error /errorname get 256 string cvs scrivaneSay ( in ) scrivaneSay
      $error /command get 256 string cvs scrivaneSay }
    { (stop) scrivaneSay } ifelse
    (\n) scrivaneSay
    $error /newerror false put clear }
  { count 0 ne { (leftovers) scrivaneTag ( ) scrivaneSay count 12 string cvs scrivaneSay
                 (\n) scrivaneSay clear } if }
  ifelse
  countdictstack ScrivaneBatch /dicts get sub { end } repeat
  ScrivaneBatch /saved get restore
  (end) scrivaneTag ( ) scrivaneSay
  currentpagedevice /PageCount get ScrivaneBatch /pages get sub 12 string cvs scrivaneSay
  (\n) scrivaneSay
} bind def
)PS";
const char *const tag = "%%ScrivaneBatch ";

std::string folderOf(const std::string &path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

bool fitsInAString(const std::string &path) {
    return path.find_first_of("()\\") == std::string::npos;
}

// Splits text into lines; a tag line gives (word, index, rest).
struct TagLine {
    std::string word, rest;
    long index = -1;
};
bool readTag(const std::string &line, TagLine &t) {
    if (line.compare(0, std::strlen(tag), tag) != 0) return false;
    std::istringstream in(line.substr(std::strlen(tag)));
    if (!(in >> t.word >> t.index)) return false;
    std::getline(in, t.rest);
    if (!t.rest.empty() && t.rest[0] == ' ') t.rest.erase(0, 1);
    return true;
}

} // namespace

std::vector<BatchVerdict> ghostscriptCheckEach(const std::vector<std::string> &psPaths) {
    std::vector<BatchVerdict> verdicts(psPaths.size());
    if (psPaths.empty()) return verdicts;

    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/ps_batch.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        for (BatchVerdict &v : verdicts)
            v.message = "ps_batch_check: cannot create a temporary directory";
        return verdicts;
    }
    const std::string dir = name.data();
    const std::string harnessPath = dir + "/batch.ps", outPath = dir + "/stdout.txt",
                      errPath = dir + "/stderr.txt";

    std::ostringstream harness;
    harness << harnessProlog;
    std::set<std::string> folders;
    for (size_t i = 0; i < psPaths.size(); i++) {
        if (!fitsInAString(psPaths[i])) {
            verdicts[i].message =
                "ps_batch_check: the path has a parenthesis or a backslash: " + psPaths[i] +
                " (not run)";
            continue;
        }
        folders.insert(folderOf(psPaths[i]));
        harness << i << " (" << psPaths[i] << ") scrivaneCheck\n";
    }
    std::vector<std::string> args{"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=nullpage"};
    for (const std::string &folder : folders)
        args.push_back("--permit-file-read=" + folder);
    args.push_back(harnessPath);

    std::string why;
    int status = -1;
    {
        std::ofstream f(harnessPath, std::ios::binary);
        f << harness.str();
        if (!f) why = "cannot write " + harnessPath;
    }
    if (why.empty()) status = spawnGhostscript(args, outPath, errPath, &why);
    const std::string out = readFile(outPath), err = readFile(errPath);
    std::remove(harnessPath.c_str());
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    rmdir(dir.c_str());
    if (status < 0) {
        for (size_t i = 0; i < psPaths.size(); i++)
            if (verdicts[i].message.empty()) verdicts[i].message = "ps_batch_check: " + why;
        return verdicts;
    }

    // Standard output: what each run did.
    std::vector<bool> begun(psPaths.size(), false), ended(psPaths.size(), false);
    std::vector<std::string> problems(psPaths.size());
    std::istringstream outLines(out);
    std::string line;
    while (std::getline(outLines, line)) {
        TagLine t;
        if (!readTag(line, t) || t.index < 0 || static_cast<size_t>(t.index) >= psPaths.size())
            continue;
        const size_t i = static_cast<size_t>(t.index);
        if (t.word == "begin") {
            begun[i] = true;
        } else if (t.word == "error") {
            problems[i] += "Error: /" + t.rest + "\n";
        } else if (t.word == "leftovers") {
            problems[i] += "Error: the document left " + t.rest + " operand(s) on the stack\n";
        } else if (t.word == "end") {
            ended[i] = true;
            verdicts[i].pages = std::atoi(t.rest.c_str());
        }
    }
    // Standard error: lines between a file's begin and end tags are that file's; anything
    // outside them concerns the whole batch.
    std::string stray;
    long current = -1;
    std::istringstream errLines(err);
    while (std::getline(errLines, line)) {
        TagLine t;
        if (readTag(line, t)) {
            current = t.word == "end" ? -1 : t.index;
            continue;
        }
        if (line.empty()) continue;
        if (current >= 0 && static_cast<size_t>(current) < psPaths.size())
            problems[static_cast<size_t>(current)] += line + "\n";
        else
            stray += line + "\n";
    }

    for (size_t i = 0; i < psPaths.size(); i++) {
        BatchVerdict &v = verdicts[i];
        if (!v.message.empty()) continue; // not run
        if (!ended[i]) {
            v.pages = -1;
            v.message = std::string("Ghostscript stopped (exit status ") + std::to_string(status) +
                        ") " + (begun[i] ? "while running this file" : "before this file") + "\n" +
                        problems[i] + stray;
            continue;
        }
        if (!problems[i].empty()) v.message = problems[i];
        if (v.pages <= 0) v.message += "Error: the document produced no page\n";
        if (!stray.empty())
            v.message += "Ghostscript wrote, outside any file of the batch:\n" + stray;
        if (status != 0) v.message += "Ghostscript exit status " + std::to_string(status) + "\n";
        v.accepted = v.message.empty();
    }
    return verdicts;
}

} // namespace scrivane::test
