#ifndef SCENE_IO_FIELDVALUEIO_H
#define SCENE_IO_FIELDVALUEIO_H
// Reading and writing the values of every field type of the toolkit in the ASCII scene format.
//
// Syntax, per type:
//   SFBool      TRUE, FALSE, 1 or 0 (the names in any letter case)
//   SFInt32, SFUInt32, SFShort, SFUShort
//               decimal with optional sign, or 0x hexadecimal; decimal values must fit the type, a
//               hexadecimal value may use the whole unsigned width (0xFFFFFFFF in an SFInt32 is -1)
//   SFFloat     decimal with optional sign, optional leading '.', exponents of any length
//   SFEnum      a name from the field's table (or its integer value); a field without a table (one
//               declared in a file) accepts any name and learns it
//   SFBitMask   a name, or ( A | B | ... ), or an integer
//   SFName      a word or a quoted string
//   SFString    a quoted string (escapes \" and \\), or a single unquoted word
//   SFVec2f/3f/4f, SFColor   2, 3, 4, 3 floats
//   SFRotation  axis x y z and angle in radians
//   SFMatrix    16 floats, row by row
//   SFImage     width height components, then width * height pixels, each an integer (0xRRGGBB for
//   3
//               components; decimal also accepted) holding the components from most significant
//               byte
//   SFNode      a node, USE name, or NULL
//   MF…         one value, or [ values ] with optional commas between them
#include "io/Lexer.h"
#include <string>

class SoField;
class SoNode;
class SoOutput;

namespace scene_io {

// What reading a field value needs from the scene reader: node values and error reports.
class ValueContext {
public:
    virtual ~ValueContext() = default;
    // Reads a node value (a node, USE name or NULL). On success node holds the node, or null for
    // NULL, with one reference owned by the caller.
    virtual bool readNodeValue(SoNode *&node) = 0;
    // Reports an error at a position of the current source; always returns false.
    virtual bool fail(const Position &at, const std::string &text) = 0;
};

// Reads a value of field's type into it. what names the field in messages ("field 'point' of
// 'Coordinate3'"). Returns false after reporting an error through ctx.
bool readFieldValue(Lexer &lex, SoField *field, const std::string &what, ValueContext &ctx);

// How node values are written.
class NodeValueWriter {
public:
    virtual ~NodeValueWriter() = default;
    // Writes a node (or NULL) at the current position of the output.
    virtual void writeNodeValue(SoNode *node) = 0;
};

// Writes field's value (without its name) at the current position of out; lists that need more
// than one line continue at the output's current indentation plus one level.
void writeFieldValue(SoOutput &out, const SoField *field, NodeValueWriter &nodes);

// The name a field type has in files ("SFFloat"), or "" for types that have none.
std::string fieldTypeName(const SoField *field);

// Appends the shortest text that reads back as exactly this float.
void appendFloat(std::string &out, float value);

} // namespace scene_io

#endif
