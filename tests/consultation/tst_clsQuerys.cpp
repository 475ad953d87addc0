// clsQuerys: the statements it sends, its row count and company name, and how it fails.

#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "consultation/clsQuerys.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::lote;
using pruebas::registro;
using pruebas::tabla;

namespace {

// The statements as the server must receive them, each written out on its own.
struct Base
{
    int caso;
    bool cuenta;
    QString texto;
};

const QVector<Base>& bases()
{
    static const QVector<Base> lista = {
        {1, true,
         QStringLiteral("SELECT COUNT(*) AS [Cuenta]    FROM Prestadores P (NOLOCK)    INNER JOIN "
                        "TipoPrestador TP (NOLOCK) ON        TP.IdTipoPrestador = P.IdTipoPrestador    INNER "
                        "JOIN Departamentos D (NOLOCK) ON        D.IdDepartamento = P.IdDepartamento")},
        {2, true, QStringLiteral("SELECT COUNT(DISTINCT Num_Afil) AS [Cuenta]    FROM Tickets (NOLOCK)")},
        {2, false,
         QStringLiteral("SELECT DISTINCT A.Num_afil AS [Asociado],    A.Num_cred AS [Credencial],    "
                        "A.NumeroPlan AS [Plan]    FROM Tickets A (NOLOCK)")},
        {3, true, QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Medicamentos M (NOLOCK)")},
        {3, false,
         QStringLiteral(
             "SELECT  M.Troquel AS [Troquel],    M.Barra AS [Cod. Barra],    M.Nombre AS [Nombre],    "
             "M.Prestacion AS [Presentación],    M.Precio AS [Precio],    TM.TipoMedicamento AS [Tipo],    "
             "ISNULL(CONVERT(Char(10), M.FUltModif,103),'') AS [Fecha Modificación],    M.Baja AS [HH Baja], "
             "   M.Nro_Regis AS [Nro. Registro]    FROM Medicamentos M (NOLOCK)    INNER JOIN "
             "TipoMedicamento TM (NOLOCK) ON        TM.IdTipoMedicamento = M.IdTipoMedicamento")},
        {4, true,
         QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Tickets T (NOLOCK)   INNER JOIN Prestadores P "
                        "(NOLOCK) ON       P.IdPrestador = T.IdPrestador")},
        {4, false,
         QStringLiteral(
             "SELECT DISTINCT(T.idticket) AS [Cupón],    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) "
             "AS [AuSysT],    ISNULL(T.Fecha_Prestacion,'') AS [Fecha Prestación],    T.num_Afil AS "
             "[Asociado],    T.num_cred AS [Credencial],    T.Ingreso_manual AS [Forma Ingreso],    P.Nombre "
             "AS [Nombre Prestador],    ISNULL(T.medico_receta,0) AS [Medico Receta],    (SELECT "
             "ISNULL(Medicos.Nombre,'') FROM Medicos (NOLOCK) WHERE "
             "Medicos.IdMedico=ISNULL(T.medico_receta,0)) AS [Nombre Medico Receta],    "
             "ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'') AS [Fecha de Receta] ,    C.Cobertura AS "
             "[Cobertura],    T.Desc_al_afiliado AS [Desc. Afiliado],    T.desc_os AS [Desc. O.S.],    "
             "ISNULL( CONVERT(VarChar(10), T.idCierre),'') AS [Cierre],    T.Anulado AS [HH Anulado],    "
             "ISNULL( CONVERT(VarChar(10), T.idAutorizacion),'') AS [Autorización],    T.idPrestador AS [HH "
             "IdPrestador],    T.IdCobertura AS [HH IdCobertura],    CASE WHEN IT.cantidad <= "
             "IT.cantidad_dev THEN '1' ELSE '0' END AS [HH Descontado],    CASE WHEN IT.precio < 0 THEN '1' "
             "ELSE '0' END AS [HH Devolucion]    FROM Tickets T (NOLOCK)    INNER JOIN Prestadores P "
             "(NOLOCK) ON        P.IdPrestador = T.IdPrestador    INNER JOIN Cobertura C (NOLOCK) ON        "
             "C.IdCobertura = T.IdCobertura    INNER JOIN Item_Tickets IT (nolock) ON         T.idticket = "
             "IT.idticket")},
        {5, true,
         QStringLiteral("SELECT  COUNT(C.IdCierre) AS Cuenta FROM Cierres C (NOLOCK)    INNER JOIN "
                        "Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador")},
        {5, false,
         QStringLiteral(
             "SELECT  C.idCierre AS [Cierre],    C.FechaServer AS [Fecha],    P.Nombre AS [Nombre "
             "Prestador],    C.Cant_transac AS [Cantidad Cupones],    C.TTicket AS [Total Cierre],    "
             "C.TAfilia AS [Total Afiliado],    C.TDPrestador AS [Descuento Prestador],    C.BPRAL AS "
             "[Bonificacion OS],    C.NumeroTramite AS [Numero Tramite],    C.IdPrestador AS [HH "
             "IdPrestador],    P.IdTipoPrestador AS [HH TipoPrestador]    FROM Cierres C (NOLOCK)    INNER "
             "JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador")},
        {6, true, QStringLiteral("SELECT COUNT(NumeroErrorSYS) AS Cuenta FROM ErrorSys (NOLOCK)")},
        {6, false,
         QStringLiteral("SELECT  NumeroErrorSYS AS [Numero Error],    Severidad AS [Severidad],    "
                        "Comentario AS [Comentario],    Detalle AS [Detalle]    FROM ErrorSys (NOLOCK)")},
        {7, true, QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Practicas P (NOLOCK)")},
        {7, false,
         QStringLiteral(
             "SELECT     P.PracticaOS AS [Código],    P.Descripcion AS [Práctica],    P.ValorNomenclador AS "
             "[Valor Nomenclador],    P.IdPractica AS [HH Id]    FROM Practicas P (NOLOCK)")},
        {8, true, QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Medicos M (NOLOCK)")},
        {8, false,
         QStringLiteral(
             "SELECT  M.IdMedico AS [Id],    M.Matricula AS [Matrícula],    M.Nombre AS [Nombre],    "
             "TP.TipoPrestador AS [Tipo Prestador],    E.Especialidad AS [Especialidad],    M.fUltModif AS "
             "[Fecha Modificación],    M.Baja AS [HH Baja]    FROM Medicos M (NOLOCK)    LEFT JOIN "
             "TipoPrestador TP (NOLOCK) ON        TP.IdTipoPrestador = M.IdTipoPrestador    LEFT JOIN "
             "Especialidades E (NOLOCK) ON        E.IdEspecialidad = M.IdEspecialidad")},
        {9, true,
         QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador T (NOLOCK)   INNER JOIN "
                        "Prestadores P (NOLOCK) ON       P.IdPrestador = T.IdPrestador")},
        {9, false,
         QStringLiteral(
             "SELECT  T.IdTicket AS [Cupón],    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) AS "
             "[AuSysT],    ISNULL(T.FechaDePractica,'') AS [Fecha Práctica],    T.Asociado AS [Asociado],    "
             "T.PlanAsociado AS [Plan],    T.TipoAsociado AS [Tipo],    P.Nombre AS [Nombre Prestador],    "
             "T.MatriculaPP AS [Medico Receta],    (SELECT MAX(Medicos.Nombre) FROM Medicos (NOLOCK) WHERE "
             "Medicos.Matricula = RIGHT('000000' + RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6) ) AS "
             "[Nombre Medico Receta],    T.FechaDeReceta AS [Fecha de Receta] ,    T.IdCierre AS [Cierre],   "
             " T.Anulado AS [HH Anulado],    T.IdAutorizacion AS [Autorización],    T.IdPrestador AS [HH "
             "IdPrestador],    T.Operacion AS [Tx]    FROM TicketPrestador T (NOLOCK)    INNER JOIN "
             "Prestadores P (NOLOCK) ON        P.IdPrestador = T.IdPrestador")},
        {10, true, QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Accion A (NOLOCK)")},
        {10, false,
         QStringLiteral(
             "SELECT CodigoAccion AS [Cod. Acción],    A.Descripcion AS [Nombre]    FROM Accion A (NOLOCK)")},
    };
    return lista;
}

// Kind 1's rows hold the provider's ticket count in the date range.
const QString kFilasPrestadoresAntes = QStringLiteral(
    "SELECT  P.IdPrestador AS [Id],    TP.TipoPrestador AS [Tipo],    ISNULL(P.Matricula,'') AS [Matrícula], "
    "   P.IdEspecialidad AS [Especialidad],    P.Prestador_OS AS [Código],    P.Nombre AS [Nombre],    "
    "P.Direccion AS [Dirección],    D.Departamento AS [Departamento],    ISNULL(P.CodPostal,'') AS [Cod. "
    "Postal],    ISNULL(P.Telefono,'') AS [Teléfono],    ISNULL(P.Cuit,'') AS [Cuit],    "
    "ISNULL(P.CondIVA,'') AS [Condición IVA],    ISNULL(P.IngBrutos,'') AS [Ingresos Brutos],    "
    "P.Desc_al_Afiliado AS [Desc. al Asociado],    P.Desc_a_OS AS [Desc. a O.S.],    P.Desc_Min_Obligado AS "
    "[Desc. Min. Obl.],    P.fUltModif AS [Fec. Modificación],    P.Baja AS [HH Baja],    P.IdTipoPrestador "
    "AS [HH IdTipoPrestador],    (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = "
    "P.IdPrestador         AND T.Fecha_Prestacion BETWEEN '");
const QString kFilasPrestadoresDespues = QStringLiteral(
    "') AS Cuenta,    ISNULL(P.Licencia,'') AS Licencia    FROM Prestadores P (NOLOCK)    LEFT JOIN "
    "TipoPrestador TP (NOLOCK) ON        TP.IdTipoPrestador = P.IdTipoPrestador    INNER JOIN "
    "Departamentos D (NOLOCK) ON        D.IdDepartamento = P.IdDepartamento");

QString filasPrestadores(const QString& desde, const QString& hasta)
{
    return kFilasPrestadoresAntes + desde + QStringLiteral("' AND '") + hasta + kFilasPrestadoresDespues;
}

const QString kAgrupacionTickets = QStringLiteral(
    " GROUP BY T.idticket, T.AuSysT, T.Fecha_Prestacion, T.num_Afil, T.num_cred, T.Ingreso_manual, P.Nombre, "
    "T.medico_receta, T.Fecha_Receta, C.Cobertura, T.Desc_al_afiliado, T.desc_os, T.idCierre, T.Anulado, "
    "T.idAutorizacion, T.idPrestador, T.IdCobertura, IT.cantidad, IT.cantidad_dev, IT.precio");
const QString kItemsFarmacia = QStringLiteral(
    "SELECT  IT.Cantidad - IT.Cantidad_Dev AS [Cantidad],    IT.Troquel AS [Troquel],    (SELECT "
    "RTRIM(LTRIM(M.Nombre)) + ' - ' + M.Prestacion FROM Medicamentos M (NOLOCK) WHERE M.Troquel=IT.Troquel) "
    "AS [Descripción],    IT.Precio AS [Precio],    IT.Desc_Os AS [Descuento],    IT.IdAutorizacion AS "
    "[Autorización],    TP.TipoPrescripcion AS [Prescripción]    FROM Item_Tickets IT (NOLOCK)    LEFT JOIN "
    "TipoPrescripcion TP (NOLOCK) ON IT.TipoPrescripcion = TP.IdTipoPrescripcion    WHERE IdTicket = ");
const QString kItemsPrestador =
    QStringLiteral("SELECT  IT.Cantidad AS [Cantidad],    IT.Practica AS [Practica],    (SELECT "
                   "P.Descripcion FROM Practicas P (NOLOCK) WHERE P.PracticaOS=IT.Practica) AS "
                   "[Descripción],    ISNULL(ISNULL(dbo.getValorNomenclador(IT.idPrestadorPractica, "
                   "CONVERT(CHAR(8),T.FechaDePractica,112),null,null,null,CONVERT(CHAR(8),GETDATE(),112),"
                   "null),IT.ValorNomenclador),0) AS [Valor],    IT.TipoArancel AS [Tipo Arancel],    "
                   "IT.IdAutorizacion AS [Autorizació]    FROM ItemTicketPrestador IT (NOLOCK)    INNER JOIN "
                   "TicketPrestador T (NOLOCK) ON T.idTicket = IT.idTicket    WHERE IT.IdTicket = ");
const QString kDatosPrestador = QStringLiteral(
    "SELECT  P.Matricula AS [Matrícula],    P.prestador_OS AS [Código],    P.Nombre AS [Nombre],    "
    "P.Direccion AS [Dirección],    D.Departamento AS [Departamento],    P.CodPostal AS [Código Postal],    "
    "P.Telefono AS [Teléfono],    TP.TipoPrestador AS [Tipo de Prestador],    P.Cuit AS [Cuit],    P.CondIVA "
    "AS [Cond. IVA],    P.IngBrutos AS [Nro I.B.],    P.Desc_al_Afiliado AS [Desc. al Asociado],    "
    "P.Desc_a_OS AS [Desc. a O.S.],    P.Desc_Min_Obligado AS [Desc. Min. Oblig.],    P.Desc_ItemObligatorio "
    "AS [Desc. Item Obligatorio],    P.AplicacionBonif AS [Aplicacion Bonif.],    PA.fUltModif_Medicos AS "
    "[Ult. Mod. Médicos],    PA.fUltModif_Remedios  AS [Ult. Mod. Medicamentos],    "
    "PA.fUltModif_Diagnosticos  AS [Ult. Mod. Diagnósticos],    P.fUltModif AS [Fec. Ult. Modificación],    "
    "P.LastUser AS [Ultimo Usuario],    P.IdEspecialidad AS [HH IdEspecialidad],    P.IdPrestador AS [HH "
    "IdPrestador],    P.IdTipoPrestador AS [HH IdTipoPrestador],    P.IDDepartamento AS [HH IdDepartamento], "
    "   P.Baja AS [HH Baja]    FROM Prestadores P (NOLOCK)    LEFT JOIN TipoPrestador TP (NOLOCK) ON "
    "TP.IdTipoPrestador = P.IdTipoPrestador    LEFT JOIN Departamentos D (NOLOCK) ON D.IdDepartamento = "
    "P.IdDepartamento    LEFT JOIN PrestadorActualizaciones PA (NOLOCK) ON PA.IdPrestador = P.IdPrestador    "
    "Where P.IdPrestador = ");

Tabla cuenta(int valor)
{
    return tabla({columna(QStringLiteral("Cuenta"), adInteger)}, {{valor}});
}

Tabla filas(int cantidad)
{
    QVector<QVector<QVariant>> valores;
    for (int i = 0; i < cantidad; ++i)
        valores.append(QVector<QVariant>{i});
    return tabla({columna(QStringLiteral("Id"), adInteger)}, valores);
}

void ejecutar(clsQuerys& querys, const QString& operacion)
{
    if (operacion == u"BuscarItemsTicket farmacia")
        querys.BuscarItemsTicket(1234, true);
    else if (operacion == u"BuscarItemsTicket prestador")
        querys.BuscarItemsTicket(1234, false);
    else if (operacion == u"Parametros")
        querys.Parametros();
    else if (operacion == u"DatosPrestador")
        querys.DatosPrestador(25);
    else
        querys.CantidadTransacciones(7, QStringLiteral("06/01/2024 00:00:00"),
                                     QStringLiteral("06/30/2024 23:59:59"));
}

} // namespace

class TestClsQuerys : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;
    std::function<Lote(const QString&)> mRespuesta;

    QString enviada() const { return mFalso->guion->sentencias.last(); }
    void responder(std::function<Lote(const QString&)> respuesta) { mRespuesta = std::move(respuesta); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mRespuesta = {};
        mFalso->guion->responder = pruebas::servidorSimulado(
            [this](const QString& sql) { return mRespuesta ? mRespuesta(sql) : lote({cuenta(0)}); });
        mConexion = std::make_unique<cUserConnection>();
        gConexion = mConexion.get();
        mConexion->Connect(QStringLiteral("srv"), QStringLiteral("u"), QStringLiteral("p"),
                           QStringLiteral("dalvoPralMendoza"));
    }

    void cleanup()
    {
        gConexion = nullptr;
        mConexion.reset();
        mFalso.reset();
        mEntorno.reset();
    }

    // Every kind, count and rows, with and without a condition: WHERE, then kind 4's grouping, then the
    // ordering, which only a condition brings. Only the providers' rows take the dates, as SQL dates.
    void consultaEnviaElTextoDeCadaTipo_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("bCuenta");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("esperado");
        const QString cond = QStringLiteral("P.Nombre LIKE '%a%'");
        const QString mayo = QStringLiteral("01/05/2024");
        for (const Base& base : bases()) {
            const QString nombre =
                QStringLiteral("%1 %2").arg(base.caso).arg(QLatin1String(base.cuenta ? "cuenta" : "filas"));
            const QString agrupacion = base.caso == 4 && !base.cuenta ? kAgrupacionTickets : QString();
            QTest::newRow(qPrintable(nombre + " sin condicion"))
                << base.caso << base.cuenta << QString() << mayo << base.texto + agrupacion;
            QTest::newRow(qPrintable(nombre + " con condicion"))
                << base.caso << base.cuenta << cond << QString()
                << base.texto + QStringLiteral(" WHERE ") + cond + agrupacion + QStringLiteral(" ORDER BY 1");
        }
        QTest::newRow("1 filas sin fechas")
            << 1 << false << QString() << QString() << filasPrestadores({}, {});
        QTest::newRow("1 filas con condicion")
            << 1 << false << cond << QString()
            << filasPrestadores({}, {}) + QStringLiteral(" WHERE ") + cond + QStringLiteral(" ORDER BY 1");
        QTest::newRow("1 filas con fechas")
            << 1 << false << QString() << QStringLiteral("3/5/2024")
            << filasPrestadores(QStringLiteral("05/03/2024 00:00:00"), QStringLiteral("05/31/2024 23:59:59"));
        QTest::newRow("tipo desconocido") << 11 << false << QStringLiteral("X = 1") << QString()
                                          << QStringLiteral(" WHERE X = 1 ORDER BY 1");
    }
    void consultaEnviaElTextoDeCadaTipo()
    {
        QFETCH(int, caso);
        QFETCH(bool, bCuenta);
        QFETCH(QString, condicion);
        QFETCH(QString, desde);
        QFETCH(QString, esperado);
        const QString hasta = desde.isEmpty() ? QString() : QStringLiteral("31/05/2024");
        clsQuerys querys;
        querys.Consulta(caso, condicion, bCuenta, desde, hasta)->Close();
        QCOMPARE(enviada(), esperado);
    }

