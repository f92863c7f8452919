// The built hygrovane-climate run as a user runs it: its statuses, what it prints and where, the
// published counts through the options, damaged files refused by line, and -o that either writes
// the whole file or leaves the old one as it was.
#include "program_support.h"
#include "text_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace hygrovane::climatecli {
namespace {

using namespace testing;
using hygrovane::testing::Joined;
using hygrovane::testing::LinesOf;

// Chicago with one data line (1-based line number) changed by `edit`.
template <typename Edit> std::string ChicagoWith(std::size_t line, Edit edit) {
    std::vector<std::string> lines = LinesOf(ChicagoText());
    edit(lines[line - 1]);
    return Joined(lines);
}

struct GoodRow {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> printed; // each must be in the standard output
};

TEST(Program, PrintsTheFiguresOfAWeatherFile) {
    const std::string chicago = ChicagoPath();
    const GoodRow rows[] = {
        {"text by default",
         {chicago},
         {"Chicago Ohare Intl Ap, IL, USA (WMO 725300)", "Records read: 8760; missing: 0",
          "PMV comfort (ISO 7730)", "In the union of the zones", "Too humid",
          "Design conditions from this file's hours",
          "Design conditions published in the file's header", "99.6 %: -20.0"}},
        {"the published 803 hours of |PMV| <= 0.5 at 1.1 met, 0.7 clo",
         {"--format", "csv", "--met", "1.1", "--clo=0.7", chicago},
         {"zones,year,PMV comfort (ISO 7730),hours,803,\n"}},
        {"the published 1661 hours of PPD <= 10 % at 2.4 met, 1.0 clo",
         {"--format", "csv", "--met", "2.4", "--clo", "1.0", "--ppd", "10", chicago},
         {"zones,year,PMV comfort (ISO 7730),hours,1661,\n"}},
        {"strategies and a month filter",
         {"--strategies", "evaporative-cooling,air-speed", "--months", "6-8", "--comfort",
          "ashrae55", "--air-speed", "0.3", chicago},
         {"PMV comfort (ASHRAE 55)", "Evaporative cooling", "Elevated air speed",
          "Filter: months 6-8, hours 00:00-24:00; 2208 records", "Jul "}},
        {"adaptive, in IP units, from the dew point",
         {"--comfort", "adaptive-en", "--category", "III", "--units", "ip", "--humidity",
          "dew-point", chicago},
         {"Adaptive comfort (EN 16798-1, category III)", "from the dry bulb and the dew point",
          "99.6 %: -4.0", "degF"}},
        {"hours wrapping midnight, occupied",
         {"--hours", "22-6", "--occupied", "--comfort", "fixed", chicago},
         {"hours 22:00-06:00, occupied hours only", "Winter comfort", "Summer comfort"}},
        {"the help", {"--help"}, {"Usage: hygrovane-climate", "--strategies LIST", "Exit status"}},
        {"the version", {"--version"}, {"hygrovane-climate (Hygrovane) "}},
    };
    for (const GoodRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Ran ran = RunProgram(row.args);
        EXPECT_EQ(ran.status, 0) << ran.err;
        EXPECT_EQ(ran.err, "");
        for (const std::string& printed : row.printed) {
            EXPECT_NE(ran.out.find(printed), std::string::npos) << printed << "\n" << ran.out;
        }
    }
}

TEST(Program, JsonReadsBackWithTheCounts) {
    const Ran ran = RunProgram(
        {"--format", "json", "--met", "1.1", "--clo", "0.7", "--strategies", "all", ChicagoPath()});
    ASSERT_EQ(ran.status, 0) << ran.err;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(ran.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(doc["source"].toString(), "chicago.epw");
    EXPECT_EQ(doc["records"]["read"].toInt(), 8760);
    EXPECT_EQ(doc["zones"]["year"]["inZone"][0].toInt(), 803);
    EXPECT_EQ(doc["zones"]["names"].toArray().size(), 10);
}

struct FailingRow {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message; // in the standard error, after "hygrovane-climate: "
};

TEST(Program, RefusesWithTheStatusAndAMessage) {
    const std::string folder = TemporaryFolder();
    const std::string shortRow = folder + "/short-row.epw";
    WriteText(shortRow,
              ChicagoWith(20, [](std::string& line) { line.resize(line.find(",", 40)); }));
    const std::string text = folder + "/text.epw";
    WriteText(text, ChicagoWith(15, [](std::string& line) {
                  // The seventh field, the dry bulb.
                  std::size_t start = 0;
                  for (int comma = 0; comma < 6; ++comma) {
                      start = line.find(',', start) + 1;
                  }
                  line.replace(start, line.find(',', start) - start, "warm");
              }));
    const std::string truncated = folder + "/truncated.epw";
    WriteText(truncated, Joined([] {
                  auto lines = LinesOf(ChicagoText());
                  lines.resize(8 + 100);
                  return lines;
              }()));
    const std::string empty = folder + "/empty.epw";
    WriteText(empty, "");
    const std::string chicago = ChicagoPath();
    const FailingRow rows[] = {
        {"an unknown option", {"--nope", chicago}, 1, "unknown option --nope"},
        {"no file", {"--met", "1.2"}, 1, "no input file"},
        {"two files", {chicago, chicago}, 1, "one input file only"},
        {"an option without its value", {chicago, "--clo"}, 1, "--clo needs a value"},
        {"a number that is not", {"--met", "abc", chicago}, 1, "--met takes a number"},
        {"a month 13", {"--months", "13-2", chicago}, 1, "--months takes FIRST-LAST"},
        {"an unknown model", {"--comfort", "warm", chicago}, 1, "--comfort takes"},
        {"an unknown strategy", {"--strategies", "fans", chicago}, 1, "unknown strategy \"fans\""},
        {"a PMV zone the model cannot reach",
         {"--met", "4", "--clo", "2", chicago},
         1,
         "PMV comfort (ISO 7730): "},
        {"a file that is not there", {folder + "/none.epw"}, 2, "the file does not exist"},
        {"a folder", {folder}, 2, "it is a folder"},
        {"a short row", {shortRow}, 2, "line 20"},
        {"text in a number field", {text}, 2, "line 15, field 7"},
        {"a file that ends inside its data period", {truncated}, 2, "cannot read"},
        {"an empty file", {empty}, 2, "cannot read"},
        {"an output folder that does not exist",
         {chicago, "-o", folder + "/no/such/folder.txt"},
         3,
         "cannot write"},
        {"an output that is a folder", {chicago, "-o", folder}, 3, "it is a folder"},
    };
    for (const FailingRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Ran ran = RunProgram(row.args);
        EXPECT_EQ(ran.status, row.status) << ran.err;
        EXPECT_EQ(ran.out, "");
        EXPECT_TRUE(ran.err.starts_with("hygrovane-climate: ")) << ran.err;
        EXPECT_NE(ran.err.find(row.message), std::string::npos) << ran.err;
        EXPECT_EQ(ran.err.find("Try 'hygrovane-climate --help'.") != std::string::npos,
                  row.status == 1 && std::string(row.message).find("PMV") == std::string::npos)
            << ran.err;
    }
}

// Weather files as other programs write them, read or refused for what they are rather than
// sent to the logger reader; what was read leniently is said on the standard error.
TEST(Program, WeatherFilesNamedForWhatTheyAre) {
    const std::string folder = TemporaryFolder();
    const std::string tmy3Columns =
        "Date (MM/DD/YYYY),Time (HH:MM),Dry-bulb (C),Dew-point (C),RHum (%),Pressure (mbar)\n";
    const std::string tmy3Row = "01/01/1986,01:00,-12.2,-16.1,73,995\n";
    std::string crOnly = ChicagoText();
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    std::string utf16 = "\xFF\xFE";
    for (const char c : ChicagoText().substr(0, 4000)) {
        utf16 += std::string{c, '\0'};
    }
    struct Row {
        const char* name;
        std::string text;
        int status;
        const char* message; // in the standard error; "" for none
    };
    const Row rows[] = {
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF" + ChicagoText(), 0, ""},
        {"CR-only line ends", crOnly, 0, ""},
        {"the end day written year first",
         ChicagoWith(8,
                     [](std::string& l) { l = "DATA PERIODS,1,1,Data,Sunday, 1/ 1,1986/12/31"; }),
         0, "line 8, field 7: the end day \"1986/12/31\" is written year first"},
        {"a blank leap year field",
         ChicagoWith(5, [](std::string& l) { l = "HOLIDAYS/DAYLIGHT SAVINGS,,0,0,0"; }), 0,
         "taken as No"},
        {"an empty .epw", "", 2, "cannot read \"file\": the file is empty"},
        {"UTF-16", utf16, 2, "the file is UTF-16"},
        {"a TMY3 file with RH for RHum",
         "725300,\"CHICAGO\",IL,-6.0,41.983,-87.917,201\n" +
             std::string("Date (MM/DD/YYYY),Time (HH:MM),Dry-bulb (C),Dew-point (C),RH (%),"
                         "Pressure (mbar)\n") +
             tmy3Row,
         2, "line 2: no RHum column (column 5, \"RH\", is not a TMY3 name"},
        {"a TMY3 station at latitude 450",
         "725300,\"CHICAGO\",IL,-6.0,450,-87.917,201\n" + tmy3Columns + tmy3Row, 2,
         "line 1, field 5: the latitude 450 is outside -90 to 90"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteText(folder + "/file", row.text);
        const Ran ran = RunProgram({"file"}, folder);
        EXPECT_EQ(ran.status, row.status) << ran.err;
        if (*row.message == '\0') {
            EXPECT_EQ(ran.err, "");
        } else {
            EXPECT_NE(ran.err.find(row.message), std::string::npos) << ran.err;
        }
    }
    // A device is refused at once, not read to the size limit.
    const Ran zero = RunProgram({"/dev/zero"});
    EXPECT_EQ(zero.status, 2);
    EXPECT_NE(zero.err.find("it is a device, not a file"), std::string::npos) << zero.err;
}

TEST(Program, OutputFileIsWrittenWholeOrLeftAsItWas) {
    const std::string folder = TemporaryFolder();
    const std::string output = folder + "/figures.csv";
    const Ran printed = RunProgram({"--format", "csv", ChicagoPath()});
    ASSERT_EQ(printed.status, 0);

    const Ran written = RunProgram({"--format", "csv", ChicagoPath(), "-o", output});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(TextOf(output), printed.out);

    const std::string old = "an old file\n";
    const std::string damaged = folder + "/damaged.epw";
    WriteText(damaged, ChicagoText().substr(0, ChicagoText().size() / 2));
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
    };
    const Row rows[] = {
        {"a damaged input", {damaged, "-o", output}, 2},
        {"a bad option", {"--met", "0", ChicagoPath(), "-o", output}, 1},
        {"zones that cannot be made", {"--met", "4", "--clo", "2", ChicagoPath(), "-o", output}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteText(output, old);
        const Ran ran = RunProgram(row.args);
        EXPECT_EQ(ran.status, row.status) << ran.err;
        EXPECT_EQ(TextOf(output), old);
        // No temporary file left beside it.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator()),
                  2);
    }

    // The input named as the output is refused before anything is read or written.
    const std::string input = folder + "/copy.epw";
    WriteText(input, ChicagoText());
    const Ran same = RunProgram({input, "-o", input});
    EXPECT_EQ(same.status, 1);
    EXPECT_NE(same.err.find("would replace the input"), std::string::npos) << same.err;
    EXPECT_EQ(TextOf(input), ChicagoText());
}

TEST(Program, StandardStreamsAndDoubleDash) {
    const Ran fromFile = RunProgram({ChicagoPath()});
    ASSERT_EQ(fromFile.status, 0);
    // "-o -" is the standard output, as without -o.
    const Ran dashOutput = RunProgram({ChicagoPath(), "-o", "-"});
    EXPECT_EQ(dashOutput.status, 0) << dashOutput.err;
    EXPECT_EQ(dashOutput.out, fromFile.out);
    // "-" reads the standard input; the source is then named "-", the figures alike.
    const Ran fromInput = RunProgram({"-"}, {}, ChicagoPath());
    EXPECT_EQ(fromInput.status, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, fromFile.out);
    // "--" ends the options: a file named like one.
    const std::string folder = TemporaryFolder();
    WriteText(folder + "/-chicago.epw", ChicagoText());
    const Ran dashed = RunProgram({"--", "-chicago.epw"}, folder);
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(dashed.out, fromFile.out);
    const Ran asOption = RunProgram({"-chicago.epw"}, folder);
    EXPECT_EQ(asOption.status, 1);
    // A standard output that cannot take the figures.
    if (std::filesystem::exists("/dev/full")) {
        const Ran full = RunProgram({ChicagoPath()}, {}, {}, "/dev/full");
        EXPECT_EQ(full.status, 3);
        EXPECT_NE(full.err.find("cannot write \"standard output\""), std::string::npos) << full.err;
    }
}

} // namespace
} // namespace hygrovane::climatecli

