#ifndef SCRIVANE_SOHPGLVECTOROUTPUT_H
#define SCRIVANE_SOHPGLVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"

// The output of the HP-GL/2 action: a text stream with nothing of its own.
class SCRIVANE_API SoHPGLVectorOutput : public SoVectorOutput {
public:
    SoHPGLVectorOutput() = default;
};

#endif
