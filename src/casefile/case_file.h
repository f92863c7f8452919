#pragma once

#include "casefile/case_line.h"
#include "fileio/file_io.h"
#include "hygrovane/expected.h"
#include "models/calculator/ambient_form.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::casefile {

// What a file routine refuses with: a message that names the file and the reason.
using fileio::FileFailure;
using fileio::FileFailureKind;

// The events that applying a case raises in the window, so that each selection has the same
// effects as the user's (the main window's handlers implement them). Each is raised only when the
// control's state actually changed.
class CaseEvents {
  public:
    virtual ~CaseEvents() = default;
    virtual void comboClicked(int comboNumber) = 0;   // ComboN's selection changed
    virtual void optionClicked(int optionNumber) = 0; // OptionN became selected
    virtual void textChanged(int textNumber) = 0;     // TextN's text changed
};

// The longest line a case file holds. The longest unit name has 26 characters and a number that
// means anything far fewer than 100, so 256 leaves room for any value a user could mean; a longer
// line (a number of 32,000 digits that a box shows cut short) is refused, not calculated unseen.
inline constexpr std::size_t kMaxCaseLineLength = 256;

// The 21 lines of the case file for the form as it stands, CR LF after each.
std::string CaseFileText(const AmbientForm& form);

// Writes CaseFileText to path through QSaveFile: an existing file is replaced only by a complete
// new one. Refuses, writing nothing, a value that holds a line break or another control character
// or is longer than kMaxCaseLineLength, since it would not open as it was. Changes nothing in the
// form.
Expected<Done, FileFailure> SaveCase(const AmbientForm& form, const std::string& path);

// Refuses bytes that are not a complete case file, saying why. A complete case is text
// whose first line is "Hygrovane" and a version number ("Hygrovane 1.1"; blanks may follow), whose
// lines hold no line break or other control character after their leading blanks and none longer
// than kMaxCaseLineLength, and which goes on at least to the value of its humidity input. What the
// fields say is not examined: unknown values are skipped when the case is applied.
Expected<Done, CaseFailure> CheckCaseText(std::string_view bytes);

// Splits a file's bytes into its fields: whole lines (CR LF, LF, or a last line without an
// ending), leading blanks of each dropped.
std::vector<std::string> ReadCaseFields(std::string_view bytes);

// Reads a case file's fields; refuses a missing or unreadable file, a directory, a file over
// 64 KiB, and one that is not a complete case (CheckCaseText).
Expected<std::vector<std::string>, FileFailure> LoadCaseFields(const std::string& path);

// Applies the fields to the form in the order of the format, raising events as the user's actions
// would; blanks after a pressure or humidity code are ignored. Unrecognised values are skipped; a
// list that ends early applies what it holds. Does not touch CurrentFileName or CaseModified and
// does not call Calculate itself.
void ApplyCaseFields(const std::vector<std::string>& fields, AmbientForm& form, CaseEvents& events);

} // namespace hygrovane::casefile
