// Installer module, MyCreateShortCut: makes the .lnk a shortcut record describes.
#include "reg_key.h"
#include "standin.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

using standin::Key;

struct ShortcutRecord {
    std::string name, target, startIn, argument, iconFile, folderName, description;
    DWORD iconIndex = 0, permission = 0, group = 0;
};

ShortcutRecord ReadShortcut(const Key& key) {
    ShortcutRecord r;
    r.name = key.Text("Name");
    r.target = key.Text("Target");
    r.startIn = key.Text("Start_in");
    r.argument = key.Text("Argument");
    r.iconFile = key.Text("Icon_File");
    r.folderName = key.Text("Folder_Name");
    r.description = key.Text("Icon_Description");
    key.Number("Icon_Index", r.iconIndex);
    key.Number("Permission", r.permission);
    key.Number("Group", r.group);
    return r;
}

std::string Trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

// A name becomes one file name: characters a file name cannot hold become "_".
std::string FileNamePart(const std::string& name) {
    std::string out = Trimmed(name);
    for (char& c : out)
        if (std::string("\\/:*?\"<>|").find(c) != std::string::npos || static_cast<unsigned char>(c) < 32) c = '_';
    return out == "." || out == ".." ? std::string() : out;
}

// Group 1: the desktop; otherwise the Programs menu and the record's folder. Permission 1
// uses the folders of all users.
bool ShortcutFolder(const ShortcutRecord& r, std::string& folder) {
    int csidl = r.group == 1 ? (r.permission == 1 ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY)
                             : (r.permission == 1 ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return false;
    folder = path;
    if (r.group == 1) return true;
    // The folder name may name nested folders; each piece is one file name, never "..".
    std::string rest = r.folderName;
    while (!rest.empty()) {
        std::size_t slash = rest.find('\\');
        std::string piece = FileNamePart(rest.substr(0, slash));
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        if (piece.empty()) continue;
        folder += "\\" + piece;
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return true;
}

std::wstring Wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), n);
    out.resize(out.size() - 1);
    return out;
}

bool SaveLink(const ShortcutRecord& r, const std::string& linkPath) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(Trimmed(r.target).c_str());
    if (!r.argument.empty()) link->SetArguments(r.argument.c_str());
    if (!r.startIn.empty()) link->SetWorkingDirectory(Trimmed(r.startIn).c_str());
    if (!r.iconFile.empty()) link->SetIconLocation(Trimmed(r.iconFile).c_str(), static_cast<int>(r.iconIndex));
    if (!r.description.empty()) link->SetDescription(r.description.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(Wide(linkPath).c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

}  // namespace

STANDIN_EXPORT int WINAPI MyCreateShortCut(int reserved, const char* installingKey, const char* shortcutKey) {
    using standin::Arg;
    standin::CallLog("MyCreateShortCut", {Arg(reserved), Arg(installingKey), Arg(shortcutKey)});
    if (!shortcutKey) return 0;
    Key key(HKEY_LOCAL_MACHINE, shortcutKey, KEY_READ | KEY_SET_VALUE);
    if (!key) return 0;
    const ShortcutRecord record = ReadShortcut(key);
    const std::string fileName = FileNamePart(record.name);
    if (fileName.empty() || Trimmed(record.target).empty()) return 0;

    std::string folder;
    if (!ShortcutFolder(record, folder)) return 0;
    const std::string linkPath = folder + "\\" + fileName + ".lnk";

    // The caller's thread may already be in COM in another mode; the link works in either.
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool saved = SaveLink(record, linkPath);
    if (SUCCEEDED(init)) CoUninitialize();
    if (!saved) return 0;
    key.SetText("Shortcut_Path", linkPath);
    return 1;
}
