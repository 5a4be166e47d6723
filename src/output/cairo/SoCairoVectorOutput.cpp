// The stream and the open document of the PDF and SVG actions. The document is finished before
// its stream is let go, so a closed or replaced stream always holds a whole document.
#include "scrivane/SoCairoVectorOutput.h"
#include <cairo.h>

SoCairoVectorOutput::~SoCairoVectorOutput() {
    finishDocument();
}

void SoCairoVectorOutput::setFilePointer(FILE *fp) {
    finishDocument();
    SoVectorOutput::setFilePointer(fp);
    resetStreamState();
}

int SoCairoVectorOutput::openFile(const char *name) {
    finishDocument();
    resetStreamState();
    return openFileWithMode(name, "wb");
}

void SoCairoVectorOutput::closeFile() {
    finishDocument();
    SoVectorOutput::closeFile();
    resetStreamState();
}

void SoCairoVectorOutput::resetStreamState() {
    documentComplete = 0;
}

void SoCairoVectorOutput::startDocument(cairo_t *newContext) {
    finishDocument();
    context = newContext;
    documentComplete = 0;
}

int SoCairoVectorOutput::finishDocument() {
    if (!context) return 1;
    cairo_surface_t *surface = cairo_get_target(context);
    cairo_surface_finish(surface);
    const bool ok = cairo_status(context) == CAIRO_STATUS_SUCCESS &&
                    cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(context);
    context = nullptr;
    documentComplete = 1;
    lastDocumentWritten = ok ? 1 : 0;
    return lastDocumentWritten;
}
