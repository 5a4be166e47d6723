// File inclusion and files named by nodes, resolved relative to the scene file (tests/data/io).
#include "io_test_util.h"
#include "scene/misc/SoDB.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoSphere.h"
#include <gtest/gtest.h>

namespace {

SoSeparator *readFile(const std::string &path, Messages &msgs) {
    SoDB::init();
    SoInput in;
    msgs.attach(in);
    if (!in.openFile(path.c_str())) return nullptr;
    return SoDB::readAll(&in);
}

bool endsWith(const std::string &s, const std::string &tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Include, NestedFilesRelativeToTheIncludingFileAndAMissingOne) {
    Messages msgs;
    Held<SoSeparator> root(readFile(dataFile("include_main.iv"), msgs));
    ASSERT_TRUE(root) << msgs.text();
    ASSERT_EQ(root->getNumChildren(), 3);

    SoNode *part = child(root.get(), {0});
    ASSERT_TRUE(part->isOfType(SoFile::getClassTypeId()));
    EXPECT_EQ(static_cast<SoFile *>(part)->name.getValue(), "sub/part.iv");
    ASSERT_EQ(part->getChildren()->getLength(), 2);
    EXPECT_EQ(child(part, {0})->getName(), SbName("part"));
    EXPECT_TRUE(child(part, {1})->isOfType(SoCone::getClassTypeId()));
    SoNode *leafFile = child(part, {0, 0});
    ASSERT_TRUE(leafFile->isOfType(SoFile::getClassTypeId()));
    SoNode *leaf = child(leafFile, {0});
    ASSERT_TRUE(leaf && leaf->isOfType(SoCube::getClassTypeId()));
    EXPECT_EQ(static_cast<SoCube *>(leaf)->width.getValue(), 7.0f);
    EXPECT_TRUE(child(part, {0, 1})->isOfType(SoSphere::getClassTypeId()));

    SoNode *missing = child(root.get(), {1});
    ASSERT_TRUE(missing->isOfType(SoFile::getClassTypeId()));
    EXPECT_EQ(missing->getChildren()->getLength(), 0);
    EXPECT_EQ(static_cast<SoCube *>(child(root.get(), {2}))->width.getValue(), 5.0f);

    ASSERT_EQ(msgs.warnings(), 1) << msgs.text();
    EXPECT_EQ(msgs.errors(), 0);
    const SoInputMessage &w = msgs.all[0];
    EXPECT_TRUE(endsWith(w.fileName.std(), "include_main.iv"));
    EXPECT_EQ(w.line, 5);
    EXPECT_EQ(w.column, 3);
    EXPECT_NE(w.text.std().find("included file 'does_not_exist.iv' not found"), std::string::npos);
}

TEST(Include, AFileIncludingItselfIsRefused) {
    Messages msgs;
    Held<SoSeparator> root(readFile(dataFile("include_cycle_a.iv"), msgs));
    EXPECT_FALSE(root);
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_NE(msgs.all[0].text.std().find("File inclusions nested deeper than 16 levels"),
              std::string::npos);
}

TEST(Include, AnErrorInsideAnIncludedFileNamesThatFile) {
    Messages msgs;
    Held<SoSeparator> root(readFile(dataFile("include_error.iv"), msgs));
    EXPECT_FALSE(root);
    ASSERT_EQ(msgs.errors(), 1);
    EXPECT_TRUE(endsWith(msgs.all[0].fileName.std(), "sub/broken.iv")) << msgs.text();
    EXPECT_NE(msgs.all[0].formatted.std().find(
                  "sub/broken.iv:3:16: expected a number for field 'width' of 'Cube', found '}'"),
              std::string::npos)
        << msgs.text();
}

TEST(Include, ABinaryIncludedFileIsSkippedWithAWarning) {
    Messages msgs;
    Held<SoSeparator> root(readFile(dataFile("include_binary.iv"), msgs));
    ASSERT_TRUE(root) << msgs.text();
    ASSERT_EQ(root->getNumChildren(), 2);
    EXPECT_EQ(child(root.get(), {0})->getChildren()->getLength(), 0);
    ASSERT_EQ(msgs.warnings(), 1);
    EXPECT_NE(msgs.all[0].text.std().find("binary scene files are not supported"),
              std::string::npos);
}

TEST(Include, SearchDirectoriesAndOneNameScopePerFile) {
    SoDB::init();
    std::string text = "#Inventor V2.1 ascii\nSeparator { File { name \"sub/part.iv\" } }";
    Messages msgs;
    SoInput in;
    msgs.attach(in);
    in.addDirectoryLast("/nonexistent");
    in.addDirectoryLast((std::string(SCRIVANE_TEST_DATA) + "/io").c_str());
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
    Messages msgs;
    Held<SoSeparator> root(readFile(dataFile("image_scene.iv"), msgs));
    ASSERT_TRUE(root) << msgs.text();
    SoImage *image = static_cast<SoImage *>(child(root.get(), {0}));
    EXPECT_EQ(image->getSearchDirectory(), std::string(SCRIVANE_TEST_DATA) + "/io");
    SbVec2s size;
    int nc = 0;
    const unsigned char *pixels = image->image.getValue(size, nc);
    ASSERT_NE(pixels, nullptr) << msgs.text();
    EXPECT_EQ(size, SbVec2s(2, 2));
    EXPECT_EQ(nc, 1);
    EXPECT_EQ(pixels[0] + pixels[1] + pixels[2] + pixels[3], 0 + 127 + 128 + 255);
    ASSERT_EQ(msgs.warnings(), 1) << msgs.text();
    EXPECT_EQ(msgs.all[0].line, 4);
    EXPECT_NE(msgs.all[0].text.std().find("cannot read the image file 'sub/absent.png'"),
              std::string::npos);
}

} // namespace
