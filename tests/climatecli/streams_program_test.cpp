// hygrovane-climate --stream as a user runs it: an AHU's logged week in one file and its supply
// in another, the JSON keys scripts read, the faulty mixed-air sensor's hours, the options
// refused with their exit status, and nothing written when a stream cannot be read.
#include "program_support.h"

#include "hygrovane/relations.h"
#include "text/number_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace hygrovane::climatecli {
namespace {

using namespace testing;

std::string Stamp(int hour, int minute) {
    char text[32];
    std::snprintf(text, sizeof text, "2025-03-%02d %02d:%02d", 3 + hour / 24, hour % 24, minute);
    return text;
}

// A week of hourly readings: outdoor, return and mixed air (at a fraction of 0.3) in one file,
// the mixed-air sensor 15 K warm on 5 March from 10:00 to 15:00; the supply in another file,
// logged a minute after each hour.
struct Week {
    std::string unit, supply;
};

Week LoggedWeek() {
    Week w;
    w.unit = "Timestamp,OA Temp (°C),OA Humidity Ratio (g/kg),RA Temp (°C),RA Humidity Ratio "
             "(g/kg),MA Temp (°C),MA Humidity Ratio (g/kg)\n";
    w.supply = "Timestamp,Temp (°C),RH (%)\n";
    for (int i = 0; i < 7 * 24; ++i) {
        const double day = 2 * M_PI * i / 24;
        const double to = 5 + 5 * std::sin(day), Wo = 3 + 0.5 * std::cos(day);
        const double tr = 22 + 0.5 * std::sin(day / 3), Wr = 8 + 0.2 * std::cos(day / 5);
        const double Wm = 0.3 * Wo + 0.7 * Wr;
        const double hm = 0.3 * *EnthalpyAt(to + kCelsiusOffset, Wo / 1000) +
                          0.7 * *EnthalpyAt(tr + kCelsiusOffset, Wr / 1000);
        double tm = *DryBulbFromEnthalpy(hm, Wm / 1000) - kCelsiusOffset;
        if (i >= 2 * 24 + 10 && i < 2 * 24 + 16) {
            tm += 15;
        }
        w.unit += Stamp(i, 0) + "," + text::ShortestText(to) + "," + text::ShortestText(Wo) + "," +
                  text::ShortestText(tr) + "," + text::ShortestText(Wr) + "," +
                  text::ShortestText(tm) + "," + text::ShortestText(Wm) + "\n";
        w.supply += Stamp(i, 1) + "," + text::ShortestText(16 + std::sin(day)) + "," +
                    text::ShortestText(60 + 5 * std::cos(day)) + "\n";
    }
    return w;
}

struct Files {
    std::string folder, unit, supply;
};

Files WriteWeek() {
    Files f;
    f.folder = TemporaryFolder();
    f.unit = f.folder + "/ahu.csv";
    f.supply = f.folder + "/supply.csv";
    const Week w = LoggedWeek();
    WriteText(f.unit, w.unit);
    WriteText(f.supply, w.supply);
    return f;
}

std::vector<std::string> WeekArguments(const Files& f) {
    return {f.unit,     "--stream", "outdoor=OA", "--stream",      "return=RA",          "--stream",
            "mixed=MA", "--stream", "supply=",    "--stream-file", "supply=" + f.supply, "--flow",
            "2"};
}

TEST(StreamsProgram, TheFaultyMixedSensorsHoursInTheJsonKeys) {
    const Files f = WriteWeek();
    std::vector<std::string> args = WeekArguments(f);
    args.insert(args.end(), {"--format", "json"});
    const Ran ran = RunProgram(args);
    ASSERT_EQ(ran.status, 0) << ran.err;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(ran.out));
    const QJsonObject s = document.object()["streams"].toObject();
    EXPECT_EQ(s["steps"].toInt(), 168);
    EXPECT_DOUBLE_EQ(s["hours"].toDouble(), 168);
    const QJsonObject faults = s["faultHours"].toObject();
    EXPECT_DOUBLE_EQ(faults["mixedOutsideRange"].toDouble(), 6);
    EXPECT_DOUBLE_EQ(faults["fractionsDisagree"].toDouble(), 6);
    EXPECT_DOUBLE_EQ(faults["offMixingLine"].toDouble(), 6);
    EXPECT_DOUBLE_EQ(faults["supplyWarmerThanSource"].toDouble(), 0);
    EXPECT_DOUBLE_EQ(faults["relativeHumidityAbove100"].toDouble(), 0);
    EXPECT_DOUBLE_EQ(faults["frozenSensor"].toDouble(), 0);
    EXPECT_EQ(faults.size(), 6);
    // When: one period, from the first flagged reading to the last.
    const QJsonArray periods = s["faultPeriods"].toObject()["mixedOutsideRange"].toArray();
    ASSERT_EQ(periods.size(), 1);
    EXPECT_EQ(periods[0].toObject()["start"].toString(), "2025-03-05 10:00");
    EXPECT_EQ(periods[0].toObject()["end"].toString(), "2025-03-05 15:00");
    EXPECT_DOUBLE_EQ(periods[0].toObject()["hours"].toDouble(), 6);
    EXPECT_TRUE(s["faultPeriods"].toObject()["frozenSensor"].toArray().isEmpty());
    // The six faulty hours stay out of the mean: the other 162 hours' fraction.
    EXPECT_NEAR(s["outdoorFractionMean"].toDouble(), 0.3, 1e-9);
    EXPECT_DOUBLE_EQ(s["outdoorFractionHours"].toDouble(), 162);
    EXPECT_TRUE(s["effectivenessSensibleMean"].isNull()); // no exchanger logged
    EXPECT_TRUE(s["coil"].toObject().contains("totalKWh"));
    EXPECT_DOUBLE_EQ(s["gapHours"].toObject()["supply"].toDouble(), 0); // a minute off: nearest
}

