-- The discount lines of a pharmacy's closing (or of its tickets not yet closed, with @pIdCierre 0 and the
-- period), one per percentage the insurer covers, over the items of the tickets that are not cancelled:
-- with @pProgramas 0 the items of the plan's coverage, with 1 those of the programmes (OrigenDescuento 6, 7,
-- 10). TotalDescuento is the insurer's share of the amounts (in cents, as the tickets' Desc_al_afiliado),
-- CargoAfiliado what the members pay, BonifFarmacia the part the pharmacy gives back (its Desc_a_OS
-- percent) and BonifAPRAL the rest. Called by spDatosCierre.
CREATE PROCEDURE spLineasCierre
    @pIdPrestador int,
    @pIdCierre int,
    @pDesde datetime,
    @pHasta datetime,
    @pPorcentajeFarmacia numeric(5,2),
    @pProgramas bit
AS
BEGIN
    SET NOCOUNT ON
    SELECT X.Desc_OS,
           CONVERT(money, SUM(X.Descuento)) AS TotalDescuento,
           CONVERT(money, SUM(X.Importe) - SUM(X.Descuento)) AS CargoAfiliado,
           CONVERT(money, SUM(X.Descuento) - ROUND(SUM(X.Descuento) * @pPorcentajeFarmacia / 100.0, 2)) AS BonifAPRAL,
           CONVERT(money, ROUND(SUM(X.Descuento) * @pPorcentajeFarmacia / 100.0, 2)) AS BonifFarmacia
        FROM (SELECT I.Desc_Os AS Desc_OS, (I.Cantidad - I.Cantidad_Dev) * I.Precio AS Importe,
                     ROUND(ROUND(I.Precio * 100, 0) * (I.Cantidad - I.Cantidad_Dev) * I.Desc_Os / 100.0, 0) / 100.0
                         AS Descuento
                  FROM Tickets T (NOLOCK)
                  INNER JOIN Item_Tickets I (NOLOCK) ON I.IdTicket = T.IdTicket
                  WHERE T.IdPrestador = @pIdPrestador AND T.Anulado = 0
                    AND ((@pIdCierre <> 0 AND T.idCierre = @pIdCierre)
                         OR (@pIdCierre = 0 AND T.idCierre IS NULL AND (@pDesde IS NULL OR T.Fecha_Prestacion >= @pDesde)
                             AND (@pHasta IS NULL OR T.Fecha_Prestacion < @pHasta)))
                    AND ((@pProgramas = 0 AND ISNULL(I.OrigenDescuento, 0) NOT IN (6, 7, 10))
                         OR (@pProgramas = 1 AND I.OrigenDescuento IN (6, 7, 10)))) X
        GROUP BY X.Desc_OS
        ORDER BY X.Desc_OS
    RETURN 0
END
