// Writing scenes in the ASCII scene format (the layout is described in SoWriteAction.h).
#include "scene/actions/SoWriteAction.h"
#include "io/FieldTypes.h"
#include "io/FieldValueIO.h"
#include "io/Lexer.h"
#include "scene/misc/SoOutput.h"
#include "scene/misc/SoPath.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoUnknownNode.h"
#include <string>
#include <unordered_map>
#include <unordered_set>

SoType SoWriteAction::classTypeId;
SoEnabledElementsList *SoWriteAction::enabledElements = nullptr;
SoActionMethodList *SoWriteAction::methods = nullptr;

void SoWriteAction::initClass() {
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoWriteAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    if (!methods) methods = new SoActionMethodList(SoAction::methods);
}

SoWriteAction::SoWriteAction() : output(new SoOutput), ownsOutput(true) {
    traversalMethods = methods;
}

SoWriteAction::SoWriteAction(SoOutput *out) : output(out), ownsOutput(false) {
    traversalMethods = methods;
}

SoWriteAction::~SoWriteAction() {
    if (ownsOutput) delete output;
}

namespace {

// Nodes whose children are written (and read back) inside their braces.
bool writesChildren(const SoNode *node) {
    return node->isOfType(SoGroup::getClassTypeId()) ||
           node->isOfType(SoUnknownNode::getClassTypeId());
}

bool endsWithCounter(const std::string &name) {
    size_t plus = name.rfind('+');
    if (plus == std::string::npos || plus + 1 == name.size()) return false;
    for (size_t i = plus + 1; i < name.size(); i++)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

class SceneWriter : public scene_io::NodeValueWriter {
public:
    explicit SceneWriter(SoOutput &o) : out(o) {}

    void write(SoNode *root, const SoPath *path) {
        if (!out.isHeaderWritten()) {
            out.write(SoOutput::getHeaderString());
            out.write("\n\n");
            out.setHeaderWritten(true);
        }
        count(root);
        out.indent();
        writeNode(root, path, 0);
        out.write('\n');
        out.flush();
    }

    void writeNodeValue(SoNode *node) override { writeNode(node, nullptr, 0); }

private:
    // Counts how often each node is reached, to know which need DEF names.
    void count(SoNode *node) {
        if (!node || ++uses[node] > 1) return;
        for (int i = 0; i < node->getNumFields(); i++) {
            SoField *f = node->getFieldAt(i);
            if (f->getTypeId() == SoSFNode::getClassTypeId()) {
                count(static_cast<SoSFNode *>(f)->getValue());
            } else if (f->getTypeId() == SoMFNode::getClassTypeId()) {
                SoMFNode *mf = static_cast<SoMFNode *>(f);
                for (int j = 0; j < mf->getNum(); j++)
                    count((*mf)[j]);
            }
        }
        if (writesChildren(node)) {
            SoChildList *children = node->getChildren();
            for (int i = 0; i < children->getLength(); i++)
                count((*children)[i]);
        }
    }

    std::string uniqueName(const SoNode *node) {
        std::string base = node->getName().getString();
        for (char &c : base)
            if (!scene_io::isWordChar(static_cast<unsigned char>(c))) c = '_';
        if (base == "USE" || base == "DEF" || base == "NULL" || base == "fields") base = "_" + base;
        if (!base.empty() && !endsWithCounter(base) && names.insert(base).second) return base;
        std::string name;
        do
            name = base + "+" + std::to_string(counter++);
        while (!names.insert(name).second);
        return name;
    }

    // A node naming an image file (Image, Texture2) is written with the file name only: the pixels
    // loaded from the file are not written out again.
    static const SoField *imageLoadedFromFile(const SoNode *node) {
        const SoField *file = node->getField("filename");
        const SoField *image = node->getField("image");
        if (!file || !image || file->getTypeId() != SoSFString::getClassTypeId() ||
            image->getTypeId() != SoSFImage::getClassTypeId())
            return nullptr;
        if (file->isDefault() || static_cast<const SoSFString *>(file)->getValue().getLength() == 0)
            return nullptr;
        return image;
    }

    static std::string typeName(const SoNode *node) {
        if (node->isOfType(SoUnknownNode::getClassTypeId()))
            return static_cast<const SoUnknownNode *>(node)->getClassName().getString();
        const char *name = node->getTypeId().getName().getString();
        if (name[0] == 'S' && name[1] == 'o' && name[2]) name += 2;
        return name;
    }

    // Writes a node from the current position; on a path (pathIndex short of its tail) a group
    // writes only the children up to the one on the path, skipping those before it that leave the
    // state alone.
    void writeNode(SoNode *node, const SoPath *path, int pathIndex) {
        if (!node) {
            out.write("NULL");
            return;
        }
        auto done = defNames.find(node);
        if (done != defNames.end() && written.count(node)) {
            out.write("USE ");
            out.write(done->second);
            return;
        }
        written.insert(node);
        if (uses[node] > 1 || !!node->getName()) {
            std::string name = uniqueName(node);
            defNames[node] = name;
            out.write("DEF ");
            out.write(name);
            out.write(' ');
        }
        out.write(typeName(node));
        out.write(" {\n");
        out.incrementIndent();
        if (node->isOfType(SoUnknownNode::getClassTypeId()) && node->getNumFields() > 0) {
            out.indent();
            out.write("fields [ ");
            for (int i = 0; i < node->getNumFields(); i++) {
                if (i) out.write(", ");
                out.write(scene_io::fieldTypeName(node->getFieldAt(i)));
                out.write(' ');
                out.write(node->getFieldNameAt(i).getString());
            }
            out.write(" ]\n");
        }
        const SoField *imageFromFile = imageLoadedFromFile(node);
        for (int i = 0; i < node->getNumFields(); i++) {
            const SoField *f = node->getFieldAt(i);
            if (f->isDefault() && !f->isIgnored()) continue;
            if (f == imageFromFile) continue;
            out.indent();
            out.write(node->getFieldNameAt(i).getString());
            if (!f->isDefault()) {
                out.write(' ');
                scene_io::writeFieldValue(out, f, *this);
            }
            if (f->isIgnored()) out.write(" ~");
            out.write('\n');
        }
        if (writesChildren(node)) {
            SoChildList *children = node->getChildren();
            bool onPath = path && pathIndex + 1 < path->getLength();
            int last = onPath ? path->getIndex(pathIndex + 1) : children->getLength() - 1;
            for (int i = 0; i <= last && i < children->getLength(); i++) {
                SoNode *child = (*children)[i];
                if (onPath && i < last && !child->affectsState()) continue;
                out.indent();
                writeNode(child, onPath && i == last ? path : nullptr, pathIndex + 1);
                out.write('\n');
            }
        }
        out.decrementIndent();
        out.indent();
        out.write('}');
    }

    SoOutput &out;
    std::unordered_map<const SoNode *, int> uses;
    std::unordered_map<const SoNode *, std::string> defNames;
    std::unordered_set<const SoNode *> written;
    std::unordered_set<std::string> names;
    int counter = 0;
};

} // namespace

void SoWriteAction::beginTraversal(SoNode *node) {
    SceneWriter writer(*output);
    writer.write(node, getWhatAppliedTo() == PATH ? getPathAppliedTo() : nullptr);
}
