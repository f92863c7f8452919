#include "processfile/process_file.h"

#include "fileio/file_io.h"
#include "hygrovane/formulation_keys.h"
#include "hygrovane/humidity_keys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <array>
#include <cmath>
#include <optional>

namespace hygrovane::processfile {

namespace {

using namespace processes;

constexpr const char* kFormat = "Hygrovane process set";

template <typename Enum> struct Named {
    Enum value;
    const char* name;
};

// The files' humidity keys, the core's table.
constexpr std::array<Named<HumidityInput>, kHumidityInputKeys.size()> kHumidityInputs = [] {
    std::array<Named<HumidityInput>, kHumidityInputKeys.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = {kHumidityInputKeys[i].input, kHumidityInputKeys[i].key};
    }
    return names;
}();
constexpr std::array<Named<PressureInput>, 2> kPressureInputs{{
    {PressureInput::Barometric, "barometric"},
    {PressureInput::Altitude, "altitude"},
}};
// The files' formulation names, the core's table.
constexpr std::array<Named<SatFormulation>, kSatFormulationKeys.size()> kFormulations = [] {
    std::array<Named<SatFormulation>, kSatFormulationKeys.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = {kSatFormulationKeys[i].formulation, kSatFormulationKeys[i].fileName};
    }
    return names;
}();

