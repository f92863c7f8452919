// The climate window's logic on Chicago O'Hare's typical year: counts that match the published
// figures whichever way the zones are switched, filters that wrap, the chart's overlay, the bin
// readout, design conditions sent on, and typed zones.
#include "models/climate_model.h"

#include "comfort/plane.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <iterator>
#include <numeric>
#include <set>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace hygrovane::models {
namespace {

using climateanalysis::ClimateSettings;
using climateanalysis::ComfortModel;

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

ClimateSettings Pmv(double met, double clo, std::optional<double> ppd = std::nullopt) {
    ClimateSettings s;
    s.comfort.model = ComfortModel::Pmv;
    s.comfort.metabolic = met;
    s.comfort.clothing = clo;
    s.comfort.ppd = ppd;
    return s;
}

// One load for every test: a year's zones take a moment.
const LoadedClimate& Chicago() {
    static const LoadedClimate loaded = [] {
        auto read = LoadClimate(kChicago, Pmv(1.1, 0.7));
        EXPECT_TRUE(read.has_value()) << (read.has_value() ? "" : read.error().message);
        return read.value();
    }();
    return loaded;
}

ClimateModel Window() {
    ClimateModel window;
    window.accept(Chicago());
    return window;
}

// The figures must add up, whatever was chosen.
void ExpectConsistent(const ClimateModel& window, const std::string& why) {
    const climate::ZoneCounts& t = window.result().zones.total;
    EXPECT_EQ(t.hours, window.selection().size()) << why;
    EXPECT_EQ(std::accumulate(t.onlyZone.begin(), t.onlyZone.end(), std::size_t{0}), t.inUnion)
        << why;
    EXPECT_EQ(t.inUnion + t.tooWarm + t.tooCool + t.tooHumid + t.missing, t.hours) << why;
    const chart::Overlay overlay = window.overlay();
    std::size_t binned = 0;
    for (const climate::Bin& bin : window.bins().bins) {
        binned += bin.hours;
    }
    EXPECT_EQ(binned + window.bins().missing, window.selection().size()) << why;
    if (window.display().marks == ClimateDisplay::Marks::Bins) {
        EXPECT_EQ(overlay.cells.size(), window.bins().bins.size()) << why;
    }
}

TEST(ClimateModel, ZoneModelsCountThePublishedHours) {
    struct Row {
        const char* name;
        ClimateSettings settings;
        std::size_t inFirstZone;
    };
    const Row rows[] = {
        {"PMV within 0.5 at 1.1 met, 0.7 clo (data README)", Pmv(1.1, 0.7), 803},
        {"PPD at most 10 % at 2.4 met, 1.0 clo (data README)", Pmv(2.4, 1.0, 10.0), 1661},
        {"back to 1.1 met, 0.7 clo", Pmv(1.1, 0.7), 803},
    };
    ClimateModel window = Window();
    for (const Row& row : rows) {
        ASSERT_TRUE(window.changeSettings(row.settings).has_value()) << row.name;
        ASSERT_FALSE(window.result().zones.total.inZone.empty()) << row.name;
        EXPECT_EQ(window.result().zones.total.inZone[0], row.inFirstZone) << row.name;
        ExpectConsistent(window, row.name);
        // The drawn zone carries its share of the hours.
        const chart::Overlay overlay = window.overlay();
        ASSERT_FALSE(overlay.zones.empty()) << row.name;
        char share[32];
        std::snprintf(share, sizeof share, "%.1f %%", 100.0 * row.inFirstZone / 8760.0);
        EXPECT_EQ(overlay.zones[0].share, share) << row.name;
    }
}

TEST(ClimateModel, OtherModelsAndStrategiesAddUp) {
    struct Row {
        const char* name;
        ComfortModel model;
        std::vector<comfort::Strategy> strategies;
        std::size_t zones;
    };
    const Row rows[] = {
        {"ASHRAE 55 PMV", ComfortModel::Ashrae55, {}, 1},
        {"adaptive ASHRAE 55", ComfortModel::AdaptiveAshrae, {}, 1},
        {"fixed winter and summer zones", ComfortModel::Fixed, {}, 2},
        {"no comfort zone, two strategies",
         ComfortModel::None,
         {comfort::Strategy::EvaporativeCooling, comfort::Strategy::PassiveSolarHeating},
         2},
    };
    ClimateModel window = Window();
    for (const Row& row : rows) {
        ClimateSettings settings = window.settings();
        settings.comfort.model = row.model;
        settings.strategies = row.strategies;
        ASSERT_TRUE(window.changeSettings(settings).has_value()) << row.name;
        EXPECT_EQ(window.result().zones.names.size(), row.zones) << row.name;
        ExpectConsistent(window, row.name);
    }
}

TEST(ClimateModel, RefusedSettingsChangeNothing) {
    ClimateModel window = Window();
    ClimateSettings settings = window.settings();
    settings.comfort.metabolic = 9; // beyond ISO 7730's 4 met
    const auto changed = window.changeSettings(settings);
    ASSERT_FALSE(changed.has_value());
    EXPECT_NE(climateanalysis::Describe(changed.error()).find("PMV"), std::string::npos)
        << climateanalysis::Describe(changed.error());
    EXPECT_EQ(window.settings().comfort.metabolic, 1.1);
    EXPECT_EQ(window.result().zones.total.inZone[0], 803u);
}

TEST(ClimateModel, FiltersChooseTheHoursTheySay) {
    struct Row {
        const char* name;
        climate::Filter filter;
        std::size_t hours;
    };
    climate::Filter winter;
    winter.firstMonth = 11;
    winter.lastMonth = 2; // November to February: 30 + 31 + 31 + 28 days
    climate::Filter night;
    night.fromHour = 22;
    night.toHour = 6; // 8 hours a day
    climate::Filter warm;
    warm.ranges.push_back({climate::Computed::DryBulb, 273.15 + 30, 273.15 + 100});
    climate::Filter occupied;
    occupied.occupiedOnly = true;
    const Row rows[] = {
        {"the whole year", {}, 8760},
        {"November to February", winter, (30 + 31 + 31 + 28) * 24},
        {"22:00 to 06:00", night, 365 * 8},
        // The file's first day is a Sunday: 52 weeks and a Sunday, 260 weekdays of 10 hours.
        {"weekdays 08-18", occupied, 2600},
    };
    ClimateModel window = Window();
    for (const Row& row : rows) {
        window.setFilter(row.filter);
        EXPECT_EQ(window.selection().size(), row.hours) << row.name;
        ExpectConsistent(window, row.name);
    }
    window.setFilter(warm);
    EXPECT_GT(window.selection().size(), 0u);
    EXPECT_LT(window.selection().size(), 400u);
    ExpectConsistent(window, "30 degC and warmer");
}

TEST(ClimateModel, MarksFollowTheDisplay) {
    struct Row {
        const char* name;
        ClimateDisplay display;
    };
    ClimateDisplay points;
    points.marks = ClimateDisplay::Marks::Points;
    ClimateDisplay byWind;
    byWind.colourBy = climate::Field::WindSpeed;
    ClimateDisplay relative;
    relative.axis = climate::BinAxis::RelativeHumidity;
    ClimateDisplay ip;
    ip.units = climateanalysis::Units::IP;
    ClimateDisplay pointsByHour = points;
    pointsByHour.colourBy = climate::Computed::HourOfDay;
    const Row rows[] = {{"bins by hours", {}},
                        {"points", points},
                        {"bins by mean wind speed", byWind},
                        {"bins by relative humidity", relative},
                        {"IP bins", ip},
                        {"points by hour of day", pointsByHour}};
    ClimateModel window = Window();
    for (const Row& row : rows) {
        window.setDisplay(row.display);
        ExpectConsistent(window, row.name);
        const chart::Overlay overlay = window.overlay();
        if (row.display.marks == ClimateDisplay::Marks::Points) {
            EXPECT_EQ(overlay.dots.size(), 8760u) << row.name;
            EXPECT_TRUE(overlay.cells.empty()) << row.name;
            EXPECT_EQ(overlay.scale.legend, row.display.colourBy.has_value()) << row.name;
        } else {
            EXPECT_TRUE(overlay.dots.empty()) << row.name;
            EXPECT_TRUE(overlay.scale.legend) << row.name;
            EXPECT_LE(overlay.scale.minimum, overlay.scale.maximum) << row.name;
        }
    }
    window.setDisplay(pointsByHour);
    const chart::Overlay overlay = window.overlay();
    EXPECT_EQ(overlay.scale.minimum, 0);
    EXPECT_EQ(overlay.scale.maximum, 23);
    // The fullest bin sets the top of the hours' scale.
    window.setDisplay({});
    EXPECT_EQ(window.overlay().scale.maximum, static_cast<double>(window.bins().mostHours));
}

TEST(ClimateModel, HoveringABinGivesItsHoursAndShare) {
    ClimateModel window = Window();
    const climate::Bin& fullest = *std::max_element(
        window.bins().bins.begin(), window.bins().bins.end(),
        [](const climate::Bin& a, const climate::Bin& b) { return a.hours < b.hours; });
    const chart::ChartPoint middle{(fullest.dryBulbLow + fullest.dryBulbHigh) / 2,
                                   (fullest.humidityLow + fullest.humidityHigh) / 2};
    const std::string text = window.binTextAt(middle);
    char expected[96];
    std::snprintf(expected, sizeof expected, ": %zu h, %.1f %% of 8760 h", fullest.hours,
                  100.0 * fullest.hours / 8760.0);
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    const auto point = window.binPointAt(middle);
    ASSERT_TRUE(point.has_value());
    EXPECT_DOUBLE_EQ(point->dryBulb, middle.dryBulb);
    EXPECT_DOUBLE_EQ(point->humidityRatio, middle.humidityRatio);
    // Far outside the year's weather, and with points instead of bins: nothing to say.
    EXPECT_EQ(window.binTextAt({273.15 + 48, 0.001}), "");
    ClimateDisplay points;
    points.marks = ClimateDisplay::Marks::Points;
    window.setDisplay(points);
    EXPECT_EQ(window.binTextAt(middle), "");
}

TEST(ClimateModel, DesignConditionsBesideThePublishedOnesAndSentOn) {
    ClimateModel window = Window();
    std::vector<FigureRow> rows = window.figures();
    const auto find = [&](const std::string& start, const std::string& source) {
        return std::find_if(rows.begin(), rows.end(), [&](const FigureRow& row) {
            return row.cells.size() >= 4 && row.cells[0].rfind(start, 0) == 0 &&
                   row.cells[3] == source;
        });
    };
    const auto published = find("Cooling 0.4 %", "published in the file's header");
    ASSERT_NE(published, rows.end());
    EXPECT_EQ(published->cells[1], "33.3");
    EXPECT_EQ(published->cells[2], "23.7");
    const auto heating =
        find("Heating 99.6 %",
             "dry bulb published in the file's header, humidity from this file's hours");
    ASSERT_NE(heating, rows.end());
    EXPECT_EQ(heating->cells[1], "-20.0");
    // Heating goes on with the mean humidity ratio of the hours within 0.5 K: dry, cold air.
    ASSERT_TRUE(heating->point.has_value());
    EXPECT_DOUBLE_EQ(heating->point->dryBulb, 273.15 - 20);
    EXPECT_GT(heating->point->humidityRatio, 0.0002);
    EXPECT_LT(heating->point->humidityRatio, 0.001);
    EXPECT_EQ(heating->point->name, "Published heating 99.6 %");
    const auto mine = find("Cooling 0.4 %", "from this file's hours");
    ASSERT_NE(mine, rows.end());
    ASSERT_TRUE(mine->point.has_value());
    // A typical year's percentile within about a kelvin of the handbook's.
    EXPECT_NEAR(mine->point->dryBulb - 273.15, 33.3, 1.5);
    std::optional<OutdoorPoint> sent;
    window.toMainWindow = [&](const OutdoorPoint& point) { sent = point; };
    window.sendToMainWindow(*mine->point);
    ASSERT_TRUE(sent.has_value());
    EXPECT_DOUBLE_EQ(sent->dryBulb, mine->point->dryBulb);
    // Summer design air near 33 degC with a 23 degC wet bulb holds about 14 g/kg.
    EXPECT_NEAR(sent->humidityRatio * 1000, 14, 2);
    EXPECT_EQ(window.sendToProcesses(*mine->point), CommandOutcome::Refused); // none hooked
    // The filter changes the zone figures, never the design conditions (all hours).
    climate::Filter winter;
    winter.firstMonth = 12;
    winter.lastMonth = 2;
    window.setFilter(winter);
    const std::vector<FigureRow> after = window.figures();
    EXPECT_EQ(find("Cooling 0.4 %", "from this file's hours")->cells,
              std::find_if(after.begin(), after.end(), [&](const FigureRow& r) {
                  return r.cells == mine->cells;
              })->cells);
    // The CSV is the command line's writer, following the filter.
    const std::string csv = window.figuresCsv();
    EXPECT_NE(csv.find("section,period,item,measure,value,unit"), std::string::npos);
}

TEST(ClimateModel, DamagedFileIsRefusedByLine) {
    std::ifstream in(kChicago, std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    std::string text = whole.str();
    // Line 15's dry bulb (the 7th field of the 7th data row) becomes a word.
    std::size_t at = 0;
    for (int line = 1; line < 15; ++line) {
        at = text.find('\n', at) + 1;
    }
    for (int comma = 0; comma < 6; ++comma) {
        at = text.find(',', at) + 1;
    }
    text.replace(at, text.find(',', at) - at, "warm");
    const std::string path = ::testing::TempDir() + "damaged.epw";
    std::ofstream(path, std::ios::binary) << text;
    const auto read = LoadClimate(path, Pmv(1.1, 0.7));
    ASSERT_FALSE(read.has_value());
    EXPECT_NE(read.error().message.find("line 15"), std::string::npos) << read.error().message;
    EXPECT_EQ(read.error().kind, ClimateLoadFailureKind::NotWeather);
    LoadControl control;
    control.cancelled = true;
    const auto cancelled = LoadClimate(kChicago, Pmv(1.1, 0.7), &control);
    ASSERT_FALSE(cancelled.has_value());
    EXPECT_NE(cancelled.error().message.find("cancelled"), std::string::npos);
    EXPECT_EQ(cancelled.error().kind, ClimateLoadFailureKind::Cancelled);
}

// The row whose first cell starts so and whose source is `source`; none is rows.end().
std::vector<FigureRow>::const_iterator Row(const std::vector<FigureRow>& rows,
                                           const std::string& start, const std::string& source) {
    return std::find_if(rows.begin(), rows.end(), [&](const FigureRow& row) {
        return row.cells.size() >= 4 && row.cells[0].rfind(start, 0) == 0 && row.cells[3] == source;
    });
}

TEST(ClimateModel, DesignConditionsGoOnAsTheQuantitiesTheyName) {
    // Each condition goes on as its own two quantities, so that the main window computes it at
    // its pressure: the figures shown, not the humidity ratio at the station's pressure.
    struct Case {
        const char* row;
        const char* source;
        HumidityInput humidity;
        int dryCell, humidityCell; // the table's columns holding them; -1: not shown
    };
    const std::string mine = "from this file's hours";
    const std::string published = "published in the file's header";
    const Case cases[] = {
        {"Cooling 0.4 %", mine.c_str(), HumidityInput::WetBulb, 1, 2},
        {"Wet bulb 1 %", mine.c_str(), HumidityInput::WetBulb, 2, 1},
        {"Dew point 2 %", mine.c_str(), HumidityInput::DewPoint, 2, 1},
        {"Cooling 0.4 %", published.c_str(), HumidityInput::WetBulb, 1, 2},
        {"Heating 99.6 %", mine.c_str(), HumidityInput::HumidityRatio, 1, -1},
    };
    const ClimateModel window = Window();
    const std::vector<FigureRow> rows = window.figures();
    for (const Case& c : cases) {
        const auto row = Row(rows, c.row, c.source);
        ASSERT_NE(row, rows.end()) << c.row << " " << c.source;
        ASSERT_TRUE(row->point.has_value()) << c.row;
        const OutdoorPoint& p = *row->point;
        EXPECT_EQ(p.humidity, c.humidity) << c.row;
        EXPECT_NEAR(p.dryBulb - 273.15, std::stod(row->cells[c.dryCell]), 0.051) << c.row;
        if (c.humidityCell >= 0) {
            EXPECT_NEAR(p.humidityValue - 273.15, std::stod(row->cells[c.humidityCell]), 0.051)
                << c.row;
        } else {
            EXPECT_DOUBLE_EQ(p.humidityValue, p.humidityRatio) << c.row;
        }
        const processes::PointConditions sent = p.conditions();
        EXPECT_EQ(sent.humidityInput, c.humidity) << c.row;
        EXPECT_DOUBLE_EQ(sent.humidity, p.humidityValue) << c.row;
    }
    // A bin of relative-humidity bands goes on as its relative humidity.
    ClimateModel bins = Window();
    ClimateDisplay display;
    display.axis = climate::BinAxis::RelativeHumidity;
    bins.setDisplay(display);
    const climate::Bin& bin = bins.bins().bins.front();
    const auto inside =
        bins.binPointAt({(bin.dryBulbLow + bin.dryBulbHigh) / 2,
                         comfort::HumidityRatioAt((bin.dryBulbLow + bin.dryBulbHigh) / 2,
                                                  (bin.humidityLow + bin.humidityHigh) / 2,
                                                  bins.prepared().zones.air)
                             .value()});
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(inside->humidity, HumidityInput::RelativeHumidity);
    EXPECT_NEAR(inside->humidityValue, (bin.humidityLow + bin.humidityHigh) / 2, 1e-12);
}

TEST(ClimateModel, FiguresSayWhatTheirNumbersAre) {
    ClimateModel window = Window();
    const std::vector<FigureRow> rows = window.figures();
    // Every row under a heading in degrees is a temperature; the enthalpies have their own.
    std::string unit;
    for (const FigureRow& row : rows) {
        if (row.heading) {
            unit = row.cells.size() > 1 ? row.cells[1] : "";
            continue;
        }
        if (row.cells[0].rfind("Enthalpy", 0) == 0) {
            EXPECT_EQ(unit, "Value, kJ/kg") << row.cells[0];
        } else if (unit == "Value, °C") {
            EXPECT_EQ(row.cells[0].find("Enthalpy"), std::string::npos) << row.cells[0];
        }
    }
    // A published heating row's humidity is the file's own, and says so; the published cooling
    // rows carry the header's own wet bulb.
    for (const FigureRow& row : rows) {
        if (row.key.rfind("Published heating", 0) == 0) {
            EXPECT_NE(row.cells[3].find("humidity from this file's hours"), std::string::npos)
                << row.cells[3];
        }
        if (row.key.rfind("Published cooling", 0) == 0) {
            EXPECT_EQ(row.cells[3], "published in the file's header");
        }
    }
    // Keys are unique and stay with their row when the filter moves the rows.
    std::set<std::string> keys;
    for (const FigureRow& row : rows) {
        EXPECT_TRUE(keys.insert(row.key).second) << "twice: " << row.key;
    }
    const auto before = std::find_if(rows.begin(), rows.end(),
                                     [](const FigureRow& r) { return r.key == "Dew point 2 %"; });
    ASSERT_NE(before, rows.end());
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    window.setFilter(summer);
    const std::vector<FigureRow> after = window.figures();
    const auto moved = std::find_if(after.begin(), after.end(),
                                    [](const FigureRow& r) { return r.key == "Dew point 2 %"; });
    ASSERT_NE(moved, after.end());
    EXPECT_NE(moved - after.begin(), before - rows.begin()) << "the rows did not move";
    EXPECT_EQ(moved->cells, before->cells);
}

TEST(ClimateModel, NotesSayWhatTheCommandLineSays) {
    struct Case {
        const char* name;
        ComfortModel model;
        std::vector<comfort::Strategy> strategies;
        const char* note; // part of a note; empty: no note at all
    };
    const Case cases[] = {
        {"PMV alone", ComfortModel::Pmv, {}, ""},
        {"adaptive: days outside the model's range",
         ComfortModel::AdaptiveAshrae,
         {},
         "records on days outside the model's 10.0 °C to 33.5 °C count outside"},
        {"strategies beside a comfort model",
         ComfortModel::Pmv,
         {comfort::Strategy::EvaporativeCooling},
         "their own still-air band, 20.0 to 27.0 °C"},
        {"strategies alone", ComfortModel::None, {comfort::Strategy::EvaporativeCooling}, ""},
    };
    for (const Case& c : cases) {
        ClimateModel window = Window();
        ClimateSettings settings = window.settings();
        settings.comfort.model = c.model;
        settings.strategies = c.strategies;
        ASSERT_TRUE(window.changeSettings(settings).has_value()) << c.name;
        const std::vector<std::string> notes = window.notes();
        if (std::string(c.note).empty()) {
            EXPECT_TRUE(notes.empty()) << c.name << ": " << (notes.empty() ? "" : notes[0]);
            continue;
        }
        EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [&](const std::string& n) {
            return n.find(c.note) != std::string::npos;
        })) << c.name;
    }
}

