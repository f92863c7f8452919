// Reading an arbitrary process-set file, as the processes window's "Open" does.
#include "fuzz_support.h"
#include "processfile/process_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace hygrovane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > processfile::kLargestProcessFile) {
        return 0;
    }
    std::optional<hygrovane::Expected<processfile::ProcessSetFile, processfile::ProcessFileFailure>>
        read;
    try {
        read = processfile::ReadProcessSetText(
            std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (...) {
        fuzz::Fail("reading a process-set file let an exception out");
    }
    const processfile::ProcessSetFile* opened = *read ? &read->value() : nullptr;
    if (opened == nullptr) {
        if (read->error().message.empty()) {
            fuzz::Fail("a refused process-set file has no reason");
        }
        return 0;
    }
    // What is saved of an accepted set opens to the same set again.
    const std::string saved = processfile::ProcessSetText(opened->set, opened->units);
    const auto again = processfile::ReadProcessSetText(saved);
    const processfile::ProcessSetFile* reopened = again ? &again.value() : nullptr;
    if (reopened == nullptr ||
        processfile::ProcessSetText(reopened->set, reopened->units) != saved) {
        fuzz::Fail("a saved process set does not open to the same set");
    }
    return 0;
}
