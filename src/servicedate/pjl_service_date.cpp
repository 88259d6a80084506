#include "servicedate/pjl_service_date.h"

#include <cstdio>

namespace servicedate {

std::string UelSequence() {
    return "\x1B%-12345X";
}

std::string ServiceDateLine(int year, int month, int day) {
    char line[64];
    int length = std::snprintf(line, sizeof(line), "@PJL DEFAULT SERVICEDATE=%04d%02d%02d\r\n", year, month, day);
    return std::string(line, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace servicedate
