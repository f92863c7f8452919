#include "unitfile/unit_file.h"

#include "text/number_text.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <initializer_list>
#include <optional>

namespace hygrovane::unitfile {

using airunit::EconomizerKind;
using airunit::FlowUnit;
using airunit::Recovery;
using airunit::RoomHumidity;
using airunit::UnitSetting;
using airunit::UnitSettings;

namespace {

std::string Number(double x) {
    return std::isfinite(x) ? text::ShortestText(x) : "null";
}

std::string Quoted(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

std::string Path(const std::string& where, const char* key) {
    return where.empty() ? std::string(key) : where + "." + key;
}

// Reads the parts of a text, keeping the first problem it meets.
class Reader {
  public:
    bool failed() const { return failure_.has_value(); }
    const UnitTextFailure& failure() const { return *failure_; }

    void fail(const std::string& key, const std::string& reason) {
        if (!failure_) {
            failure_ = UnitTextFailure{key, key.empty() ? reason : Quoted(key) + ": " + reason};
        }
    }

    // Refuses a key of `object` that is not among `known`.
    void onlyKeys(const QJsonObject& object, const std::string& where,
                  std::initializer_list<const char*> known) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string key = it.key().toStdString();
            bool found = false;
            for (const char* k : known) {
                found = found || key == k;
            }
            if (!found) {
                fail(Path(where, key.c_str()), "unknown key");
            }
        }
    }

    std::optional<QJsonObject> object(const QJsonObject& parent, const std::string& where,
                                      const char* key, bool required = true) {
        const std::optional<QJsonValue> value =
            member(parent, where, key, required, &QJsonValue::isObject, "must be an object");
        return value ? std::optional(value->toObject()) : std::nullopt;
    }

    std::optional<double> number(const QJsonObject& parent, const std::string& where,
                                 const char* key, bool required = true) {
        const std::optional<QJsonValue> value =
            member(parent, where, key, required, &QJsonValue::isDouble, "must be a number");
        return value ? std::optional(value->toDouble()) : std::nullopt;
    }

    std::optional<std::string> text(const QJsonObject& parent, const std::string& where,
                                    const char* key) {
        const std::optional<QJsonValue> value =
            member(parent, where, key, true, &QJsonValue::isString, "must be a text");
        return value ? std::optional(value->toString().toStdString()) : std::nullopt;
    }

  private:
    // A member of the kind `isKind` tells, or a refusal naming its path: missing (when required)
    // or of the wrong kind.
    std::optional<QJsonValue> member(const QJsonObject& parent, const std::string& where,
                                     const char* key, bool required,
                                     bool (QJsonValue::*isKind)() const, const char* wrongKind) {
        const QJsonValue value = parent.value(QLatin1String(key));
        if (value.isUndefined()) {
            if (required) {
                fail(Path(where, key), "missing key");
            }
            return std::nullopt;
        }
        if (!(value.*isKind)()) {
            fail(Path(where, key), wrongKind);
            return std::nullopt;
        }
        return value;
    }

