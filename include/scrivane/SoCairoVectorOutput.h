#ifndef SCRIVANE_SOCAIROVECTOROUTPUT_H
#define SCRIVANE_SOCAIROVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"

typedef struct _cairo cairo_t;

// The output of the PDF and SVG actions: a stdio stream that cairo writes its document into,
// and the open document itself (a cairo drawing context and the surface it draws on). The
// document lives here rather than in the action because it may outlast one apply: a PDF in page
// mode collects one page per beginPage/endPage and is complete only when it is finished.
//
// One stream holds one document. finishDocument writes the end of the open document; it also
// runs before the stream is closed or replaced (closeFile, setFilePointer, openFile) and when the
// output is deleted, so a stream that is let go always holds a complete document. Once a document
// is finished, the action draws nothing more on the same stream (isDocumentComplete) until
// another stream is set.
//
// Ownership: created and deleted by the PDF or SVG action; owns the context it is given.
class SCRIVANE_API SoCairoVectorOutput : public SoVectorOutput {
public:
    SoCairoVectorOutput() = default;
    ~SoCairoVectorOutput() override;
    void setFilePointer(FILE *fp) override;
    // Opens name for writing in binary mode (PDF holds binary streams).
    int openFile(const char *name) override;
    void closeFile() override;

    // Ends the open document, if any, and writes its last bytes to the stream. Returns 0 when
    // cairo reported an error (a failed write) for this document, else 1.
    int finishDocument();
    int hasOpenDocument() const { return context != nullptr; }
    int isDocumentComplete() const { return documentComplete; }
    // 0 when cairo reported an error for the last finished document (its file is incomplete).
    int wasLastDocumentWritten() const { return lastDocumentWritten; }

    // For the writer: the context of the open document (null when none is open), and the start
    // of a new one on the current stream (the output takes the context).
    cairo_t *getContext() const { return context; }
    void startDocument(cairo_t *newContext);

private:
    void resetStreamState();

    cairo_t *context = nullptr;
    int documentComplete = 0;
    int lastDocumentWritten = 1;
};

#endif
