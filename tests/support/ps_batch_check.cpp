#include "ps_batch_check.h"
#include "ps_check.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace scrivane::test {

namespace {

// scrivaneCheck (index path) runs one file between a begin and an end line, written like the
// file's own complaints on standard error (standard output is not kept, as for a file alone), so
// that every line between the two is the file's. The operand stack is empty while it runs.
const char *const harness = R"PS(/ScrivaneBatch 4 dict def
/scrivaneSay { (%stderr) (w) file dup 3 -1 roll writestring flushfile } bind def
/scrivaneCheck {
  exch (\n%%ScrivaneBatch begin ) scrivaneSay 12 string cvs scrivaneSay (\n) scrivaneSay
  ScrivaneBatch exch /path exch put
  ScrivaneBatch /pages currentpagedevice /PageCount get put
  ScrivaneBatch /dicts countdictstack put
  ScrivaneBatch /saved save put
  ScrivaneBatch /path get { run } stopped
  { (Error: /) scrivaneSay
    $error /newerror get
    { $error /errorname get 256 string cvs scrivaneSay ( in ) scrivaneSay
      $error /command get 256 string cvs scrivaneSay }
    { (stop) scrivaneSay } ifelse
    $error /newerror false put clear }
  { count 0 ne { (Error: the document left ) scrivaneSay count 12 string cvs scrivaneSay
                 ( operand\(s\) on the stack) scrivaneSay clear } if }
  ifelse
  countdictstack ScrivaneBatch /dicts get sub { end } repeat
  ScrivaneBatch /saved get restore
  (\n%%ScrivaneBatch end ) scrivaneSay
  currentpagedevice /PageCount get ScrivaneBatch /pages get sub 12 string cvs scrivaneSay
  (\n) scrivaneSay
} bind def
)PS";
const std::string beginTag = "%%ScrivaneBatch begin ", endTag = "%%ScrivaneBatch end ";

} // namespace

std::vector<BatchVerdict> ghostscriptCheckEach(const std::vector<std::string> &psPaths) {
    std::vector<BatchVerdict> verdicts(psPaths.size());
    if (psPaths.empty()) return verdicts;
    std::ostringstream code;
    code << harness;
    std::set<std::string> folders;
    for (size_t i = 0; i < psPaths.size(); i++) {
        const std::filesystem::path path = std::filesystem::absolute(psPaths[i]);
        std::string literal; // the path as a PostScript string
        for (char ch : path.string())
            literal += std::string(ch == '(' || ch == ')' || ch == '\\' ? "\\" : "") + ch;
        code << i << " (" << literal << ") scrivaneCheck\n";
        folders.insert(path.parent_path().string() + "/");
    }
    // The harness and Ghostscript's standard error, in two temporary files.
    std::string paths[2], why;
    for (std::string &path : paths) {
        path = (std::filesystem::temp_directory_path() / "ps_batch.XXXXXX").string();
        const int fd = mkstemp(path.data());
        if (fd < 0)
            why = "cannot create a temporary file";
        else
            close(fd);
    }
    const std::string &harnessPath = paths[0], &errPath = paths[1];
    std::ofstream(harnessPath) << code.str();
    std::vector<std::string> args{"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=nullpage"};
    for (const std::string &folder : folders)
        args.push_back("--permit-file-read=" + folder);
    args.push_back(harnessPath);
    const int status = why.empty() ? spawnGhostscript(args, "/dev/null", errPath, &why) : -1;
    const std::string err = readFile(errPath);
    std::remove(harnessPath.c_str());
    std::remove(errPath.c_str());

    std::vector<std::string> problems(psPaths.size());
    std::vector<bool> begun(psPaths.size(), false);
    std::string stray; // lines outside every file's run
    long current = -1;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(beginTag, 0) == 0) {
            current = std::stol(line.substr(beginTag.size()));
            if (current >= 0 && current < long(psPaths.size()))
                begun[current] = true;
            else
                current = -1;
        } else if (line.rfind(endTag, 0) == 0 && current >= 0) {
            verdicts[current].pages = std::stoi(line.substr(endTag.size()));
            current = -1;
        } else if (!line.empty()) {
            (current >= 0 ? problems[current] : stray) += line + "\n";
        }
    }
    for (size_t i = 0; i < psPaths.size(); i++) {
        BatchVerdict &v = verdicts[i];
        if (status < 0) {
            v.message = "ps_batch_check: " + why;
        } else if (v.pages < 0) {
            v.message = "Ghostscript stopped (exit status " + std::to_string(status) + ") " +
                        (begun[i] ? "while running this file" : "before this file") + "\n" +
                        problems[i] + stray;
        } else {
            v.message =
                problems[i] + (v.pages == 0 ? "Error: the document produced no page\n" : "");
            if (!stray.empty()) v.message += "Ghostscript wrote, outside any file:\n" + stray;
            if (status != 0)
                v.message += "Ghostscript exit status " + std::to_string(status) + "\n";
        }
        v.accepted = v.message.empty();
    }
    return verdicts;
}

} // namespace scrivane::test
