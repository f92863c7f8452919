#pragma once

#include "fileio/file_io.h"
#include "processes/process_set.h"

#include <string>
#include <string_view>

namespace hygrovane::processfile {

// The format version this program writes; it reads this one and every older one.
inline constexpr int kProcessFileVersion = 1;
// The largest process-set file this program opens, and so the largest it writes: a set of a
// hundred thousand points and processes still fits (about 250 bytes each as written), far past
// any a person builds; anything larger is not one of ours.
inline constexpr std::size_t kLargestProcessFile = 64 * 1024 * 1024;

// A set as a file holds it: its points and processes (with the pressure and formulation they
// share) and the units it shows its flows and loads in.
struct ProcessSetFile {
    processes::ProcessSet set;
    processes::LoadUnits units;
};

// The file's text: JSON of our own, numbers in internal units (K, Pa, m, kg/kg, fractions, W),
// each point and each process compact on a line of its own. Older, indented files read the same.
std::string ProcessSetText(const processes::ProcessSet& set, const processes::LoadUnits& units);

enum class ProcessFileFailureKind {
    Damaged,        // not JSON, or cut short
    NotAProcessSet, // JSON of another format
    NoVersion,      // no whole format version of 1 or more
    NewerVersion,   // a format version this program does not read yet
    BadEntry,       // a point or process lacks a field, or names what is not known
    SetRefused,     // the set refuses the records: points and processes that do not fit
                    // together, a name it cannot hold
};

// Why a text holds no process set: the reason alone, a clause naming the first problem ("it is
// not a Hygrovane process set"), for the caller's sentence.
struct ProcessFileFailure {
    ProcessFileFailureKind kind = ProcessFileFailureKind::Damaged;
    std::string message;
};

// The set a text holds, or why it holds none.
Expected<ProcessSetFile, ProcessFileFailure> ReadProcessSetText(std::string_view text);

// Writes the set through QSaveFile: an existing file is replaced only by a complete new one. A set
// this program could not open again (too large, or not read back as it is) is refused before
// anything is written, and an existing file stays byte for byte as it was.
Expected<Done, fileio::FileFailure> SaveProcessSet(const processes::ProcessSet& set,
                                                   const processes::LoadUnits& units,
                                                   const std::string& path);

// The set a file holds, or what is wrong with a missing, damaged or foreign file.
Expected<ProcessSetFile, fileio::FileFailure> OpenProcessSet(const std::string& path);

} // namespace hygrovane::processfile
