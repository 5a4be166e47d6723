#ifndef SCENE_SBNAME_H
#define SCENE_SBNAME_H
#include "scene/SceneExport.h"
#include "scene/base/SbString.h"

// An interned string: equal names share one text, so comparison is a pointer comparison.
class SCENE_API SbName {
public:
    SbName();
    SbName(const char *s);
    SbName(const SbString &s);
    const char *getString() const { return text; }
    int getLength() const;
    bool operator!() const { return *text == '\0'; }
    friend bool operator==(const SbName &a, const SbName &b) { return a.text == b.text; }
    friend bool operator!=(const SbName &a, const SbName &b) { return a.text != b.text; }
    friend bool operator==(const SbName &a, const char *b) { return a == SbName(b); }
    friend bool operator!=(const SbName &a, const char *b) { return !(a == b); }
    friend bool operator<(const SbName &a, const SbName &b) { return a.text < b.text; }

private:
    const char *text;
};

#endif
