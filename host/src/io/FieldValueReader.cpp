// Reading field values of every type (the syntax is listed in FieldValueIO.h).
#include "io/FieldTypes.h"
#include "io/FieldValueIO.h"
#include "scene/misc/SoFieldContainer.h"
#include "scene/nodes/SoNode.h"
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace scene_io {

namespace {

// The largest image side an SFImage can hold (its size is an SbVec2s).
const int MAX_IMAGE_SIDE = 32767;

class ValueReader {
public:
    ValueReader(Lexer &l, const std::string &w, ValueContext &c) : lex(l), what(w), ctx(c) {}

    bool expected(const Position &off, const std::string &kind) {
        return ctx.fail(off, "expected " + kind + " for " + what + ", found " + lex.describeNext());
    }
    bool expectedToken(const Position &off, const std::string &kind, std::string_view token) {
        return ctx.fail(off, "expected " + kind + " for " + what + ", found '" +
                                 std::string(token) + "'");
    }

    // Numbers hold no line ends: a token just read starts on the current line, its length back.
    Position tokenStart(std::string_view token) const {
        Position at = lex.position();
        at.offset -= token.size();
        at.column -= static_cast<int>(token.size());
        return at;
    }

    // The common case inline; tokens the lexer did not parse, and errors, out of line.
    bool readFloat(float &v) {
        std::string_view tok;
        double d;
        if (lex.readReal(tok, d) == Lexer::NUMBER_PARSED) {
            v = toFloat(d);
            return true;
        }
        return readFloatToken(tok, v);
    }
    [[gnu::noinline]] bool readFloatToken(std::string_view tok, float &v) {
        if (tok.empty()) return expected(lex.position(), "a number");
        if (!parseFloat(tok, v)) return expectedToken(tokenStart(tok), "a number", tok);
        return true;
    }

    bool readFloats(float *v, int n) {
        for (int i = 0; i < n; i++)
            if (!readFloat(v[i])) return false;
        return true;
    }

    bool readInteger(int64_t minValue, int64_t maxValue, int hexBits, int64_t &v) {
        std::string_view tok;
        const Lexer::NumberResult result = lex.readInteger(tok, v);
        // parseInteger's range check, on the value already parsed.
        if (result == Lexer::NUMBER_PARSED && v >= minValue && v <= maxValue) return true;
        return readIntegerToken(result, tok, minValue, maxValue, hexBits, v);
    }
    [[gnu::noinline]] bool readIntegerToken(Lexer::NumberResult result, std::string_view tok,
                                            int64_t minValue, int64_t maxValue, int hexBits,
                                            int64_t &v) {
        if (result == Lexer::NUMBER_MISSING) return expected(lex.position(), "an integer");
        if (result == Lexer::NUMBER_TOKEN && parseInteger(tok, minValue, maxValue, hexBits, v))
            return true;
        return expectedToken(
            tokenStart(tok),
            "an integer from " + std::to_string(minValue) + " to " + std::to_string(maxValue), tok);
    }

    bool readInt32(int32_t &v) {
        int64_t x;
        if (!readInteger(INT32_MIN, INT32_MAX, 32, x)) return false;
        v = static_cast<int32_t>(x);
        return true;
    }
    // Negative values are accepted and wrap, as the C conversion functions do.
    bool readUInt32(uint32_t &v) {
        int64_t x;
        if (!readInteger(INT32_MIN, UINT32_MAX, 32, x)) return false;
        v = static_cast<uint32_t>(x);
        return true;
    }
    bool readShort(short &v) {
        int64_t x;
        if (!readInteger(-32768, 32767, 16, x)) return false;
        v = static_cast<short>(x);
        return true;
    }
    bool readUShort(unsigned short &v) {
        int64_t x;
        if (!readInteger(-32768, 65535, 16, x)) return false;
        v = static_cast<unsigned short>(x);
        return true;
    }

    bool readBool(SbBool &v) {
        lex.skipSpace();
        Position off = lex.position();
        std::string_view w;
        if (!lex.readWord(w)) return expected(off, "TRUE or FALSE");
        if (equalsIgnoringCase(w, "TRUE") || w == "1") {
            v = TRUE;
        } else if (equalsIgnoringCase(w, "FALSE") || w == "0") {
            v = FALSE;
        } else {
            return expectedToken(off, "TRUE or FALSE", w);
        }
        return true;
    }

    // An enum name from the table; tables of fields declared in files learn new names.
    bool readEnumName(SoEnumTable &table, bool learn, int &v) {
        lex.skipSpace();
        Position off = lex.position();
        std::string_view w;
        if (!lex.readWord(w)) return expected(off, "a name");
        SbName name;
        int maxValue = -1;
        for (int i = 0; i < table.getNumEnums(); i++) {
            int value = table.getEnum(i, name);
            if (w == name.getString()) {
                v = value;
                return true;
            }
            if (value > maxValue) maxValue = value;
        }
        int64_t number;
        if (parseInteger(w, INT32_MIN, UINT32_MAX, 32, number)) {
            v = static_cast<int>(static_cast<uint32_t>(number));
            return true;
        }
        if (learn) {
            v = maxValue + 1;
            table.addEnum(SbName(std::string(w).c_str()), v);
            return true;
        }
        std::string names;
        for (int i = 0; i < table.getNumEnums() && i < 16; i++) {
            table.getEnum(i, name);
            if (!names.empty()) names += ", ";
            names += name.getString();
        }
        return ctx.fail(off, "unknown value '" + std::string(w) + "' for " + what +
                                 " (expected one of " + names + ")");
    }

    bool readEnum(SoEnumTable &table, bool learn, int &v) { return readEnumName(table, learn, v); }

    bool readBitMask(SoEnumTable &table, bool learn, int &v) {
        if (!lex.accept('(')) return readEnumName(table, learn, v);
        v = 0;
        if (lex.accept(')')) return true;
        while (true) {
            int bit;
            if (!readEnumName(table, learn, bit)) return false;
            v |= bit;
            if (lex.accept('|')) continue;
            lex.skipSpace();
            Position off = lex.position();
            if (lex.accept(')')) return true;
            return expected(off, "'|' or ')'");
        }
    }

    bool readStringValue(std::string &s) {
        lex.skipSpace();
        Position off = lex.position();
        switch (lex.readString(s)) {
        case Lexer::STRING_OK:
            return true;
        case Lexer::STRING_MISSING:
            return expected(off, "a string");
        default:
            return ctx.fail(off, "string for " + what + " is not terminated (missing '\"')");
        }
    }
    bool readString(SbString &v) {
        std::string s;
        if (!readStringValue(s)) return false;
        v = SbString(s);
        return true;
    }
    bool readName(SbName &v) {
        std::string s;
        if (!readStringValue(s)) return false;
        v = SbName(s.c_str());
        return true;
    }

    bool readVec2f(SbVec2f &v) { return readFloats(&v[0], 2); }
    bool readVec3f(SbVec3f &v) { return readFloats(&v[0], 3); }
    bool readVec4f(SbVec4f &v) { return readFloats(&v[0], 4); }
    bool readColor(SbColor &v) { return readFloats(&v[0], 3); }
    bool readRotation(SbRotation &v) {
        float f[4];
        if (!readFloats(f, 4)) return false;
        v.setValue(SbVec3f(f[0], f[1], f[2]), f[3]);
        return true;
    }
    bool readMatrix(SbMatrix &v) {
        float f[16];
        if (!readFloats(f, 16)) return false;
        SbMat m;
        for (int i = 0; i < 16; i++)
            m[i / 4][i % 4] = f[i];
        v.setValue(m);
        return true;
    }

    bool readImage(SoSFImage &field) {
        lex.skipSpace();
        Position off = lex.position();
        int64_t w, h, nc;
        if (!readInteger(0, INT32_MAX, 32, w) || !readInteger(0, INT32_MAX, 32, h) ||
            !readInteger(0, 4, 32, nc))
            return false;
        if (w > MAX_IMAGE_SIDE || h > MAX_IMAGE_SIDE)
            return ctx.fail(off, "image of " + std::to_string(w) + " x " + std::to_string(h) +
                                     " pixels for " + what + " is too large (at most " +
                                     std::to_string(MAX_IMAGE_SIDE) + " a side)");
        size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
        if (count > 0 && nc == 0)
            return ctx.fail(off, "image for " + what + " has pixels but 0 components");
        // Each pixel takes at least one digit and a separator: refuse counts the input cannot hold
        // before allocating for them. When the size of the input is not known (a pipe), the pixels
        // are stored as they are read, so only pixels actually present take memory.
        uint64_t left = 0;
        const bool sizeKnown = lex.remaining(left);
        if (sizeKnown && count > left / 2 + 1)
            return ctx.fail(off, "image of " + std::to_string(w) + " x " + std::to_string(h) +
                                     " pixels for " + what +
                                     " is larger than the rest of the file");
        const size_t size = count * static_cast<size_t>(nc);
        std::vector<unsigned char> bytes;
        bytes.reserve(sizeKnown ? size : std::min(size, static_cast<size_t>(1) << 16));
        for (size_t i = 0; i < count; i++) {
            uint32_t pixel;
            if (!readUInt32(pixel)) return false;
            for (int c = 0; c < nc; c++)
                bytes.push_back(static_cast<unsigned char>(pixel >> (8 * (nc - 1 - c))));
        }
        field.setValue(SbVec2s(static_cast<short>(w), static_cast<short>(h)), static_cast<int>(nc),
                       bytes.empty() ? nullptr : bytes.data());
        return true;
    }

    // One value, or a bracketed list with optional commas; the values replace the field's.
    template <class T, class ReadOne> bool readList(std::vector<T> &values, ReadOne readOne) {
        values.clear();
        lex.skipSpace();
        Position open = lex.position();
        if (!lex.accept('[')) {
            T v{};
            if (!readOne(v)) return false;
            values.push_back(std::move(v));
            return true;
        }
        while (true) {
            int c = lex.peek();
            if (c == ']') {
                lex.accept(']');
                return true;
            }
            if (c < 0)
                return ctx.fail(lex.position(), "expected ']' to close the list of " + what +
                                                    " begun at line " + std::to_string(open.line) +
                                                    ", found end of file");
            T v{};
            if (!readOne(v)) return false;
            values.push_back(std::move(v));
            lex.accept(',');
        }
    }

    template <class F, class ReadOne> bool readMulti(F &field, ReadOne readOne) {
        std::vector<typename std::remove_reference<decltype(field.getVector())>::type::value_type>
            values;
        if (!readList(values, readOne)) return false;
        field.getVector().swap(values);
        field.touch();
        return true;
    }

    bool readNodeList(SoMFNode &field) {
        std::vector<SoNode *> nodes;
        bool ok = readList(nodes, [&](SoNode *&n) { return ctx.readNodeValue(n); });
        if (ok) {
            field.setNum(0);
            for (size_t i = 0; i < nodes.size(); i++)
                field.set1Value(static_cast<int>(i), nodes[i]);
            field.touch();
        }
        for (SoNode *n : nodes)
            if (n) n->unref();
        return ok;
    }

    static bool equalsIgnoringCase(std::string_view a, const char *b) {
        size_t n = std::strlen(b);
        if (a.size() != n) return false;
        for (size_t i = 0; i < n; i++) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
            if (x != y) return false;
        }
        return true;
    }

    Lexer &lex;
    const std::string &what;
    ValueContext &ctx;
};

// Fields declared in files (and those outside any node) have no names of their own: they learn
// them.
bool learnsEnums(const SoField *field, const SoEnumTable &table) {
    const SoFieldContainer *container = field->getContainer();
    return table.getNumEnums() == 0 || !container || !container->isBuiltIn();
}

} // namespace

