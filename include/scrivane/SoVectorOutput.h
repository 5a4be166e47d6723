#ifndef SCRIVANE_SOVECTOROUTPUT_H
#define SCRIVANE_SOVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include <cstdio>
#include <memory>

// Where a drawing goes: a stdio stream. The output starts on standard output and returns to
// it after closeFile or a failed openFile. It owns any stream it opened or was given, except
// standard output, which it never closes. Created and deleted by the format action that uses it.
class SCRIVANE_API SoVectorOutput {
public:
    SoVectorOutput();
    virtual ~SoVectorOutput();
    // Closes the current stream unless it is standard output, then takes fp (owned from now on
    // unless it is standard output).
    virtual void setFilePointer(FILE *fp);
    virtual FILE *getFilePointer();
    // Opens name for writing in text mode. On failure the stream is standard output and 0 is
    // returned. A stream already open is not closed first.
    virtual int openFile(const char *name);
    virtual void closeFile();

protected:
    int openFileWithMode(const char *name, const char *mode);
    FILE *filePointer;

private:
    // The buffer of the streams openFileWithMode opens, larger than stdio's default: a drawing
    // is written in many small pieces, and each full buffer costs a system call. Reused from one
    // file to the next; a stream left open by openFile keeps its buffer.
    std::unique_ptr<char[]> streamBuffer;
    FILE *bufferedStream = nullptr; // the stream last given streamBuffer
    SoVectorOutput(const SoVectorOutput &) = delete;
    SoVectorOutput &operator=(const SoVectorOutput &) = delete;
};

#endif
