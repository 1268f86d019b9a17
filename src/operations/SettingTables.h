#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// LabelAreaTable: the print area of the single-item tests for an item of the
// label-size list; false (values unchanged) for an index outside 0 to 12.
bool LabelAreaFor(int index, std::int32_t* widthDots, std::int32_t* heightDots);

// The barcode table: the system number m for an item of the barcode list;
// -1 for an index outside the list.
std::int32_t BarcodeSystemFor(int index);

// The printer baud table: the rate code of ESC N 1 for a rate text (01 for
// any text not in the table).
std::int32_t PrinterBaudCode(const std::string& rateText);

}  // namespace kestrel
