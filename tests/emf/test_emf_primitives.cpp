// The GDI writer's primitives read back from the records: pens and their cache, line styles,
// colours per point, dots, marker bitmaps, polygons, text, images and the landscape turn.
#include "emf_probe.h"
#include "output/gdi/GDIWriterSupport.h"
#include "scene/nodes/SoMarkerSet.h"

using namespace scrivane::test;
using namespace scrivane::test::emf_type;
using scrivane::gdiwriter::dashStyleForPattern;
using scrivane::gdiwriter::splitFontName;
using Bits = std::vector<unsigned char>;

namespace {

const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1);

// A 3 x 2 picture, bottom row first: red green blue / white grey black.
const unsigned char rgbPixels[18] = {255, 0,   0,   0,   255, 0,   0, 0, 255,
                                     255, 255, 255, 128, 128, 128, 0, 0, 0};

Bits bitsOf(const EmfRecord &r) {
    const auto begin = r.bytes.begin() + static_cast<long>(r.u32(56));
    return Bits(begin, begin + static_cast<long>(r.u32(60)));
}

} // namespace

TEST(EmfSupport, PatternsMapToTheNearestDashStyleAndFontNamesSplit) {
    const std::pair<unsigned short, int> cases[] = {
        {0x0000, -1},      {0x00FF, PS_DASH},       {0x8001, PS_DASH},    // 1 14 1: the ends join
        {0x0F0F, PS_DASH}, {0x0FF3, PS_DASHDOT},    {0xFF11, PS_DASHDOT}, // 1 3 1 3 8 -> 9 3 1 3
        {0x3F33, PS_DASH}, {0x0FF5, PS_DASHDOTDOT}, {0x3333, PS_DOT},     {0x5555, PS_DOT}};
    for (const auto &c : cases)
        EXPECT_EQ(dashStyleForPattern(c.first), c.second) << std::hex << c.first;
    const std::pair<const char *, const char *> fonts[] = {
        {"Courier New : bold italic", "Courier New 700 1"},
        {"Courier New : BOLD ITALIC", "Courier New 700 1"},
        {"Arial:Italic", "Arial 400 1"},
        {"Times-Roman", "Times-Roman 400 0"},
        {"a:b : BOLD", "a:b 700 0"},
        {"Serif :  Bold", "Serif 400 0"}, // only one blank is dropped
        {"A123456789B123456789C123456789D123 : Bold", "A123456789B123456789C123456789D 700 0"}};
    for (const auto &c : fonts) {
        const auto font = splitFontName(c.first);
        EXPECT_EQ(font.face + " " + std::to_string(font.weight) + " " + std::to_string(font.italic),
                  c.second);
    }
}

