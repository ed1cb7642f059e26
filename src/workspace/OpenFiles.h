#pragma once
// The file-opening routine shared by the open command, dropped files and every other way in:
// each file becomes a graph of the collection, or a message says why it did not.

#include <cstddef>
#include <vector>

#include "framework/ClassesTypes.h"

namespace workspace {

class TGraph;
class TGraphCollection;

// Opens the files in order. A missing file is reported and skipped; a file that fails is
// reported with its name and the error, and when more files follow the user chooses whether
// to go on. The last graph added is selected, then the skipped lines are said. Returns the last
// graph added (nullptr when none was).
TGraph* OpenFiles(TGraphCollection& Graphs, const std::vector<fw::String>& FileNames);

// Lines of a file that were not read as points are said in a warning balloon (the status line)
// once the files are open, so that a graph missing part of its file does not look whole.
inline constexpr fw::Integer SkippedLinesBalloon = 2;
// "<Where>: строк, не прочитанных как пары чисел: <Skipped>"; empty for none.
fw::String SkippedLinesNote(const fw::String& Where, std::size_t Skipped);

// One file through the two-column text reader, added as a graph of kind 0 titled with the file
// name. Raises on failure, leaving the collection as it was. Note, when given, receives how many
// lines past the header lines gave no point (empty when all did).
TGraph* OpenTextFile(TGraphCollection& Graphs, const fw::String& FileName, fw::String* Note = nullptr);

}  // namespace workspace
