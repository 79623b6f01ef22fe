#pragma once

#include <QByteArray>

namespace velmora::testing {

// A SWMM model in LPS that runs six hours, with two subcatchments on gage RG0.
inline const QByteArray SmallSwmmModel =
    "[OPTIONS]\r\n"
    "FLOW_UNITS           LPS\r\n"
    "START_DATE           01/01/2024\r\n"
    "START_TIME           00:00:00\r\n"
    "END_DATE             01/01/2024\r\n"
    "END_TIME             06:00:00\r\n"
    "\r\n"
    "[SUBCATCHMENTS]\r\n"
    "S1               RG0              J1               1        100      100      1        0\r\n"
    "S2               RG0              J1               1        100      100      1        0\r\n";

} // namespace velmora::testing
