#include "scene/misc/SoInput.h"
#include "io/ByteStream.h"
#include "io/SceneReader.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {
void printToStderr(const SoInputMessage &message, void *) {
    std::fprintf(stderr, "%s\n", message.formatted.getString());
}

SoInput::MessageCallback *defaultCallback = &printToStderr;
void *defaultCallbackData = nullptr;
} // namespace

SoInput::SoInput() : stream(new scene_io::ByteStream) {}
SoInput::~SoInput() = default;

scene_io::ByteStream &scene_io::inputStream(SoInput &input) {
    return *input.stream;
}

bool SoInput::openFile(const char *name, bool okIfNotFound) {
    closeFile();
    if (!name || !*name) {
        postMessage(SoInputMessage::ERROR_MESSAGE, "", 0, 0, "no file name given");
        return false;
    }
    FILE *f = std::fopen(name, "rb");
    if (!f) {
        int err = errno;
        if (!(okIfNotFound && err == ENOENT))
            postMessage(SoInputMessage::ERROR_MESSAGE, name, 0, 0,
                        std::string("cannot open the file: ") + std::strerror(err));
        return false;
    }
    // The stream reads in blocks of its own size: the FILE's buffer would only add a copy.
    std::setvbuf(f, nullptr, _IONBF, 0);
    stream->openFile(f, true);
    // The first block is read now, so that a file that opens but cannot be read (a directory) is
    // refused here rather than in the middle of reading.
    stream->fillTo(1);
    if (int err = stream->readError()) {
        stream->close();
        postMessage(SoInputMessage::ERROR_MESSAGE, name, 0, 0,
                    std::string("cannot read the file: ") + std::strerror(err));
        return false;
    }
    fileName = name;
    open = true;
    return true;
}

void SoInput::setFilePointer(FILE *file, const char *name) {
    closeFile();
    if (!file) return;
    stream->openFile(file, false);
    fileName = name && *name ? name : file == stdin ? "<stdin>" : "<file>";
    open = true;
}

void SoInput::setBuffer(const void *buffer, size_t bufferSize, const char *bufferName) {
    closeFile();
    stream->openMemory(buffer, buffer ? bufferSize : 0);
    fileName = bufferName && *bufferName ? bufferName : "<buffer>";
    open = true;
}

void SoInput::closeFile() {
    stream->close();
    fileName.clear();
    open = false;
}

std::string SoInput::getCurDirectory() const {
    if (fileName.empty() || fileName[0] == '<') return std::string();
    return scene_io::directoryOf(fileName);
}

bool SoInput::isValidFile() const {
    if (!open) return false;
    scene_io::FileHeader header;
    return scene_io::readHeader(*stream, header) == scene_io::HEADER_OK;
}

void SoInput::addDirectoryFirst(const char *dirName) {
    if (dirName) directories.insert(directories.begin(), dirName);
}

void SoInput::addDirectoryLast(const char *dirName) {
    if (dirName) directories.push_back(dirName);
}

void SoInput::removeDirectory(const char *dirName) {
    if (!dirName) return;
    directories.erase(std::remove(directories.begin(), directories.end(), std::string(dirName)),
                      directories.end());
}

void SoInput::clearDirectories() {
    directories.clear();
}

void SoInput::setMessageCallback(MessageCallback *cb, void *userData) {
    callback = cb;
    callbackData = userData;
}

void SoInput::setDefaultMessageCallback(MessageCallback *cb, void *userData) {
    defaultCallback = cb ? cb : &printToStderr;
    defaultCallbackData = cb ? userData : nullptr;
}

void SoInput::postMessage(SoInputMessage::Severity severity, const char *file, int line, int column,
                          const std::string &text) {
    SoInputMessage message;
    message.severity = severity;
    message.fileName = SbString(file ? file : "");
    message.line = line;
    message.column = column;
    message.text = SbString(text);
    std::string formatted = file && *file ? file : "<input>";
    if (line > 0) formatted += ":" + std::to_string(line) + ":" + std::to_string(column);
    formatted += ": ";
    if (severity == SoInputMessage::WARNING_MESSAGE) formatted += "warning: ";
    formatted += text;
    message.formatted = SbString(formatted);
    if (severity == SoInputMessage::ERROR_MESSAGE) {
        ++numErrors;
        lastError = message.formatted;
    } else {
        ++numWarnings;
    }
    if (callback)
        callback(message, callbackData);
    else
        defaultCallback(message, defaultCallbackData);
}

