-- The closing of a provider of practices (any type but 1 and 14) for a period of whole days, 'yyyymmdd' to
-- 'yyyymmdd'. The closing number comes back in @oIdCierre; a refusal in @oError (<> 0) and @oComentario.
-- See spCierreNuevo.
CREATE PROCEDURE spGeneraCierrePrestador
    @pNumeroEjecucionSys int,
    @pIDPrestador int,
    @pFechaDesde char(8),
    @pFechaHasta char(8),
    @oIdCierre int OUTPUT,
    @oError int OUTPUT,
    @oComentario char(30) OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @r int
    EXEC @r = spCierreNuevo @pIDPrestador, 0, @pFechaDesde, @pFechaHasta, @oIdCierre OUTPUT, @oError OUTPUT,
        @oComentario OUTPUT
    RETURN @r
END
