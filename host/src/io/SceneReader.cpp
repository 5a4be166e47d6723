// The reader of the ASCII scene format.
//
// A file is a header line followed by nodes:
//   [DEF name] Type { [fields [ SFFloat a, ... ]] field value ... child nodes ... }
// or USE name for a node defined before. The reader is recursive descent over the Lexer; every
// function returns false once an error has been reported, and the whole read then unwinds,
// releasing what was built. Limits keep malformed input from doing harm: nodes may nest 256
// levels deep, File inclusions 16 levels, and images are checked against the size of the input
// before their pixels are allocated (lists grow only as values are actually read).
//
// Choices made where files in the wild disagree or the format leaves room:
// - Type names are looked up with and without the "So" prefix.
// - A node type the toolkit does not know is read as an SoUnknownNode when a `fields [ ... ]`
//   declaration follows its '{'; without one, its whole body is skipped (children included) with a
//   warning naming the file and line, and reading goes on. A later USE of its DEF name is skipped
//   with a warning too.
// - A DEF name takes effect after the node's body, so a node cannot contain itself; defining a name
//   again makes later USEs refer to the new node. Each file (and each included file) has its own
//   names. A "+N" suffix on a DEF name (written by writers to make names unique) is not part of
//   the node's name.
// - Field connections (`field value = source . field`, the source being USE name, a node, or
//   DEF name GlobalField { type "SFFloat" name value }) are read and dropped: the field keeps the
//   value written before '='. Engines as sources are unknown node types and are skipped.
// - `~` after a value (or instead of one) sets the field's ignore flag.
// - File { name "x.iv" }: the file is looked up next to the including file, then in the input's
//   directories, then from the working directory; its top-level nodes become the File node's
//   children. A missing or unreadable file is a warning and leaves the node empty; an error inside
//   the included file fails the read.
// - Version 1.0 files: ShapeHints { hints ( SOLID | ORDERED | CONVEX ) } is converted to the
//   vertexOrdering, shapeType and faceType fields; the rest of the V1.0 files met in practice use
//   the same syntax as V2.
// - A word inside a built-in node that is neither one of its fields nor (in a group) a child node
// is
//   an error: its value cannot be skipped without knowing its type. Fields that a `fields [ ... ]`
//   declaration adds to a built-in node are read and dropped with a warning.
// - Image { filename "x.png" }: the image is loaded right away relative to the scene file's
//   directory (which the node also keeps for later loads); a file that cannot be read is a warning.
// - readAll: the top-level nodes become children of a new SoSeparator, except that a file holding
//   exactly one top-level node that is a plain SoSeparator returns that separator itself.
#include "io/SceneReader.h"
#include "io/ByteStream.h"
#include "io/FieldTypes.h"
#include "io/FieldValueIO.h"
#include "io/Lexer.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoFile.h"
#include "scene/nodes/SoGroup.h"
#include "scene/nodes/SoImage.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShapeHints.h"
#include "scene/nodes/SoUnknownNode.h"
#include <cstring>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace scene_io {

