-- What one medicine was billed in a period, month by month (report KM8, layout TotalMedicamentos): items of
-- tickets that are not cancelled. Each row repeats the medicine for the layout's heading. Empty dates (or NULL)
-- leave that end of the period open.
CREATE PROCEDURE sprptTotalMedicamentos
    @pTroquel char(7),
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
    SELECT MD.Troquel, MD.Nombre AS Medicamento, MD.Prestacion AS Presentacion, MD.Precio AS PrecioLista,
           RIGHT(X.Mes, 2) + '/' + LEFT(X.Mes, 4) AS Periodo, X.Tickets, X.Afiliados, X.Cantidad, X.Importe,
           X.ACargoOS, X.Importe - X.ACargoOS AS ACargoAfiliado
    FROM (SELECT IT.Troquel, CONVERT(char(6), T.Fecha_Prestacion, 112) AS Mes,
                 COUNT(DISTINCT T.IdTicket) AS Tickets, COUNT(DISTINCT T.Num_Afil) AS Afiliados,
                 SUM(IT.Cantidad - IT.Cantidad_Dev) AS Cantidad,
                 SUM(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev)) AS Importe,
                 CONVERT(money, SUM(ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2)))
                     AS ACargoOS
          FROM Item_Tickets IT (NOLOCK)
               INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = IT.IdTicket
          WHERE IT.Troquel = @pTroquel
            AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
            AND T.Anulado = 0
          GROUP BY IT.Troquel, CONVERT(char(6), T.Fecha_Prestacion, 112)) X
         INNER JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = X.Troquel
    ORDER BY X.Mes
END
