#ifndef SCENE_SOMFIELD_H
#define SCENE_SOMFIELD_H
#include "scene/SceneExport.h"
#include "scene/fields/SoField.h"
#include <algorithm>
#include <vector>

// Base of multiple-value fields.
class SCENE_API SoMField : public SoField {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    bool isMultiple() const override { return true; }
    virtual int getNum() const = 0;
    virtual void setNum(int num) = 0;
    virtual void deleteValues(int start, int num = -1) = 0;
    virtual void insertSpace(int start, int num) = 0;

private:
    static SoType classTypeId;
};

// A list of values of type T. Writing past the end grows the list.
template <class T> class SCENE_API SoMFieldT : public SoMField {
public:
    int getNum() const override { return static_cast<int>(values.size()); }
    const T &operator[](int i) const { return values[static_cast<size_t>(i)]; }
    const T *getValues(int start) const { return values.empty() ? nullptr : values.data() + start; }
    int find(const T &v, bool addIfNotFound = false) {
        auto it = std::find(values.begin(), values.end(), v);
        if (it != values.end()) return static_cast<int>(it - values.begin());
        if (addIfNotFound) set1Value(getNum(), v);
        return -1;
    }
    void setValues(int start, int num, const T *newValues) {
        if (start < 0 || num < 0) return;
        if (static_cast<size_t>(start + num) > values.size()) values.resize(static_cast<size_t>(start + num));
        for (int i = 0; i < num; i++) values[static_cast<size_t>(start + i)] = newValues[i];
        touch();
    }
    void set1Value(int index, const T &v) {
        if (index < 0) return;
        if (static_cast<size_t>(index) >= values.size()) values.resize(static_cast<size_t>(index) + 1);
        values[static_cast<size_t>(index)] = v;
        touch();
    }
    void setValue(const T &v) {
        values.assign(1, v);
        touch();
    }
    SoMFieldT &operator=(const T &v) {
        setValue(v);
        return *this;
    }
    void setNum(int num) override {
        values.resize(static_cast<size_t>(std::max(0, num)));
        touch();
    }
    void deleteValues(int start, int num = -1) override {
        if (start < 0 || start >= getNum()) return;
        int end = (num < 0) ? getNum() : std::min(getNum(), start + num);
        values.erase(values.begin() + start, values.begin() + end);
        touch();
    }
    void insertSpace(int start, int num) override {
        if (start < 0 || num <= 0) return;
        if (start > getNum()) start = getNum();
        values.insert(values.begin() + start, static_cast<size_t>(num), T());
        touch();
    }
    T *startEditing() { return values.data(); }
    void finishEditing() { touch(); }
    const std::vector<T> &getVector() const { return values; }
    std::vector<T> &getVector() { return values; }
    bool operator==(const SoMFieldT &o) const { return values == o.values; }
    bool operator!=(const SoMFieldT &o) const { return !(values == o.values); }

protected:
    SoMFieldT() = default;
    std::vector<T> values;
};

#endif
