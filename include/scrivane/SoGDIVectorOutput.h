#ifndef SCRIVANE_SOGDIVECTOROUTPUT_H
#define SCRIVANE_SOGDIVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"
#include "scrivane_gdi/gdi.h"

// The output of the GDI action: the name of an enhanced metafile to create, or a device context
// to draw into, or neither (the action then asks for a printer). Nothing is created here; the
// name is not copied, so the caller keeps it alive until the drawing is written.
class SCRIVANE_API SoGDIVectorOutput : public SoVectorOutput {
public:
    SoGDIVectorOutput() = default;
    // An empty name behaves as openFile(); otherwise the name is kept and the context cleared.
    // Always returns 1.
    int openFile(const char *name) override;
    // A null context behaves as openFile(); otherwise the context is kept and the name emptied.
    int openFile(HDC hdc);
    int openFile();
    void closeFile() override {}
    const char *getGDIOutputName() const { return gdiOutputName; }
    HDC getGDIHdc() const { return gdiHdc; }

private:
    const char *gdiOutputName = "";
    HDC gdiHdc = nullptr;
};

#endif
