#ifndef SCRIVANE_TOOLS_BATCH_H
#define SCRIVANE_TOOLS_BATCH_H
// Batch mode of the scrivane command: several scene files, each into a drawing of its own in one
// folder, several at a time.
#include "Options.h"
#include <string>

// Whether an output names the folder of a batch: it ends with a slash or is an existing
// directory.
bool isBatchOutput(const std::string &output);

// Converts every scene of options.inputs into the folder options.output and prints a summary.
// convertScene runs in a child process per scene, with options.input and options.output set to
// that scene and its drawing, and returns the scene's exit status. Returns 0 when every drawing
// was written, else the highest exit status of the failed scenes (128 + N for a scene whose
// process signal N ended); 1 for a batch refused before any scene was converted, 3 when the
// folder cannot be made.
int runBatch(const CliOptions &options, int (*convertScene)(const CliOptions &));

#endif
