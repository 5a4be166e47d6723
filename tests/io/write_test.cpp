// SoWriteAction and SoOutput: the written text, and reading it back giving the same scene.
#include "io_test_util.h"
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoInfo.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoSphere.h"
#include "scene/nodes/SoUnknownNode.h"
#include "scene/nodes/SoVertexProperty.h"
#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

// Every node class that files can name (SoFile is tested on its own: it reads a file).
// clang-format off
const char *const NODE_TYPES[] = {"SoAnnoText3", "SoAnnoText3Property", "SoAnnotation", "SoAsciiText", "SoBaseColor",
    "SoComplexity", "SoCone", "SoCoordinate3", "SoCube", "SoCylinder", "SoDirectionalLight", "SoDrawStyle",
    "SoEnvironment", "SoFaceSet", "SoFont", "SoGroup", "SoImage", "SoIndexedFaceSet", "SoIndexedLineSet",
    "SoIndexedTriangleStripSet", "SoInfo", "SoLOD", "SoLabel", "SoLevelOfDetail", "SoLightModel", "SoLineSet",
    "SoPointSet", "SoMarkerSet", "SoMaterial", "SoMaterialBinding", "SoMatrixTransform", "SoNormal",
    "SoNormalBinding", "SoOrthographicCamera", "SoPackedColor", "SoPattern", "SoPerspectiveCamera", "SoPickStyle",
    "SoPointLight", "SoQuadMesh", "SoResetTransform", "SoRotation", "SoRotationXYZ", "SoScale", "SoSeparator",
    "SoShapeHints", "SoSphere", "SoSpotLight", "SoSwitch", "SoText2", "SoText3", "SoTransform",
    "SoTransformSeparator", "SoTranslation", "SoTriangleStripSet", "SoUnits", "SoVertexProperty", "SoTexture2",
    "SoTextureCoordinate2", "SoTextureCoordinateBinding", "SoTexture2Transform", "SoEventCallback"};
// clang-format on
const int NODE_TYPE_COUNT = sizeof NODE_TYPES / sizeof *NODE_TYPES;

template <class F> F *as(SoField *f) { return static_cast<F *>(f); }
template <class F> const F *as(const SoField *f) { return static_cast<const F *>(f); }

// An enum value of the table other than the current one (or a made-up one for an empty table).
int otherEnumValue(const SoEnumTable &table, int current) {
    SbName name;
    for (int i = table.getNumEnums() - 1; i >= 0; i--)
        if (table.getEnum(i, name) != current) return table.getEnum(i, name);
    return current + 1;
}

int allBits(const SoEnumTable &table) {
    SbName name;
    int v = 0;
    for (int i = 0; i < table.getNumEnums(); i++) v |= table.getEnum(i, name);
    return v;
}

// Sets the value (or the list of values) when the field is of type F; true if it was.
template <class F, class V> bool put(SoField *f, const V &v) {
    if (f->getTypeId() != F::getClassTypeId()) return false;
    as<F>(f)->setValue(v);
    return true;
}
template <class F, class T> bool putList(SoField *f, std::initializer_list<T> v) {
    if (f->getTypeId() != F::getClassTypeId()) return false;
    as<F>(f)->getVector().assign(v.begin(), v.end());
    return true;
}

