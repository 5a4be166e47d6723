// File inclusion and files named by nodes, resolved relative to the scene file (tests/data/io).
#include "io_test_util.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoSphere.h"
#include <gtest/gtest.h>

namespace {

// A scene read from a file of tests/data/io, with its messages.
struct ReadFile : Read {
    explicit ReadFile(const char *name) : Read(File{dataFile(name)}) {}
    // The one message there must be, which must be a warning or an error and contain needle.
    void expectOnly(SoInputMessage::Severity severity, const std::string &needle) const {
        ASSERT_EQ(msgs.all.size(), 1u) << msgs.text();
        EXPECT_EQ(msgs.all[0].severity, severity) << msgs.text();
        EXPECT_NE(msgs.all[0].formatted.std().find(needle), std::string::npos) << msgs.text();
    }
};

TEST(Include, NestedFilesRelativeToTheIncludingFileAndAMissingOne) {
    ReadFile r("include_main.iv");
    ASSERT_TRUE(r.root) << r.msgs.text();
    ASSERT_EQ(r.root->getNumChildren(), 3);
    SoNode *part = r.at({0});
    ASSERT_TRUE(part->isOfType(SoFile::getClassTypeId()));
    EXPECT_EQ(static_cast<SoFile *>(part)->name.getValue(), "sub/part.iv");
    ASSERT_EQ(part->getChildren()->getLength(), 2);
    EXPECT_EQ(child(part, {0})->getName(), SbName("part"));
    EXPECT_TRUE(child(part, {1})->isOfType(SoCone::getClassTypeId()));
    // sub/part.iv includes leaf.iv next to it.
    ASSERT_TRUE(child(part, {0, 0})->isOfType(SoFile::getClassTypeId()));
    SoNode *leaf = child(part, {0, 0, 0});
    ASSERT_TRUE(leaf && leaf->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(static_cast<SoCube *>(leaf)->width.getValue(), 7.0f);
    EXPECT_TRUE(child(part, {0, 1})->isOfType(SoSphere::getClassTypeId()));
    SoNode *missing = r.at({1});
    ASSERT_TRUE(missing->isOfType(SoFile::getClassTypeId()));
    EXPECT_EQ(missing->getChildren()->getLength(), 0);
    EXPECT_EQ(static_cast<SoCube *>(r.at({2}))->width.getValue(), 5.0f);
    r.expectOnly(SoInputMessage::WARNING_MESSAGE,
                 "include_main.iv:5:3: warning: included file 'does_not_exist.iv' not found");
}

TEST(Include, CyclesErrorsAndBinaryFiles) {
    ReadFile cycle("include_cycle_a.iv");
    EXPECT_FALSE(cycle.root);
    cycle.expectOnly(SoInputMessage::ERROR_MESSAGE, "File inclusions nested deeper than 16 levels");
    // An error inside an included file names that file.
    ReadFile error("include_error.iv");
    EXPECT_FALSE(error.root);
    error.expectOnly(SoInputMessage::ERROR_MESSAGE,
                     "sub/broken.iv:3:16: expected a number for field 'width' of 'Cube', found '}'");
    ReadFile binary("include_binary.iv");
    ASSERT_TRUE(binary.root) << binary.msgs.text();
    ASSERT_EQ(binary.root->getNumChildren(), 2);
    EXPECT_EQ(binary.at({0})->getChildren()->getLength(), 0);
    binary.expectOnly(SoInputMessage::WARNING_MESSAGE, "binary scene files are not supported");
}

TEST(Include, SearchDirectoriesAndOneNameScopePerFile) {
    SoDB::init();
    Messages msgs;
    SoInput in;
    msgs.attach(in);
    in.addDirectoryLast("/nonexistent");
    in.addDirectoryLast((std::string(SCRIVANE_TEST_DATA) + "/io").c_str());
    std::string text = "#Inventor V2.1 ascii\nSeparator { File { name \"sub/part.iv\" } }";
    in.setBuffer(text.data(), text.size());
    Held<SoSeparator> root(SoDB::readAll(&in));
    ASSERT_TRUE(root) << msgs.text();
    EXPECT_EQ(child(root.get(), {0})->getChildren()->getLength(), 2);
    // DEF names of an included file stay in that file.
    text = "#Inventor V2.1 ascii\nSeparator { File { name \"sub/part.iv\" } USE part }";
    in.setBuffer(text.data(), text.size());
    Held<SoSeparator> scoped(SoDB::readAll(&in));
    EXPECT_FALSE(scoped);
    EXPECT_NE(msgs.all.back().text.std().find("USE of undefined name 'part'"), std::string::npos);
}

TEST(Include, ImageFileNamesAreResolvedAgainstTheSceneFile) {
    ReadFile r("image_scene.iv");
    ASSERT_TRUE(r.root) << r.msgs.text();
    SoImage *image = static_cast<SoImage *>(r.at({0}));
    EXPECT_EQ(image->getSearchDirectory(), std::string(SCRIVANE_TEST_DATA) + "/io");
    SbVec2s size;
    int nc = 0;
    const unsigned char *pixels = image->image.getValue(size, nc);
    ASSERT_NE(pixels, nullptr) << r.msgs.text();
    EXPECT_EQ(size, SbVec2s(2, 2));
    EXPECT_EQ(nc, 1);
    EXPECT_EQ(pixels[0] + pixels[1] + pixels[2] + pixels[3], 0 + 127 + 128 + 255);
    r.expectOnly(SoInputMessage::WARNING_MESSAGE, "image_scene.iv:4:");
    EXPECT_NE(r.msgs.all[0].text.std().find("cannot read the image file 'sub/absent.png'"), std::string::npos);
}

} // namespace
