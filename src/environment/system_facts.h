#pragma once
// Facts about the machine that stay fixed for the run, read once when CGlobal is built.
// Tests may build CGlobal from their own record to pose as a system Wine cannot be.
#include "environment/os_define_keys.h"

#include <string>

struct SYSTEM_FACTS {
    std::string windowsDir;
    std::string systemDir;
    std::string infDir;            // windowsDir + "\Inf"
    std::string programFilesDir;   // empty when the registry does not name it
    std::string tempDir;           // no trailing backslash
    bool is64BitSystem = false;
    unsigned short systemLanguageId = 9;
    setup::OS_VERSION_FACTS version;
    unsigned long versionError = 0;  // why the version could not be read (version.available false)
};

SYSTEM_FACTS ReadSystemFacts();
