#ifndef SCENE_IO_BYTESTREAM_H
#define SCENE_IO_BYTESTREAM_H
// The bytes of a scene source, seen through a window that moves forward as the lexer reads.
//
// A source is a file (a FILE* that SoInput opened or that the caller handed over) or a block of
// memory (copied whole, as SoInput::setBuffer promises). Of a file only the window is held: it
// starts at the default window size (64 KiB) and is refilled when the lexer reaches its end,
// keeping the bytes from a point the lexer names (the start of the token it is reading, a quoted
// string included) and dropping those before it. A token longer than the window makes the window
// grow, doubling, so reading is linear in the input; apart from the header (up to 256 bytes of
// the first line), nothing else grows it. Memory use of a read is the window plus the scene
// being built, whatever the size of the file.
//
// Every refill moves the kept bytes into a newly allocated window and frees the old one, so a
// pointer into the window that outlives a refill is a use after free that the sanitizer build
// reports, rather than a silent read of shifted bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace scene_io {

class ByteStream {
public:
    ByteStream() = default;
    ~ByteStream() { close(); }
    ByteStream(const ByteStream &) = delete;
    ByteStream &operator=(const ByteStream &) = delete;

    // Reads a copy of the given bytes.
    void openMemory(const void *data, size_t size);
    // Reads file from its current position; closes it at the end when owned. The file is read in
    // large blocks, so its own buffering does not matter.
    void openFile(std::FILE *file, bool owned);
    void close();
    bool isOpen() const { return kind != NONE; }

    // Goes back to where the source began, if it can (memory and seekable files); otherwise the
    // stream stays where it is. Used when a source is read a second time.
    void restart();
    // Reads more of the source into the window, keeping all of it (the window grows when full).
    // False at the end of the input. Used for the header, which is looked at before any token is
    // read.
    bool grow();
    // Grows the window until it holds at least n bytes (fewer at the end of the input).
    void fillTo(size_t n);

    // The window: bytes [data(), end()) of the source, data() at offset windowOffset().
    const char *data() const { return window.get(); }
    const char *end() const { return window.get() + used; }
    size_t size() const { return used; }
    uint64_t windowOffset() const { return windowStart; }

    // Appends more of the source to the window, dropping the bytes before keep (a pointer into
    // the window, or end()). Afterwards the kept bytes start at data(), and every other pointer
    // into the old window is invalid. Returns false, changing nothing, when the source has no more
    // bytes (its end, or a read error).
    bool refill(const char *keep);
    // Drops the bytes before p (a pointer into the window): a later read of a source that cannot
    // go back starts after them.
    void drop(const char *p);

    // The errno of a failed read, 0 when every read succeeded.
    int readError() const { return error; }
    // The size of the whole source, when known (memory, regular files).
    bool totalSize(uint64_t &size) const {
        size = total;
        return totalKnown;
    }

    // The size new windows start at (64 KiB). Tests use tiny windows to make tokens straddle
    // refills; 0 restores the default.
    static void setWindowSize(size_t bytes);
    static size_t windowSize();

private:
    enum Kind { NONE, MEMORY, FILE_SOURCE };
    // Reads up to n bytes of the source into dst; returns how many (0 at the end or on error).
    size_t readSource(char *dst, size_t n);

    Kind kind = NONE;
    std::unique_ptr<char[]> window;
    size_t capacity = 0;
    size_t used = 0;
    uint64_t windowStart = 0; // offset of window[0] in the source
    bool exhausted = false;   // the source returned its last byte
    int error = 0;
    uint64_t total = 0;
    bool totalKnown = false;
    // Memory source.
    std::string memory;
    size_t memoryPos = 0;
    // File source.
    std::FILE *file = nullptr;
    bool ownsFile = false;
    long fileOrigin = -1; // position the file was handed over at; -1 when it cannot seek
};

} // namespace scene_io

#endif
