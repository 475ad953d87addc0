#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace dalvo::capturas {

// A named window with sample data, built for its screenshot. The driver shows it if the builder did not,
// grabs it and deletes it.
struct Escena
{
    QString nombre; // also the PNG's file name
    std::function<QWidget*()> construir;
};

QList<Escena>& escenas();

// Registers a scene from a file of its own:
//   static const Registro frmAbout("frmAbout", [] { return new frmAbout; });
struct Registro
{
    Registro(const char* nombre, std::function<QWidget*()> construir);
};

} // namespace dalvo::capturas
