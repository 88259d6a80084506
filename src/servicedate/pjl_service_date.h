#pragma once
// The bytes KXDate sends: a PJL command framed by Universal Exit Language sequences.
#include <string>

namespace servicedate {

// ESC "%-12345X": 9 bytes.
std::string UelSequence();
// "@PJL DEFAULT SERVICEDATE=YYYYMMDD\r\n": 35 bytes for years 0 to 9999.
std::string ServiceDateLine(int year, int month, int day);

}  // namespace servicedate
