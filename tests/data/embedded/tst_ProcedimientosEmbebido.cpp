// Stored procedures and functions of the demo database: installing, calling by EXEC and with typed
// parameters, defaults, OUTPUT, several result sets, control flow, and errors that name the procedure.
#include "BaseDePrueba.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

namespace {

const char* kCinco = R"(CREATE PROCEDURE spCinco @pId int, @pTexto char(8) = 'def',
    @oDoble int = NULL OUTPUT, @oTexto char(10) = NULL OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    SET @oDoble = @pId * 2
    SET @oTexto = @pTexto
    SELECT 1 AS Uno
    SELECT @pTexto + '|' AS Texto
    IF @pId > 10
    BEGIN
        SELECT 'grande' AS Tam
    END
    ELSE
        SELECT 'chico' AS Tam
    DECLARE @i int = 0, @s varchar(20)
    WHILE @i < 3
    BEGIN
        SET @i = @i + 1
        IF @i = 2 CONTINUE
        SET @s = ISNULL(@s, '') + CONVERT(varchar(2), @i)
    END
    SELECT @i AS Vueltas, @s AS Visto
    SELECT IdTicket FROM Tickets WHERE IdPrestador = @pId ORDER BY IdTicket
    RETURN @pId + 100
END)";

const char* kFalla = R"(CREATE PROCEDURE spFalla @pCual int AS
SELECT 1 AS Antes
IF @pCual = 1
    SELECT Nada FROM Tickets
ELSE IF @pCual = 2
    RAISERROR('Cierre %s rechazado', 16, 1, 'X7')
ELSE
    PRINT 'sin error'
)";

ado::ParametroMotor parametro(const char* nombre, ado::Direccion d, QVariant valor = {},
                              int tipo = ado::adInteger, int tamano = 0)
{
    ado::ParametroMotor p;
    p.nombre = QString::fromLatin1(nombre);
    p.tipo = tipo;
    p.direccion = d;
    p.valor = std::move(valor);
    p.tamano = tamano;
    return p;
}

qint32 numeroDeError(ado::Motor& motor, const QString& sql)
{
    return errores([&] { motor.ejecutar(sql, 0); }).value(0).Number;
}

} // namespace

class tst_ProcedimientosEmbebido : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;

