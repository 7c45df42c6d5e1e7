#pragma once
// Shell shortcuts among dropped file names: a ".lnk" file is replaced by the path of what it points to.

#include <cstddef>

// Dropped file names are kept in blocks of this many characters, terminator included.
constexpr size_t kFileNameCapacity = 1024;

// Replaces a name ending in ".lnk" (in any case) by its target's path in short form. The name is left as
// it was, and false returned, when it is no shortcut or the shortcut cannot be resolved.
bool resolveShortcut(char (&name)[kFileNameCapacity]);
