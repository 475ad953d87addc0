-- One medicine's dispensations in a period, by provider (report KM7, layout CodigoMedPrestador): one row per item
-- of a ticket that is not cancelled. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptCodigoMedPrestadores
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
    SELECT IT.Troquel, MD.Nombre AS Medicamento, MD.Prestacion AS Presentacion, MD.Precio AS PrecioLista,
           ISNULL(T.medico_receta, 0) AS IdMedico, ISNULL(M.Matricula, '') AS Matricula,
           CONVERT(char(50), CASE WHEN T.medico_receta IS NULL THEN '(sin médico)'
                                  ELSE ISNULL(M.Nombre, '(sin nombre)') END) AS Medico,
           T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil, T.NumeroPlan, T.IdPrestador, P.Prestador_OS,
           P.Nombre AS NombrePrestador, IT.Cantidad - IT.Cantidad_Dev AS Cantidad, IT.Precio,
           IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) AS Importe,
           CONVERT(money, ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2)) AS ACargoOS,
           IT.Precio * (IT.Cantidad - IT.Cantidad_Dev)
               - CONVERT(money, ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2))
               AS ACargoAfiliado
    FROM Item_Tickets IT (NOLOCK)
         INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = IT.IdTicket
         INNER JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = IT.Troquel
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
         LEFT JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
    WHERE IT.Troquel = @pTroquel
      AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
      AND T.Anulado = 0
    ORDER BY NombrePrestador, T.IdPrestador, Fecha, IdTicket
END
