// The output streams of the four formats. A file output owns the stream it holds unless that
// stream is standard output, which is also where every output starts and returns to.
#include "scrivane/SoCGMVectorOutput.h"
#include "scrivane/SoGDIVectorOutput.h"
#include "scrivane/SoVectorOutput.h"

SoVectorOutput::SoVectorOutput() : filePointer(stdout) {}

SoVectorOutput::~SoVectorOutput() {
    if (filePointer && filePointer != stdout) fclose(filePointer);
}

void SoVectorOutput::setFilePointer(FILE *fp) {
    if (filePointer && filePointer != stdout) fclose(filePointer);
    filePointer = fp;
}

FILE *SoVectorOutput::getFilePointer() { return filePointer; }

int SoVectorOutput::openFileWithMode(const char *name, const char *mode) {
    FILE *fp = name ? fopen(name, mode) : nullptr;
    if (!fp) {
        filePointer = stdout;
        return 0;
    }
    filePointer = fp;
    return 1;
}

int SoVectorOutput::openFile(const char *name) { return openFileWithMode(name, "wt"); }

void SoVectorOutput::closeFile() {
    if (filePointer && filePointer != stdout) fclose(filePointer);
    filePointer = stdout;
}

int SoCGMVectorOutput::openFile(const char *name) { return openFileWithMode(name, binaryEncoding ? "wb" : "wt"); }

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
