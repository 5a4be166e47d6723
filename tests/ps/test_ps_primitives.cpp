// The cached state, the numbers and every print operation. Each test writes a complete
// document (Ghostscript checks it in drawDocument) and looks at what the drawing wrote.
#include "ps_probe.h"
#include "scene/nodes/SoMarkerSet.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

const SbColor red(1, 0, 0), blue(0, 0, 1);

// The words of a text, one space apart, numbers in their shortest form ("1.00" is "1").
std::string words(const std::string &text) {
    std::istringstream in(text);
    std::string result;
    for (std::string word; in >> word;) {
        char *end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        char number[32];
        std::snprintf(number, sizeof number, "%g", value);
        result += (result.empty() ? "" : " ") + (*end == '\0' ? std::string(number) : word);
    }
    return result;
}

// " x y" for x from `from` down to `to` at height y.
std::string run(int from, int to, int y) {
    std::string s;
    for (int x = from; x >= to; x--)
        s += " " + std::to_string(x) + " " + std::to_string(y);
    return s;
}

// What follows "findfont" to re-encode a font with ISOLatin1Encoding.
const std::string latin1Reencoding =
    " dup length dict begin {1 index /FID ne {def} {pop pop} ifelse} forall"
    " /Encoding ISOLatin1Encoding def currentdict end /ScrivaneLatin1 exch definefont";

TEST(PSNumbers, Pcp079CompactsLinesOfNumbers) {
    const char *const cases[][2] = {{"1.00 0.50 0.25 gc", "1 0.5 0.25 gc"},
                                    {"0.00 gb", "0 gb"},
                                    {"12.50 3.00", "12.5 3.00"},
                                    {"  10.00   -0.00 20.50 ", "10 -0 20.5"},
                                    {"100.10 2.05 ppl", "100.1 2.05 ppl"}};
    for (const auto &c : cases) {
        char line[64];
        std::snprintf(line, sizeof(line), "%s", c[0]);
        PSProbe::pcp079(line);
        EXPECT_STREQ(line, c[1]) << c[0];
    }
}

TEST(PSState, OneColourLinePerColourAndAgainAfterANewHeader) {
    const std::string text = writeDocument("colour_cache.ps", [](PSProbe &action) {
        action.drawing = [](PSProbe &a) {
            const SbVec4f line[2] = {pt(10, 10), pt(20, 20)};
            const SbColor other(0.1f, 0, 1);
            for (const SbColor *colour : {&red, &red, &other})
                a.printPolyLine(line, 2, colour, 0, 1, 0xFFFF);
        };
        applyEmpty(action);
        applyEmpty(action);
    });
    EXPECT_EQ(occurrences(text, "\n1 0 0 gc\n"), 2);
    EXPECT_EQ(occurrences(text, "\n0.1 0 1 gc\n"), 2);
}

