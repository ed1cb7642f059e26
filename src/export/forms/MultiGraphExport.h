#pragma once
// Writing several graphs at once, as the save wizard's record describes: one file (graph after
// graph, or X with the Y of every graph per point) or a file per graph, as text or as a table.

#include <vector>

#include "export/forms/WinSaveParams.h"

namespace kvforms {

// The text formats' separators, kept by the wizard beside the record.
struct TExportSeparators {
  char Decimal = ',';
  fw::String Value = "\t";
  fw::String Line = "\n";
};

// The separators the wizard stored last ("EXPORT_DATA"); an empty value separator means TAB.
TExportSeparators StoredExportSeparators();

// The files Graphs go to under Params, in the order they are written (one for one file). A name
// that already ends with the format's extension is not given it twice.
std::vector<fw::String> ExportFileNames(const std::vector<workspace::TGraph*>& Graphs,
                                        const TExportParameters& Params);

// Those of the files ExportGraphs would write that are there already (files, not folders), in
// the same order: the ones it would replace.
std::vector<fw::String> ExportFilesAlreadyThere(const std::vector<workspace::TGraph*>& Graphs,
                                                const TExportParameters& Params);

// Writes Graphs as Params says. Every file's content is made before the first one is written, and
// every file is written beside its target before any target is replaced; when one cannot be
// written, no file is replaced or left behind and the error propagates.
void ExportGraphs(const std::vector<workspace::TGraph*>& Graphs, const TExportParameters& Params,
                  const TExportSeparators& Separators);

}  // namespace kvforms
