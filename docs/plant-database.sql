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
-- PostgreSQL (may be run again: it keeps the table and brings the view up to date)
---------------------------------------------------------------------------------------------
CREATE TABLE IF NOT EXISTS mensora_record (
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

-- The figures of each part, characteristic and lot, named as the benches name them: Pp and Ppk
-- from the overall sample sigma, Cp and Cpk from the within sigma, the average moving range
-- between consecutive records of one bench's run (in the order they were taken) over d2 = 1.128.
-- CREATE OR REPLACE keeps a view made before: cp and cpk were from the overall sigma there.
CREATE OR REPLACE VIEW mensora_capability AS
WITH ranged AS (
  SELECT part, characteristic, lot, value, nominal, upper_tolerance, lower_tolerance,
         abs(value - lag(value) OVER (PARTITION BY bench, run, part, characteristic, lot
                                      ORDER BY sequence)) AS moving_range
  FROM mensora_record
), grouped AS (
  SELECT part, characteristic, lot,
         count(value) AS n,
         avg(value) AS mean,
         stddev_samp(value) AS sigma,
         avg(moving_range) / 1.128 AS sigma_within,
         min(nominal + upper_tolerance) AS usl,
         max(nominal + lower_tolerance) AS lsl
  FROM ranged
  GROUP BY part, characteristic, lot
)
SELECT part, characteristic, lot, n, mean, sigma,
       (usl - lsl) / nullif(6 * sigma_within, 0) AS cp,
       least(usl - mean, mean - lsl) / nullif(3 * sigma_within, 0) AS cpk,
       sigma_within,
       (usl - lsl) / nullif(6 * sigma, 0) AS pp,
       least(usl - mean, mean - lsl) / nullif(3 * sigma, 0) AS ppk
FROM grouped;

-- Each finished gauge study (type 1: one reference part measured n times), keyed as the records
-- are: the study is the journal's row of it. When it was done, with which gauge, and its
-- figures, so that plant IT sees when each gauge was last proven. Until this table is there, the
-- studies wait in each bench's journal and its records go on arriving.
CREATE TABLE IF NOT EXISTS mensora_gauge_study (
  bench TEXT NOT NULL,
  run CHAR(32) NOT NULL,
  study BIGINT NOT NULL,
  finished_at TIMESTAMP(0),            -- the bench's local time
  gauge_id TEXT,
  unit TEXT,
  reference DOUBLE PRECISION,          -- Xm, the reference part's size
  tolerance DOUBLE PRECISION,          -- T
  reading_count INTEGER,               -- n
  readings TEXT,                       -- as the gauge sent them, one blank between
  mean DOUBLE PRECISION,
  sigma DOUBLE PRECISION,              -- s, over n - 1
  bias DOUBLE PRECISION,               -- mean - reference
  cg DOUBLE PRECISION,                 -- 0.2 T / 6 s; NULL when every reading was the same
  cgk DOUBLE PRECISION,                -- (0.1 T - |bias|) / 3 s; NULL likewise
  capable SMALLINT,                    -- 1: Cg and Cgk both at least 1.33 as shown (2 places)
  step_too_coarse SMALLINT,            -- 1: the gauge's reading step is above 5 % of T
  received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,
  PRIMARY KEY (bench, run, study)
);

-- Each line of a run's alarm log: a run rule that fired on a control chart as the records were
-- taken, or the operator's acknowledgement of it, keyed as the records are: the alarm is the
-- journal's row of the line. Columns a line's kind has not are NULL. Until this table is there,
-- the lines wait in each bench's journal and its records go on arriving.
CREATE TABLE IF NOT EXISTS mensora_alarm (
  bench TEXT NOT NULL,
  run CHAR(32) NOT NULL,
  alarm BIGINT NOT NULL,
  number BIGINT,                       -- in the run's alarm log, from 1, both kinds counted
  kind VARCHAR(12),                    -- raised, acknowledged
  at TIMESTAMP(0),                     -- the bench's local time
  rule SMALLINT,                       -- raised: the run rule, 1 to 8
  range_chart SMALLINT,                -- raised: 1 on the range chart, 0 on the values chart
  characteristic TEXT,                 -- raised: as the records name it; empty without a plan
  first_record BIGINT,                 -- raised: the records the rule's pattern covers, as the
  last_record BIGINT,                  --   bench's list numbers them
  acknowledges BIGINT,                 -- acknowledged: the raised alarm's `alarm`
  cause TEXT,                          -- acknowledged: the cause chosen or typed, may be empty
  note TEXT,                           -- acknowledged: may be empty
  received_at TIMESTAMP(3) NOT NULL DEFAULT LOCALTIMESTAMP,
  PRIMARY KEY (bench, run, alarm)
);

-- The benches' role: it inserts its rows and reads them back, nothing else.
-- CREATE ROLE mensora_bench LOGIN PASSWORD '...';
-- GRANT CONNECT ON DATABASE mensora TO mensora_bench;
-- GRANT USAGE ON SCHEMA public TO mensora_bench;
-- GRANT SELECT, INSERT ON mensora_record, mensora_gauge_study, mensora_alarm TO mensora_bench;

---------------------------------------------------------------------------------------------
-- SQL Server (run as its own batch; GO separates the statements in sqlcmd)
-- Untried: no SQL Server is at hand where Mensora is built and tested, so these statements
-- have never been run. They are written for SQL Server 2012 or later (LAG); the PostgreSQL
-- half above is the one the tests run.
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
-- WITH ranged AS (
--   SELECT part, characteristic, lot, value, nominal, upper_tolerance, lower_tolerance,
--          ABS(value - LAG(value) OVER (PARTITION BY bench, run, part, characteristic, lot
--                                       ORDER BY sequence)) AS moving_range
--   FROM mensora_record
-- ), grouped AS (
--   SELECT part, characteristic, lot, COUNT(value) AS n, AVG(value) AS mean,
--          STDEV(value) AS sigma, AVG(moving_range) / 1.128 AS sigma_within,
--          MIN(nominal + upper_tolerance) AS usl, MAX(nominal + lower_tolerance) AS lsl
--   FROM ranged
--   GROUP BY part, characteristic, lot
-- )
-- SELECT part, characteristic, lot, n, mean, sigma,
--        (usl - lsl) / NULLIF(6 * sigma_within, 0) AS cp,
--        (CASE WHEN usl - mean < mean - lsl THEN usl - mean ELSE mean - lsl END)
--          / NULLIF(3 * sigma_within, 0) AS cpk,
--        sigma_within,
--        (usl - lsl) / NULLIF(6 * sigma, 0) AS pp,
--        (CASE WHEN usl - mean < mean - lsl THEN usl - mean ELSE mean - lsl END)
--          / NULLIF(3 * sigma, 0) AS ppk
-- FROM grouped;
-- GO
-- CREATE TABLE mensora_gauge_study (
--   bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, study BIGINT NOT NULL,
--   finished_at DATETIME2(0), gauge_id NVARCHAR(400), unit NVARCHAR(20), reference FLOAT,
--   tolerance FLOAT, reading_count INT, readings NVARCHAR(MAX), mean FLOAT, sigma FLOAT,
--   bias FLOAT, cg FLOAT, cgk FLOAT, capable SMALLINT, step_too_coarse SMALLINT,
--   received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),
--   PRIMARY KEY (bench, run, study));
-- GO
-- CREATE TABLE mensora_alarm (
--   bench NVARCHAR(100) NOT NULL, run CHAR(32) NOT NULL, alarm BIGINT NOT NULL, number BIGINT,
--   kind VARCHAR(12), at DATETIME2(0), [rule] SMALLINT, range_chart SMALLINT,
--   characteristic NVARCHAR(400), first_record BIGINT, last_record BIGINT,
--   acknowledges BIGINT, cause NVARCHAR(400), note NVARCHAR(MAX),
--   received_at DATETIME2(3) NOT NULL DEFAULT SYSDATETIME(),
--   PRIMARY KEY (bench, run, alarm));
-- GO
-- CREATE LOGIN mensora_bench WITH PASSWORD = '...';
-- CREATE USER mensora_bench FOR LOGIN mensora_bench;
-- GRANT SELECT, INSERT ON mensora_record TO mensora_bench;
-- GRANT SELECT, INSERT ON mensora_gauge_study TO mensora_bench;
-- GRANT SELECT, INSERT ON mensora_alarm TO mensora_bench;