// Exact drawings: grey levels, dash arrays and their offsets, multicolour lines and dots,
// four-component images in colour and in grey, and pens mapping two colours to one line.
TEST(PSPrimitives, DrawingsWriteExactlyThisText) {
    const SbVec4f line[2] = {pt(10, 10), pt(100, 10)};
    const unsigned char rgba[8] = {255, 0, 0, 9, 0, 255, 0, 9};
    auto images = [&](PSProbe &a) {
        SbVec2s source(2, 1), requested(20, 10);
        a.printImage(pt(50, 50), rgba, source, requested, 4, SoImage::RIGHT, SoImage::TOP);
        a.printImage(pt(500, 50), rgba, source, requested, 4, SoImage::LEFT, SoImage::BOTTOM);
    };
    const struct {
        const char *name;
        int colour;
        std::function<void(PSProbe &)> draw;
        const char *expected;
    } cases[] = {
        {"grey_levels.ps", 0,
         [](PSProbe &a) {
             a.assignColor(SbColor(0.05f, 0.05f, 0.05f), 0.35f);
             a.assignColor(SbColor(1, 0, 0), 0.35f);
         },
         "0.05 gb\n0.3 gb\n"},
        {"dashes.ps", 1,
         [&](PSProbe &a) {
             for (unsigned short pattern : {0x00FF, 0xFF00, 0x8001, 0x8001, 0x0000, 0xFFFF})
                 a.printPolyLine(line, 2, &red, 0, 1, pattern);
         },
         "[2.80 2.80 ] 5.64 tl\n1 0 0 gc\n100 10 10 10\n2 ppl\n"
         "[2.80 2.80 ] 2.82 tl\n100 10 10 10\n2 ppl\n"
         "[0.35 4.90 0.35 0. ] 5.64 tl\n100 10 10 10\n2 ppl\n"
         "100 10 10 10\n2 ppl\n"
         "[] 0.00 tl\n100 10 10 10\n2 ppl\n"},
        {"multicolour_line.ps", 1,
         [](PSProbe &a) {
             const SbVec4f points[3] = {pt(10, 10), pt(20, 10), pt(30, 15)};
             const SbColor colours[3] = {red, blue, blue};
             a.printPolyLine(points, 3, colours, 1, 1, 0xFFFF);
         },
         "1 0 0 gc\n10 10 20 10 2 ppl\n0 0 1 gc\n20 10 30 15 2 ppl\n"},
        {"dots.ps", 1,
         [](PSProbe &a) {
             const SbVec4f points[2] = {pt(10, 10), pt(20, 10.5f)};
             const SbColor colours[2] = {red, blue};
             a.printPolyMark(points, 2, colours, 0, 0.0f);
             a.printPolyMark(points, 2, colours, 1, 4.0f);
         },
         "1 0 0 gc\n20 10.5 10 10\n2 ppmp\n1.41 ps\n10 10 1 ppmp\n0 0 1 gc\n20 10.5 1 ppmp\n"},
        {"image_colour.ps", 1, images,
         "2 1\n7.06 3.53\n42.94 46.47\n2\n3\nDisplayImage\nFF000000FF00\n"},
        {"image_grey.ps", 0, images, "2 1\n7.06 3.53\n42.94 46.47\n2\nDisplayImage\n4C96\n"}};
    for (const auto &c : cases)
        EXPECT_EQ(drawDocument(c.name, c.draw, c.colour), c.expected) << c.name;
    // Pens red and blue: dark red and orange both take the red pen, one colour line for both.
    const SbColor pens[2] = {red, blue};
    const std::string pensBody = drawDocument(
        "pens.ps",
        [&](PSProbe &a) {
            const SbColor dark(0.9f, 0, 0), orange(1, 0.2f, 0);
            a.printPolyLine(line, 2, &dark, 0, 1, 0xFFFF);
            a.printPolyLine(line, 2, &orange, 0, 1, 0xFFFF);
        },
        1, [&](PSProbe &a) { a.setPenDescription(2, pens); });
    EXPECT_EQ(occurrences(pensBody, " gc\n"), 1);
    EXPECT_EQ(pensBody.find("1 0 0 gc\n"), 0u) << pensBody;
}

TEST(PSPolyLine, GroupsOf100ShareTheirBoundaryPoints) {
    std::vector<SbVec4f> points;
    for (int i = 0; i < 250; i++)
        points.push_back(pt(static_cast<float>(i), 1));
    const std::string body = drawDocument("polyline_250.ps", [&](PSProbe &a) {
        a.printPolyLine(points.data(), 250, &red, 0, 2, 0xFFFF);
    });
    // Written from the last point: 249..150, 150..51, 51..0, each followed by its count.
    EXPECT_EQ(words(body), "0.71 ep 1 0 0 gc" + run(249, 150, 1) + " 100 ppl" + run(150, 51, 1) +
                               " 100 ppl" + run(51, 0, 1) + " 52 ppl");
    std::istringstream lines(body);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79u + 16u) << line;
}

