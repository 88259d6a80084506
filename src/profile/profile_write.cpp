// Writing values back to the main file on disk (the loaded lists are not changed).
#include "profile/profile.h"

#include "profile/profile_file.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr unsigned long kInvalidParameter = 87;

bool Named(const char* section, const char* key) { return section && *section && key && *key; }

int AsInt(unsigned long value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

}  // namespace

unsigned long CProfile::SetData(const char* section, const char* key, const char* text) {
    if (!section || !*section || !key || !text) return kInvalidParameter;
    // Without a loaded main file there is no file to write to (an empty name would let the
    // platform writer pick a file of its own).
    if (path_.empty()) return kInvalidParameter;
    if (!*key) return setup::profile::ClearProfileSection(path_.c_str(), section);
    return setup::profile::WriteProfileValue(path_.c_str(), section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, const char* text) {
    return SetData(section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, unsigned long number) {
    if (!Named(section, key)) return kInvalidParameter;
    char text[16];
    std::snprintf(text, sizeof(text), "%d", AsInt(number));
    return SetData(section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, const PROFILE_SIZE& size) {
    if (!Named(section, key)) return kInvalidParameter;
    char text[32];
    std::snprintf(text, sizeof(text), "%d,%d", size.cx, size.cy);
    return SetData(section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, const PROFILE_POINT& point) {
    if (!Named(section, key)) return kInvalidParameter;
    char text[32];
    std::snprintf(text, sizeof(text), "%d,%d", point.x, point.y);
    return SetData(section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, const unsigned long* color) {
    if (!Named(section, key) || !color) return kInvalidParameter;
    char text[48];
    std::snprintf(text, sizeof(text), "%d,%d,%d", static_cast<int>(*color & 0xFF),
                  static_cast<int>((*color >> 8) & 0xFF), static_cast<int>((*color >> 16) & 0xFF));
    return SetData(section, key, text);
}

unsigned long CProfile::SetValue(const char* section, const char* key, const PROFILE_RECT& rect) {
    if (!Named(section, key)) return kInvalidParameter;
    char text[64];
    std::snprintf(text, sizeof(text), "%d,%d,%d,%d", rect.left, rect.top, rect.right, rect.bottom);
    return SetData(section, key, text);
}
