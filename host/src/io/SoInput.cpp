#include "scene/misc/SoInput.h"
#include "io/SceneReader.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
void printToStderr(const SoInputMessage &message, void *) {
    std::fprintf(stderr, "%s\n", message.formatted.getString());
}

SoInput::MessageCallback *defaultCallback = &printToStderr;
void *defaultCallbackData = nullptr;
} // namespace

SoInput::SoInput() = default;
SoInput::~SoInput() = default;

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
    std::string contents;
    char block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        contents.append(block, n);
    bool readFailed = std::ferror(f) != 0;
    int err = errno;
    std::fclose(f);
    if (readFailed) {
        postMessage(SoInputMessage::ERROR_MESSAGE, name, 0, 0,
                    std::string("cannot read the file: ") + std::strerror(err));
        return false;
    }
    data.swap(contents);
    fileName = name;
    open = true;
    return true;
}

void SoInput::setBuffer(const void *buffer, size_t bufferSize, const char *bufferName) {
    closeFile();
    if (buffer && bufferSize) data.assign(static_cast<const char *>(buffer), bufferSize);
    fileName = bufferName && *bufferName ? bufferName : "<buffer>";
    open = true;
}

void SoInput::closeFile() {
    data.clear();
    data.shrink_to_fit();
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
    return scene_io::parseHeader(data.data(), data.size(), header) == scene_io::HEADER_OK;
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
