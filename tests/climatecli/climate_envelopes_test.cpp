// hygrovane-climate --envelope: the envelopes' figures in JSON, CSV and text, a logger's
// excursion known by hand, and the names refused.
#include "program_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace hygrovane::climatecli {
namespace {

using namespace testing;

QJsonDocument JsonOf(const Ran& ran) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(ran.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << ran.out;
    return doc;
}

std::set<std::string> KeysOf(const QJsonObject& object) {
    std::set<std::string> keys;
    for (const QString& key : object.keys()) {
        keys.insert(key.toStdString());
    }
    return keys;
}

TEST(ProgramEnvelopes, JsonListsEachEnvelopeWithTheKeysScriptsRead) {
    const Ran ran =
        RunProgram({"--format", "json", "--envelope", "ashrae-tc99-2021-a1,ashrae-tc99-2011-a1",
                    "--envelope", "ashrae-tc99-2021-a1", ChicagoPath()});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const QJsonDocument doc = JsonOf(ran);
    EXPECT_EQ(doc["records"]["read"].toInt(), 8760); // the figures before are as they were
    const QJsonArray list = doc["envelopes"].toArray();
    ASSERT_EQ(list.size(), 2); // named twice, listed once
    const std::set<std::string> keys = {"name",          "edition",      "hoursInside",
                                        "percentInside", "hoursOutside", "hoursMissing",
                                        "excursions",    "worst",        "months"};
    double inside[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject e = list[i].toObject();
        EXPECT_EQ(KeysOf(e), keys);
        EXPECT_EQ(KeysOf(e["excursions"].toObject()),
                  (std::set<std::string>{"count", "longestHours", "totalHours", "degreeHours",
                                         "gramHours", "percentHours"}));
        EXPECT_EQ(KeysOf(e["worst"].toObject()), (std::set<std::string>{"start", "end"}));
        const double hours = e["hoursInside"].toDouble() + e["hoursOutside"].toDouble() +
                             e["hoursMissing"].toDouble();
        EXPECT_DOUBLE_EQ(hours, 8760);
        EXPECT_NEAR(e["percentInside"].toDouble(), 100 * e["hoursInside"].toDouble() / 8760, 0.005);
        EXPECT_DOUBLE_EQ(e["excursions"]["totalHours"].toDouble(), e["hoursOutside"].toDouble());
        const QJsonArray months = e["months"].toArray();
        ASSERT_EQ(months.size(), 12);
        double monthly = 0;
        for (const auto& month : months) {
            EXPECT_EQ(KeysOf(month.toObject()),
                      (std::set<std::string>{"hoursInside", "percentInside"}));
            monthly += month.toObject()["hoursInside"].toDouble();
        }
        EXPECT_DOUBLE_EQ(monthly, e["hoursInside"].toDouble());
        inside[i] = e["hoursInside"].toDouble();
    }
    EXPECT_EQ(list[0]["name"].toString(), "ashrae-tc99-2021-a1");
    EXPECT_EQ(list[1]["name"].toString(), "ashrae-tc99-2011-a1");
    EXPECT_NE(list[0]["edition"].toString(), list[1]["edition"].toString());
    EXPECT_GT(inside[0], inside[1]); // 2011 ends at 20 % RH, 2021 at -12 degC dew point and 8 %
}

// Two days of half-hourly readings at 24 degC and 30 %; 34 degC at 12:00, 12:30 and 13:00 of the
// first day: one excursion of 1.5 h from 11:30 to 13:00, 2 K beyond A1's 32 degC.
std::string HallLogger() {
    std::string text = "Timestamp,Temp (C),RH (%)\n";
    for (int day = 1; day <= 2; ++day) {
        for (int half = 0; half < 48; ++half) {
            const bool hot = day == 1 && half >= 24 && half <= 26;
            char row[64];
            std::snprintf(row, sizeof row, "2025-07-%02d %02d:%02d,%s,30\n", day, half / 2,
                          half % 2 * 30, hot ? "34" : "24");
            text += row;
        }
    }
    return text;
}

TEST(ProgramEnvelopes, ALoggersExcursionInEachForm) {
    const std::string logger = TemporaryFolder() + "/hall.csv";
    WriteText(logger, HallLogger());
    const Ran json = RunProgram(
        {"--comfort", "none", "--format", "json", "--envelope", "ashrae-tc99-2021-a1", logger});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject a1 = JsonOf(json)["envelopes"][0].toObject();
    EXPECT_DOUBLE_EQ(a1["hoursInside"].toDouble(), 46.5);
    EXPECT_DOUBLE_EQ(a1["hoursOutside"].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(a1["hoursMissing"].toDouble(), 0);
    EXPECT_EQ(a1["excursions"]["count"].toInt(), 1);
    EXPECT_DOUBLE_EQ(a1["excursions"]["longestHours"].toDouble(), 1.5);
    EXPECT_NEAR(a1["excursions"]["degreeHours"].toDouble(), 3.0, 0.005);
    EXPECT_EQ(a1["worst"]["start"].toString(), "2025-07-01T11:30");
    EXPECT_EQ(a1["worst"]["end"].toString(), "2025-07-01T13:00");
    EXPECT_DOUBLE_EQ(a1["months"][6]["percentInside"].toDouble(), 96.88);

    const Ran csv = RunProgram(
        {"--comfort", "none", "--format", "csv", "--envelope", "ashrae-tc99-2021-a1", logger});
    ASSERT_EQ(csv.status, 0) << csv.err;
    for (const char* row : {"envelopes,year,ashrae-tc99-2021-a1,hoursOutside,1.5,h\n",
                            "envelopes,year,ashrae-tc99-2021-a1,degreeHours,3.00,K h\n",
                            "envelopes,year,ashrae-tc99-2021-a1,gramHours,0.00,g/kg h\n",
                            "envelopes,year,ashrae-tc99-2021-a1,worstStart,2025-07-01T11:30,\n",
                            "envelopes,Jul,ashrae-tc99-2021-a1,hoursInside,46.5,h\n"}) {
        EXPECT_NE(csv.out.find(row), std::string::npos) << row << csv.out;
    }

    const Ran text = RunProgram({"--comfort", "none", "--envelope", "ashrae-tc99-2021-a1", logger});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("worst 2025-07-01T11:30 to 2025-07-01T13:00 (1.5 h, 3.0 K h, 0.0 "
                            "g/kg h, 0.0 %RH h)"),
              std::string::npos)
        << text.out;
}

TEST(ProgramEnvelopes, TheFiltersChooseTheReadings) {
    const std::string logger = TemporaryFolder() + "/hall.csv";
    WriteText(logger, HallLogger());
    // Readings from 14:00 on: the excursion is left out.
    const Ran ran = RunProgram({"--comfort", "none", "--hours", "14-24", "--format", "json",
                                "--envelope", "ashrae-tc99-2021-a1", logger});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(JsonOf(ran)["envelopes"][0]["excursions"]["count"].toInt(), 0);
    EXPECT_TRUE(JsonOf(ran)["envelopes"][0]["worst"].isNull());
}

TEST(ProgramEnvelopes, UnknownNamesAreRefusedWithTheNamesThereAre) {
    for (const char* value : {"ashrae-a1", "ashrae-tc99-2021-a1,", ""}) {
        const Ran ran = RunProgram({"--envelope", value, ChicagoPath()});
        EXPECT_EQ(ran.status, 1) << value;
        EXPECT_NE(ran.err.find("--envelope: unknown envelope"), std::string::npos) << ran.err;
        EXPECT_NE(ran.err.find("en16798-1-humidity-iii"), std::string::npos) << ran.err;
        EXPECT_EQ(ran.out, "");
    }
    EXPECT_EQ(RunProgram({ChicagoPath(), "--envelope"}).status, 1);
    // A comfort or collection envelope's input it does not take, or a model refuses.
    for (const char* value : {"ashrae-55-2020-pmv:tpma=20", "ashrae-55-2020-adaptive-80:tpma=40",
                              "ashrae-collections-aa:rh=x"}) {
        const Ran ran = RunProgram({"--envelope", value, ChicagoPath()});
        EXPECT_EQ(ran.status, 1) << value;
        EXPECT_NE(ran.err.find("--envelope: ashrae-"), std::string::npos) << ran.err;
    }
}

TEST(ProgramEnvelopes, ComfortZonesAndCollectionClassesWithTheirInputs) {
    const Ran ran = RunProgram({"--format", "json", "--envelope",
                                "ashrae-55-2020-pmv:clo=1.0:met=1.2,ashrae-55-2020-adaptive-80:"
                                "tpma=15,ashrae-collections-a:rh=50:t=21,ashrae-collections-d",
                                ChicagoPath()});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const QJsonArray list = JsonOf(ran)["envelopes"].toArray();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0]["name"].toString(), "ashrae-55-2020-pmv:clo=1.0:met=1.2");
    EXPECT_EQ(list[2]["edition"].toString().left(31), "ASHRAE Handbook - HVAC Applicat");
    for (const QJsonValue& e : list) {
        EXPECT_DOUBLE_EQ(e["hoursInside"].toDouble() + e["hoursOutside"].toDouble() +
                             e["hoursMissing"].toDouble(),
                         8760)
            << e["name"].toString().toStdString();
        EXPECT_GT(e["hoursInside"].toDouble(), 0) << e["name"].toString().toStdString();
    }
    // Outdoor air against a museum's set point: far out, mostly by the season.
    EXPECT_GT(list[2]["excursions"]["percentHours"].toDouble(), 1000);
}

} // namespace
} // namespace hygrovane::climatecli
