#include "consultation/clsQuerys.h"

#include "common/FuncionesGenerales.h"

// The catalogue's statements. Each text is the pieces below joined with nothing between them (adjacent
// literals): the leading blanks of a piece are what separates it from the one before, and every blank,
// alias and letter case is sent to the server as it stands.

namespace dalvo {

namespace {

QString conteo(qint32 pCaso)
{
    switch (pCaso) {
    case 1:
        return QStringLiteral("SELECT COUNT(*) AS [Cuenta]"
                              "    FROM Prestadores P (NOLOCK)"
                              "    INNER JOIN TipoPrestador TP (NOLOCK) ON"
                              "        TP.IdTipoPrestador = P.IdTipoPrestador"
                              "    INNER JOIN Departamentos D (NOLOCK) ON"
                              "        D.IdDepartamento = P.IdDepartamento");
    case 2:
        return QStringLiteral("SELECT COUNT(DISTINCT Num_Afil) AS [Cuenta]"
                              "    FROM Tickets (NOLOCK)");
    case 3:
        return QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Medicamentos M (NOLOCK)");
    case 4:
        return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Tickets T (NOLOCK)"
                              "   INNER JOIN Prestadores P (NOLOCK) ON"
                              "       P.IdPrestador = T.IdPrestador");
    case 5:
        return QStringLiteral("SELECT  COUNT(C.IdCierre) AS Cuenta FROM Cierres C (NOLOCK)"
                              "    INNER JOIN Prestadores P (NOLOCK) ON"
                              "        P.IdPrestador = C.IdPrestador");
    case 6:
        return QStringLiteral("SELECT COUNT(NumeroErrorSYS) AS Cuenta FROM ErrorSys (NOLOCK)");
    case 7:
        return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Practicas P (NOLOCK)");
    case 8:
        return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Medicos M (NOLOCK)");
    case 9:
        return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador T (NOLOCK)"
                              "   INNER JOIN Prestadores P (NOLOCK) ON"
                              "       P.IdPrestador = T.IdPrestador");
    case 10:
        return QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Accion A (NOLOCK)");
    default:
        return {};
    }
}

// Kind 1 counts each provider's pharmacy tickets within the console's date range.
QString filasPrestadores(const QString& sDesde, const QString& sHasta)
{
    return QStringLiteral("SELECT  P.IdPrestador AS [Id],"
                          "    TP.TipoPrestador AS [Tipo],"
                          "    ISNULL(P.Matricula,'') AS [Matrícula],"
                          "    P.IdEspecialidad AS [Especialidad],"
                          "    P.Prestador_OS AS [Código],"
                          "    P.Nombre AS [Nombre],"
                          "    P.Direccion AS [Dirección],"
                          "    D.Departamento AS [Departamento],"
                          "    ISNULL(P.CodPostal,'') AS [Cod. Postal],"
                          "    ISNULL(P.Telefono,'') AS [Teléfono],"
                          "    ISNULL(P.Cuit,'') AS [Cuit],"
                          "    ISNULL(P.CondIVA,'') AS [Condición IVA],"
                          "    ISNULL(P.IngBrutos,'') AS [Ingresos Brutos],"
                          "    P.Desc_al_Afiliado AS [Desc. al Asociado],"
                          "    P.Desc_a_OS AS [Desc. a O.S.],"
                          "    P.Desc_Min_Obligado AS [Desc. Min. Obl.],"
                          "    P.fUltModif AS [Fec. Modificación],"
                          "    P.Baja AS [HH Baja],"
                          "    P.IdTipoPrestador AS [HH IdTipoPrestador],"
                          "    (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = P.IdPrestador"
                          "         AND T.Fecha_Prestacion BETWEEN '") +
           FechaSQL(sDesde, false, false).toString() + QStringLiteral("' AND '") +
           FechaSQL(sHasta, true, false).toString() +
           QStringLiteral("') AS Cuenta,"
                          "    ISNULL(P.Licencia,'') AS Licencia"
                          "    FROM Prestadores P (NOLOCK)"
                          "    LEFT JOIN TipoPrestador TP (NOLOCK) ON"
                          "        TP.IdTipoPrestador = P.IdTipoPrestador"
                          "    INNER JOIN Departamentos D (NOLOCK) ON"
                          "        D.IdDepartamento = P.IdDepartamento");
}

