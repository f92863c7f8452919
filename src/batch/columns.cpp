#include "batch/columns.h"

#include "batch/conversion.h"
#include "display/input_kinds.h"
#include "display/shown_quantities.h"
#include "text/blanks.h"
#include "units/quantity.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace hygrovane::batch {

namespace {

struct Phrases {
    Role role;
    HumidityInput input;
    std::vector<std::string_view> phrases; // words joined by one blank; a prefix of the name's
};

// In the order they are tried: the specific names before the general ones ("dew point
// temperature" before "temperature", "humidity ratio" before "humidity").
const std::vector<Phrases>& NameTable() {
    using H = HumidityInput;
    static const std::vector<Phrases> table{
        {Role::Humidity,
         H::DewPoint,
         {"dew", "dewpoint", "dewpt", "td", "tdp", "t dp", "t dew", "dp", "taupunkt"}},
        {Role::Humidity, H::WetBulb, {"wet", "wetbulb", "twb", "t wb", "wb", "tw"}},
        {Role::Humidity,
         H::HumidityRatio,
         {"humidity ratio", "mixing ratio", "moisture content", "w"}},
        {Role::Humidity,
         H::AbsoluteHumidity,
         {"absolute humidity", "absolute hum", "abs humidity", "abs hum", "ah", "vapor density",
          "vapour density"}},
        {Role::Humidity,
         H::PartialPressure,
         {"partial pressure", "vapor pressure", "vapour pressure", "pw", "p w", "vp"}},
        {Role::Humidity, H::MoleFraction, {"mole fraction", "water mole fraction", "xw", "x w"}},
        {Role::Humidity, H::MassFraction, {"mass fraction", "water mass fraction"}},
        {Role::Humidity,
         H::RelativeHumidity,
         {"rh", "r h", "relative humidity", "relative hum", "rel humidity", "rel hum", "relhum",
          "humidity", "hum", "hr", "rf", "r f", "rel feuchte", "luftfeuchte", "feuchte"}},
        {Role::Altitude,
         H::RelativeHumidity,
         {"altitude", "alt", "elevation", "elev", "height above sea level", "z"}},
        {Role::Pressure,
         H::RelativeHumidity,
         {"pressure", "press", "pres", "p", "baro", "barometer", "barometric pressure", "bp",
          "patm", "p atm", "atmospheric pressure", "air pressure", "station pressure",
          "ambient pressure", "druck", "luftdruck"}},
        {Role::DryBulb,
         H::RelativeHumidity,
         {"temperature", "temp", "t", "ta", "tdb", "t db", "dry bulb", "drybulb", "air temperature",
          "air temp", "air tc", "airtc", "tair", "t air", "ambient temperature", "ambient temp",
          "amb temp", "temperatur", "lufttemperatur"}},
    };
    return table;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
std::string_view Trimmed(std::string_view text) {
    return text::Trim(text);
}

bool IsAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// "AirTC_Avg" -> "air tc avg", "Dew Point" -> "dew point", "T_db" -> "t db".
std::string Words(std::string_view name) {
    std::string words;
    char previous = ' ';
    for (const char c : name) {
        if (!IsAlnum(c)) {
            if (!words.empty() && words.back() != ' ') {
                words += ' ';
            }
        } else {
            const bool camel = std::islower(static_cast<unsigned char>(previous)) != 0 &&
                               std::isupper(static_cast<unsigned char>(c)) != 0;
            if (camel && !words.empty() && words.back() != ' ') {
                words += ' ';
            }
            words += Lower(c);
        }
        previous = c;
    }
    while (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

bool StartsWithPhrase(std::string_view words, std::string_view phrase) {
    return words.substr(0, phrase.size()) == phrase &&
           (words.size() == phrase.size() || words[phrase.size()] == ' ');
}

bool HasWord(std::string_view words, std::string_view word) {
    std::size_t at = 0;
    while (at <= words.size()) {
        const std::size_t end = std::min(words.find(' ', at), words.size());
        if (words.substr(at, end - at) == word) {
            return true;
        }
        at = end + 1;
    }
    return false;
}

// A unit as written, lower case without blanks, degree signs or "deg".
std::string Squeezed(std::string_view written) {
    std::string text;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::string_view rest = written.substr(i);
        if (rest.starts_with("\xC2\xB0") || rest.starts_with("\xC2\xBA")) { // degree, ordinal
            ++i;
            continue;
        }
        if (rest.starts_with("\xE2\x84\x83")) { // degree Celsius sign
            text += 'c';
            i += 2;
            continue;
        }
        if (rest.starts_with("\xE2\x84\x89")) { // degree Fahrenheit sign
            text += 'f';
            i += 2;
            continue;
        }
        if (rest.starts_with("\xC2\xB3")) { // superscript three
            text += '3';
            ++i;
            continue;
        }
        if (written[i] == ' ' || written[i] == '^' || written[i] == '\t') {
            continue;
        }
        text += Lower(written[i]);
    }
    for (const std::string_view prefix : {"degrees", "degree", "deg"}) {
        if (text.starts_with(prefix) && text.size() > prefix.size()) {
            text.erase(0, prefix.size());
            break;
        }
    }
    return text;
}

struct Alias {
    std::string_view squeezed;
    std::string_view name;
    double scale = 1; // to the window's unit, for units it has no name for
};

const Alias* FindAlias(const std::vector<Alias>& aliases, std::string_view squeezed) {
    for (const Alias& alias : aliases) {
        if (alias.squeezed == squeezed) {
            return &alias;
        }
    }
    return nullptr;
}

const std::vector<Alias>& Aliases(Role role, HumidityInput input) {
    static const std::vector<Alias> temperature{
        {"c", "C"}, {"celsius", "C"}, {"centigrade", "C"}, {"f", "F"},       {"fahrenheit", "F"},
        {"k", "K"}, {"kelvin", "K"},  {"r", "R"},          {"rankine", "R"}, {"ra", "R"}};
    static const std::vector<Alias> pressure{{"pa", "Pa"},
                                             {"kpa", "kPa"},
                                             {"hpa", "mBar"},
                                             {"mbar", "mBar"},
                                             {"mb", "mBar"},
                                             {"bar", "Bar"},
                                             {"mmhg", "mm Hg"},
                                             // 1 inHg = 3.386389 kPa (at 0 °C; NIST SP 811).
                                             {"inhg", "kPa", 3.386389},
                                             {"inchhg", "kPa", 3.386389},
                                             {"inchesofmercury", "kPa", 3.386389},
                                             // 1 torr = 101325/760 Pa by definition.
                                             {"torr", "Pa", 101325.0 / 760.0},
                                             {"mmh2o", "mm H2O"},
                                             {"mmwc", "mm H2O"},
                                             {"atm", "Atmosphere"},
                                             {"atmosphere", "Atmosphere"},
                                             {"psi", "PSI"},
                                             {"psia", "PSI"}};
    static const std::vector<Alias> percent{{"%", "%"}, {"percent", "%"}, {"pct", "%"}};
    static const std::vector<Alias> relative{{"%", "%"},
                                             {"%rh", "%"},
                                             {"percent", "%"},
                                             {"pct", "%"},
                                             {"fraction", kFractionUnit},
                                             {"frac", kFractionUnit},
                                             {"0-1", kFractionUnit}};
    static const std::vector<Alias> ratio{{"g/kg", "(g moisture)/(kg dry air)"},
                                          {"gkg", "(g moisture)/(kg dry air)"},
                                          {"g/kgda", "(g moisture)/(kg dry air)"},
                                          {"g/kg(dryair)", "(g moisture)/(kg dry air)"},
                                          {"kg/kg", "(kg moisture)/(kg dry air)"},
                                          {"kg/kgda", "(kg moisture)/(kg dry air)"},
                                          {"lb/lb", "(lb moisture)/(lb dry air)"},
                                          // 7000 grains to the pound (avoirdupois).
                                          {"gr/lb", "(lb moisture)/(lb dry air)", 1.0 / 7000.0},
                                          {"grains/lb", "(lb moisture)/(lb dry air)", 1.0 / 7000.0},
                                          {"gr/lbda", "(lb moisture)/(lb dry air)", 1.0 / 7000.0}};
    static const std::vector<Alias> absolute{{"g/m3", "(g moisture)/m^3"},
                                             {"gm-3", "(g moisture)/m^3"},
                                             {"kg/m3", "(kg moisture)/m^3"},
                                             {"lb/ft3", "(lb moisture)/ft^3"}};
    static const std::vector<Alias> length{{"m", "m"},     {"meter", "m"},   {"meters", "m"},
                                           {"metre", "m"}, {"metres", "m"},  {"km", "km"},
                                           {"ft", "ft"},   {"feet", "ft"},   {"foot", "ft"},
                                           {"mi", "mile"}, {"mile", "mile"}, {"miles", "mile"}};
    switch (role) {
    case Role::DryBulb:
        return temperature;
    case Role::Pressure:
        return pressure;
    case Role::Altitude:
        return length;
    case Role::Humidity:
        break;
    }
    switch (input) {
    case HumidityInput::DewPoint:
    case HumidityInput::WetBulb:
        return temperature;
    case HumidityInput::RelativeHumidity:
        return relative;
    case HumidityInput::HumidityRatio:
        return ratio;
    case HumidityInput::AbsoluteHumidity:
        return absolute;
    case HumidityInput::PartialPressure:
        return pressure;
    case HumidityInput::MoleFraction:
    case HumidityInput::MassFraction:
        break;
    }
    return percent;
}

// The unit list of the window's combo for an input.
ShownQuantity ShownOf(Role role, HumidityInput input) {
    switch (role) {
    case Role::DryBulb:
        return ShownQuantity::DryBulb;
    case Role::Pressure:
        return ShownQuantity::Pressure;
    case Role::Altitude:
        return ShownQuantity::Altitude;
    case Role::Humidity:
        break;
    }
    return KindOf(input).shown;
}

// The texts of a header that may name a unit. Those in the TOA5 units line, in brackets or after
// a comma are meant as units (unitLike); the rest of the name from a bracket ("(g moisture)/(kg
// dry air)" is one unit), the last "_" part ("BP_mbar") and a last word after the quantity's name
// ("TempF") are taken only when they are a known unit.
struct Candidate {
    std::string text;
    bool unitLike;
};

std::vector<Candidate> UnitCandidates(std::string_view name, std::string_view unitLine) {
    std::vector<Candidate> candidates;
    if (!unitLine.empty()) {
        candidates.push_back({std::string(unitLine), true});
    }
    for (std::size_t open = name.find_first_of("(["); open != std::string_view::npos;
         open = name.find_first_of("([", open + 1)) {
        const char closing = name[open] == '(' ? ')' : ']';
        const std::size_t close = name.find(closing, open + 1);
        candidates.push_back({std::string(name.substr(open)), false});
        if (close != std::string_view::npos) {
            candidates.push_back({std::string(name.substr(open + 1, close - open - 1)), true});
        }
    }
    if (const std::size_t comma = name.find(','); comma != std::string_view::npos) {
        std::string_view after = name.substr(comma + 1);
        after = after.substr(0, after.find_first_of("(["));
        candidates.push_back({std::string(after), true});
    }
    const std::string_view head = name.substr(0, name.find_first_of("([,"));
    if (const std::size_t underscore = head.rfind('_'); underscore != std::string_view::npos) {
        candidates.push_back({std::string(head.substr(underscore + 1)), false});
    }
    // The one word after the longest name of a quantity: "temp f", not the "atm" of "p atm".
    const std::string words = Words(head);
    std::size_t longest = 0;
    for (const Phrases& entry : NameTable()) {
        for (const std::string_view phrase : entry.phrases) {
            if (phrase.size() > longest && StartsWithPhrase(words, phrase)) {
                longest = phrase.size();
            }
        }
    }
    if (longest != 0 && longest < words.size() &&
        words.find(' ', longest + 1) == std::string::npos) {
        candidates.push_back({words.substr(longest + 1), false});
    }
    return candidates;
}

} // namespace

std::optional<UnitRead> ReadUnit(Role role, HumidityInput humidityInput, std::string_view written) {
    const std::vector<std::string>& list =
        units::UnitList(UnitQuantity(ShownOf(role, humidityInput)));
    const bool percent = role == Role::Humidity && KindOf(humidityInput).percent;
    if (!percent && std::find(list.begin(), list.end(), written) != list.end()) {
        return UnitRead{std::string(written), 1, {}};
    }
    const Alias* alias = FindAlias(Aliases(role, humidityInput), Squeezed(written));
    if (alias != nullptr) {
        UnitRead read{std::string(alias->name), alias->scale, {}};
        if (alias->scale != 1) {
            read.written = std::string(Trimmed(written));
        }
        return read;
    }
    // The window's own names, in any case and spacing.
    for (const std::string& name : list) {
        if (Squeezed(name) == Squeezed(written) && !Squeezed(written).empty()) {
            return UnitRead{name, 1, {}};
        }
    }
    return std::nullopt;
}

std::optional<double> InCoreUnits(Role role, HumidityInput humidityInput, std::string_view unit,
                                  double value) {
    if (role == Role::Humidity && unit == kFractionUnit) {
        return value;
    }
    const ShownQuantity shown = ShownOf(role, humidityInput);
    const bool percent = role == Role::Humidity && KindOf(humidityInput).percent;
    return units::ToInternal(UnitQuantity(shown), percent ? std::string_view("%") : unit, value);
}

std::optional<double> SourceValue(const Source& source, Role role, HumidityInput humidityInput,
                                  double written) {
    return InCoreUnits(role, humidityInput, source.unit, written * source.scale);
}

std::string UnitNote(const Source& source) {
    if (source.written.empty()) {
        return source.unit;
    }
    std::string text = source.written + " (read as " + source.unit + " times ";
    AppendShortest(text, source.scale);
    return text + ")";
}

std::string DefaultUnit(Role role, HumidityInput humidityInput, bool british) {
    if (role == Role::Humidity && humidityInput == HumidityInput::RelativeHumidity) {
        return "%";
    }
    const std::string_view preset = PresetUnit(ShownOf(role, humidityInput),
                                               british ? UnitSystem::British : UnitSystem::Metric);
    return preset.empty() ? UnitChoices(role, humidityInput).front() : std::string(preset);
}

HeaderUnit FindHeaderUnit(std::string_view name, std::string_view unitLine, Role role,
                          HumidityInput humidityInput) {
    HeaderUnit found;
    const std::vector<Candidate> candidates = UnitCandidates(name, unitLine);
    for (const Candidate& candidate : candidates) {
        if ((found.unit = ReadUnit(role, humidityInput, candidate.text))) {
            return found;
        }
    }
    for (const Candidate& candidate : candidates) {
        // A unit is short; "(LGR S/N: 1, SEN S/N: 2)" is a note on the sensor, not a unit.
        const std::string_view text = Trimmed(candidate.text);
        if (candidate.unitLike && !text.empty() && text.size() <= 16 &&
            text.find_first_of(":,") == std::string_view::npos) {
            found.unknown = std::string(text);
            break;
        }
    }
    return found;
}

void TakeHeaderUnit(Source& source, std::string_view name, std::string_view unitLine, Role role,
                    HumidityInput humidityInput, bool british) {
    source.unit.clear();
    source.scale = 1;
    source.written.clear();
    source.unitAssumed = false;
    source.unknownUnit.clear();
    const HeaderUnit found = FindHeaderUnit(name, unitLine, role, humidityInput);
    if (found.unit) {
        source.unit = found.unit->name;
        source.scale = found.unit->scale;
        source.written = found.unit->written;
    } else if (!found.unknown.empty()) {
        source.unknownUnit = found.unknown;
    } else {
        source.unit = DefaultUnit(role, humidityInput, british);
        source.unitAssumed = true;
    }
}

std::string UnitProblem(const Source& source, std::string_view header) {
    if (!source.unit.empty()) {
        return {};
    }
    if (!source.unknownUnit.empty()) {
        return "the header \"" + std::string(header) + "\" names the unit \"" + source.unknownUnit +
               "\", which is not one of its units";
    }
    return "no unit is chosen";
}

std::vector<std::string> UnitChoices(Role role, HumidityInput humidityInput) {
    if (role == Role::Humidity && humidityInput == HumidityInput::RelativeHumidity) {
        return {"%", std::string(kFractionUnit)};
    }
    if (role == Role::Humidity && KindOf(humidityInput).percent) {
        return {"%"};
    }
    return units::UnitList(UnitQuantity(ShownOf(role, humidityInput)));
}

HeaderMeaning MeaningOf(std::string_view name, std::string_view unitLine) {
    HeaderMeaning meaning;
    const std::string words = Words(name.substr(0, name.find_first_of("([,")));
    for (const Phrases& entry : NameTable()) {
        const bool found =
            std::any_of(entry.phrases.begin(), entry.phrases.end(),
                        [&](std::string_view p) { return StartsWithPhrase(words, p); });
        if (found) {
            meaning.role = entry.role;
            meaning.humidityInput = entry.input;
            break;
        }
    }
    // "Air dew point", "Temperature, wet bulb": these words decide wherever they stand.
    if (HasWord(words, "dew") || HasWord(words, "dewpoint")) {
        meaning.role = Role::Humidity;
        meaning.humidityInput = HumidityInput::DewPoint;
    } else if (HasWord(words, "wet") || HasWord(words, "wetbulb")) {
        meaning.role = Role::Humidity;
        meaning.humidityInput = HumidityInput::WetBulb;
    }
    if (!meaning.role) {
        return meaning;
    }
    const HeaderUnit found = FindHeaderUnit(name, unitLine, *meaning.role, meaning.humidityInput);
    if (found.unit) {
        meaning.unit = found.unit->name;
    }
    meaning.unknownUnit = found.unknown;
    return meaning;
}

std::string_view InputName(Role role, HumidityInput humidityInput) {
    switch (role) {
    case Role::DryBulb:
        return "Ambient Temperature";
    case Role::Pressure:
        return KindOf(PressureInput::Barometric).caption;
    case Role::Altitude:
        return KindOf(PressureInput::Altitude).caption;
    case Role::Humidity:
        break;
    }
    return KindOf(humidityInput).caption;
}

Detection DetectColumns(const FileHead& head, bool british) {
    Detection detection;
    Mapping& mapping = detection.mapping;
    std::optional<std::pair<int, HeaderMeaning>> dryBulb, pressure, altitude;
    std::vector<std::pair<int, HeaderMeaning>> humidity;
    for (std::size_t i = 0; i < head.names.size(); ++i) {
        const std::string_view unitLine =
            i < head.units.size() ? std::string_view(head.units[i]) : std::string_view{};
        const HeaderMeaning meaning = MeaningOf(head.names[i], unitLine);
        const std::pair<int, HeaderMeaning> found{static_cast<int>(i), meaning};
        if (!meaning.role) {
            continue;
        }
        switch (*meaning.role) {
        case Role::DryBulb:
            if (!dryBulb) {
                dryBulb = found;
            }
            break;
        case Role::Pressure:
            if (!pressure) {
                pressure = found;
            }
            break;
        case Role::Altitude:
            if (!altitude) {
                altitude = found;
            }
            break;
        case Role::Humidity:
            humidity.push_back(found);
            break;
        }
    }
    const auto take = [&](Source& source, Role role, HumidityInput input,
                          const std::pair<int, HeaderMeaning>& found) {
        source.column = found.first;
        const std::size_t i = static_cast<std::size_t>(found.first);
        TakeHeaderUnit(source, head.names[i], i < head.units.size() ? head.units[i] : "", role,
                       input, british);
        if (source.unitAssumed) {
            detection.notes.push_back("no unit in the header \"" + head.names[i] + "\": read in " +
                                      source.unit);
        }
    };
    if (dryBulb) {
        take(mapping.dryBulb, Role::DryBulb, HumidityInput::RelativeHumidity, *dryBulb);
    } else {
        detection.problem = "no column of the dry-bulb temperature was found";
    }
    // The most common way of giving the humidity wins when a file gives several.
    constexpr std::array<HumidityInput, 8> kPreference = {
        HumidityInput::RelativeHumidity, HumidityInput::DewPoint,
        HumidityInput::WetBulb,          HumidityInput::HumidityRatio,
        HumidityInput::AbsoluteHumidity, HumidityInput::PartialPressure,
        HumidityInput::MoleFraction,     HumidityInput::MassFraction};
    bool humidityFound = false;
    for (const HumidityInput input : kPreference) {
        for (const auto& found : humidity) {
            if (!humidityFound && found.second.humidityInput == input) {
                mapping.humidityInput = input;
                take(mapping.humidity, Role::Humidity, input, found);
                humidityFound = true;
            }
        }
    }
    if (!humidityFound && detection.problem.empty()) {
        detection.problem = "no column of a humidity quantity was found";
    }
    if (pressure) {
        mapping.pressureInput = PressureInput::Barometric;
        take(mapping.pressure, Role::Pressure, HumidityInput::RelativeHumidity, *pressure);
    } else if (altitude) {
        mapping.pressureInput = PressureInput::Altitude;
        take(mapping.pressure, Role::Altitude, HumidityInput::RelativeHumidity, *altitude);
    } else {
        mapping.pressureInput = PressureInput::Barometric;
        mapping.pressure.value = "101325";
        mapping.pressure.unit = "Pa";
        detection.notes.push_back(
            "no pressure or altitude column: 101325 Pa (sea level) for every row");
    }
    return detection;
}

} // namespace hygrovane::batch
