#include "app/frmAbout.h"
#include "ui/Aplicacion.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    dalvo::ui::prepararAplicacion(app);
    dalvo::frmAbout acerca;
    acerca.show();
    return app.exec();
}