QString filas(qint32 pCaso, const QString& sDesde, const QString& sHasta)
{
    switch (pCaso) {
    case 1:
        return filasPrestadores(sDesde, sHasta);
    case 2:
        return QStringLiteral("SELECT DISTINCT A.Num_afil AS [Asociado],"
                              "    A.Num_cred AS [Credencial],"
                              "    A.NumeroPlan AS [Plan]"
                              "    FROM Tickets A (NOLOCK)");
    case 3:
        return QStringLiteral("SELECT  M.Troquel AS [Troquel],"
                              "    M.Barra AS [Cod. Barra],"
                              "    M.Nombre AS [Nombre],"
                              "    M.Prestacion AS [Presentación],"
                              "    M.Precio AS [Precio],"
                              "    TM.TipoMedicamento AS [Tipo],"
                              "    ISNULL(CONVERT(Char(10), M.FUltModif,103),'') AS [Fecha Modificación],"
                              "    M.Baja AS [HH Baja],"
                              "    M.Nro_Regis AS [Nro. Registro]"
                              "    FROM Medicamentos M (NOLOCK)"
                              "    INNER JOIN TipoMedicamento TM (NOLOCK) ON"
                              "        TM.IdTipoMedicamento = M.IdTipoMedicamento");
    case 4:
        return QStringLiteral(
            "SELECT DISTINCT(T.idticket) AS [Cupón],"
            "    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) AS [AuSysT],"
            "    ISNULL(T.Fecha_Prestacion,'') AS [Fecha Prestación],"
            "    T.num_Afil AS [Asociado],"
            "    T.num_cred AS [Credencial],"
            "    T.Ingreso_manual AS [Forma Ingreso],"
            "    P.Nombre AS [Nombre Prestador],"
            "    ISNULL(T.medico_receta,0) AS [Medico Receta],"
            "    (SELECT ISNULL(Medicos.Nombre,'') FROM Medicos (NOLOCK) WHERE "
            "Medicos.IdMedico=ISNULL(T.medico_receta,0)) AS [Nombre Medico Receta],"
            "    ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'') AS [Fecha de Receta] ,"
            "    C.Cobertura AS [Cobertura],"
            "    T.Desc_al_afiliado AS [Desc. Afiliado],"
            "    T.desc_os AS [Desc. O.S.],"
            "    ISNULL( CONVERT(VarChar(10), T.idCierre),'') AS [Cierre],"
            "    T.Anulado AS [HH Anulado],"
            "    ISNULL( CONVERT(VarChar(10), T.idAutorizacion),'') AS [Autorización],"
            "    T.idPrestador AS [HH IdPrestador],"
            "    T.IdCobertura AS [HH IdCobertura],"
            "    CASE WHEN IT.cantidad <= IT.cantidad_dev THEN '1' ELSE '0' END AS [HH Descontado],"
            "    CASE WHEN IT.precio < 0 THEN '1' ELSE '0' END AS [HH Devolucion]"
            "    FROM Tickets T (NOLOCK)"
            "    INNER JOIN Prestadores P (NOLOCK) ON"
            "        P.IdPrestador = T.IdPrestador"
            "    INNER JOIN Cobertura C (NOLOCK) ON"
            "        C.IdCobertura = T.IdCobertura"
            "    INNER JOIN Item_Tickets IT (nolock) ON "
            "        T.idticket = IT.idticket");
    case 5:
        return QStringLiteral("SELECT  C.idCierre AS [Cierre],"
                              "    C.FechaServer AS [Fecha],"
                              "    P.Nombre AS [Nombre Prestador],"
                              "    C.Cant_transac AS [Cantidad Cupones],"
                              "    C.TTicket AS [Total Cierre],"
                              "    C.TAfilia AS [Total Afiliado],"
                              "    C.TDPrestador AS [Descuento Prestador],"
                              "    C.BPRAL AS [Bonificacion OS],"
                              "    C.NumeroTramite AS [Numero Tramite],"
                              "    C.IdPrestador AS [HH IdPrestador],"
                              "    P.IdTipoPrestador AS [HH TipoPrestador]"
                              "    FROM Cierres C (NOLOCK)"
                              "    INNER JOIN Prestadores P (NOLOCK) ON"
                              "        P.IdPrestador = C.IdPrestador");
    case 6:
        return QStringLiteral("SELECT  NumeroErrorSYS AS [Numero Error],"
                              "    Severidad AS [Severidad],"
                              "    Comentario AS [Comentario],"
                              "    Detalle AS [Detalle]"
                              "    FROM ErrorSys (NOLOCK)");
    case 7:
        return QStringLiteral("SELECT "
                              "    P.PracticaOS AS [Código],"
                              "    P.Descripcion AS [Práctica],"
                              "    P.ValorNomenclador AS [Valor Nomenclador],"
                              "    P.IdPractica AS [HH Id]"
                              "    FROM Practicas P (NOLOCK)");
    case 8:
        return QStringLiteral("SELECT  M.IdMedico AS [Id],"
                              "    M.Matricula AS [Matrícula],"
                              "    M.Nombre AS [Nombre],"
                              "    TP.TipoPrestador AS [Tipo Prestador],"
                              "    E.Especialidad AS [Especialidad],"
                              "    M.fUltModif AS [Fecha Modificación],"
                              "    M.Baja AS [HH Baja]"
                              "    FROM Medicos M (NOLOCK)"
                              "    LEFT JOIN TipoPrestador TP (NOLOCK) ON"
                              "        TP.IdTipoPrestador = M.IdTipoPrestador"
                              "    LEFT JOIN Especialidades E (NOLOCK) ON"
                              "        E.IdEspecialidad = M.IdEspecialidad");
    case 9:
        return QStringLiteral(
            "SELECT  T.IdTicket AS [Cupón],"
            "    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) AS [AuSysT],"
            "    ISNULL(T.FechaDePractica,'') AS [Fecha Práctica],"
            "    T.Asociado AS [Asociado],"
            "    T.PlanAsociado AS [Plan],"
            "    T.TipoAsociado AS [Tipo],"
            "    P.Nombre AS [Nombre Prestador],"
            "    T.MatriculaPP AS [Medico Receta],"
            "    (SELECT MAX(Medicos.Nombre) FROM Medicos (NOLOCK) WHERE Medicos.Matricula = RIGHT('000000' "
            "+ RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6) ) AS [Nombre Medico Receta],"
            "    T.FechaDeReceta AS [Fecha de Receta] ,"
            "    T.IdCierre AS [Cierre],"
            "    T.Anulado AS [HH Anulado],"
            "    T.IdAutorizacion AS [Autorización],"
            "    T.IdPrestador AS [HH IdPrestador],"
            "    T.Operacion AS [Tx]"
            "    FROM TicketPrestador T (NOLOCK)"
            "    INNER JOIN Prestadores P (NOLOCK) ON"
            "        P.IdPrestador = T.IdPrestador");
    case 10:
        return QStringLiteral("SELECT CodigoAccion AS [Cod. Acción],"
                              "    A.Descripcion AS [Nombre]"
                              "    FROM Accion A (NOLOCK)");
    default:
        return {};
    }
}

