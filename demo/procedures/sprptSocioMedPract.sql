-- What a member consumed in a period, by medicine or practice (report KA2, layout SocioMedPract): one row per
-- item of the member's settled pharmacy and provider tickets (not cancelled; provider operations "11" and
-- "31"), sorted by medicine or practice. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptSocioMedPract
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
    SELECT X.Num_Afil, X.NumeroPlan, X.Tipo, X.Codigo, X.Descripcion, X.IdTicket, X.Fecha, X.Prestador_OS,
           X.NombrePrestador, X.Cantidad, X.Precio, X.Importe, X.ACargoOS, X.Importe - X.ACargoOS AS ACargoAfiliado
    FROM (
          SELECT CONVERT(varchar(12), 'Medicamento') AS Tipo, CONVERT(varchar(7), IT.Troquel) AS Codigo,
                 CONVERT(varchar(81), RTRIM(MD.Nombre) + ' ' + RTRIM(MD.Prestacion)) AS Descripcion,
                 T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil, T.NumeroPlan, T.IdPrestador, P.Prestador_OS,
                 P.Nombre AS NombrePrestador, IT.Cantidad - IT.Cantidad_Dev AS Cantidad, IT.Precio,
                 IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) AS Importe,
                 CONVERT(money, ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2)) AS ACargoOS
          FROM Item_Tickets IT (NOLOCK)
               INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = IT.IdTicket
               INNER JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = IT.Troquel
               INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
          WHERE T.Anulado = 0 AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
            AND T.Num_Afil = @pNumAfil
          UNION ALL
          SELECT 'Práctica', IT.Practica, PR.Descripcion, T.IdTicket, T.FechaDePractica, T.Asociado, T.PlanAsociado,
                 T.IdPrestador, P.Prestador_OS, P.Nombre, CONVERT(int, IT.Cantidad), ISNULL(IT.ValorNomenclador, 0),
                 IT.Cantidad * ISNULL(IT.ValorNomenclador, 0), IT.Cantidad * ISNULL(IT.ValorNomenclador, 0)
          FROM ItemTicketPrestador IT (NOLOCK)
               INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket = IT.IdTicket
               INNER JOIN Practicas PR (NOLOCK) ON PR.PracticaOS = IT.Practica
               INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
          WHERE T.Anulado = 0 AND T.Operacion IN ('11', '31')
            AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
            AND T.Asociado = @pNumAfil) X
    ORDER BY X.Tipo, X.Descripcion, X.Codigo, X.Fecha, X.IdTicket
END
