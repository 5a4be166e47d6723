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

inline std::string dataFile(const char *relative) { return std::string(SCRIVANE_TEST_DATA) + "/io/" + relative; }

#endif
