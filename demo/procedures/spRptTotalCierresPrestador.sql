-- A provider's closings run in a period, with their figures (report KC6, layout TotalCierresPrestador): one row
-- per closing, sorted by provider and date, with the month it settled. The first argument is sent NULL and not
-- used. A missing provider (NULL) means every provider. The dates come as 'mm/dd/yyyy hh:mm:ss'; an empty one
-- reads as 01/01/1900 and leaves that end of the period open.
CREATE PROCEDURE spRptTotalCierresPrestador
    @p1 int = NULL,
    @pFechaDesde datetime = NULL,
    @pFechaHasta datetime = NULL,
    @pIdPrestador int = NULL
AS
BEGIN
    SET NOCOUNT ON
    IF @pFechaDesde IS NULL OR @pFechaDesde <= '19000101'
        SET @pFechaDesde = '19000101'
    IF @pFechaHasta IS NULL OR @pFechaHasta <= '19000101'
        SET @pFechaHasta = '99991231'
    SELECT X.IdPrestador, P.Prestador_OS, P.Nombre AS NombrePrestador, ISNULL(TP.TipoPrestador, '') AS TipoPrestador,
           X.IdCierre, X.FechaServer,
           CASE WHEN X.Inicio IS NULL THEN ''
                ELSE RIGHT('0' + CONVERT(varchar(2), MONTH(X.Inicio)), 2) + '/' + CONVERT(varchar(4), YEAR(X.Inicio))
           END AS Periodo,
           X.NumeroTramite, CONVERT(int, X.Cant_transac) AS Cant_transac, X.TTicket, X.TAfilia, X.TDPrestador,
           X.BPRAL
    FROM (SELECT C.IdPrestador, C.IdCierre, C.FechaServer, C.NumeroTramite, C.Cant_transac, C.TTicket, C.TAfilia,
                 C.TDPrestador, C.BPRAL,
                 ISNULL((SELECT MIN(T.Fecha_Prestacion) FROM Tickets T (NOLOCK) WHERE T.idCierre = C.IdCierre),
                        (SELECT MIN(T.FechaDePractica) FROM TicketPrestador T (NOLOCK) WHERE T.IdCierre = C.IdCierre))
                     AS Inicio
          FROM Cierres C (NOLOCK)
          WHERE C.FechaServer >= @pFechaDesde AND C.FechaServer <= @pFechaHasta
            AND (@pIdPrestador IS NULL OR C.IdPrestador = @pIdPrestador)) X
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = X.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
    ORDER BY P.Nombre, X.IdPrestador, X.FechaServer
END
