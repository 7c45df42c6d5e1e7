#include "tests/gui/ScratchFiles.h"

#include "gui/ComPointer.h"

#include <shlobj.h>
#include <windows.h>

ScratchFiles::ScratchFiles() {
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    folder = std::string(temporary) + "quenvale drop files " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
}

ScratchFiles::~ScratchFiles() {
    for (const std::string& path : made)
        DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}

std::string ScratchFiles::file(const std::string& name) {
    const std::string path = folder + "\\" + name;
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "scratch", 7, &written, nullptr);
    CloseHandle(file);
    made.push_back(path);
    return path;
}

std::string ScratchFiles::shortcut(const std::string& name, const std::string& target) {
    const std::string path = folder + "\\" + name;
    ComPointer<IShellLinkA> link;
    ComPointer<IPersistFile> file;
    if (FAILED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out())) ||
        FAILED(link->SetPath(target.c_str())) || FAILED(link->QueryInterface(IID_IPersistFile, file.out())))
        return "";
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (FAILED(file->Save(widePath, TRUE))) return "";
    made.push_back(path);
    return path;
}

std::string ScratchFiles::shortPath(const std::string& path) {
    char shortened[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortened, MAX_PATH);
    return shortened;
}