namespace {

const int MAX_NODE_NESTING = 256;
const int MAX_INCLUDE_NESTING = 16;

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The name a node gets from a DEF name: without a "+N" uniqueness suffix.
std::string nodeNameFromDef(const std::string &def) {
    size_t plus = def.rfind('+');
    if (plus == std::string::npos || plus + 1 == def.size()) return def;
    for (size_t i = plus + 1; i < def.size(); i++)
        if (def[i] < '0' || def[i] > '9') return def;
    return def.substr(0, plus);
}

// Field types by their file names, including the old names of the 32-bit integer types.
SoType fieldTypeFromName(std::string_view name) {
    std::string n(name);
    if (n == "SFLong")
        n = "SFInt32";
    else if (n == "MFLong")
        n = "MFInt32";
    else if (n == "SFULong")
        n = "SFUInt32";
    else if (n == "MFULong")
        n = "MFUInt32";
    SoType t = SoType::fromName(SbName(n.c_str()));
    if (t.isBad() || !t.isDerivedFrom(SoField::getClassTypeId()) || !t.canCreateInstance())
        return SoType::badType();
    return t;
}

SoField *createField(SoType type) {
    return static_cast<SoField *>(type.createInstance());
}

SoField *findField(SoNode *node, std::string_view name) {
    for (int i = 0; i < node->getNumFields(); i++)
        if (name == node->getFieldNameAt(i).getString()) return node->getFieldAt(i);
    return nullptr;
}

std::string fieldNames(SoNode *node) {
    std::string names;
    for (int i = 0; i < node->getNumFields(); i++) {
        if (i) names += ", ";
        names += node->getFieldNameAt(i).getString();
    }
    return names.empty() ? "none" : names;
}

bool isRegularFile(const std::string &path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::string joinPath(const std::string &dir, const std::string &name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// Keeps the text of a message.
void keepText(const SoInputMessage &m, void *text) {
    *static_cast<std::string *>(text) = m.text.std();
}

// Forwards the messages of an included file's input to the input being read.
void forwardMessage(const SoInputMessage &m, void *target) {
    static_cast<SoInput *>(target)->postMessage(m.severity, m.fileName.getString(), m.line,
                                                m.column, m.text.std());
}

} // namespace

HeaderStatus parseHeader(const char *data, size_t size, FileHeader &header) {
    size_t start = 0;
    if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
        static_cast<unsigned char>(data[1]) == 0xBB && static_cast<unsigned char>(data[2]) == 0xBF)
        start = 3;
    size_t end = start;
    while (end < size && data[end] != '\n' && end - start < 200)
        ++end;
    std::string line(data + start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    header.line = line;
    header.start = start;
    if (startsWith(line, "#VRML")) return HEADER_VRML;
    if (!startsWith(line, "#Inventor")) return HEADER_MISSING;
    std::string rest = line.substr(9);
    size_t p = rest.find_first_not_of(" \t");
    if (p == std::string::npos) return HEADER_UNSUPPORTED_VERSION;
    size_t q = rest.find_first_of(" \t", p);
    std::string version = rest.substr(p, q == std::string::npos ? std::string::npos : q - p);
    std::string format;
    if (q != std::string::npos) {
        size_t f = rest.find_first_not_of(" \t", q);
        if (f != std::string::npos) {
            size_t g = rest.find_first_of(" \t", f);
            format = rest.substr(f, g == std::string::npos ? std::string::npos : g - f);
        }
    }
    if (format == "binary") return HEADER_BINARY;
    if (!format.empty() && format != "ascii") return HEADER_UNSUPPORTED_VERSION;
    if (version == "V1.0")
        header.version = 1.0f;
    else if (version == "V2.0")
        header.version = 2.0f;
    else if (version == "V2.1")
        header.version = 2.1f;
    else
        return HEADER_UNSUPPORTED_VERSION;
    return HEADER_OK;
}

HeaderStatus readHeader(ByteStream &stream, FileHeader &header) {
    stream.restart();
    // The first line, up to the longest header looked at (after a byte order mark); no more, so
    // that the lexer starts in a window of the usual size.
    while (stream.size() < 256 &&
           (stream.size() == 0 || !std::memchr(stream.data(), '\n', stream.size())) &&
           stream.grow()) {
    }
    return parseHeader(stream.data(), stream.size(), header);
}

std::string headerProblem(HeaderStatus status, const FileHeader &header) {
    switch (status) {
    case HEADER_BINARY:
        return "binary scene files are not supported (header '" + header.line +
               "'); only the ASCII format can be read";
    case HEADER_VRML:
        return "VRML files are not supported (header '" + header.line + "')";
    case HEADER_UNSUPPORTED_VERSION:
        return "unsupported scene file header '" + header.line +
               "' (expected '#Inventor V2.1 ascii', V2.0 or V1.0)";
    case HEADER_MISSING:
        return "not a scene file: the first line must be a header such as '#Inventor V2.1 ascii'";
    default:
        return std::string();
    }
}

std::string directoryOf(const std::string &path) {
    size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return std::string();
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

namespace {

// One file (or buffer) being read, with its own DEF names.
struct Source {
    Source(SoInput *in, const std::string &messageName, size_t start)
        : input(in), lex(inputStream(*in), start), name(messageName),
          directory(directoryOf(messageName)) {}
    ~Source() {
        lex.release();
        for (auto &d : defs)
            d.second->unref();
    }
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    SoInput *input;
    Lexer lex;
    std::string name;
    std::string directory;
    std::unordered_map<std::string, SoNode *> defs; // each holds a reference
    std::unordered_set<std::string> skippedDefs;    // names of skipped unknown nodes
    std::unordered_set<std::string> globalFields;   // names of GlobalFields (connection sources)
};

class Reader : public ValueContext {
public:
    explicit Reader(SoInput *in) : top(in) {}

    SoSeparator *read();
    bool readNodeValue(SoNode *&node) override {
        return readNodeRef(node, true, " as a field value");
    }
    bool fail(const Position &at, const std::string &text) override {
        // Input that stopped because the source could not be read is reported as such, not as
        // the syntax error the missing bytes led to.
        if (int err = inputStream(*src->input).readError()) {
            top->postMessage(SoInputMessage::ERROR_MESSAGE, src->name.c_str(), at.line, at.column,
                             std::string("cannot read the file: ") + std::strerror(err));
            return false;
        }
        post(SoInputMessage::ERROR_MESSAGE, at, text);
        return false;
    }

private:
    void post(SoInputMessage::Severity severity, const Position &at, const std::string &text) {
        top->postMessage(severity, src->name.c_str(), at.line, at.column, text);
    }
    void warn(const Position &at, const std::string &text) {
        post(SoInputMessage::WARNING_MESSAGE, at, text);
    }
    static int lineOf(const Position &at) { return at.line; }
    Lexer &lex() { return src->lex; }

    bool readAllNodes(std::vector<SoNode *> &nodes);
    bool readNodeRef(SoNode *&node, bool allowNull, const char *context);
    bool readNodeFromWord(std::string_view word, Position offset, SoNode *&node, bool allowNull);
    bool readUse(SoNode *&node);
    bool readNodeBody(const std::string &type, const Position &typeOffset,
                      const std::string &defName, SoNode *&node);
    // declarationBegun: the word `fields` of a fields declaration has been read already.
    bool readBody(SoNode *node, const std::string &type, const Position &braceOffset,
                  bool declarationBegun);
    bool readFieldsDeclaration(SoNode *node, const std::string &type,
                               std::unordered_map<std::string, std::unique_ptr<SoField>> &extra);
    bool readFieldEntry(SoField *field, const std::string &what);
    bool readConnection(const std::string &what);
    bool readGlobalField(const std::string &defName, const Position &offset);
    bool readShapeHintsV1(SoShapeHints *hints, const std::string &what);
    bool includeFile(SoFile *file, const Position &offset);

    SoInput *top;
    Source *src = nullptr;
    int nesting = 0;
    int includeNesting = 0;
};

// Counts one level of nesting for as long as it lives.
struct NestingGuard {
    int &level;
    explicit NestingGuard(int &l) : level(l) { ++level; }
    ~NestingGuard() { --level; }
};

SoSeparator *Reader::read() {
    if (!top->isOpen()) {
        top->postMessage(SoInputMessage::ERROR_MESSAGE, "", 0, 0,
                         "nothing to read: no file or buffer is open");
        return nullptr;
    }
    FileHeader header;
    HeaderStatus status = readHeader(inputStream(*top), header);
    if (status != HEADER_OK) {
        // A read error shows once the lexer reaches the bytes that could not be read, unless
        // the header itself is missing because of it.
        if (int err = inputStream(*top).readError())
            top->postMessage(SoInputMessage::ERROR_MESSAGE, top->getCurFileName(), 0, 0,
                             std::string("cannot read the file: ") + std::strerror(err));
        else
            top->postMessage(SoInputMessage::ERROR_MESSAGE, top->getCurFileName(), 1, 1,
                             headerProblem(status, header));
        return nullptr;
    }
    std::vector<SoNode *> nodes;
    bool ok;
    {
        // The file's DEF names hold references until this block ends.
        Source source(top, top->getCurFileName(), header.start);
        src = &source;
        ok = readAllNodes(nodes);
        src = nullptr;
    }
    SoSeparator *root = nullptr;
    if (ok) {
        if (nodes.size() == 1 && nodes[0]->getTypeId() == SoSeparator::getClassTypeId()) {
            root = static_cast<SoSeparator *>(nodes[0]);
            root->ref();
        } else {
            root = new SoSeparator;
            root->ref();
            for (SoNode *n : nodes)
                root->addChild(n);
        }
    }
    for (SoNode *n : nodes)
        n->unref();
    if (root) root->unrefNoDelete();
    return root;
}

bool Reader::readAllNodes(std::vector<SoNode *> &nodes) {
    while (!lex().atEnd()) {
        SoNode *node = nullptr;
        if (!readNodeRef(node, false, "")) return false;
        if (node) nodes.push_back(node);
    }
    // A read error looks like the end of the input to the lexer.
    if (inputStream(*src->input).readError()) return fail(lex().position(), "");
    return true;
}

bool Reader::readNodeRef(SoNode *&node, bool allowNull, const char *context) {
    node = nullptr;
    lex().skipSpace();
    Position offset = lex().position();
    std::string_view word;
    if (!lex().readWord(word))
        return fail(offset,
                    std::string("expected a node") + context + ", found " + lex().describeNext());
    return readNodeFromWord(word, offset, node, allowNull);
}

bool Reader::readNodeFromWord(std::string_view word, Position offset, SoNode *&node,
                              bool allowNull) {
    node = nullptr;
    if (word == "NULL") {
        if (allowNull) return true;
        return fail(offset, "NULL may only be the value of a node field");
    }
    if (word == "USE") return readUse(node);
    std::string defName;
    if (word == "DEF") {
        lex().skipSpace();
        Position nameOffset = lex().position();
        std::string_view name;
        if (!lex().readWord(name))
            return fail(nameOffset, "expected a name after DEF, found " + lex().describeNext());
        defName.assign(name.data(), name.size());
        lex().skipSpace();
        offset = lex().position();
        if (!lex().readWord(word))
            return fail(offset, "expected a node type after 'DEF " + defName + "', found " +
                                    lex().describeNext());
        if (word == "USE" || word == "DEF" || word == "NULL")
            return fail(offset, "expected a node type after 'DEF " + defName + "', found '" +
                                    std::string(word) + "'");
    }
    return readNodeBody(std::string(word), offset, defName, node);
}

bool Reader::readUse(SoNode *&node) {
    lex().skipSpace();
    Position offset = lex().position();
    std::string_view word;
    if (!lex().readWord(word))
        return fail(offset, "expected a name after USE, found " + lex().describeNext());
    std::string name(word);
    auto found = src->defs.find(name);
    if (found != src->defs.end()) {
        node = found->second;
        node->ref();
        return true;
    }
    if (src->skippedDefs.count(name)) {
        warn(offset, "USE " + name + " refers to a skipped node of unknown type; ignored");
        return true;
    }
    return fail(offset, "USE of undefined name '" + name + "'");
}

bool Reader::readNodeBody(const std::string &type, const Position &typeOffset,
                          const std::string &defName, SoNode *&node) {
    node = nullptr;
    NestingGuard guard(nesting);
    if (nesting > MAX_NODE_NESTING)
        return fail(typeOffset,
                    "nodes nested deeper than " + std::to_string(MAX_NODE_NESTING) + " levels");
    SoType t = SoType::fromName(SbName(type.c_str()));
    bool known = !t.isBad() && t.isDerivedFrom(SoNode::getClassTypeId()) && t.canCreateInstance();
    lex().skipSpace();
    Position braceOffset = lex().position();
    if (!lex().accept('{'))
        return fail(braceOffset,
                    "expected '{' after node type '" + type + "', found " + lex().describeNext());

    bool declarationBegun = false;
    if (!known) {
        // Without a `fields [` right after '{' the body is skipped. The word looked at holds no
        // braces, quotes or '#', so skipping from after it is the same as skipping from '{'.
        std::string_view word;
        declarationBegun = lex().readWord(word) && word == "fields" && lex().peek() == '[';
        if (!declarationBegun) {
            warn(typeOffset, "unknown node type '" + type + "' skipped (no 'fields' declaration)");
            if (!lex().skipBody())
                return fail(braceOffset, "'{' of node '" + type + "' is never closed");
            if (!defName.empty()) src->skippedDefs.insert(defName);
            return true;
        }
        SoUnknownNode *unknown = new SoUnknownNode;
        unknown->setClassName(SbName(type.c_str()));
        node = unknown;
    } else {
        node = static_cast<SoNode *>(t.createInstance());
    }
    node->ref();
    if (!readBody(node, type, braceOffset, declarationBegun)) {
        node->unref();
        node = nullptr;
        return false;
    }

    if (node->isOfType(SoFile::getClassTypeId())) {
        if (!includeFile(static_cast<SoFile *>(node), typeOffset)) {
            node->unref();
            node = nullptr;
            return false;
        }
    } else if (node->isOfType(SoImage::getClassTypeId())) {
        // The image file is resolved against the directory of the scene file, now and whenever the
        // node loads it again later.
        SoImage *image = static_cast<SoImage *>(node);
        image->setSearchDirectory(SbString(src->directory));
        if (image->filename.getValue().getLength() > 0 &&
            !image->readImageFile(src->directory.c_str()))
            warn(typeOffset, "cannot read the image file '" + image->filename.getValue().std() +
                                 "' of an Image node");
    }

    if (!defName.empty()) {
        node->setName(SbName(nodeNameFromDef(defName).c_str()));
        SoNode *&slot = src->defs[defName];
        if (slot) slot->unref();
        slot = node;
        node->ref();
        src->skippedDefs.erase(defName);
    }
    return true;
}

bool Reader::readBody(SoNode *node, const std::string &type, const Position &braceOffset,
                      bool declarationBegun) {
    bool acceptsChildren = node->isOfType(SoGroup::getClassTypeId()) ||
                           node->isOfType(SoUnknownNode::getClassTypeId());
    // Fields declared for a built-in node that it does not have: read and dropped.
    std::unordered_map<std::string, std::unique_ptr<SoField>> extra;
    bool first = !declarationBegun;
    if (declarationBegun && !readFieldsDeclaration(node, type, extra)) return false;
    while (true) {
        int c = lex().peek();
        if (c == '}') {
            lex().accept('}');
            return true;
        }
        Position offset = lex().position();
        if (c < 0)
            return fail(offset, "expected '}' to close node '" + type + "' begun at line " +
                                    std::to_string(lineOf(braceOffset)) + ", found end of file");
        std::string_view word;
        if (!lex().readWord(word))
            return fail(offset, "expected a field name, a child node or '}' in node '" + type +
                                    "', found " + lex().describeNext());
        if (first && word == "fields") {
            first = false;
            if (lex().peek() == '[') {
                if (!readFieldsDeclaration(node, type, extra)) return false;
                continue;
            }
            word = "fields"; // peek() may have moved the window the word was in
        }
        first = false;
        if (SoField *field = findField(node, word)) {
            if (!readFieldEntry(field, "field '" + std::string(word) + "' of '" + type + "'"))
                return false;
            continue;
        }
        auto ex = extra.find(std::string(word));
        if (ex != extra.end()) {
            if (!readFieldEntry(ex->second.get(),
                                "field '" + std::string(word) + "' of '" + type + "'"))
                return false;
            continue;
        }
        if (word == "hints" && node->isOfType(SoShapeHints::getClassTypeId())) {
            if (!readShapeHintsV1(static_cast<SoShapeHints *>(node),
                                  "field 'hints' of '" + type + "'"))
                return false;
            continue;
        }
        if (acceptsChildren) {
            SoNode *child = nullptr;
            if (!readNodeFromWord(word, offset, child, false)) return false;
            if (child) {
                node->getChildren()->append(child);
                child->unref();
            }
            continue;
        }
        return fail(offset, "unknown field '" + std::string(word) + "' in node '" + type +
                                "' (its fields: " + fieldNames(node) + ")");
    }
}

bool Reader::readFieldsDeclaration(
    SoNode *node, const std::string &type,
    std::unordered_map<std::string, std::unique_ptr<SoField>> &extra) {
    lex().skipSpace();
    Position open = lex().position();
    lex().accept('[');
    SoUnknownNode *unknown = node->isOfType(SoUnknownNode::getClassTypeId())
                                 ? static_cast<SoUnknownNode *>(node)
                                 : nullptr;
    while (true) {
        int c = lex().peek();
        Position offset = lex().position();
        if (c == ']') {
            lex().accept(']');
            return true;
        }
        if (c < 0)
            return fail(offset, "expected ']' to close the fields declaration of '" + type +
                                    "' begun at line " + std::to_string(lineOf(open)) +
                                    ", found end of file");
        std::string_view word, nameWord;
        if (!lex().readWord(word))
            return fail(offset, "expected a field type in the fields declaration of '" + type +
                                    "', found " + lex().describeNext());
        const std::string typeWord(word);
        SoType fieldType = fieldTypeFromName(typeWord);
        if (fieldType.isBad())
            return fail(offset, "unknown field type '" + typeWord +
                                    "' in the fields declaration of '" + type + "'");
        lex().skipSpace();
        Position nameOffset = lex().position();
        if (!lex().readWord(nameWord))
            return fail(nameOffset, "expected a field name after '" + typeWord + "', found " +
                                        lex().describeNext());
        std::string name(nameWord);
        if (!findField(node, name)) {
            if (unknown) {
                unknown->addDeclaredField(SbName(name.c_str()), createField(fieldType));
            } else if (!extra.count(name)) {
                warn(nameOffset,
                     "node '" + type + "' has no field '" + name + "'; its value is ignored");
                extra[name].reset(createField(fieldType));
            }
        }
        lex().accept(',');
    }
}

bool Reader::readFieldEntry(SoField *field, const std::string &what) {
    if (lex().accept('~')) {
        field->setIgnored(true);
    } else {
        if (!readFieldValue(lex(), field, what, *this)) return false;
        if (lex().accept('~')) field->setIgnored(true);
    }
    if (lex().accept('=')) return readConnection(what);
    return true;
}

bool Reader::readConnection(const std::string &what) {
    lex().skipSpace();
    Position offset = lex().position();
    std::string_view word;
    if (!lex().readWord(word))
        return fail(offset, "expected the source of the connection of " + what + ", found " +
                                lex().describeNext());
    std::string defName;
    if (word == "DEF") {
        std::string_view name;
        lex().skipSpace();
        Position nameOffset = lex().position();
        if (!lex().readWord(name))
            return fail(nameOffset, "expected a name after DEF, found " + lex().describeNext());
        defName.assign(name.data(), name.size());
        lex().skipSpace();
        offset = lex().position();
        if (!lex().readWord(word))
            return fail(offset, "expected the source of the connection of " + what + ", found " +
                                    lex().describeNext());
    }
    bool haveSourceField = false;
    if (word == "USE") {
        lex().skipSpace();
        Position nameOffset = lex().position();
        std::string_view nameWord;
        if (!lex().readWord(nameWord))
            return fail(nameOffset, "expected a name after USE, found " + lex().describeNext());
        std::string name(nameWord);
        auto known = [this](const std::string &n) {
            return src->defs.count(n) || src->globalFields.count(n) || src->skippedDefs.count(n);
        };
        if (!known(name)) {
            // "USE name.field" written without blanks.
            size_t dot = name.rfind('.');
            if (dot != std::string::npos && dot > 0 && dot + 1 < name.size() &&
                known(name.substr(0, dot))) {
                haveSourceField = true;
            } else {
                return fail(nameOffset,
                            "connection of " + what + " uses undefined name '" + name + "'");
            }
        }
    } else if (word == "GlobalField") {
        if (!readGlobalField(defName, offset)) return false;
    } else {
        SoNode *source = nullptr;
        if (!readNodeBody(std::string(word), offset, defName, source)) return false;
        if (source) source->unref();
    }
    if (haveSourceField) return true;
    lex().skipSpace();
    Position dotOffset = lex().position();
    std::string_view fieldWord;
    if (!lex().accept('.') || !lex().readWord(fieldWord))
        return fail(dotOffset,
                    "expected '.' and the name of the source field in the connection of " + what +
                        ", found " + lex().describeNext());
    return true;
}

bool Reader::readGlobalField(const std::string &defName, const Position &offset) {
    NestingGuard guard(nesting);
    if (nesting > MAX_NODE_NESTING)
        return fail(offset,
                    "nodes nested deeper than " + std::to_string(MAX_NODE_NESTING) + " levels");
    lex().skipSpace();
    Position brace = lex().position();
    if (!lex().accept('{'))
        return fail(brace, "expected '{' after 'GlobalField', found " + lex().describeNext());
    lex().skipSpace();
    Position typeOffset = lex().position();
    std::string_view word;
    std::string typeName;
    if (!lex().readWord(word) || word != "type")
        return fail(typeOffset, "expected 'type' in GlobalField, found " + lex().describeNext());
    lex().skipSpace();
    typeOffset = lex().position();
    if (lex().readString(typeName) != Lexer::STRING_OK)
        return fail(typeOffset,
                    "expected the field type of a GlobalField, found " + lex().describeNext());
    SoType fieldType = fieldTypeFromName(typeName);
    if (fieldType.isBad())
        return fail(typeOffset, "unknown field type '" + typeName + "' in GlobalField");
    std::unique_ptr<SoField> field(createField(fieldType));
    while (true) {
        int c = lex().peek();
        Position at = lex().position();
        if (c == '}') {
            lex().accept('}');
            break;
        }
        if (c < 0)
            return fail(at, "expected '}' to close GlobalField begun at line " +
                                std::to_string(lineOf(brace)) + ", found end of file");
        std::string_view name;
        if (!lex().readWord(name))
            return fail(at, "expected the value of a GlobalField or '}', found " +
                                lex().describeNext());
        if (!readFieldEntry(field.get(), "global field '" + std::string(name) + "'")) return false;
    }
    if (!defName.empty()) src->globalFields.insert(defName);
    return true;
}

bool Reader::readShapeHintsV1(SoShapeHints *hints, const std::string &what) {
    enum { SOLID = 1, ORDERED = 2, CONVEX = 4 };
    SoSFBitMask v1;
    v1.setContainer(hints);
    v1.setEnums({{"SOLID", SOLID},
                 {"ORDERED", ORDERED},
                 {"CONVEX", CONVEX},
                 {"SURFACE", 0},
                 {"UNORDERED", 0},
                 {"CONCAVE", 0},
                 {"NONE", 0}});
    if (!readFieldEntry(&v1, what)) return false;
    int value = v1.getValue();
    hints->vertexOrdering.setValue((value & ORDERED) ? SoShapeHints::COUNTERCLOCKWISE
                                                     : SoShapeHints::UNKNOWN_ORDERING);
    hints->shapeType.setValue((value & SOLID) ? SoShapeHints::SOLID
                                              : SoShapeHints::UNKNOWN_SHAPE_TYPE);
    hints->faceType.setValue((value & CONVEX) ? SoShapeHints::CONVEX
                                              : SoShapeHints::UNKNOWN_FACE_TYPE);
    return true;
}

bool Reader::includeFile(SoFile *file, const Position &offset) {
    std::string name = file->name.getValue().std();
    if (name.empty()) {
        warn(offset, "File node without a name; nothing included");
        return true;
    }
    if (includeNesting >= MAX_INCLUDE_NESTING)
        return fail(offset, "File inclusions nested deeper than " +
                                std::to_string(MAX_INCLUDE_NESTING) +
                                " levels (does a file include itself?)");
    std::vector<std::string> names{name};
    if (name.find('\\') != std::string::npos) {
        std::string slashed = name;
        for (char &ch : slashed)
            if (ch == '\\') ch = '/';
        names.push_back(slashed);
    }
    std::vector<std::string> candidates;
    for (const std::string &n : names) {
        if (!n.empty() && n[0] == '/') {
            candidates.push_back(n);
            continue;
        }
        if (!src->directory.empty()) candidates.push_back(joinPath(src->directory, n));
        for (const std::string &dir : top->getDirectories())
            candidates.push_back(joinPath(dir, n));
        candidates.push_back(n);
    }
    std::string path;
    for (const std::string &c : candidates)
        if (isRegularFile(c)) {
            path = c;
            break;
        }
    if (path.empty()) {
        std::string looked;
        for (const std::string &c : candidates)
            looked += (looked.empty() ? "" : ", ") + c;
        warn(offset, "included file '" + name + "' not found (looked for " + looked +
                         "); nothing included");
        return true;
    }
    SoInput included;
    // A file that exists but cannot be read is a warning like a missing one, so the opening
    // error is kept here instead of being reported as an error of the read.
    std::string openError;
    included.setMessageCallback(&keepText, &openError);
    if (!included.openFile(path.c_str())) {
        warn(offset, "included file '" + path + "' not included: " + openError);
        return true;
    }
    included.setMessageCallback(&forwardMessage, top);
    FileHeader header;
    HeaderStatus status = readHeader(inputStream(included), header);
    if (status != HEADER_OK) {
        warn(offset, "included file '" + path + "' not included: " + headerProblem(status, header));
        return true;
    }
    Source source(&included, path, header.start);
    Source *outer = src;
    src = &source;
    ++includeNesting;
    std::vector<SoNode *> nodes;
    bool ok = readAllNodes(nodes);
    --includeNesting;
    src = outer;
    for (SoNode *n : nodes) {
        if (ok) file->getChildren()->append(n);
        n->unref();
    }
    return ok;
}

} // namespace

SoSeparator *readScene(SoInput *input) {
    if (!input) return nullptr;
    Reader reader(input);
    return reader.read();
}

} // namespace scene_io
