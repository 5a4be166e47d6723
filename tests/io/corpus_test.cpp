// The scene files of the shared corpus (../shared/corpus/iv), written by others: each must read,
// or be refused with a message naming what is not supported. Some files are checked in detail
// for the constructs they are known to hold.
#include "io_test_util.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/misc/SoDB.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTexture2.h"
#include "scene/nodes/SoUnits.h"
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>

namespace fs = std::filesystem;

namespace {

std::string corpusDir() {
    return std::string(SCRIVANE_SHARED_DIR) + "/corpus/iv";
}

struct ReadResult {
    Messages msgs;
    SoSeparator *root = nullptr; // referenced while the result lives
    double seconds = 0;
    ~ReadResult() {
        if (root) root->unref();
    }
};

void readCorpusFile(const std::string &path, ReadResult &r) {
    SoDB::init();
    SoInput in;
    r.msgs.attach(in);
    ASSERT_TRUE(in.openFile(path.c_str())) << r.msgs.text();
    auto start = std::chrono::steady_clock::now();
    r.root = SoDB::readAll(&in);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (r.root) r.root->ref();
}

// Every node of a type (derived types included) below root, following File children too.
std::vector<SoNode *> findAll(SoNode *root, SoType type) {
    SoSearchAction search;
    search.setType(type);
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(true);
    search.apply(root);
    std::vector<SoNode *> found;
    for (int i = 0; i < search.getPaths().getLength(); i++)
        found.push_back(search.getPaths()[i]->getTail());
    return found;
}

#define REQUIRE_CORPUS()                                                                           \
    if (!fs::is_directory(corpusDir()))                                                            \
    GTEST_SKIP() << "corpus folder " << corpusDir() << " is absent"

TEST(Corpus, EveryFileReadsOrIsRefusedWithAReason) {
    REQUIRE_CORPUS();
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(corpusDir()))
        if (entry.is_regular_file() && entry.path().extension() == ".iv")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    int read = 0, refused = 0;
    std::string largest;
    uintmax_t largestSize = 0;
    for (const std::string &file : files) {
        ReadResult r;
        readCorpusFile(file, r);
        std::string shortName = file.substr(corpusDir().size() + 1);
        if (r.root) {
            ++read;
            EXPECT_EQ(r.msgs.errors(), 0) << shortName;
            if (r.msgs.warnings())
                std::cout << "[ read    ] " << shortName << " with " << r.msgs.warnings()
                          << " warning(s), first: " << r.msgs.all[0].text.getString() << "\n";
        } else {
            ++refused;
            ASSERT_EQ(r.msgs.errors(), 1) << shortName;
            const std::string &why = r.msgs.all.back().text.std();
            EXPECT_TRUE(why.find("not supported") != std::string::npos ||
                        why.find("unsupported") != std::string::npos)
                << shortName << ": " << why;
            std::cout << "[ refused ] " << shortName << ": " << why << "\n";
        }
        uintmax_t size = fs::file_size(file);
        if (size > largestSize) {
            largestSize = size;
            largest = shortName + " (" + std::to_string(size) + " bytes) in " +
                      std::to_string(r.seconds) + " s";
        }
    }
    std::cout << "[ corpus  ] " << files.size() << " files: " << read << " read, " << refused
              << " refused; largest " << largest << "\n";
    EXPECT_EQ(read + refused, static_cast<int>(files.size()));
}

TEST(Corpus, LargestFileReadsFast) {
    REQUIRE_CORPUS();
    ReadResult r;
    readCorpusFile(corpusDir() + "/graspit-pkgs/jaco_6_hand_limb.iv", r);
    ASSERT_TRUE(r.root) << r.msgs.text();
    // About 3.4 MB: well under a second unoptimized with sanitizers on this machine; the bound only
    // catches quadratic behaviour.
    EXPECT_LT(r.seconds, 10.0);
}

TEST(Corpus, SharedLegsOfTheTable) {
    REQUIRE_CORPUS();
    ReadResult r;
    readCorpusFile(corpusDir() + "/graspit/table.iv", r);
    ASSERT_TRUE(r.root) << r.msgs.text();
    SoNode *leg = child(r.root, {3, 1});
    ASSERT_NE(leg, nullptr);
    EXPECT_EQ(leg->getName(), SbName("leg"));
    EXPECT_EQ(child(r.root, {4, 1}), leg);
    EXPECT_EQ(child(r.root, {5, 1}), leg);
    EXPECT_EQ(child(r.root, {6, 1}), leg);
    std::vector<SoNode *> textures = findAll(r.root, SoTexture2::getClassTypeId());
    ASSERT_EQ(textures.size(), 1u);
    EXPECT_EQ(static_cast<SoTexture2 *>(textures[0])->filename.getValue(), "textures/wood.jpg");
}

