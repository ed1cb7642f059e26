#pragma once
// The file-opening routine shared by the open command, dropped files and every other way in:
// each file becomes a graph of the collection, or a message says why it did not.

#include <vector>

#include "framework/ClassesTypes.h"

namespace workspace {

class TGraph;
class TGraphCollection;

// Opens the files in order. A missing file is reported and skipped; a file that fails is
// reported with its name and the error, and when more files follow the user chooses whether
// to go on. The last graph added is selected. Returns it (nullptr when none was added).
TGraph* OpenFiles(TGraphCollection& Graphs, const std::vector<fw::String>& FileNames);

// One file through the two-column text reader, added as a graph of kind 0 titled with the file
// name. Raises on failure, leaving the collection as it was.
TGraph* OpenTextFile(TGraphCollection& Graphs, const fw::String& FileName);

}  // namespace workspace
