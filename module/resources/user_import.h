// Resource ids of the user import from a file and through the server's import program. The
// resource compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_UI_UNSUPPORTED_FILE = 21500;
inline constexpr UINT IDS_UI_NOT_CLOSED_AT_EOF = 21501;
inline constexpr UINT IDS_UI_NOT_CLOSED_AT_EOL = 21502;
inline constexpr UINT IDS_UI_COMMA_EXPECTED = 21503;
inline constexpr UINT IDS_UI_NEW_LINE_EXPECTED = 21504;
inline constexpr UINT IDS_UI_INVALID_ADDRESS = 21505;
inline constexpr UINT IDS_UI_INVALID_INTERNET_MAIL = 21506;
inline constexpr UINT IDS_UI_ADDRESS_EXISTS = 21507;
inline constexpr UINT IDS_UI_LAUNCH_FAILED = 21508;
inline constexpr UINT IDS_UI_FILE_TITLE = 21509;
inline constexpr UINT IDS_UI_FILE_FILTER = 21510;
inline constexpr UINT IDS_UI_FILE_DIALOG_FAILED = 21511;
