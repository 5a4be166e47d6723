// The output streams of the four formats. A file output owns the stream it holds unless that
// stream is standard output, which is also where every output starts and returns to.
#include "scrivane/SoVectorOutput.h"
#include "scrivane/SoCGMVectorOutput.h"
#include "scrivane/SoGDIVectorOutput.h"
#include <new>

SoVectorOutput::SoVectorOutput() : filePointer(stdout) {}

SoVectorOutput::~SoVectorOutput() {
    if (filePointer && filePointer != stdout) fclose(filePointer);
}

void SoVectorOutput::setFilePointer(FILE *fp) {
    if (filePointer && filePointer != stdout) fclose(filePointer);
    filePointer = fp;
}

FILE *SoVectorOutput::getFilePointer() {
    return filePointer;
}

namespace {
constexpr size_t kStreamBufferBytes = size_t(1) << 16;
} // namespace

int SoVectorOutput::openFileWithMode(const char *name, const char *mode) {
    // A stream still held is left open (see openFile), and so is the buffer it writes through.
    if (filePointer && filePointer == bufferedStream) static_cast<void>(streamBuffer.release());
    FILE *fp = name ? fopen(name, mode) : nullptr;
    if (!fp) {
        filePointer = stdout;
        return 0;
    }
    if (!streamBuffer) streamBuffer.reset(new (std::nothrow) char[kStreamBufferBytes]);
    // Without a buffer of its own the stream keeps stdio's.
    if (streamBuffer) setvbuf(fp, streamBuffer.get(), _IOFBF, kStreamBufferBytes);
    bufferedStream = streamBuffer ? fp : nullptr;
    filePointer = fp;
    return 1;
}

int SoVectorOutput::openFile(const char *name) {
    return openFileWithMode(name, "wt");
}

void SoVectorOutput::closeFile() {
    if (filePointer && filePointer != stdout) fclose(filePointer);
    filePointer = stdout;
}

int SoCGMVectorOutput::openFile(const char *name) {
    return openFileWithMode(name, binaryEncoding ? "wb" : "wt");
}

int SoGDIVectorOutput::openFile(const char *name) {
    if (name[0] == '\0') return openFile();
    gdiOutputName = name;
    gdiHdc = nullptr;
    return 1;
}

int SoGDIVectorOutput::openFile(HDC hdc) {
    if (!hdc) return openFile();
    gdiHdc = hdc;
    gdiOutputName = "";
    return 1;
}

int SoGDIVectorOutput::openFile() {
    gdiHdc = nullptr;
    gdiOutputName = "";
    return 1;
}