void SoInput::resetMessageCounts() {
    numErrors = 0;
    numWarnings = 0;
    lastError.makeEmpty();
}

// The window over the source (declared in io/ByteStream.h).
namespace scene_io {

namespace {
const size_t DEFAULT_WINDOW = 64 * 1024;
size_t configuredWindow = DEFAULT_WINDOW;
} // namespace

void ByteStream::setWindowSize(size_t bytes) {
    configuredWindow = bytes ? bytes : DEFAULT_WINDOW;
}

size_t ByteStream::windowSize() {
    return configuredWindow;
}

void ByteStream::openMemory(const void *bytes, size_t size) {
    close();
    kind = MEMORY;
    if (bytes && size) memory.assign(static_cast<const char *>(bytes), size);
    total = memory.size();
    totalKnown = true;
}

void ByteStream::openFile(std::FILE *f, bool owned) {
    close();
    kind = FILE_SOURCE;
    file = f;
    ownsFile = owned;
    fileOrigin = std::ftell(f);
    struct stat st;
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && fileOrigin >= 0) {
        total = static_cast<uint64_t>(st.st_size) - static_cast<uint64_t>(fileOrigin);
        totalKnown = static_cast<uint64_t>(st.st_size) >= static_cast<uint64_t>(fileOrigin);
    } else {
        // Pipes and terminals cannot go back.
        fileOrigin = -1;
    }
}

void ByteStream::close() {
    if (file && ownsFile) std::fclose(file);
    file = nullptr;
    ownsFile = false;
    fileOrigin = -1;
    memory.clear();
    memory.shrink_to_fit();
    memoryPos = 0;
    window.reset();
    capacity = used = 0;
    windowStart = 0;
    exhausted = false;
    error = 0;
    total = 0;
    totalKnown = false;
    kind = NONE;
}

void ByteStream::restart() {
    if (windowStart == 0) return; // the beginning is still in the window
    if (kind == MEMORY) {
        memoryPos = 0;
    } else if (kind == FILE_SOURCE && fileOrigin >= 0 &&
               std::fseek(file, fileOrigin, SEEK_SET) == 0) {
        std::clearerr(file);
    } else {
        return;
    }
    window.reset();
    capacity = used = 0;
    windowStart = 0;
    exhausted = false;
    error = 0;
}

size_t ByteStream::readSource(char *dst, size_t n) {
    if (kind == MEMORY) {
        size_t k = std::min(n, memory.size() - memoryPos);
        std::memcpy(dst, memory.data() + memoryPos, k);
        memoryPos += k;
        return k;
    }
    if (kind != FILE_SOURCE) return 0;
    size_t k = std::fread(dst, 1, n, file);
    if (k < n && std::ferror(file)) error = errno ? errno : EIO;
    return k;
}

bool ByteStream::refill(const char *keep) {
    if (exhausted || kind == NONE) return false;
    const size_t keepAt = window ? static_cast<size_t>(keep - window.get()) : 0;
    const size_t kept = used - keepAt;
    // Room for a window's worth of new bytes; a kept token longer than that doubles the window,
    // so that a very long token is copied a bounded number of times per byte.
    size_t newCapacity = std::max(configuredWindow, kept * 2);
    if (newCapacity - kept < 1) newCapacity = kept + 1;
    std::unique_ptr<char[]> fresh(new char[newCapacity]);
    size_t got = readSource(fresh.get() + kept, newCapacity - kept);
    if (got == 0) {
        exhausted = true;
        return false;
    }
    if (kept) std::memcpy(fresh.get(), window.get() + keepAt, kept);
    windowStart += keepAt;
    window = std::move(fresh);
    capacity = newCapacity;
    used = kept + got;
    return true;
}

void ByteStream::drop(const char *p) {
    if (!window) return;
    const size_t n = static_cast<size_t>(p - window.get());
    std::memmove(window.get(), p, used - n);
    used -= n;
    windowStart += n;
}

bool ByteStream::grow() {
    if (exhausted || kind == NONE) return false;
    if (!window || used == capacity) return refill(window ? window.get() : nullptr);
    const size_t got = readSource(window.get() + used, capacity - used);
    if (got == 0) exhausted = true;
    used += got;
    return got != 0;
}

void ByteStream::fillTo(size_t n) {
    while (used < n && grow()) {
    }
}

} // namespace scene_io
