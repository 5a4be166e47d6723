// Test access to the PostScript writer: PSProbe opens up the protected operations, and can
// draw extra primitives from printBackground so that a real apply carries them. PSFile writes
// one document to SCRIVANE_TEST_OUT/ps/ and gives back its text.
#ifndef SCRIVANE_TEST_PS_PROBE_H
#define SCRIVANE_TEST_PS_PROBE_H

#include "ps_check.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"
#include <functional>
#include <string>
#include <sys/stat.h>

class PSProbe : public SoVectorizePSAction {
public:
    using SoVectorizePSAction::assignColor;
    using SoVectorizePSAction::initWritePixel;
    using SoVectorizePSAction::pcp079;
    using SoVectorizePSAction::printBorder;
    using SoVectorizePSAction::printImage;
    using SoVectorizePSAction::printPolygon;
    using SoVectorizePSAction::printPolyLine;
    using SoVectorizePSAction::printPolyMark;
    using SoVectorizePSAction::printText2;
    using SoVectorizePSAction::setHardwareClip;
    using SoVectorizePSAction::writeFooter;
    using SoVectorizePSAction::writeHeader;
    using SoVectorizePSAction::writePixel;

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

// Opens SCRIVANE_TEST_OUT/ps/<name> on the action's output; text() closes it and reads it.
class PSFile {
public:
    PSFile(SoVectorizePSAction &action, const std::string &name)
        : action(action), path(psOutPath(name)) {
        SoScrivane::init();
        action.getOutput()->openFile(path.c_str());
    }
    std::string text() {
        action.getOutput()->closeFile();
        return scrivane::test::readFile(path);
    }
    SoVectorizePSAction &action;
    const std::string path;
};

// Applies the action to an empty scene (header, background, drawing hook, border, footer).
inline void applyEmpty(SoVectorizePSAction &action) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    action.apply(root);
    root->unref();
}

inline SbVec4f pt(float x, float y) {
    return SbVec4f(x, y, 0.0f, 1.0f);
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

// What the drawing hook wrote: the text between the set-up lines and the border block of a
// document applied to an empty scene outside page mode.
inline std::string drawn(const std::string &text) {
    const std::string body = afterProlog(text);
    size_t start = body.find("[] 0 tl\n");
    if (start == std::string::npos) return std::string();
    start = body.find("translate\n", start) + 10;
    const size_t end = body.find("gsave\ngrestore\nnewpath\n0 0 moveto", start);
    return end == std::string::npos ? std::string() : body.substr(start, end - start);
}

// Writes SCRIVANE_TEST_OUT/ps/<name>: one document whose drawing is made by draw, checks it
// with Ghostscript, and returns what draw wrote.
inline std::string drawDocument(const std::string &name, const std::function<void(PSProbe &)> &draw,
                                int colorOutput = 1) {
    PSProbe action;
    action.getPSVectorOutput()->setColorOutput(colorOutput);
    PSFile file(action, name);
    action.drawing = draw;
    applyEmpty(action);
    const std::string text = file.text();
    EXPECT_TRUE(scrivane::test::ghostscriptAccepts(file.path));
    return drawn(text);
}

#endif
