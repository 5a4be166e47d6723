#include "scene/base/SbName.h"
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>

namespace {
// The table of interned texts; entries live until the process ends.
const char *intern(const char *s) {
    static std::unordered_set<std::string> *table = new std::unordered_set<std::string>;
    return table->insert(s ? s : "").first->c_str();
}
} // namespace

SbName::SbName() : text(intern("")) {}
SbName::SbName(const char *s) : text(intern(s)) {}
SbName::SbName(const SbString &s) : text(intern(s.getString())) {}
int SbName::getLength() const { return static_cast<int>(std::strlen(text)); }
