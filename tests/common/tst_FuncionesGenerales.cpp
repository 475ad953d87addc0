#include "EntornoPrueba.h"
#include "common/FuncionesGenerales.h"
#include "common/Reloj.h"

#include <QTest>
#include <memory>

using namespace dalvo;

namespace {
const QString Punto = QStringLiteral("en_US"); // "." decimal separator
const QString Coma = QStringLiteral("es_AR");  // "," decimal separator
const QVariant Nulo;

QVariant texto(const char* s)
{
    return QString::fromUtf8(s);
}

QDateTime fechaHora(int h, int m = 0, int s = 0)
{
    return QDateTime(QDate(2024, 2, 3), QTime(h, m, s));
}
} // namespace

class TstFuncionesGenerales : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

    void usarLocal(const QString& nombre) { mEntorno->setLocal(QLocale(nombre)); }

    static void compararValor(const QVariant& obtenido, const QVariant& esperado)
    {
        QCOMPARE(obtenido.typeId(), esperado.typeId());
        QCOMPARE(obtenido, esperado);
    }

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void comoTextoComoLaPlataforma_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("nulo") << Coma << Nulo << "";
        QTest::newRow("sin separador de miles") << Coma << QVariant(1234567.25) << "1234567,25";
        QTest::newRow("ruido binario") << Coma << QVariant(0.1 + 0.2) << "0,3";
        QTest::newRow("exponente") << Punto << QVariant(1e20) << "1E+20";
        QTest::newRow("fecha a medianoche") << Coma << QVariant(fechaHora(0)) << "03/02/2024";
        QTest::newRow("fecha con hora") << Punto << QVariant(fechaHora(14, 5, 9)) << "03/02/2024 14:05:09";
        QTest::newRow("verdadero") << Coma << QVariant(true) << "Verdadero";
    }
    void comoTextoComoLaPlataforma()
    {
        QFETCH(QString, local);
        QFETCH(QVariant, valor);
        QFETCH(QString, esperado);
        usarLocal(local);
        QCOMPARE(comoTexto(valor), esperado);
    }

    void formatoNumero_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("formato");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("-1 es vacio") << Punto << -1.0 << 1 << "";
        QTest::newRow("miles con punto") << Punto << 1234.5 << 1 << "1,234.50";
        QTest::newRow("millones con coma") << Coma << 1234567.891 << 1 << "1.234.567,89";
        QTest::newRow("negativo casi cero") << Punto << -0.001 << 1 << "0.00";
        QTest::newRow("redondeo decimal") << Punto << 1.005 << 1 << "1.01";
        QTest::newRow("redondeo que suma un miles") << Coma << 999.999 << 1 << "1.000,00";
        QTest::newRow("entero sin miles") << Coma << 12345678.0 << 2 << "12345678";
        QTest::newRow("medio negativo") << Punto << -2.5 << 0 << "-3";
    }
    void formatoNumero()
    {
        QFETCH(QString, local);
        QFETCH(double, valor);
        QFETCH(int, formato);
        QFETCH(QString, esperado);
        usarLocal(local);
        QCOMPARE(FormatoNumero(valor, formato), esperado);
    }

    void convertir_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("formato");
        QTest::addColumn<QVariant>("esperado");
        // text
        QTest::newRow("texto recortado") << Coma << texto("  ab  ") << 1 << 1 << texto("ab");
        QTest::newRow("yyyymmdd a dd/mm/yy") << Coma << texto("20240131") << 1 << 3 << texto("31/01/24");
        QTest::newRow("fecha con hora sin hora")
            << Coma << QVariant(fechaHora(10, 5)) << 1 << 3 << texto("03/02/2024");
        QTest::newRow("fecha y hora")
            << Coma << QVariant(fechaHora(14, 5, 9)) << 1 << 4 << texto("03/02/2024  14:05:09");
        // number
        QTest::newRow("nulo es -1") << Punto << Nulo << 2 << 2 << QVariant(-1.0);
        QTest::newRow("parte numerica inicial") << Punto << texto("12.5abc") << 2 << 2 << QVariant(12.5);
        QTest::newRow("la coma corta") << Punto << texto("1,234.5") << 2 << 2 << QVariant(1.0);
        QTest::newRow("formateado") << Punto << QVariant(1234.5) << 2 << 1 << texto("1,234.50");
        QTest::newRow("dos decimales sin redondeo") << Coma << texto("3,456") << 2 << 2 << QVariant(3.45);
        QTest::newRow("con miles") << Coma << texto("1.234,5") << 2 << 2 << QVariant(1234.5);
        QTest::newRow("no numerico es -1") << Coma << texto("abc") << 2 << 2 << QVariant(-1.0);
        QTest::newRow("tipo desconocido") << Coma << texto("5") << 3 << 1 << Nulo;
    }
    void convertir()
    {
        QFETCH(QString, local);
        QFETCH(QVariant, valor);
        QFETCH(int, tipo);
        QFETCH(int, formato);
        QFETCH(QVariant, esperado);
        usarLocal(local);
        compararValor(Convertir(valor, tipo, formato), esperado);
    }

    void formatearCampoPorTipoAdo_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("tipoAdo");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("bit nulo") << Coma << 11 << Nulo << "0";
        QTest::newRow("binario") << Coma << 128 << QVariant(QByteArray("\x00\x01", 2)) << "1";
        QTest::newRow("char rellenado") << Coma << 129 << texto("ABC   ") << "ABC";
        QTest::newRow("money con coma") << Coma << 6 << QVariant(1234.5) << "1.234,50";
        QTest::newRow("money corta con coma") << Coma << 6 << QVariant(3.456) << "3,45";
        QTest::newRow("money redondea con punto") << Punto << 6 << QVariant(3.456) << "3.46";
        QTest::newRow("int -1 vacio") << Coma << 3 << QVariant(-1) << "";
        QTest::newRow("datetime") << Coma << 135 << QVariant(fechaHora(14, 5, 9)) << "03/02/2024  14:05:09";
        QTest::newRow("datetime medianoche") << Coma << 135 << QVariant(fechaHora(0)) << "03/02/2024";
        QTest::newRow("bigint") << Coma << 20 << QVariant(qlonglong(12345678901)) << "12345678901";
    }
    void formatearCampoPorTipoAdo()
    {
        QFETCH(QString, local);
        QFETCH(int, tipoAdo);
        QFETCH(QVariant, valor);
        QFETCH(QString, esperado);
        usarLocal(local);
        QCOMPARE(FormatearCampo(tipoAdo, valor), esperado);
    }

    void codigoDescripcion()
    {
        const QString nombre = QStringLiteral(" Farmacia Sur  ");
        QCOMPARE(CodigoDescripcion(texto(" A12 "), nombre), QStringLiteral("A12 . Farmacia Sur"));
        QCOMPARE(CodigoDescripcion(QVariant(15.7), nombre), QStringLiteral("16 . Farmacia Sur"));
        QCOMPARE(CodigoDescripcion(texto("   "), nombre), QString());
        QCOMPARE(CodigoDescripcion(Nulo, nombre), QString());
    }

    void fechaSQL_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("hasta");
        QTest::addColumn<bool>("nulo");
        QTest::addColumn<QVariant>("esperado");
        QTest::newRow("desde") << Coma << "05/03/2024" << false << false << texto("03/05/2024 00:00:00");
        QTest::newRow("dia/mes tambien en ingles")
            << Punto << "05/03/2024" << false << true << texto("03/05/2024 00:00:00");
        QTest::newRow("hasta ignora la hora")
            << Coma << "05/03/2024 10:30" << true << false << texto("03/05/2024 23:59:59");
        QTest::newRow("vacia nula") << Coma << "" << false << true << Nulo;
        QTest::newRow("vacia texto") << Coma << "" << true << false << texto("");
        QTest::newRow("inexistente nula") << Coma << "31/02/2024" << false << true << Nulo;
        QTest::newRow("ilegible texto") << Coma << "abc" << false << false << texto("");
    }
    void fechaSQL()
    {
        QFETCH(QString, local);
        QFETCH(QString, fecha);
        QFETCH(bool, hasta);
        QFETCH(bool, nulo);
        QFETCH(QVariant, esperado);
        usarLocal(local);
        compararValor(FechaSQL(fecha, hasta, nulo), esperado);
    }

    void filtrarTecla_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("esperada");
        QTest::addColumn<int>("pitidos");
        for (const int tipo : {1, 2, 3, 4, 9}) {
            const QByteArray n = QByteArray::number(tipo);
            QTest::newRow("digito " + n) << Coma << int('7') << tipo << int('7') << 0;
            QTest::newRow("retroceso " + n) << Coma << 8 << tipo << 8 << 0;
        }
        QTest::newRow("entero rechaza punto") << Coma << int('.') << 1 << 0 << 1;
        QTest::newRow("punto con coma") << Coma << int('.') << 2 << int(',') << 0;
        QTest::newRow("coma con punto") << Punto << int(',') << 2 << int('.') << 0;
        QTest::newRow("decimal rechaza signo") << Coma << int('-') << 2 << 0 << 1;
        QTest::newRow("signo") << Coma << int('-') << 3 << int('-') << 0;
        QTest::newRow("barra de fecha") << Coma << int('/') << 4 << int('/') << 0;
        QTest::newRow("fecha rechaza guion") << Coma << int('-') << 4 << 0 << 1;
        QTest::newRow("otro tipo deja todo") << Coma << int('x') << 9 << int('x') << 0;
    }
    void filtrarTecla()
    {
        QFETCH(QString, local);
        QFETCH(int, tecla);
        QFETCH(int, tipo);
        QFETCH(int, esperada);
        QFETCH(int, pitidos);
        usarLocal(local);
        prueba::ContadorPitidos contador;
        QCOMPARE(FiltrarTecla(qint16(tecla), tipo), esperada);
        QCOMPARE(contador.cuenta, pitidos);
    }

    // A two-digit year up to this year's last two digits is this century; the year keeps the digits typed.
    void validarFecha_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("reescrito");
        QTest::addColumn<bool>("valida");
        const QDate junio(2026, 6, 15);
        const auto fila = [&](const char* nombre, const char* tecleado, const char* reescrito, bool valida,
                              QDate hoy) {
            QTest::newRow(nombre) << hoy << QString::fromLatin1(tecleado) << QString::fromLatin1(reescrito)
                                  << valida;
        };
        fila("ddmmyyyy", "01022024", "01/02/2024", true, junio);
        fila("ddmmyyyy inexistente", "31022024", "31/02/2024", false, junio);
        fila("no bisiesto", "29022025", "29/02/2025", false, junio);
        fila("ddmm", "0102", "01/02/2026", true, junio);
        fila("dd", "15", "15/06/2026", true, junio);
        fila("barras cortas", "1/2/2024", "1///2/2024", false, junio);
        fila("otro largo queda", "12345", "12345", false, junio);
        fila("letras", "ab0224", "ab/02/2024", false, junio);
        fila("este anio", "010226", "01/02/2026", true, junio);
        fila("el siguiente es del siglo pasado", "010227", "01/02/1927", true, junio);
        fila("cero inicial", "010205", "01/02/2005", true, junio);
        fila("99", "010299", "01/02/1999", true, junio);
        fila("otro reloj", "010220", "01/02/1920", true, QDate(2019, 1, 1));
    }
    void validarFecha()
    {
        QFETCH(QDate, hoy);
        QFETCH(QString, tecleado);
        QFETCH(QString, reescrito);
        QFETCH(bool, valida);
        RelojFijo reloj(QDateTime(hoy, QTime(10, 0)));
        QVariant fecha = tecleado;
        QCOMPARE(ValidarFecha(fecha), valida);
        QCOMPARE(fecha.toString(), reescrito);
    }

    void convertirFecha_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("esperada"); // null date: no date
        QTest::newRow("completa") << "01/02/2024" << QDate(2024, 2, 1);
        QTest::newRow("dia y mes de una cifra") << "1/2/2024" << QDate(2024, 2, 1);
        QTest::newRow("31 de febrero") << "31/02/2024" << QDate();
        QTest::newRow("anio de dos cifras") << "01/02/24" << QDate();
        QTest::newRow("guiones") << "01-02-2024" << QDate();
        QTest::newRow("una barra") << "0102/2024" << QDate();
    }
    void convertirFecha()
    {
        QFETCH(QString, texto);
        QFETCH(QDate, esperada);
        const QVariant fecha = ConvertirFecha(texto);
        QCOMPARE(fecha.isValid(), esperada.isValid());
        if (esperada.isValid())
            QCOMPARE(fecha.toDate(), esperada);
    }
};

QTEST_GUILESS_MAIN(TstFuncionesGenerales)
#include "tst_FuncionesGenerales.moc"