TEST_F(EmfTest, PensFollowStyleWidthColourCapsAndJoinsAndAreShared) {
    const EmfFile file = draw("pens.emf", [](GDIProbe &a) {
        const SbVec4f line[3] = {pt(10, 10), pt(50, 30), pt(50, 40)};
        a.printPolyLine(line, 2, &red, 0, 2.0f, 0xFFFF);
        a.printPolyLine(line, 2, &red, 0, 2.0f, 0xFFFF);
        a.printPolyLine(line, 2, &blue, 0, 2.0f, 0xFFFF);
        a.printPolyLine(line, 2, &blue, 0, 0.0f, 0xFFFF); // width 0 draws one nominal width
        for (unsigned short pattern : {0x00FF, 0xFF00, 0x0FF3, 0x5555, 0x0000})
            a.printPolyLine(line, 2, &red, 0, 3.0f, pattern);
        const struct {
            SoVectorizeAction::EndLineStyle end;
            SoVectorizeAction::JoinLineStyle join;
            float limit;
        } styles[] = {{SoVectorizeAction::SQUARE_CAP, SoVectorizeAction::MITER_JOIN, 4.0f},
                      {SoVectorizeAction::ROUND_CAP, SoVectorizeAction::ROUND_JOIN, 4.0f},
                      {SoVectorizeAction::POINTED_CAP, SoVectorizeAction::POINTED_JOIN, 2.4f},
                      {SoVectorizeAction::FLAT_CAP, SoVectorizeAction::MITER_BEVEL_JOIN, 10.6f},
                      {SoVectorizeAction::FLAT_CAP, SoVectorizeAction::BEVEL_JOIN, 10.6f}};
        for (const auto &s : styles) {
            a.setLineEndStyle(s.end);
            a.setLineJoinsStyle(s.join);
            a.setMiterLimit(s.limit);
            a.printPolyLine(line, 3, &green, 0, 4.0f, 0xFFFF);
        }
    });
    // Pattern 0 draws nothing.
    EXPECT_EQ(count(file, POLYLINE), 4u + 4u + 5u);
    EXPECT_EQ(pointsOf(*file.first(POLYLINE)), "(1000,1000)(5000,3000)");
    // Solid lines: geometric pens, by default with flat ends and bevelled joins; then square
    // ends and mitred joins, round (pointed ends and joins are drawn round: the round pen
    // serves both lines), flat and mitred, flat and bevelled. The width is trunc(100 x
    // 0.35277778 x width), the colour red, blue, blue, green.
    EXPECT_EQ(fieldOf(file, EXTCREATEPEN, 28, true),
              "0x11200 0x11200 0x11200 0x12100 0x10000 0x12200 0x11200");
    EXPECT_EQ(fieldOf(file, EXTCREATEPEN, 32), "70 70 35 141 141 141 141");
    EXPECT_EQ(fieldOf(file, EXTCREATEPEN, 40, true),
              "0xFF 0xFF0000 0xFF0000 0xFF00 0xFF00 0xFF00 0xFF00");
    // Dashed lines: one-pixel cosmetic pens, dash (0xFF00 has the runs of 0x00FF: the same
    // pen), dash-dot, dot.
    EXPECT_EQ(fieldOf(file, CREATEPEN, 12), "1 3 2");
    EXPECT_EQ(fieldOf(file, CREATEPEN, 16), "1 1 1");
    EXPECT_EQ(fieldOf(file, CREATEPEN, 24, true), "0xFF 0xFF 0xFF");
    // Each new pen deletes the one before; the footer deletes the last pen and the brush.
    EXPECT_EQ(count(file, DELETEOBJECT), 9u + 2u);
    // The miter limit (1.5 by default), a ratio held as the nearest whole number, set again
    // only when it changes.
    EXPECT_EQ(fieldOf(file, SETMITERLIMIT, 8), "2 4 2 11");
}

TEST_F(EmfTest, ColourPerPointDrawsEachSegmentInItsFirstPointsColour) {
    const EmfFile file = draw("multicolour.emf", [](GDIProbe &a) {
        const SbVec4f line[5] = {pt(0, 0), pt(10, 0), pt(20, 0), pt(30, 0), pt(40, 0)};
        const SbColor colors[5] = {red, red, green, blue, SbColor(1, 1, 0)};
        a.printPolyLine(line, 5, colors, 1, 1.0f, 0xFFFF);
    });
    std::string drawn;
    for (const EmfRecord &r : file.records) {
        if (r.type == EXTCREATEPEN) drawn += " pen" + std::to_string(r.u32(40));
        if (r.type == MOVETOEX) drawn += " m" + std::to_string(r.i32(8));
        if (r.type == LINETO) drawn += " l" + std::to_string(r.i32(8));
    }
    EXPECT_EQ(drawn, " pen255 m0 l1000 m1000 l2000 pen65280 m2000 l3000 pen16711680 m3000 l4000");
}

TEST_F(EmfTest, EvenMarkerSizeDrawsASquareOneUnitSmallerToTheRightAndBottom) {
    const EmfFile file = draw(
        "marks.emf",
        [](GDIProbe &a) {
            const SbVec4f at[2] = {pt(10, 20), pt(30, 20)};
            const SbColor colors[2] = {red, blue};
            a.printPolyMark(at, 1, &red, 0, 17.0f / 128.0f); // side 13, half 6: odd
            a.printPolyMark(at, 1, &red, 0, 1.0f / 8.0f);    // side 12, half 6: even
            a.printPolyMark(at, 2, colors, 1, 0.0f);         // size 0: side 100, one nominal width
        },
        [](GDIProbe &a) { a.setNominalWidth(1.0f); });
    const auto boxes = file.ofType(RECTANGLE);
    ASSERT_EQ(boxes.size(), 4u) << dumpEmf(file);
    // Rectangle(994, 2006, 1006, 1994) and Rectangle(994, 2006, 1005, 1995), recorded with
    // the corners in order and GDI's excluded right and bottom edges taken off.
    EXPECT_EQ(ints(*boxes[0], 8, 4), "(994,1994,1005,2005)");
    EXPECT_EQ(ints(*boxes[1], 8, 4), "(994,1995,1004,2005)");
    EXPECT_EQ(ints(*boxes[3], 8, 4), "(2950,1951,3048,2049)");
    // A thin solid pen (PS_SOLID, width 0) and a brush per colour: white, red, blue.
    EXPECT_EQ(fieldOf(file, CREATEPEN, 12) + " " + fieldOf(file, CREATEPEN, 16), "0 0 0 0");
    EXPECT_EQ(fieldOf(file, CREATEPEN, 24, true), "0xFF 0xFF0000");
    EXPECT_EQ(fieldOf(file, CREATEBRUSHINDIRECT, 16, true), "0xFFFFFF 0xFF 0xFF0000");
}