TEST(PSPolygon, GroupsOf248AfterTheFirstPoint) {
    std::vector<SbVec4f> points;
    for (int i = 0; i < 250; i++)
        points.push_back(pt(static_cast<float>(i), 2));
    const std::string body = drawDocument("polygon_250.ps", [&](PSProbe &a) {
        a.printPolygon(points.data(), 250, &blue, "", "", nullptr);
    });
    EXPECT_EQ(body.find("0 0 1 gc\n0.00 2.00 pfabeg\n"), 0u);
    EXPECT_EQ(words(body),
              "0 0 1 gc 0 2 pfabeg" + run(248, 1, 2) + " 248 pfacnt 249 2 1 pfaend 1 pfa");
}

// A pattern is its bits in its colour: the same bits in another colour are another pattern.
TEST(PSPolygon, APatternIsDefinedOncePerColourAndReused) {
    unsigned char bits[128], other[128];
    for (int i = 0; i < 128; i++) {
        bits[i] = (i / 4) % 2 ? 0xF0 : 0x0F;
        other[i] = static_cast<unsigned char>(i);
    }
    const std::string body = drawDocument("patterns.ps", [&](PSProbe &a) {
        const std::vector<SbVec4f> square = rect(10, 10, 40, 40);
        a.printPolygon(square.data(), 4, &red, "cat", "name", bits);
        a.printPolygon(square.data(), 4, &red, "cat", "name", bits);
        a.printPolygon(square.data(), 4, &blue, "cat", "name", bits);
        a.printPolygon(square.data(), 4, &blue, "cat", "name", other);
        a.printPolygon(square.data(), 4, &blue, "cat", "name", bits);
    });
    EXPECT_EQ(occurrences(body, "pcreatpat\n /PATTERN_"), 3);
    EXPECT_EQ(body.find("1 0 0 gc\n1.000000 0.000000 0.000000\n0.352778\n0.352778\n"
                        "{<0f 0f 0f 0f f0 f0 f0 f0 0f "),
              0u);
    EXPECT_EQ(
        occurrences(
            body,
            " 0f 0f f0 f0 f0 f0 >} pcreatpat\n /PATTERN_0 exch def\n10.00 10.00 PATTERN_0 ppatbeg\n"
            "10 40 40 40 40 10\n3 ppatend\n10.00 10.00 PATTERN_0 ppatbeg\n"),
        1);
    EXPECT_EQ(occurrences(body, "0 0 1 gc\n0.000000 0.000000 1.000000\n0.352778\n0.352778\n"
                                "{<0f 0f 0f 0f f0 f0 f0 f0 0f "),
              1);
    EXPECT_EQ(occurrences(body, "0.000000 0.000000 1.000000\n0.352778\n0.352778\n{<00 01 02 "), 1);
    EXPECT_EQ(
        occurrences(body, "7f >} pcreatpat\n /PATTERN_2 exch def\n10.00 10.00 PATTERN_2 ppatbeg\n"),
        1);
    EXPECT_EQ(occurrences(body, "3 ppatend\n10.00 10.00 PATTERN_1 ppatbeg\n"), 1);
}

// Parentheses and backslashes are escaped, other bytes outside printable ASCII written in octal,
// and a font name that is no PostScript name literal goes through a string: Ghostscript reads
// every line. A name is cut to 127 bytes; a text with a byte above 127 re-encodes the font.
TEST(PSText, JustificationsEscapingAndFontCache) {
    const std::string longName(300, 'F');
    const std::string cutName(127, 'F');
    const std::string body = drawDocument("text.ps", [&](PSProbe &a) {
        const SbColor black(0, 0, 0);
        a.printText2(pt(10, 20), black, "Helvetica", 10, "f(x)", 1, 0);
        a.printText2(pt(10, 30), black, "Helvetica", 10, "a\\b", 2, 1.5707964f);
        a.printText2(pt(10, 40), black, "Helvetica", 10, "(c)", 3, 0);
        a.printText2(pt(10, 50), black, "Helvetica", 10, "none", 0, 0);
        a.printText2(pt(10, 60), black, longName.c_str(), 12, "x", 1, 0);
        a.printText2(pt(10, 70), black, longName.c_str(), 12, "y", 1, 0);
        a.printText2(pt(10, 80), black, "Times Roman", 12, "ends\\", 1, 0);
        a.printText2(pt(10, 90), black, "Times Roman", 12, "tab\tline\ncaf\xe9", 1, 0);
    });
    EXPECT_EQ(body.find("0 0 0 gc\n/Helvetica findfont 3.53 scalefont setfont\n"
                        "(f\\(x\\)) 0.00 10.00 20.00 ltx\n10.00 30.00 90.00 (a\\\\b) rtx\n"
                        "10.00 40.00 0.00 (\\(c\\)) ctx\n/" +
                        cutName +
                        " findfont 4.23 scalefont setfont\n(x) 0.00 10.00 60.00 ltx\n"
                        "(y) 0.00 10.00 70.00 ltx\n"),
              0u)
        << body;
    EXPECT_EQ(occurrences(body, "(Times Roman) cvn findfont 4.23 scalefont setfont\n"
                                "(ends\\\\) 0.00 10.00 80.00 ltx\n"
                                "(Times Roman) cvn findfont" +
                                    latin1Reencoding +
                                    " 4.23 scalefont setfont\n"
                                    "(tab\\011line\\012caf\\351) 0.00 10.00 90.00 ltx\n"),
              1)
        << body;
}

