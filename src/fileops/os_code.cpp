#include "fileops/os_code.h"

#include "common/ansi_text.h"

namespace setup {
namespace {

constexpr unsigned long kFamily9x = 10;
constexpr unsigned long kFamilyNt4 = 15;
constexpr unsigned long kFamilyNt5 = 17;

// The service text must equal the letter exactly after upper-casing: " A " is not "A".
unsigned long Code9x(unsigned long minor, const std::string& service) {
    switch (minor) {
    case 0: return (service == "B" || service == "C") ? 4 : 3;
    case 10: return service == "A" ? 7 : 6;
    case 90: return 9;
    default: return 10;
    }
}

unsigned long CodeNt5(unsigned long minor, const OsVersionFacts& facts) {
    switch (minor) {
    case 0: return 13;
    case 2: return (facts.wow64 && facts.productType == 1) ? 14 : 16;  // XP x64 reports 5.2
    default: return 14;
    }
}

OsCode CodeNt(const OsVersionFacts& facts) {
    if (facts.major == 3) return {11, kFamilyNt4};
    if (facts.major == 4) return {12, kFamilyNt4};
    if (facts.major == 5) return {CodeNt5(facts.minor, facts), kFamilyNt5};
    // Vista and every later version (7, 8, 10 and 11 report 6.x or 10.0) share one code:
    // callers test 18 for "Vista and later", so Windows 10 must not fall back to 2000's 13.
    if (facts.major >= 6) return {18, kFamilyNt5};
    return {13, kFamilyNt5};
}

}  // namespace

bool MapOsCode(const OsVersionFacts& facts, OsCode& result) {
    std::string service = facts.serviceText;
    text::UpperInPlace(service);
    switch (facts.platformId) {
    case 0: result = {2, 2}; return true;
    case 1: result = {Code9x(facts.minor, service), kFamily9x}; return true;
    case 2: result = CodeNt(facts); return true;
    default: result = {}; return false;
    }
}

}  // namespace setup
