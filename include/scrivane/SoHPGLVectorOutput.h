#ifndef SCRIVANE_SOHPGLVECTOROUTPUT_H
#define SCRIVANE_SOHPGLVECTOROUTPUT_H
#include "scrivane/SoVectorOutput.h"

// The output of the HP-GL/2 action: a text stream with nothing of its own.
class SoHPGLVectorOutput : public SoVectorOutput {
public:
    SoHPGLVectorOutput() = default;
};

#endif
