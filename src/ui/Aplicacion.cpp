#include "ui/Aplicacion.h"

#include "common/FuncionesGenerales.h"
#include "common/Programa.h"
#include "ui/Iconos.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dalvo::ui {

void prepararAplicacion(QApplication& app)
{
    nombrarAplicacion();
    auto* traductor = new QTranslator(&app);
    if (traductor->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traductor);
    QApplication::setWindowIcon(iconoAplicacion());
    setPitido([] { QApplication::beep(); });
    gSeparadorDecimal = SeparadorDecimal();
}

} // namespace dalvo::ui
