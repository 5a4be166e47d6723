// The removal driver inside the action: what each mode stores and how it prints, how runs are
// numbered, and two actions removing hidden surfaces on two threads at once.
#include "../capture/CaptureTestSupport.h"
#include "scrivane/PrimitiveList.h"
#include "scrivane/SoHLHSRVectorize.h"
#include "scrivane/SoVectorizePSAction.h"
#include <fstream>
#include <sstream>
#include <thread>

using namespace capture_test;

namespace {

Printed printWith(SoVectorizeAction::HLHSRMode mode, const std::string &scene) {
    RecordingAction action;
    action.setHLHSRMode(mode);
    return print(scene, action);
}

TEST(RemovalDriver, StoresWhatEachModeKeepsAndPrintsIt) {
    const auto painter = SoVectorizeAction::HIDDEN_BY_PAINTER,
               depthSort = SoVectorizeAction::HIDDEN_BY_DEPTH_SORT;
    // The painter stores a strip's segments, printed in the order stored at equal depths;
    // depth sorting stores the whole strip.
    const std::string strip = "Coordinate3 { point [ -0.8 0 0, -0.4 0.2 0, 0 0 0, 0.4 0.2 0, "
                              "0.8 0 0 ] } LineSet { numVertices 5 } ";
    const Printed segments = printWith(painter, strip);
    ASSERT_EQ(segments.kinds, "polyline polyline polyline polyline");
    for (int i = 0; i < 4; i++)
        expectNpc(segments.calls[i],
                  {{-0.8f + 0.4f * i, 0.2f * (i % 2)}, {-0.4f + 0.4f * i, 0.2f * ((i + 1) % 2)}});
    const Printed whole = printWith(depthSort, strip);
    ASSERT_EQ(whole.kinds, "polyline");
    EXPECT_EQ(whole.calls[0].points.size(), 5u);
    // A marker set becomes one-point marker sets, printed with the marker set, never as dots.
    const std::string markers = "Coordinate3 { point [ 0 0 0, 0.5 0 0 ] } "
                                "MarkerSet { markerIndex 3 } ";
    EXPECT_EQ(printWith(painter, markers).kinds, "markerset markerset");
    EXPECT_EQ(printWith(depthSort, markers).kinds, "markerset");
    // Every line of a text, each lower on the page by the line spacing.
    const Printed text =
        printWith(painter, "Font { size 12 } Text2 { string [ \"one\", \"two\", \"three\" ] "
                           "spacing 1.5 }");
    ASSERT_EQ(text.kinds, "text text text");
    for (int i = 0; i < 3; i++)
        expectPagePoint(text.calls[i].points[0], pageX(0), pageY(0) - 0.35277778f * 18 * i);
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
    // Lit scenes whose faces overlap in view (a sphere through a tilted box) and a zigzag of
    // segments at one depth, whose ties only their numbers order. Twenty applies on each thread
    // give the runs of the two threads many chances to interleave.
    std::string rest = " } Cube { width 3 height 0.6 } } Coordinate3 { point [ ";
    for (int i = 0; i <= 100; i++)
        rest += std::to_string(i / 50.0 - 1) + (i % 2 ? " 0.2 2, " : " -0.2 2, ");
    rest += "] } LineSet { } Sphere {}";
    auto solids = [&rest](const char *angle) {
        return "PerspectiveCamera { position 0 0 6 } DirectionalLight {} Separator { RotationXYZ "
               "{ axis X angle " +
               std::string(angle) + rest;
    };
    const Scene scenes[2] = {Scene(solids("0.5")), Scene(solids("-0.8"))};
    // The painter's PostScript of scene i, written `runs` times to a file of the given name.
    auto write = [&scenes](int i, const std::string &name, int runs, std::string *text) {
        const std::string path = std::string(SCRIVANE_TEST_OUT) + "/hlhsr-thread-" + name + ".ps";
        for (int run = 0; run < runs; run++) {
            SoVectorizePSAction action;
            action.enableLighting(1);
            action.setHLHSRMode(SoVectorizeAction::HIDDEN_BY_PAINTER);
            action.getOutput()->openFile(path.c_str());
            action.apply(scenes[i].root);
            action.getOutput()->closeFile();
            std::ostringstream s;
            s << std::ifstream(path, std::ios::binary).rdbuf();
            text[run] = s.str();
        }
    };
    std::string alone[2], together[2][20];
    write(0, "a-alone", 1, &alone[0]);
    write(1, "b-alone", 1, &alone[1]);
    std::thread a(write, 0, "a-together", 20, together[0]),
        b(write, 1, "b-together", 20, together[1]);
    a.join();
    b.join();
    EXPECT_GT(alone[0].size(), 10000u);
    EXPECT_NE(alone[0], alone[1]);
    for (int run = 0; run < 20; run++) {
        EXPECT_EQ(together[0][run], alone[0]) << run;
        EXPECT_EQ(together[1][run], alone[1]) << run;
    }
}

} // namespace
