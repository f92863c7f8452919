#pragma once

namespace hygrovane::engine {

// The two saturation formulations; the integer codes are the ones the report writes.
enum class SatFormulation { IAPWS = 1, HylandWexler = 2 };

} // namespace hygrovane::engine
