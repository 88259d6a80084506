#pragma once
// Whether the running Windows is 64-bit: a 64-bit build is by definition; a 32-bit build asks
// IsWow64Process, bound at run time because systems before XP SP2 lack it (false there).
namespace setup {

bool Is64BitWindows();

}  // namespace setup
