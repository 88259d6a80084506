#pragma once
// Classes that Setup.exe exports to other programs of the installation.
#if defined(_WIN32)
#define SETUP_API __declspec(dllexport)
#else
#define SETUP_API
#endif
