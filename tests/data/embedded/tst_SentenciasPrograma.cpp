// Every statement text the program sends runs on the demo server and returns the columns it names.
#include "BaseDePrueba.h"

#include "common/Reloj.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

namespace {

const QString kDesde = QStringLiteral("05/01/2024 00:00:00");
const QString kHasta = QStringLiteral("05/31/2024 23:59:59");

QString kind1Filas(const QString& desde, const QString& hasta)
{
    return QStringLiteral(
               "SELECT  P.IdPrestador AS [Id],    TP.TipoPrestador AS [Tipo],    ISNULL(P.Matricula,'') AS "
               "[Matrícula],"
               "    P.IdEspecialidad AS [Especialidad],    P.Prestador_OS AS [Código],    P.Nombre AS "
               "[Nombre],    "
               "P.Direccion AS [Dirección],    D.Departamento AS [Departamento],    ISNULL(P.CodPostal,'') "
               "AS [Cod. "
               "Postal],    ISNULL(P.Telefono,'') AS [Teléfono],    ISNULL(P.Cuit,'') AS [Cuit],    "
               "ISNULL(P.CondIVA,'') "
               "AS [Condición IVA],    ISNULL(P.IngBrutos,'') AS [Ingresos Brutos],    P.Desc_al_Afiliado AS "
               "[Desc. al "
               "Asociado],    P.Desc_a_OS AS [Desc. a O.S.],    P.Desc_Min_Obligado AS [Desc. Min. Obl.],    "
               "P.fUltModif AS [Fec. Modificación],    P.Baja AS [HH Baja],    P.IdTipoPrestador AS [HH "
               "IdTipoPrestador],    (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = "
               "P.IdPrestador      "
               "   AND T.Fecha_Prestacion BETWEEN '%1' AND '%2') AS Cuenta,    ISNULL(P.Licencia,'') AS "
               "Licencia    FROM "
               "Prestadores P (NOLOCK)    LEFT JOIN TipoPrestador TP (NOLOCK) ON        TP.IdTipoPrestador = "
               "P.IdTipoPrestador    INNER JOIN Departamentos D (NOLOCK) ON        D.IdDepartamento = "
               "P.IdDepartamento")
        .arg(desde, hasta);
}

const QString kKind4Agrupar = QStringLiteral(
    " GROUP BY T.idticket, T.AuSysT, T.Fecha_Prestacion, T.num_Afil, T.num_cred, T.Ingreso_manual, P.Nombre, "
    "T.medico_receta, T.Fecha_Receta, C.Cobertura, T.Desc_al_afiliado, T.desc_os, T.idCierre, T.Anulado, "
    "T.idAutorizacion, T.idPrestador, T.IdCobertura, IT.cantidad, IT.cantidad_dev, IT.precio");

struct Tipo
{
    QString cuenta;
    QString filas;
    QString condicion;
    QStringList columnas;
};

QList<Tipo> tiposDeBusqueda()
{
    QList<Tipo> t;
    t << Tipo{"SELECT COUNT(*) AS [Cuenta]    FROM Prestadores P (NOLOCK)    INNER JOIN TipoPrestador TP "
              "(NOLOCK) ON  "
              "      TP.IdTipoPrestador = P.IdTipoPrestador    INNER JOIN Departamentos D (NOLOCK) ON        "
              "D.IdDepartamento = P.IdDepartamento",
              kind1Filas(kDesde, kHasta),
              "P.Nombre LIKE '%san%'",
              {"Id",
               "Tipo",
               "Matrícula",
               "Especialidad",
               "Código",
               "Nombre",
               "Dirección",
               "Departamento",
               "Cod. Postal",
               "Teléfono",
               "Cuit",
               "Condición IVA",
               "Ingresos Brutos",
               "Desc. al Asociado",
               "Desc. a O.S.",
               "Desc. Min. Obl.",
               "Fec. Modificación",
               "HH Baja",
               "HH IdTipoPrestador",
               "Cuenta",
               "Licencia"}};
    t << Tipo{"SELECT COUNT(DISTINCT Num_Afil) AS [Cuenta]    FROM Tickets (NOLOCK)",
              "SELECT DISTINCT A.Num_afil AS [Asociado],    A.Num_cred AS [Credencial],    A.NumeroPlan AS "
              "[Plan]    "
              "FROM Tickets A (NOLOCK)",
              "Num_Afil LIKE '%99%'",
              {"Asociado", "Credencial", "Plan"}};
    t << Tipo{"SELECT COUNT(*) AS Cuenta FROM Medicamentos M (NOLOCK)",
              "SELECT  M.Troquel AS [Troquel],    M.Barra AS [Cod. Barra],    M.Nombre AS [Nombre],    "
              "M.Prestacion AS "
              "[Presentación],    M.Precio AS [Precio],    TM.TipoMedicamento AS [Tipo],    "
              "ISNULL(CONVERT(Char(10), "
              "M.FUltModif,103),'') AS [Fecha Modificación],    M.Baja AS [HH Baja],    M.Nro_Regis AS [Nro. "
              "Registro]  "
              "  FROM Medicamentos M (NOLOCK)    INNER JOIN TipoMedicamento TM (NOLOCK) ON        "
              "TM.IdTipoMedicamento = "
              "M.IdTipoMedicamento",
              "M.Nombre LIKE '%AMOX%'",
              {"Troquel", "Cod. Barra", "Nombre", "Presentación", "Precio", "Tipo", "Fecha Modificación",
               "HH Baja", "Nro. Registro"}};
    t << Tipo{
        "SELECT COUNT(*) AS [Cuenta] FROM Tickets T (NOLOCK)   INNER JOIN Prestadores P (NOLOCK) ON       "
        "P.IdPrestador = T.IdPrestador",
        "SELECT DISTINCT(T.idticket) AS [Cupón],    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) AS "
        "[AuSysT],"
        "    ISNULL(T.Fecha_Prestacion,'') AS [Fecha Prestación],    T.num_Afil AS [Asociado],    T.num_cred "
        "AS "
        "[Credencial],    T.Ingreso_manual AS [Forma Ingreso],    P.Nombre AS [Nombre Prestador],    "
        "ISNULL(T.medico_receta,0) AS [Medico Receta],    (SELECT ISNULL(Medicos.Nombre,'') FROM Medicos "
        "(NOLOCK) "
        "WHERE Medicos.IdMedico=ISNULL(T.medico_receta,0)) AS [Nombre Medico Receta],    "
        "ISNULL(CONVERT(Char(10), "
        "T.Fecha_Receta, 103),'') AS [Fecha de Receta] ,    C.Cobertura AS [Cobertura],    "
        "T.Desc_al_afiliado AS "
        "[Desc. Afiliado],    T.desc_os AS [Desc. O.S.],    ISNULL( CONVERT(VarChar(10), T.idCierre),'') AS "
        "[Cierre],    T.Anulado AS [HH Anulado],    ISNULL( CONVERT(VarChar(10), T.idAutorizacion),'') AS "
        "[Autorización],    T.idPrestador AS [HH IdPrestador],    T.IdCobertura AS [HH IdCobertura],    CASE "
        "WHEN "
        "IT.cantidad <= IT.cantidad_dev THEN '1' ELSE '0' END AS [HH Descontado],    CASE WHEN IT.precio < 0 "
        "THEN "
        "'1' ELSE '0' END AS [HH Devolucion]    FROM Tickets T (NOLOCK)    INNER JOIN Prestadores P (NOLOCK) "
        "ON   "
        "     P.IdPrestador = T.IdPrestador    INNER JOIN Cobertura C (NOLOCK) ON        C.IdCobertura = "
        "T.IdCobertura    INNER JOIN Item_Tickets IT (nolock) ON         T.idticket = IT.idticket",
        "P.Prestador_OS LIKE '%F0%' AND T.Fecha_Prestacion BETWEEN '" + kDesde + "' AND '" + kHasta + "'",
        {"Cupón",
         "AuSysT",
         "Fecha Prestación",
         "Asociado",
         "Credencial",
         "Forma Ingreso",
         "Nombre Prestador",
         "Medico Receta",
         "Nombre Medico Receta",
         "Fecha de Receta",
         "Cobertura",
         "Desc. Afiliado",
         "Desc. O.S.",
         "Cierre",
         "HH Anulado",
         "Autorización",
         "HH IdPrestador",
         "HH IdCobertura",
         "HH Descontado",
         "HH Devolucion"}};
    t << Tipo{
        "SELECT  COUNT(C.IdCierre) AS Cuenta FROM Cierres C (NOLOCK)    INNER JOIN Prestadores P (NOLOCK) ON "
        "     "
        "  P.IdPrestador = C.IdPrestador",
        "SELECT  C.idCierre AS [Cierre],    C.FechaServer AS [Fecha],    P.Nombre AS [Nombre Prestador],    "
        "C.Cant_transac AS [Cantidad Cupones],    C.TTicket AS [Total Cierre],    C.TAfilia AS [Total "
        "Afiliado],    "
        "C.TDPrestador AS [Descuento Prestador],    C.BPRAL AS [Bonificacion OS],    C.NumeroTramite AS "
        "[Numero "
        "Tramite],    C.IdPrestador AS [HH IdPrestador],    P.IdTipoPrestador AS [HH TipoPrestador]    FROM "
        "Cierres C (NOLOCK)    INNER JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador",
        " C.FechaServer BETWEEN '" + kDesde + "' AND '" + kHasta + "'",
        {"Cierre", "Fecha", "Nombre Prestador", "Cantidad Cupones", "Total Cierre", "Total Afiliado",
         "Descuento Prestador", "Bonificacion OS", "Numero Tramite", "HH IdPrestador", "HH TipoPrestador"}};
    t << Tipo{"SELECT COUNT(NumeroErrorSYS) AS Cuenta FROM ErrorSys (NOLOCK)",
              "SELECT  NumeroErrorSYS AS [Numero Error],    Severidad AS [Severidad],    Comentario AS "
              "[Comentario],    "
              "Detalle AS [Detalle]    FROM ErrorSys (NOLOCK)",
              " NumeroErrorSYS = 1",
              {"Numero Error", "Severidad", "Comentario", "Detalle"}};
    t << Tipo{"SELECT COUNT(*) AS [Cuenta] FROM Practicas P (NOLOCK)",
              "SELECT     P.PracticaOS AS [Código],    P.Descripcion AS [Práctica],    P.ValorNomenclador AS "
              "[Valor "
              "Nomenclador],    P.IdPractica AS [HH Id]    FROM Practicas P (NOLOCK)",
              "P.Descripcion LIKE 'consulta%'",
              {"Código", "Práctica", "Valor Nomenclador", "HH Id"}};
    t << Tipo{
        "SELECT COUNT(*) AS [Cuenta] FROM Medicos M (NOLOCK)",
        "SELECT  M.IdMedico AS [Id],    M.Matricula AS [Matrícula],    M.Nombre AS [Nombre],    "
        "TP.TipoPrestador "
        "AS [Tipo Prestador],    E.Especialidad AS [Especialidad],    M.fUltModif AS [Fecha Modificación],   "
        " "
        "M.Baja AS [HH Baja]    FROM Medicos M (NOLOCK)    LEFT JOIN TipoPrestador TP (NOLOCK) ON        "
        "TP.IdTipoPrestador = M.IdTipoPrestador    LEFT JOIN Especialidades E (NOLOCK) ON        "
        "E.IdEspecialidad = M.IdEspecialidad",
        "M.Nombre LIKE 'pérez%'",
        {"Id", "Matrícula", "Nombre", "Tipo Prestador", "Especialidad", "Fecha Modificación", "HH Baja"}};
    t << Tipo{
        "SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador T (NOLOCK)   INNER JOIN Prestadores P (NOLOCK) ON  "
        "     "
        "P.IdPrestador = T.IdPrestador",
        "SELECT  T.IdTicket AS [Cupón],    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) AS [AuSysT],   "
        " "
        "ISNULL(T.FechaDePractica,'') AS [Fecha Práctica],    T.Asociado AS [Asociado],    T.PlanAsociado AS "
        "[Plan],    T.TipoAsociado AS [Tipo],    P.Nombre AS [Nombre Prestador],    T.MatriculaPP AS [Medico "
        "Receta],    (SELECT MAX(Medicos.Nombre) FROM Medicos (NOLOCK) WHERE Medicos.Matricula = "
        "RIGHT('000000' + "
        "RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6) ) AS [Nombre Medico Receta],    T.FechaDeReceta "
        "AS "
        "[Fecha de Receta] ,    T.IdCierre AS [Cierre],    T.Anulado AS [HH Anulado],    T.IdAutorizacion AS "
        "[Autorización],    T.IdPrestador AS [HH IdPrestador],    T.Operacion AS [Tx]    FROM "
        "TicketPrestador T "
        "(NOLOCK)    INNER JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = T.IdPrestador",
        "T.Asociado LIKE '99%' AND T.FechaDePractica BETWEEN '" + kDesde + "' AND '" + kHasta + "'",
        {"Cupón", "AuSysT", "Fecha Práctica", "Asociado", "Plan", "Tipo", "Nombre Prestador", "Medico Receta",
         "Nombre Medico Receta", "Fecha de Receta", "Cierre", "HH Anulado", "Autorización", "HH IdPrestador",
         "Tx"}};
    t << Tipo{"SELECT COUNT(*) AS Cuenta FROM Accion A (NOLOCK)",
              "SELECT CodigoAccion AS [Cod. Acción],    A.Descripcion AS [Nombre]    FROM Accion A (NOLOCK)",
              "A.CodigoAccion = '0007'",
              {"Cod. Acción", "Nombre"}};
    return t;
}

QStringList nombres(const ado::Tabla& t)
{
    QStringList n;
    for (const ado::Columna& c : t.columnas)
        n << c.nombre;
    return n;
}

} // namespace

