#include "climatecli/input_text.h"

#include "climate/weather_text.h"

#include <filesystem>
#include <new>

namespace hygrovane::climatecli {

Expected<std::string, Unreadable> ReadAll(cli::ByteSource& source) {
    const Unreadable tooLarge{"larger than " + std::to_string(climate::kLargestWeatherFile >> 20) +
                              " MiB"};
    if (source.size() > climate::kLargestWeatherFile) {
        return Fail(tooLarge);
    }
    try {
        std::string text;
        text.reserve(static_cast<std::size_t>(source.size()));
        char buffer[1 << 16];
        while (true) {
            const std::ptrdiff_t got = source.read(buffer, sizeof buffer);
            if (got < 0) {
                return Fail(Unreadable{source.error()});
            }
            if (got == 0) {
                return text;
            }
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.size() > climate::kLargestWeatherFile) {
                return Fail(tooLarge);
            }
        }
    } catch (const std::bad_alloc&) {
        return Fail(Unreadable{"not enough memory to read it"});
    }
}

bool IsDevice(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && (std::filesystem::is_character_file(status) ||
                      std::filesystem::is_block_file(status) || std::filesystem::is_socket(status));
}

} // namespace hygrovane::climatecli
