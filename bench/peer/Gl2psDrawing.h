// The peer side of the peer benchmark: a scene's triangles written to PostScript by gl2ps, the
// way applications use it. OpenGL draws into an OSMesa context of kViewportPixels square;
// gl2psBeginPage puts OpenGL in feedback mode, the triangles are drawn with glBegin/glEnd (one
// glColor per triangle, flat shading, no lighting), and gl2psEndPage sorts the primitives the
// feedback buffer returned and writes them. When the buffer was too small (GL2PS_OVERFLOW) the
// page is drawn again with a buffer twice as large.
#ifndef SCRIVANE_BENCH_GL2PSDRAWING_H
#define SCRIVANE_BENCH_GL2PSDRAWING_H

#include "PeerScene.h"
#include <GL/osmesa.h>
#include <string>
#include <vector>

namespace peer_bench {

// An OSMesa context with a colour buffer of kViewportPixels square, current once made.
class Gl2psContext {
public:
    Gl2psContext() = default;
    ~Gl2psContext();
    Gl2psContext(const Gl2psContext &) = delete;
    Gl2psContext &operator=(const Gl2psContext &) = delete;
    bool makeCurrent(std::string &error);

private:
    OSMesaContext context = nullptr;
    std::vector<unsigned char> colourBuffer;
};

struct Gl2psPage {
    int sort = 1;    // GL2PS_NO_SORT, GL2PS_SIMPLE_SORT or GL2PS_BSP_SORT
    int options = 0; // GL2PS_OCCLUSION_CULL or 0; GL2PS_SILENT is always added
    // Feedback buffer size in floats to start with; on return, the size that sufficed.
    int bufferFloats = 0;
    int passes = 0; // pages drawn, overflowing ones included
};

// Writes the scene to path as PostScript in the current context. False with the reason in
// error when the file cannot be written or gl2ps fails.
bool writeWithGl2ps(const PeerScene &scene, const std::string &path, Gl2psPage &page,
                    std::string &error);

// The feedback buffer, in floats, that the scene's triangles fill when drawn whole
// (GL_3D_COLOR: a token, a count and seven floats per vertex), with room for gl2ps's markers.
int feedbackFloatsFor(const PeerScene &scene);

} // namespace peer_bench

#endif
