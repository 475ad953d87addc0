-- What a provider billed in a period, month by month (report KP9, layout TotalPrestador): its settled tickets
-- with the figures of a closing (total, members' charge, provider's discount, the insurer's share) and the
-- month's closing when there is one. The provider is its id (the code when the id is
-- missing or 0). Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE spRptTotalPrestador
    @pPrestadorOS char(10),
    @pFechaDesde char(8) = NULL,
    @pFechaHasta char(8) = NULL,
    @pIdPrestador int = NULL
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
    IF ISNULL(@pIdPrestador, 0) = 0
        SELECT @pIdPrestador = IdPrestador FROM Prestadores (NOLOCK) WHERE Prestador_OS = @pPrestadorOS
    DECLARE @codigo char(10), @nombre char(50), @tipo char(30)
    SELECT @codigo = P.Prestador_OS, @nombre = P.Nombre, @tipo = ISNULL(TP.TipoPrestador, '')
    FROM Prestadores P (NOLOCK) LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
    WHERE P.IdPrestador = @pIdPrestador
    SELECT @codigo AS CodigoPrestador, @nombre AS Prestador, @tipo AS TipoPrestador,
           RIGHT(Y.Mes, 2) + '/' + LEFT(Y.Mes, 4) AS Periodo, Y.Tickets, Y.Items, Y.Importe,
           Y.Importe - Y.ACargoOS AS ACargoAfiliado, Y.DescPrestador, Y.ACargoOS,
           (SELECT MAX(C.IdCierre) FROM Cierres C (NOLOCK)
            WHERE C.IdPrestador = @pIdPrestador
              AND (C.IdCierre IN (SELECT TK.idCierre FROM Tickets TK (NOLOCK)
                                  WHERE TK.IdPrestador = @pIdPrestador
                                    AND CONVERT(char(6), TK.Fecha_Prestacion, 112) = Y.Mes)
                   OR C.IdCierre IN (SELECT TP.IdCierre FROM TicketPrestador TP (NOLOCK)
                                     WHERE TP.IdPrestador = @pIdPrestador
                                       AND CONVERT(char(6), TP.FechaDePractica, 112) = Y.Mes))) AS Cierre
    FROM (SELECT CONVERT(char(6), X.Fecha, 112) AS Mes, COUNT(*) AS Tickets, SUM(X.Items) AS Items,
                 SUM(X.Importe) AS Importe, SUM(X.ACargoOS) AS ACargoOS, SUM(X.DescPrestador) AS DescPrestador
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
                  AND T.IdPrestador = @pIdPrestador
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
                  AND T.IdPrestador = @pIdPrestador) X
          GROUP BY CONVERT(char(6), X.Fecha, 112)) Y
    ORDER BY Y.Mes
END