TEST(StreamsProgram, TextAndCsvNameTheFigures) {
    const Files f = WriteWeek();
    std::vector<std::string> text = WeekArguments(f);
    const Ran asText = RunProgram(text);
    ASSERT_EQ(asText.status, 0) << asText.err;
    EXPECT_NE(asText.out.find("mixedOutsideRange 6.00\n    2025-03-05 10:00 to 2025-03-05 15:00 "
                              "(6.00 h)\n"),
              std::string::npos)
        << asText.out;
    EXPECT_NE(asText.err.find("MA Temp"), std::string::npos) << asText.err; // the columns taken
    text.insert(text.end(), {"--format", "csv"});
    const Ran asCsv = RunProgram(text);
    ASSERT_EQ(asCsv.status, 0) << asCsv.err;
    EXPECT_EQ(asCsv.out.rfind("section,period,item,measure,value,unit\n", 0), 0u);
    EXPECT_NE(asCsv.out.find("streams,all,mixedOutsideRange,hours,6,h\n"), std::string::npos)
        << asCsv.out;
}

TEST(StreamsProgram, RefusedOptionsAndInputsWithTheirStatus) {
    const Files f = WriteWeek();
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* words;
    };
    const std::string out = f.folder + "/out.json";
    for (const Row& row : {
             Row{{f.unit, "--flow", "2"}, 1, "--flow needs a --stream"},
             Row{{f.unit, "--stream", "mixing=MA"}, 1, "NAME outdoor, return, mixed"},
             Row{{f.unit, "--stream", "mixed=MA", "--stream", "mixed=OA"}, 1, "given twice"},
             Row{{f.unit, "--stream", "mixed=MA", "--envelope", "ashrae-tc99-2021-a1"},
                 1,
                 "--envelope does not apply with --stream"},
             Row{{f.unit, "--stream", "mixed=MA", "--stream-file", "supply=" + f.supply},
                 1,
                 "needs --stream supply=PREFIX"},
             Row{{f.unit, "--stream", "mixed=MA", "--align", "sideways"}, 1, "nearest or linear"},
             Row{{f.unit, "--stream", "mixed=SA", "-o", out}, 2, "no column name starts with"},
             Row{{f.unit, "--stream", "mixed=MA", "--stream", "supply=", "--stream-file",
                  "supply=" + f.folder + "/none.csv", "-o", out},
                 2,
                 "none.csv"},
             Row{{f.unit, "--stream", "mixed=MA", "-o", f.folder + "/no folder/out.json"},
                 3,
                 "out.json"},
         }) {
        const Ran ran = RunProgram(row.args);
        EXPECT_EQ(ran.status, row.status) << row.words << ": " << ran.err;
        EXPECT_NE(ran.err.find(row.words), std::string::npos) << ran.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << row.words;
    }
}

} // namespace
} // namespace hygrovane::climatecli
