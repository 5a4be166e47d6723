// The removal driver inside the action: what each mode stores, how runs are numbered, how the
// stored primitives print, and two actions removing hidden surfaces on two threads at once.
#include <fstream>
#include <sstream>
#include <thread>
#include "../capture/CaptureTestSupport.h"
#include "HlhsrTestSupport.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/SoVectorizePSAction.h"

using namespace capture_test;

namespace {
Printed printWith(SoVectorizeAction::HLHSRMode mode, const std::string &inventor) {
    RecordingAction action;
    action.setHLHSRMode(mode);
    return print(inventor, action);
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A lit scene whose faces overlap in view: a sphere through a tilted box.
std::string overlappingSolids(float angle) {
    return "#Inventor V2.1 ascii\nSeparator { PerspectiveCamera { position 0 0 6 } DirectionalLight {} "
           "Separator { RotationXYZ { axis X angle " + std::to_string(angle) + " } Cube { width 3 height 0.6 } } "
           "Sphere {} }";
}

void writePainted(const std::string &scene, const std::string &path) {
    SoInput in;
    in.setBuffer(scene.data(), scene.size());
    SoSeparator *root = SoDB::readAll(&in);
    root->ref();
    SoVectorizePSAction action;
    action.enableLighting(1);
    action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_PAINTER);
    action.getOutput()->openFile(path.c_str());
    action.apply(root);
    action.getOutput()->closeFile();
    root->unref();
}
} // namespace

TEST(RemovalDriver, PainterStoresSegmentsAndSinglePointsDepthSortWholeStrips) {
    const std::string strip = "Coordinate3 { point [ -0.8 0 0, -0.4 0.2 0, 0 0 0, 0.4 0.2 0, 0.8 0 0 ] } "
                              "LineSet { numVertices 5 } ";
    const Printed painter = printWith(SoVectorizeAction::HIDDEN_BY_PAINTER, strip);
    ASSERT_EQ(painter.kinds, "polyline polyline polyline polyline");
    for (int i = 0; i < 4; i++) // equal depths: printed in the order they were stored
        expectNpc(painter.calls[i], {{-0.8f + 0.4f * i, 0.2f * (i % 2)}, {-0.4f + 0.4f * i, 0.2f * ((i + 1) % 2)}});
    const Printed sorted = printWith(SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, strip);
    ASSERT_EQ(sorted.kinds, "polyline");
    EXPECT_EQ(sorted.calls[0].points.size(), 5u);

    // A marker set becomes one-point marker sets, printed with the marker set, never as dots.
    const std::string markers = "Coordinate3 { point [ 0 0 0, 0.5 0 0 ] } MarkerSet { markerIndex 3 } ";
    EXPECT_EQ(printWith(SoVectorizeAction::HIDDEN_BY_PAINTER, markers).kinds, "markerset markerset");
    EXPECT_EQ(printWith(SoVectorizeAction::HIDDEN_BY_DEPTH_SORT, markers).kinds, "markerset");
}

TEST(RemovalDriver, PrintsEveryTextLineLowerOnThePage) {
    const Printed text = printWith(SoVectorizeAction::HIDDEN_BY_PAINTER,
                                   "Font { size 12 } Text2 { string [ \"one\", \"two\", \"three\" ] spacing 1.5 }");
    ASSERT_EQ(text.kinds, "text text text");
    const float step = 0.35277778f * 12 * 1.5f;
    for (int i = 0; i < 3; i++)
        expectPagePoint(text.calls[i].points[0], pageX(0), pageY(0) - step * i);
    EXPECT_EQ(text.calls[2].text, "three");
}

TEST(RemovalDriver, NumbersEachRunFromZeroAndKeepsCopiesOfWhatItStores) {
    RecordingAction action;
    SoHLHSRVectorize driver(&action, SoHLHSRVectorize::PAINTER_ORDER);
    SbVec4f points[2] = {SbVec4f(0, 0, 0, 1), SbVec4f(0.5f, 0, 0, 1)};
    const SbColor colors[2] = {SbColor(0, 0, 0), SbColor(0, 0, 0)};
    for (int run = 0; run < 2; run++) {
        driver.startHLHSR();
        driver.storePolyMark(points, 2, colors, 0, 2, nullptr);
        std::string font = "Courier", line = "kept";
        SbString lines[1] = {SbString(line.c_str())};
        driver.storeText2D(points, SbColor(0, 0, 0), font.c_str(), 10, 1, lines, 1, 1, 0);
        font = "Overwritten";
        lines[0] = SbString("gone");
        ASSERT_EQ(driver.getPrimitives()->getLength(), 3);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(driver.getPrimitives()->get(i)->priority, i);
        driver.endHLHSR();
    }
    const std::vector<RecordedCall> texts = action.callsOf("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "kept");
    EXPECT_EQ(action.callsOf("marks").size(), 4u);
}

TEST(RemovalDriver, TwoActionsOnTwoThreadsWriteWhatTheyWriteOneAfterTheOther) {
    SoScrivane::init();
    const std::string out = std::string(SCRIVANE_TEST_OUT) + "/hlhsr-thread-";
    const std::string scenes[2] = {overlappingSolids(0.5f), overlappingSolids(-0.8f)};
    writePainted(scenes[0], out + "a-alone.ps");
    writePainted(scenes[1], out + "b-alone.ps");
    std::thread a([&] { writePainted(scenes[0], out + "a-together.ps"); });
    std::thread b([&] { writePainted(scenes[1], out + "b-together.ps"); });
    a.join();
    b.join();
    const std::string aloneA = readFile(out + "a-alone.ps"), aloneB = readFile(out + "b-alone.ps");
    EXPECT_GT(aloneA.size(), 10000u);
    EXPECT_NE(aloneA, aloneB);
    EXPECT_EQ(readFile(out + "a-together.ps"), aloneA);
    EXPECT_EQ(readFile(out + "b-together.ps"), aloneB);
}