class tst_SentenciasPrograma : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void corren_data();
    void corren();
    void laCuentaDelProveedorUsaElRangoDeFechas();
    void elCierreDevuelveCincoConjuntos();

private:
    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;
};

void tst_SentenciasPrograma::initTestCase()
{
    mBase = std::make_unique<BaseDePrueba>();
    mBase->instalar(
        QStringLiteral("spDatosCierre"),
        QStringLiteral("CREATE PROCEDURE spDatosCierre @pNumeroEjecucionSys int, @pIdCierre int = NULL, "
                       "@pIdPrestador int = NULL, @pFechaDesde varchar(10) = NULL, @pFechaHasta "
                       "varchar(10) = NULL, @pOpcion int = NULL AS\n"
                       "SELECT 0 AS Error, '' AS Comentario, C.IdPrestador AS Prestador FROM Cierres C "
                       "WHERE C.IdCierre = @pIdCierre\n"
                       "SELECT IdTicket, Num_Afil FROM Tickets WHERE idCierre = @pIdCierre\n"
                       "SELECT 40.0 AS Desc_OS\nSELECT IdTicket, Num_Afil FROM Tickets WHERE 1 = 0\n"
                       "SELECT 0.0 AS Desc_OS"));
    mBase->instalar(
        QStringLiteral("spAnularCierre"),
        QStringLiteral("CREATE PROCEDURE spAnularCierre @pIdPrestador int, @pIdCierre int AS\n"
                       "SELECT COUNT(*) AS Anulado FROM Cierres WHERE IdPrestador = @pIdPrestador AND "
                       "IdCierre = @pIdCierre"));
    mMotor = mBase->abrir();
}

