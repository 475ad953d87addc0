#pragma once

// The ad-hoc window's world in a test: a copy of the small demo database with two tables of its own,
// gConexion connected to it as the program connects, and every statement the connection sends recorded.
//
//   Muestras  4402 rows: Grupo 1 has 200 of them, 2 has 201, 3 has 2000 and 4 has 2001 (the row-count
//             guards); char, varchar, datetime, money and bit columns, and a null in some of them.
//   Textos    one row of texts named like Muestras' numeric and date columns (Grupo "1 OR 1=1" ...), to
//             be picked and applied there.

#include "EntornoPrueba.h"
#include "data/FabricaMotor.h"
#include "data/cUserConnection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace dalvo {
class frmConsultas;
}

namespace dalvo::prueba {

class BaseConsultas
{
public:
    BaseConsultas();
    ~BaseConsultas();
    BaseConsultas(const BaseConsultas&) = delete;
    BaseConsultas& operator=(const BaseConsultas&) = delete;

    // Statements sent since the last call (the catalogue's included), and forgets them.
    QStringList enviadas();
    // SQLite's own SQL on the file, to change it under the open connection.
    void sqlite(const QString& sql) const;

    static constexpr int kFilasMuestras = 4402;

private:
    EntornoPrueba mEntorno;
    QTemporaryDir mCarpeta;
    QString mRuta;
    std::shared_ptr<QStringList> mEnviadas = std::make_shared<QStringList>();
    std::unique_ptr<ado::MotorSustituto> mSustituto;
    std::unique_ptr<cUserConnection> mConexion;
};

// Driving the window as an operator does: each step moves the focus as a click or a key would, so that the
// value box notices when it is left. The window must be shown and active.
template <class T> T* control(QWidget& ventana, const char* nombre)
{
    return ventana.findChild<T*>(QString::fromLatin1(nombre));
}
void elegirTabla(frmConsultas& ventana, const QString& tabla);
void elegirColumna(frmConsultas& ventana, const QString& columna);
// Replaces the value box's text by typing the keys (the key filter decides what stays).
void escribir(frmConsultas& ventana, const QString& teclas);
// Moves the focus from the value box to the column list.
void salirDelValor(frmConsultas& ventana);
void pulsar(QWidget& ventana, const char* boton);
void elegirFila(frmConsultas& ventana, int fila);
// The column list's lines.
QStringList lineasCampos(frmConsultas& ventana);

} // namespace dalvo::prueba
