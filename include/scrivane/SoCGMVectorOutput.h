#ifndef SCRIVANE_SOCGMVECTOROUTPUT_H
#define SCRIVANE_SOCGMVECTOROUTPUT_H
#include "scrivane/ScrivaneExport.h"
#include "scrivane/SoVectorOutput.h"

// The output of the CGM action. Settings, to be made before openFile and apply:
// binaryEncoding (0 clear text, the default; nonzero binary, opened with "wb"),
// metafileVersion (1 by default) and indexedColors (0 direct colours, the default; nonzero a
// colour table).
class SCRIVANE_API SoCGMVectorOutput : public SoVectorOutput {
public:
    SoCGMVectorOutput() = default;
    int openFile(const char *name) override;
    void setBinaryEncoding(int flag) { binaryEncoding = flag; }
    int getBinaryEncoding() const { return binaryEncoding; }
    void setMetafileVersion(int version) { metafileVersion = version; }
    int getMetafileVersion() const { return metafileVersion; }
    void setIndexedColors(int flag) { indexedColors = flag; }
    int getIndexedColors() const { return indexedColors; }

private:
    int binaryEncoding = 0;
    int metafileVersion = 1;
    int indexedColors = 0;
};

#endif