// Kind 4's rows are one per ticket and item figures: the grouping goes after the condition.
const QString kAgrupacionTickets = QStringLiteral(
    " GROUP BY T.idticket, T.AuSysT, T.Fecha_Prestacion, T.num_Afil, T.num_cred, T.Ingreso_manual, P.Nombre, "
    "T.medico_receta, T.Fecha_Receta, C.Cobertura, T.Desc_al_afiliado, T.desc_os, "
    "T.idCierre, T.Anulado, T.idAutorizacion, T.idPrestador, T.IdCobertura, IT.cantidad, IT.cantidad_dev, "
    "IT.precio");

} // namespace

QString clsQuerys::TextoConsulta(qint32 pCaso, const QString& ElWhere, bool bCuenta, const QString& sDesde,
                                 const QString& sHasta)
{
    QString sSQL = bCuenta ? conteo(pCaso) : filas(pCaso, sDesde, sHasta);
    if (!ElWhere.isEmpty())
        sSQL += QStringLiteral(" WHERE ") + ElWhere;
    if (pCaso == 4 && !bCuenta)
        sSQL += kAgrupacionTickets;
    if (!ElWhere.isEmpty())
        sSQL += QStringLiteral(" ORDER BY 1");
    return sSQL;
}

QString clsQuerys::TextoItemsTicket(qint32 pIdTicket, bool pEsFarmacia)
{
    if (pEsFarmacia)
        return QStringLiteral(
                   "SELECT  IT.Cantidad - IT.Cantidad_Dev AS [Cantidad],"
                   "    IT.Troquel AS [Troquel],"
                   "    (SELECT RTRIM(LTRIM(M.Nombre)) + ' - ' + M.Prestacion FROM Medicamentos M (NOLOCK) "
                   "WHERE M.Troquel=IT.Troquel) AS [Descripción],"
                   "    IT.Precio AS [Precio],"
                   "    IT.Desc_Os AS [Descuento],"
                   "    IT.IdAutorizacion AS [Autorización],"
                   "    TP.TipoPrescripcion AS [Prescripción]"
                   "    FROM Item_Tickets IT (NOLOCK)"
                   "    LEFT JOIN TipoPrescripcion TP (NOLOCK) ON IT.TipoPrescripcion = TP.IdTipoPrescripcion"
                   "    WHERE IdTicket = ") +
               QString::number(pIdTicket);
    // The last heading lacks its final letter, as the operators have always seen it.
    return QStringLiteral("SELECT  IT.Cantidad AS [Cantidad],"
                          "    IT.Practica AS [Practica],"
                          "    (SELECT P.Descripcion FROM Practicas P (NOLOCK) WHERE "
                          "P.PracticaOS=IT.Practica) AS [Descripción],"
                          "    ISNULL(ISNULL(dbo.getValorNomenclador(IT.idPrestadorPractica, "
                          "CONVERT(CHAR(8),T.FechaDePractica,112),null,null,null,CONVERT(CHAR(8),GETDATE(),"
                          "112),null),IT.ValorNomenclador),0) AS [Valor],"
                          "    IT.TipoArancel AS [Tipo Arancel],"
                          "    IT.IdAutorizacion AS [Autorizació]"
                          "    FROM ItemTicketPrestador IT (NOLOCK)"
                          "    INNER JOIN TicketPrestador T (NOLOCK) ON T.idTicket = IT.idTicket"
                          "    WHERE IT.IdTicket = ") +
           QString::number(pIdTicket);
}

