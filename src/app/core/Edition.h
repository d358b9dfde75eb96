#pragma once
// Constants fixed for this edition of the program.

#include <QString>

namespace valdora::edition {

inline constexpr const char *Title = "Valdora 2026";
inline constexpr int VersionScaled = 10017; // 1.0017
inline constexpr int FiscalYear = 2026;
inline constexpr const char *FiscalYearText = "2026";
inline constexpr int ProductNumber = 106;
inline constexpr int PreviousProductNumber = 105;
inline constexpr const char *SettingsFileName = "Valdora.set";
inline constexpr const char *BackupExtension = ".w26";

// "1.0017"
QString versionText();
// "Valdora 2026 ver.1.0017"
QString titleWithVersion();

} // namespace valdora::edition
