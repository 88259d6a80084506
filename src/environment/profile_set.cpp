#include "environment/profile_set.h"

#include "environment/profile_set_text.h"

#include <cstring>
#include <memory>

using setup::kValueBufferBytes;

namespace {

constexpr unsigned long kSuccess = 0;

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

CProfileSet::CProfileSet(const ProfileEnvironment* environment) : environment_(environment) {}

bool CProfileSet::Open(const char* mainPath, const char* stringPath, const char* messagePath, bool escapes) {
    mainOpen_ = false;
    messageOpen_ = false;
    stringPath_ = OrEmpty(stringPath);
    if (mainPath && *mainPath) {
        main_.Reload(mainPath, stringPath_.c_str());
        mainPath_ = mainPath;
        mainOpen_ = true;
    }
    if (messagePath && *messagePath) {
        message_.Reload(messagePath, stringPath_.c_str());
        messagePath_ = messagePath;
        messageOpen_ = true;
    }
    escapes_ = escapes;
    return mainOpen_;
}

bool CProfileSet::ReloadMain(const char* path) {
    main_.Reload(OrEmpty(path), stringPath_.c_str());
    mainPath_ = OrEmpty(path);
    return true;
}

bool CProfileSet::SetMessageFile(const char* path) {
    message_.Reload(OrEmpty(path), stringPath_.c_str());
    messagePath_ = OrEmpty(path);
    messageOpen_ = true;
    return true;
}

std::string CProfileSet::ExpandValue(const std::string& raw, bool expandMacros, unsigned short langId,
                                     const char* langAbbr, const char* langDir) const {
    std::string value = raw;
    if (messageOpen_ && value.find('@') != std::string::npos) {
        std::unique_ptr<char[]> work(new char[kValueBufferBytes]);
        auto lookup = [&](const std::string& key, std::string& message) {
            work[0] = '\0';
            if (message_.GetString("MESSAGES", key.c_str(), work.get(), kValueBufferBytes, true) != kSuccess)
                return false;
            message = work.get();
            return true;
        };
        value = setup::ExpandMessageReferences(value, lookup);
    }
    if (expandMacros && environment_ && !environment_->RemoteInstallMode())
        value = environment_->ExpandMacros(value, langId, OrEmpty(langAbbr), OrEmpty(langDir));
    return value;
}

bool CProfileSet::GetString(const char* section, const char* key, std::string& value, bool expandMacros,
                            unsigned short langId, const char* langAbbr, const char* langDir) const {
    if (!mainOpen_ || !section || !key) return false;
    std::unique_ptr<char[]> work(new char[kValueBufferBytes]);
    work[0] = '\0';
    if (main_.GetString(section, key, work.get(), kValueBufferBytes, escapes_) != kSuccess) return false;
    value = ExpandValue(work.get(), expandMacros, langId, langAbbr, langDir);
    return true;
}

bool CProfileSet::GetString(const char* section, const char* key, char* buffer, unsigned long size,
                            bool expandMacros, unsigned short langId, const char* langAbbr,
                            const char* langDir) const {
    if (!buffer || size == 0) return false;
    std::string value;
    if (!GetString(section, key, value, expandMacros, langId, langAbbr, langDir)) return false;
    if (value.size() >= size) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return true;
}

bool CProfileSet::GetDword(const char* section, const char* key, unsigned long* out) const {
    return mainOpen_ && main_.GetDword(section, key, out) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, PROFILE_SIZE* size) const {
    return mainOpen_ && main_.GetControl(section, key, size) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, PROFILE_POINT* point) const {
    return mainOpen_ && main_.GetControl(section, key, point) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, unsigned long* color) const {
    return mainOpen_ && main_.GetControl(section, key, color) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, PROFILE_RECT* rect) const {
    return mainOpen_ && main_.GetControl(section, key, rect) == kSuccess;
}

#if defined(_WIN32)
bool CProfileSet::GetControl(const char* section, const char* key, tagSIZE* size) const {
    return mainOpen_ && main_.GetControl(section, key, size) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, tagPOINT* point) const {
    return mainOpen_ && main_.GetControl(section, key, point) == kSuccess;
}

bool CProfileSet::GetControl(const char* section, const char* key, tagRECT* rect) const {
    return mainOpen_ && main_.GetControl(section, key, rect) == kSuccess;
}
#endif

bool CProfileSet::GetAllKey(const char* section, char* buffer, unsigned long size, unsigned short langId,
                            const char* langAbbr, const char* langDir) const {
    if (!mainOpen_ || !section || !buffer || size < 2) return false;
    std::unique_ptr<char[]> work(new char[kValueBufferBytes]);
    if (main_.GetAllKey(section, work.get(), kValueBufferBytes, false) != kSuccess) return false;
    if (environment_ && environment_->RemoteInstallMode()) return true;

    unsigned long used = 0;
    bool fits = true;
    for (const char* entry = work.get(); *entry; entry += std::strlen(entry) + 1) {
        std::string expanded = ExpandValue(entry, true, langId, langAbbr, langDir);
        // Room for the entry, its NUL and the list's final NUL.
        if (used + expanded.size() + 2 > size) {
            fits = false;
            break;
        }
        std::memcpy(buffer + used, expanded.c_str(), expanded.size() + 1);
        used += static_cast<unsigned long>(expanded.size()) + 1;
    }
    buffer[used] = '\0';
    return fits;
}

bool CProfileSet::GetKeys(const char* section, std::vector<std::string>& keys) const {
    if (!mainOpen_ || !section) return false;
    SECTION_LIST* found = main_.MainList().FindSection(section);
    if (!found) return false;
    keys.clear();
    for (LINE_LIST* line = found->lines; line; line = line->next) keys.emplace_back(line->key ? line->key : "");
    return true;
}

bool CProfileSet::GetSectionNames(char* buffer, unsigned long size) const {
    return mainOpen_ && buffer && size > 0 && main_.GetSectionName(buffer, size, false) == kSuccess;
}

bool CProfileSet::ListSectionNames(std::string& listing) const {
    std::unique_ptr<char[]> work(new char[kValueBufferBytes]);
    if (!GetSectionNames(work.get(), kValueBufferBytes)) return false;
    listing = work.get();
    return true;
}

bool CProfileSet::SectionExists(const char* name) const {
    std::string listing;
    if (!name || !ListSectionNames(listing)) return false;
    return setup::ListingContains(setup::SplitSectionListing(listing), name);
}

bool CProfileSet::FindSection(const char* base, std::string& variant) const {
    std::string listing;
    if (!base || !ListSectionNames(listing)) return false;
    std::string osDefine, langAbbr;
    bool network = false, usbOnly = false;
    if (environment_) {
        osDefine = environment_->OsDefine();
        langAbbr = environment_->LanguageAbbr();
        network = environment_->NetworkOption();
        usbOnly = environment_->UsbOnlyOption();
    }
    std::string found = setup::FirstListedCandidate(
        setup::SplitSectionListing(listing), setup::SectionCandidates(base, osDefine, langAbbr, network, usbOnly));
    if (found.empty()) return false;
    variant = found;
    return true;
}
