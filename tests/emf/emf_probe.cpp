#include "emf_probe.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"

using scrivane::test::EmfFile;
using scrivane::test::EmfRecord;

void GDIProbe::applyEmpty() {
    SoSeparator *root = new SoSeparator;
    root->ref();
    apply(root);
    root->unref();
}

void GDIProbe::printBackground() {
    SoVectorizeGDIAction::printBackground();
    if (drawing) drawing(*this);
}

HDC GDIProbe::getPrinterDC() {
    printDialogs++;
    return SoVectorizeGDIAction::getPrinterDC();
}

namespace {

std::vector<std::string> entries(const std::string &folder) {
    std::vector<std::string> names;
    if (DIR *dir = opendir(folder.c_str())) {
        while (dirent *entry = readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void EmfTest::SetUp() {
    SoScrivane::init();
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string base = std::string(SCRIVANE_TEST_OUT) + "/emf";
    mkdir(base.c_str(), 0755);
    folder = base + "/" + info->test_suite_name() + "." + info->name();
    mkdir(folder.c_str(), 0755);
    for (const std::string &name : entries(folder))
        unlink(path(name).c_str());
}

void EmfTest::TearDown() {
    for (const std::string &name : metafiles()) {
        const EmfFile file = load(name);
        const std::string listing = scrivane::test::dumpEmf(file);
        std::ofstream(path(name) + ".txt") << listing;
        EXPECT_EQ(scrivane::test::checkEmf(file), std::vector<std::string>{}) << name << "\n"
                                                                              << listing;
    }
}

EmfFile EmfTest::load(const std::string &name) const {
    return scrivane::test::readEmfFile(path(name));
}

std::vector<std::string> EmfTest::metafiles() const {
    std::vector<std::string> found;
    for (const std::string &name : entries(folder)) {
        std::string tail = name.size() >= 4 ? name.substr(name.size() - 4) : "";
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (tail == ".emf") found.push_back(name);
    }
    return found;
}

EmfFile EmfTest::draw(const std::string &name, std::function<void(GDIProbe &)> drawing,
                      std::function<void(GDIProbe &)> setUp) {
    const std::string file = path(name); // the output keeps this text, not a copy
    GDIProbe action;
    action.getOutput()->openFile(file.c_str());
    action.setBorder(0.0f);
    if (setUp) setUp(action);
    action.drawing = std::move(drawing);
    action.applyEmpty();
    return load(name);
}

size_t count(const EmfFile &file, std::uint32_t type) {
    return file.ofType(type).size();
}

int findRecord(const EmfFile &file, std::uint32_t type, int from) {
    for (size_t i = static_cast<size_t>(from < 0 ? 0 : from); i < file.records.size(); i++)
        if (file.records[i].type == type) return static_cast<int>(i);
    return -1;
}

std::string ints(const EmfRecord &r, size_t offset, size_t n) {
    std::string text;
    for (size_t i = 0; i < n; i++)
        text += (i ? "," : "(") + std::to_string(r.i32(offset + 4 * i));
    return text + ")";
}

std::string pointsOf(const EmfRecord &r) {
    std::string text;
    for (size_t i = 0; i < r.u32(24); i++)
        text += ints(r, 28 + 8 * i, 2);
    return text;
}

std::string fieldOf(const EmfFile &file, std::uint32_t type, size_t offset, bool hex) {
    std::string out;
    char buf[16];
    for (const EmfRecord *r : file.ofType(type)) {
        std::snprintf(buf, sizeof buf, hex ? "%s0x%X" : "%s%d", out.empty() ? "" : " ",
                      r->i32(offset));
        out += buf;
    }
    return out;
}
