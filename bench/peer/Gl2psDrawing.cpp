#include "Gl2psDrawing.h"

#include <GL/gl.h>
#include <cstdio>
#include <gl2ps.h>

namespace peer_bench {

Gl2psContext::~Gl2psContext() {
    if (!context) return;
    if (OSMesaGetCurrentContext() == context) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
}

bool Gl2psContext::makeCurrent(std::string &error) {
    if (!context) {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        if (!context) {
            error = "OSMesa could not create a context";
            return false;
        }
        colourBuffer.assign(size_t(kViewportPixels) * kViewportPixels * 4, 0);
    }
    if (!OSMesaMakeCurrent(context, colourBuffer.data(), GL_UNSIGNED_BYTE, kViewportPixels,
                           kViewportPixels)) {
        error = "OSMesa could not bind its context";
        return false;
    }
    glViewport(0, 0, kViewportPixels, kViewportPixels);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    return true;
}

int feedbackFloatsFor(const PeerScene &scene) {
    return scene.drawnTriangles() * (2 + 3 * 7) + 4096;
}

namespace {
void drawTriangles(const PeerScene &scene) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(scene.projection[0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(scene.viewing[0]);
    const float *v = scene.vertices.data(), *c = scene.colours.data();
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < scene.drawnTriangles(); i++, v += 9, c += 3) {
        glColor3f(c[0], c[1], c[2]);
        glVertex3f(v[0], v[1], v[2]);
        glVertex3f(v[3], v[4], v[5]);
        glVertex3f(v[6], v[7], v[8]);
    }
    glEnd();
}
} // namespace

bool writeWithGl2ps(const PeerScene &scene, const std::string &path, Gl2psPage &page,
                    std::string &error) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    GLint viewport[4] = {0, 0, kViewportPixels, kViewportPixels};
    if (page.bufferFloats < 1024) page.bufferFloats = 1024;
    page.passes = 0;
    GLint state = GL2PS_OVERFLOW;
    while (state == GL2PS_OVERFLOW) {
        page.passes++;
        state = gl2psBeginPage("scene", "scrivane_peer_bench", viewport, GL2PS_PS, page.sort,
                               page.options | GL2PS_SILENT, GL_RGBA, 0, nullptr, 0, 0, 0,
                               page.bufferFloats, file, path.c_str());
        if (state != GL2PS_SUCCESS) break;
        drawTriangles(scene);
        state = gl2psEndPage();
        if (state == GL2PS_OVERFLOW) page.bufferFloats *= 2;
    }
    const bool closed = std::fclose(file) == 0;
    // GL2PS_NO_FEEDBACK (nothing drawn) is a failure too: every scene here has triangles in view.
    if (state != GL2PS_SUCCESS) {
        error = "gl2ps failed with state " + std::to_string(state);
        return false;
    }
    if (!closed) error = "cannot finish " + path;
    return closed;
}

} // namespace peer_bench
