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

    void separadorDecimalSigueAlFormatoDelUsuario_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("esperado");
        QTest::newRow("en_US") << Punto << 46;
        QTest::newRow("en_GB") << QStringLiteral("en_GB") << 46;
        QTest::newRow("es_AR") << Coma << 44;
        QTest::newRow("es_ES") << QStringLiteral("es_ES") << 44;
        QTest::newRow("de_DE") << QStringLiteral("de_DE") << 44;
    }
    void separadorDecimalSigueAlFormatoDelUsuario()
    {
        QFETCH(QString, local);
        QFETCH(int, esperado);
        usarLocal(local);
        QCOMPARE(SeparadorDecimal(), esperado);
    }

    void comoTextoComoLaPlataforma_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("nulo") << Coma << Nulo << "";
        QTest::newRow("texto tal cual") << Coma << texto(" a b ") << " a b ";
        QTest::newRow("decimal con punto") << Punto << QVariant(12.5) << "12.5";
        QTest::newRow("decimal con coma") << Coma << QVariant(12.5) << "12,5";
        QTest::newRow("sin separador de miles") << Coma << QVariant(1234567.25) << "1234567,25";
        QTest::newRow("ruido binario") << Coma << QVariant(0.1 + 0.2) << "0,3";
        QTest::newRow("exponente") << Punto << QVariant(1e20) << "1E+20";
        QTest::newRow("entero negativo") << Coma << QVariant(-5) << "-5";
        QTest::newRow("bigint") << Coma << QVariant(qlonglong(12345678901)) << "12345678901";
        QTest::newRow("fecha a medianoche")
            << Coma << QVariant(QDateTime(QDate(2024, 2, 3), QTime(0, 0))) << "03/02/2024";
        QTest::newRow("fecha con hora")
            << Punto << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9))) << "03/02/2024 14:05:09";
        QTest::newRow("solo fecha") << Coma << QVariant(QDate(2024, 12, 31)) << "31/12/2024";
        QTest::newRow("verdadero") << Coma << QVariant(true) << "Verdadero";
        QTest::newRow("falso en ingles") << Punto << QVariant(false) << "False";
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
        QTest::newRow("-1 es vacio en enteros") << Coma << -1.0 << 2 << "";
        QTest::newRow("miles con punto") << Punto << 1234.5 << 1 << "1,234.50";
        QTest::newRow("miles con coma") << Coma << 1234.5 << 1 << "1.234,50";
        QTest::newRow("millones") << Coma << 1234567.891 << 1 << "1.234.567,89";
        QTest::newRow("cero") << Punto << 0.0 << 1 << "0.00";
        QTest::newRow("menos de mil") << Coma << 999.0 << 1 << "999,00";
        QTest::newRow("negativo") << Punto << -1234.5 << 1 << "-1,234.50";
        QTest::newRow("negativo casi cero") << Punto << -0.001 << 1 << "0.00";
        QTest::newRow("redondeo decimal") << Punto << 1.005 << 1 << "1.01";
        QTest::newRow("redondeo que suma un miles") << Coma << 999.999 << 1 << "1.000,00";
        QTest::newRow("entero sin miles") << Coma << 12345678.0 << 2 << "12345678";
        QTest::newRow("entero redondea") << Punto << 1234.5 << 2 << "1235";
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
        QTest::newRow("texto nulo") << Coma << Nulo << 1 << 1 << texto("");
        QTest::newRow("texto recortado") << Coma << texto("  ab  ") << 1 << 1 << texto("ab");
        QTest::newRow("numero como texto") << Coma << QVariant(12.5) << 1 << 1 << texto("12,5");
        QTest::newRow("formato desconocido recorta") << Coma << texto(" x ") << 1 << 9 << texto("x");
        QTest::newRow("yyyymmdd a dd/mm/yy") << Coma << texto("20240131") << 1 << 3 << texto("31/01/24");
        QTest::newRow("fecha a medianoche dd/mm/yy")
            << Coma << QVariant(QDate(2024, 1, 31)) << 1 << 3 << texto("31/01/24");
        QTest::newRow("fecha con hora sin hora")
            << Coma << QVariant(QDateTime(QDate(2024, 1, 31), QTime(10, 5))) << 1 << 3 << texto("31/01/2024");
        QTest::newRow("fecha corta completada") << Coma << texto("3/2/2024") << 1 << 3 << texto("03/02/2024");
        QTest::newRow("no fecha queda") << Coma << texto("abc") << 1 << 3 << texto("abc");
        QTest::newRow("fecha y hora") << Coma << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9))) << 1
                                      << 4 << texto("03/02/2024  14:05:09");
        QTest::newRow("fecha y hora a medianoche")
            << Coma << QVariant(QDateTime(QDate(2024, 2, 3), QTime(0, 0))) << 1 << 4 << texto("03/02/2024");
        // number, "." separator
        QTest::newRow("nulo es -1") << Punto << Nulo << 2 << 2 << QVariant(-1.0);
        QTest::newRow("nulo es vacio") << Punto << Nulo << 2 << 1 << texto("");
        QTest::newRow("vacio es -1") << Punto << texto("") << 2 << 2 << QVariant(-1.0);
        QTest::newRow("texto con punto") << Punto << texto(" 12.5 ") << 2 << 2 << QVariant(12.5);
        QTest::newRow("parte numerica inicial") << Punto << texto("12.5abc") << 2 << 2 << QVariant(12.5);
        QTest::newRow("sin numero es 0") << Punto << texto("abc") << 2 << 2 << QVariant(0.0);
        QTest::newRow("la coma corta") << Punto << texto("1,234.5") << 2 << 2 << QVariant(1.0);
        QTest::newRow("entero") << Punto << QVariant(3) << 2 << 2 << QVariant(3.0);
        QTest::newRow("formateado") << Punto << QVariant(1234.5) << 2 << 1 << texto("1,234.50");
        // number, "," separator
        QTest::newRow("dos decimales sin redondeo") << Coma << texto("3,456") << 2 << 2 << QVariant(3.45);
        QTest::newRow("un decimal") << Coma << texto("12,5") << 2 << 2 << QVariant(12.5);
        QTest::newRow("negativo") << Coma << texto("-12,5") << 2 << 2 << QVariant(-12.5);
        QTest::newRow("solo decimales") << Coma << texto(",5") << 2 << 2 << QVariant(0.5);
        QTest::newRow("con miles") << Coma << texto("1.234,5") << 2 << 2 << QVariant(1234.5);
        QTest::newRow("sin coma") << Coma << texto("1234") << 2 << 2 << QVariant(1234.0);
        QTest::newRow("no numerico es -1") << Coma << texto("abc") << 2 << 2 << QVariant(-1.0);
        QTest::newRow("double del campo") << Coma << QVariant(12.5) << 2 << 2 << QVariant(12.5);
        QTest::newRow("texto tal cual") << Coma << texto(" 12,5 ") << 2 << 1 << texto("12,5");
        // no value
        QTest::newRow("formato numerico desconocido") << Coma << texto("5") << 2 << 3 << Nulo;
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
        QTest::newRow("bit verdadero") << Coma << 11 << QVariant(true) << "1";
        QTest::newRow("bit falso") << Coma << 11 << QVariant(false) << "0";
        QTest::newRow("bit nulo") << Coma << 11 << Nulo << "0";
        QTest::newRow("binario") << Coma << 128 << QVariant(QByteArray("\x00\x01", 2)) << "1";
        QTest::newRow("char rellenado") << Coma << 129 << texto("ABC   ") << "ABC";
        QTest::newRow("varchar nulo") << Coma << 200 << Nulo << "";
        QTest::newRow("money con punto") << Punto << 6 << QVariant(1234.5) << "1,234.50";
        QTest::newRow("money con coma") << Coma << 6 << QVariant(1234.5) << "1.234,50";
        QTest::newRow("money corta con coma") << Coma << 6 << QVariant(3.456) << "3,45";
        QTest::newRow("money redondea con punto") << Punto << 6 << QVariant(3.456) << "3.46";
        QTest::newRow("numeric nulo") << Coma << 131 << Nulo << "";
        QTest::newRow("int") << Coma << 3 << QVariant(1234567) << "1234567";
        QTest::newRow("smallint nulo") << Coma << 2 << Nulo << "";
        QTest::newRow("int -1 vacio") << Coma << 3 << QVariant(-1) << "";
        QTest::newRow("tinyint") << Punto << 17 << QVariant(255) << "255";
        QTest::newRow("datetime") << Coma << 135 << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9)))
                                  << "03/02/2024  14:05:09";
        QTest::newRow("datetime medianoche")
            << Coma << 135 << QVariant(QDateTime(QDate(2024, 2, 3), QTime(0, 0))) << "03/02/2024";
        QTest::newRow("datetime nulo") << Coma << 135 << Nulo << "";
        QTest::newRow("float con coma") << Coma << 5 << QVariant(12.5) << "12,5";
        QTest::newRow("float con punto") << Punto << 5 << QVariant(12.5) << "12.5";
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

    void codigoDescripcion_data()
    {
        QTest::addColumn<QVariant>("codigo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("texto") << texto(" A12 ") << "A12 . Farmacia Sur";
        QTest::newRow("texto en blanco") << texto("   ") << "";
        QTest::newRow("entero") << QVariant(15) << "15 . Farmacia Sur";
        QTest::newRow("decimal sin decimales") << QVariant(15.7) << "16 . Farmacia Sur";
        QTest::newRow("nulo") << Nulo << "";
    }
    void codigoDescripcion()
    {
        QFETCH(QVariant, codigo);
        QFETCH(QString, esperado);
        QCOMPARE(CodigoDescripcion(codigo, QStringLiteral(" Farmacia Sur  ")), esperado);
    }

    void fechaSQL_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("hasta");
        QTest::addColumn<bool>("nulo");
        QTest::addColumn<QVariant>("esperado");
        QTest::newRow("desde") << Coma << "05/03/2024" << false << false << texto("03/05/2024 00:00:00");
        QTest::newRow("hasta") << Coma << "05/03/2024" << true << false << texto("03/05/2024 23:59:59");
        QTest::newRow("dia/mes tambien en ingles")
            << Punto << "05/03/2024" << false << true << texto("03/05/2024 00:00:00");
        QTest::newRow("con hora") << Coma << "05/03/2024 10:30" << false << false
                                  << texto("03/05/2024 10:30:00");
        QTest::newRow("hasta ignora la hora")
            << Coma << "05/03/2024 10:30" << true << false << texto("03/05/2024 23:59:59");
        QTest::newRow("forma corta") << Coma << "5/3/24" << false << false << texto("03/05/2024 00:00:00");
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
            QTest::newRow("enter " + n) << Coma << 13 << tipo << 13 << 0;
        }
        QTest::newRow("entero rechaza letra") << Coma << int('a') << 1 << 0 << 1;
        QTest::newRow("entero rechaza punto") << Coma << int('.') << 1 << 0 << 1;
        QTest::newRow("punto con coma") << Coma << int('.') << 2 << int(',') << 0;
        QTest::newRow("coma con coma") << Coma << int(',') << 2 << int(',') << 0;
        QTest::newRow("coma con punto") << Punto << int(',') << 2 << int('.') << 0;
        QTest::newRow("decimal rechaza signo") << Coma << int('-') << 2 << 0 << 1;
        QTest::newRow("signo") << Coma << int('-') << 3 << int('-') << 0;
        QTest::newRow("signo rechaza punto") << Coma << int('.') << 3 << 0 << 1;
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

    void validarFecha_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("reescrito");
        QTest::addColumn<bool>("valida");
        QTest::newRow("ddmmyyyy") << "01022024"
                                  << "01/02/2024" << true;
        QTest::newRow("ddmmyyyy inexistente") << "31022024"
                                              << "31/02/2024" << false;
        QTest::newRow("bisiesto") << "29022024"
                                  << "29/02/2024" << true;
        QTest::newRow("no bisiesto") << "29022025"
                                     << "29/02/2025" << false;
        QTest::newRow("dia cero") << "00012024"
                                  << "00/01/2024" << false;
        QTest::newRow("ddmm") << "0102"
                              << "01/02/2026" << true;
        QTest::newRow("dd") << "15"
                            << "15/06/2026" << true;
        QTest::newRow("completa") << "01/02/2024"
                                  << "01/02/2024" << true;
        QTest::newRow("barras cortas") << "1/2/2024"
                                       << "1///2/2024" << false;
        QTest::newRow("anio corto con barras") << "01/02/24"
                                               << "01/02/2/24" << false;
        QTest::newRow("otro largo queda") << "12345"
                                          << "12345" << false;
        QTest::newRow("vacia") << ""
                               << "" << false;
        QTest::newRow("letras") << "ab0224"
                                << "ab/02/2024" << false;
    }
    void validarFecha()
    {
        QFETCH(QString, tecleado);
        QFETCH(QString, reescrito);
        QFETCH(bool, valida);
        RelojFijo reloj(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        QVariant fecha = tecleado;
        QCOMPARE(ValidarFecha(fecha), valida);
        QCOMPARE(fecha.toString(), reescrito);
    }

    // A two-digit year up to this year's last two digits is this century; the year keeps the digits typed.
    void validarFechaAnioDeDosCifras_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("reescrito");
        const QDate en2026(2026, 12, 6);
        QTest::newRow("2024") << en2026 << "010224"
                              << "01/02/2024";
        QTest::newRow("2021") << en2026 << "010221"
                              << "01/02/2021";
        QTest::newRow("este anio") << en2026 << "010226"
                                   << "01/02/2026";
        QTest::newRow("el siguiente es del siglo pasado") << en2026 << "010227"
                                                          << "01/02/1927";
        QTest::newRow("cero inicial") << en2026 << "010205"
                                      << "01/02/2005";
        QTest::newRow("00") << en2026 << "010200"
                            << "01/02/2000";
        QTest::newRow("99") << en2026 << "010299"
                            << "01/02/1999";
        QTest::newRow("otro reloj") << QDate(2019, 1, 1) << "010220"
                                    << "01/02/1920";
    }
    void validarFechaAnioDeDosCifras()
    {
        QFETCH(QDate, hoy);
        QFETCH(QString, tecleado);
        QFETCH(QString, reescrito);
        RelojFijo reloj(QDateTime(hoy, QTime(9, 0)));
        QVariant fecha = tecleado;
        QVERIFY(ValidarFecha(fecha));
        QCOMPARE(fecha.toString(), reescrito);
    }

    void validarFechaAceptaUnaFecha()
    {
        QVariant fecha = QDate(2024, 2, 1);
        QVERIFY(ValidarFecha(fecha));
        QCOMPARE(fecha, QVariant(QDate(2024, 2, 1)));
    }

    void convertirFecha_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("esperada"); // null date: no date
        QTest::newRow("completa") << "01/02/2024" << QDate(2024, 2, 1);
        QTest::newRow("dia y mes de una cifra") << "1/2/2024" << QDate(2024, 2, 1);
        QTest::newRow("31 de febrero") << "31/02/2024" << QDate();
        QTest::newRow("dia cero") << "00/01/2024" << QDate();
        QTest::newRow("mes 13") << "01/13/2024" << QDate();
        QTest::newRow("anio de dos cifras") << "01/02/24" << QDate();
        QTest::newRow("guiones") << "01-02-2024" << QDate();
        QTest::newRow("letras") << "aa/02/2024" << QDate();
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

    void rellenar_data()
    {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("largo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("mes") << QVariant(5) << 2 << "05";
        QTest::newRow("corta por la izquierda") << texto("123") << 2 << "23";
        QTest::newRow("recorta antes") << texto(" 7 ") << 3 << "007";
        QTest::newRow("vacio") << texto("") << 2 << "00";
        QTest::newRow("largo cero") << QVariant(7) << 0 << "";
    }
    void rellenar()
    {
        QFETCH(QVariant, valor);
        QFETCH(int, largo);
        QFETCH(QString, esperado);
        QCOMPARE(Rellenar(valor, qint16(largo)), esperado);
    }
};

QTEST_GUILESS_MAIN(TstFuncionesGenerales)
#include "tst_FuncionesGenerales.moc"
