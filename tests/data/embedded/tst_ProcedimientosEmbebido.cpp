// Stored procedures and functions of the demo database: installing, calling by EXEC and with typed
// parameters, defaults, OUTPUT, several result sets, control flow, and errors that name the procedure.
#include "BaseDePrueba.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

namespace {

const char* kCinco = R"(CREATE PROCEDURE spCinco
    @pId int,
    @pTexto char(8) = 'def',
    @oDoble int = NULL OUTPUT,
    @oTexto char(10) = NULL OUTPUT
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

// A closing of the pharmacy kind: writes, in a transaction, and answers through OUTPUT parameters.
const char* kCierre = R"(CREATE PROCEDURE spGeneraCierre
    @pNumeroEjecucionSys int, @pIDPrestador int, @pFechaDesde char(8), @pFechaHasta char(8),
    @oIdCierre int OUTPUT, @oError int OUTPUT, @oComentario char(30) OUTPUT
AS
BEGIN
    DECLARE @cant int, @total money
    SELECT @cant = COUNT(*), @total = SUM(IT.Precio * IT.Cantidad)
        FROM Tickets T JOIN Item_Tickets IT ON IT.IdTicket = T.IdTicket
        WHERE T.IdPrestador = @pIDPrestador AND T.idCierre IS NULL
          AND T.Fecha_Prestacion BETWEEN @pFechaDesde AND DATEADD(D, 1, @pFechaHasta)
    IF @cant = 0
    BEGIN
        SELECT @oError = 1, @oComentario = 'Sin tickets', @oIdCierre = 0
        RETURN 1
    END
    BEGIN TRANSACTION
    INSERT INTO Cierres (IdPrestador, Cant_transac, TTicket, NumeroTramite, FechaServer)
        VALUES (@pIDPrestador, @cant, @total, 0, GETDATE())
    SET @oIdCierre = SCOPE_IDENTITY()
    UPDATE Tickets SET idCierre = @oIdCierre
        WHERE IdPrestador = @pIDPrestador AND idCierre IS NULL
          AND Fecha_Prestacion BETWEEN @pFechaDesde AND DATEADD(D, 1, @pFechaHasta)
    COMMIT TRANSACTION
    SELECT @oError = 0, @oComentario = ''
    RETURN 0
END)";

const char* kValor =
    R"(CREATE FUNCTION dbo.getValorNomenclador(@pIdPrestadorPractica int, @pFechaPractica char(8),
    @p3 int, @p4 int, @p5 int, @pFechaValor char(8), @p7 int)
RETURNS money
AS
BEGIN
    DECLARE @valor money
    SELECT @valor = Valor FROM PrestadorPracticas
        WHERE IdPrestadorPractica = @pIdPrestadorPractica AND FechaDesde <= @pFechaPractica
          AND (FechaHasta IS NULL OR FechaHasta >= @pFechaPractica)
    RETURN @valor
END)";

ado::ParametroMotor parametro(const char* nombre, int tipo, ado::Direccion d, QVariant valor = {},
                              int tamano = 0)
{
    ado::ParametroMotor p;
    p.nombre = QString::fromLatin1(nombre);
    p.tipo = tipo;
    p.direccion = d;
    p.valor = std::move(valor);
    p.tamano = tamano;
    return p;
}

} // namespace

class tst_ProcedimientosEmbebido : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void devuelveCadaResultadoYElValorDeRetorno();
    void losArgumentosQueFaltanTomanSuValorPorDefecto_data();
    void losArgumentosQueFaltanTomanSuValorPorDefecto();
    void losParametrosMalPasadosDanElErrorDeSqlServer_data();
    void losParametrosMalPasadosDanElErrorDeSqlServer();
    void llamarConParametrosTipadosDevuelveLasSalidas();
    void execDevuelveLasSalidasAVariables();
    void unCierreEscribeYRespondePorSusSalidas();
    void unErrorNombraElProcedimientoYLaInstruccion();
    void raiserrorYPrintLleganAlPrograma();
    void laFuncionSeUsaDentroDeUnSelect();
    void instalarRechazaUnTextoQueNoSeLee_data();
    void instalarRechazaUnTextoQueNoSeLee();
    void unProcedimientoReinstaladoSeLeeDeNuevo();
    void losEjemplosDeLaDocumentacionCorren();
    void spExecutesqlCorreSentenciasConParametros();