TEST_F(EmfTest, MarkerSetDrawsOneSquarePerSetCellTurnedInLandscape) {
    const unsigned char bits[2] = {0x80, 0x20}; // bottom row "X..", top row "..X"
    SoMarkerSet::addMarker(200, SbVec2s(3, 2), bits);
    SoMarkerSet *markers = new SoMarkerSet;
    markers->ref();
    markers->markerIndex.set1Value(0, 200);
    markers->markerIndex.set1Value(1, 201); // not defined: skipped
    for (int turned = 0; turned < 2; turned++) {
        const EmfFile file = draw(
            turned ? "markers-landscape.emf" : "markers.emf",
            [markers](GDIProbe &a) {
                const SbVec4f at[3] = {pt(10, 20), pt(30, 20), pt(50, 20)};
                const SbColor colors[3] = {red, green, blue};
                a.printPolyMark(at, 3, colors, 1, markers);
            },
            [turned](GDIProbe &a) {
                a.setNominalWidth(1.0f);
                if (turned) a.setOrientation(SoVectorizeAction::LANDSCAPE);
            });
        const auto squares = file.ofType(POLYGON);
        ASSERT_EQ(squares.size(), 4u) << dumpEmf(file);
        // Cells of 100 units; the bitmap centred: half width 150, half height 100. Turned
        // around the turned point (25700, 1000), cells turned with it.
        EXPECT_EQ(pointsOf(*squares[0]) + pointsOf(*squares[1]) + pointsOf(*squares[2]),
                  turned ? "(25800,850)(25800,950)(25700,950)(25700,850)"
                           "(25700,1050)(25700,1150)(25600,1150)(25600,1050)"
                           "(25800,4850)(25800,4950)(25700,4950)(25700,4850)"
                         : "(850,1900)(950,1900)(950,2000)(850,2000)"
                           "(1050,2000)(1150,2000)(1150,2100)(1050,2100)"
                           "(4850,1900)(4950,1900)(4950,2000)(4850,2000)");
        // White, red, blue: the green point had no marker.
        EXPECT_EQ(fieldOf(file, CREATEBRUSHINDIRECT, 16, true), "0xFFFFFF 0xFF 0xFF0000");
    }
    markers->unref();
}

TEST_F(EmfTest, PolygonsAreFilledWithoutOutline) {
    const EmfFile file = draw(
        "polygons.emf",
        [](GDIProbe &a) {
            const SbVec4f triangle[3] = {pt(10, 10), pt(50, 10), pt(30, 40.5f)};
            const unsigned char pattern[128] = {0};
            a.printPolygon(triangle, 3, &green, SbString("hatch"), SbString("x"), pattern);
            a.printPolygon(triangle, 3, &green, SbString(""), SbString(""), nullptr);
            a.printPolygon(triangle, 2, &red, SbString(""), SbString(""), nullptr); // degenerate
        },
        [](GDIProbe &a) { a.setBackgroundColor(1, SbColor(0, 0, 1)); });
    const auto polygons = file.ofType(POLYGON);
    ASSERT_EQ(polygons.size(), 3u) << dumpEmf(file);
    EXPECT_EQ(pointsOf(*polygons[0]), "(0,0)(19000,0)(19000,27700)(0,27700)"); // the background
    EXPECT_EQ(pointsOf(*polygons[1]), "(1000,1000)(5000,1000)(3000,4050)");
    EXPECT_EQ(fieldOf(file, CREATEPEN, 12), "5"); // PS_NULL
    EXPECT_EQ(fieldOf(file, CREATEBRUSHINDIRECT, 16, true), "0xFFFFFF 0xFF0000 0xFF00");
}

