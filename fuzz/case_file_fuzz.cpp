// Opening an arbitrary case file into the started window, as the "Open" command does.
#include "casefile/case_file.h"
#include "fuzz_support.h"
#include "models/ambient_model.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace hygrovane;

namespace {

// Opens the bytes into a fresh main window through its own handlers and recalculates, as the
// window's "Open" does: a file that is not a complete case is refused and changes nothing.
AmbientForm Opened(std::string_view bytes) {
    fuzz::NoPlatform platform;
    models::AmbientModel window(platform);
    window.Form_Load();
    try {
        if (!casefile::CheckCaseText(bytes)) {
            return window.form();
        }
        casefile::ApplyCaseFields(casefile::ReadCaseFields(bytes), window.form(), window);
    } catch (...) {
        fuzz::Fail("opening a case file let an exception out");
    }
    fuzz::CalculateChecked(window.form());
    return window.form();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Case files are small; the reader refuses anything over 64 KiB before parsing.
    if (size > 64 * 1024) {
        return 0;
    }
    const AmbientForm form = Opened(std::string_view(reinterpret_cast<const char*>(data), size));
    // What the window saves of it is a complete case and opens to the same case again.
    const std::string saved = casefile::CaseFileText(form);
    if (!casefile::CheckCaseText(saved)) {
        fuzz::Fail("a saved case is not a complete case");
    }
    if (casefile::CaseFileText(Opened(saved)) != saved) {
        fuzz::Fail("a saved case does not open to the same case");
    }
    return 0;
}
