#ifndef SCRIVANE_TESTS_CGM_TEST_UTIL_H
#define SCRIVANE_TESTS_CGM_TEST_UTIL_H
// Helpers of the CGM tests: an action whose format operations are public, a way to write a
// drawing to a file and read it back through the structural reader or the binary dumper (a
// file that fails them fails the test), and an encoder writing into memory.
#include "cgm_reader.h"
#include "output/cgm/CGMBinaryEncoder.h"
#include "scrivane/SoVectorizeCGMAction.h"
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class TestCGMAction : public SoVectorizeCGMAction {
public:
    using SoVectorizeCGMAction::addLinePatternDefinition;
    using SoVectorizeCGMAction::getClippingLimits;
    using SoVectorizeCGMAction::printBorder;
    using SoVectorizeCGMAction::printImage;
    using SoVectorizeCGMAction::printPolygon;
    using SoVectorizeCGMAction::printPolyLine;
    using SoVectorizeCGMAction::printPolyMark;
    using SoVectorizeCGMAction::printText2;
    using SoVectorizeCGMAction::setHardwareClip;
    using SoVectorizeCGMAction::writeFooter;
    using SoVectorizeCGMAction::writeHeader;
};

struct CGMSettings {
    int binary = 0;
    int version = 1;
    int indexed = 0;
};

using Draw = std::function<void(TestCGMAction &)>;

struct WrittenCGM {
    std::string path;
    std::string text;       // the file's bytes
    cgmtest::Metafile file; // what the reader or dumper made of it
};

std::string cgmOutPath(const std::string &name);

// Writes header, draw(action), footer into SCRIVANE_TEST_OUT/name. setup runs before the header
// (layout, pens, background). The result has been checked by the reader (clear text)
// or the dumper (binary); a file that fails is reported as a test failure.
WrittenCGM writeCGM(const std::string &name, CGMSettings settings, const Draw &draw,
                    const Draw &setup = {});

// Reads back and checks any CGM file written by a test.
cgmtest::Metafile checkCGMFile(const std::string &path, int binary);

// Runs run (which applies the action) on a new action writing SCRIVANE_TEST_OUT/name in the
// given settings, closes the file and returns it checked.
cgmtest::Metafile applyCGM(const std::string &name, CGMSettings settings, const Draw &run);

// The numbers of all elements of a name, one after the other.
std::vector<double> numbersOf(const cgmtest::Metafile &m, const std::string &name);

// An encoder on a temporary file; bytes() returns everything written so far.
class MemoryEncoder {
public:
    MemoryEncoder();
    ~MemoryEncoder();
    MemoryEncoder(const MemoryEncoder &) = delete;
    MemoryEncoder &operator=(const MemoryEncoder &) = delete;
    CGMBinaryEncoder &e() { return *encoder; }
    std::vector<uint8_t> bytes();

private:
    SoCGMVectorOutput output;
    CGMBinaryEncoder *encoder;
};

// Hexadecimal bytes "3F 80 00 00".
std::string hexBytes(const std::vector<uint8_t> &bytes, size_t from = 0, size_t count = SIZE_MAX);

SbVec4f pt(float x, float y);

#endif
