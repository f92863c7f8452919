#pragma once

#include "calculator/form_ambient.h"

#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::casefile {

// What a file routine reports: ok, or a message that names the file and the reason.
struct FileResult {
    bool ok = true;
    std::string message;
};

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

// The 21 lines of the case file for the form as it stands, CR LF after each.
std::string CaseFileText(const FormAmbient& form);

// Writes CaseFileText to path through QSaveFile: an existing file is replaced only by a complete
// new one. Changes nothing in the form.
FileResult SaveCase(const FormAmbient& form, const std::string& path);

// Splits a file's bytes into its fields: whole lines (CR LF, LF, or a last line without an
// ending), leading blanks of each dropped.
std::vector<std::string> ReadCaseFields(std::string_view bytes);

// Reads a case file's fields; refuses a missing or unreadable file, a directory, a file over
// 64 KiB or one containing a NUL byte.
FileResult LoadCaseFields(const std::string& path, std::vector<std::string>& fields);

// Applies the fields to the form in the order of the format, raising events as the user's actions
// would. A file that ends early applies what was read. Does not touch CurrentFileName or
// CaseModified and does not call Calculate itself.
void ApplyCaseFields(const std::vector<std::string>& fields, FormAmbient& form, CaseEvents& events);

} // namespace hygrovane::casefile
