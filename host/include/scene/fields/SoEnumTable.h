#ifndef SCENE_SOENUMTABLE_H
#define SCENE_SOENUMTABLE_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include <initializer_list>
#include <utility>
#include <vector>

// The names of the values of an enumerated or bit-mask field, for reading and writing files.
class SCENE_API SoEnumTable {
public:
    void setEnums(std::initializer_list<std::pair<const char *, int>> list) {
        entries.clear();
        for (const auto &e : list) entries.emplace_back(SbName(e.first), e.second);
    }
    void addEnum(const SbName &name, int value) { entries.emplace_back(name, value); }
    int getNumEnums() const { return static_cast<int>(entries.size()); }
    int getEnum(int i, SbName &name) const {
        name = entries[static_cast<size_t>(i)].first;
        return entries[static_cast<size_t>(i)].second;
    }
    bool findEnumValue(const SbName &name, int &value) const {
        for (const auto &e : entries)
            if (e.first == name) { value = e.second; return true; }
        return false;
    }
    bool findEnumName(int value, SbName &name) const {
        for (const auto &e : entries)
            if (e.second == value) { name = e.first; return true; }
        return false;
    }

private:
    std::vector<std::pair<SbName, int>> entries;
};

#endif