    std::optional<UnitTextFailure> failure_;
};

void ReadFormat(Reader& reader, const QJsonObject& root) {
    const auto version = reader.number(root, "", "format", false);
    if (!version) {
        return;
    }
    if (*version != std::floor(*version) || *version < 1) {
        reader.fail("format", "must be a whole number of at least 1");
    } else if (*version > kUnitFileVersion) {
        reader.fail("format", Number(*version) + " is a newer format than this version reads (" +
                                  std::to_string(kUnitFileVersion) + ")");
    }
}

void ReadRoom(Reader& reader, const QJsonObject& root, UnitSettings& s) {
    const auto room = reader.object(root, "", "room");
    if (!room) {
        return;
    }
    reader.onlyKeys(*room, "room", {"dryBulb", "relativeHumidity", "dewPoint"});
    if (const auto t = reader.number(*room, "room", "dryBulb")) {
        s.roomDryBulb = *t;
    }
    const bool byRh = room->contains("relativeHumidity");
    const bool byDewPoint = room->contains("dewPoint");
    if (byRh == byDewPoint) {
        reader.fail("room", "must give exactly one of \"relativeHumidity\" and \"dewPoint\"");
        return;
    }
    s.roomHumidityKind = byRh ? RoomHumidity::RelativeHumidity : RoomHumidity::DewPoint;
    if (const auto h = reader.number(*room, "room", byRh ? "relativeHumidity" : "dewPoint")) {
        s.roomHumidity = *h;
    }
}

void ReadSupply(Reader& reader, const QJsonObject& root, UnitSettings& s) {
    const auto supply = reader.object(root, "", "supply");
    if (!supply) {
        return;
    }
    reader.onlyKeys(*supply, "supply", {"dryBulb", "maxDewPoint", "minDewPoint"});
    if (const auto t = reader.number(*supply, "supply", "dryBulb")) {
        s.supplyDryBulb = *t;
    }
    s.maxDewPoint = reader.number(*supply, "supply", "maxDewPoint", false);
    s.minDewPoint = reader.number(*supply, "supply", "minDewPoint", false);
}

void ReadFlow(Reader& reader, const QJsonObject& root, UnitSettings& s) {
    const auto flow = reader.object(root, "", "flow");
    if (!flow) {
        return;
    }
    reader.onlyKeys(*flow, "flow", {"value", "unit"});
    if (const auto value = reader.number(*flow, "flow", "value")) {
        s.flow = *value;
    }
    if (const auto name = reader.text(*flow, "flow", "unit")) {
        if (const auto unit = airunit::FlowUnitNamed(*name)) {
            s.flowUnit = *unit;
        } else {
            reader.fail("flow.unit", "\"" + *name + "\" is no flow unit (kg/s, m3/h, m3/s, cfm)");
        }
    }
}

void ReadEconomizer(Reader& reader, const QJsonObject& root, UnitSettings& s) {
    const auto economizer = reader.object(root, "", "economizer");
    if (!economizer) {
        return;
    }
    reader.onlyKeys(*economizer, "economizer", {"kind", "limit"});
    const auto name = reader.text(*economizer, "economizer", "kind");
    if (!name) {
        return;
    }
    const auto kind = airunit::EconomizerKindNamed(*name);
    if (!kind) {
        reader.fail("economizer.kind",
                    "\"" + *name +
                        "\" is no economizer kind (none, fixed-dry-bulb, differential-dry-bulb, "
                        "differential-enthalpy, fixed-enthalpy)");
        return;
    }
    s.economizer = *kind;
    if (airunit::HasLimit(*kind)) {
        if (const auto limit = reader.number(*economizer, "economizer", "limit")) {
            s.economizerLimit = *limit;
        }
    } else if (economizer->contains("limit")) {
        reader.fail("economizer.limit", "the kind \"" + *name + "\" has no limit");
    }
}

void ReadRecovery(Reader& reader, const QJsonObject& root, UnitSettings& s) {
    const QJsonValue value = root.value("recovery");
    s.recovery.reset();
    if (value.isUndefined() || value.isNull()) {
        return;
    }
    const auto recovery = reader.object(root, "", "recovery");
    if (!recovery) {
        return;
    }
    reader.onlyKeys(*recovery, "recovery", {"sensible", "latent"});
    const auto sensible = reader.number(*recovery, "recovery", "sensible");
    const auto latent = reader.number(*recovery, "recovery", "latent");
    if (sensible && latent) {
        s.recovery = Recovery{*sensible, *latent};
    }
}

} // namespace

std::string KeyOf(UnitSetting setting, RoomHumidity roomHumidity) {
    switch (setting) {
    case UnitSetting::RoomDryBulb:
        return "room.dryBulb";
    case UnitSetting::RoomHumidity:
        return roomHumidity == RoomHumidity::RelativeHumidity ? "room.relativeHumidity"
                                                              : "room.dewPoint";
    case UnitSetting::SupplyDryBulb:
        return "supply.dryBulb";
    case UnitSetting::MaxDewPoint:
        return "supply.maxDewPoint";
    case UnitSetting::MinDewPoint:
        return "supply.minDewPoint";
    case UnitSetting::Flow:
        return "flow.value";
    case UnitSetting::MinOutdoorFraction:
        return "minOutdoorFraction";
    case UnitSetting::EconomizerLimit:
        return "economizer.limit";
    case UnitSetting::RecoverySensible:
        return "recovery.sensible";
    case UnitSetting::RecoveryLatent:
        return "recovery.latent";
    case UnitSetting::CoilLeavingRelativeHumidity:
        return "coilLeavingRelativeHumidity";
    case UnitSetting::SteamTemperature:
        return "steamTemperature";
    }
    return "";
}

