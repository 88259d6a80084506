#pragma once
// Creates a folder and any missing parents. Win32 error code (0 also when it existed).
// The destination folders are recorded for uninstall once the copy engine's create-folders
// operation exists; until then this plain form is the one place that creates them.
#include <string>

unsigned long CreateFolderTree(const std::string& path);
