#ifndef SCRIVANE_LINEPATTERNRUNS_H
#define SCRIVANE_LINEPATTERNRUNS_H
// Run analysis of a 16-bit line pattern, shared by the formats that turn patterns into dash
// definitions (HP-GL/2, CGM, GDI).

// Splits the pattern into alternating runs of equal bits: the pattern is shifted right until
// bit 0 is set, then bits 0 to 15 are walked and a new run starts wherever a bit differs from
// the one before. The runs alternate dash, gap, dash ... and add up to 16. Writes at most 16
// run lengths into runs and returns their count. The solid pattern 0xFFFF gives one run of 16;
// the empty pattern 0 has no set bit and gives no runs (0).
int linePatternRuns(unsigned short pattern, int runs[16]);

#endif
