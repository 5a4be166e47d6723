#ifndef SCRIVANE_TESTS_IO_TEST_UTIL_H
#define SCRIVANE_TESTS_IO_TEST_UTIL_H
// Helpers for the scene format tests: reading text with the messages captured, writing, holding
// references, and every field class for the tests that go through them all.
#include "io/FieldTypes.h"
#include "scene/actions/SoWriteAction.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/misc/SoOutput.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoNode.h"
#include "scene/nodes/SoSeparator.h"
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Keeps a reference on a node for as long as it lives.
template <class T> class Held {
public:
    explicit Held(T *p = nullptr) : ptr(p) {
        if (ptr) ptr->ref();
    }
    ~Held() {
        if (ptr) ptr->unref();
    }
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;
    T *get() const { return ptr; }
    T *operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

private:
    T *ptr;
};

// The messages an input reported.
struct Messages {
    std::vector<SoInputMessage> all;
    int count(SoInputMessage::Severity s) const {
        int n = 0;
        for (const SoInputMessage &m : all) n += m.severity == s;
        return n;
    }
    int warnings() const { return count(SoInputMessage::WARNING_MESSAGE); }
    int errors() const { return count(SoInputMessage::ERROR_MESSAGE); }
    // The formatted texts, one a line.
    std::string text() const {
        std::string t;
        for (const SoInputMessage &m : all) t += m.formatted.std() + "\n";
        return t;
    }
    // Installs the capture on an input.
    void attach(SoInput &in) {
        in.setMessageCallback([](const SoInputMessage &m, void *data) { static_cast<Messages *>(data)->all.push_back(m); },
                              this);
    }
};

// Reads a scene from text; the messages go to msgs. name names the buffer in messages.
inline SoSeparator *readText(const std::string &text, Messages &msgs, const char *name = "test.iv") {
    SoDB::init();
    SoInput in;
    msgs.attach(in);
    in.setBuffer(text.data(), text.size(), name);
    return SoDB::readAll(&in);
}

// Follows child indices from a node: child(root, {0, 2}) is the third child of the first child.
inline SoNode *child(SoNode *node, std::initializer_list<int> path) {
    for (int i : path) {
        if (!node || !node->getChildren() || i >= node->getChildren()->getLength()) return nullptr;
        node = (*node->getChildren())[i];
    }
    return node;
}

// A scene read from text or from a file, with its messages and the time the reading took.
struct Read {
    struct File {
        std::string path;
    };
    Messages msgs;
    double seconds = 0;
    Held<SoSeparator> root;
    explicit Read(const std::string &text) : root(readText(text, msgs)) {}
    explicit Read(const File &file) : root(readFile(file.path)) {}
    template <class N = SoNode> N *at(std::initializer_list<int> path) const {
        return static_cast<N *>(child(root.get(), path));
    }

private:
    SoSeparator *readFile(const std::string &path) {
        SoDB::init();
        SoInput in;
        msgs.attach(in);
        EXPECT_TRUE(in.openFile(path.c_str())) << msgs.text();
        const auto start = std::chrono::steady_clock::now();
        SoSeparator *scene = SoDB::readAll(&in);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return scene;
    }
};

// Writes a node or a path with SoWriteAction into a string.
template <class T> std::string writeText(T *what) {
    SoOutput out;
    out.setBuffer();
    SoWriteAction(&out).apply(what);
    return out.getBufferString();
}

// A node declaring one field of every type, each set with the syntax variants the format allows
// (the field syntax test checks every value read).
inline const char *const EVERY_FIELD_SYNTAX = R"(
Probe {
  fields [ SFBool b1, SFBool b2, SFBool b3, SFInt32 i, SFInt32 ih, SFUInt32 u, SFShort s, SFUShort us,
           SFFloat f, SFEnum e, SFBitMask m, SFName n, SFName nq, SFString str, SFString word,
           SFVec2f v2, SFVec3f v3, SFVec4f v4, SFColor c, SFRotation r, SFMatrix mx,
           SFImage img, SFImage grey, SFImage rgba, SFImage none, SFNode nd, SFNode nul, SFLong old,
           MFBool mb, MFInt32 mi, MFUInt32 mu, MFShort ms, MFUShort mus, MFFloat mf, MFEnum me,
           MFBitMask mm, MFName mn, MFString mstr, MFVec2f mv2, MFVec3f mv3, MFVec4f mv4, MFColor mc,
           MFRotation mr, MFMatrix mmx, MFNode mnd ]
  b1 TRUE b2 0 b3 true
  i -42 ih 0xFFFFFFFF u 0xDEADBEEF s -32768 us 0xFFFF
  f -1.5e+010
  e SECOND m ( A | B ) n some_name nq "two words"
  str "say \"hi\" C:\dir \\ end" word unquoted.txt
  v2 1 2 v3 .5 -.25 +3 v4 1 2 3 4 c 1 0 0.5
  r 0 0 1 1.5707964
  mx 1 0 0 0  0 2 0 0  0 0 3 0  4 5 6 1
  img 2 1 3 0xFF0000 0x00ff80
  grey 2 2 1 0x00 255 0x7f 1 rgba 1 1 4 0x11223344 none 0 0 0
  nd Cube { width 3 } nul NULL old 7
  mb [ TRUE, FALSE 1 ]
  mi [ 1, 2 3,4 ]
  mu [ 0xff0000ff 16 ]
  ms [ -1 2 ]
  mus 0xF0F0
  mf [ 1.25e+100, -1e+100, 1.5E-005, .5, -.5, +2, 3., 1e-400, inf, -7, 1E3, 2.5e-003 ]
  me [ X Y X ]
  mm [ ( P | Q ), R ]
  mn [ a "b c" ]
  mstr [ "one", "two" ]
  mv2 [ 1 2, 3 4 ]
  mv3 [ 1 2 3 4 5 6 ]
  mv4 [ 1 2 3 4 ]
  mc [ 1 0 0, 0 1 0 ]
  mr [ 1 0 0 3.1415927, 0 1 0 0 ]
  mmx [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ]
  mnd [ Cube { }, NULL, Sphere { } ]
}
)";

inline std::string dataFile(const char *relative) { return std::string(SCRIVANE_TEST_DATA) + "/io/" + relative; }

#endif