private:
    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;
};

void tst_ProcedimientosEmbebido::initTestCase()
{
    mBase = std::make_unique<BaseDePrueba>();
    mBase->instalar(QStringLiteral("spCinco"), QString::fromUtf8(kCinco));
    mBase->instalar(QStringLiteral("spFalla"), QString::fromUtf8(kFalla));
    mBase->instalar(QStringLiteral("spGeneraCierre"), QString::fromUtf8(kCierre));
    mBase->instalar(QStringLiteral("dbo.getValorNomenclador"), QString::fromUtf8(kValor));
    mMotor = mBase->abrir();
}

void tst_ProcedimientosEmbebido::devuelveCadaResultadoYElValorDeRetorno()
{
    QVector<ado::ParametroMotor> ps{parametro("pId", ado::adInteger, ado::Direccion::Entrada, 1)};
    const ado::Lote lote = mMotor->llamar(QStringLiteral("spCinco"), ps, 0);
    QCOMPARE(lote.tablas.size(), size_t(5));
    QCOMPARE(lote.tablas[1].celda(0, 0), QVariant(QStringLiteral("def     |")));
    QCOMPARE(lote.tablas[2].celda(0, 0), QVariant(QStringLiteral("chico")));
    QCOMPARE(lote.tablas[3].celda(0, 0), QVariant(3));
    QCOMPARE(lote.tablas[3].celda(0, 1), QVariant(QStringLiteral("13")));
    QCOMPARE(lote.tablas[4].filas(), 2);
    QCOMPARE(lote.valorRetorno, 101);
}

void tst_ProcedimientosEmbebido::losArgumentosQueFaltanTomanSuValorPorDefecto_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("texto");
    QTest::newRow("solo el primero") << "EXEC spCinco 1"
                                     << "def     |";
    QTest::newRow("execute y texto") << "Execute spCinco 12, 'abc'"
                                     << "abc     |";
    QTest::newRow("null explicito") << "EXECUTE spCinco 1, null"
                                    << "";
    QTest::newRow("default") << "EXEC spCinco 1, DEFAULT"
                             << "def     |";
    QTest::newRow("por nombre sin mayusculas") << "EXEC dbo.spcinco @PTEXTO = 'x', @pid = 3"
                                               << "x       |";
}

void tst_ProcedimientosEmbebido::losArgumentosQueFaltanTomanSuValorPorDefecto()
{
    QFETCH(QString, sql);
    QFETCH(QString, texto);
    const ado::Lote lote = mMotor->ejecutar(sql, 0);
    QCOMPARE(lote.tablas.size(), size_t(5));
    const QVariant v = lote.tablas[1].celda(0, 0);
    QCOMPARE(v.isValid() ? v.toString() : QString(), texto);
}

void tst_ProcedimientosEmbebido::losParametrosMalPasadosDanElErrorDeSqlServer_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("numero");
    QTest::newRow("falta el obligatorio") << "EXEC spCinco" << 201;
    QTest::newRow("sobran") << "EXEC spCinco 1, 'a', NULL, NULL, 5" << 8144;
    QTest::newRow("nombre desconocido") << "EXEC spCinco 1, @pOtro = 2" << 8145;
    QTest::newRow("posicional tras nombrado") << "EXEC spCinco @pId = 1, 'a'" << 119;
    QTest::newRow("no existe") << "EXEC spNoExiste 1" << 2812;
    QTest::newRow("output de una constante") << "EXEC spCinco 1, 'a', 5 OUTPUT" << 179;
    QTest::newRow("tipo que no convierte") << "EXEC spCinco 'abc'" << 245;
}

void tst_ProcedimientosEmbebido::losParametrosMalPasadosDanElErrorDeSqlServer()
{
    QFETCH(QString, sql);
    QFETCH(int, numero);
    const auto e = errores([&] { mMotor->ejecutar(sql, 0); });
    QCOMPARE(e.value(0).Number, numero);
    QVERIFY(e.value(0).Description.startsWith(e.value(0).SQLState + QLatin1Char(' ')));
}

