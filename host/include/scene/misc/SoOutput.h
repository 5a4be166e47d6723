#ifndef SCENE_SOOUTPUT_H
#define SCENE_SOOUTPUT_H
#include "scene/SceneExport.h"
#include <cstddef>
#include <cstdio>
#include <string>

// Where SoWriteAction writes a scene: a file it opens, a stdio stream it is given, or a buffer in
// memory. A new output writes to stdout until it is pointed somewhere else.
//
// Text is collected in memory and handed to the stream in large blocks; any failure to write (a
// full disk, a closed pipe) is remembered, and hadError() reports it after closeFile() so that a
// file that was not written completely is never passed off as complete.
//
// Ownership: a file opened with openFile is closed by closeFile or the destructor; a stream given
// to setFilePointer stays the caller's (it is flushed, never closed).
class SCENE_API SoOutput {
public:
    SoOutput();
    ~SoOutput();
    SoOutput(const SoOutput &) = delete;
    SoOutput &operator=(const SoOutput &) = delete;

    // Creates (truncates) the file; false when it cannot be opened.
    bool openFile(const char *fileName);
    // Writes to a stream owned by the caller.
    void setFilePointer(FILE *stream);
    // Flushes; closes the file if this output opened it; the output then writes to stdout again.
    // An output writing into memory keeps its text.
    void closeFile();
    // Writes into memory from now on; the buffer starts empty.
    void setBuffer();
    bool isToBuffer() const { return toBuffer; }
    // The text written into memory so far.
    bool getBuffer(const void *&buffer, size_t &size) const;
    const std::string &getBufferString() const { return pending; }
    void resetBuffer();
    // True once any write or close failed since the output was last pointed somewhere.
    bool hadError() const { return failed; }
    const char *getFileName() const { return fileName.c_str(); }

    // The first line of every file, written once per destination by SoWriteAction.
    static const char *getHeaderString() { return "#Inventor V2.1 ascii"; }
    bool isHeaderWritten() const { return headerWritten; }
    void setHeaderWritten(bool flag) { headerWritten = flag; }

    void write(char c);
    void write(const char *s);
    void write(const std::string &s);
    void write(const char *s, size_t n);
    // Writes the current indentation (two blanks a level).
    void indent();
    void incrementIndent(int levels = 1) { indentLevel += levels; }
    void decrementIndent(int levels = 1) {
        indentLevel = indentLevel > levels ? indentLevel - levels : 0;
    }
    int getIndentLevel() const { return indentLevel; }
    // Hands collected text to the stream (nothing for a buffer).
    void flush();

private:
    void reset();
    std::string pending;
    std::string fileName;
    FILE *stream = nullptr;
    bool ownsStream = false;
    bool toBuffer = false;
    bool failed = false;
    bool headerWritten = false;
    int indentLevel = 0;
};

#endif