// Gives a field a value unlike its default; node fields get the shared node.
void setDistinct(SoField *f, SoNode *shared) {
    const SoType t = f->getTypeId();
    const SbMatrix matrix(1.5f, 0, 0, 0, 0, 2, 0.25f, 0, 0, -0.1f, 3, 0, 4, 5, 6, 1);
    if (t == SoSFEnum::getClassTypeId()) {
        as<SoSFEnum>(f)->setValue(otherEnumValue(as<SoSFEnum>(f)->enums(), as<SoSFEnum>(f)->getValue()));
    } else if (t == SoMFEnum::getClassTypeId()) {
        const int first = otherEnumValue(as<SoMFEnum>(f)->enums(), -100);
        as<SoMFEnum>(f)->getVector() = {first, otherEnumValue(as<SoMFEnum>(f)->enums(), first)};
    } else if (t == SoSFImage::getClassTypeId()) {
        unsigned char px[18];
        for (int i = 0; i < 18; i++) px[i] = static_cast<unsigned char>(i * 37);
        as<SoSFImage>(f)->setValue(SbVec2s(3, 2), 3, px);
    } else if (t == SoSFBitMask::getClassTypeId()) {
        as<SoSFBitMask>(f)->setValue(allBits(as<SoSFBitMask>(f)->enums()));
    } else if (t == SoMFBitMask::getClassTypeId()) {
        as<SoMFBitMask>(f)->getVector() = {allBits(as<SoMFBitMask>(f)->enums()), 0};
    } else if (t == SoMFNode::getClassTypeId()) {
        as<SoMFNode>(f)->set1Value(0, shared);
        as<SoMFNode>(f)->set1Value(1, nullptr);
        as<SoMFNode>(f)->set1Value(2, new SoCube);
    } else {
        const bool done =
            put<SoSFBool>(f, t == SoSFBool::getClassTypeId() && !as<SoSFBool>(f)->getValue()) ||
            put<SoSFInt32>(f, -123456) || put<SoSFUInt32>(f, 0xCAFEBABEu) || put<SoSFShort>(f, short(-1234)) ||
            put<SoSFUShort>(f, static_cast<unsigned short>(0xABCD)) || put<SoSFFloat>(f, 0.1f) ||
            put<SoSFName>(f, SbName("a name")) || put<SoSFString>(f, SbString("q \" b \\ n\n 8bit \xe9 ~ # {")) ||
            put<SoSFVec2f>(f, SbVec2f(0.1f, -2.5e-7f)) || put<SoSFVec3f>(f, SbVec3f(1e30f, -0.0f, 3.14159f)) ||
            put<SoSFVec4f>(f, SbVec4f(1, 2, 3, 0.3f)) || put<SoSFColor>(f, SbColor(0.2f, 0.4f, 0.6f)) ||
            put<SoSFRotation>(f, SbRotation(SbVec3f(0, 0.6f, 0.8f), 0.7f)) || put<SoSFMatrix>(f, matrix) ||
            put<SoSFNode>(f, shared) || putList<SoMFBool>(f, {TRUE, FALSE, TRUE}) ||
            putList<SoMFInt32>(f, {0, -1, 2147483647, -2147483647 - 1}) ||
            putList<SoMFUInt32>(f, {0xff0000ffu, 0u, 7u}) || putList<SoMFShort>(f, {-32768, 32767}) ||
            putList<SoMFUShort>(f, {0, 65535}) || putList<SoMFFloat>(f, {0.1f, 1e-40f, -3e38f}) ||
            putList<SoMFName>(f, {SbName("x"), SbName("with blank")}) ||
            putList<SoMFString>(f, {SbString("one"), SbString(""), SbString("three \"3\"")}) ||
            putList<SoMFVec2f>(f, {SbVec2f(1, 2), SbVec2f(0.3f, 4)}) ||
            putList<SoMFVec3f>(f, {SbVec3f(1, 2, 3), SbVec3f(0.1f, 0.2f, 0.3f), SbVec3f(-1, 0, 1e-9f)}) ||
            putList<SoMFVec4f>(f, {SbVec4f(1, 2, 3, 4), SbVec4f(5, 6, 7, 8)}) ||
            putList<SoMFColor>(f, {SbColor(1, 0, 0), SbColor(0.1f, 0.2f, 0.3f)}) ||
            putList<SoMFRotation>(f, {SbRotation(SbVec3f(1, 0, 0), 3.0f), SbRotation()}) ||
            putList<SoMFMatrix>(f, {matrix, SbMatrix()});
        if (!done) {
            ADD_FAILURE() << "no test value for " << t.getName().getString();
            return;
        }
    }
    f->touch();
}

bool sameRotation(const SbRotation &a, const SbRotation &b) {
    const float *p = a.getValue(), *q = b.getValue();
    return std::fabs(std::fabs(p[0] * q[0] + p[1] * q[1] + p[2] * q[2] + p[3] * q[3]) - 1.0f) < 1e-6f;
}

