// Pre-installer module: records its command line; nothing is installed beforehand.
#include "standin.h"

STANDIN_EXPORT int WINAPI Preinstall(const char* commandLine, int number) {
    using standin::Arg;
    standin::CallLog("Preinstall", {Arg(commandLine), Arg(number)});
    return standin::SimNumber("PREINSTALL", "Result", 0);
}