// A header field read leniently is noted in the window as on the command line.
TEST(ClimateModel, NotesSayWhatTheReaderTookLeniently) {
    std::ifstream in(kChicago, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string field = "HOLIDAYS/DAYLIGHT SAVINGS,No,";
    ASSERT_NE(text.find(field), std::string::npos);
    text.replace(text.find(field), field.size(), "HOLIDAYS/DAYLIGHT SAVINGS,,");
    const std::string path = ::testing::TempDir() + "blank-leap-year.epw";
    std::ofstream(path, std::ios::binary) << text;
    auto read = LoadClimate(path, Pmv(1.1, 0.7));
    ASSERT_TRUE(read.has_value()) << (read ? "" : read.error().message);
    ClimateModel window;
    window.accept(std::move(read.value()));
    const std::vector<std::string> notes = window.notes();
    ASSERT_FALSE(notes.empty());
    EXPECT_NE(notes.front().find("leap"), std::string::npos) << notes.front();
    EXPECT_TRUE(Window().notes().empty()) << "Chicago as published reads without a note";
}

TEST(ClimateModel, ChartRangeWidensToHoldTheHours) {
    ClimateModel window = Window();
    const chart::ChartRange standard; // -10 to 50 degC, 0 to 30 g/kg
    const chart::ChartRange fitted = window.rangeHolding(standard);
    // Chicago's coldest hours lie near -25 degC: none is cut off, and the ends stay round.
    std::size_t below = 0;
    for (const std::size_t i : window.selection()) {
        const climate::HourState& s = window.prepared().states.hours[i];
        if (s.ok()) {
            below += s.dryBulb < standard.dryBulbMin;
            EXPECT_TRUE(fitted.contains({s.dryBulb, s.humidityRatio})) << i;
        }
    }
    EXPECT_GT(below, 300u);
    EXPECT_NEAR(std::remainder(fitted.dryBulbMin - 273.15, 5.0), 0, 1e-9);
    EXPECT_EQ(fitted.dryBulbMax, standard.dryBulbMax);
    EXPECT_EQ(fitted.humidityRatioMax, standard.humidityRatioMax);
    // Never narrower, and summer alone needs no more than the standard range.
    const chart::ChartRange wide{200, 350, 0, 0.05};
    EXPECT_EQ(window.rangeHolding(wide), wide);
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    window.setFilter(summer);
    EXPECT_EQ(window.rangeHolding(standard), standard);
    EXPECT_EQ(ClimateModel().rangeHolding(standard), standard);
}

TEST(ClimateModel, NamedPipeIsRefusedBeforeAByteIsRead) {
    const std::string fifo = ::testing::TempDir() + "climate-window.fifo";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Run where a read that never ends cannot hold the test: a writer opened afterwards lets a
    // blocked reader go.
    auto load = std::make_shared<std::promise<std::string>>();
    std::future<std::string> message = load->get_future();
    std::thread([load, fifo] {
        const auto read = LoadClimate(fifo, Pmv(1.1, 0.7));
        load->set_value(read.has_value() ? std::string("taken") : read.error().message);
    }).detach();
    const bool prompt = message.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!prompt) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
        message.wait();
    }
    EXPECT_TRUE(prompt) << "the read waited for a writer";
    EXPECT_NE(message.get().find("named pipe"), std::string::npos);
    std::remove(fifo.c_str());
}

