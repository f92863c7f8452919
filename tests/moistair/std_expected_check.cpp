// Compiled, never run: the installed headers and the core's own sources with Expected an alias of
// std::expected (HYGROVANE_USE_STD_EXPECTED under C++23), so that the swap stays one line.
#include "hygrovane/chart_point.h"
#include "hygrovane/conditions.h"
#include "hygrovane/expected.h"
#include "hygrovane/humidity_keys.h"
#include "hygrovane/moist_air.h"
#include "hygrovane/moist_air_state.h"
#include "hygrovane/relations.h"
#include "hygrovane/sat_formulation.h"
#include "hygrovane/solve_result.h"

#include <expected>
#include <type_traits>

namespace hygrovane {

static_assert(std::is_same_v<Expected<int, SolveFailure>, std::expected<int, SolveFailure>>);
static_assert(std::is_same_v<Unexpected<SolveFailure>, std::unexpected<SolveFailure>>);
static_assert(std::is_same_v<decltype(Fail(SolveFailure{})), std::unexpected<SolveFailure>>);
static_assert(!std::is_convertible_v<SolveFailure, Result<double>>);

} // namespace hygrovane