bool readFieldValue(Lexer &lex, SoField *field, const std::string &what, ValueContext &ctx) {
    ValueReader r(lex, what, ctx);
    SoType t = field->getTypeId();
    auto rd = [&r](auto method) { return [&r, method](auto &v) { return (r.*method)(v); }; };

    if (t == SoSFBool::getClassTypeId()) {
        SbBool v;
        if (!r.readBool(v)) return false;
        static_cast<SoSFBool *>(field)->setValue(v);
    } else if (t == SoSFInt32::getClassTypeId()) {
        int32_t v;
        if (!r.readInt32(v)) return false;
        static_cast<SoSFInt32 *>(field)->setValue(v);
    } else if (t == SoSFUInt32::getClassTypeId()) {
        uint32_t v;
        if (!r.readUInt32(v)) return false;
        static_cast<SoSFUInt32 *>(field)->setValue(v);
    } else if (t == SoSFShort::getClassTypeId()) {
        short v;
        if (!r.readShort(v)) return false;
        static_cast<SoSFShort *>(field)->setValue(v);
    } else if (t == SoSFUShort::getClassTypeId()) {
        unsigned short v;
        if (!r.readUShort(v)) return false;
        static_cast<SoSFUShort *>(field)->setValue(v);
    } else if (t == SoSFFloat::getClassTypeId()) {
        float v;
        if (!r.readFloat(v)) return false;
        static_cast<SoSFFloat *>(field)->setValue(v);
    } else if (t == SoSFEnum::getClassTypeId()) {
        SoSFEnum *f = static_cast<SoSFEnum *>(field);
        int v;
        if (!r.readEnum(f->enums(), learnsEnums(f, f->enums()), v)) return false;
        f->setValue(v);
    } else if (t == SoSFBitMask::getClassTypeId()) {
        SoSFBitMask *f = static_cast<SoSFBitMask *>(field);
        int v;
        if (!r.readBitMask(f->enums(), learnsEnums(f, f->enums()), v)) return false;
        f->setValue(v);
    } else if (t == SoSFName::getClassTypeId()) {
        SbName v;
        if (!r.readName(v)) return false;
        static_cast<SoSFName *>(field)->setValue(v);
    } else if (t == SoSFString::getClassTypeId()) {
        SbString v;
        if (!r.readString(v)) return false;
        static_cast<SoSFString *>(field)->setValue(v);
    } else if (t == SoSFVec2f::getClassTypeId()) {
        SbVec2f v;
        if (!r.readVec2f(v)) return false;
        static_cast<SoSFVec2f *>(field)->setValue(v);
    } else if (t == SoSFVec3f::getClassTypeId()) {
        SbVec3f v;
        if (!r.readVec3f(v)) return false;
        static_cast<SoSFVec3f *>(field)->setValue(v);
    } else if (t == SoSFVec4f::getClassTypeId()) {
        SbVec4f v;
        if (!r.readVec4f(v)) return false;
        static_cast<SoSFVec4f *>(field)->setValue(v);
    } else if (t == SoSFColor::getClassTypeId()) {
        SbColor v;
        if (!r.readColor(v)) return false;
        static_cast<SoSFColor *>(field)->setValue(v);
    } else if (t == SoSFRotation::getClassTypeId()) {
        SbRotation v;
        if (!r.readRotation(v)) return false;
        static_cast<SoSFRotation *>(field)->setValue(v);
    } else if (t == SoSFMatrix::getClassTypeId()) {
        SbMatrix v;
        if (!r.readMatrix(v)) return false;
        static_cast<SoSFMatrix *>(field)->setValue(v);
    } else if (t == SoSFImage::getClassTypeId()) {
        return r.readImage(*static_cast<SoSFImage *>(field));
    } else if (t == SoSFNode::getClassTypeId()) {
        SoNode *node = nullptr;
        if (!ctx.readNodeValue(node)) return false;
        static_cast<SoSFNode *>(field)->setValue(node);
        if (node) node->unref();
    } else if (t == SoMFBool::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFBool *>(field), rd(&ValueReader::readBool));
    } else if (t == SoMFInt32::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFInt32 *>(field), rd(&ValueReader::readInt32));
    } else if (t == SoMFUInt32::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFUInt32 *>(field), rd(&ValueReader::readUInt32));
    } else if (t == SoMFShort::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFShort *>(field), rd(&ValueReader::readShort));
    } else if (t == SoMFUShort::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFUShort *>(field), rd(&ValueReader::readUShort));
    } else if (t == SoMFFloat::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFFloat *>(field), rd(&ValueReader::readFloat));
    } else if (t == SoMFEnum::getClassTypeId()) {
        SoMFEnum *f = static_cast<SoMFEnum *>(field);
        bool learn = learnsEnums(f, f->enums());
        return r.readMulti(*f, [&](int &v) { return r.readEnum(f->enums(), learn, v); });
    } else if (t == SoMFBitMask::getClassTypeId()) {
        SoMFBitMask *f = static_cast<SoMFBitMask *>(field);
        bool learn = learnsEnums(f, f->enums());
        return r.readMulti(*f, [&](int &v) { return r.readBitMask(f->enums(), learn, v); });
    } else if (t == SoMFName::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFName *>(field), rd(&ValueReader::readName));
    } else if (t == SoMFString::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFString *>(field), rd(&ValueReader::readString));
    } else if (t == SoMFVec2f::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFVec2f *>(field), rd(&ValueReader::readVec2f));
    } else if (t == SoMFVec3f::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFVec3f *>(field), rd(&ValueReader::readVec3f));
    } else if (t == SoMFVec4f::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFVec4f *>(field), rd(&ValueReader::readVec4f));
    } else if (t == SoMFColor::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFColor *>(field), rd(&ValueReader::readColor));
    } else if (t == SoMFRotation::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFRotation *>(field), rd(&ValueReader::readRotation));
    } else if (t == SoMFMatrix::getClassTypeId()) {
        return r.readMulti(*static_cast<SoMFMatrix *>(field), rd(&ValueReader::readMatrix));
    } else if (t == SoMFNode::getClassTypeId()) {
        return r.readNodeList(*static_cast<SoMFNode *>(field));
    } else {
        lex.skipSpace();
        return ctx.fail(lex.position(), "fields of type '" + std::string(t.getName().getString()) +
                                            "' (" + what + ") cannot be read");
    }
    return true;
}

} // namespace scene_io
