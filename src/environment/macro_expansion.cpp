#include "environment/macro_expansion.h"

#include <cstdio>

namespace setup {

bool ReplaceAllBounded(std::string& text, const std::string& from, const std::string& to,
                       std::size_t limit) {
    if (from.empty()) return true;
    std::size_t pos = text.find(from);
    if (pos == std::string::npos) return true;
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    bool complete = true;
    for (; pos != std::string::npos; pos = text.find(from, done)) {
        std::size_t grownSize = out.size() + (pos - done) + to.size() + (text.size() - pos - from.size());
        if (grownSize > limit) {
            complete = false;
            break;
        }
        out.append(text, done, pos - done);
        out += to;
        done = pos + from.size();
    }
    out.append(text, done, std::string::npos);
    text = std::move(out);
    return complete;
}

namespace {

std::string FourHex(unsigned short id) {
    char buffer[8];
    std::snprintf(buffer, sizeof(buffer), "%04X", id);
    return buffer;
}

}  // namespace

std::string ExpandMacroText(const std::string& text, const MACRO_VALUES& v, std::size_t limit) {
    if (text.find('$') == std::string::npos) return text;
    const char* installed = v.installed ? "1" : "0";
    const char* notInstalled = v.installed ? "0" : "1";
    // Table order matters: a value is expanded further only by the macros after it.
    const std::pair<const char*, std::string> table[] = {
        {"$LANG_ABBR$", v.langAbbr},
        {"$ORG_LANG_ABBR$", v.orgLangAbbr},
        {"$SRC_DIR$", v.srcDir},
        {"$DEST_DIR$", v.destDir},
        {"$DEST_INST_DIR$", v.destInstDir},
        {"$WIN_DIR$", v.winDir},
        {"$SYS_DIR$", v.sysDir},
        {"$INF_DIR$", v.infDir},
        {"$OS_DIR$", v.osDir},
        {"$PROGRAM_FILES_DIR$", v.programFilesDir},
        {"$LANG_DIR$", v.langDir},
        {"$ORG_LANG_DIR$", v.orgLangDir},
        {"$DATA_FILE$", v.dataFile},
        {"$CONFIG_FILE$", v.configFile},
        {"$STRING_FILE$", v.stringFile},
        {"$VERSION$", v.version},
        {"$INSTALLER_EXE$", v.installerExe},
        {"$IP$", v.ip},
        {"$STRING_FILE_NAME$", v.stringFileName},
        {"$PORT$", v.port},
        {"$LCID$", FourHex(v.lcid)},
        {"$ORG_LCID$", FourHex(v.orgLcid)},
        {"$BOOL_INSTALLED$", installed},
        {"$BOOL_!INSTALLED$", notInstalled},
    };
    std::string result = text;
    for (const auto& [macro, value] : table) {
        if (result.find('$') == std::string::npos) break;
        ReplaceAllBounded(result, macro, value, limit);
    }
    return result;
}

}  // namespace setup
