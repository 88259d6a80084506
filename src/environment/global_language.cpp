#include "environment/global.h"

#include "common/unique_handle.h"
#include "environment/language_table.h"
#include "environment/log.h"
#include "environment/path_rules.h"
#include "environment/wait_cursor.h"
#include "fileops/system_utils.h"
#include "profile/registry.h"

#include <windows.h>

namespace {

std::string TrimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

setup::CountryLookup CountryMapping(const CProfileSet& dataSet) {
    return [&dataSet](const std::string& key, unsigned long& mapped) {
        std::string value;
        if (!dataSet.GetString("COUNTRY_LANG_CODE", key.c_str(), value)) return false;
        mapped = CProfile::StringToDword(value.c_str());
        return true;
    };
}

// Several values under one key: one open handle for all of them (CRegistry opens per value).
class InstallingKeyWriter {
public:
    explicit InstallingKeyWriter(const std::string& path) {
        if (!path.empty())
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, key_.put(), nullptr);
    }
    void Write(const char* name, DWORD number) {
        if (key_)
            RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
    void Write(const char* name, const std::string& text) {
        if (key_)
            RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
    }

private:
    setup::UniqueKey key_;
};

}  // namespace

std::string CGlobal::LookupLanguageName(const char* section, unsigned short id) const {
    std::string value;
    if (dataSet_.GetString(section, setup::LanguageKey(id).c_str(), value)) return value;
    if (dataSet_.GetString(section, setup::LanguageKey(setup::PrimaryLanguage(id)).c_str(), value)) return value;
    return setup::BuiltinLanguageAbbr(id);
}

std::vector<unsigned long> CGlobal::ListedLanguages() const {
    std::vector<std::string> keys;
    std::vector<unsigned long> listed;
    if (!dataSet_.GetKeys("PROGRAM_LANG_INFO", keys)) return listed;
    for (const std::string& key : keys) listed.push_back(CProfile::StringToDword(TrimBlanks(key).c_str()));
    return listed;
}

void CGlobal::SetSystemLanguageAbbr() {
    setup::CountryLookup country = CountryMapping(dataSet_);
    setup::LANGUAGE_CHOICE choice = setup::ResolveLanguage(facts_.systemLanguageId, country, ListedLanguages());
    std::string abbr = LookupLanguageName("LANGUAGE_ABBR", choice.languageId);
    std::lock_guard<std::mutex> guard(lock_);
    systemLangAbbr_ = abbr;
}

bool CGlobal::SelectLanguage(unsigned short requested, bool force) {
    if (requested == 0) requested = facts_.systemLanguageId;
    if (!force && requested == LanguageId()) return false;

    setup::CountryLookup country = CountryMapping(dataSet_);
    setup::LANGUAGE_CHOICE choice = setup::ResolveLanguage(requested, country, ListedLanguages());
    std::string abbr = LookupLanguageName("LANGUAGE_ABBR", choice.languageId);
    std::string orgAbbr = LookupLanguageName("LANGUAGE_ABBR", choice.orgLanguageId);
    std::string dir = LookupLanguageName("LANGUAGE_DIR", choice.languageId);
    std::string orgDir = LookupLanguageName("LANGUAGE_DIR", choice.orgLanguageId);
    {
        std::lock_guard<std::mutex> guard(lock_);
        langId_ = choice.languageId;
        orgLangId_ = choice.orgLanguageId;
        langAbbr_ = abbr;
        orgLangAbbr_ = orgAbbr;
        langDir_ = dir;
        orgLangDir_ = orgDir;
    }
    LogLanguage();
    return true;
}

