-- A provider's dispensations of medicines not yet classified (type 7, "Sin clasificar") in a period (report
-- KP11, layout MedicamentosSinClasificar): one row per item of a ticket that is not cancelled, sorted by
-- medicine. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptMedicamentosSinClasificar
    @pIdPrestador int,
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
    SELECT P.Prestador_OS AS CodigoPrestador, P.Nombre AS Prestador, ISNULL(TP.TipoPrestador, '') AS TipoPrestador,
           IT.Troquel, MD.Nombre AS Medicamento, MD.Prestacion AS Presentacion, MD.Barra, TM.TipoMedicamento,
           T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil, IT.Cantidad - IT.Cantidad_Dev AS Cantidad, IT.Precio,
           IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) AS Importe,
           CONVERT(money, ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2)) AS ACargoOS
    FROM Item_Tickets IT (NOLOCK)
         INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = IT.IdTicket
         INNER JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = IT.Troquel
         INNER JOIN TipoMedicamento TM (NOLOCK) ON TM.IdTipoMedicamento = MD.IdTipoMedicamento
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
    WHERE T.IdPrestador = @pIdPrestador AND MD.IdTipoMedicamento = 7
      AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
      AND T.Anulado = 0
    ORDER BY MD.Nombre, IT.Troquel, T.Fecha_Prestacion, T.IdTicket
END
