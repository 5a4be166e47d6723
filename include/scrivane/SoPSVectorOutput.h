#ifndef SCRIVANE_SOPSVECTOROUTPUT_H
#define SCRIVANE_SOPSVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"

// The output of the PostScript action. colorOutput (default 1) selects colour PostScript;
// 0 writes grey levels. Set it before apply.
class SCRIVANE_API SoPSVectorOutput : public SoVectorOutput {
public:
    SoPSVectorOutput() = default;
    void setColorOutput(int flag) { colorOutput = flag; }
    int getColorOutput() const { return colorOutput; }

private:
    int colorOutput = 1;
};

#endif
