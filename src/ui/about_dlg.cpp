#include "ui/about_dlg.h"

#include "resource.h"
#include "tevanor_version.h"
#include "text/cp1252.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::kIcon, "", {11, 17, 20, 20}, 0, IDI_MAIN},
    {kNoControlId,
     ControlKind::kText,
     "Tevanor Versión " TEVANOR_VERSION_SHORT ""_ansi,
     {40, 15, 119, 8}},
    {kIdOk, ControlKind::kDefaultButton, "Aceptar", {178, 7, 50, 14}},
};

}  // namespace

const DialogTemplate CAboutDlg::kTemplate{
    IDD_ABOUT, "Acerca de Tevanor", 235, 55, "MS Sans Serif", 8, kSystemMenu | kCentred, kControls};

}  // namespace tevanor
