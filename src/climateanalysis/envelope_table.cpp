#include "climateanalysis/envelope_table.h"

namespace hygrovane::climateanalysis {

tables::Section EnvelopeSection(const std::vector<EnvelopeFigures>& figures) {
    using tables::Quantity;
    using tables::Unit;
    tables::Section section{"Envelopes (filtered hours)",
                            std::string(kEnvelopesSection),
                            {{"Envelope", Quantity::Text, Unit::None, "name"},
                             {"Inside", Quantity::Hours, Unit::Hour, "hoursInside"},
                             {"Inside", Quantity::Share, Unit::Percent, "percentInside"},
                             {"Outside", Quantity::Hours, Unit::Hour, "hoursOutside"},
                             {"Missing", Quantity::Hours, Unit::Hour, "hoursMissing"},
                             {"Excursions", Quantity::Count, Unit::None, "excursions"},
                             {"Longest", Quantity::Hours, Unit::Hour, "longestHours"},
                             {"K h", Quantity::Hours, Unit::None, "degreeHours"},
                             {"g/kg h", Quantity::Hours, Unit::None, "gramHours"},
                             {"%RH h", Quantity::Hours, Unit::None, "percentHours"},
                             {"Worst from", Quantity::Text, Unit::None, "worstStart"},
                             {"to", Quantity::Text, Unit::None, "worstEnd"}}};
    for (const EnvelopeFigures& f : figures) {
        const envelopes::Compliance& c = f.compliance;
        tables::Row& row =
            section.AddRow(f.envelope.name,
                           {c.hoursInside, c.PercentInside(), c.hoursOutside, c.hoursMissing,
                            static_cast<double>(c.excursionCount), c.longestHours, c.degreeHours,
                            c.gramHours, c.percentHours},
                           f.envelope.name);
        row.cells.resize(10);
        row.cells.push_back(tables::TextCell(c.worst ? TimeText(c.worst->start) : ""));
        row.cells.push_back(tables::TextCell(c.worst ? TimeText(c.worst->end) : ""));
    }
    for (const EnvelopeFigures& f : figures) {
        section.notes.push_back(f.envelope.name + ": " + f.envelope.edition + ", " +
                                f.envelope.title + ".");
    }
    return section;
}

} // namespace hygrovane::climateanalysis
