#include "app/modDalvoHD.h"
#include "ui/Aplicacion.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    dalvo::ui::prepararAplicacion(app);
    dalvo::Main();
    return app.exec();
}