void tst_ProcedimientosEmbebido::llamarConParametrosTipadosDevuelveLasSalidas()
{
    // Names as the program writes them, with other letter case than the procedure's.
    QVector<ado::ParametroMotor> ps{
        parametro("PID", ado::adInteger, ado::Direccion::Entrada, 21),
        parametro("ptexto", ado::adChar, ado::Direccion::Entrada, QStringLiteral("ab"), 8),
        parametro("oDOBLE", ado::adInteger, ado::Direccion::Salida),
        parametro("oTexto", ado::adChar, ado::Direccion::Salida, {}, 10),
        parametro("RETURN_VALUE", ado::adInteger, ado::Direccion::Retorno),
    };
    const ado::Lote lote = mMotor->llamar(QStringLiteral("dbo.spCinco"), ps, 0);
    QCOMPARE(ps[2].valor, QVariant(42));
    QCOMPARE(ps[3].valor, QVariant(QStringLiteral("ab        ")));
    QCOMPARE(ps[4].valor, QVariant(121));
    QCOMPARE(lote.valorRetorno, 121);
    QCOMPARE(lote.tablas[2].celda(0, 0), QVariant(QStringLiteral("grande")));
    QVector<ado::ParametroMotor> sinObligatorio{parametro("oDoble", ado::adInteger, ado::Direccion::Salida)};
    QCOMPARE(errores([&] { mMotor->llamar(QStringLiteral("spCinco"), sinObligatorio, 0); }).value(0).Number,
             201);
}

void tst_ProcedimientosEmbebido::execDevuelveLasSalidasAVariables()
{
    const ado::Lote lote =
        mMotor->ejecutar(QStringLiteral("DECLARE @d int, @t char(10), @r int\n"
                                        "EXEC @r = spCinco 4, 'zz', @d OUTPUT, @oTexto = @t OUTPUT\n"
                                        "SELECT @d AS Doble, @t + '|' AS Texto, @r AS Retorno"),
                         0);
    QCOMPARE(lote.tablas.size(), size_t(6));
    const ado::Tabla& t = lote.tablas.back();
    QCOMPARE(t.celda(0, 0), QVariant(8));
    QCOMPARE(t.celda(0, 1), QVariant(QStringLiteral("zz        |")));
    QCOMPARE(t.celda(0, 2), QVariant(104));
}

void tst_ProcedimientosEmbebido::unCierreEscribeYRespondePorSusSalidas()
{
    initTestCase(); // it writes: a base of its own
    auto llamar = [&](int prestador) {
        QVector<ado::ParametroMotor> ps{
            parametro("pNumeroEjecucionSys", ado::adInteger, ado::Direccion::Entrada, 0),
            parametro("pIdPrestador", ado::adInteger, ado::Direccion::Entrada, prestador),
            parametro("pFechaDesde", ado::adChar, ado::Direccion::Entrada, QStringLiteral("20240501"), 8),
            parametro("pFechaHasta", ado::adChar, ado::Direccion::Entrada, QStringLiteral("20240531"), 8),
            parametro("oIdCierre", ado::adInteger, ado::Direccion::Salida),
            parametro("oError", ado::adInteger, ado::Direccion::Salida),
            parametro("oComentario", ado::adChar, ado::Direccion::Salida, {}, 30),
        };
        mMotor->llamar(QStringLiteral("spGeneraCierre"), ps, 0);
        return ps;
    };
    const auto hecho = llamar(1);
    QCOMPARE(hecho[5].valor, QVariant(0));
    QCOMPARE(hecho[4].valor, QVariant(3));
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT COUNT(*) FROM Tickets WHERE idCierre = 3")),
             QVariant(1));
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT TTicket FROM Cierres WHERE IdCierre = 3")),
             QVariant(150.5));
    // Nothing left to close: refused, with the reason in the comment padded as char(30).
    const auto rechazado = llamar(1);
    QCOMPARE(rechazado[5].valor, QVariant(1));
    QCOMPARE(rechazado[6].valor, QVariant(QStringLiteral("Sin tickets").leftJustified(30, QLatin1Char(' '))));
}

