// Logger files of each shape: how they are read, which columns are found, and what is written.
#include "batch_support.h"

#include "calculator/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace
} // namespace hygrovane::batch