TEST(ClimateModel, TypedUserZones) {
    struct Row {
        const char* name;
        const char* text;
        climateanalysis::Units units;
        std::size_t zones;
        const char* refusal;      // part of the message; empty when read
        UserZoneFailureKind kind; // of a refusal; {} when read
    };
    using Kind = UserZoneFailureKind;
    const Row rows[] = {
        {"humidity-ratio corners",
         "Office: 20, 4; 26, 4; 26, 12; 20, 12",
         climateanalysis::Units::SI,
         1,
         "",
         {}},
        {"relative-humidity corners, blank line",
         "A: 18, 30 %; 28, 30 %; 28, 60 %\n\n",
         climateanalysis::Units::SI,
         1,
         "",
         {}},
        {"IP corners", "B: 68, 30; 80, 30; 80, 80", climateanalysis::Units::IP, 1, "", {}},
        {"two zones",
         "A: 18,4;28,4;28,8\nB: 18,8;28,8;28,12",
         climateanalysis::Units::SI,
         2,
         "",
         {}},
        {"mixed humidities", "A: 18, 4; 28, 40 %; 28, 8", climateanalysis::Units::SI, 0, "same way",
         Kind::MixedHumidity},
        {"a word for a number, line 2", "A: 18,4;28,4;28,8\nB: 18, damp; 28, 4; 28, 8",
         climateanalysis::Units::SI, 0, "line 2", Kind::NotACorner},
        {"no name", ": 18,4;28,4;28,8", climateanalysis::Units::SI, 0, "name", Kind::NoName},
        {"two corners", "A: 18,4;28,4", climateanalysis::Units::SI, 0, "line 1", Kind::ZoneRefused},
        {"relative humidity above 100 %", "A: 18, 30 %; 28, 30 %; 28, 160 %",
         climateanalysis::Units::SI, 0, "line 1", Kind::ZoneRefused},
    };
    for (const Row& row : rows) {
        const auto zones = ParseUserZones(row.text, row.units);
        if (*row.refusal == '\0') {
            ASSERT_TRUE(zones.has_value()) << row.name << ": " << zones.error().message;
            EXPECT_EQ(zones->size(), row.zones) << row.name;
        } else {
            ASSERT_FALSE(zones.has_value()) << row.name;
            EXPECT_NE(zones.error().message.find(row.refusal), std::string::npos)
                << row.name << ": " << zones.error().message;
            EXPECT_EQ(zones.error().kind, row.kind) << row.name;
        }
    }
    const auto office =
        ParseUserZones("Office: 20, 4; 26, 4; 26, 12; 20, 12", climateanalysis::Units::SI);
    EXPECT_DOUBLE_EQ((*office)[0].points[2].first, 273.15 + 26);
    EXPECT_DOUBLE_EQ((*office)[0].points[2].second, 0.012);
    // A typed zone is counted and drawn with the others.
    ClimateModel window = Window();
    ClimateSettings settings = window.settings();
    settings.userZones = *office;
    ASSERT_TRUE(window.changeSettings(settings).has_value());
    ASSERT_EQ(window.result().zones.names.size(), 2u);
    EXPECT_EQ(window.result().zones.names[1], "Office");
    ExpectConsistent(window, "a user zone");
}

} // namespace
} // namespace hygrovane::models