void tst_ProcedimientosEmbebido::unErrorNombraElProcedimientoYLaInstruccion()
{
    // The first result set arrived: the error waits behind it.
    const ado::Lote lote = mMotor->ejecutar(QStringLiteral("Execute spFalla 1"), 0);
    QCOMPARE(lote.tablas.size(), size_t(1));
    const ado::ErrorAdo e = lote.errorFinal.value(0);
    QCOMPARE(e.Number, 207);
    QVERIFY2(e.Description.contains(QStringLiteral("spFalla")) &&
                 e.Description.contains(QStringLiteral("línea 4")) &&
                 e.Description.contains(QStringLiteral("SELECT Nada FROM Tickets")),
             qPrintable(e.Description));
    // The session goes on.
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT 1")), QVariant(1));
}

void tst_ProcedimientosEmbebido::raiserrorYPrintLleganAlPrograma()
{
    const ado::Lote conError = mMotor->ejecutar(QStringLiteral("EXEC spFalla 2"), 0);
    QCOMPARE(conError.errorFinal.value(0).Number, 50000);
    QVERIFY2(conError.errorFinal.value(0).Description.startsWith(QStringLiteral("42000 Cierre X7 rechazado")),
             qPrintable(conError.errorFinal.value(0).Description));
    const ado::Lote conAviso = mMotor->ejecutar(QStringLiteral("EXEC spFalla 3"), 0);
    QVERIFY(conAviso.errorFinal.isEmpty());
    QCOMPARE(conAviso.avisos.value(0).Description, QStringLiteral("01000 sin error"));
}

void tst_ProcedimientosEmbebido::laFuncionSeUsaDentroDeUnSelect()
{
    // The provider ticket items statement: the function's value, else the item's, else 0.
    const ado::Tabla t = unaTabla(
        *mMotor,
        QStringLiteral(
            "SELECT  IT.Cantidad AS [Cantidad],    IT.Practica AS [Practica],    (SELECT P.Descripcion FROM "
            "Practicas P (NOLOCK) WHERE P.PracticaOS=IT.Practica) AS [Descripción],    "
            "ISNULL(ISNULL(dbo.getValorNomenclador(IT.idPrestadorPractica, CONVERT(CHAR(8),"
            "T.FechaDePractica,112),null,null,null,CONVERT(CHAR(8),GETDATE(),112),null),IT.ValorNomenclador),"
            "0) "
            "AS [Valor],    IT.TipoArancel AS [Tipo Arancel],    IT.IdAutorizacion AS [Autorizació]    FROM "
            "ItemTicketPrestador IT (NOLOCK)    INNER JOIN TicketPrestador T (NOLOCK) ON T.idTicket = "
            "IT.idTicket    WHERE IT.IdTicket = 500 ORDER BY 2 DESC"));
    QCOMPARE(t.filas(), 2);
    QCOMPARE(t.columnas[3].nombre, QStringLiteral("Valor"));
    QCOMPARE(t.columnas[3].tipo, int(ado::adCurrency));
    QCOMPARE(t.celda(0, 3), QVariant(5200.0)); // the provider's value in force
    QCOMPARE(t.celda(1, 3), QVariant(0.0));    // no value anywhere
    QCOMPARE(errores([&] { mMotor->ejecutar(QStringLiteral("SELECT dbo.getValorNomenclador(1)"), 0); })
                 .value(0)
                 .Number,
             313);
    QCOMPARE(errores([&] { mMotor->ejecutar(QStringLiteral("SELECT dbo.noExiste(1)"), 0); }).value(0).Number,
             4121);
}

void tst_ProcedimientosEmbebido::instalarRechazaUnTextoQueNoSeLee_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("texto");
    QTest::newRow("sintaxis") << "spMal"
                              << "CREATE PROCEDURE spMal AS SELECT FROM";
    QTest::newRow("otro nombre") << "spMal"
                                 << "CREATE PROCEDURE spOtro AS SELECT 1";
    QTest::newRow("sin encabezado") << "spMal"
                                    << "SELECT 1";
    QTest::newRow("variable repetida") << "spMal"
                                       << "CREATE PROCEDURE spMal @a int AS DECLARE @A int SELECT 1";
}