// A font name or a text carrying PostScript code is written as data: Ghostscript draws the page
// with an empty operand stack, and the code never runs (quit would leave no page). A font name
// longer than an interpreter takes as a name is cut.
TEST(PSText, CodeInFontNamesAndTextsStaysData) {
    const std::string hugeName(20000, 'H');
    const std::string body = drawDocument("text_code.ps", [&](PSProbe &a) {
        const SbColor black(0, 0, 0);
        a.printText2(pt(10, 20), black, "Helvetica) pop (x", 10, ") show quit (", 1, 0);
        a.printText2(pt(10, 30), black, "Times{quit}", 10, "\\) quit (", 2, 0);
        a.printText2(pt(10, 40), black, "/x exch def", 10, "%quit\nquit", 3, 0);
        a.printText2(pt(10, 50), black, "Courier\nquit %", 10, "\xc3\xa9) quit (", 1, 0);
        a.printText2(pt(10, 60), black, hugeName.c_str(), 10, "x", 1, 0);
    });
    EXPECT_EQ(occurrences(body, "(Helvetica\\) pop \\(x) cvn findfont"), 1) << body;
    EXPECT_EQ(occurrences(body, "(\\) show quit \\() 0.00 10.00 20.00 ltx\n"), 1) << body;
    EXPECT_EQ(occurrences(body, "(Times{quit}) cvn findfont"), 1) << body;
    EXPECT_EQ(occurrences(body, "(/x exch def) cvn findfont"), 1) << body;
    EXPECT_EQ(occurrences(body, "(Courier\\012quit %) cvn findfont"), 1) << body;
    EXPECT_EQ(occurrences(body, "\n/" + std::string(127, 'H') + " findfont"), 1) << body;
}

// UTF-8 texts print in Latin-1: "café" is written as caf\351 in the font re-encoded with
// ISOLatin1Encoding; a character beyond Latin-1 becomes '?' and is counted. Plain ASCII texts
// before it keep the font as selected.
TEST(PSText, Utf8TextsPrintThroughALatin1Font) {
    int replaced = -1;
    const std::string body = drawDocument("text_utf8.ps", [&](PSProbe &a) {
        const SbColor black(0, 0, 0);
        a.printText2(pt(10, 20), black, "Times-Roman", 10, "cafe", 1, 0);
        a.printText2(pt(10, 30), black, "Times-Roman", 10, "caf\xc3\xa9", 1, 0);
        a.printText2(pt(10, 40), black, "Times-Roman", 10, "\xe2\x82\xac 5", 1, 0);
        a.printText2(pt(10, 50), black, "Times-Roman", 10, "plain", 1, 0);
        replaced = a.getReplacedCharacterCount();
    });
    EXPECT_EQ(body, "0 0 0 gc\n/Times-Roman findfont 3.53 scalefont setfont\n"
                    "(cafe) 0.00 10.00 20.00 ltx\n"
                    "/Times-Roman findfont" +
                        latin1Reencoding +
                        " 3.53 scalefont setfont\n"
                        "(caf\\351) 0.00 10.00 30.00 ltx\n(? 5) 0.00 10.00 40.00 ltx\n"
                        "(plain) 0.00 10.00 50.00 ltx\n");
    EXPECT_EQ(replaced, 1);
}