void tst_SentenciasPrograma::corren_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("columnas");
    QTest::addColumn<int>("filasMinimas");
    const QStringList cuenta{"Cuenta"};
    int k = 1;
    for (const Tipo& t : tiposDeBusqueda()) {
        const QString agrupar = k == 4 ? kKind4Agrupar : QString();
        QTest::addRow("tipo %d cuenta", k) << t.cuenta << cuenta << 1;
        QTest::addRow("tipo %d filas", k) << t.filas + agrupar << t.columnas << 1;
        QTest::addRow("tipo %d cuenta con condicion", k)
            << t.cuenta + " WHERE " + t.condicion + " ORDER BY 1" << cuenta << 1;
        QTest::addRow("tipo %d filas con condicion", k)
            << t.filas + " WHERE " + t.condicion + agrupar + " ORDER BY 1" << t.columnas << 1;
        ++k;
    }
    QTest::newRow("proveedores sin fechas")
        << kind1Filas(QString(), QString()) << tiposDeBusqueda()[0].columnas << 1;
    QTest::newRow("items de farmacia")
        << "SELECT  IT.Cantidad - IT.Cantidad_Dev AS [Cantidad],    IT.Troquel AS [Troquel],    (SELECT "
           "RTRIM(LTRIM(M.Nombre)) + ' - ' + M.Prestacion FROM Medicamentos M (NOLOCK) WHERE "
           "M.Troquel=IT.Troquel) AS "
           "[Descripción],    IT.Precio AS [Precio],    IT.Desc_Os AS [Descuento],    IT.IdAutorizacion AS "
           "[Autorización],    TP.TipoPrescripcion AS [Prescripción]    FROM Item_Tickets IT (NOLOCK)    "
           "LEFT JOIN "
           "TipoPrescripcion TP (NOLOCK) ON IT.TipoPrescripcion = TP.IdTipoPrescripcion    WHERE IdTicket = "
           "100"
        << QStringList{"Cantidad",  "Troquel",      "Descripción", "Precio",
                       "Descuento", "Autorización", "Prescripción"}
        << 2;
    QTest::newRow("datos del prestador")
        << "SELECT  P.Matricula AS [Matrícula],    P.prestador_OS AS [Código],    P.Nombre AS [Nombre],    "
           "P.Direccion "
           "AS [Dirección],    D.Departamento AS [Departamento],    P.CodPostal AS [Código Postal],    "
           "P.Telefono AS "
           "[Teléfono],    TP.TipoPrestador AS [Tipo de Prestador],    P.Cuit AS [Cuit],    P.CondIVA AS "
           "[Cond. IVA], "
           "   P.IngBrutos AS [Nro I.B.],    P.Desc_al_Afiliado AS [Desc. al Asociado],    P.Desc_a_OS AS "
           "[Desc. a "
           "O.S.],    P.Desc_Min_Obligado AS [Desc. Min. Oblig.],    P.Desc_ItemObligatorio AS [Desc. Item "
           "Obligatorio],    P.AplicacionBonif AS [Aplicacion Bonif.],    PA.fUltModif_Medicos AS [Ult. Mod. "
           "Médicos],"
           "    PA.fUltModif_Remedios  AS [Ult. Mod. Medicamentos],    PA.fUltModif_Diagnosticos  AS [Ult. "
           "Mod. "
           "Diagnósticos],    P.fUltModif AS [Fec. Ult. Modificación],    P.LastUser AS [Ultimo Usuario],    "
           "P.IdEspecialidad AS [HH IdEspecialidad],    P.IdPrestador AS [HH IdPrestador],    "
           "P.IdTipoPrestador AS "
           "[HH IdTipoPrestador],    P.IDDepartamento AS [HH IdDepartamento],    P.Baja AS [HH Baja]    FROM "
           "Prestadores P (NOLOCK)    LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = "
           "P.IdTipoPrestador   "
           " LEFT JOIN Departamentos D (NOLOCK) ON D.IdDepartamento = P.IdDepartamento    LEFT JOIN "
           "PrestadorActualizaciones PA (NOLOCK) ON PA.IdPrestador = P.IdPrestador    Where P.IdPrestador = 1"
        << QStringList{} << 1;
    QTest::newRow("transacciones de farmacia") << "SELECT COUNT(*) AS [Cuenta] FROM Tickets (NOLOCK)     "
                                                  "WHERE IdPrestador = 1        AND Fecha_Prestacion "
                                                  "BETWEEN '" +
                                                      kDesde + "' AND '" + kHasta + "'"
                                               << cuenta << 1;
    QTest::newRow("transacciones de prestador") << "SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador "
                                                   "(NOLOCK)     WHERE IdPrestador = 2      AND Operacion IN "
                                                   "('31', '11')      AND FechaDePractica BETWEEN '' AND ''"
                                                << cuenta << 1;
    QTest::newRow("nombre de la empresa")
        << "SELECT Parametros.NombreEmpresa FROM Parametros (NOLOCK)" << QStringList{"NombreEmpresa"} << 1;
    QTest::newRow("parametros")
        << "SELECT  NombreEmpresa,    Periodo_Prox_Consumo,    Mensaje_Ticket,    Medicamentos_por_RDP,    "
           "Dias_Validez_Receta,    Directorio_TXT,    Directorio_FMT,    Directorio_LOG,    "
           "DirectorioTramites,    "
           "FechaTTAccion,    FechaAccion,    DirectorioTXTINMedicamentos,    DirectotioTXTOUTMedicamentos   "
           " FROM "
           "Parametros(NOLOCK)"
        << QStringList{"NombreEmpresa",
                       "Periodo_Prox_Consumo",
                       "Mensaje_Ticket",
                       "Medicamentos_por_RDP",
                       "Dias_Validez_Receta",
                       "Directorio_TXT",
                       "Directorio_FMT",
                       "Directorio_LOG",
                       "DirectorioTramites",
                       "FechaTTAccion",
                       "FechaAccion",
                       "DirectorioTXTINMedicamentos",
                       "DirectotioTXTOUTMedicamentos"}
        << 1;
    QTest::newRow("consulta de vida")
        << "SELECT  Medicamentos_por_RDP AS Chek     FROM Parametros(NOLOCK)" << QStringList{"Chek"} << 1;
    QTest::newRow("version") << "SELECT @@VERSION AS Version" << QStringList{"Version"} << 1;
    QTest::newRow("base de datos") << "SELECT DB_NAME() AS BaseDatos" << QStringList{"BaseDatos"} << 1;
    QTest::newRow("reconexion") << "SELECT COUNT(*) FROM Master..systypes (NOLOCK)" << QStringList{""} << 1;
    const QString buscar =
        "SELECT  C.IdCierre,    C.idPrestador,    C.Cant_transac,    C.TTicket,    C.TAfilia,    "
        "C.TDPrestador,    C.BPRAL,    C.NumeroTramite,    C.FechaServer,    P.Nombre,    "
        "P.Prestador_OS    FROM Cierres C (NOLOCK)    LEFT JOIN Prestadores P (NOLOCK) ON "
        "P.IdPrestador = C.IdPrestador";
    const QStringList deBuscar{"IdCierre",    "idPrestador", "Cant_transac", "TTicket",
                               "TAfilia",     "TDPrestador", "BPRAL",        "NumeroTramite",
                               "FechaServer", "Nombre",      "Prestador_OS"};
    QTest::newRow("cierres del prestador")
        << buscar + " WHERE C.IdPrestador=1 AND C.FechaServer BETWEEN  "
                    "DATEADD(M,-3,GETDATE()) AND GETDATE() ORDER BY C.FechaServer Desc"
        << deBuscar << 1;
    QTest::newRow("cierre siguiente")
        << buscar + " WHERE C.IdCierre=(SELECT MIN(X.IdCierre) FROM Cierres X (NOLOCK) "
                    "WHERE X.IdCierre > 1) ORDER BY C.FechaServer Desc"
        << deBuscar << 1;
    QTest::newRow("ultimo cierre")
        << buscar + " WHERE C.IdCierre=(SELECT MAX(X.IdCierre) FROM Cierres X (NOLOCK) ) "
                    "ORDER BY C.FechaServer Desc"
        << deBuscar << 1;
    QTest::newRow("registro de tramites")
        << "SELECT  ISNULL(Archivo,'') AS Archivo,    Convert(varchar(6),isnull(CantidadRegistros,0)) AS "
           "CantidadRegistros,    ISNULL(NumeroTramite,'0') AS NumeroTramite    FROM tteLog (NOLOCK) ORDER "
           "BY "
           "NumeroTramite"
        << QStringList{"Archivo", "CantidadRegistros", "NumeroTramite"} << 2;
    QTest::newRow("anular cierre") << "Execute spAnularCierre 1, 1" << QStringList{"Anulado"} << 1;
    QTest::newRow("totales de cierres")
        << "SELECT  COUNT(C.idCierre) 'Cuenta',    SUM(C.Cant_transac) 'CantidadCupones',    SUM(C.TTicket) "
           "'TotalCierre',    SUM(C.TAfilia) 'TotalAfiliado',    SUM(C.BPRAL) 'Bonificacion'  FROM Cierres C "
           "(NOLOCK)    INNER JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador    WHERE "
           "P.Nombre "
           "LIKE '%farmacia%'"
        << QStringList{"Cuenta", "CantidadCupones", "TotalCierre", "TotalAfiliado", "Bonificacion"} << 1;
    QTest::newRow("tablas") << "SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla"
                            << QStringList{"Tabla"} << 21;
    QTest::newRow("consulta libre, cuenta")
        << "SELECT COUNT(*) AS Cuenta \r\n FROM Prestadores (nolock)\r\n WHERE \r\nNombre LIKE 'farm%'\r\n "
           "AND "
           "CONVERT(Char(8), fUltModif,112) = '20240501'\r\n AND IdPrestador = 1"
        << cuenta << 1;
    QTest::newRow("consulta libre, filas")
        << "SELECT \r\nCodigoAccion,\r\nDescripcion\r\n FROM Accion (nolock)"
        << QStringList{"CodigoAccion", "Descripcion"} << 2;
}

