// Writing field values of every type, in the syntax the reader accepts (see FieldValueIO.h).
// Floats are written in the shortest form that reads back as the same float, so a written scene
// reads back with identical values.
#include "io/FieldTypes.h"
#include "io/FieldValueIO.h"
#include "scene/misc/SoOutput.h"
#include <charconv>
#include <cstdio>
#include <vector>

namespace scene_io {

void appendFloat(std::string &out, float value) {
    char buf[32];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, result.ptr);
}

std::string fieldTypeName(const SoField *field) {
    const char *name = field->getTypeId().getName().getString();
    if (name[0] == 'S' && name[1] == 'o') name += 2;
    return name;
}

namespace {

void appendInt(std::string &out, int64_t v) {
    out += std::to_string(v);
}

void appendHex(std::string &out, uint32_t v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*x", digits, static_cast<unsigned>(v));
    out += buf;
}

// A word the reader takes back as itself; anything else is quoted.
bool isPlainWord(const char *s) {
    if (!*s) return false;
    for (const char *p = s; *p; p++)
        if (!isWordChar(static_cast<unsigned char>(*p))) return false;
    return true;
}

void appendQuoted(std::string &out, const char *s, size_t n) {
    out += '"';
    for (size_t i = 0; i < n; i++) {
        if (s[i] == '"' || s[i] == '\\') out += '\\';
        out += s[i];
    }
    out += '"';
}

void appendFloats(std::string &out, const float *v, int n) {
    for (int i = 0; i < n; i++) {
        if (i) out += ' ';
        appendFloat(out, v[i]);
    }
}

void appendEnum(std::string &out, const SoEnumTable &table, int value) {
    SbName name;
    if (table.findEnumName(value, name)) {
        out += name.getString();
        return;
    }
    appendInt(out, value);
}

// A single name when one matches, else ( A | B ) from the names whose bits make up the value, else
// the number.
void appendBitMask(std::string &out, const SoEnumTable &table, int value) {
    SbName name;
    if (table.findEnumName(value, name)) {
        out += name.getString();
        return;
    }
    std::vector<const char *> parts;
    unsigned covered = 0;
    for (int i = 0; i < table.getNumEnums(); i++) {
        unsigned bits = static_cast<unsigned>(table.getEnum(i, name));
        if (bits == 0 || (bits & ~static_cast<unsigned>(value)) || (bits & ~covered) == 0) continue;
        parts.push_back(name.getString());
        covered |= bits;
    }
    if (covered != static_cast<unsigned>(value) || parts.empty()) {
        appendInt(out, value);
        return;
    }
    out += "( ";
    for (size_t i = 0; i < parts.size(); i++) {
        if (i) out += " | ";
        out += parts[i];
    }
    out += " )";
}

void appendRotation(std::string &out, const SbRotation &r) {
    SbVec3f axis;
    float angle;
    r.getValue(axis, angle);
    float v[4] = {axis[0], axis[1], axis[2], angle};
    appendFloats(out, v, 4);
}

void appendMatrix(std::string &out, const SbMatrix &m) {
    const SbMat &a = m.getValue();
    for (int i = 0; i < 4; i++) {
        if (i) out += ' ';
        appendFloats(out, a[i], 4);
    }
}

// Writes one value as is, or a list "[ a, b, ... ]" with perLine values on each line.
template <class T, class Append>
void writeList(SoOutput &out, const std::vector<T> &values, size_t perLine, Append append) {
    std::string text;
    if (values.size() == 1) {
        append(text, values[0]);
        out.write(text);
        return;
    }
    text = "[ ";
    out.incrementIndent();
    for (size_t i = 0; i < values.size(); i++) {
        if (i > 0 && i % perLine == 0) {
            out.write(text);
            out.write('\n');
            out.indent();
            text.clear();
        }
        append(text, values[i]);
        if (i + 1 < values.size()) text += (i + 1) % perLine == 0 ? "," : ", ";
    }
    out.decrementIndent();
    text += values.empty() ? "]" : " ]";
    out.write(text);
}

void writeImage(SoOutput &out, const SoSFImage &field) {
    SbVec2s size;
    int nc;
    const unsigned char *pixels = field.getValue(size, nc);
    std::string text =
        std::to_string(size[0]) + " " + std::to_string(size[1]) + " " + std::to_string(nc);
    size_t count = pixels ? static_cast<size_t>(size[0]) * static_cast<size_t>(size[1]) : 0;
    out.incrementIndent();
    for (size_t i = 0; i < count; i++) {
        if (i % 8 == 0) {
            out.write(text);
            out.write('\n');
            out.indent();
            text.clear();
        } else {
            text += ' ';
        }
        uint32_t v = 0;
        for (int c = 0; c < nc; c++)
            v = (v << 8) | pixels[i * static_cast<size_t>(nc) + static_cast<size_t>(c)];
        appendHex(text, v, 2 * nc);
    }
    out.decrementIndent();
    out.write(text);
}

} // namespace

