#ifndef SCRIVANE_TESTS_IO_TEST_UTIL_H
#define SCRIVANE_TESTS_IO_TEST_UTIL_H
// Helpers for the scene format tests: reading text with the messages captured, holding references.
// Every field class, for the tests that go through them all.
#include "scene/fields/SoMFBitMask.h"
#include "scene/fields/SoMFBool.h"
#include "scene/fields/SoMFColor.h"
#include "scene/fields/SoMFEnum.h"
#include "scene/fields/SoMFFloat.h"
#include "scene/fields/SoMFInt32.h"
#include "scene/fields/SoMFMatrix.h"
#include "scene/fields/SoMFName.h"
#include "scene/fields/SoMFNode.h"
#include "scene/fields/SoMFRotation.h"
#include "scene/fields/SoMFShort.h"
#include "scene/fields/SoMFString.h"
#include "scene/fields/SoMFUInt32.h"
#include "scene/fields/SoMFUShort.h"
#include "scene/fields/SoMFVec2f.h"
#include "scene/fields/SoMFVec3f.h"
#include "scene/fields/SoMFVec4f.h"
#include "scene/fields/SoMField.h"
#include "scene/fields/SoSFBitMask.h"
#include "scene/fields/SoSFBool.h"
#include "scene/fields/SoSFColor.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/fields/SoSFFloat.h"
#include "scene/fields/SoSFImage.h"
#include "scene/fields/SoSFInt32.h"
#include "scene/fields/SoSFMatrix.h"
#include "scene/fields/SoSFName.h"
#include "scene/fields/SoSFNode.h"
#include "scene/fields/SoSFRotation.h"
#include "scene/fields/SoSFShort.h"
#include "scene/fields/SoSFString.h"
#include "scene/fields/SoSFUInt32.h"
#include "scene/fields/SoSFUShort.h"
#include "scene/fields/SoSFVec2f.h"
#include "scene/fields/SoSFVec3f.h"
#include "scene/fields/SoSFVec4f.h"
#include "scene/fields/SoSField.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoNode.h"
#include "scene/nodes/SoSeparator.h"
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
    int count(SoInputMessage::Severity s) const;
    int warnings() const { return count(SoInputMessage::WARNING_MESSAGE); }
    int errors() const { return count(SoInputMessage::ERROR_MESSAGE); }
    // The formatted texts, one a line.
    std::string text() const;
    // Installs the capture on an input.
    void attach(SoInput &in);
};

// Reads a scene from text; the messages go to msgs. name names the buffer in messages.
SoSeparator *readText(const std::string &text, Messages &msgs, const char *name = "test.iv");
// Writes a node with SoWriteAction into a string.
std::string writeText(SoNode *node);
// Follows child indices from a node: child(root, {0, 2}) is the third child of the first child.
SoNode *child(SoNode *node, std::initializer_list<int> path);
std::string dataFile(const char *relative);

#endif
