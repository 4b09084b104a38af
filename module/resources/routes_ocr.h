// Resource ids of the OCR search phrase list, its items, the new phrase dialog, the phrase page
// and the OCR settings page. The resource compiler reads this file too, so every id is declared
// on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_OCR_NEW = 20700;
inline constexpr UINT IDS_OCR_NEW_STATUS = 20701;
inline constexpr UINT IDS_OCR_TOOLTIP = 20702;
inline constexpr UINT IDS_OCR_COLUMN = 20703;
inline constexpr UINT IDS_OCR_VIEW_TITLE = 20704;
inline constexpr UINT IDS_OCR_ENGINE_MISSING = 20705;
inline constexpr UINT IDS_OCR_DELETE_SHEET_OPEN = 20706;
inline constexpr UINT IDS_OCR_DELETE_MULTI_SHEET = 20707;
inline constexpr UINT IDS_OCR_RENAME_SHEET_OPEN = 20708;
inline constexpr UINT IDS_OCR_DUPLICATE = 20709;
inline constexpr UINT IDS_OCR_EMPTY = 20710;
inline constexpr UINT IDS_OCR_USERS_TEXT = 20711;
inline constexpr UINT IDS_OCR_RANGE = 20712;
inline constexpr UINT IDS_OCR_GLOBAL_HEADING = 20713;
inline constexpr UINT IDD_NEW_PHRASE = 20750;
inline constexpr UINT IDC_NEW_PHRASE_EDIT = 20751;
inline constexpr UINT IDD_PAGE_OCR = 20760;
inline constexpr UINT IDC_PAGE_OCR_ICON = 20761;
inline constexpr UINT IDC_PAGE_OCR_HEADING = 20762;
inline constexpr UINT IDC_PAGE_OCR_EDIT = 20763;
inline constexpr UINT IDD_PAGE_OCR_GLOBAL = 20770;
inline constexpr UINT IDC_OCR_ICON = 20771;
inline constexpr UINT IDC_OCR_HEADING = 20772;
inline constexpr UINT IDC_OCR_RATIO = 20773;
inline constexpr UINT IDC_OCR_RATIO_SPIN = 20774;
inline constexpr UINT IDC_OCR_RATIO_NOTE = 20775;
inline constexpr UINT IDC_OCR_PAGES = 20776;
inline constexpr UINT IDC_OCR_BY_NAMES = 20777;
inline constexpr UINT IDC_OCR_BY_NAMES_NOTE = 20778;
inline constexpr UINT IDC_OCR_BY_NAMES_EXAMPLE = 20779;
inline constexpr UINT IDC_OCR_ATTACH_TEXT = 20780;
inline constexpr UINT IDC_OCR_APPEND_TEXT = 20781;
