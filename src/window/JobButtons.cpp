#include "window/JobButtons.h"

namespace kestrel {

namespace {

constexpr JobButton kJobButtons[] = {
    // Printer settings
    {1004, "selflearn"},
    {1016, "locate"},
    {1023, "backfeed"},
    {1030, "density"},
    {1074, "speed"},
    {1080, "factoryreset"},
    {1031, "selftest"},
    {1081, "selftest"},
    {1082, "blackmark-on"},
    {1083, "blackmark-off"},
    {1086, "printer-baud"},
    // Test labels
    {1005, "60x20"},
    {1006, "60x30"},
    {1007, "60x40"},
    {1009, "60x50"},
    {1008, "58x20"},
    {1014, "58x30"},
    {1024, "58x40"},
    {1015, "58x50"},
    {1025, "80x20"},
    {1026, "80x30"},
    {1028, "80x40"},
    {1027, "80x50"},
    {1043, "80x60"},
    // Single-item tests
    {1017, "picture"},
    {1018, "rectangle"},
    {1019, "circle"},
    {1020, "barcode"},
    {1021, "qrcode"},
    {1032, "beeper"},
    {1045, "cashdrawer"},
    {1046, "line1"},
    {1048, "line2"},
    {1049, "print1"},
    {1050, "print2"},
    {1084, "smallfont"},
    // Custom label
    {1040, "custom"},
};

}  // namespace

std::span<const JobButton> JobButtons() { return kJobButtons; }

}  // namespace kestrel