class SceneComparer {
public:
    // Compares structure, names, field flags and values; shared nodes must be shared alike.
    void same(const SoNode *a, const SoNode *b, const std::string &where) {
        if (!a || !b || pairs.count(a)) { // a null node, or one met before
            EXPECT_EQ(a && b ? pairs[a] : a, b) << where << ": nodes or sharing differ";
            return;
        }
        pairs[a] = b;
        const std::string here = where + "/" + a->getTypeId().getName().getString();
        ASSERT_EQ(a->getTypeId(), b->getTypeId()) << here;
        EXPECT_EQ(a->getName(), b->getName()) << here;
        if (a->isOfType(SoUnknownNode::getClassTypeId())) {
            EXPECT_EQ(static_cast<const SoUnknownNode *>(a)->getClassName(),
                      static_cast<const SoUnknownNode *>(b)->getClassName());
        }
        ASSERT_EQ(a->getNumFields(), b->getNumFields()) << here;
        for (int i = 0; i < a->getNumFields(); i++) {
            const std::string at = here + "." + a->getFieldNameAt(i).getString();
            const SoField *fa = a->getFieldAt(i), *fb = b->getFieldAt(i);
            EXPECT_EQ(a->getFieldNameAt(i), b->getFieldNameAt(i)) << at;
            ASSERT_EQ(fa->getTypeId(), fb->getTypeId()) << at;
            EXPECT_EQ(fa->isDefault(), fb->isDefault()) << at;
            EXPECT_EQ(fa->isIgnored(), fb->isIgnored()) << at;
            sameValue(fa, fb, at);
        }
        ++compared;
        const SoChildList *ca = a->getChildren(), *cb = b->getChildren();
        ASSERT_EQ(ca == nullptr, cb == nullptr) << here;
        if (!ca || a->isOfType(SoFile::getClassTypeId())) return;
        ASSERT_EQ(ca->getLength(), cb->getLength()) << here;
        for (int i = 0; i < ca->getLength(); i++) same((*ca)[i], (*cb)[i], here + "[" + std::to_string(i) + "]");
    }
    int compared = 0;

private:
    // Compares with the fields' own == when the field is of one of the types F, setting handled.
    template <class... F> static bool equalAs(const SoField *a, const SoField *b, bool &handled) {
        bool equal = true;
        ((a->getTypeId() == F::getClassTypeId() ? (handled = true, equal = *as<F>(a) == *as<F>(b)) : false), ...);
        return equal;
    }

    void sameValue(const SoField *a, const SoField *b, const std::string &at) {
        const SoType t = a->getTypeId();
        bool handled = false;
        const bool equal =
            equalAs<SoSFBool, SoSFInt32, SoSFUInt32, SoSFShort, SoSFUShort, SoSFFloat, SoSFEnum, SoSFBitMask, SoSFName,
                    SoSFString, SoSFVec2f, SoSFVec3f, SoSFVec4f, SoSFColor, SoSFMatrix, SoSFImage, SoMFBool, SoMFInt32,
                    SoMFUInt32, SoMFShort, SoMFUShort, SoMFFloat, SoMFEnum, SoMFBitMask, SoMFName, SoMFString,
                    SoMFVec2f, SoMFVec3f, SoMFVec4f, SoMFColor, SoMFMatrix>(a, b, handled);
        if (handled) {
            EXPECT_TRUE(equal) << at;
        } else if (t == SoSFRotation::getClassTypeId()) {
            EXPECT_TRUE(sameRotation(as<SoSFRotation>(a)->getValue(), as<SoSFRotation>(b)->getValue())) << at;
        } else if (t == SoMFRotation::getClassTypeId()) {
            const auto &p = as<SoMFRotation>(a)->getVector(), &q = as<SoMFRotation>(b)->getVector();
            ASSERT_EQ(p.size(), q.size()) << at;
            for (size_t i = 0; i < p.size(); i++) EXPECT_TRUE(sameRotation(p[i], q[i])) << at;
        } else if (t == SoSFNode::getClassTypeId()) {
            same(as<SoSFNode>(a)->getValue(), as<SoSFNode>(b)->getValue(), at);
        } else if (t == SoMFNode::getClassTypeId()) {
            const SoMFNode *x = as<SoMFNode>(a), *y = as<SoMFNode>(b);
            ASSERT_EQ(x->getNum(), y->getNum()) << at;
            for (int i = 0; i < x->getNum(); i++) same((*x)[i], (*y)[i], at + "[" + std::to_string(i) + "]");
        } else {
            ADD_FAILURE() << at << ": no comparison for " << t.getName().getString();
        }
    }

    std::map<const SoNode *, const SoNode *> pairs;
};

