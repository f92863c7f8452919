#pragma once

#include "chart/chart_geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hygrovane::chart {

// The families a user may show or hide, with the key they are remembered by and the caption of
// their menu entry. A family missing from this table is always shown.
struct FamilyName {
    Family family;
    std::string_view key;
    std::string_view caption;
};
inline constexpr std::array<FamilyName, 7> kFamilyNames{{
    {Family::DryBulbGrid, "dryBulb", "Dry-bulb grid"},
    {Family::HumidityRatioGrid, "humidityRatio", "Humidity-ratio grid"},
    {Family::SpecificVolume, "specificVolume", "Specific volume"},
    {Family::Enthalpy, "enthalpy", "Enthalpy"},
    {Family::WetBulb, "wetBulb", "Wet bulb"},
    {Family::RelativeHumidity, "relativeHumidity", "Relative humidity"},
    {Family::Saturation, "saturation", "Saturation curve"},
}};

// The family a key names; none for an unknown key.
std::optional<Family> FamilyOfKey(std::string_view key);

// A set of families, kept as the hidden ones so that a family added later starts shown.
class FamilySet {
  public:
    bool hides(Family family) const { return (hidden_ & Bit(family)) != 0; }
    bool shows(Family family) const { return !hides(family); }
    void show(Family family, bool shown) {
        hidden_ = shown ? hidden_ & ~Bit(family) : hidden_ | Bit(family);
    }
    bool allShown() const { return hidden_ == 0; }

    friend bool operator==(const FamilySet&, const FamilySet&) = default;

  private:
    static std::uint32_t Bit(Family family) {
        return std::uint32_t{1} << static_cast<unsigned>(family);
    }
    std::uint32_t hidden_ = 0;
};

} // namespace hygrovane::chart
