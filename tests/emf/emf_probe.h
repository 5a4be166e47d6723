// Test access to the GDI writer. GDIProbe opens up the protected operations, counts the print
// dialogs it opens and draws extra primitives from printBackground, so that a real apply
// carries them. EmfTest gives every test its own output folder; when the test ends, every
// metafile written there is listed by the record dumper (as NAME.txt beside it) and must pass
// the dumper's structural check.
#ifndef SCRIVANE_TEST_EMF_PROBE_H
#define SCRIVANE_TEST_EMF_PROBE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "emf_dump.h"
#include "scrivane/SoVectorizeGDIAction.h"

class GDIProbe : public SoVectorizeGDIAction {
public:
    using SoVectorizeGDIAction::getScale;
    using SoVectorizeGDIAction::metafileFileName;
    using SoVectorizeGDIAction::printImage;
    using SoVectorizeGDIAction::printPolygon;
    using SoVectorizeGDIAction::printPolyLine;
    using SoVectorizeGDIAction::printPolyMark;
    using SoVectorizeGDIAction::printText2;
    using SoVectorizeGDIAction::setHardwareClip;

    std::function<void(GDIProbe &)> drawing; // run after the background of every apply
    int printDialogs = 0;                    // printers asked for

    // Applies the action to an empty scene: header, background, drawing, border, footer.
    void applyEmpty();

protected:
    void printBackground() override;
    HDC getPrinterDC() override;
};

inline SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
}

class EmfTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string &name) const { return folder + "/" + name; }
    scrivane::test::EmfFile load(const std::string &name) const;
    std::vector<std::string> metafiles() const; // in this test's folder, sorted

    // One apply with a drawing and no border into NAME (after setUp); returns the metafile.
    scrivane::test::EmfFile draw(const std::string &name, std::function<void(GDIProbe &)> drawing,
                                 std::function<void(GDIProbe &)> setUp = nullptr);

    std::string folder;
};

// Record counts and lookups.
size_t count(const scrivane::test::EmfFile &file, std::uint32_t type);
int findRecord(const scrivane::test::EmfFile &file, std::uint32_t type, int from = 0);
// `n` 32-bit values at an offset as "(a,b,...)"; the points of a POLYLINE or POLYGON record.
std::string ints(const scrivane::test::EmfRecord &record, size_t offset, size_t n);
std::string pointsOf(const scrivane::test::EmfRecord &record);
// The 32-bit value at `offset` of every record of a type, as "a b c" (in hex: "0xA 0xB").
std::string fieldOf(const scrivane::test::EmfFile &file, std::uint32_t type, size_t offset,
                    bool hex = false);

#endif
