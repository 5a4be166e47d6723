#ifndef SCRIVANE_TOOLS_PROGRESS_H
#define SCRIVANE_TOOLS_PROGRESS_H
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include "scene/actions/SoCallbackAction.h"
#include "scene/nodes/SoShape.h"

// Shows how far a long drawing has come on standard error: nothing during the first second,
// then a line rewritten at most five times a second. Only used when standard error is a terminal.
class Progress {
public:
    Progress(uint64_t totalShapes, bool enabled) : total(totalShapes), enabled(enabled), start(clock::now()) {}
    void shapeDone() {
        done++;
        if (!enabled) return;
        clock::time_point now = clock::now();
        if (now - start < std::chrono::seconds(1) || now - lastShown < std::chrono::milliseconds(200)) return;
        lastShown = now;
        shown = true;
        int percent = total > 0 ? static_cast<int>(100.0 * done / total) : 0;
        std::fprintf(stderr, "\rscrivane: drawing %3d%% (%" PRIu64 " of %" PRIu64 " shapes)", percent > 100 ? 100 : percent,
                     done, total);
    }
    void finish() {
        if (shown) std::fprintf(stderr, "\rscrivane: drawing done (%" PRIu64 " shapes)          \n", done);
    }

private:
    typedef std::chrono::steady_clock clock;
    uint64_t total, done = 0;
    bool enabled, shown = false;
    clock::time_point start, lastShown;
};

// A format action that reports each shape it finishes to a Progress.
template <class Format> class ProgressAction : public Format {
public:
    explicit ProgressAction(Progress *p) : progress(p) {}

protected:
    void prepareAction(SoCallbackAction &action) override {
        Format::prepareAction(action);
        action.addPostCallback(SoShape::getClassTypeId(), shapeFinished, progress);
    }

private:
    static SoCallbackAction::Response shapeFinished(void *data, SoCallbackAction *, const SoNode *) {
        static_cast<Progress *>(data)->shapeDone();
        return SoCallbackAction::CONTINUE;
    }
    Progress *progress;
};

#endif
