// The written figures read back: CSV by an RFC 4180 reader, JSON by Qt's, both giving the counts
// and design conditions of the result; text, quoting and units.
#include "analysis_support.h"
#include "climateanalysis/result_writers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

namespace hygrovane::climateanalysis {
namespace {

using testing::Analysed;
using testing::CsvRows;

const ClimateResult& Result() {
    static const ClimateResult result = [] {
        ClimateSettings settings;
        settings.comfort.model = ComfortModel::Fixed;
        settings.strategies = {comfort::Strategy::EvaporativeCooling,
                               comfort::Strategy::ThermalMass};
        settings.filter.firstMonth = 5;
        settings.filter.lastMonth = 9;
        ClimateResult r = Analysed(settings);
        r.source = "chicago.epw";
        return r;
    }();
    return result;
}

// The CSV's value for (section, period, item, measure), by its rows.
using CsvKey = std::tuple<std::string, std::string, std::string, std::string>;
std::map<CsvKey, std::string> CsvValues(const std::string& csv) {
    std::map<CsvKey, std::string> values;
    const auto rows = CsvRows(csv);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].size(), 6u) << "row " << i;
        if (rows[i].size() == 6) {
            values[CsvKey(rows[i][0], rows[i][1], rows[i][2], rows[i][3])] = rows[i][4];
        }
    }
    return values;
}

// A comma-free call for the assertion macros; empty when the row is absent (and a failure).
std::string Value(const std::map<CsvKey, std::string>& values, const std::string& section,
                  const std::string& period, const std::string& item, const std::string& measure) {
    const auto found = values.find({section, period, item, measure});
    EXPECT_NE(found, values.end())
        << section << " / " << period << " / " << item << " / " << measure;
    return found == values.end() ? std::string() : found->second;
}

TEST(Writers, CsvReadsBackToTheResultsFigures) {
    const ClimateResult& r = Result();
    const std::string csv = ResultCsv(r);
    const auto rows = CsvRows(csv);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"section", "period", "item", "measure", "value", "unit"}));
    auto values = CsvValues(csv);
    EXPECT_EQ(Value(values, "records", "", "read", "count"), "8760");
    const climate::ZoneCounts& c = r.zones.total;
    for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
        SCOPED_TRACE(r.zones.names[z]);
        EXPECT_EQ(Value(values, "zones", "year", r.zones.names[z], "hours"),
                  std::to_string(c.inZone[z]));
        EXPECT_EQ(Value(values, "zones", "year", r.zones.names[z], "only hours"),
                  std::to_string(c.onlyZone[z]));
        EXPECT_NEAR(std::stod(Value(values, "zones", "year", r.zones.names[z], "percent")),
                    c.Percent(c.inZone[z]), 0.005);
    }
    const std::pair<const char*, std::size_t> totals[] = {
        {"union", c.inUnion},      {"too warm", c.tooWarm}, {"too cool", c.tooCool},
        {"too humid", c.tooHumid}, {"missing", c.missing},  {"filtered", c.hours}};
    for (const auto& [item, hours] : totals) {
        EXPECT_EQ(Value(values, "zones", "year", item, "hours"), std::to_string(hours)) << item;
    }
    EXPECT_EQ(Value(values, "zones", "Jul", "filtered", "hours"), "744");
    EXPECT_EQ(Value(values, "zones", "Jan", "filtered", "hours"), "0");
    ASSERT_TRUE(r.design);
    EXPECT_NEAR(
        std::stod(Value(values, "design from this file's hours", "", "cooling 0.4 %", "dry bulb")),
        r.design->cooling[0].dryBulb - 273.15, 0.005);
    EXPECT_EQ(Value(values, "design published in the header", "", "heating 99.6 %", "dry bulb"),
              "-20.00");
    EXPECT_EQ(Value(values, "design published in the header", "", "cooling 1 %",
                    "mean coincident wet bulb"),
              "23.00");
}

