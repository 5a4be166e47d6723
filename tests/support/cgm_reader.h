#ifndef SCRIVANE_TESTS_CGM_READER_H
#define SCRIVANE_TESTS_CGM_READER_H
// Readers of the CGM files the writer produces, for tests.
//
// readClearText splits a clear-text metafile into elements at their terminators, checks that
// every element is one the writer may emit, with parameters of the right kinds and count (the
// counts of colours and cells follow the colour selection mode in force), and that BEGMF ...
// ENDMF and BEGPIC ... BEGPICBODY ... ENDPIC nest.
//
// dumpBinary walks a binary metafile: element headers (short and long form), partitions (each
// partition word, the last with bit 15 clear), pad bytes and even alignment; it decodes every
// parameter with the precisions in force and checks that each element's parameters take
// exactly the length its header declares. It lists one line per element.
//
// Both give the elements in a common form (name, numbers, strings) for comparisons.
#include <cstdint>
#include <string>
#include <vector>

namespace cgmtest {

// One element in a form common to both encodings. Enumerations are their numeric codes;
// points are two numbers; direct colours three numbers.
struct Element {
    std::string name;
    int elementClass = -1, id = -1;
    std::vector<double> numbers;
    std::vector<std::string> strings;
    // Binary only: parameter length, offset of the header, partition lengths.
    int length = 0;
    size_t offset = 0;
    std::vector<int> partitions;
    int longForm = 0;
};

struct Metafile {
    bool ok = false;
    std::string error;            // first error found, with where it was found
    std::vector<Element> elements;
    std::string listing;          // binary: one line per element
};

Metafile readClearText(const std::string &text);
Metafile dumpBinary(const std::vector<uint8_t> &bytes);

// The elements named name, in order.
std::vector<Element> elementsNamed(const Metafile &m, const std::string &name);
// Names of all elements, space separated.
std::string elementNames(const Metafile &m);

// File helpers.
std::vector<uint8_t> readFileBytes(const std::string &path);
std::string readFileText(const std::string &path);

} // namespace cgmtest

#endif
