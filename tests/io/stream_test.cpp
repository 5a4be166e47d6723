// Reading as a stream: the same scene and the same messages whatever the size of the window the
// input is read through, lines and tokens longer than the window, FILE* sources, endless input,
// and numbers read as the C library reads them.
#include "io/ByteStream.h"
#include "io_test_util.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoInfo.h"
#include "scene/nodes/SoUnknownNode.h"
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

const std::string HEADER = "#Inventor V2.1 ascii\n";

// New inputs read through windows of the given size for as long as this lives.
struct WindowSize {
    explicit WindowSize(size_t bytes) { scene_io::ByteStream::setWindowSize(bytes); }
    ~WindowSize() { scene_io::ByteStream::setWindowSize(0); }
};

// What reading a text gives: the scene written back, or a mark when there is none, and every
// message with its file, line and column.
std::string outcome(const std::string &text) {
    Messages msgs;
    Held<SoSeparator> root(readText(text, msgs));
    return (root ? writeText(root.get()) : std::string("(no scene)\n")) + msgs.text();
}

// Most of the syntax, with the constructs whose bytes depend on what follows them: escapes and
// CRLF inside strings, comments, the bodies of skipped nodes, numbers of every form. It ends
// without a line end.
const std::string RICH =
    HEADER +
    "# a comment {\n"
    "DEF root Separator {\n"
    "  Info { string \"line one\r\nline \\\"two\\\" \\\\ # not a comment\n\" }\n"
    "  Gadget { a \"}{\\\"}\" # } {\n b { c [ 1, 2 ] } \"\\\\\" }\n"
    "  Widget { fields [ SFFloat size, MFInt32 ids ] size 1.5e-3 ids [ 0x7fffffff, -2147483648, "
    "+12 ] }\n"
    "  Coordinate3 { point [ 0.1 -2.5e+010 .5, 3.14159265358979323846 1e-400 -0, +7. 1E3 "
    "123456789012345678 ] }\n"
    "  DEF c Cube { width 2 ~ height 3 = DEF g GlobalField { type \"SFFloat\" g 4 } . g }\n"
    "  Probe { fields [ SFImage i, MFNode n ] i 2 1 3 0xff00ff 255 n [ USE c, NULL ] }\n"
    "  Cone { parts ( SIDES | BOTTOM ) }#end\n"
    "  USE c\n"
    "}";

// Texts that fail, most with the end of their input inside the construct that fails, and words
// the reader looks past before it decides what they are.
const std::string FAILING[] = {
    HEADER + "Separator {\n  Info { string \"never\nclosed }\n",
    HEADER + "Separator {\n  Cube {\n    width 2",
    HEADER + "Coordinate3 { point [ 1 2 3, 4 5",
    HEADER + "Cube { width 12345678901234567890.5x }",
    HEADER + "Separator { Gadget { \"}\" # }\n",
    HEADER + "Separator { Cube { width 1 } } ,",
    HEADER + "Cube { fields # a word the lexer looks past\n 2 }",
    HEADER + "Widget { fields [ SFFloat size, SFNothing n ] }",
};

