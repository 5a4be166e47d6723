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

// The numbers of each group that the procedure proc closes, count excluded; a word other
// than a number or proc starts a new group.
std::vector<std::vector<double>> groups(const std::string &text, const std::string &proc) {
    std::vector<std::vector<double>> result;
    std::vector<double> numbers;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        char *end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (*end == '\0') {
            numbers.push_back(value);
        } else if (word == proc && !numbers.empty()) {
            EXPECT_EQ(numbers.back() * 2, numbers.size() - 1) << "count of a group";
            numbers.pop_back();
            result.push_back(numbers);
            numbers.clear();
        } else {
            numbers.clear();
        }
    }
    return result;
}

// x of every point of a group.
std::vector<double> xs(const std::vector<double> &group) {
    std::vector<double> x;
    for (size_t i = 0; i < group.size(); i += 2)
        x.push_back(group[i]);
    return x;
}

bool startsWith(const std::string &text, const std::string &head) {
    return text.compare(0, head.size(), head) == 0;
}

bool endsWith(const std::string &text, const std::string &tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<double> range(int from, int to) { // inclusive, either direction
    std::vector<double> r;
    for (int i = from;; i += (to >= from ? 1 : -1)) {
        r.push_back(i);
        if (i == to) break;
    }
    return r;
}

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
    PSProbe action;
    PSFile file(action, "colour_cache.ps");
    action.drawing = [](PSProbe &a) {
        const SbVec4f line[2] = {pt(10, 10), pt(20, 20)};
        a.printPolyLine(line, 2, &red, 0, 1, 0xFFFF);
        a.printPolyLine(line, 2, &red, 0, 1, 0xFFFF);
        const SbColor other(0.1f, 0, 1);
        a.printPolyLine(line, 2, &other, 0, 1, 0xFFFF);
    };
    applyEmpty(action);
    applyEmpty(action);
    const std::string text = file.text();
    EXPECT_EQ(occurrences(text, "\n1 0 0 gc\n"), 2);
    EXPECT_EQ(occurrences(text, "\n0.1 0 1 gc\n"), 2);
    EXPECT_TRUE(scrivane::test::ghostscriptAccepts(file.path));
}

TEST(PSState, PensMapColoursToTheirPenColour) {
    PSProbe action;
    PSFile file(action, "pens.ps");
    const SbColor pens[2] = {red, blue};
    action.setPenDescription(2, pens);
    action.drawing = [](PSProbe &a) {
        const SbVec4f line[2] = {pt(10, 10), pt(20, 20)};
        const SbColor dark(0.9f, 0, 0), orange(1, 0.2f, 0);
        a.printPolyLine(line, 2, &dark, 0, 1, 0xFFFF);
        a.printPolyLine(line, 2, &orange, 0, 1, 0xFFFF);
    };
    applyEmpty(action);
    const std::string body = drawn(file.text());
    EXPECT_EQ(occurrences(body, " gc\n"), 1);
    EXPECT_TRUE(startsWith(body, "1 0 0 gc\n")) << body;
    EXPECT_TRUE(scrivane::test::ghostscriptAccepts(file.path));
}

TEST(PSState, GreyOutputWritesGreyLevels) {
    const std::string body = drawDocument(
        "grey_levels.ps",
        [](PSProbe &a) {
            a.assignColor(SbColor(0.05f, 0.05f, 0.05f), 0.35f);
            a.assignColor(SbColor(1, 0, 0), 0.35f);
        },
        0);
    EXPECT_EQ(body, "0.05 gb\n0.3 gb\n");
}

TEST(PSPolyLine, GroupsOf100ShareTheirBoundaryPoints) {
    std::vector<SbVec4f> points;
    for (int i = 0; i < 250; i++)
        points.push_back(pt(static_cast<float>(i), 1));
    const std::string body = drawDocument("polyline_250.ps", [&](PSProbe &a) {
        a.printPolyLine(points.data(), 250, &red, 0, 2, 0xFFFF);
    });
    EXPECT_EQ(body.substr(0, 18), "0.71 ep\n1 0 0 gc\n2");
    const auto g = groups(body, "ppl");
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(xs(g[0]), range(249, 150));
    EXPECT_EQ(xs(g[1]), range(150, 51));
    EXPECT_EQ(xs(g[2]), range(51, 0));
    EXPECT_EQ(occurrences(body, "\n100 ppl\n"), 2);
    EXPECT_EQ(occurrences(body, "\n52 ppl\n"), 1);
    std::istringstream lines(body);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79u + 16u) << line;
}