TEST(Corpus, NestedIncludesOfTheHand) {
    REQUIRE_CORPUS();
    ReadResult r;
    readCorpusFile(corpusDir() + "/kautham/sahand/SAH-hand-left.iv", r);
    ASSERT_TRUE(r.root) << r.msgs.text();
    EXPECT_EQ(r.msgs.all.size(), 0u) << r.msgs.text();
    std::vector<SoNode *> files = findAll(r.root, SoFile::getClassTypeId());
    ASSERT_GE(files.size(), 6u);
    int nested = 0;
    for (SoNode *f : files) {
        EXPECT_GT(f->getChildren()->getLength(), 0)
            << static_cast<SoFile *>(f)->name.getValue().getString();
        for (SoNode *g : findAll(f, SoFile::getClassTypeId()))
            if (g != f) ++nested;
    }
    EXPECT_GT(nested, 0);
}

TEST(Corpus, MissingIncludesAndUnknownNodesAreWarnings) {
    REQUIRE_CORPUS();
    struct Case {
        const char *file;
        int warnings;
        const char *needle;
    } cases[] = {
        {"graspit/kanguera/carpo-2.iv", 4, "not found"},
        {"simox/lego_gate.iv", 15, "included file 'duplo_2x2_red.wrl' not found"},
        {"simox/armar3_convex_head_SoUnits.iv", 1, "not found"},
        {"kautham/AllegroHandOptoforce_vrmlnodes.iv", 4, "unknown node type 'VRMLGroup'"},
        {"density/vol_fields.iv", 1, "unknown node type 'SoTransferFunction'"},
    };
    for (const Case &c : cases) {
        ReadResult r;
        readCorpusFile(corpusDir() + "/" + c.file, r);
        ASSERT_TRUE(r.root) << c.file << "\n" << r.msgs.text();
        EXPECT_EQ(r.msgs.warnings(), c.warnings) << c.file << "\n" << r.msgs.text();
        ASSERT_FALSE(r.msgs.all.empty());
        EXPECT_NE(r.msgs.all[0].text.std().find(c.needle), std::string::npos) << r.msgs.text();
        EXPECT_GT(r.msgs.all[0].line, 0);
    }
    ReadResult units;
    readCorpusFile(corpusDir() + "/simox/armar3_convex_head_SoUnits.iv", units);
    ASSERT_TRUE(units.root);
    std::vector<SoNode *> found = findAll(units.root, SoUnits::getClassTypeId());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(static_cast<SoUnits *>(found[0])->units.getValue(), SoUnits::MILLIMETERS);
}

TEST(Corpus, VersionOneFilesAndConnectionsWithEightBitStrings) {
    REQUIRE_CORPUS();
    ReadResult v1;
    readCorpusFile(corpusDir() + "/graspit/karlsruhe_v1/index_l2_whole.iv", v1);
    ASSERT_TRUE(v1.root) << v1.msgs.text();
    std::vector<SoNode *> hints = findAll(v1.root, SoShapeHints::getClassTypeId());
    ASSERT_EQ(hints.size(), 2u);
    for (SoNode *h : hints) {
        EXPECT_EQ(static_cast<SoShapeHints *>(h)->vertexOrdering.getValue(),
                  SoShapeHints::COUNTERCLOCKWISE);
        EXPECT_EQ(static_cast<SoShapeHints *>(h)->shapeType.getValue(), SoShapeHints::SOLID);
    }

    ReadResult synthia;
    readCorpusFile(corpusDir() + "/synthia/test.iv", synthia);
    ASSERT_TRUE(synthia.root) << synthia.msgs.text();
    EXPECT_EQ(synthia.msgs.all.size(), 0u) << synthia.msgs.text();
    std::vector<SoNode *> texts = findAll(synthia.root, SoText2::getClassTypeId());
    ASSERT_GT(texts.size(), 100u);
    EXPECT_EQ(static_cast<SoText2 *>(texts[0])->string[0], "7000");
    bool eightBit = false;
    for (SoNode *t : texts)
        for (unsigned char c : static_cast<SoText2 *>(t)->string[0].std())
            if (c >= 0x80) eightBit = true;
    EXPECT_TRUE(eightBit);
}

} // namespace
