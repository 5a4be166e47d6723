#ifndef SCRIVANE_TOOLS_OPTIONS_H
#define SCRIVANE_TOOLS_OPTIONS_H
// Command-line options of the scrivane tool. Every option maps onto one setting of the action.
#include <cstdint>
#include <string>
#include <vector>
#include "scene/base/SbColor.h"

enum class OutputFormat { None, PostScript, Cgm, Hpgl, Emf, Pdf, Svg };

// Most scenes of a batch converted at a time (-j).
constexpr int maxJobs = 256;

struct CliOptions {
    std::string input;   // scene file; empty: the built-in demo scene
    std::vector<std::string> inputs; // every scene file given, in order (input is the first)
    std::string output;  // "-" for standard output
    OutputFormat format = OutputFormat::None;
    // Page and drawing, millimetres.
    float paperWidth = 210.0f, paperHeight = 297.0f;
    float margin = 10.0f;
    bool landscape = false;
    // Drawing settings.
    float borderWidth = 0.0f;
    SbColor borderColor{0, 0, 0};
    bool background = false;
    SbColor backgroundColor{1, 1, 1};
    int colorTranslation = 0;  // swap, keep, invert
    bool grey = false;
    float nominalWidth = 0.35277778f;
    float pixelSize = 0.35277778f;
    int lineCap = 0, lineJoin = 0;
    float miterLimit = 1.5f;
    int pens = 0;
    std::vector<SbColor> penColors;
    std::vector<float> penWidths;
    bool widthPriority = false;
    int hidden = 0;
    bool allEdges = false; // hidden-line mode: every triangle edge, not only the feature edges
    bool joinFaces = true; // neighbouring triangles in one plane and colour: one polygon
    bool lighting = false;
    bool cgmBinary = false;
    int cgmVersion = 1;
    bool cgmIndexed = false;
    // Off-screen render of the scene beside the drawing: PNG file (empty: none) and pixels per
    // millimetre of the drawing area.
    std::string preview;
    float previewScale = 4.0f;
    // Most shapes a drawing may expand to (shared subgraphs counted once per use) before the
    // command refuses the scene.
    uint64_t maxShapes = 100000000;
    // Scenes of a batch converted at a time; 0: as many as the machine has cores.
    int jobs = 0;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

// Parses argv. Returns an empty string on success, else a message naming the bad option.
std::string parseOptions(int argc, char **argv, CliOptions &options);
// The format named by an output file's extension (.ps, .eps, .cgm, .hpgl, .plt, .hgl, .emf, .pdf, .svg).
OutputFormat formatFromExtension(const std::string &path);
const char *formatName(OutputFormat format);
std::string usageText();

#endif