void writeFieldValue(SoOutput &out, const SoField *field, NodeValueWriter &nodes) {
    SoType t = field->getTypeId();
    std::string text;
    auto flt = [](std::string &s, float v) { appendFloat(s, v); };
    auto vec2 = [](std::string &s, const SbVec2f &v) { appendFloats(s, v.getValue(), 2); };
    auto vec3 = [](std::string &s, const SbVec3f &v) { appendFloats(s, v.getValue(), 3); };
    auto vec4 = [](std::string &s, const SbVec4f &v) { appendFloats(s, v.getValue(), 4); };
    auto integer = [](std::string &s, auto v) { appendInt(s, static_cast<int64_t>(v)); };
    auto boolean = [](std::string &s, SbBool v) { s += v ? "TRUE" : "FALSE"; };
    auto str = [](std::string &s, const SbString &v) {
        appendQuoted(s, v.getString(), v.std().size());
    };
    auto name = [](std::string &s, const SbName &v) {
        if (isPlainWord(v.getString()))
            s += v.getString();
        else
            appendQuoted(s, v.getString(), static_cast<size_t>(v.getLength()));
    };

    if (t == SoSFBool::getClassTypeId()) {
        boolean(text, static_cast<const SoSFBool *>(field)->getValue());
    } else if (t == SoSFInt32::getClassTypeId()) {
        integer(text, static_cast<const SoSFInt32 *>(field)->getValue());
    } else if (t == SoSFUInt32::getClassTypeId()) {
        appendHex(text, static_cast<const SoSFUInt32 *>(field)->getValue(), 1);
    } else if (t == SoSFShort::getClassTypeId()) {
        integer(text, static_cast<const SoSFShort *>(field)->getValue());
    } else if (t == SoSFUShort::getClassTypeId()) {
        appendHex(text, static_cast<const SoSFUShort *>(field)->getValue(), 1);
    } else if (t == SoSFFloat::getClassTypeId()) {
        flt(text, static_cast<const SoSFFloat *>(field)->getValue());
    } else if (t == SoSFEnum::getClassTypeId()) {
        const SoSFEnum *f = static_cast<const SoSFEnum *>(field);
        appendEnum(text, f->enums(), f->getValue());
    } else if (t == SoSFBitMask::getClassTypeId()) {
        const SoSFBitMask *f = static_cast<const SoSFBitMask *>(field);
        appendBitMask(text, f->enums(), f->getValue());
    } else if (t == SoSFName::getClassTypeId()) {
        name(text, static_cast<const SoSFName *>(field)->getValue());
    } else if (t == SoSFString::getClassTypeId()) {
        str(text, static_cast<const SoSFString *>(field)->getValue());
    } else if (t == SoSFVec2f::getClassTypeId()) {
        vec2(text, static_cast<const SoSFVec2f *>(field)->getValue());
    } else if (t == SoSFVec3f::getClassTypeId()) {
        vec3(text, static_cast<const SoSFVec3f *>(field)->getValue());
    } else if (t == SoSFVec4f::getClassTypeId()) {
        vec4(text, static_cast<const SoSFVec4f *>(field)->getValue());
    } else if (t == SoSFColor::getClassTypeId()) {
        vec3(text, static_cast<const SoSFColor *>(field)->getValue());
    } else if (t == SoSFRotation::getClassTypeId()) {
        appendRotation(text, static_cast<const SoSFRotation *>(field)->getValue());
    } else if (t == SoSFMatrix::getClassTypeId()) {
        appendMatrix(text, static_cast<const SoSFMatrix *>(field)->getValue());
    } else if (t == SoSFImage::getClassTypeId()) {
        writeImage(out, *static_cast<const SoSFImage *>(field));
    } else if (t == SoSFNode::getClassTypeId()) {
        nodes.writeNodeValue(static_cast<const SoSFNode *>(field)->getValue());
    } else if (t == SoMFBool::getClassTypeId()) {
        writeList(out, static_cast<const SoMFBool *>(field)->getVector(), 8, boolean);
    } else if (t == SoMFInt32::getClassTypeId()) {
        writeList(out, static_cast<const SoMFInt32 *>(field)->getVector(), 8, integer);
    } else if (t == SoMFUInt32::getClassTypeId()) {
        writeList(out, static_cast<const SoMFUInt32 *>(field)->getVector(), 8,
                  [](std::string &s, uint32_t v) { appendHex(s, v, 1); });
    } else if (t == SoMFShort::getClassTypeId()) {
        writeList(out, static_cast<const SoMFShort *>(field)->getVector(), 8, integer);
    } else if (t == SoMFUShort::getClassTypeId()) {
        writeList(out, static_cast<const SoMFUShort *>(field)->getVector(), 8,
                  [](std::string &s, unsigned short v) { appendHex(s, v, 1); });
    } else if (t == SoMFFloat::getClassTypeId()) {
        writeList(out, static_cast<const SoMFFloat *>(field)->getVector(), 8, flt);
    } else if (t == SoMFEnum::getClassTypeId()) {
        const SoMFEnum *f = static_cast<const SoMFEnum *>(field);
        writeList(out, f->getVector(), 4,
                  [f](std::string &s, int v) { appendEnum(s, f->enums(), v); });
    } else if (t == SoMFBitMask::getClassTypeId()) {
        const SoMFBitMask *f = static_cast<const SoMFBitMask *>(field);
        writeList(out, f->getVector(), 2,
                  [f](std::string &s, int v) { appendBitMask(s, f->enums(), v); });
    } else if (t == SoMFName::getClassTypeId()) {
        writeList(out, static_cast<const SoMFName *>(field)->getVector(), 4, name);
    } else if (t == SoMFString::getClassTypeId()) {
        writeList(out, static_cast<const SoMFString *>(field)->getVector(), 1, str);
    } else if (t == SoMFVec2f::getClassTypeId()) {
        writeList(out, static_cast<const SoMFVec2f *>(field)->getVector(), 2, vec2);
    } else if (t == SoMFVec3f::getClassTypeId()) {
        writeList(out, static_cast<const SoMFVec3f *>(field)->getVector(), 1, vec3);
    } else if (t == SoMFVec4f::getClassTypeId()) {
        writeList(out, static_cast<const SoMFVec4f *>(field)->getVector(), 1, vec4);
    } else if (t == SoMFColor::getClassTypeId()) {
        writeList(out, static_cast<const SoMFColor *>(field)->getVector(), 1,
                  [](std::string &s, const SbColor &v) { appendFloats(s, v.getValue(), 3); });
    } else if (t == SoMFRotation::getClassTypeId()) {
        writeList(out, static_cast<const SoMFRotation *>(field)->getVector(), 1,
                  [](std::string &s, const SbRotation &v) { appendRotation(s, v); });
    } else if (t == SoMFMatrix::getClassTypeId()) {
        writeList(out, static_cast<const SoMFMatrix *>(field)->getVector(), 1,
                  [](std::string &s, const SbMatrix &v) { appendMatrix(s, v); });
    } else if (t == SoMFNode::getClassTypeId()) {
        const SoMFNode *f = static_cast<const SoMFNode *>(field);
        if (f->getNum() == 1) {
            nodes.writeNodeValue((*f)[0]);
            return;
        }
        out.write("[");
        out.incrementIndent();
        for (int i = 0; i < f->getNum(); i++) {
            out.write('\n');
            out.indent();
            nodes.writeNodeValue((*f)[i]);
            if (i + 1 < f->getNum()) out.write(',');
        }
        out.decrementIndent();
        if (f->getNum() > 0) {
            out.write('\n');
            out.indent();
        }
        out.write("]");
    }
    out.write(text);
}

} // namespace scene_io
