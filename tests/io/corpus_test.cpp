// The scene files of the shared corpus (../shared/corpus/iv), written by others: each must read,
// or be refused with a message naming what is not supported. Some files are checked in detail
// for the constructs they are known to hold.
#include "io_test_util.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/nodes/SoText2.h"
#include "scene/nodes/SoTexture2.h"
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>

namespace fs = std::filesystem;

namespace {

std::string corpusDir() { return std::string(SCRIVANE_SHARED_DIR) + "/corpus/iv"; }

// A corpus file read, with its messages and the time the reading took.
struct CorpusFile : Read {
    explicit CorpusFile(const std::string &relative) : Read(File{corpusDir() + "/" + relative}) {}
};

// Every node of a type (derived types included) below root, following File children too.
std::vector<SoNode *> findAll(SoNode *root, SoType type) {
    SoSearchAction search;
    search.setType(type);
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(true);
    search.apply(root);
    std::vector<SoNode *> found;
    for (int i = 0; i < search.getPaths().getLength(); i++) found.push_back(search.getPaths()[i]->getTail());
    return found;
}

#define REQUIRE_CORPUS()                                                                                               \
    if (!fs::is_directory(corpusDir())) GTEST_SKIP() << "corpus folder " << corpusDir() << " is absent"

TEST(Corpus, EveryFileReadsOrIsRefusedWithAReason) {
    REQUIRE_CORPUS();
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(corpusDir()))
        if (entry.is_regular_file() && entry.path().extension() == ".iv")
            files.push_back(entry.path().string().substr(corpusDir().size() + 1));
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    int refused = 0;
    for (const std::string &file : files) {
        CorpusFile r(file);
        // The largest, about 3.4 MB, takes well under a second unoptimized with sanitizers on this
        // machine; the bound only catches quadratic behaviour.
        EXPECT_LT(r.seconds, 10.0) << file;
        if (r.root) {
            EXPECT_EQ(r.msgs.errors(), 0) << file;
            if (r.msgs.warnings())
                std::cout << "[ read    ] " << file << " with " << r.msgs.warnings()
                          << " warning(s), first: " << r.msgs.all[0].text.getString() << "\n";
            continue;
        }
        ++refused;
        ASSERT_EQ(r.msgs.errors(), 1) << file;
        const std::string &why = r.msgs.all.back().text.std();
        EXPECT_TRUE(why.find("not supported") != std::string::npos || why.find("unsupported") != std::string::npos)
            << file << ": " << why;
        std::cout << "[ refused ] " << file << ": " << why << "\n";
    }
    std::cout << "[ corpus  ] " << files.size() << " files: " << files.size() - refused << " read, " << refused
              << " refused\n";
}

TEST(Corpus, MissingIncludesAndUnknownNodesAreWarnings) {
    REQUIRE_CORPUS();
    const struct {
        const char *file;
        int warnings;
        const char *needle;
    } cases[] = {
        {"graspit/kanguera/carpo-2.iv", 4, "not found"},
        {"simox/lego_gate.iv", 15, "included file 'duplo_2x2_red.wrl' not found"},
        {"simox/armar3_convex_head_SoUnits.iv", 1, "not found"},
        {"kautham/AllegroHandOptoforce_vrmlnodes.iv", 4, "unknown node type 'VRMLGroup'"},
        {"density/vol_fields.iv", 1, "unknown node type 'SoTransferFunction'"},
        {"kautham/sahand/SAH-hand-left.iv", 0, ""},
        {"synthia/test.iv", 0, ""},
    };
    for (const auto &c : cases) {
        CorpusFile r(c.file);
        ASSERT_TRUE(r.root) << c.file << "\n" << r.msgs.text();
        EXPECT_EQ(r.msgs.warnings(), c.warnings) << c.file << "\n" << r.msgs.text();
        EXPECT_EQ(r.msgs.errors(), 0) << c.file;
        if (!c.warnings) continue;
        EXPECT_NE(r.msgs.all[0].text.std().find(c.needle), std::string::npos) << r.msgs.text();
        EXPECT_GT(r.msgs.all[0].line, 0);
    }
}

TEST(Corpus, KnownFilesHoldTheirConstructs) {
    REQUIRE_CORPUS();
    // The table shares one leg four times and names its texture.
    CorpusFile table("graspit/table.iv");
    ASSERT_TRUE(table.root) << table.msgs.text();
    SoNode *leg = table.at({3, 1});
    ASSERT_NE(leg, nullptr);
    EXPECT_EQ(leg->getName(), SbName("leg"));
    for (int i : {4, 5, 6}) EXPECT_EQ(table.at({i, 1}), leg);
    const std::vector<SoNode *> textures = findAll(table.root.get(), SoTexture2::getClassTypeId());
    ASSERT_EQ(textures.size(), 1u);
    EXPECT_EQ(static_cast<SoTexture2 *>(textures[0])->filename.getValue(), "textures/wood.jpg");
    // Field connections, and strings with 8-bit bytes.
    CorpusFile synthia("synthia/test.iv");
    ASSERT_TRUE(synthia.root) << synthia.msgs.text();
    const std::vector<SoNode *> texts = findAll(synthia.root.get(), SoText2::getClassTypeId());
    ASSERT_GT(texts.size(), 100u);
    EXPECT_EQ(static_cast<SoText2 *>(texts[0])->string[0], "7000");
    bool eightBit = false;
    for (SoNode *t : texts)
        for (unsigned char c : static_cast<SoText2 *>(t)->string[0].std()) eightBit |= c >= 0x80;
    EXPECT_TRUE(eightBit);
}

} // namespace
