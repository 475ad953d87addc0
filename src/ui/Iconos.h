#pragma once

#include <QIcon>
#include <QStringList>

namespace dalvo::ui {

// The program's images by image key ("AFILIADO", "CANCEL", "MARCA", "Find" ...; letter case does not
// matter). An unknown key gives a null icon. Each key is an SVG file src/ui/iconos/<key>.svg listed in
// iconos.qrc; the icon holds it drawn at 16, 24, 32 and 48 pixels.
QIcon icono(const QString& clave);

// The application's own icon.
QIcon iconoAplicacion();

// Every image key there is, as spelt by its file.
QStringList clavesIconos();

} // namespace dalvo::ui
