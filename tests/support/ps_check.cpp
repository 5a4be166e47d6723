#include "ps_check.h"

#include <fcntl.h>
#include <png.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

extern char **environ;

namespace scrivane::test {

namespace {

// Run after the document: reports operands left on the stack (on standard error, so that the
// run is not ok) and prints the page count on standard output.
const char *const trailerText =
    "count 0 ne { (%stderr) (w) file dup (Error: the document left operands on the stack\\n) "
    "writestring flushfile } if\n"
    "(ScrivanePages: ) print currentpagedevice /PageCount get == flush\n";
const char *const pagesTag = "ScrivanePages: ";

// A temporary directory removed with its files when the object goes.
class TempDir {
public:
    TempDir() {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/ps_check.XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data())) path = name.data();
    }
    ~TempDir() {
        if (path.empty()) return;
        for (const std::string &f : files)
            std::remove(f.c_str());
        rmdir(path.c_str());
    }
    std::string file(const std::string &name) {
        files.push_back(path + "/" + name);
        return files.back();
    }
    bool valid() const { return !path.empty(); }
    const std::string &dir() const { return path; }

private:
    std::string path;
    std::vector<std::string> files;
};

bool writeText(const std::string &path, const std::string &text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
    return static_cast<bool>(f);
}

// Runs gs with the arguments and the trailer; standard output and error are captured through files.
GhostscriptRun runGs(std::vector<std::string> args, TempDir &tmp) {
    GhostscriptRun run;
    if (!tmp.valid()) {
        run.errors = "ps_check: cannot create a temporary directory";
        return run;
    }
    const std::string outPath = tmp.file("stdout.txt"), errPath = tmp.file("stderr.txt");
    const std::string trailerPath = tmp.file("trailer.ps");
    if (!writeText(trailerPath, trailerText)) {
        run.errors = "ps_check: cannot write the trailer";
        return run;
    }
    args.push_back(trailerPath);
    std::string why;
    run.exitStatus = spawnGhostscript(std::move(args), outPath, errPath, &why);
    if (run.exitStatus < 0) {
        run.errors = "ps_check: " + why;
        return run;
    }
    run.errors = readFile(errPath);
    // The page count line of the trailer is taken out of the output.
    std::istringstream lines(readFile(outPath));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, std::strlen(pagesTag), pagesTag) == 0)
            run.pages = std::atoi(line.c_str() + std::strlen(pagesTag));
        else
            run.output += line + "\n";
    }
    return run;
}

// The upper-right corner of the file's %%BoundingBox, in points; false without one.
bool boundingBox(const std::string &psPath, int &width, int &height) {
    std::ifstream f(psPath, std::ios::binary);
    std::string line;
    while (std::getline(f, line)) {
        int x0 = 0, y0 = 0;
        if (std::sscanf(line.c_str(), "%%%%BoundingBox: %d %d %d %d", &x0, &y0, &width, &height) ==
            4)
            return width > 0 && height > 0;
    }
    return false;
}

} // namespace

std::string readFile(const std::string &path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int spawnGhostscript(std::vector<std::string> args, const std::string &outPath, const std::string &errPath,
                     std::string *why) {
    args.insert(args.begin(), "gs");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "gs", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        *why = std::string("cannot run gs: ") + std::strerror(spawned);
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            *why = "waitpid failed";
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string GhostscriptRun::describe() const {
    std::ostringstream s;
    s << "gs exit status " << exitStatus << ", " << pages << " page(s)";
    if (!errors.empty()) s << "\n--- standard error:\n" << errors;
    if (!output.empty()) s << "\n--- standard output:\n" << output;
    return s.str();
}

GhostscriptRun runGhostscript(const std::string &psPath) {
    TempDir tmp;
    return runGs({"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=nullpage", psPath}, tmp);
}

::testing::AssertionResult ghostscriptAccepts(const std::string &psPath) {
    GhostscriptRun run = runGhostscript(psPath);
    if (run.ok() && run.pages > 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << psPath << " rejected: " << run.describe();
}

GhostscriptRun renderToPng(const std::string &psPath, const std::string &pngPath,
                           const RenderOptions &options) {
    int width = options.pageWidthPoints, height = options.pageHeightPoints;
    if (width <= 0 || height <= 0) {
        if (!boundingBox(psPath, width, height)) {
            width = 595;
            height = 842;
        }
    }
    TempDir tmp;
    const std::string pattern = tmp.dir() + "/page%03d.png";
    GhostscriptRun run =
        runGs({"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-dFIXEDMEDIA",
               "-dDEVICEWIDTHPOINTS=" + std::to_string(width),
               "-dDEVICEHEIGHTPOINTS=" + std::to_string(height), "-r" + std::to_string(options.dpi),
               "-dTextAlphaBits=1", "-dGraphicsAlphaBits=1", "-sDEVICE=png16m",
               "-sOutputFile=" + pattern, psPath},
              tmp);
    // Pages are moved out of the temporary directory under the names asked for.
    for (int page = 1;; page++) {
        char name[32];
        std::snprintf(name, sizeof(name), "page%03d.png", page);
        const std::string from = tmp.file(name);
        struct stat info;
        if (stat(from.c_str(), &info) != 0) break;
        std::string to = pngPath;
        if (page > 1) {
            const size_t dot = to.rfind(".png");
            const std::string suffix = "-p" + std::to_string(page);
            if (dot == std::string::npos)
                to += suffix;
            else
                to.insert(dot, suffix);
        }
        if (std::rename(from.c_str(), to.c_str()) != 0) {
            // Another file system: copy instead.
            writeText(to, readFile(from));
        }
        run.pngFiles.push_back(to);
    }
    return run;
}

std::ostream &operator<<(std::ostream &os, const Rgb &c) {
    return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

bool PngImage::read(const std::string &path, std::string *error) {
    w = h = 0;
    rgb.clear();
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        if (error) *error = path + ": " + image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        if (error) *error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    rgb.swap(buffer);
    return true;
}

Rgb PngImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return Rgb(-1, -1, -1);
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 3;
    return Rgb(rgb[i], rgb[i + 1], rgb[i + 2]);
}

Rgb PngImage::pixelAtMillimetres(double x, double y, int dpi) const {
    const double pixelsPerMillimetre = dpi / 25.4;
    const int column = static_cast<int>(std::floor(x * pixelsPerMillimetre));
    const int rowFromBottom = static_cast<int>(std::floor(y * pixelsPerMillimetre));
    return pixel(column, h - 1 - rowFromBottom);
}

long PngImage::count(const Rgb &c) const {
    long n = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] == c.r && rgb[i + 1] == c.g && rgb[i + 2] == c.b) n++;
    return n;
}

} // namespace scrivane::test
