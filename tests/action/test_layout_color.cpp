// Page layout, units, colour translation and pen assignment.
#include "RecordingAction.h"
#include "scrivane/SoScrivane.h"
#include <gtest/gtest.h>
#include <utility>

using VA = SoVectorizeAction;

namespace {
// The pen and width assigned to a colour and a width.
std::pair<int, float> pen(RecordingAction &a, const SbColor &color, float width) {
    std::pair<int, float> result;
    a.penAssignment(color, width, &result.first, &result.second);
    return result;
}
} // namespace

TEST(LayoutTest, UnitsConvertBothWaysAndBadUnitsGiveZero) {
    SoScrivane::init();
    RecordingAction a;
    a.setDrawingDimensions(8.5f, 11.0f, VA::INCH);
    EXPECT_FLOAT_EQ(a.getDrawingDimensions(VA::MILLIMETER)[0], 215.9f);
    EXPECT_FLOAT_EQ(a.getDrawingDimensions(VA::MILLIMETER)[1], 279.4f);
    const SbVec2f inches = a.getDrawingDimensions(VA::INCH);
    EXPECT_NEAR(inches[0], 8.5f, 1e-5f);
    EXPECT_NEAR(inches[1], 11.0f, 1e-5f);
    a.setStartPosition(0.02f, 0.03f, VA::METER);
    EXPECT_FLOAT_EQ(a.getStartPosition(VA::MILLIMETER)[0], 20.0f);
    EXPECT_FLOAT_EQ(a.getStartPosition(VA::MILLIMETER)[1], 30.0f);
    EXPECT_FLOAT_EQ(a.getOffsetX(), 20.0f);
    EXPECT_FLOAT_EQ(a.getOffsetY(), 30.0f);
    a.setNominalWidth(1.0f, static_cast<VA::DimensionUnit>(7));
    EXPECT_EQ(a.getNominalWidth(VA::MILLIMETER), 0.0f);
    a.setNominalWidth(1.0f / 72.0f, VA::INCH);
    EXPECT_NEAR(a.getNominalWidth(VA::MILLIMETER), 0.35277778f, 1e-6f);
    EXPECT_EQ(a.getNominalWidth(static_cast<VA::DimensionUnit>(-1)), 0.0f);
}

TEST(LayoutTest, PageOffsetsInAndOutOfPageMode) {
    RecordingAction a;
    EXPECT_FLOAT_EQ(a.getOffsetX(), 10.0f);
    a.beginPage(SbVec2f(5, 5), SbVec2f(200, 287));
    a.setStartPosition(10, 20);
    EXPECT_FLOAT_EQ(a.getOffsetX(), 15.0f);
    EXPECT_FLOAT_EQ(a.getOffsetY(), 25.0f);
    a.endPage();
    // The page frame stays where the page put it until the next setting outside page mode.
    EXPECT_FLOAT_EQ(a.getOffsetX(), 5.0f);
    a.setStartPosition(12, 13);
    EXPECT_FLOAT_EQ(a.getOffsetX(), 12.0f);
}

TEST(LayoutTest, SettingsDefaultsAndClamping) {
    RecordingAction a;
    EXPECT_FLOAT_EQ(a.getMiterLimit(), 1.5f);
    a.setMiterLimit(0.5f);
    EXPECT_FLOAT_EQ(a.getMiterLimit(), 1.0f);
    float width;
    SbColor color;
    a.getBorder(&width, &color);
    EXPECT_FLOAT_EQ(width, 2.0f);
    // Setting the width alone brings the colour back to white; the background to black.
    a.setBorder(3.0f, SbColor(1, 0, 0));
    a.setBorder(3.0f);
    a.getBorder(&width, &color);
    EXPECT_FLOAT_EQ(width, 3.0f);
    EXPECT_EQ(color, SbColor(1, 1, 1));
    EXPECT_EQ(a.getBackgroundColor(&color), 0);
    a.setBackgroundColor(1, SbColor(0, 1, 0));
    a.setBackgroundColor(1);
    EXPECT_EQ(a.getBackgroundColor(&color), 1);
    EXPECT_EQ(color, SbColor(0, 0, 0));
    EXPECT_EQ(a.getOrientation(), VA::PORTRAIT);
    EXPECT_EQ(a.getLineEndStyle(), VA::FLAT_CAP);
    EXPECT_EQ(a.getLineJoinsStyle(), VA::UNJOINED);
    EXPECT_NEAR(a.getPixelImageSize(VA::INCH), 1.0f / 72.0f, 1e-7f);
    EXPECT_EQ(a.getColorTranslationMethod(), VA::SWAP_BLACK_AND_WHITE);
    EXPECT_EQ(a.getColorPriority(), 1);
    // A full default viewport covers the whole drawing.
    EXPECT_EQ(a.getClippingLimits().getMin(), SbVec2f(0, 0));
    EXPECT_EQ(a.getClippingLimits().getMax(), SbVec2f(190, 277));
}

