#pragma once
// What one run of the program changed in its settings, written over the settings file as it is
// at exit. The user may edit the file while the program runs (the decimal-point advice tells them
// to), and another copy of the program may save it meanwhile: values this run did not change are
// left as the file has them, and recent-file lists are merged rather than replaced.

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/ClassesTypes.h"

namespace workspace {

class TPropSaver;

// The values File (the settings file as read at the start) holds for the keys of Keys (the
// settings as this run started with them), section by section: what WriteChangesSince needs of
// the file as read, without a copy of all of it (a large file holds much more).
std::unique_ptr<TPropSaver> ValuesAsRead(const TPropSaver& File, const TPropSaver& Keys);

// Writes into Target (the store on the settings file as it is now) what this run changed or
// repaired. Before and Now are file-less stores that the same routine filled at the start of the
// run and at its end; AsRead holds the file's values as they were read at the start, at least
// for the keys of Before (ValuesAsRead). A value of Now
// is written when Before does not hold it the same (this run changed it), or when the file held
// it otherwise at the start (missing, or damaged and read as a default) and still does: a value
// the user or another copy of the program wrote meanwhile stays.
void WriteChangesSince(const TPropSaver& AsRead, const TPropSaver& Before, const TPropSaver& Now,
                       TPropSaver& Target);

// A most-recent-first list of names after this run: the names this run put on top of its list
// (AtStart is the list as this run read it, Now as it ends), then the names of OnDisk (the list
// in the file now, another copy's additions among them) that this run neither put on top nor
// removed, at most Most names.
std::vector<fw::String> MergeRecentNames(const std::vector<fw::String>& AtStart, const std::vector<fw::String>& Now,
                                         const std::vector<fw::String>& OnDisk, std::size_t Most);

}  // namespace workspace