namespace hygrovane::climatecli {
namespace {

using namespace testing;

TEST(Program, ReadsALoggerFileAsASeries) {
    const std::string folder = TemporaryFolder();
    const std::string logger = folder + "/office.csv";
    // Two days at 30 minutes: 22 degC and 45 % by day, 16 degC at night; one reading lost.
    std::string text = "Timestamp,Temp (C),RH (%)\n";
    for (int day = 1; day <= 2; ++day) {
        for (int half = 0; half < 48; ++half) {
            const bool lost = day == 2 && half == 20;
            char row[64];
            std::snprintf(row, sizeof row, "2025-07-%02d %02d:%02d,%s,45\n", day, half / 2,
                          half % 2 * 30,
                          lost                      ? ""
                          : half >= 16 && half < 36 ? "22"
                                                    : "16");
            text += row;
        }
    }
    WriteText(logger, text);
    const Ran ran = RunProgram({"--comfort", "fixed", "--format", "csv", logger});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.out.find("records,,read,count,96,"), std::string::npos) << ran.out;
    EXPECT_NE(ran.out.find("records,,missing dry bulb,count,1,"), std::string::npos);
    // 08:00-17:59 at 22 degC, 45 %: the winter zone (21-23 degC, 40-50 %), less the lost one;
    // each reading stands for half an hour.
    EXPECT_NE(ran.out.find("zones,year,Winter comfort,hours,19.5,"), std::string::npos) << ran.out;
    EXPECT_NE(ran.out.find("location,,latitude,,,deg N"), std::string::npos);
    EXPECT_NE(ran.err.find("hygrovane-climate: time: column 1 \"Timestamp\""), std::string::npos)
        << ran.err;
    const Ran hours = RunProgram({"--comfort", "fixed", "--hours", "8-18", logger});
    EXPECT_NE(hours.out.find("; 40 records (20 hours)"), std::string::npos) << hours.out;

