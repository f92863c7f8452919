// An arbitrary logger file through the batch reader, the column detection and the row
// conversion: no crash, and every data line gives exactly one output line.
#include "batch/conversion.h"
#include "batch/text_shape.h"
#include "fuzz_support.h"
#include "textfile/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

using namespace hygrovane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    batch::FileHead head;
    // Now and then with the header's line given, as --header-line does.
    if (!batch::ReadFileHead(bytes, true, 0, head, size % 7 == 0 ? 2 : 0) || head.lineFailure) {
        return 0;
    }
    batch::Settings settings;
    settings.mapping = batch::DetectColumns(head, size % 2 == 1).mapping;
    settings.digits = size % 3 == 0 ? batch::Digits::Full : batch::Digits::Window;
    settings.composition = size % 5 == 0;
    if (settings.mapping.dryBulb.column < 0 || settings.mapping.humidity.column < 0) {
        return 0;
    }
    const auto made = batch::Plan::Make(settings, head.shape, head.names.size());
    if (!made) {
        return 0;
    }
    const batch::Plan& plan = *made;
    batch::RowConverter converter(plan);
    batch::Tally tally;
    // The data lines as every reader splits them; a line end of another kind refuses the file.
    textfile::Lines split(bytes.substr(head.dataOffset), head.shape.lineEnds);
    std::size_t lines = 0;
    std::string out;
    const char lineBreak = head.shape.lineBreak;
    std::string_view line;
    while (split.Next(line)) {
        converter.Convert(line, out, tally);
        ++lines;
    }
    if (split.failure()) {
        return 0;
    }
    if (tally.rows + tally.blankLines != lines ||
        static_cast<std::size_t>(std::count(out.begin(), out.end(), lineBreak)) != lines) {
        fuzz::Fail("an input line did not give exactly one output line");
    }
    return 0;
}
