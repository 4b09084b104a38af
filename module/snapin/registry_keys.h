// Registry keys of the server installation that the snap-in reads.
#pragma once

inline constexpr wchar_t kPagewellKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
inline constexpr wchar_t kPagewellConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
// Where a remote console installation keeps the version of what it installed.
inline constexpr wchar_t kRemoteMonitorKey[] = L"SOFTWARE\\Ardent Telecom\\Ziroze Vevavur";
inline constexpr wchar_t kConsoleSnapInsKey[] = L"SOFTWARE\\Microsoft\\MMC\\SnapIns";
