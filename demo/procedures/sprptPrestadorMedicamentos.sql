-- What a provider billed in a period, by medicine or practice (report KP6, layout PrestadorMedicamentos): the
-- items of its settled tickets, one row per medicine or practice. The provider is its id (the code when the id is
-- missing or 0). Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptPrestadorMedicamentos
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
           X.Tipo, X.Codigo, X.Descripcion, COUNT(DISTINCT X.IdTicket) AS Tickets, SUM(X.Cantidad) AS Cantidad,
           SUM(X.Importe) AS Importe, SUM(X.ACargoOS) AS ACargoOS, SUM(X.Importe - X.ACargoOS) AS ACargoAfiliado
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
            AND T.IdPrestador = @pIdPrestador
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
            AND T.IdPrestador = @pIdPrestador) X
    GROUP BY X.Tipo, X.Codigo, X.Descripcion
    ORDER BY X.Descripcion, X.Codigo
END