void tst_ProcedimientosEmbebido::instalarRechazaUnTextoQueNoSeLee()
{
    QFETCH(QString, nombre);
    QFETCH(QString, texto);
    const auto e = errores([&] { mBase->instalar(nombre, texto); });
    QCOMPARE(e.value(0).Number, 30901);
    QVERIFY2(e.value(0).Description.contains(nombre), qPrintable(e.value(0).Description));
    QCOMPARE(errores([&] { mMotor->ejecutar(QStringLiteral("EXEC spMal"), 0); }).value(0).Number, 2812);
}

void tst_ProcedimientosEmbebido::unProcedimientoReinstaladoSeLeeDeNuevo()
{
    initTestCase(); // it installs: a base of its own
    QCOMPARE(unValor(*mMotor, QStringLiteral("EXEC spFalla 3")), QVariant(1));
    mBase->instalar(QStringLiteral("spFalla"),
                    QStringLiteral("CREATE PROCEDURE spFalla @pCual int AS SELECT 2 AS Otra"));
    QCOMPARE(unValor(*mMotor, QStringLiteral("EXEC spFalla 3")), QVariant(2));
}

void tst_ProcedimientosEmbebido::losEjemplosDeLaDocumentacionCorren()
{
    initTestCase();
    QFile doc(QStringLiteral(DALVO_DOCS "/demo-procedures.md"));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(doc.readAll());
    static const QRegularExpression bloque(QStringLiteral("```sql\\n(.*?)```"),
                                           QRegularExpression::DotMatchesEverythingOption);
    int instalados = 0;
    for (auto it = bloque.globalMatch(texto); it.hasNext();) {
        const QString sql = it.next().captured(1);
        const QString nombre = sql.contains(QLatin1String("FUNCTION"))
                                   ? QStringLiteral("dbo.getValorNomenclador")
                                   : QStringLiteral("spDatosCierre");
        mBase->instalar(nombre, sql);
        ++instalados;
    }
    QCOMPARE(instalados, 2);
    mMotor = mBase->abrir();
    const ado::Lote encontrado = mMotor->ejecutar(QStringLiteral("Execute spDatosCierre 0, 1, 1,'','',2"), 0);
    QCOMPARE(encontrado.tablas.size(), size_t(2));
    QCOMPARE(encontrado.tablas[0].celda(0, 3), QVariant(QStringLiteral("20240520")));
    QCOMPARE(encontrado.tablas[1].filas(), 1);
    const ado::Lote desconocido =
        mMotor->ejecutar(QStringLiteral("Execute spDatosCierre 0, 77, null, '','',2"), 0);
    QCOMPARE(desconocido.tablas[0].celda(0, 0), QVariant(1));
    QCOMPARE(
        unValor(*mMotor, QStringLiteral("SELECT dbo.getValorNomenclador(1, '20240515', null, null, null, "
                                        "'20240515', null)")),
        QVariant(5200.0));
}

void tst_ProcedimientosEmbebido::spExecutesqlCorreSentenciasConParametros()
{
    // As the ODBC driver sends a statement with parameters.
    const ado::Tabla t =
        unaTabla(*mMotor, QStringLiteral("EXEC sp_executesql N'SELECT IdTicket FROM Tickets WHERE "
                                         "IdPrestador = @P1 ORDER BY 1', N'@P1 int', @P1 = 1"));
    QCOMPARE(t.filas(), 2);
    QCOMPARE(unValor(*mMotor,
                     QStringLiteral("DECLARE @n int EXEC sp_executesql N'SELECT @c = COUNT(*) FROM Tickets "
                                    "WHERE Num_Afil LIKE @a', N'@a varchar(10), @c int OUTPUT', "
                                    "@a = '99%', @c = @n OUTPUT SELECT @n AS n")),
             QVariant(2));
    QCOMPARE(
        errores([&] { mMotor->ejecutar(QStringLiteral("EXEC sp_executesql N'SELECT @P1', N'@P1 int'"), 0); })
            .value(0)
            .Number,
        201);
}

QTEST_GUILESS_MAIN(tst_ProcedimientosEmbebido)
#include "tst_ProcedimientosEmbebido.moc"
