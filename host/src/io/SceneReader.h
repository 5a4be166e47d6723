#ifndef SCENE_IO_SCENEREADER_H
#define SCENE_IO_SCENEREADER_H
// The reader of the ASCII scene format behind SoDB::readAll.
#include <cstddef>
#include <string>

class SoInput;
class SoSeparator;

namespace scene_io {

enum HeaderStatus {
    HEADER_OK,
    HEADER_BINARY,
    HEADER_VRML,
    HEADER_UNSUPPORTED_VERSION,
    HEADER_MISSING
};

struct FileHeader {
    std::string line;  // the first line, without its line end
    float version = 0; // 1.0, 2.0 or 2.1 when accepted
    size_t start = 0;  // offset of the header (after a UTF-8 byte order mark)
};

class ByteStream;

// Checks the first line: "#Inventor V1.0 ascii", "#Inventor V2.0 ascii" or "#Inventor V2.1 ascii".
HeaderStatus parseHeader(const char *data, size_t size, FileHeader &header);
// Goes back to the start of the stream (where it can) and checks its header; the stream's window
// then starts at the header.
HeaderStatus readHeader(ByteStream &stream, FileHeader &header);
// The message explaining why a header was refused.
std::string headerProblem(HeaderStatus status, const FileHeader &header);

// "dir/sub/a.iv" gives "dir/sub"; "a.iv" gives "".
std::string directoryOf(const std::string &path);

// Reads every top-level node of the input. Returns a new separator with a reference count of 0, or
// null after reporting an error through the input's message callback.
SoSeparator *readScene(SoInput *input);

} // namespace scene_io

#endif
