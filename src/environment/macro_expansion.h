#pragma once
// $MACRO$ expansion: one fixed pass over the facts of the run. Platform-free.
#include <cstddef>
#include <string>

namespace setup {

// Work-buffer size of one configuration value; an expanded value holds at most one byte less.
constexpr std::size_t kValueBufferBytes = 16384;

// The facts the macros stand for, taken at the moment of expansion (language overrides
// already applied by the caller).
struct MACRO_VALUES {
    std::string langAbbr;         // $LANG_ABBR$
    std::string orgLangAbbr;      // $ORG_LANG_ABBR$
    std::string srcDir;           // $SRC_DIR$
    std::string destDir;          // $DEST_DIR$
    std::string destInstDir;      // $DEST_INST_DIR$
    std::string winDir;           // $WIN_DIR$
    std::string sysDir;           // $SYS_DIR$
    std::string infDir;           // $INF_DIR$
    std::string osDir;            // $OS_DIR$
    std::string programFilesDir;  // $PROGRAM_FILES_DIR$
    std::string langDir;          // $LANG_DIR$
    std::string orgLangDir;       // $ORG_LANG_DIR$
    std::string dataFile;         // $DATA_FILE$
    std::string configFile;       // $CONFIG_FILE$
    std::string stringFile;       // $STRING_FILE$
    std::string version;          // $VERSION$
    std::string installerExe;     // $INSTALLER_EXE$
    std::string ip;               // $IP$
    std::string stringFileName;   // $STRING_FILE_NAME$
    std::string port;             // $PORT$
    unsigned short lcid = 9;      // $LCID$ as "%04X"
    unsigned short orgLcid = 9;   // $ORG_LCID$ as "%04X"
    bool installed = false;       // $BOOL_INSTALLED$ and $BOOL_!INSTALLED$
};

// Replaces each macro, in table order, everywhere in the text. A value is scanned only by the
// macros after its own, so a value naming an earlier macro (or itself) keeps it: the pass
// always ends. A replacement that would make the text longer than `limit` bytes is not made;
// that occurrence and everything after it for that macro stay as written.
std::string ExpandMacroText(const std::string& text, const MACRO_VALUES& values,
                            std::size_t limit = kValueBufferBytes - 1);

// Replaces every occurrence of `from` by `to` in one left-to-right scan (inserted text is not
// rescanned). Stops before a replacement that would exceed `limit` bytes; false then.
bool ReplaceAllBounded(std::string& text, const std::string& from, const std::string& to,
                       std::size_t limit);

}  // namespace setup
