-- A procedure file of the tests' own: the generator must install it as it is, under its file name.
CREATE PROCEDURE spPruebaDemo
AS
SELECT 'instalado' AS Estado