SoSeparator *readBack(const std::string &text, Messages &msgs) {
    return readText(text, msgs, "written.iv");
}

TEST(Write, EveryNodeTypeWithEveryFieldSetReadsBackTheSame) {
    SoDB::init();
    Held<SoSeparator> root(new SoSeparator);
    SoVertexProperty *shared = new SoVertexProperty;
    shared->vertex.setValue(SbVec3f(1, 2, 3));
    shared->setName("sharedProperty");
    int fieldsSet = 0;
    for (const char *name : NODE_TYPES) {
        SoType type = SoType::fromName(name);
        ASSERT_FALSE(type.isBad()) << name;
        SoNode *node = static_cast<SoNode *>(type.createInstance());
        ASSERT_NE(node, nullptr) << name;
        root->addChild(node);
        for (int i = 0; i < node->getNumFields(); i++) {
            if (node->getFieldNameAt(i) == "filename") continue;
            setDistinct(node->getFieldAt(i), shared);
            ++fieldsSet;
        }
        if (node->getChildren()) node->getChildren()->append(new SoCube);
    }
    root->addChild(shared);
    // Ignore flags on a default and on a set field.
    SoMaterial *mat = new SoMaterial;
    mat->shininess.setIgnored(true);
    mat->diffuseColor.setValue(SbColor(1, 0, 0));
    mat->diffuseColor.setIgnored(true);
    root->addChild(mat);
    EXPECT_GT(fieldsSet, 150);
    // A node of an unknown type, as read: it is written with its declarations.
    Messages msgs;
    Held<SoSeparator> unknown(readText("#Inventor V2.1 ascii\nSoVolumeData { fields [ SFString fileName, SFEnum "
                                       "storageHint, MFFloat colorMap, SFVec3f unused ] fileName \"v.vol\" storageHint"
                                       " TEX3D colorMap [ 0, .5, 1 ] Cube { } }",
                                       msgs));
    ASSERT_TRUE(unknown) << msgs.text();
    root->addChild(child(unknown.get(), {0}));
    const std::string text = writeText(root.get());
    EXPECT_NE(text.find("SoVolumeData {\n    fields [ SFString fileName, SFEnum storageHint, MFFloat colorMap,"
                        " SFVec3f unused ]\n    fileName \"v.vol\"\n    storageHint TEX3D\n"),
              std::string::npos)
        << text;
    Held<SoSeparator> back(readBack(text, msgs));
    ASSERT_TRUE(back) << msgs.text() << text;
    EXPECT_EQ(msgs.all.size(), 0u) << msgs.text();
    SceneComparer cmp;
    cmp.same(root.get(), back.get(), "");
    EXPECT_GE(cmp.compared, NODE_TYPE_COUNT + 3);
    // The shared node is one node after reading, reached from every node field and as a child.
    SoNode *readShared = child(back.get(), {NODE_TYPE_COUNT});
    EXPECT_EQ(readShared->getName(), SbName("sharedProperty"));
    EXPECT_EQ(readShared->getRefCount(), shared->getRefCount());
    EXPECT_GT(shared->getRefCount(), 5);
    // Writing what was read gives the same text again.
    EXPECT_EQ(writeText(back.get()), text);
    // The comparison does see a changed value.
    static_cast<SoMaterial *>(child(back.get(), {28}))->shininess.set1Value(1, 0.5f);
    SceneComparer again;
    EXPECT_NONFATAL_FAILURE(again.same(root.get(), back.get(), ""), "SoMaterial.shininess");
}

