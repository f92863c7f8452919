// Logger files of each shape: how they are read, which columns are found, and what is written.
#include "batch_support.h"

#include "display/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace hygrovane::batch {
namespace {

using testing::Cells;
using testing::Lines;

struct Shape {
    const char* name;
    std::string bytes;
    char separator;
    std::size_t titleLines;
    bool toa5;
    Encoding encoding;
    bool decimalCommaSeen;
    // The columns found: dry bulb, humidity, pressure or altitude (-1: a value for every row).
    int dryBulb;
    std::string dryBulbUnit;
    HumidityInput humidityInput;
    int humidity;
    std::string humidityUnit;
    PressureInput pressureInput;
    int pressure;
    std::string pressureUnit;
};

const std::vector<Shape>& Shapes() {
    using H = HumidityInput;
    using P = PressureInput;
    static const std::vector<Shape> shapes{
        {"title line and quoted headers with units",
         "Plot Title: 10234567\n"
         "\"#\",\"Date Time, GMT-05:00\",\"Temp, \xC2\xB0"
         "F (LGR S/N: 1, SEN S/N: 2)\",\"RH, % (LGR S/N: 1, SEN S/N: 2)\"\n"
         "1,01/02/24 10:00:00 AM,70.5,45.2\n2,01/02/24 10:01:00 AM,70.6,45.0\n",
         ',', 1, false, Encoding::Utf8, false, 2, "F", H::RelativeHumidity, 3, "%", P::Barometric,
         -1, "Pa"},
        {"TOA5",
         "\"TOA5\",\"CR1000\",\"CR1000\",\"1234\",\"CR1000.Std.32\",\"CPU:met.CR1\",\"1\","
         "\"T1\"\r\n"
         "\"TIMESTAMP\",\"RECORD\",\"AirTC_Avg\",\"RH\",\"BP_mbar\"\r\n"
         "\"TS\",\"RN\",\"Deg C\",\"%\",\"mbar\"\r\n"
         "\"\",\"\",\"Avg\",\"Smp\",\"Smp\"\r\n"
         "\"2024-01-01 00:00:00\",0,21.5,45.2,1013.2\r\n",
         ',', 1, true, Encoding::Utf8, false, 2, "C", H::RelativeHumidity, 3, "%", P::Barometric, 4,
         "mBar"},
        {"semicolons with decimal commas, Latin-1",
         "Zeit;Temperatur [\xB0"
         "C];rF [%];Luftdruck [hPa]\n01.01.2024 10:00;21,5;45,2;1013,2\n",
         ';', 0, false, Encoding::Latin1, true, 1, "C", H::RelativeHumidity, 2, "%", P::Barometric,
         3, "mBar"},
        {"byte-order mark, tabs, dew point",
         "\xEF\xBB\xBFTime\tT_db (\xC2\xB0"
         "F)\tDew Point (\xC2\xB0"
         "F)\tPressure (psi)\n10:00\t70\t50\t14.7\n",
         '\t', 0, false, Encoding::Utf8, false, 1, "F", H::DewPoint, 2, "F", P::Barometric, 3,
         "PSI"},
        {"wet bulb in kelvins, altitude in feet, no units for the wet bulb",
         "T_db [K],Twb,Elevation (ft)\n300,17,5000\n", ',', 0, false, Encoding::Utf8, false, 0, "K",
         H::WetBulb, 1, "C", P::Altitude, 2, "ft"},
        {"humidity ratio in g/kg beside a relative humidity: the relative humidity wins",
         "Humidity Ratio (g/kg),Temperature (C),Relative Humidity (fraction)\n7,20,0.5\n", ',', 0,
         false, Encoding::Utf8, false, 1, "C", H::RelativeHumidity, 2, "fraction", P::Barometric,
         -1, "Pa"},
    };
    return shapes;
}

TEST(Reader, FindsTheShapeAndColumnsOfEachKindOfFile) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        FileHead head;
        ASSERT_TRUE(ReadFileHead(shape.bytes, true, 0, head));
        EXPECT_EQ(head.shape.separator, shape.separator);
        EXPECT_EQ(head.shape.titleLines, shape.titleLines);
        EXPECT_EQ(head.shape.toa5, shape.toa5);
        EXPECT_EQ(head.shape.encoding, shape.encoding);
        EXPECT_EQ(head.shape.decimalCommaSeen, shape.decimalCommaSeen);
        const Detection found = DetectColumns(head, false);
        EXPECT_EQ(found.problem, "");
        const Mapping& m = found.mapping;
        EXPECT_EQ(m.dryBulb.column, shape.dryBulb);
        EXPECT_EQ(m.dryBulb.unit, shape.dryBulbUnit);
        EXPECT_EQ(m.humidityInput, shape.humidityInput);
        EXPECT_EQ(m.humidity.column, shape.humidity);
        EXPECT_EQ(m.humidity.unit, shape.humidityUnit);
        EXPECT_EQ(m.pressureInput, shape.pressureInput);
        EXPECT_EQ(m.pressure.column, shape.pressure);
        EXPECT_EQ(m.pressure.unit, shape.pressureUnit);