template <typename Enum, std::size_t N>
QString NameIn(const std::array<Named<Enum>, N>& names, Enum value) {
    for (const auto& named : names) {
        if (named.value == value) {
            return QString::fromUtf8(named.name);
        }
    }
    return {};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonObject ConditionsObject(const PointConditions& c) {
    return {{"dryBulb", c.dryBulb},
            {"humidityInput", NameIn(kHumidityInputs, c.humidityInput)},
            {"humidity", c.humidity}};
}

double ParameterValue(const ProcessParameters& p, Parameter parameter) {
    switch (parameter) {
    case Parameter::LeavingDryBulb:
        return p.leavingDryBulb;
    case Parameter::HeatRate:
        return p.heatRate;
    case Parameter::ApparatusDewPoint:
        return p.apparatusDewPoint;
    case Parameter::BypassFactor:
        return p.bypassFactor;
    case Parameter::RelativeHumidity:
        return p.relativeHumidity;
    case Parameter::HumidityRatio:
        return p.humidityRatio;
    case Parameter::Effectiveness:
        return p.effectiveness;
    case Parameter::SteamTemperature:
        return p.steamTemperature;
    case Parameter::Target:
        break;
    }
    return 0;
}

double* ParameterField(ProcessParameters& p, Parameter parameter) {
    switch (parameter) {
    case Parameter::LeavingDryBulb:
        return &p.leavingDryBulb;
    case Parameter::HeatRate:
        return &p.heatRate;
    case Parameter::ApparatusDewPoint:
        return &p.apparatusDewPoint;
    case Parameter::BypassFactor:
        return &p.bypassFactor;
    case Parameter::RelativeHumidity:
        return &p.relativeHumidity;
    case Parameter::HumidityRatio:
        return &p.humidityRatio;
    case Parameter::Effectiveness:
        return &p.effectiveness;
    case Parameter::SteamTemperature:
        return &p.steamTemperature;
    case Parameter::Target:
        break;
    }
    return nullptr;
}

QJsonArray Names(const std::vector<std::string>& names) {
    QJsonArray array;
    for (const std::string& name : names) {
        array.append(Text(name));
    }
    return array;
}

QJsonObject ProcessObject(const ProcessRecord& record) {
    const KindInfo& info = InfoOf(record.kind);
    QJsonArray flows;
    for (const AirFlow& flow : record.flows) {
        flows.append(QJsonObject{{"unit", Text(NameOf(flow.unit))}, {"value", flow.value}});
    }
    QJsonObject parameters;
    for (Parameter parameter : info.parameters) {
        const QString key = Text(InfoOf(parameter).key);
        parameters[key] = parameter == Parameter::Target
                              ? QJsonValue(ConditionsObject(record.parameters.target))
                              : QJsonValue(ParameterValue(record.parameters, parameter));
    }
    return {{"kind", Text(info.key)},
            {"inlets", Names(record.inlets)},
            {"flows", flows},
            {"parameters", parameters},
            {"outlets", Names(record.outlets)}};
}

// Reads the parts of a file, keeping the first problem it meets.
class Reader {
  public:
    const std::string& problem() const { return problem_; }
    bool failed() const { return !problem_.empty(); }

    bool fail(const std::string& problem) {
        if (problem_.empty()) {
            problem_ = problem;
        }
        return false;
    }

    std::optional<double> number(const QJsonObject& object, const char* key,
                                 const std::string& where) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            fail(where + " has no number \"" + key + "\"");
            return std::nullopt;
        }
        return value.toDouble();
    }

    std::optional<std::string> text(const QJsonObject& object, const char* key,
                                    const std::string& where) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isString()) {
            fail(where + " has no text \"" + key + "\"");
            return std::nullopt;
        }
        return value.toString().toStdString();
    }

    template <typename Enum, std::size_t N>
    std::optional<Enum> named(const std::array<Named<Enum>, N>& names, const QJsonObject& object,
                              const char* key, const std::string& where) {
        const auto name = text(object, key, where);
        if (!name) {
            return std::nullopt;
        }
        for (const auto& entry : names) {
            if (*name == entry.name) {
                return entry.value;
            }
        }
        fail(where + " has an unknown " + key + " \"" + *name + "\"");
        return std::nullopt;
    }

    std::optional<PointConditions> conditions(const QJsonObject& object, const std::string& where) {
        const auto dryBulb = number(object, "dryBulb", where);
        const auto input = named(kHumidityInputs, object, "humidityInput", where);
        const auto humidity = number(object, "humidity", where);
        if (!dryBulb || !input || !humidity) {
            return std::nullopt;
        }
        return PointConditions{*dryBulb, *input, *humidity};
    }

    std::vector<std::string> names(const QJsonObject& object, const char* key,
                                   const std::string& where) {
        std::vector<std::string> names;
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isArray()) {
            fail(where + " has no list \"" + key + "\"");
            return names;
        }
        for (const QJsonValue& name : value.toArray()) {
            if (!name.isString()) {
                fail(where + " has a point in \"" + key + "\" that is not a name");
                return names;
            }
            names.push_back(name.toString().toStdString());
        }
        return names;
    }

    std::optional<ProcessAmbient> ambient(const QJsonObject& root) {
        const QJsonObject object = root.value("ambient").toObject();
        const std::string where = "the pressure and formulation";
        const auto input = named(kPressureInputs, object, "pressureInput", where);
        const auto pressure = number(object, "pressure", where);
        const auto altitude = number(object, "altitude", where);
        const auto formulation = named(kFormulations, object, "formulation", where);
        if (!input || !pressure || !altitude || !formulation) {
            return std::nullopt;
        }
        return ProcessAmbient{*input, *pressure, *altitude, *formulation};
    }

    std::optional<LoadUnits> units(const QJsonObject& root) {
        const QJsonObject object = root.value("units").toObject();
        const auto flow = text(object, "flow", "the units");
        const auto heat = text(object, "heat", "the units");
        const auto water = text(object, "water", "the units");
        if (!flow || !heat || !water) {
            return std::nullopt;
        }
        const auto flowUnit = FlowUnitNamed(*flow);
        const auto heatUnit = HeatUnitNamed(*heat);
        const auto waterUnit = WaterUnitNamed(*water);
        if (!flowUnit || *flowUnit == FlowUnit::Upstream || !heatUnit || !waterUnit) {
            fail("the units name a unit this program does not know");
            return std::nullopt;
        }
        return LoadUnits{*flowUnit, *heatUnit, *waterUnit};
    }

    std::optional<ProcessRecord> process(const QJsonObject& object, const std::string& where) {
        ProcessRecord record;
        const auto key = text(object, "kind", where);
        if (!key) {
            return std::nullopt;
        }
        const auto kind = KindWithKey(*key);
        if (!kind) {
            fail(where + " is of an unknown kind \"" + *key + "\"");
            return std::nullopt;
        }
        record.kind = *kind;
        record.inlets = names(object, "inlets", where);
        record.outlets = names(object, "outlets", where);
        for (const QJsonValue& value : object.value("flows").toArray()) {
            const QJsonObject flow = value.toObject();
            const auto unitName = text(flow, "unit", where + "'s flow");
            const auto unit = unitName ? FlowUnitNamed(*unitName) : std::nullopt;
            const auto amount = number(flow, "value", where + "'s flow");
            if (!unit || !amount) {
                return fail(where + " has a flow in an unknown unit"), std::nullopt;
            }
            record.flows.push_back({*unit, *amount});
        }
        const QJsonObject parameters = object.value("parameters").toObject();
        for (Parameter parameter : InfoOf(*kind).parameters) {
            const char* name = InfoOf(parameter).key.data();
            if (parameter == Parameter::Target) {
                const auto target = conditions(parameters.value(QLatin1String(name)).toObject(),
                                               where + "'s target");
                if (target) {
                    record.parameters.target = *target;
                }
            } else if (const auto value = number(parameters, name, where)) {
                *ParameterField(record.parameters, parameter) = *value;
            }
        }
        if (failed()) {
            return std::nullopt;
        }
        return record;
    }

  private:
    std::string problem_;
};

