#pragma once

#include <string_view>

#include "text/cp1252.h"

// Names and defaults of the values in the application's profile.
namespace tevanor::profile {

inline constexpr std::string_view kProtectionLevel = "NivelProt";  // default -1 (total)
inline constexpr std::string_view kJavaChat = "JavaChat";          // default 0
inline constexpr std::string_view kMircChat = "MircChat";          // default 1
inline constexpr std::string_view kBuiltInSites = "AdmSitioIntr";  // default 1
inline constexpr std::string_view kPassword = "contraseña"_ansi;   // default empty
inline constexpr std::string_view kSecondStart = "SINST";          // default 0
inline constexpr std::string_view kFirstRun = "Pr";                // default 0
// While the program runs, the last time it was seen running ("%H:%M-%d/%m/%Y"); empty after a
// clean end. A start that finds it set knows the previous run ended without Ctrl+S.
inline constexpr std::string_view kLastSeen = "UltimaVez";  // default empty

inline constexpr int kProtectionLevelDefault = -1;
inline constexpr int kJavaChatDefault = 0;
inline constexpr int kMircChatDefault = 1;
inline constexpr int kBuiltInSitesDefault = 1;

}  // namespace tevanor::profile