void CGlobal::LogLanguage() const {
    std::lock_guard<std::mutex> guard(lock_);
    LogWrite("Set Language : Language ID\t\t= 0X%04X", langId_);
    LogWrite("Set Language : Language Abbr\t\t= %s", langAbbr_.c_str());
    LogWrite("Set Language : System Language ID\t= 0X%04X", facts_.systemLanguageId);
    LogWrite("Set Language : System Language Abbr = %s", systemLangAbbr_.c_str());
    LogWrite("Set Language : Language Dir\t\t= %s", langDir_.c_str());
    LogWrite("Set Language : Org Language ID\t\t= 0X%04X", orgLangId_);
    LogWrite("Set Language : Org Language Abbr\t\t= %s", orgLangAbbr_.c_str());
    LogWrite("Set Language : Org Language Dir\t\t= %s", orgLangDir_.c_str());
}

unsigned short CGlobal::RecordedLanguage() const {
    unsigned long code = 0;
    if (installedRoot_.empty() ||
        CRegistry::GetValue(installedRoot_.c_str(), "LangCode", &code, HKEY_LOCAL_MACHINE, 0) != ERROR_SUCCESS)
        return 0;
    // A recorded number that is no language id counts as no record.
    return code <= 0xFFFF ? static_cast<unsigned short>(code) : 0;
}

void CGlobal::RecordLanguage() const {
    // Written before the string file is switched: STR_FILE names the file in effect until now.
    InstallingKeyWriter writer(installingRoot_);
    writer.Write("LangCode", LanguageId());
    writer.Write("LangAbbr", LanguageAbbrText());
    writer.Write("STR_FILE", StringFilePath());
}

bool CGlobal::SetLanguage(unsigned short requested, bool refresh) {
    WaitCursor waitCursor;
    bool force = false;
    if (requested == 0) {
        requested = RecordedLanguage();
        force = true;
    }
    bool changed = SelectLanguage(requested, force);
    if (refresh && !changed) return false;

    RecordLanguage();
    SwitchStringFile(LanguageAbbrText());
    ReadOptions();
    if (textsReader_) textsReader_->ReloadLanguageTexts();
    if (refresh && changeWindow_) changeWindow_->ShowLanguageChange();
    return changed;
}

void CGlobal::SwitchStringFile(const std::string& abbr) {
    std::string stringFile = setup::ApplyStringFileFormat(stringFileFormat_, abbr);
    if (!setup::FileExists(stringFile.c_str()))
        stringFile = setup::ApplyStringFileFormat(stringFileFormat_,
                                                  LookupLanguageName("LANGUAGE_ABBR", setup::kEnglishLanguageId));
    std::string configFile = ResolvePath(ConfigureFileValue(abbr), true);
    {
        std::lock_guard<std::mutex> guard(lock_);
        stringFile_ = stringFile;
        stringFileName_ = setup::FileNameOf(stringFile);
        if (!configFile.empty()) configFile_ = configFile;
    }
    if (!configFile.empty()) configureSet_.ReloadMain(configFile.c_str());

    commandSet_.SetMessageFile(stringFile.c_str());
    configureSet_.SetMessageFile(stringFile.c_str());
    dataSet_.SetMessageFile(stringFile.c_str());
    stringSet_.ReloadMain(stringFile.c_str());
    stringSet_.SetMessageFile(stringFile.c_str());

    LogWrite("Set Language : String file\t\t= %s", StringFileName().c_str());
    LogWrite("Set Language : Configure file\t\t= %s", ConfigureFilePath().c_str());
}

unsigned short CGlobal::LanguageId() const { return LockedCopy(langId_); }

unsigned short CGlobal::OrgLanguageId() const { return LockedCopy(orgLangId_); }

std::string CGlobal::LanguageAbbrText() const { return LockedCopy(langAbbr_); }

std::string CGlobal::SystemLanguageAbbr() const { return LockedCopy(systemLangAbbr_); }

std::string CGlobal::OrgLanguageAbbr() const { return LockedCopy(orgLangAbbr_); }

std::string CGlobal::LanguageDir() const { return LockedCopy(langDir_); }

std::string CGlobal::OrgLanguageDir() const { return LockedCopy(orgLangDir_); }