    // The other statements; a database error leaves with the operation's source. Consulta,
    // BuscarItemsTicket and Parametros keep the previous count, the others have cleared it.
    void otrasOperaciones_data()
    {
        QTest::addColumn<QString>("operacion");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<int>("cuentaTrasFalla");
        const QString junio = QStringLiteral("BETWEEN '06/01/2024 00:00:00' AND '06/30/2024 23:59:59'");
        QTest::newRow("items farmacia")
            << "BuscarItemsTicket farmacia" << QStringList{kItemsFarmacia + QStringLiteral("1234")} << 1;
        QTest::newRow("items prestador")
            << "BuscarItemsTicket prestador" << QStringList{kItemsPrestador + QStringLiteral("1234")} << 1;
        QTest::newRow("datos del prestador")
            << "DatosPrestador" << QStringList{kDatosPrestador + QStringLiteral("25")} << 0;
        QTest::newRow("parametros") << "Parametros"
                                    << QStringList{QStringLiteral(
                                           "SELECT Parametros.NombreEmpresa FROM Parametros (NOLOCK)")}
                                    << 1;
        // Pharmacy tickets plus provider tickets of operations 11 and 31; the dates go in as they are.
        QTest::newRow("transacciones")
            << "CantidadTransacciones"
            << QStringList{QStringLiteral(
                               "SELECT COUNT(*) AS [Cuenta] FROM Tickets (NOLOCK)     WHERE IdPrestador = 7"
                               "        AND Fecha_Prestacion ") +
                               junio,
                           QStringLiteral(
                               "SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador (NOLOCK)     WHERE "
                               "IdPrestador = 7      AND Operacion IN ('31', '11')      AND "
                               "FechaDePractica ") +
                               junio}
            << 0;
    }
    void otrasOperaciones()
    {
        QFETCH(QString, operacion);
        QFETCH(QStringList, esperadas);
        QFETCH(int, cuentaTrasFalla);
        clsQuerys querys;
        responder([](const QString& sql) {
            if (sql.contains(QStringLiteral("NombreEmpresa")))
                return lote({tabla({columna(QStringLiteral("NombreEmpresa"), adVarChar, 60)}, {{"OSP"}})});
            return lote({cuenta(sql.contains(QStringLiteral("TicketPrestador (NOLOCK)")) ? 5 : 12)});
        });
        const qsizetype antes = mFalso->guion->sentencias.size();
        ejecutar(querys, operacion);
        QCOMPARE(mFalso->guion->sentencias.mid(antes), esperadas);
        QCOMPARE(querys.RegistrosAfectados(), qint16(1));
        if (operacion == u"CantidadTransacciones")
            QCOMPARE(querys.CantidadTransacciones(7, {}, {}), 17);

        responder([](const QString&) -> Lote {
            pruebas::fallar({registro(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name"))});
        });
        try {
            ejecutar(querys, operacion);
            QFAIL("no falló");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 208);
            QCOMPARE(f.Origen, QStringLiteral("clsQuerys.") + operacion.section(u' ', 0, 0));
            QCOMPARE(f.Descripcion, QStringLiteral("42S02 Invalid object name"));
        }
        QCOMPARE(querys.RegistrosAfectados(), qint16(cuentaTrasFalla));
    }

    // The count is kept wide and narrowed to 16 bits when read.
    void registrosAfectadosDesbordaSobre32767_data()
    {
        QTest::addColumn<int>("cantidad");
        QTest::addColumn<bool>("desborda");
        QTest::newRow("32767") << 32767 << false;
        QTest::newRow("32768") << 32768 << true;
    }
    void registrosAfectadosDesbordaSobre32767()
    {
        QFETCH(int, cantidad);
        QFETCH(bool, desborda);
        responder([&](const QString&) { return lote({filas(cantidad)}); });
        clsQuerys querys;
        querys.Consulta(6, {})->Close();
        try {
            QCOMPARE(querys.RegistrosAfectados(), qint16(cantidad));
            QVERIFY(!desborda);
        } catch (const Falla& f) {
            QVERIFY(desborda);
            QCOMPARE(f.Numero, 6);
            QCOMPARE(f.Descripcion, QStringLiteral("Desbordamiento"));
            QCOMPARE(f.Origen, QStringLiteral("clsQuerys.RegistrosAfectados"));
        }
    }
};

QTEST_GUILESS_MAIN(TestClsQuerys)
#include "tst_clsQuerys.moc"