TEST(Write, ExactTextOfSmallScenesAndPaths) {
    SoDB::init();
    // Shared nodes get made-up names; only set fields are written.
    Held<SoSeparator> root(new SoSeparator);
    SoCube *cube = new SoCube;
    cube->width.setValue(2);
    SoMaterial *mat = new SoMaterial;
    mat->diffuseColor.getVector() = {SbColor(1, 0, 0), SbColor(0, 0.5f, 0)};
    mat->diffuseColor.touch();
    mat->transparency.setValue(0.25f);
    SoCone *cone = new SoCone;
    cone->parts.setValue(SoCone::BOTTOM);
    for (SoNode *n : std::initializer_list<SoNode *>{cube, mat, cube, cone}) root->addChild(n);
    EXPECT_EQ(writeText(root.get()), "#Inventor V2.1 ascii\n\nSeparator {\n  DEF +0 Cube {\n    width 2\n  }\n"
                                     "  Material {\n    diffuseColor [ 1 0 0,\n      0 0.5 0 ]\n"
                                     "    transparency 0.25\n  }\n  USE +0\n  Cone {\n    parts BOTTOM\n  }\n}\n");
    // A path writes its nodes and the nodes before them that affect them.
    Held<SoSeparator> top(new SoSeparator);
    SoSeparator *group = new SoSeparator;
    for (SoNode *n : std::initializer_list<SoNode *>{new SoCube, group, new SoCone}) top->addChild(n);
    for (SoNode *n : std::initializer_list<SoNode *>{new SoInfo, new SoMaterial, new SoSphere, new SoCube})
        group->addChild(n);
    Held<SoPath> path(new SoPath(top.get()));
    path->append(1);
    path->append(2);
    EXPECT_EQ(writeText(path.get()), "#Inventor V2.1 ascii\n\nSeparator {\n  Separator {\n    Material {\n    }\n"
                                     "    Sphere {\n    }\n  }\n}\n");
    // File nodes name their file, and images from files are not written as pixels.
    Held<SoSeparator> files(new SoSeparator);
    SoFile *file = new SoFile;
    file->name.setValue("parts/wheel.iv");
    file->getChildren()->append(new SoCube);
    SoImage *image = new SoImage;
    image->filename.setValue("logo.png");
    unsigned char px[3] = {1, 2, 3};
    image->image.setValue(SbVec2s(1, 1), 3, px);
    files->addChild(file);
    files->addChild(image);
    EXPECT_EQ(writeText(files.get()), "#Inventor V2.1 ascii\n\nSeparator {\n  File {\n    name \"parts/wheel.iv\"\n"
                                      "  }\n  Image {\n    filename \"logo.png\"\n  }\n}\n");
}

TEST(Write, NamesAreKeptAndMadeUniqueWhereNeeded) {
    SoDB::init();
    Held<SoSeparator> root(new SoSeparator);
    SoCube *a1 = new SoCube, *a2 = new SoCube, *odd = new SoCube, *tricky = new SoCube;
    a1->setName("a");
    a2->setName("a");
    odd->setName("has blank");
    tricky->setName("x+3");
    for (SoNode *n : std::initializer_list<SoNode *>{a1, a2, a1, a2, odd, tricky}) root->addChild(n);
    const std::string text = writeText(root.get());
    EXPECT_NE(text.find("DEF a Cube"), std::string::npos) << text;
    EXPECT_NE(text.find("DEF a+0 Cube"), std::string::npos) << text;
    Messages msgs;
    Held<SoSeparator> back(readBack(text, msgs));
    ASSERT_TRUE(back) << msgs.text();
    EXPECT_EQ(child(back.get(), {0}), child(back.get(), {2}));
    EXPECT_EQ(child(back.get(), {1}), child(back.get(), {3}));
    EXPECT_NE(child(back.get(), {0}), child(back.get(), {1}));
    const char *names[] = {"a", "a", "a", "a", "has_blank", "x+3"};
    for (int i = 0; i < 6; i++) EXPECT_EQ(child(back.get(), {i})->getName(), SbName(names[i])) << i;
}

TEST(Write, OutputToFilesAndTheHeaderOncePerOutput) {
    SoDB::init();
    Held<SoCube> cube(new SoCube);
    const std::string path = std::string(SCRIVANE_TEST_OUT) + "/io_write_test.iv";
    SoOutput out;
    ASSERT_TRUE(out.openFile(path.c_str()));
    SoWriteAction action(&out);
    action.apply(cube.get());
    action.apply(cube.get());
    out.closeFile();
    EXPECT_FALSE(out.hadError());
    std::stringstream contents;
    contents << std::ifstream(path).rdbuf();
    EXPECT_EQ(contents.str(), "#Inventor V2.1 ascii\n\nCube {\n}\nCube {\n}\n");
    EXPECT_FALSE(out.openFile("/nonexistent/dir/x.iv"));
    SoOutput full;
    if (full.openFile("/dev/full")) {
        SoWriteAction(&full).apply(cube.get());
        full.closeFile();
        EXPECT_TRUE(full.hadError());
    }
}

} // namespace