QString clsQuerys::TextoDatosPrestador(qint32 pIdPrestador)
{
    return QStringLiteral(
               "SELECT  P.Matricula AS [Matrícula],"
               "    P.prestador_OS AS [Código],"
               "    P.Nombre AS [Nombre],"
               "    P.Direccion AS [Dirección],"
               "    D.Departamento AS [Departamento],"
               "    P.CodPostal AS [Código Postal],"
               "    P.Telefono AS [Teléfono],"
               "    TP.TipoPrestador AS [Tipo de Prestador],"
               "    P.Cuit AS [Cuit],"
               "    P.CondIVA AS [Cond. IVA],"
               "    P.IngBrutos AS [Nro I.B.],"
               "    P.Desc_al_Afiliado AS [Desc. al Asociado],"
               "    P.Desc_a_OS AS [Desc. a O.S.],"
               "    P.Desc_Min_Obligado AS [Desc. Min. Oblig.],"
               "    P.Desc_ItemObligatorio AS [Desc. Item Obligatorio],"
               "    P.AplicacionBonif AS [Aplicacion Bonif.],"
               "    PA.fUltModif_Medicos AS [Ult. Mod. Médicos],"
               "    PA.fUltModif_Remedios  AS [Ult. Mod. Medicamentos],"
               "    PA.fUltModif_Diagnosticos  AS [Ult. Mod. Diagnósticos],"
               "    P.fUltModif AS [Fec. Ult. Modificación],"
               "    P.LastUser AS [Ultimo Usuario],"
               "    P.IdEspecialidad AS [HH IdEspecialidad],"
               "    P.IdPrestador AS [HH IdPrestador],"
               "    P.IdTipoPrestador AS [HH IdTipoPrestador],"
               "    P.IDDepartamento AS [HH IdDepartamento],"
               "    P.Baja AS [HH Baja]"
               "    FROM Prestadores P (NOLOCK)"
               "    LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador"
               "    LEFT JOIN Departamentos D (NOLOCK) ON D.IdDepartamento = P.IdDepartamento"
               "    LEFT JOIN PrestadorActualizaciones PA (NOLOCK) ON PA.IdPrestador = P.IdPrestador"
               "    Where P.IdPrestador = ") +
           QString::number(pIdPrestador);
}

QString clsQuerys::TextoCantidadFarmacia(qint32 pIdPrestador, const QString& sDesdeFecha,
                                         const QString& sHastaFecha)
{
    return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Tickets (NOLOCK) ") +
           QStringLiteral("    WHERE IdPrestador = ") + QString::number(pIdPrestador) +
           QStringLiteral("        AND Fecha_Prestacion BETWEEN '") + sDesdeFecha +
           QStringLiteral("' AND '") + sHastaFecha + QStringLiteral("'");
}

// Only the operations that the closings count (sale "11" and "31").
QString clsQuerys::TextoCantidadPrestador(qint32 pIdPrestador, const QString& sDesdeFecha,
                                          const QString& sHastaFecha)
{
    return QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador (NOLOCK) ") +
           QStringLiteral("    WHERE IdPrestador = ") + QString::number(pIdPrestador) +
           QStringLiteral("      AND Operacion IN ('31', '11')") +
           QStringLiteral("      AND FechaDePractica BETWEEN '") + sDesdeFecha + QStringLiteral("' AND '") +
           sHastaFecha + QStringLiteral("'");
}

QString clsQuerys::TextoParametros()
{
    return QStringLiteral("SELECT Parametros.NombreEmpresa FROM Parametros (NOLOCK)");
}

} // namespace dalvo
