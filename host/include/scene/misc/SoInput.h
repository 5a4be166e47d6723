#ifndef SCENE_SOINPUT_H
#define SCENE_SOINPUT_H
#include "scene/SceneExport.h"
#include "scene/base/SbString.h"
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class SoInput;
namespace scene_io {
class ByteStream;
// The bytes of an input, for the reader.
ByteStream &inputStream(SoInput &input);
} // namespace scene_io

// One warning or error about a scene file: which file, where in it, and what was wrong.
struct SCENE_API SoInputMessage {
    enum Severity { WARNING_MESSAGE, ERROR_MESSAGE };
    Severity severity = ERROR_MESSAGE;
    SbString fileName; // the file as it was opened, or the buffer's name
    int line = 0;      // 1-based; 0 when the message is about the file as a whole
    int column = 0;    // 1-based byte column within the line
    SbString text;     // what happened, e.g. "expected '{' after node type 'Cube'"
    // "scene.iv:12:5: expected '{' after node type 'Cube'" for an error,
    // "scene.iv:3:1: warning: unknown node type 'Foo' skipped" for a warning.
    SbString formatted;
};

// The source of a scene file for SoDB::readAll: a file on disk, an open FILE* (standard input,
// a pipe) or a block of memory.
//
// The source is read as a stream through a window of 64 KiB that moves forward with the reader,
// so reading takes the memory of the scene it builds, not that of the file. Reading a source a
// second time starts again from its beginning when it can seek (files, buffers); a pipe goes on
// from where the last read stopped.
//
// Inclusions (`File { name "part.iv" }`) are looked up first in the directory of the file that
// includes them, then in the directories added here, in order, and last relative to the current
// working directory.
//
// Warnings and errors found while reading go to a message callback: the one set on this input, or
// else the process-wide default callback, which writes the formatted message and a line end to
// stderr. The input counts them and keeps the last error for callers that only want a summary.
//
// Ownership: the input owns the files it opens and its copy of a buffer; the caller owns the input
// and any FILE* it hands over.
class SCENE_API SoInput {
public:
    typedef void MessageCallback(const SoInputMessage &message, void *userData);

    SoInput();
    ~SoInput();
    SoInput(const SoInput &) = delete;
    SoInput &operator=(const SoInput &) = delete;

    // Opens the file and reads its first block. On failure it reports an error through the message
    // callback (unless okIfNotFound is set and the file does not exist) and returns false.
    bool openFile(const char *fileName, bool okIfNotFound = false);
    // Reads from an open file, from its current position, without closing it. name names the
    // source in messages ("<stdin>" for stdin, "<file>" otherwise, when null).
    void setFilePointer(FILE *file, const char *name = nullptr);
    // Reads from a copy of the given bytes. bufferName names the source in messages ("<buffer>"
    // when null); when it contains a directory, inclusions are also looked up there.
    void setBuffer(const void *buffer, size_t bufferSize, const char *bufferName = nullptr);
    // Closes the file (one that openFile opened) or forgets the buffer; the directories and
    // callbacks stay.
    void closeFile();
    bool isOpen() const { return open; }
    // The name given to openFile (or the buffer's name); empty when nothing is open.
    const char *getCurFileName() const { return fileName.c_str(); }
    // The directory part of the current file name ("" for a bare name or a buffer without one).
    std::string getCurDirectory() const;
    // True when the source starts with a header this reader accepts (#Inventor V1.0, V2.0 or V2.1
    // ascii); false for binary files and anything else.
    bool isValidFile() const;

    // The search list for inclusions.
    void addDirectoryFirst(const char *dirName);
    void addDirectoryLast(const char *dirName);
    void removeDirectory(const char *dirName);
    void clearDirectories();
    const std::vector<std::string> &getDirectories() const { return directories; }

    // Messages of this input go to cb (null restores the process-wide default).
    void setMessageCallback(MessageCallback *cb, void *userData);
    // The process-wide default for inputs without their own callback; null restores stderr.
    static void setDefaultMessageCallback(MessageCallback *cb, void *userData);
    // Builds a message (formatting it) and hands it to the callback; counts it.
    void postMessage(SoInputMessage::Severity severity, const char *file, int line, int column,
                     const std::string &text);
    int getNumErrors() const { return numErrors; }
    int getNumWarnings() const { return numWarnings; }
    // The formatted text of the last error, empty when none occurred.
    const SbString &getLastErrorMessage() const { return lastError; }
    void resetMessageCounts();

private:
    friend scene_io::ByteStream &scene_io::inputStream(SoInput &input);
    std::unique_ptr<scene_io::ByteStream> stream;
    std::string fileName;
    std::vector<std::string> directories;
    bool open = false;
    MessageCallback *callback = nullptr;
    void *callbackData = nullptr;
    int numErrors = 0;
    int numWarnings = 0;
    SbString lastError;
};

#endif