private slots:
    void init()
    {
        mBase = std::make_unique<BaseDePrueba>();
        mBase->instalar(QStringLiteral("spCinco"), QString::fromUtf8(kCinco));
        mBase->instalar(QStringLiteral("spFalla"), QString::fromUtf8(kFalla));
        mMotor = mBase->abrir();
    }

    void losArgumentosQueFaltanTomanSuValorPorDefecto_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("texto");
        QTest::newRow("solo el primero") << QStringLiteral("EXEC spCinco 1") << "def     |";
        QTest::newRow("null explicito") << QStringLiteral("EXECUTE spCinco 1, null") << "";
        QTest::newRow("por nombre") << QStringLiteral("EXEC dbo.spcinco @PTEXTO = 'x', @pid = 3")
                                    << "x       |";
    }

    void losArgumentosQueFaltanTomanSuValorPorDefecto()
    {
        QFETCH(QString, sql);
        const ado::Lote lote = mMotor->ejecutar(sql, 0);
        QCOMPARE(lote.tablas.size(), size_t(5));
        QTEST(lote.tablas[1].celda(0, 0).toString(), "texto");
    }

    void losParametrosMalPasadosDanElErrorDeSqlServer_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("numero");
        QTest::newRow("falta el obligatorio") << QStringLiteral("EXEC spCinco") << 201;
        QTest::newRow("sobran") << QStringLiteral("EXEC spCinco 1, 'a', NULL, NULL, 5") << 8144;
        QTest::newRow("no existe") << QStringLiteral("EXEC spNoExiste 1") << 2812;
        QTest::newRow("tipo que no convierte") << QStringLiteral("EXEC spCinco 'abc'") << 245;
    }

    void losParametrosMalPasadosDanElErrorDeSqlServer()
    {
        QFETCH(QString, sql);
        QTEST(int(numeroDeError(*mMotor, sql)), "numero");
    }

    // Each result set, the outputs and the return value; names as the program writes them, in another case.
    void llamarConParametrosTipadosDevuelveLasSalidas()
    {
        using ado::Direccion;
        QVector<ado::ParametroMotor> ps{
            parametro("PID", Direccion::Entrada, 1),
            parametro("ptexto", Direccion::Entrada, QStringLiteral("ab"), ado::adChar, 8),
            parametro("oDOBLE", Direccion::Salida),
            parametro("oTexto", Direccion::Salida, {}, ado::adChar, 10),
            parametro("RETURN_VALUE", Direccion::Retorno),
        };
        const ado::Lote lote = mMotor->llamar(QStringLiteral("dbo.spCinco"), ps, 0);
        QCOMPARE(QVariantList({ps[2].valor, ps[3].valor, ps[4].valor}), QVariantList({2, "ab        ", 101}));
        QCOMPARE(lote.tablas.size(), size_t(5));
        QCOMPARE(lote.tablas[2].celda(0, 0), QVariant(QStringLiteral("chico")));
        QCOMPARE(lote.tablas[3].celda(0, 0), QVariant(3)); // the loop ran three times, skipping the second
        QCOMPARE(lote.tablas[3].celda(0, 1), QVariant(QStringLiteral("13")));
        QCOMPARE(lote.tablas[4].filas(), 2); // the tickets of provider 1
        QVector<ado::ParametroMotor> sinObligatorio{parametro("oDoble", Direccion::Salida)};
        QCOMPARE(
            errores([&] { mMotor->llamar(QStringLiteral("spCinco"), sinObligatorio, 0); }).value(0).Number,
            201);
    }

    void losErroresYAvisosNombranElProcedimiento()
    {
        // The first result set arrived: the error waits behind it, naming the procedure, line and statement.
        const ado::Lote lote = mMotor->ejecutar(QStringLiteral("Execute spFalla 1"), 0);
        QCOMPARE(lote.tablas.size(), size_t(1));
        const ado::ErrorAdo e = lote.errorFinal.value(0);
        QCOMPARE(e.Number, 207);
        QVERIFY2(e.Description.endsWith(
                     QStringLiteral("(procedimiento spFalla, línea 4: SELECT Nada FROM Tickets)")),
                 qPrintable(e.Description));
        QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT 1")), QVariant(1)); // the session goes on

        const ado::Lote conError = mMotor->ejecutar(QStringLiteral("EXEC spFalla 2"), 0);
        QCOMPARE(conError.errorFinal.value(0).Number, 50000);
        QVERIFY(
            conError.errorFinal.value(0).Description.startsWith(QStringLiteral("42000 Cierre X7 rechazado")));
        const ado::Lote conAviso = mMotor->ejecutar(QStringLiteral("EXEC spFalla 3"), 0);
        QVERIFY(conAviso.errorFinal.isEmpty());
        QCOMPARE(conAviso.avisos.value(0).Description, QStringLiteral("01000 sin error"));
    }

    void instalarRechazaUnTextoQueNoSeLee_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("sintaxis") << QStringLiteral("CREATE PROCEDURE spMal AS SELECT FROM");
        QTest::newRow("otro nombre") << QStringLiteral("CREATE PROCEDURE spOtro AS SELECT 1");
        QTest::newRow("variable repetida")
            << QStringLiteral("CREATE PROCEDURE spMal @a int AS DECLARE @A int SELECT 1");
    }

    void instalarRechazaUnTextoQueNoSeLee()
    {
        QFETCH(QString, texto);
        const auto e = errores([&] { mBase->instalar(QStringLiteral("spMal"), texto); });
        QCOMPARE(e.value(0).Number, 30901);
        QVERIFY2(e.value(0).Description.contains(QStringLiteral("spMal")),
                 qPrintable(e.value(0).Description));
        QCOMPARE(numeroDeError(*mMotor, QStringLiteral("EXEC spMal")), 2812);
    }
};

QTEST_GUILESS_MAIN(tst_ProcedimientosEmbebido)
#include "tst_ProcedimientosEmbebido.moc"