TEST(Stream, TheSameSceneAndMessagesThroughAnyWindowSize) {
    std::string crlf;
    for (char c : RICH)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::vector<std::string> texts{HEADER + EVERY_FIELD_SYNTAX, RICH, crlf};
    texts.insert(texts.end(), std::begin(FAILING), std::end(FAILING));
    std::mt19937 rng(4242);
    const char junk[] = "{}[]()|~=\".,#\\ \r\n0x1e9-+USEDEFNULLfields\xff";
    for (int i = 0; i < 150; i++) {
        std::string text = RICH;
        for (int e = 1 + static_cast<int>(rng() % 3); e > 0; e--) {
            const size_t at = HEADER.size() + rng() % (text.size() - HEADER.size());
            const char c = junk[rng() % (sizeof junk - 1)];
            if (rng() % 2)
                text[at] = c;
            else
                text.insert(text.begin() + static_cast<long>(at), c);
        }
        texts.push_back(text);
    }
    std::vector<std::string> expected;
    for (const std::string &text : texts)
        expected.push_back(outcome(text));
    // The texts that must read do read, and the failing ones fail.
    for (size_t i = 0; i < 3; i++)
        EXPECT_EQ(expected[i].find("(no scene)"), std::string::npos) << expected[i];
    for (size_t i = 3; i < 3 + std::size(FAILING); i++)
        EXPECT_NE(expected[i].find("(no scene)"), std::string::npos);
    EXPECT_NE(
        expected[3].find("test.iv:3:17: string for field 'string' of 'Info' is not terminated"),
        std::string::npos)
        << expected[3];
    EXPECT_NE(expected[4].find("test.iv:4:12: expected '}' to close node 'Cube' begun at line 3"),
              std::string::npos)
        << expected[4];

    for (size_t window : {1, 2, 3, 5, 8, 13, 64}) {
        WindowSize size(window);
        for (size_t i = 0; i < texts.size(); i++)
            ASSERT_EQ(outcome(texts[i]), expected[i]) << "window " << window << ", text:\n"
                                                      << texts[i];
    }
}

TEST(Stream, LinesTokensAndStringsLongerThanTheWindow) {
    // One line of 40 000 points, a string of some 400 000 bytes with line ends and escapes, an
    // unquoted word and a comment of 100 000 bytes: all much longer than the 64 KiB window.
    std::string points, text, value;
    for (int i = 0; i < 40000; i++)
        points += std::to_string(i) + " 0.5 -" + std::to_string(i) + ", ";
    for (int i = 0; i < 20000; i++) {
        text += "line " + std::to_string(i) + " \\\"q\\\" \\\\\r\n";
        value += "line " + std::to_string(i) + " \"q\" \\\n";
    }
    const std::string word(100000, 'w');
    const std::string head =
        HEADER + "# " + std::string(100000, 'c') + "\nSeparator {\nCoordinate3 { point [ " + points;
    Read r(head + "] }\nInfo { string \"" + text + "\" }\nInfo { string " + word + " }\n}");
    ASSERT_TRUE(r.root) << r.msgs.text();
    const SoMFVec3f &point = r.at<SoCoordinate3>({0})->point;
    ASSERT_EQ(point.getNum(), 40000);
    EXPECT_EQ(point[39999], SbVec3f(39999, 0.5f, -39999));
    EXPECT_EQ(r.at<SoInfo>({1})->string.getValue().std(), value);
    EXPECT_EQ(r.at<SoInfo>({2})->string.getValue().std(), word);
    // An error at the end of the long line is located by its byte column.
    Read bad(head + "x ] }\n}");
    ASSERT_FALSE(bad.root);
    const std::string where = "test.iv:4:" + std::to_string(head.size() - head.rfind('\n')) +
                              ": expected a number for field 'point'";
    EXPECT_NE(bad.msgs.text().find(where), std::string::npos) << where << "\n"
                                                              << bad.msgs.text().substr(0, 200);
}

// A FILE* that is fed a scene by another thread through a pipe, so it cannot seek.
TEST(Stream, FilePointersOfPipesAndSeekableFiles) {
    SoDB::init();
    std::string text = HEADER + "Separator {\n";
    for (int i = 0; i < 20000; i++)
        text += "  Translation { translation " + std::to_string(i) + " 0 0 }\n";
    text += "  Gadget { }\n}\n";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        for (size_t done = 0; done < text.size();) {
            const ssize_t n = write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        close(fds[1]);
    });
    FILE *pipeIn = fdopen(fds[0], "rb");
    ASSERT_NE(pipeIn, nullptr);
    Messages msgs;
    SoInput in;
    msgs.attach(in);
    in.setFilePointer(pipeIn);
    Held<SoSeparator> root(SoDB::readAll(&in));
    writer.join();
    std::fclose(pipeIn);
    ASSERT_TRUE(root) << msgs.text();
    EXPECT_EQ(root->getNumChildren(), 20000);
    EXPECT_EQ(
        msgs.text(),
        "<file>:20003:3: warning: unknown node type 'Gadget' skipped (no 'fields' declaration)\n");

    // A seekable file is read from where it was handed over, and again from there.
    FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::string before = "not part of the scene";
    std::fputs((before + HEADER + "Cube { width 3 }").c_str(), file);
    std::fseek(file, static_cast<long>(before.size()), SEEK_SET);
    in.setFilePointer(file, "tmp.iv");
    Held<SoSeparator> first(SoDB::readAll(&in)), second(SoDB::readAll(&in));
    ASSERT_TRUE(first && second) << msgs.text();
    EXPECT_EQ(static_cast<SoCube *>(child(first.get(), {0}))->width.getValue(), 3.0f);
    EXPECT_EQ(writeText(second.get()), writeText(first.get()));
    in.closeFile();
    std::fclose(file);
}

