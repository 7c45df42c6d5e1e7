#include "gui/Shortcut.h"

#include "gui/ComPointer.h"

#include <cstring>
#include <shlobj.h>

namespace {

// Resolve may search for a moved target, but never longer than this and never with a dialog.
constexpr DWORD kResolveMilliseconds = 500;

bool isShortcutName(const char* name) {
    const char* extension = std::strrchr(name, '.');
    return extension && lstrcmpiA(extension, ".lnk") == 0;
}

// Left as it is when the system cannot shorten it (the target may be gone) or the result would not fit.
void shorten(char (&path)[kFileNameCapacity]) {
    char shortened[kFileNameCapacity] = {};
    const DWORD length = GetShortPathNameA(path, shortened, kFileNameCapacity);
    if (length > 0 && length < kFileNameCapacity) std::memcpy(path, shortened, kFileNameCapacity);
}

} // namespace

bool resolveShortcut(char (&name)[kFileNameCapacity]) {
    if (!isShortcutName(name)) return false;
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out())))
        return false;
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return false;
    wchar_t wideName[2 * kFileNameCapacity];
    if (!MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 2 * kFileNameCapacity)) return false;
    if (FAILED(file->Load(wideName, STGM_READ))) return false;
    if (FAILED(link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH | kResolveMilliseconds << 16))) return false;
    // Into a buffer of its own: a failing GetPath must not leave a half-written name behind.
    char target[kFileNameCapacity] = {};
    if (link->GetPath(target, kFileNameCapacity - 1, nullptr, SLGP_SHORTPATH) != S_OK || !target[0])
        return false;
    std::memcpy(name, target, kFileNameCapacity);
    // Not every shell's link object honours the short-path flag; shortening a short path changes nothing.
    shorten(name);
    return true;
}
