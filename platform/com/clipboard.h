// Clipboard format registration by name: the same name gives the same id everywhere in the
// process, as console hosts and snap-ins agree on formats such as "CCF_NODETYPE" by name.
#pragma once

#include <string>

#include "platform/com/types.h"

using CLIPFORMAT = WORD;

// Registered formats are numbered from 0xC000 upward; names compare without regard to case.
// An empty or null name gives 0.
UINT RegisterClipboardFormat(LPCWSTR name);
// The name of a registered format; empty for unknown ids.
std::wstring GetClipboardFormatName(UINT format);
