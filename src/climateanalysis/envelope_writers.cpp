#include "climateanalysis/envelope_writers.h"

#include "climateanalysis/result_writers.h"
#include "climateanalysis/writer_support.h"

namespace hygrovane::climateanalysis {

namespace {

using detail::CsvField;
using detail::Fixed;
using detail::JsonString;

std::string Percent(double percent) {
    return Fixed(percent, 2);
}

std::string Worst(const envelopes::Compliance& c, const char* joint) {
    return TimeText(c.worst->start) + joint + TimeText(c.worst->end);
}

} // namespace

std::string EnvelopesText(const std::vector<EnvelopeFigures>& figures) {
    std::string text = "Envelopes (hours inside, outside and missing; excursions outside):\n";
    for (const EnvelopeFigures& f : figures) {
        const envelopes::Compliance& c = f.compliance;
        text += "  " + f.envelope.name + " (" + f.envelope.edition + ", " + f.envelope.title +
                "):\n    " + HoursText(c.hoursInside) + " h inside (" + Percent(c.PercentInside()) +
                " %), " + HoursText(c.hoursOutside) + " h outside, " + HoursText(c.hoursMissing) +
                " h missing\n";
        text += "    excursions: " + std::to_string(c.excursionCount) + ", longest " +
                HoursText(c.longestHours) + " h, total " + HoursText(c.excursionHours) + " h, " +
                Fixed(c.degreeHours, 1) + " K h, " + Fixed(c.gramHours, 1) + " g/kg h, " +
                Fixed(c.percentHours, 1) + " %RH h";
        if (c.worst) {
            text += "; worst " + Worst(c, " to ") + " (" + HoursText(c.worst->hours) + " h, " +
                    Fixed(c.worst->degreeHours, 1) + " K h, " + Fixed(c.worst->gramHours, 1) +
                    " g/kg h, " + Fixed(c.worst->percentHours, 1) + " %RH h)";
        }
        text += "\n    % inside by month:";
        for (int m = 1; m <= 12; ++m) {
            const envelopes::PeriodCompliance& month = c.months[static_cast<std::size_t>(m - 1)];
            text += std::string(" ") + MonthAbbreviation(m) + " " +
                    (month.hours > 0 ? Fixed(month.PercentInside(), 1) : std::string("-"));
        }
        text += "\n    % inside by hour of day:";
        for (std::size_t h = 0; h < 24; ++h) {
            const envelopes::PeriodCompliance& hour = c.hoursOfDay[h];
            text += " " + std::to_string(h) + ":" +
                    (hour.hours > 0 ? Fixed(hour.PercentInside(), 1) : std::string("-"));
        }
        text += "\n";
    }
    return text;
}

std::string EnvelopesCsv(const std::vector<EnvelopeFigures>& figures) {
    std::string csv;
    const auto row = [&csv](const std::string& period, const std::string& item, const char* measure,
                            const std::string& value, const char* unit) {
        csv += "envelopes," + CsvField(period) + "," + CsvField(item) + "," + measure + "," +
               CsvField(value) + "," + unit + "\n";
    };
    for (const EnvelopeFigures& f : figures) {
        const envelopes::Compliance& c = f.compliance;
        const std::string& name = f.envelope.name;
        row("year", name, "edition", f.envelope.edition, "");
        row("year", name, "hoursInside", HoursText(c.hoursInside), "h");
        row("year", name, "percentInside", Percent(c.PercentInside()), "%");
        row("year", name, "hoursOutside", HoursText(c.hoursOutside), "h");
        row("year", name, "hoursMissing", HoursText(c.hoursMissing), "h");
        row("year", name, "excursions", std::to_string(c.excursionCount), "");
        row("year", name, "longestHours", HoursText(c.longestHours), "h");
        row("year", name, "totalHours", HoursText(c.excursionHours), "h");
        row("year", name, "degreeHours", Fixed(c.degreeHours, 2), "K h");
        row("year", name, "gramHours", Fixed(c.gramHours, 2), "g/kg h");
        row("year", name, "percentHours", Fixed(c.percentHours, 2), "%RH h");
        row("year", name, "worstStart", c.worst ? TimeText(c.worst->start) : "", "");
        row("year", name, "worstEnd", c.worst ? TimeText(c.worst->end) : "", "");
        for (int m = 1; m <= 12; ++m) {
            const envelopes::PeriodCompliance& month = c.months[static_cast<std::size_t>(m - 1)];
            row(MonthAbbreviation(m), name, "hoursInside", HoursText(month.hoursInside), "h");
            row(MonthAbbreviation(m), name, "percentInside", Percent(month.PercentInside()), "%");
        }
    }
    return csv;
}

std::string EnvelopesJson(const std::vector<EnvelopeFigures>& figures) {
    std::string json = "[";
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const EnvelopeFigures& f = figures[i];
        const envelopes::Compliance& c = f.compliance;
        json += std::string(i == 0 ? "" : ",") + "\n    {\"name\": " + JsonString(f.envelope.name) +
                ", \"edition\": " + JsonString(f.envelope.edition) +
                ", \"hoursInside\": " + HoursText(c.hoursInside) +
                ", \"percentInside\": " + Percent(c.PercentInside()) +
                ", \"hoursOutside\": " + HoursText(c.hoursOutside) +
                ", \"hoursMissing\": " + HoursText(c.hoursMissing) +
                ",\n     \"excursions\": {\"count\": " + std::to_string(c.excursionCount) +
                ", \"longestHours\": " + HoursText(c.longestHours) +
                ", \"totalHours\": " + HoursText(c.excursionHours) +
                ", \"degreeHours\": " + Fixed(c.degreeHours, 2) +
                ", \"gramHours\": " + Fixed(c.gramHours, 2) +
                ", \"percentHours\": " + Fixed(c.percentHours, 2) + "}" + ",\n     \"worst\": " +
                (c.worst ? "{\"start\": " + JsonString(TimeText(c.worst->start)) +
                               ", \"end\": " + JsonString(TimeText(c.worst->end)) + "}"
                         : std::string("null")) +
                ",\n     \"months\": [";
        for (int m = 1; m <= 12; ++m) {
            const envelopes::PeriodCompliance& month = c.months[static_cast<std::size_t>(m - 1)];
            json += std::string(m == 1 ? "" : ", ") +
                    "{\"hoursInside\": " + HoursText(month.hoursInside) +
                    ", \"percentInside\": " + Percent(month.PercentInside()) + "}";
        }
        json += "]}";
    }
    return json + (figures.empty() ? "]" : "\n  ]");
}

std::string WithEnvelopesMember(const std::string& json,
                                const std::vector<EnvelopeFigures>& figures) {
    const std::size_t close = json.find_last_of('}');
    if (close == std::string::npos) {
        return json;
    }
    std::size_t end = close;
    while (end > 0 && (json[end - 1] == '\n' || json[end - 1] == ' ')) {
        --end;
    }
    return json.substr(0, end) + ",\n  \"envelopes\": " + EnvelopesJson(figures) + "\n" +
           json.substr(close);
}

} // namespace hygrovane::climateanalysis