TEST(PSImage, HexadecimalLinesHold40Bytes) {
    std::vector<unsigned char> grey(41, 0xA5);
    const std::string body = drawDocument("image_41.ps", [&](PSProbe &a) {
        SbVec2s source(41, 1), requested(41, 1);
        a.printImage(pt(10, 10), grey.data(), source, requested, 1, SoImage::LEFT, SoImage::BOTTOM);
    });
    std::string row;
    for (int i = 0; i < 40; i++)
        row += "A5";
    EXPECT_EQ(body.substr(body.find("DisplayImage\n") + 13), row + "\nA5\n");
}

TEST(PSMarkers, BitmapsAreDefinedOncePerDocument) {
    // 16 x 12 pixels: 24 bytes, so the mask breaks after 20 bytes.
    std::vector<unsigned char> bytes(24, 0xFF);
    bytes[0] = 0x80;
    bytes[1] = 0x01;
    SoMarkerSet::addMarker(300, SbVec2s(16, 12), bytes.data());
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    const int indices[3] = {300, 4999, 300};
    markers->markerIndex.setValues(0, 3, indices);
    const std::string body = drawDocument("markers.ps", [&](PSProbe &a) {
        const SbVec4f points[4] = {pt(10, 10), pt(20, 10), pt(30, 10), pt(40, 10)};
        const SbColor colours[4] = {red, red, blue, red};
        a.printPolyMark(points, 4, colours, 1, markers);
    });
    const std::string mask = "8001" + std::string(44, 'F');
    EXPECT_EQ(body, "/Bitmap300\n{ 16 12\n true\n [16 0 0 12 0 0]\n{<" + mask.substr(0, 40) + "\n" +
                        mask.substr(40) +
                        ">} imagemask\n} bind def\n"
                        "/currentBitmapIndex {Bitmap300} bind def\n"
                        "1 0 0 gc\n5.64 4.23 7.18 7.88 DisplayBitmap\n"
                        "0 0 1 gc\n5.64 4.23 27.18 7.88 DisplayBitmap\n"
                        "1 0 0 gc\n5.64 4.23 37.18 7.88 DisplayBitmap\n");
    markers->markerIndex.setNum(0);
    EXPECT_EQ(drawDocument("markers_empty_index.ps",
                           [&](PSProbe &a) {
                               const SbVec4f one = pt(10, 10);
                               a.printPolyMark(&one, 1, &red, 0, markers);
                           }),
              "");
    markers->unref();
}

TEST(PSMarkers, BeyondTheRecordMarkersAreDefinedAgain) {
    const unsigned char bits[2] = {0x80, 0x40};
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    for (int i = 0; i <= SoVectorizePSAction::MAX_MARKER_BITMAPS; i++) {
        SoMarkerSet::addMarker(2000 + i, SbVec2s(2, 2), bits);
        markers->markerIndex.set1Value(i, 2000 + i);
    }
    markers->markerIndex.set1Value(SoVectorizePSAction::MAX_MARKER_BITMAPS + 1, 2000);
    markers->markerIndex.set1Value(SoVectorizePSAction::MAX_MARKER_BITMAPS + 2, 3000);
    const int n = markers->markerIndex.getNum();
    std::vector<SbVec4f> points(static_cast<size_t>(n), pt(10, 10));
    const std::string body = drawDocument("markers_1001.ps", [&](PSProbe &a) {
        a.printPolyMark(points.data(), n, &red, 0, markers);
    });
    EXPECT_EQ(occurrences(body, "/Bitmap2000\n"), 1);
    EXPECT_EQ(occurrences(body, "/Bitmap2999\n"), 1);
    EXPECT_EQ(occurrences(body, "/Bitmap3000\n"), 2);
    EXPECT_EQ(occurrences(body, " DisplayBitmap\n"), n);
    markers->unref();
}

} // namespace