#if defined(__GLIBC__)
// A source that gives a prefix, then zero bytes without end, or a read error.
struct Endless {
    std::string prefix;
    bool failAfterPrefix = false;
    uint64_t delivered = 0;
};

ssize_t readEndless(void *cookie, char *buf, size_t size) {
    Endless *e = static_cast<Endless *>(cookie);
    size_t n = 0;
    for (; n < size; n++, e->delivered++) {
        if (e->delivered >= e->prefix.size() && e->failAfterPrefix) break;
        buf[n] = e->delivered < e->prefix.size() ? e->prefix[e->delivered] : '\0';
    }
    if (n == 0 && e->failAfterPrefix) {
        errno = EIO;
        return -1;
    }
    return static_cast<ssize_t>(n);
}

std::string readFromEndless(Endless &source) {
    SoDB::init();
    FILE *f =
        fopencookie(&source, "r", cookie_io_functions_t{&readEndless, nullptr, nullptr, nullptr});
    if (!f) return "fopencookie failed";
    Messages msgs;
    SoInput in;
    msgs.attach(in);
    in.setFilePointer(f, "endless.iv");
    Held<SoSeparator> root(SoDB::readAll(&in));
    std::fclose(f);
    return (root ? "read\n" : "") + msgs.text();
}
#endif

TEST(Stream, EndlessInputFailsAtTheFirstByteThatCannotStartAToken) {
    // Read as a whole, /dev/zero would take all memory; as a stream it fails in its first line.
    if (std::FILE *probe = std::fopen("/dev/zero", "rb")) {
        std::fclose(probe);
        Messages msgs;
        SoInput in;
        msgs.attach(in);
        ASSERT_TRUE(in.openFile("/dev/zero"));
        EXPECT_EQ(SoDB::readAll(&in), nullptr);
        ASSERT_EQ(msgs.errors(), 1) << msgs.text();
        EXPECT_EQ(msgs.all[0].formatted.std().rfind("/dev/zero:1:1: not a scene file", 0), 0u)
            << msgs.text();
    }
#if defined(__GLIBC__)
    Endless zeros{HEADER + "Separator {\n  Cube { width 2 }\n  "};
    EXPECT_EQ(readFromEndless(zeros),
              "endless.iv:4:3: expected a field name, a child node or '}' in node "
              "'Separator', found byte 0x00\n");
    // Only the window's worth after the prefix was read, not the endless rest.
    EXPECT_LE(zeros.delivered, zeros.prefix.size() + 2 * scene_io::ByteStream::windowSize());

    // A read that fails is reported as such, where the reading stopped.
    Endless failing{HEADER + "Separator {\n  Cube { width 2 }\n", true};
    EXPECT_EQ(readFromEndless(failing),
              "endless.iv:4:1: cannot read the file: " + std::string(std::strerror(EIO)) + "\n");
#else
    GTEST_SKIP() << "endless sources are made with fopencookie (glibc)";
#endif
}

