-- What a member consumed in a period, month by month (report KA5, layout TotalAfiliado): the member's settled
-- pharmacy and provider tickets. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptTotalAfiliado
    @pNumAfil char(15),
    @pFechaDesde char(8) = NULL,
    @pFechaHasta char(8) = NULL
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @desde datetime, @hasta datetime
    SET @desde = '19000101'
    SET @hasta = '99991231'
    IF RTRIM(ISNULL(@pFechaDesde, '')) <> ''
        SET @desde = CONVERT(datetime, @pFechaDesde, 112)
    IF RTRIM(ISNULL(@pFechaHasta, '')) <> ''
        SET @hasta = DATEADD(day, 1, CONVERT(datetime, @pFechaHasta, 112))
    DECLARE @plan char(4)
    SELECT @plan = MAX(NumeroPlan) FROM Tickets (NOLOCK) WHERE Num_Afil = @pNumAfil
    IF @plan IS NULL
        SELECT @plan = MAX(PlanAsociado) FROM TicketPrestador (NOLOCK) WHERE Asociado = @pNumAfil
    SELECT CONVERT(char(15), @pNumAfil) AS Num_Afil, ISNULL(@plan, '') AS NumeroPlan,
           RIGHT(Y.Mes, 2) + '/' + LEFT(Y.Mes, 4) AS Periodo, Y.Recetas, Y.ImporteMedicamentos, Y.Ordenes,
           Y.ImportePracticas, Y.Importe, Y.ACargoOS, Y.Importe - Y.ACargoOS AS ACargoAfiliado
    FROM (SELECT CONVERT(char(6), X.Fecha, 112) AS Mes,
                 SUM(CASE WHEN X.Tipo = 'Medicamentos' THEN 1 ELSE 0 END) AS Recetas,
                 SUM(CASE WHEN X.Tipo = 'Medicamentos' THEN X.Importe ELSE 0 END) AS ImporteMedicamentos,
                 SUM(CASE WHEN X.Tipo = 'Medicamentos' THEN 0 ELSE 1 END) AS Ordenes,
                 SUM(CASE WHEN X.Tipo = 'Medicamentos' THEN 0 ELSE X.Importe END) AS ImportePracticas,
                 SUM(X.Importe) AS Importe, SUM(X.ACargoOS) AS ACargoOS
          FROM (
                SELECT CONVERT(varchar(12), 'Medicamentos') AS Tipo, T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil,
                       T.NumeroPlan, T.IdPrestador, P.Prestador_OS, P.Nombre AS NombrePrestador,
                       CONVERT(varchar(6), ISNULL(M.Matricula, '')) AS Matricula,
                       CONVERT(char(50), CASE WHEN T.medico_receta IS NULL THEN '(sin médico)'
                                              ELSE ISNULL((SELECT MAX(MM.Nombre) FROM Medicos MM (NOLOCK)
                                                           WHERE MM.Matricula = M.Matricula), '(sin nombre)') END) AS Medico,
                       (SELECT COUNT(*) FROM Item_Tickets I (NOLOCK) WHERE I.IdTicket = T.IdTicket) AS Items,
                       ISNULL((SELECT SUM(I.Precio * (I.Cantidad - I.Cantidad_Dev)) FROM Item_Tickets I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0) AS Importe,
                       T.Desc_al_afiliado AS ACargoOS, T.desc_os AS DescPrestador
                FROM Tickets T (NOLOCK)
                     INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
                     LEFT JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
                WHERE T.Anulado = 0 AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
                  AND T.Num_Afil = @pNumAfil
                UNION ALL
                SELECT 'Prácticas', T.IdTicket, T.FechaDePractica, T.Asociado, T.PlanAsociado, T.IdPrestador, P.Prestador_OS,
                       P.Nombre, ISNULL(RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6), ''),
                       CONVERT(char(50), CASE WHEN T.MatriculaPP IS NULL THEN '(sin médico)'
                                              ELSE ISNULL((SELECT MAX(MM.Nombre) FROM Medicos MM (NOLOCK)
                                                           WHERE MM.Matricula = RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6)),
                                                          '(sin nombre)') END),
                       (SELECT COUNT(*) FROM ItemTicketPrestador I (NOLOCK) WHERE I.IdTicket = T.IdTicket),
                       ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0),
                       ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0),
                       CONVERT(money, 0)
                FROM TicketPrestador T (NOLOCK)
                     INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
                WHERE T.Anulado = 0 AND T.Operacion IN ('11', '31')
                  AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
                  AND T.Asociado = @pNumAfil) X
          GROUP BY CONVERT(char(6), X.Fecha, 112)) Y
    ORDER BY Y.Mes
END
