-- Mensora's plant database, made by hand: the table every bench sends its records to and the
-- capability of each part, characteristic and lot. Mensora makes the table itself when the
-- bench's role may; where plant IT keeps that right, run this first.
--
-- Key: (bench, run, sequence). A run is one journal of one Mensora window (32 hex digits), the
-- sequence is the journal's row number. Each bench asks for its highest sequence on connecting
-- and goes on after it, so no row is ever sent twice.
-- Limits: upper = nominal + upper_tolerance, lower = nominal + lower_tolerance (the lower
-- tolerance is signed, as the bench shows it). A value on a limit is NG.

---------------------------------------------------------------------------------------------
-- PostgreSQL
---------------------------------------------------------------------------------------------
CREATE TABLE mensora_record (
  bench TEXT NOT NULL,                 -- the bench's name (Mensora's Plant database window)
  run CHAR(32) NOT NULL,               -- one journal of one window
  sequence BIGINT NOT NULL,            -- the journal's row number
  number BIGINT,                       -- the record's number in the bench's list
  taken_at TIMESTAMP(0),               -- the bench's local time
  value DOUBLE PRECISION,
  value_text TEXT,                     -- the value as the gauge sent it
  error DOUBLE PRECISION,              -- value - nominal
  verdict VARCHAR(10),                 -- OK, OverUpper, UnderLower
  nominal DOUBLE PRECISION,
  upper_tolerance DOUBLE PRECISION,
  lower_tolerance DOUBLE PRECISION,
  unit TEXT,
  part TEXT,
  characteristic TEXT,
  lot TEXT,
  operator_name TEXT,
  gauge_id TEXT,
  part_serial TEXT,                    -- the part's serial under an inspection plan; NULL without
  received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,  -- the server's time of arrival
  PRIMARY KEY (bench, run, sequence)
);

-- A table made before benches sent the part's serial is given the column by the first bench
-- that may alter it; by hand:
-- ALTER TABLE mensora_record ADD COLUMN IF NOT EXISTS part_serial TEXT;

CREATE VIEW mensora_capability AS
SELECT part, characteristic, lot,
       count(value) AS n,
       avg(value) AS mean,
       stddev_samp(value) AS sigma,
       (min(nominal + upper_tolerance) - max(nominal + lower_tolerance))
         / nullif(6 * stddev_samp(value), 0) AS cp,
       least(min(nominal + upper_tolerance) - avg(value), avg(value) - max(nominal + lower_tolerance))
         / nullif(3 * stddev_samp(value), 0) AS cpk
FROM mensora_record
GROUP BY part, characteristic, lot;

-- The benches' role: it inserts its rows and reads them back, nothing else.
-- CREATE ROLE mensora_bench LOGIN PASSWORD '...';
-- GRANT CONNECT ON DATABASE mensora TO mensora_bench;
-- GRANT USAGE ON SCHEMA public TO mensora_bench;
-- GRANT SELECT, INSERT ON mensora_record TO mensora_bench;

---------------------------------------------------------------------------------------------
-- SQL Server (run as its own batch; GO separates the statements in sqlcmd)
---------------------------------------------------------------------------------------------
-- CREATE TABLE mensora_record (
--   bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, sequence BIGINT NOT NULL,
--   number BIGINT, taken_at DATETIME2(0), value FLOAT, value_text NVARCHAR(40), error FLOAT,
--   verdict VARCHAR(10), nominal FLOAT, upper_tolerance FLOAT, lower_tolerance FLOAT,
--   unit NVARCHAR(20), part NVARCHAR(400), characteristic NVARCHAR(400), lot NVARCHAR(400),
--   operator_name NVARCHAR(400), gauge_id NVARCHAR(400), part_serial NVARCHAR(400),
--   received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),
--   PRIMARY KEY (bench, run, sequence));
-- GO
-- A table made before benches sent the part's serial:
-- IF COL_LENGTH('mensora_record', 'part_serial') IS NULL
--   ALTER TABLE mensora_record ADD part_serial NVARCHAR(400);
-- GO
-- CREATE VIEW mensora_capability AS
-- SELECT part, characteristic, lot,
--        COUNT(value) AS n,
--        AVG(value) AS mean,
--        STDEV(value) AS sigma,
--        (MIN(nominal + upper_tolerance) - MAX(nominal + lower_tolerance))
--          / NULLIF(6 * STDEV(value), 0) AS cp,
--        (CASE WHEN MIN(nominal + upper_tolerance) - AVG(value) < AVG(value) - MAX(nominal + lower_tolerance)
--              THEN MIN(nominal + upper_tolerance) - AVG(value)
--              ELSE AVG(value) - MAX(nominal + lower_tolerance) END)
--          / NULLIF(3 * STDEV(value), 0) AS cpk
-- FROM mensora_record
-- GROUP BY part, characteristic, lot;
-- GO
-- CREATE LOGIN mensora_bench WITH PASSWORD = '...';
-- CREATE USER mensora_bench FOR LOGIN mensora_bench;
-- GRANT SELECT, INSERT ON mensora_record TO mensora_bench;