        // Every shape converts: its lines unchanged, the computed cells after them.
        std::string error;
        const std::string out = testing::Convert(shape.bytes, {}, 1, &error);
        ASSERT_EQ(error, "");
        const std::vector<std::string> in = Lines(shape.bytes);
        const std::vector<std::string> lines = Lines(out);
        ASSERT_EQ(lines.size(), in.size());
        EXPECT_EQ(out.substr(0, 3) == "\xEF\xBB\xBF", head.shape.byteOrderMark);
        for (std::size_t i = 0; i < in.size(); ++i) {
            const std::size_t keep = i < shape.titleLines ? in[i].size() : in[i].size() + 1;
            EXPECT_EQ(lines[i].substr(0, keep),
                      i < shape.titleLines ? in[i] : in[i] + shape.separator)
                << "line " << i;
        }
        EXPECT_EQ(Cells(lines.back(), shape.separator).back(), "ok");
    }
}

TEST(Reader, Toa5KeepsItsFourHeaderLinesWithTheNewColumns) {
    const std::string out = testing::Convert(Shapes()[1].bytes, {}, 1);
    const std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(Cells(lines[1]).at(5), "Relative Humidity");
    EXPECT_EQ(Cells(lines[2]).at(5), "%");
    EXPECT_EQ(Cells(lines[2]).at(17), "");
    EXPECT_EQ(Cells(lines[1]).back(), "status");
    EXPECT_NE(out.find("\r\n"), std::string::npos); // its line ends too
}

TEST(Reader, DecimalCommaFilesGetDecimalCommasUnlessToldOtherwise) {
    const std::string& bytes = Shapes()[2].bytes;
    std::string out = testing::Convert(bytes, {});
    const std::string withPoints = testing::Convert(bytes, {"--decimal", "point"});
    EXPECT_EQ(Cells(Lines(out)[1], ';').at(4), "45,2");
    EXPECT_EQ(Cells(Lines(withPoints)[1], ';').at(4), "45.2");
    // The input cells stay as they were; only the computed ones change their separator.
    const std::size_t computed =
        Lines(out)[0].size() + 1 + std::string("01.01.2024 10:00;21,5;45,2;1013,2;").size();
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(computed), out.end(), ',', '.');
    EXPECT_EQ(out, withPoints);
}

TEST(Reader, CellsReadAsTheWindowReadsATypedNumber) {
    using S = CellNumber::Status;
    const struct {
        const char* cell;
        bool decimalComma;
        S status;
        double value;
    } rows[] = {
        {" 21.5 ", false, S::Number, 21.5}, {"\"21.5\"", false, S::Number, 21.5},
        {"21,5", true, S::Number, 21.5},    {"21,5", false, S::NotNumber, 0},
        {"1,234,5", true, S::NotNumber, 0}, {"1.234,5", true, S::NotNumber, 0},
        {"", false, S::Empty, 0},           {" \t", false, S::Empty, 0},
        {"\"\"", false, S::Empty, 0},       {"NAN", false, S::NotNumber, 0},
        {"1e3", false, S::Number, 1000},    {"-.5", false, S::Number, -0.5},
        {"1e400", false, S::NotNumber, 0},  {"12 C", false, S::NotNumber, 0},
    };
    for (const auto& row : rows) {
        const CellNumber number = ReadCellNumber(row.cell, row.decimalComma);
        EXPECT_EQ(number.status, row.status) << row.cell;
        EXPECT_EQ(number.value, row.value) << row.cell;
    }
    // Plain decimals take a quicker road to the same number as the window's reading.
    for (const char* text : {"5.", ".5", "-0", "00012.340", "-.", "1-2", "--1", "1..2", ".",
                             "123456789012345678901234", "0.1000000000000000055511151231257827",
                             "-273.15", "9007199254740993", "1.7976931348623157"}) {
        const CellNumber number = ReadCellNumber(text, false);
        EXPECT_EQ(number.status == CellNumber::Status::Number, IsNumeric(text)) << text;
        EXPECT_EQ(number.value, IsNumeric(text) ? ReadNumber(text) : 0.0) << text;
    }
}