TEST(Writers, JsonReadsBackToTheResultsFigures) {
    const ClimateResult& r = Result();
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(ResultJson(r)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = doc.object();
    EXPECT_EQ(root["source"].toString(), "chicago.epw");
    EXPECT_EQ(root["records"]["read"].toInt(), 8760);
    const QJsonObject year = root["zones"]["year"].toObject();
    EXPECT_EQ(year["hours"].toInt(), static_cast<int>(r.zones.total.hours));
    EXPECT_EQ(year["union"].toInt(), static_cast<int>(r.zones.total.inUnion));
    EXPECT_EQ(year["tooHumid"].toInt(), static_cast<int>(r.zones.total.tooHumid));
    const QJsonArray names = root["zones"]["names"].toArray();
    ASSERT_EQ(names.size(), static_cast<qsizetype>(r.zones.names.size()));
    for (qsizetype z = 0; z < names.size(); ++z) {
        EXPECT_EQ(names[z].toString().toStdString(), r.zones.names[static_cast<std::size_t>(z)]);
        EXPECT_EQ(year["onlyZone"][z].toInt(),
                  static_cast<int>(r.zones.total.onlyZone[static_cast<std::size_t>(z)]));
    }
    const QJsonArray months = root["zones"]["months"].toArray();
    ASSERT_EQ(months.size(), 12);
    int sum = 0;
    for (const QJsonValue& month : months) {
        sum += month["hours"].toInt();
    }
    EXPECT_EQ(sum, year["hours"].toInt());
    // 0.4, 1, 2 %: dry bulb and MCWB, wet bulb and MCDB, dew point, its W and MCDB, enthalpy;
    // and the two heating dry bulbs.
    EXPECT_EQ(root["designFromThisFilesHours"]["figures"].toArray().size(), 3 * 8 + 2);
    EXPECT_EQ(root["designPublishedInTheHeader"]["figures"][0]["value"].toDouble(), 33.3);
}

struct JsonSettingRow {
    const char* name;
    std::vector<const char*> path; // keys from "settings"
    double value;
    const char* unit; // nullptr for a plain number
};

TEST(Writers, JsonCarriesTheSettingsAsNumbersWithUnits) {
    ClimateSettings settings;
    settings.comfort.model = ComfortModel::Ashrae55;
    settings.comfort.metabolic = 1.3;
    settings.comfort.clothing = 0.7;
    settings.comfort.airSpeed = 0.4;
    settings.filter.firstMonth = 11;
    settings.filter.lastMonth = 2;
    settings.filter.fromHour = 8;
    settings.filter.toHour = 18;
    settings.filter.ranges = {{climate::Computed::DryBulb, 263.15, 303.15}};
    ClimateResult r = Analysed(settings);
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(ResultJson(r)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = doc.object();
    EXPECT_EQ(root["format"].toInt(), 2);
    const QJsonObject s = root["settings"].toObject();
    const JsonSettingRow rows[] = {
        {"metabolic rate", {"metabolicRate", "value"}, 1.3, "met"},
        {"clothing", {"clothing", "value"}, 0.7, "clo"},
        {"air speed", {"airSpeed", "value"}, 0.4, "m/s"},
        {"radiant offset", {"radiantOffset", "value"}, 0, "K"},
        {"PMV limit", {"pmvLimit"}, 0.5, nullptr},
        {"first month", {"filterValues", "firstMonth"}, 11, nullptr},
        {"last month", {"filterValues", "lastMonth"}, 2, nullptr},
        {"from hour", {"filterValues", "fromHour"}, 8, nullptr},
        {"to hour", {"filterValues", "toHour"}, 18, nullptr},
        {"a range's minimum", {"filterValues", "ranges", "0", "minimum"}, 263.15, "K"},
    };
    for (const JsonSettingRow& row : rows) {
        SCOPED_TRACE(row.name);
        QJsonValue value = s;
        QJsonValue parent;
        for (const char* key : row.path) {
            parent = value;
            value = key[0] >= '0' && key[0] <= '9' ? value.toArray()[std::atoi(key)]
                                                   : value.toObject()[key];
        }
        ASSERT_TRUE(value.isDouble());
        EXPECT_NEAR(value.toDouble(), row.value, 1e-9);
        if (row.unit) {
            EXPECT_EQ(parent["unit"].toString().toStdString(), row.unit);
        }
    }
    EXPECT_EQ(s["filterValues"]["ranges"][0]["quantity"].toString(), "dry bulb");
    EXPECT_FALSE(s["filterValues"]["occupiedOnly"].toBool(true));
    EXPECT_TRUE(s["ppdLimit"].isNull());
    // The prose stays beside the numbers.
    EXPECT_TRUE(s["comfort"].toString().contains("1.3 met"));
    EXPECT_TRUE(s["filter"].toString().startsWith("months 11-2"));
    // Each month says which it is.
    const QJsonArray months = root["zones"]["months"].toArray();
    ASSERT_EQ(months.size(), 12);
    for (qsizetype m = 0; m < 12; ++m) {
        EXPECT_EQ(months[m]["month"].toInt(), m + 1);
        EXPECT_EQ(months[m]["monthName"].toString().toStdString(),
                  MonthAbbreviation(static_cast<int>(m + 1)));
    }
}

TEST(Writers, TextsNeedingQuotesAndMissingNumbersStayReadable) {
    ClimateResult r = Result();
    r.location.city = "O'Hare, \"Chicago\"\tIL\n";
    r.published = {};
    r.published.layout = climate::DesignConditions::Layout::Handbook2009;
    r.published.heating99_6 = -20.0; // the rest missing
    const auto values = CsvValues(ResultCsv(r));
    EXPECT_EQ(Value(values, "location", "", "city", ""), r.location.city);
    EXPECT_EQ(Value(values, "design published in the header", "", "heating 99 %", "dry bulb"), "");

    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(ResultJson(r)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(doc["location"]["city"].toString().toStdString(), r.location.city);
    EXPECT_TRUE(doc["designPublishedInTheHeader"]["figures"][1]["value"].isNull());

    r.published = {};
    r.design.reset();
    const QJsonDocument none = QJsonDocument::fromJson(QByteArray::fromStdString(ResultJson(r)));
    EXPECT_TRUE(none["designPublishedInTheHeader"].isNull());
    EXPECT_TRUE(none["designFromThisFilesHours"].isNull());
    EXPECT_NE(ResultText(r).find("published in the file's header: none"), std::string::npos);
}

TEST(Writers, TextNamesThePlaceTheCountsAndBothDesignConditions) {
    const std::string text = ResultText(Result());
    for (const char* expected :
         {"Chicago Ohare Intl Ap, IL, USA", "WMO 725300", "Records read: 8760; missing: 0",
          "from the dry bulb and the relative humidity", "Winter comfort", "Evaporative cooling",
          "Thermal mass", "In the union of the zones", "Design conditions from this file's hours",
          "Design conditions published in the file's header", "33.3 / 23.7", "Jul"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    EXPECT_EQ(text.find("Jan "), std::string::npos) << "a month outside the filter is listed";
}

TEST(Writers, IpUnitsConvertEveryFigure) {
    ClimateResult ip = Result();
    ip.settings.units = Units::IP;
    auto si = CsvValues(ResultCsv(Result()));
    auto inIp = CsvValues(ResultCsv(ip));
    const CsvKey cooling{"design published in the header", "", "cooling 0.4 %", "dry bulb"};
    EXPECT_NEAR(std::stod(inIp[cooling]), std::stod(si[cooling]) * 9 / 5 + 32, 0.006);
    const CsvKey ratio{"design from this file's hours", "", "dew point 1 %", "humidity ratio"};
    EXPECT_NEAR(std::stod(inIp[ratio]), std::stod(si[ratio]) * 7, 0.05);
    const CsvKey enthalpy{"design from this file's hours", "", "enthalpy 2 %", "enthalpy"};
    EXPECT_NEAR(std::stod(inIp[enthalpy]), std::stod(si[enthalpy]) * 0.42992, 0.01);
}

} // namespace
} // namespace hygrovane::climateanalysis
