#include "ui/welcome_dlg.h"

#include "resource.h"
#include "text/cp1252.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {kIdOk, ControlKind::kDefaultButton, "&Continuar", {101, 67, 50, 14}},
    {kNoControlId, ControlKind::kIcon, "", {7, 7, 21, 20}, kRealSizeImage, IDI_MAIN},
    {kNoControlId, ControlKind::kIcon, "", {7, 66, 21, 20}, kRealSizeImage, IDI_MAIN},
    {kNoControlId, ControlKind::kIcon, "", {225, 7, 21, 20}, kRealSizeImage, IDI_MAIN},
    {kNoControlId, ControlKind::kIcon, "", {225, 66, 21, 20}, kRealSizeImage, IDI_MAIN},
    {kNoControlId,
     ControlKind::kText,
     "       A continuación solo necesita configurar la contraseña, para comenzar a proteger a "
     "sus niños.\nEsperamos el sistema resulte de su agrado.\n\n\t\t\t\tEl equipo de "
     "Orvelda."_ansi,
     {28, 23, 191, 42}},
    {kNoControlId, ControlKind::kText, "¡¡BIENVENIDO!!"_ansi, {102, 7, 49, 8}},
};

}  // namespace

const DialogTemplate CWelcomeDlg::kTemplate{
    IDD_WELCOME, "¡¡Bienvenido!!"_ansi, 253, 90, "Arial Narrow", 12, kCentred, kControls};

}  // namespace tevanor
