// Test access to the PostScript writer: PSProbe opens up the protected operations, and can
// draw extra primitives from printBackground so that a real apply carries them. The helpers
// write documents to SCRIVANE_TEST_OUT/ps/, have Ghostscript check them and give back their text.
#ifndef SCRIVANE_TEST_PS_PROBE_H
#define SCRIVANE_TEST_PS_PROBE_H

#include "ps_check.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

class PSProbe : public SoVectorizePSAction {
public:
    using SoVectorizePSAction::assignColor;
    using SoVectorizePSAction::pcp079;
    using SoVectorizePSAction::printImage;
    using SoVectorizePSAction::printPolygon;
    using SoVectorizePSAction::printPolyLine;
    using SoVectorizePSAction::printPolyMark;
    using SoVectorizePSAction::printText2;

    // Called after the background of every apply.
    std::function<void(PSProbe &)> drawing;

protected:
    void printBackground() override {
        SoVectorizePSAction::printBackground();
        if (drawing) drawing(*this);
    }
};

inline std::string psOutPath(const std::string &name) {
    const std::string dir = std::string(SCRIVANE_TEST_OUT) + "/ps";
    mkdir(dir.c_str(), 0755);
    return dir + "/" + name;
}

// Applies the action to an empty scene (header, background, drawing hook, border, footer).
inline void applyEmpty(SoVectorizePSAction &action) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    action.apply(root);
    root->unref();
}

// Writes SCRIVANE_TEST_OUT/ps/<name> with a new action that run sets up and applies (once, to an
// empty scene, when run is null); checks it with Ghostscript and returns its text.
inline std::string writeDocument(const std::string &name,
                                 const std::function<void(PSProbe &)> &run = nullptr) {
    SoScrivane::init();
    const std::string path = psOutPath(name);
    PSProbe action;
    action.getOutput()->openFile(path.c_str());
    if (run) {
        run(action);
    } else {
        applyEmpty(action);
    }
    action.getOutput()->closeFile();
    EXPECT_TRUE(scrivane::test::ghostscriptAccepts(path)) << name;
    return scrivane::test::readFile(path);
}

inline SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
}

// The corners of the rectangle (x0, y0)-(x1, y1), counter-clockwise from (x0, y0).
inline std::vector<SbVec4f> rect(float x0, float y0, float x1, float y1) {
    return {pt(x0, y0), pt(x1, y0), pt(x1, y1), pt(x0, y1)};
}

// Number of times needle occurs in text.
inline int occurrences(const std::string &text, const std::string &needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        n++;
    return n;
}

// The text after the prolog ("% end\n").
inline std::string afterProlog(const std::string &text) {
    const size_t at = text.find("% end\n");
    return at == std::string::npos ? std::string() : text.substr(at + 6);
}

// Writes SCRIVANE_TEST_OUT/ps/<name>: one document whose drawing is made by draw (after setUp,
// when given, set the action up), checks it with Ghostscript, and returns what draw wrote: the
// text between the set-up lines and the border block.
inline std::string drawDocument(const std::string &name, const std::function<void(PSProbe &)> &draw,
                                int colorOutput = 1,
                                const std::function<void(PSProbe &)> &setUp = nullptr) {
    const std::string body = afterProlog(writeDocument(name, [&](PSProbe &action) {
        action.getPSVectorOutput()->setColorOutput(colorOutput);
        if (setUp) setUp(action);
        action.drawing = draw;
        applyEmpty(action);
    }));
    size_t start = body.find("[] 0 tl\n");
    if (start == std::string::npos) return std::string();
    start = body.find("translate\n", start) + 10;
    const size_t end = body.find("gsave\ngrestore\nnewpath\n0 0 moveto", start);
    return end == std::string::npos ? std::string() : body.substr(start, end - start);
}

#endif
