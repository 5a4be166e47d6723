#include "scene/misc/SoOutput.h"

namespace {
// Collected text is handed to the stream once it grows past this many bytes.
const size_t FLUSH_SIZE = 1 << 16;
} // namespace

SoOutput::SoOutput() : stream(stdout) {}

SoOutput::~SoOutput() {
    closeFile();
}

void SoOutput::reset() {
    pending.clear();
    fileName.clear();
    stream = nullptr;
    ownsStream = false;
    toBuffer = false;
    failed = false;
    headerWritten = false;
    indentLevel = 0;
}

bool SoOutput::openFile(const char *name) {
    closeFile();
    FILE *f = name ? std::fopen(name, "wb") : nullptr;
    if (!f) return false;
    reset();
    stream = f;
    ownsStream = true;
    fileName = name;
    return true;
}

void SoOutput::setFilePointer(FILE *newStream) {
    closeFile();
    reset();
    stream = newStream;
}

void SoOutput::closeFile() {
    flush();
    bool hadFailure = failed;
    if (stream && ownsStream) {
        if (std::fclose(stream) != 0) hadFailure = true;
    } else if (stream && std::fflush(stream) != 0) {
        hadFailure = true;
    }
    if (toBuffer) return;
    reset();
    stream = stdout;
    failed = hadFailure;
}

void SoOutput::setBuffer() {
    closeFile();
    reset();
    toBuffer = true;
}

bool SoOutput::getBuffer(const void *&buffer, size_t &size) const {
    if (!toBuffer) return false;
    buffer = pending.data();
    size = pending.size();
    return true;
}

void SoOutput::resetBuffer() {
    if (toBuffer) pending.clear();
    headerWritten = false;
}

void SoOutput::flush() {
    if (toBuffer || pending.empty()) return;
    if (!stream || std::fwrite(pending.data(), 1, pending.size(), stream) != pending.size())
        failed = true;
    pending.clear();
}

void SoOutput::write(const char *s, size_t n) {
    pending.append(s, n);
    if (!toBuffer && pending.size() >= FLUSH_SIZE) flush();
}

void SoOutput::write(char c) {
    write(&c, 1);
}
void SoOutput::write(const char *s) {
    if (s) write(s, std::char_traits<char>::length(s));
}
void SoOutput::write(const std::string &s) {
    write(s.data(), s.size());
}

void SoOutput::indent() {
    for (int i = 0; i < indentLevel; i++)
        write("  ", 2);
}
