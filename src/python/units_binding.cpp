#include "array_args.h"
#include "bindings.h"
#include "column_pool.h"
#include "units/quantity.h"

#include <pybind11/stl.h>

#include <array>
#include <utility>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using units::Quantity;

// Every quantity of the catalogue, named for Python.
constexpr std::array<std::pair<Quantity, const char*>, 13> kQuantities = {{
    {Quantity::Temperature, "temperature"},
    {Quantity::Pressure, "pressure"},
    {Quantity::Length, "length"},
    {Quantity::HumidityRatio, "humidity_ratio"},
    {Quantity::AbsoluteHumidity, "absolute_humidity"},
    {Quantity::RelativeHumidity, "relative_humidity"},
    {Quantity::MoleFraction, "mole_fraction"},
    {Quantity::MassFraction, "mass_fraction"},
    {Quantity::SpecificGasConstant, "gas_constant"},
    {Quantity::MolecularWeight, "molecular_weight"},
    {Quantity::Density, "density"},
    {Quantity::SpecificVolume, "specific_volume"},
    {Quantity::SpecificEnthalpy, "enthalpy"},
}};

std::vector<std::pair<std::string, std::vector<std::string>>> Catalogue() {
    std::vector<std::pair<std::string, std::vector<std::string>>> all;
    for (const auto& [quantity, name] : kQuantities) {
        all.emplace_back(name, units::UnitList(quantity));
    }
    return all;
}

// From a unit to the internal unit and on to another, element by element, as the windows do.
DoubleArray Convert(const DoubleArray& values, int quantityIndex, const std::string& from,
                    const std::string& to) {
    if (quantityIndex < 0 || quantityIndex >= static_cast<int>(kQuantities.size())) {
        throw std::invalid_argument("unknown quantity");
    }
    const Quantity quantity = kQuantities[static_cast<std::size_t>(quantityIndex)].first;
    // An empty name is the internal unit.
    const auto in = [&](double x) {
        return from.empty() ? x : *units::ToInternal(quantity, from, x);
    };
    const auto out = [&](double x) {
        return to.empty() ? x : *units::FromInternal(quantity, to, x);
    };
    if ((!from.empty() && !units::ToInternal(quantity, from, 0)) ||
        (!to.empty() && !units::FromInternal(quantity, to, 0))) {
        throw std::invalid_argument("unknown unit");
    }
    const auto n = static_cast<std::size_t>(values.size());
    DoubleArray result = NewColumn(n);
    const double* source = values.data();
    double* target = result.mutable_data();
    {
        const py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < n; ++i) {
            target[i] = out(in(source[i]));
        }
    }
    return result;
}

} // namespace

void BindUnits(py::module_& m) {
    m.def("unit_catalogue", &Catalogue, "Every quantity's unit names, as the windows list them.");
    m.def("convert_units", &Convert, py::arg("values"), py::arg("quantity"), py::arg("from_unit"),
          py::arg("to_unit"));
}

} // namespace hygrovane::python
