-- The provider's value of a practice at the practice date: the row of the same provider and practice in force
-- that day. NULL when there is none, so that the caller falls back to the value stored with the item.
CREATE FUNCTION dbo.getValorNomenclador(@pIdPrestadorPractica int, @pFechaPractica char(8), @p3 int, @p4 int,
                                        @p5 int, @pFechaValor char(8), @p7 int)
RETURNS money
AS
BEGIN
    DECLARE @valor money, @prestador int, @practica char(6)
    SELECT @prestador = IdPrestador, @practica = PracticaOS FROM PrestadorPracticas
        WHERE IdPrestadorPractica = @pIdPrestadorPractica
    SELECT @valor = Valor FROM PrestadorPracticas
        WHERE IdPrestador = @prestador AND PracticaOS = @practica AND FechaDesde <= @pFechaPractica
          AND (FechaHasta IS NULL OR FechaHasta >= @pFechaPractica)
    RETURN @valor
END