void tst_SentenciasPrograma::corren()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, columnas);
    QFETCH(int, filasMinimas);
    RelojFijo reloj(QDateTime(QDate(2024, 6, 15), QTime(10, 0)));
    ado::Lote lote;
    const auto e = errores([&] { lote = mMotor->ejecutar(sql, 180); });
    QVERIFY2(e.isEmpty(), qPrintable(e.value(0).Description));
    QVERIFY(lote.errorFinal.isEmpty());
    QCOMPARE(lote.tablas.size(), size_t(1));
    if (!columnas.isEmpty())
        QCOMPARE(nombres(lote.tablas[0]), columnas);
    QVERIFY(lote.tablas[0].filas() >= filasMinimas);
    if (columnas == QStringList{"Cuenta"})
        QVERIFY2(lote.tablas[0].celda(0, 0).toInt() > 0 || sql.contains(QLatin1String("BETWEEN '' AND ''")),
                 "la condición de prueba debe encontrar algo");
}

void tst_SentenciasPrograma::laCuentaDelProveedorUsaElRangoDeFechas()
{
    const ado::Tabla conFechas =
        unaTabla(*mMotor, kind1Filas(kDesde, kHasta) + " WHERE  P.IdPrestador = 1 ORDER BY 1");
    QCOMPARE(conFechas.celda(0, 19), QVariant(2));
    const ado::Tabla sinFechas =
        unaTabla(*mMotor, kind1Filas(QString(), QString()) + " WHERE  P.IdPrestador = 1 ORDER BY 1");
    QCOMPARE(sinFechas.celda(0, 19), QVariant(0));
}

void tst_SentenciasPrograma::elCierreDevuelveCincoConjuntos()
{
    for (const QString& sql : {QStringLiteral("Execute spDatosCierre 0, 1, 1,'','',2"),
                               QStringLiteral("Execute spDatosCierre 0, 1, null, '','',2"),
                               QStringLiteral("Execute spDatosCierre 0, null, 1,'','',2")}) {
        const ado::Lote lote = mMotor->ejecutar(sql, 180);
        QCOMPARE(lote.tablas.size(), size_t(5));
        QVERIFY(lote.errorFinal.isEmpty());
    }
    QCOMPARE(mMotor->ejecutar(QStringLiteral("Execute spDatosCierre 0, 1, 1,'','',2"), 0).tablas[1].filas(),
             1);
}

QTEST_GUILESS_MAIN(tst_SentenciasPrograma)
#include "tst_SentenciasPrograma.moc"