    // A damaged logger file is refused with its line, nothing written.
    WriteText(logger, "Timestamp,Temp (C),RH (%)\n2025-07-01 00:00,21,40\nnoon,21,40\n");
    const Ran damaged = RunProgram({logger});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_NE(damaged.err.find("line 3"), std::string::npos) << damaged.err;
    // A damaged EPW file keeps its own message, not a logger reader's.
    WriteText(logger, "LOCATION,Somewhere\nnothing else\n");
    const Ran epw = RunProgram({logger});
    EXPECT_EQ(epw.status, 2);
    EXPECT_EQ(epw.err.find("date and time"), std::string::npos) << epw.err;
}

// A logger with only a dew point is read by it unless another humidity is chosen; its inHg
// column is read in inHg.
TEST(Program, ALoggerIsReadInItsOwnHumidityAndUnits) {
    const std::string folder = TemporaryFolder();
    const std::string logger = folder + "/dew.csv";
    WriteText(logger, "Timestamp,Temp (C),Dew Point (C),Pressure (inHg)\r"
                      "2025-06-02 14:30,30,21,29.92\r2025-06-02 15:30,30,21,29.92\r");
    const struct {
        const char* name;
        std::vector<std::string> options;
        int status;
        std::string said; // on standard error
        std::string printed;
    } rows[] = {
        {"none chosen", {}, 0, "dew point: column 3", "settings,,humidity,,dew point,"},
        {"dew point chosen",
         {"--humidity", "dew-point"},
         0,
         "in inHg (read as kPa times 3.386389)",
         "records,,missing,count,0,"},
        {"RH chosen",
         {"--humidity", "rh"},
         2,
         "--humidity rh: no column of the relative humidity",
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> args = row.options;
        args.insert(args.end(), {"--format", "csv", logger});
        const Ran ran = RunProgram(args);
        EXPECT_EQ(ran.status, row.status) << ran.err;
        EXPECT_NE(ran.err.find(row.said), std::string::npos) << ran.err;
        EXPECT_NE(ran.out.find(row.printed), std::string::npos) << ran.out;
        if (row.status == 0) {
            EXPECT_NE(ran.out.find("records,,read,count,2,"), std::string::npos) << ran.out;
        }
    }
    // A byte-order mark before the header, as spreadsheets save "CSV UTF-8".
    WriteText(logger, "\xEF\xBB\xBFTimestamp,Temp (C),RH (%)\n2025-06-02 14:30,30,60\n");
    const Ran marked = RunProgram({"--format", "csv", logger});
    EXPECT_EQ(marked.status, 0) << marked.err;
    EXPECT_NE(marked.out.find("records,,missing,count,0,"), std::string::npos) << marked.out;
}

// Free text in the figures CSV never runs as a formula; negative figures stay numbers.
TEST(Program, FiguresCsvKeepsFormulasAsText) {
    const std::string folder = TemporaryFolder();
    const std::string path = folder + "/formula.epw";
    WriteText(path, ChicagoWith(1, [](std::string& line) {
                  line.replace(line.find("Chicago Ohare Intl Ap"), 21, "=2+3");
              }));
    const Ran ran = RunProgram({"--format", "csv", path});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.out.find("location,,city,,'=2+3,"), std::string::npos) << ran.out;
    EXPECT_NE(ran.out.find(",-87.9200,deg E"), std::string::npos) << ran.out;
}

} // namespace
} // namespace hygrovane::climatecli