namespace {

// The top-level members in the file's order, each as `"key":value`.
std::vector<std::string> Members(const UnitSettings& s) {
    const bool byRh = s.roomHumidityKind == RoomHumidity::RelativeHumidity;
    std::string supply = "{\"dryBulb\":" + Number(s.supplyDryBulb);
    if (s.maxDewPoint) {
        supply += ",\"maxDewPoint\":" + Number(*s.maxDewPoint);
    }
    if (s.minDewPoint) {
        supply += ",\"minDewPoint\":" + Number(*s.minDewPoint);
    }
    supply += "}";
    std::string economizer = "{\"kind\":\"" + std::string(airunit::KeyOf(s.economizer)) + "\"";
    if (airunit::HasLimit(s.economizer)) {
        economizer += ",\"limit\":" + Number(s.economizerLimit);
    }
    economizer += "}";
    const std::string recovery = s.recovery ? "{\"sensible\":" + Number(s.recovery->sensible) +
                                                  ",\"latent\":" + Number(s.recovery->latent) + "}"
                                            : "null";
    return {
        "\"format\":" + std::to_string(kUnitFileVersion),
        "\"room\":{\"dryBulb\":" + Number(s.roomDryBulb) + ",\"" +
            (byRh ? "relativeHumidity" : "dewPoint") + "\":" + Number(s.roomHumidity) + "}",
        "\"supply\":" + supply,
        "\"flow\":{\"value\":" + Number(s.flow) + ",\"unit\":\"" + airunit::KeyOf(s.flowUnit) +
            "\"}",
        "\"minOutdoorFraction\":" + Number(s.minOutdoorFraction),
        "\"economizer\":" + economizer,
        "\"recovery\":" + recovery,
        "\"coilLeavingRelativeHumidity\":" + Number(s.coilLeavingRelativeHumidity),
        "\"steamTemperature\":" + Number(s.steamTemperature),
    };
}

std::string Joined(const UnitSettings& s, const char* separator) {
    std::string text = "{";
    bool first = true;
    for (const std::string& member : Members(s)) {
        text += (first ? "" : separator) + member;
        first = false;
    }
    return text + "}";
}

} // namespace

std::string SettingsJson(const UnitSettings& settings) {
    return Joined(settings, ",");
}

std::string UnitText(const UnitSettings& settings) {
    return Joined(settings, ",\n ") + "\n";
}

Expected<UnitSettings, UnitTextFailure> ReadUnitText(std::string_view text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return Fail(UnitTextFailure{{},
                                    "it is damaged or incomplete (" +
                                        error.errorString().toStdString() + " at byte " +
                                        std::to_string(error.offset) + ")"});
    }
    if (!document.isObject()) {
        return Fail(UnitTextFailure{{}, "it is not a JSON object"});
    }
    const QJsonObject root = document.object();
    Reader reader;
    reader.onlyKeys(root, "",
                    {"format", "room", "supply", "flow", "minOutdoorFraction", "economizer",
                     "recovery", "coilLeavingRelativeHumidity", "steamTemperature"});
    ReadFormat(reader, root);
    UnitSettings s;
    ReadRoom(reader, root, s);
    ReadSupply(reader, root, s);
    ReadFlow(reader, root, s);
    if (const auto f = reader.number(root, "", "minOutdoorFraction")) {
        s.minOutdoorFraction = *f;
    }
    ReadEconomizer(reader, root, s);
    ReadRecovery(reader, root, s);
    if (const auto phi = reader.number(root, "", "coilLeavingRelativeHumidity", false)) {
        s.coilLeavingRelativeHumidity = *phi;
    }
    if (const auto t = reader.number(root, "", "steamTemperature", false)) {
        s.steamTemperature = *t;
    }
    if (reader.failed()) {
        return Fail(reader.failure());
    }
    if (const auto checked = airunit::Check(s); !checked) {
        const std::string key = KeyOf(checked.error().kind, s.roomHumidityKind);
        return Fail(UnitTextFailure{key, Quoted(key) + ": " + airunit::Describe(checked.error())});
    }
    return s;
}

Expected<Done, fileio::FileFailure> SaveUnit(const UnitSettings& settings,
                                             const std::string& path) {
    const std::string text = UnitText(settings);
    UnitSettings written = settings; // a limit its kind does not use is not written
    if (!airunit::HasLimit(written.economizer)) {
        written.economizerLimit = UnitSettings{}.economizerLimit;
    }
    const auto back = ReadUnitText(text);
    if (!back || *back != written) {
        const std::string reason =
            back ? "it would not open again as these settings"
                 : "Hygrovane could not open it again, since " + back.error().message;
        return Fail(fileio::FileFailure{fileio::FileFailureKind::Content,
                                        "The unit file \"" + path + "\" was not written: " +
                                            reason + "; the file on disk is as it was."});
    }
    return fileio::WriteWholeFile(path, text, "unit file");
}

Expected<UnitSettings, fileio::FileFailure> OpenUnit(const std::string& path) {
    const auto bytes = fileio::ReadSmallFile(path, kLargestUnitFile, "unit file");
    if (!bytes) {
        return Fail(bytes.error());
    }
    auto settings = ReadUnitText(*bytes);
    if (!settings) {
        return Fail(fileio::FileFailure{fileio::FileFailureKind::Content,
                                        "The unit file \"" + path + "\" could not be opened: " +
                                            settings.error().message + "."});
    }
    return std::move(settings.value());
}

} // namespace hygrovane::unitfile
