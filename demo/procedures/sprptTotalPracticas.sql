-- What one practice was billed in a period, month by month (report KR4, layout TotalPracticas): items of
-- settled provider tickets (operations "11" and "31", not cancelled). Each row repeats the practice for the
-- layout's heading. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptTotalPracticas
    @pPracticaOS char(6),
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
    SELECT PR.PracticaOS AS Practica, PR.Descripcion AS DescripcionPractica, PR.ValorNomenclador AS ValorLista,
           RIGHT(X.Mes, 2) + '/' + LEFT(X.Mes, 4) AS Periodo, X.Tickets, X.Afiliados, X.Prestadores, X.Cantidad,
           X.Importe
    FROM (SELECT IT.Practica, CONVERT(char(6), T.FechaDePractica, 112) AS Mes,
                 COUNT(DISTINCT T.IdTicket) AS Tickets, COUNT(DISTINCT T.Asociado) AS Afiliados,
                 COUNT(DISTINCT T.IdPrestador) AS Prestadores, SUM(CONVERT(int, IT.Cantidad)) AS Cantidad,
                 SUM(IT.Cantidad * ISNULL(IT.ValorNomenclador, 0)) AS Importe
          FROM ItemTicketPrestador IT (NOLOCK)
               INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket = IT.IdTicket
          WHERE IT.Practica = @pPracticaOS
            AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
            AND T.Anulado = 0 AND T.Operacion IN ('11', '31')
          GROUP BY IT.Practica, CONVERT(char(6), T.FechaDePractica, 112)) X
         INNER JOIN Practicas PR (NOLOCK) ON PR.PracticaOS = X.Practica
    ORDER BY X.Mes
END
