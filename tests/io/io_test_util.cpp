#include "io_test_util.h"
#include "scene/actions/SoWriteAction.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoOutput.h"

namespace {
void capture(const SoInputMessage &m, void *data) {
    static_cast<Messages *>(data)->all.push_back(m);
}
} // namespace

int Messages::count(SoInputMessage::Severity s) const {
    int n = 0;
    for (const SoInputMessage &m : all)
        if (m.severity == s) ++n;
    return n;
}

std::string Messages::text() const {
    std::string t;
    for (const SoInputMessage &m : all)
        t += m.formatted.std() + "\n";
    return t;
}

void Messages::attach(SoInput &in) {
    in.setMessageCallback(&capture, this);
}

SoSeparator *readText(const std::string &text, Messages &msgs, const char *name) {
    SoDB::init();
    SoInput in;
    msgs.attach(in);
    in.setBuffer(text.data(), text.size(), name);
    return SoDB::readAll(&in);
}

std::string writeText(SoNode *node) {
    SoOutput out;
    out.setBuffer();
    SoWriteAction action(&out);
    action.apply(node);
    return out.getBufferString();
}

SoNode *child(SoNode *node, std::initializer_list<int> path) {
    for (int i : path) {
        if (!node || !node->getChildren() || i >= node->getChildren()->getLength()) return nullptr;
        node = (*node->getChildren())[i];
    }
    return node;
}

std::string dataFile(const char *relative) {
    return std::string(SCRIVANE_TEST_DATA) + "/io/" + relative;
}