std::string Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// A format version as the file gives it, whole numbers without a fraction or an exponent.
std::string VersionText(double version) {
    if (version < 1e15) {
        return std::to_string(static_cast<long long>(version));
    }
    return QByteArray::number(version, 'g', QLocale::FloatingPointShortest).toStdString();
}

} // namespace

std::string ProcessSetText(const ProcessSet& set, const LoadUnits& units) {
    const SetRecords records = set.Records();
    QJsonArray points;
    for (const PointRecord& point : records.points) {
        QJsonObject object{{"name", Text(point.name)}};
        if (point.given) {
            const QJsonObject conditions = ConditionsObject(*point.given);
            for (auto it = conditions.begin(); it != conditions.end(); ++it) {
                object.insert(it.key(), it.value());
            }
        }
        points.append(object);
    }
    QJsonArray processes;
    for (const ProcessRecord& process : records.processes) {
        processes.append(ProcessObject(process));
    }
    const ProcessAmbient& a = records.ambient;
    const QJsonObject ambient{{"pressureInput", NameIn(kPressureInputs, a.pressureInput)},
                              {"pressure", a.pressure},
                              {"altitude", a.altitude},
                              {"formulation", NameIn(kFormulations, a.formulation)}};
    const QJsonObject unitNames{{"flow", Text(NameOf(units.flow))},
                                {"heat", Text(NameOf(units.heat))},
                                {"water", Text(NameOf(units.water))}};
    // Compact JSON, one point or process a line: about half the size of Qt's indented form,
    // and still read line by line in a diff.
    std::string text = std::string("{\"format\":\"") + kFormat +
                       "\",\"version\":" + std::to_string(kProcessFileVersion) +
                       ",\n\"ambient\":" + Compact(ambient) + ",\n\"points\":[";
    const auto list = [&text](const QJsonArray& items) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            text += (i == 0 ? "\n" : ",\n") + Compact(items[i].toObject());
        }
        text += "\n]";
    };
    list(points);
    text += ",\n\"processes\":[";
    list(processes);
    text += ",\n\"units\":" + Compact(unitNames) + "\n}\n";
    return text;
}

namespace {

Unexpected<ProcessFileFailure> Refused(ProcessFileFailureKind kind, std::string reason) {
    return Fail(ProcessFileFailure{kind, std::move(reason)});
}

} // namespace