TEST_F(EmfTest, PolygonsAndLinesOfManyPointsKeepEveryPoint) {
    SbVec4f many[20];
    std::string expected;
    for (int i = 0; i < 20; i++) {
        many[i] = pt(static_cast<float>(i), static_cast<float>(i % 2 ? 30 : 10));
        expected += "(" + std::to_string(100 * i) + "," + (i % 2 ? "3000" : "1000") + ")";
    }
    const EmfFile file = draw("many-points.emf", [&](GDIProbe &a) {
        a.printPolygon(many, 20, &green, SbString(""), SbString(""), nullptr);
        a.printPolyLine(many, 20, &red, 0, 1.0f, 0xFFFF);
    });
    const auto polygons = file.ofType(POLYGON);
    const auto polylines = file.ofType(POLYLINE);
    ASSERT_EQ(polygons.size(), 1u) << dumpEmf(file);
    ASSERT_EQ(polylines.size(), 1u) << dumpEmf(file);
    EXPECT_EQ(pointsOf(*polygons[0]), expected);
    EXPECT_EQ(pointsOf(*polylines[0]), expected);
}

TEST_F(EmfTest, TextCarriesFaceWeightItalicHeightAlignmentAndEscapement) {
    const EmfFile file = draw("text.emf", [](GDIProbe &a) {
        a.printText2(pt(10, 20), red, "Courier New : BOLD ITALIC", 12.0f, "Left", 1, 0.0f);
        a.printText2(pt(30.5f, 20), red, "Times-Roman", 12.0f, "Right", 2, 1.5707964f);
        a.printText2(pt(50, 20), blue, "Arial : BOLD", 10.0f, "Centre", 3, -0.5235988f);
        a.printText2(pt(50, 20), blue, "Arial", 10.0f, "", 3, 0.0f); // nothing to draw
    });
    const auto fonts = file.ofType(EXTCREATEFONTINDIRECTW);
    ASSERT_EQ(fonts.size(), 3u) << dumpEmf(file);
    // Height, escapement, orientation, weight; italic; face. Heights are character heights.
    const char *expected[3] = {"(-423,0,0,0) 700 1 Courier New",
                               "(-423,0,900,900) 400 0 Times-Roman",
                               "(-352,0,-300,-300) 700 0 Arial"};
    for (int i = 0; i < 3; i++) {
        const EmfRecord &f = *fonts[i];
        const std::string face = f.utf16(40, 32);
        EXPECT_EQ(ints(f, 12, 4) + " " + std::to_string(f.i32(28)) + " " +
                      std::to_string(f.u8(32)) + " " + face.substr(0, face.find("\\u0000")),
                  expected[i]);
        // ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_LH_ANGLES, PROOF_QUALITY.
        EXPECT_EQ(f.u32(35), 0x02100000u);
    }
    EXPECT_EQ(fieldOf(file, SETTEXTALIGN, 8), "24 26 30");
    // Colour and background mode (TRANSPARENT) are set when they change.
    EXPECT_EQ(fieldOf(file, SETTEXTCOLOR, 8, true), "0xFF 0xFF0000");
    EXPECT_EQ(fieldOf(file, SETBKMODE, 8), "1");
    const auto texts = file.ofType(EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(ints(*texts[1], 36, 2), "(3050,2000)");
    EXPECT_EQ(texts[1]->utf16(76, 5), "Right");
    // Each font is released after its text; the footer deletes the brush.
    EXPECT_EQ(count(file, DELETEOBJECT), 3u + 1u);
}

// Texts are UTF-8 and recorded in UTF-16: "café" as its four characters, a character beyond
// the 16-bit plane as a surrogate pair.
TEST_F(EmfTest, Utf8TextsAreRecordedInUtf16) {
    const EmfFile file = draw("text-utf8.emf", [](GDIProbe &a) {
        a.printText2(pt(10, 20), red, "Arial", 12.0f, "caf\xc3\xa9", 1, 0.0f);
        a.printText2(pt(10, 30), red, "Arial", 12.0f, "\xe2\x82\xac\xf0\x9d\x84\x9e", 1, 0.0f);
    });
    const auto texts = file.ofType(EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 2u) << dumpEmf(file);
    EXPECT_EQ(texts[0]->u32(44), 4u);
    EXPECT_EQ(texts[0]->u16(76 + 6), 0xE9u);
    EXPECT_EQ(texts[1]->u32(44), 3u);
    EXPECT_EQ(texts[1]->u16(76), 0x20ACu);
    EXPECT_EQ(texts[1]->u16(78), 0xD834u);
    EXPECT_EQ(texts[1]->u16(80), 0xDD1Eu);
}

TEST_F(EmfTest, LandscapeTurnsPointsDotsTextsAndImages) {
    const EmfFile file = draw(
        "landscape.emf",
        [](GDIProbe &a) {
            const SbVec4f line[2] = {pt(10, 20), pt(30, 20)};
            a.printPolyLine(line, 2, &red, 0, 1.0f, 0xFFFF);
            a.printText2(pt(10, 20), red, "Arial", 12.0f, "up", 1, 0.0f);
            a.printText2(pt(10, 20), red, "Arial", 12.0f, "turned", 1, 0.5235988f);
            a.printPolyMark(line, 1, &red, 0, 2.0f);
            SbVec2s size(3, 2), requested(6, 4);
            a.printImage(pt(10, 20), rgbPixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
        },
        [](GDIProbe &a) {
            a.setPixelImageSize(1.0f);
            a.setOrientation(SoVectorizeAction::LANDSCAPE);
        });
    // (x, y) becomes (27700 - y, x): the drawing's x axis runs up the page.
    EXPECT_EQ(pointsOf(*file.first(POLYLINE)), "(25700,1000)(25700,3000)");
    EXPECT_EQ(ints(*file.first(EXTTEXTOUTW), 36, 2), "(25700,1000)");
    // Texts turn a quarter counter-clockwise with the page, their own angle added.
    EXPECT_EQ(fieldOf(file, EXTCREATEFONTINDIRECTW, 20), "900 1200");
    EXPECT_EQ(ints(*file.first(RECTANGLE), 8, 4), "(25665,966,25733,1034)"); // side 70
    const EmfRecord *image = file.first(STRETCHDIBITS);
    ASSERT_NE(image, nullptr);
    // The box x 10..16, y 20..24 mm turns into x 25300..25700, y 1000..1600; a 2 x 3 bitmap.
    EXPECT_EQ(ints(*image, 24, 14), "(25300,1600,0,0,2,3,80,40,120,24,0,13369376,400,-600)");
    // Rows bottom first: the image's left column from its top down (white, red), the middle
    // one (grey, green), the right one (black, blue).
    EXPECT_EQ(bitsOf(*image), (Bits{255, 255, 255, 0, 0, 255, 0, 0,   128, 128, 128, 0,
                                    255, 0,   0,   0, 0, 0,   0, 255, 0,   0,   0,   0}));
}

TEST_F(EmfTest, ImagesAreStretchedTwentyFourBitBitmaps) {
    const EmfFile file = draw(
        "images.emf",
        [](GDIProbe &a) {
            SbVec2s size(3, 2), requested(6, 4), empty(0, 2);
            a.printImage(pt(10, 20), rgbPixels, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
            a.printImage(pt(10, 20), rgbPixels, size, requested, 1, SoImage::CENTER, SoImage::TOP);
            a.printImage(pt(-10, 20), rgbPixels, size, requested, 3, SoImage::RIGHT,
                         SoImage::HALF); // outside
            a.printImage(pt(10, 20), rgbPixels, empty, requested, 3, SoImage::LEFT,
                         SoImage::BOTTOM);
            a.printImage(pt(10, 20), nullptr, size, requested, 3, SoImage::LEFT, SoImage::BOTTOM);
        },
        [](GDIProbe &a) { a.setPixelImageSize(1.0f); });
    const auto images = file.ofType(STRETCHDIBITS);
    ASSERT_EQ(images.size(), 2u) << dumpEmf(file);
    // Top-left corner, source (x, y, width, height), offsets and sizes of the header and bits,
    // DIB_RGB_COLORS, SRCCOPY, the destination size (6 x 4 mm upright in y-up units: negative
    // height), then the header: 3 x 2, 1 plane, 24 bits, BI_RGB, 2540 dpi in pixels per metre.
    EXPECT_EQ(ints(*images[0], 24, 22),
              "(1000,2400,0,0,3,2,80,40,120,24,0,13369376,600,-400,40,3,2,"
              "1572865,0,24,100000,100000)");
    EXPECT_EQ(bitsOf(*images[0]), (Bits{0,   0,   255, 0,   255, 0,   255, 0, 0, 0, 0, 0,
                                        255, 255, 255, 128, 128, 128, 0,   0, 0, 0, 0, 0}));
    // One component: grey, its byte three times; centred and hung from the origin.
    EXPECT_EQ(ints(*images[1], 24, 2), "(700,2000)");
    EXPECT_EQ(bitsOf(*images[1]), (Bits{255, 255, 255, 0,   0,   0,   0, 0, 0, 0, 0, 0,
                                        0,   0,   0,   255, 255, 255, 0, 0, 0, 0, 0, 0}));
}