TEST(PSPolyLine, DashArraysAndOffsets) {
    const std::string body = drawDocument("dashes.ps", [](PSProbe &a) {
        const SbVec4f line[2] = {pt(10, 10), pt(100, 10)};
        for (unsigned short pattern : {0x00FF, 0xFF00, 0x8001, 0x8001, 0x0000, 0xFFFF})
            a.printPolyLine(line, 2, &red, 0, 1, pattern);
    });
    EXPECT_EQ(body, "[2.80 2.80 ] 5.64 tl\n1 0 0 gc\n100 10 10 10\n2 ppl\n"
                    "[2.80 2.80 ] 2.82 tl\n100 10 10 10\n2 ppl\n"
                    "[0.35 4.90 0.35 0. ] 5.64 tl\n100 10 10 10\n2 ppl\n"
                    "100 10 10 10\n2 ppl\n"
                    "[] 0.00 tl\n100 10 10 10\n2 ppl\n");
}

TEST(PSPolyLine, MulticolourLineHasOneSegmentPerColour) {
    const std::string body = drawDocument("multicolour_line.ps", [](PSProbe &a) {
        const SbVec4f line[3] = {pt(10, 10), pt(20, 10), pt(30, 15)};
        const SbColor colours[3] = {red, blue, blue};
        a.printPolyLine(line, 3, colours, 1, 1, 0xFFFF);
    });
    EXPECT_EQ(body, "1 0 0 gc\n10 10 20 10 2 ppl\n0 0 1 gc\n20 10 30 15 2 ppl\n");
}

TEST(PSPolyMark, PointSizeAndMulticolourDots) {
    const std::string body = drawDocument("dots.ps", [](PSProbe &a) {
        const SbVec4f points[2] = {pt(10, 10), pt(20, 10.5f)};
        const SbColor colours[2] = {red, blue};
        a.printPolyMark(points, 2, colours, 0, 0.0f);
        a.printPolyMark(points, 2, colours, 1, 4.0f);
    });
    EXPECT_EQ(body,
              "1 0 0 gc\n20 10.5 10 10\n2 ppmp\n1.41 ps\n10 10 1 ppmp\n0 0 1 gc\n20 10.5 1 ppmp\n");
}

TEST(PSPolygon, GroupsOf248AfterTheFirstPoint) {
    std::vector<SbVec4f> points;
    for (int i = 0; i < 250; i++)
        points.push_back(pt(static_cast<float>(i), 2));
    const std::string body = drawDocument("polygon_250.ps", [&](PSProbe &a) {
        a.printPolygon(points.data(), 250, &blue, "", "", nullptr);
    });
    EXPECT_TRUE(startsWith(body, "0 0 1 gc\n0.00 2.00 pfabeg\n"));
    const auto full = groups(body, "pfacnt");
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(xs(full[0]), range(248, 1));
    EXPECT_TRUE(endsWith(body, "\n248 pfacnt\n249 2\n1 pfaend\n1 pfa\n"));
}

TEST(PSPolygon, APatternIsDefinedOnceAndReused) {
    unsigned char bits[128], other[128];
    for (int i = 0; i < 128; i++) {
        bits[i] = (i / 4) % 2 ? 0xF0 : 0x0F;
        other[i] = static_cast<unsigned char>(i);
    }
    const std::string body = drawDocument("patterns.ps", [&](PSProbe &a) {
        const SbVec4f square[4] = {pt(10, 10), pt(40, 10), pt(40, 40), pt(10, 40)};
        a.printPolygon(square, 4, &red, "cat", "name", bits);
        a.printPolygon(square, 4, &blue, "cat", "name", bits);
        a.printPolygon(square, 4, &blue, "cat", "name", other);
    });
    EXPECT_EQ(occurrences(body, "pcreatpat\n /PATTERN_"), 2);
    EXPECT_TRUE(startsWith(body, "1 0 0 gc\n1.000000 0.000000 0.000000\n0.352778\n0.352778\n"
                                 "{<0f 0f 0f 0f f0 f0 f0 f0 0f "));
    EXPECT_NE(
        body.find(
            " 0f 0f f0 f0 f0 f0 >} pcreatpat\n /PATTERN_0 exch def\n10.00 10.00 PATTERN_0 ppatbeg\n"
            "10 40 40 40 40 10\n3 ppatend\n0 0 1 gc\n10.00 10.00 PATTERN_0 ppatbeg\n"),
        std::string::npos);
    EXPECT_NE(body.find("0.000000 0.000000 1.000000\n0.352778\n0.352778\n{<00 01 02 "),
              std::string::npos);
    EXPECT_NE(body.find("7f >} pcreatpat\n /PATTERN_1 exch def\n10.00 10.00 PATTERN_1 ppatbeg\n"),
              std::string::npos);
}

