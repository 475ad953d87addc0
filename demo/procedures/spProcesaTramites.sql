-- Processing of the transaction files of a period. The demo has no files to process: it only answers that
-- nothing failed.
CREATE PROCEDURE spProcesaTramites
    @pFechaDesde char(8),
    @pFechaHasta char(8),
    @Database varchar(30),
    @oError int OUTPUT,
    @pEjecutoBcp bit
AS
BEGIN
    SET NOCOUNT ON
    SET @oError = 0
    RETURN 0
END
