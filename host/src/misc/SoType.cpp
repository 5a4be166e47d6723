#include "scene/misc/SoType.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace {
struct TypeRecord {
    SbName name;
    int parent;
    SoType::InstantiationMethod create;
    uint16_t data;
};

struct TypeTable {
    std::vector<TypeRecord> records{TypeRecord{SbName("BadType"), 0, nullptr, 0}};
    std::unordered_map<const char *, int> byName;
};

TypeTable &table() {
    static TypeTable *t = new TypeTable;
    return *t;
}
} // namespace

SoType SoType::createType(SoType parent, SbName name, InstantiationMethod method, uint16_t data) {
    TypeTable &t = table();
    auto found = t.byName.find(name.getString());
    if (found != t.byName.end()) {
        // Registering a class twice keeps one type, so initClass may safely run again.
        TypeRecord &r = t.records[static_cast<size_t>(found->second)];
        r.parent = parent.index;
        r.create = method;
        r.data = data;
        return SoType(found->second);
    }
    t.records.push_back(TypeRecord{name, parent.index, method, data});
    int index = static_cast<int>(t.records.size()) - 1;
    t.byName[name.getString()] = index;
    return SoType(index);
}

SoType SoType::fromName(SbName name) {
    TypeTable &t = table();
    auto found = t.byName.find(name.getString());
    if (found != t.byName.end()) return SoType(found->second);
    std::string prefixed = std::string("So") + name.getString();
    found = t.byName.find(SbName(prefixed.c_str()).getString());
    if (found != t.byName.end()) return SoType(found->second);
    return SoType();
}

SbName SoType::getName() const { return table().records[static_cast<size_t>(index)].name; }
SoType SoType::getParent() const { return SoType(table().records[static_cast<size_t>(index)].parent); }

bool SoType::isDerivedFrom(SoType parent) const {
    const TypeTable &t = table();
    for (int i = index; i != 0; i = t.records[static_cast<size_t>(i)].parent)
        if (i == parent.index) return true;
    return parent.index == 0 && index == 0;
}

bool SoType::canCreateInstance() const { return table().records[static_cast<size_t>(index)].create != nullptr; }

void *SoType::createInstance() const {
    InstantiationMethod create = table().records[static_cast<size_t>(index)].create;
    return create ? create() : nullptr;
}

uint16_t SoType::getData() const { return table().records[static_cast<size_t>(index)].data; }
int SoType::getNumTypes() { return static_cast<int>(table().records.size()); }