Expected<ProcessSetFile, ProcessFileFailure> ReadProcessSetText(std::string_view text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return Refused(ProcessFileFailureKind::Damaged,
                       std::string("it is damaged or incomplete (") +
                           error.errorString().toStdString() + " at byte " +
                           std::to_string(error.offset) + ")");
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value("format").toString() != kFormat) {
        return Refused(ProcessFileFailureKind::NotAProcessSet, "it is not a Hygrovane process set");
    }
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) ||
        version.toDouble() < 1) {
        return Refused(ProcessFileFailureKind::NoVersion, "it has no valid format version");
    }
    if (version.toDouble() > kProcessFileVersion) {
        return Refused(ProcessFileFailureKind::NewerVersion,
                       std::string("it was written by a newer version of Hygrovane (format "
                                   "version ") +
                           VersionText(version.toDouble()) + "; this version reads " +
                           std::to_string(kProcessFileVersion) + ")");
    }
    Reader reader;
    SetRecords records;
    const auto ambient = reader.ambient(root);
    const auto units = reader.units(root);
    const QJsonArray points = root.value("points").toArray();
    for (qsizetype i = 0; i < points.size() && !reader.failed(); ++i) {
        const QJsonObject point = points[i].toObject();
        const std::string where = "point " + std::to_string(i + 1);
        PointRecord record;
        if (const auto name = reader.text(point, "name", where)) {
            record.name = *name;
        }
        // A point without conditions is a process's outlet.
        if (point.contains("dryBulb")) {
            record.given = reader.conditions(point, where);
        }
        records.points.push_back(std::move(record));
    }
    const QJsonArray processes = root.value("processes").toArray();
    for (qsizetype i = 0; i < processes.size() && !reader.failed(); ++i) {
        if (auto process =
                reader.process(processes[i].toObject(), "process " + std::to_string(i + 1))) {
            records.processes.push_back(std::move(*process));
        }
    }
    if (reader.failed()) {
        return Refused(ProcessFileFailureKind::BadEntry, reader.problem());
    }
    records.ambient = *ambient;
    Outcome<ProcessSet> set = ProcessSet::FromRecords(records);
    if (!set) {
        std::string reason = set.error().message;
        if (!reason.empty() && reason.back() == '.') {
            reason.pop_back();
        }
        return Refused(ProcessFileFailureKind::SetRefused,
                       "its points and processes do not fit together: " + reason);
    }
    return ProcessSetFile{*set, *units};
}

Expected<Done, fileio::FileFailure> SaveProcessSet(const ProcessSet& set, const LoadUnits& units,
                                                   const std::string& path) {
    const std::string text = ProcessSetText(set, units);
    const auto refused = [&path](fileio::FileFailureKind kind, const std::string& reason) {
        return fileio::FileFailure{kind, "The process-set file \"" + path + "\" was not written: " +
                                             reason + "; the file on disk is as it was."};
    };
    if (text.size() > kLargestProcessFile) {
        return Fail(refused(fileio::FileFailureKind::TooLarge,
                            "the set would take " + std::to_string(text.size() / (1024 * 1024)) +
                                " MiB, more than the " +
                                std::to_string(kLargestProcessFile / (1024 * 1024)) +
                                " MiB Hygrovane opens"));
    }
    // What is written must open again as this very set.
    const auto back = ReadProcessSetText(text);
    if (!back) {
        return Fail(refused(fileio::FileFailureKind::Content,
                            "Hygrovane could not open it again, since " + back.error().message));
    }
    const ProcessSetFile& read = *back;
    if (read.set.Records() != set.Records() || read.units != units) {
        return Fail(refused(fileio::FileFailureKind::Content,
                            "it would not open again as the set on screen"));
    }
    return fileio::WriteWholeFile(path, text, "process-set file");
}

Expected<ProcessSetFile, fileio::FileFailure> OpenProcessSet(const std::string& path) {
    const auto bytes = fileio::ReadSmallFile(path, kLargestProcessFile, "process-set file");
    if (!bytes) {
        return Fail(bytes.error());
    }
    auto outcome = ReadProcessSetText(*bytes);
    if (!outcome) {
        return Fail(fileio::FileFailure{fileio::FileFailureKind::Content,
                                        "The process-set file \"" + path +
                                            "\" could not be opened: " + outcome.error().message +
                                            "."});
    }
    return std::move(outcome.value());
}

} // namespace hygrovane::processfile