TEST(Reader, QuotedCellsKeepTheirSeparatorsAndQuotes) {
    std::vector<std::string_view> cells;
    SplitCells(R"(a,"b, c","say ""hi""",,"open)", ',', cells);
    ASSERT_EQ(cells.size(), 5U);
    EXPECT_EQ(CellText(cells[1]), "b, c");
    EXPECT_EQ(CellText(cells[2]), "say \"hi\"");
    EXPECT_EQ(CellText(cells[3]), "");
    EXPECT_EQ(CellText(cells[4]), "open");
    EXPECT_FALSE(IsValidUtf8("caf\xE9 au lait"));
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xE2\x84\x83"));
    EXPECT_EQ(ToUtf8("\xB0", Encoding::Latin1), "\xC2\xB0");
}

// Every input row gives one output row; the bad ones say why.
TEST(Reader, MissingAndBadCellsKeepTheirRowsAndSayWhy) {
    const std::string input = "Temp (C),RH (%),Note\n"
                              "20,50,fine\n"
                              ",50,no temperature\n"
                              "20,abc,bad humidity\n"
                              "20\n"
                              "\n"
                              "NAN,50,logger gap\n"
                              "20,50,extra,cells\n"
                              "-100.001,50,too cold\n"
                              "20,100.0001,too humid\n"
                              "20,50,last line without its end";
    Tally tally;
    const std::vector<std::string> lines = Lines(testing::Convert(input, {}, 2, nullptr, &tally));
    ASSERT_EQ(lines.size(), 11U);
    const char* statuses[] = {"ok",
                              "Ambient Temperature: empty cell",
                              "Relative Humidity: not a number (abc)",
                              "Relative Humidity: empty cell",
                              "",
                              "Ambient Temperature: not a number (NAN)",
                              "ok",
                              "Ambient Temperature out of allowable range (-100 to 100 C)",
                              "Relative Humidity out of allowable range (0 to 100 %)",
                              "ok"};
    for (std::size_t i = 0; i < std::size(statuses); ++i) {
        const std::vector<std::string> cells = Cells(lines[i + 1]);
        if (std::string(statuses[i]).empty()) {
            EXPECT_EQ(lines[i + 1], "") << "a blank line stays blank";
            continue;
        }
        EXPECT_EQ(cells.back(), statuses[i]) << lines[i + 1];
        // Short rows are padded so that the computed cells stand in their columns.
        EXPECT_EQ(cells.size(), i == 6 ? 17U : 16U) << lines[i + 1];
    }
    EXPECT_EQ(tally.rows, 9U);
    EXPECT_EQ(tally.computed, 3U);
    EXPECT_EQ(tally.blankLines, 1U);
}

TEST(Reader, OptionsNameColumnsByHeaderOrPositionAndGiveUnits) {
    const std::string input = "\"Temp, \xC2\xB0"
                              "F\",\"RH, %\",Station\n"
                              "70,45,101.325\n";
    const struct {
        std::vector<std::string> options;
        std::string expected; // the status, or the refusal of the options
    } rows[] = {
        {{"--temperature",
          "Temp, \xC2\xB0"
          "F:F",
          "--humidity", "rh=RH, %"},
         "ok"},
        {{"--temperature", "#1:R"},
         "Ambient Temperature out of allowable range (311.67 to 671.67 R)"},
        {{"--temperature", "1:K"},
         "Ambient Temperature out of allowable range (173.15 to 373.15 K)"},
        {{"--pressure", "#3:kPa"}, "ok"},
        {{"--pressure", "2000:kPa"}, "Barometric Pressure out of allowable range (5 to 1000 kPa)"},
        {{"--pressure", "101.325"},
         "Barometric Pressure: the value 101.325 needs a unit (101.325:kPa)"},
        {{"--altitude", "1500:m"}, "ok"},
        {{"--humidity", "dp=#2:F"}, "ok"},
        {{"--humidity", "#2"}, "ok"},
        {{"--humidity", "#3"},
         "--humidity: say which quantity the column holds, for example rh=#3"},
        {{"--temperature", "Nope"},
         "Ambient Temperature: no column \"Nope\" among \"Temp, \xC2\xB0"
         "F\", \"RH, %\", \"Station\""},
        {{"--temperature", "#9"}, "Ambient Temperature: there is no column 9 (the header has 3)"},
        {{"--humidity", "rh=#2:g/kg"}, "Relative Humidity: \"g/kg\" is not one of its units"},
    };
    for (const auto& row : rows) {
        std::string error;
        const std::string out = testing::Convert(input, row.options, 1, &error);
        const std::string result = out.empty() ? error : Cells(Lines(out).at(1)).back();
        EXPECT_EQ(result, row.expected) << row.options.at(0) << " " << row.options.at(1);
    }
}

namespace fs = std::filesystem;

// A file of the test's own, removed at the end.
class TempFile {
  public:
    TempFile(const std::string& name, const std::string& bytes)
        : path_(fs::temp_directory_path() /
                ("hygrovane-shape-" + std::to_string(::getpid()) + "-" + name)) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { fs::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_.string(); }

  private:
    fs::path path_;
};

// The lines of a file as a person counts them: each line end ("\r\n", "\n" or "\r") ends one,
// and a last line without its end is one too.
std::uint64_t LinesIn(const std::string& bytes) {
    std::uint64_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines + (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r' ? 1 : 0);
}

std::string Wide(const std::string& ascii, int width, bool bigEndian, bool mark) {
    std::string bytes;
    const auto put = [&](unsigned code) {
        for (int k = 0; k < width; ++k) {
            const int shift = 8 * (bigEndian ? width - 1 - k : k);
            bytes += static_cast<char>((code >> shift) & 0xFF);
        }
    };
    if (mark) {
        put(0xFEFF);
    }
    for (const char c : ascii) {
        put(static_cast<unsigned char>(c));
    }
    return bytes;
}

std::string TitleLines(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) {
        lines += "Logger export, line " + std::to_string(i) + " of the title\n";
    }
    return lines;
}

struct FileShape {
    const char* name;
    std::string bytes;
    std::vector<std::string> options;
    int status;
    // What the program says of the dry bulb and the humidity it reads (the header and unit
    // found), or of the refusal.
    std::vector<std::string> said;
    std::uint64_t rowsRead, rowsUsed; // data rows read, and computed
};

const std::vector<FileShape>& FileShapes() {
    static const std::string kData = "20,50\n21,60\n";
    static const std::vector<FileShape> shapes{
        {"CR-only line ends (CSV for Macintosh)",
         "Temp (C),RH (%)\r20,50\r21,60\r22,70",
         {},
         kExitDone,
         {"Ambient Temperature: column 1 \"Temp (C)\" in C",
          "Relative Humidity: column 2 \"RH (%)\" in %"},
         3,
         3},
        {"header with a trailing separator, columns named",
         "Temp (C),RH (%),\n" + kData,
         {"--temperature", "#1", "--humidity", "rh=#2"},
         kExitDone,
         {"Ambient Temperature: column 1 \"Temp (C)\" in C",
          "Relative Humidity: column 2 \"RH (%)\" in %"},
         2,
         2},
        {"rows shorter than the header",
         "Time,Note,Temp (F),RH (%)\n10:00,,70,45\n10:01\n10:02,,71,46\n",
         {},
         kExitDone,
         {"Ambient Temperature: column 3 \"Temp (F)\" in F",
          "Relative Humidity: column 4 \"RH (%)\" in %"},
         3,
         2},
        {"title line with the data's cell count",
         "Office,Logger 7\nTemp (C),RH (%)\n" + kData,
         {},
         kExitDone,
         {"Ambient Temperature: column 1 \"Temp (C)\" in C",
          "Relative Humidity: column 2 \"RH (%)\" in %"},
         2,
         2},
        {"65 title lines",
         TitleLines(65) + "Temp (C),RH (%)\n" + kData,
         {},
         kExitDone,
         {"Ambient Temperature: column 1 \"Temp (C)\" in C",
          "Relative Humidity: column 2 \"RH (%)\" in %"},
         2,
         2},
        {"no header, columns by position",
         kData,
         {"--temperature", "#1:C", "--humidity", "rh=#2"},
         kExitDone,
         {"Ambient Temperature: column 1 \"\" in C",
          "Relative Humidity: column 2 \"\" in % (its header names no unit)"},
         2,
         2},
        {"header line given",
         "Temperature and humidity\nx,y\n" + kData,
         {"--header-line", "2", "--temperature", "x:C", "--humidity", "rh=y"},
         kExitDone,
         {"Ambient Temperature: column 1 \"x\" in C",
          "Relative Humidity: column 2 \"y\" in % (its header names no unit)"},
         2,
         2},
        {"title naming one quantity above a header of other names",
         "Temperature log\nTime,Sensor A,Sensor B\n10:00,20,50\n",
         {"--temperature", "Sensor A:C", "--humidity", "rh=Sensor B"},
         kExitDone,
         {"Ambient Temperature: column 2 \"Sensor A\" in C",
          "Relative Humidity: column 3 \"Sensor B\" in % (its header names no unit)"},
         1,
         1},
        {"unknown unit in a header",
         "Temp (mC),RH (%)\n" + kData,
         {},
         kExitUnreadable,
         {"Ambient Temperature: the header \"Temp (mC)\" names the unit \"mC\", which is not one "
          "of its units; name its unit with --temperature #1:UNIT"},
         0,
         0},
        {"unknown unit in a header, given by the user",
         "Temp (mC),RH (%)\n" + kData,
         {"--temperature", "#1:C"},
         kExitDone,
         {"Ambient Temperature: column 1 \"Temp (mC)\" in C",
          "Relative Humidity: column 2 \"RH (%)\" in %"},
         2,
         2},
        {"relative humidity in g/kg",
         "Temp (C),RH (g/kg)\n" + kData,
         {},
         kExitUnreadable,
         {"Relative Humidity: the header \"RH (g/kg)\" names the unit \"g/kg\", which is not "
          "one of its units; name its unit with --humidity rh=#2:UNIT"},
         0,
         0},
        {"unclosed quote in a passed-through cell",
         "Temp (C),RH (%),Note\n20,50,\"door open\n21,60,ok\n",
         {},
         kExitDone,
         {"Relative Humidity: column 2 \"RH (%)\" in %"},
         2,
         2},
        {"UTF-16 little-endian without a mark",
         Wide("Temp (C),RH (%)\n" + kData, 2, false, false),
         {},
         kExitUnreadable,
         {"it is UTF-16 text; save it as UTF-8 (or CSV) first"},
         0,
         0},
        {"UTF-16 big-endian without a mark",
         Wide("Temp (C),RH (%)\n" + kData, 2, true, false),
         {},
         kExitUnreadable,
         {"it is UTF-16 text"},
         0,
         0},
        {"UTF-32 without a mark",
         Wide("Temp (C),RH (%)\n" + kData, 4, false, false),
         {},
         kExitUnreadable,
         {"it is UTF-32 text"},
         0,
         0},
        {"UTF-32 with a mark",
         Wide("Temp (C),RH (%)\n" + kData, 4, true, true),
         {},
         kExitUnreadable,
         {"it is UTF-32 text"},
         0,
         0},
    };
    return shapes;
}

// Through the program: the header found, each column's unit, and every line of the file counted
// once, as a title or header line, a row read (used or skipped) or a blank line.
TEST(FileShapes, HeaderUnitsAndEveryLineAccountedFor) {
    for (const FileShape& shape : FileShapes()) {
        SCOPED_TRACE(shape.name);
        const TempFile file("shape.csv", shape.bytes);
        std::vector<std::string> args = shape.options;
        args.push_back(file.path());
        std::string out, err;
        ASSERT_EQ(testing::RunProgram(args, &out, &err), shape.status) << err;
        for (const std::string& said : shape.said) {
            EXPECT_NE(err.find(said), std::string::npos) << "expected: " << said << "\n" << err;
        }
        if (shape.status != kExitDone) {
            EXPECT_EQ(out, "");
            continue;
        }
        EXPECT_NE(err.find("Barometric Pressure: 101325 in Pa"), std::string::npos) << err;
        unsigned long long lines = 0, above = 0, read = 0, used = 0, skipped = 0, blank = 0;
        const std::size_t at = err.find(" lines: ");
        ASSERT_NE(at, std::string::npos) << err;
        ASSERT_EQ(std::sscanf(err.c_str() + err.rfind('\n', at) + 1,
                              " %llu lines: %llu title and header, %llu rows read (%llu used, "
                              "%llu skipped), %llu blank",
                              &lines, &above, &read, &used, &skipped, &blank),
                  6)
            << err;
        EXPECT_EQ(lines, LinesIn(shape.bytes));
        EXPECT_EQ(above + read + blank, lines);
        EXPECT_EQ(used + skipped, read);
        EXPECT_EQ(read, shape.rowsRead);
        EXPECT_EQ(used, shape.rowsUsed);
        EXPECT_EQ(LinesIn(out), lines) << "one output line for each input line";
    }
}

// Units as loggers and spreadsheets write them; a unit the window has no name for is read by its
// factor into one it has.
TEST(FileShapes, UnitSpellingsInHeaders) {
    const struct {
        std::string header, cells;
        std::string said; // the note on the column
        std::string status;
    } rows[] = {
        {"T (C),RH (%),Pressure (inHg)", "20,50,29.92",
         "column 3 \"Pressure (inHg)\" in inHg (read as kPa times 3.386389)", "ok"},
        {"T (C),RH (%),Pressure (in Hg)", "20,50,29.92", "in in Hg (read as kPa", "ok"},
        {"T (C),RH (%),Baro (mmHg)", "20,50,760", "\"Baro (mmHg)\" in mm Hg", "ok"},
        {"T (C),RH (%),Baro (torr)", "20,50,760", "in torr (read as Pa times 133.3223684", "ok"},
        {"T (C),RH (%),Baro (mbar)", "20,50,1013.25", "\"Baro (mbar)\" in mBar", "ok"},
        {"T (C),RH (%),Baro (hPa)", "20,50,1013.25", "\"Baro (hPa)\" in mBar", "ok"},
        {"Temp (\xC2\xB0Ra),RH (%)", "527.67,50", "\"Temp (\xC2\xB0Ra)\" in R", "ok"},
        {"Temp (R),RH (%)", "527.67,50", "\"Temp (R)\" in R", "ok"},
        {"Temp (K),RH (%)", "293.15,50", "\"Temp (K)\" in K", "ok"},
        {"TempF,RH (%)", "68,50", "\"TempF\" in F", "ok"},
        {"T (F),W (gr/lb)", "68,50", "in gr/lb (read as (lb moisture)/(lb dry air) times", "ok"},
        {"T (C),W (g/kg)", "20,7", "\"W (g/kg)\" in (g moisture)/(kg dry air)", "ok"},
        // A note on the sensor in brackets names no unit.
        {"Temp (LGR S/N: 1),RH (%)", "20,50",
         "\"Temp (LGR S/N: 1)\" in C (its header names no unit)", "ok"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.header);
        const TempFile file("units.csv", row.header + "\n" + row.cells + "\n");
        std::string out, err;
        ASSERT_EQ(testing::RunProgram({file.path()}, &out, &err), kExitDone) << err;
        EXPECT_NE(err.find(row.said), std::string::npos) << err;
        EXPECT_EQ(Cells(Lines(out).at(1)).back(), row.status);
    }
    // 29.92 inHg is the standard atmosphere: the altitude is near sea level, not 9 km up.
    const TempFile file("inhg.csv", "T (C),RH (%),Pressure (inHg)\n20,50,29.92\n");
    std::string out;
    ASSERT_EQ(testing::RunProgram({file.path()}, &out), kExitDone);
    EXPECT_LT(std::abs(ReadNumber(Cells(Lines(out).at(1)).at(11))), 5.0) << out;
}

} // namespace
} // namespace hygrovane::batch