TEST(PSText, JustificationsEscapingAndFontCache) {
    const std::string longName(300, 'F');
    const std::string body = drawDocument("text.ps", [&](PSProbe &a) {
        const SbColor black(0, 0, 0);
        a.printText2(pt(10, 20), black, "Helvetica", 10, "f(x)", 1, 0);
        a.printText2(pt(10, 30), black, "Helvetica", 10, "a\\b", 2, 1.5707964f);
        a.printText2(pt(10, 40), black, "Helvetica", 10, "(c)", 3, 0);
        a.printText2(pt(10, 50), black, "Helvetica", 10, "none", 0, 0);
        a.printText2(pt(10, 60), black, longName.c_str(), 12, "x", 1, 0);
        a.printText2(pt(10, 70), black, longName.c_str(), 12, "y", 1, 0);
    });
    EXPECT_TRUE(startsWith(body, "0 0 0 gc\n/Helvetica findfont 3.53 scalefont setfont\n"
                                 "(f\\(x\\)) 0.00 10.00 20.00 ltx\n10.00 30.00 90.00 (a\\b) rtx\n"
                                 "10.00 40.00 0.00 (\\(c\\)) ctx\n/" +
                                     longName + " findfont"))
        << body;
    EXPECT_EQ(occurrences(body, "/" + longName + " findfont 4.23 scalefont setfont\n"), 2);
    EXPECT_EQ(body.find("none"), std::string::npos);
}

TEST(PSImage, FourComponentsInColourAndInGrey) {
    const unsigned char rgba[8] = {255, 0, 0, 9, 0, 255, 0, 9};
    auto draw = [&](PSProbe &a) {
        SbVec2s source(2, 1), requested(20, 10);
        a.printImage(pt(50, 50), rgba, source, requested, 4, SoImage::RIGHT, SoImage::TOP);
        a.printImage(pt(500, 50), rgba, source, requested, 4, SoImage::LEFT, SoImage::BOTTOM);
    };
    EXPECT_EQ(drawDocument("image_colour.ps", draw, 1),
              "2 1\n7.06 3.53\n42.94 46.47\n2\n3\nDisplayImage\nFF000000FF00\n");
    EXPECT_EQ(drawDocument("image_grey.ps", draw, 0),
              "2 1\n7.06 3.53\n42.94 46.47\n2\nDisplayImage\n4C96\n");
}

TEST(PSImage, HexadecimalLinesHold40Bytes) {
    std::vector<unsigned char> grey(41, 0xA5);
    const std::string body = drawDocument("image_41.ps", [&](PSProbe &a) {
        SbVec2s source(41, 1), requested(41, 1);
        a.printImage(pt(10, 10), grey.data(), source, requested, 1, SoImage::LEFT, SoImage::BOTTOM);
    });
    std::string rows;
    for (int i = 0; i < 40; i++)
        rows += "A5";
    EXPECT_EQ(body.substr(body.find("DisplayImage\n") + 13), rows + "\nA5\n");
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
    std::string mask = "8001";
    for (int i = 0; i < 11; i++)
        mask += "FFFF";
    EXPECT_EQ(body, "/Bitmap300\n{ 16 12\n true\n [16 0 0 12 0 0]\n{<" + mask.substr(0, 40) + "\n" +
                        mask.substr(40) +
                        ">} imagemask\n} bind def\n"
                        "/currentBitmapIndex {Bitmap300} bind def\n1 0 0 gc\n5.64 4.23 7.18 7.88 "
                        "DisplayBitmap\n"
                        "0 0 1 gc\n5.64 4.23 27.18 7.88 DisplayBitmap\n1 0 0 gc\n5.64 4.23 37.18 "
                        "7.88 DisplayBitmap\n");
    markers->markerIndex.setNum(0);
    EXPECT_EQ(drawDocument("markers_empty_index.ps",
                           [&](PSProbe &a) {
                               const SbVec4f points[1] = {pt(10, 10)};
                               a.printPolyMark(points, 1, &red, 0, markers);
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
