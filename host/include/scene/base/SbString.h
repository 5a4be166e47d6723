#ifndef SCENE_SBSTRING_H
#define SCENE_SBSTRING_H
#include "scene/SceneExport.h"
#include <string>

// A character string; bytes are kept as given (no encoding is assumed).
class SCENE_API SbString {
public:
    SbString() = default;
    SbString(const char *s) : str(s ? s : "") {}
    SbString(const char *s, int start, int end);
    SbString(const std::string &s) : str(s) {}
    explicit SbString(int digits) : str(std::to_string(digits)) {}
    const char *getString() const { return str.c_str(); }
    int getLength() const { return static_cast<int>(str.size()); }
    void makeEmpty() { str.clear(); }
    SbString getSubString(int startChar, int endChar = -1) const;
    void deleteSubString(int startChar, int endChar = -1);
    const std::string &std() const { return str; }
    SbString &operator=(const char *s) { str = s ? s : ""; return *this; }
    SbString &operator+=(const char *s) { str += s ? s : ""; return *this; }
    SbString &operator+=(const SbString &s) { str += s.str; return *this; }
    SbString &operator+=(char c) { str += c; return *this; }
    char operator[](int i) const { return str[static_cast<size_t>(i)]; }
    friend bool operator==(const SbString &a, const SbString &b) { return a.str == b.str; }
    friend bool operator!=(const SbString &a, const SbString &b) { return a.str != b.str; }
    friend bool operator==(const SbString &a, const char *b) { return a.str == (b ? b : ""); }
    friend bool operator!=(const SbString &a, const char *b) { return !(a == b); }
    friend bool operator<(const SbString &a, const SbString &b) { return a.str < b.str; }

private:
    std::string str;
};

#endif
