// The Win32 SIZE, POINT and RECT forms of GetControl, over the layout-compatible records.
#include "profile/profile.h"

#include <windows.h>

static_assert(sizeof(SIZE) == sizeof(PROFILE_SIZE) && offsetof(SIZE, cy) == offsetof(PROFILE_SIZE, cy));
static_assert(sizeof(POINT) == sizeof(PROFILE_POINT) && offsetof(POINT, y) == offsetof(PROFILE_POINT, y));
static_assert(sizeof(RECT) == sizeof(PROFILE_RECT) && offsetof(RECT, bottom) == offsetof(PROFILE_RECT, bottom));

unsigned long CProfile::GetControl(const char* section, const char* key, tagSIZE* size) {
    return GetControl(section, key, reinterpret_cast<PROFILE_SIZE*>(size));
}

unsigned long CProfile::GetControl(const char* section, const char* key, tagPOINT* point) {
    return GetControl(section, key, reinterpret_cast<PROFILE_POINT*>(point));
}

unsigned long CProfile::GetControl(const char* section, const char* key, tagRECT* rect) {
    return GetControl(section, key, reinterpret_cast<PROFILE_RECT*>(rect));
}