TEST(ColorTest, TranslationComparesExactly) {
    RecordingAction a;
    const SbColor kept[3] = {SbColor(0.5f, 0.5f, 0.5f), SbColor(0, 0, 0.001f),
                             SbColor(1, 1, 0.9999f)};
    for (const SbColor &c : kept)
        EXPECT_EQ(a.translateColor(c), c);
    EXPECT_EQ(a.translateColor(SbColor(0, 0, 0)), SbColor(1, 1, 1));
    EXPECT_EQ(a.translateColor(SbColor(1, 1, 1)), SbColor(0, 0, 0));
    a.setColorTranslationMethod(VA::INVERT_COLORS);
    EXPECT_EQ(a.translateColor(SbColor(1, 0.25f, 0)), SbColor(0, 0.75f, 1));
    a.setColorTranslationMethod(VA::KEEP_COLORS);
    EXPECT_EQ(a.translateColor(SbColor(0, 0, 0)), SbColor(0, 0, 0));
}

TEST(PenTest, DescriptionsDefaultPalettesAndLimits) {
    RecordingAction a;
    EXPECT_EQ(pen(a, SbColor(1, 0, 0), 0.7f), std::make_pair(0, 0.7f)); // no pens
    a.setPenDescription(3, nullptr, nullptr);
    ASSERT_EQ(a.getPenNum(), 4);
    SbColor colors[8];
    float widths[8];
    a.getPenDescription(colors, widths);
    const SbColor palette[4] = {SbColor(1, 1, 1), SbColor(0, 0, 0), SbColor(1, 0, 0),
                                SbColor(0, 1, 0)};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(colors[i], palette[i]) << i;
        EXPECT_FLOAT_EQ(widths[i], 0.35277778f);
    }
    a.getPenDescription(colors, widths, VA::INCH);
    EXPECT_NEAR(widths[0], 1.0f / 72.0f, 1e-7f);
    a.setPenDescription(5, nullptr, nullptr);
    EXPECT_EQ(a.getPenNum(), 8);
    a.setPenDescription(1, nullptr, nullptr);
    EXPECT_EQ(a.getPenNum(), 2);
    // At most 256 pens: red, pen 299, is cut off and the nearest remaining pen is chosen.
    std::vector<SbColor> many(300, SbColor(0.5f, 0.5f, 0.5f));
    many[299] = SbColor(1, 0, 0);
    a.setPenDescription(300, many.data(), nullptr);
    EXPECT_EQ(a.getPenNum(), 256);
    EXPECT_LT(pen(a, SbColor(1, 0, 0), 0.35f).first, 256);
    a.setPenDescription(0);
    EXPECT_EQ(a.getPenNum(), 0);
}

TEST(PenTest, ColourPriorityThenWidth) {
    RecordingAction a;
    const SbColor twoColours[2] = {SbColor(1, 0, 0), SbColor(0, 0, 1)};
    const float twoWidths[2] = {0.5f, 1.0f};
    a.setPenDescription(2, twoColours, twoWidths);
    EXPECT_EQ(pen(a, SbColor(0, 0, 1), 0.2f), std::make_pair(1, 1.0f));
    EXPECT_EQ(pen(a, SbColor(0.9f, 0.1f, 0), 1.0f).first, 0); // the nearest colour
    // Among pens of the colour, the nearest width.
    const SbColor sameColour[2] = {SbColor(0, 1, 0), SbColor(0, 1, 0)};
    const float sameWidths[2] = {0.3f, 0.7f};
    a.setPenDescription(2, sameColour, sameWidths);
    EXPECT_FLOAT_EQ(pen(a, SbColor(0, 1, 0), 0.5f).second, 0.3f);
    EXPECT_FLOAT_EQ(pen(a, SbColor(0, 1, 0), 0.2f).second, 0.3f);
    EXPECT_FLOAT_EQ(pen(a, SbColor(0, 1, 0), 1.0f).second, 0.7f);
}

TEST(PenTest, WidthPriorityThenColour) {
    RecordingAction a;
    const SbColor colours[2] = {SbColor(1, 0, 0), SbColor(0, 0, 1)};
    const float widths[2] = {0.3f, 0.7f};
    a.setPenDescription(2, colours, widths);
    a.setColorPriority(0);
    EXPECT_EQ(pen(a, SbColor(1, 0, 0), 0.7f).first, 1);
    EXPECT_EQ(pen(a, SbColor(0, 0, 1), 0.5f).first, 0);
    EXPECT_EQ(pen(a, SbColor(0, 0, 1), 0.1f).first, 0);
    // Equal widths: the colour decides.
    const float equal[2] = {0.5f, 0.5f};
    a.setPenDescription(2, colours, equal);
    EXPECT_EQ(pen(a, SbColor(0, 0, 0.9f), 0.5f).first, 1);
    // Widths given in inches are held in millimetres.
    const float inches[2] = {0.1f, 0.2f};
    a.setPenDescription(2, colours, inches, VA::INCH);
    EXPECT_EQ(pen(a, SbColor(1, 0, 0), 5.08f).first, 1);
    EXPECT_FLOAT_EQ(pen(a, SbColor(1, 0, 0), 5.08f).second, 5.08f);
}
