#include "scene/base/SbString.h"

SbString::SbString(const char *s, int start, int end) {
    std::string all(s ? s : "");
    if (start < 0) start = 0;
    if (end >= static_cast<int>(all.size())) end = static_cast<int>(all.size()) - 1;
    if (end >= start) str = all.substr(static_cast<size_t>(start), static_cast<size_t>(end - start + 1));
}

SbString SbString::getSubString(int startChar, int endChar) const {
    if (endChar < 0) endChar = getLength() - 1;
    return SbString(str.c_str(), startChar, endChar);
}

void SbString::deleteSubString(int startChar, int endChar) {
    if (endChar < 0) endChar = getLength() - 1;
    if (startChar < 0 || startChar > endChar || startChar >= getLength()) return;
    str.erase(static_cast<size_t>(startChar), static_cast<size_t>(endChar - startChar + 1));
}
