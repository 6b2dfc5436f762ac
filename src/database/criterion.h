#pragma once

namespace dravelin {

// What the query is compared with: the four option buttons of the main window.
enum class Criterion { Callsign, Surname, City, Department };

} // namespace dravelin