// The words of a text.
std::vector<std::string> tokens(const std::string &text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Floats as strtod reads them, narrowed to float (an infinity beyond the float range); integers as
// strtoll reads them in base 10 or 16. Read through the usual window and a tiny one, so that the
// lexer's in-window parsing and its fallback at the window's end both take every token.
TEST(Stream, NumbersAreReadAsTheCLibraryReadsThem) {
    std::vector<std::string> floats = tokens(
        "0 -0 00012.5000 1. .5 -.5 +.5e-3 1e22 1e23 1e-22 1e-23 4.5e-44 1.5E-005 2.5e+010 1e39 "
        "3.4028235e38 3.4028236e38 -1e-400 123456789012345 1234567890123456 9007199254740993 "
        "0.000000000000000000000001 0.1 0.3 16777217 1e0 1e-0 7e+000");
    std::mt19937_64 rng(99);
    char buf[64];
    for (int i = 0; i < 3000; i++) {
        const double x = std::ldexp(static_cast<double>(rng() >> 11), -53) *
                         std::pow(10.0, static_cast<int>(rng() % 61) - 30) * (rng() % 2 ? 1 : -1);
        const int precision = 1 + static_cast<int>(rng() % 17);
        switch (rng() % 3) {
        case 0:
            std::snprintf(buf, sizeof buf, "%.*g", precision, x);
            break;
        case 1:
            std::snprintf(buf, sizeof buf, "%.*e", precision, x);
            break;
        default:
            std::snprintf(buf, sizeof buf, "%.*f", precision, x);
            break;
        }
        std::string token = buf;
        if (token.rfind("0.", 0) == 0 && rng() % 2) token.erase(0, 1);
        if (token[0] != '-' && rng() % 4 == 0) token.insert(0, "+");
        floats.push_back(token);
    }
    std::vector<std::string> integers =
        tokens("0 -0 +12 007 2147483647 -2147483648 0x7fffffff 0XFF -0x10 0x80000000 0xFFFFFFFF");
    for (int i = 0; i < 3000; i++) {
        const int64_t v = static_cast<int64_t>(rng() % 4294967296u) - 2147483648;
        integers.push_back(std::to_string(v >> (rng() % 32)));
    }
    auto list = [](const std::vector<std::string> &all) {
        std::string s;
        for (size_t i = 0; i < all.size(); i++)
            s += all[i] + (i % 7 == 6 ? ",\n  " : ", ");
        return s;
    };
    const std::string text = HEADER + "Probe { fields [ MFFloat f, MFInt32 i ] f [ " +
                             list(floats) + "] i [ " + list(integers) + "] }";
    for (size_t window : {size_t(0), size_t(7)}) {
        WindowSize size(window);
        Read r(text);
        ASSERT_TRUE(r.root) << r.msgs.text();
        const SoMFFloat &f = *static_cast<SoMFFloat *>(r.at({0})->getField("f"));
        const SoMFInt32 &n = *static_cast<SoMFInt32 *>(r.at({0})->getField("i"));
        ASSERT_EQ(f.getNum(), static_cast<int>(floats.size()));
        ASSERT_EQ(n.getNum(), static_cast<int>(integers.size()));
        for (size_t k = 0; k < floats.size(); k++) {
            const double d = std::strtod(floats[k].c_str(), nullptr);
            const float want = d > FLT_MAX    ? INFINITY
                               : d < -FLT_MAX ? -INFINITY
                                              : static_cast<float>(d);
            uint32_t got, wanted;
            std::memcpy(&got, &f[static_cast<int>(k)], 4);
            std::memcpy(&wanted, &want, 4);
            ASSERT_EQ(got, wanted)
                << floats[k] << " read as " << f[static_cast<int>(k)] << ", window " << window;
        }
        for (size_t k = 0; k < integers.size(); k++) {
            const std::string &t = integers[k];
            const bool hex = t.find_first_of("xX") != std::string::npos;
            int64_t want = std::strtoll(t.c_str(), nullptr, hex ? 16 : 10);
            if (hex && want > INT32_MAX)
                want -= int64_t(1) << 32; // the bit pattern of a negative number
            ASSERT_EQ(n[static_cast<int>(k)], want) << t << ", window " << window;
        }
    }
}

} // namespace
