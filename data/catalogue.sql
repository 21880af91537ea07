-- The format catalogue: table "Type", one row per format key.
-- Times in microseconds, counts in bits. The build makes IRTime.db from this
-- file only when IRTime.db does not exist yet.
CREATE TABLE "Type" (
  "Format" TEXT NOT NULL,
  "Type" TEXT,
  "stru" TEXT,
  "Alias" TEXT,
  "H_Osc" NUMERIC,
  "H_Idle" NUMERIC,
  "G2H_Osc" NUMERIC,
  "G2H_Idle" NUMERIC,
  "HB2_Osc" NUMERIC,
  "HB2_Idle" NUMERIC,
  "H_Bits" NUMERIC,
  "S_Bits" NUMERIC,
  "T" NUMERIC,
  "Instance" TEXT,
  "F" NUMERIC,
  "Fix_Time" NUMERIC,
  "f_sit" TEXT,
  "Zero_Osc" NUMERIC,
  "zero_Idle" NUMERIC,
  "One_Osc" NUMERIC,
  "One_Idle" NUMERIC,
  "C" NUMERIC,
  "R_C" NUMERIC,
  "D" NUMERIC,
  "R_D" NUMERIC,
  "CF_T" NUMERIC,
  "CF_Osc" NUMERIC,
  "T1" NUMERIC,
  "G2_T" NUMERIC,
  "E_Osc" TEXT,
  "E_Idle" TEXT,
  "b_end" NUMERIC,
  "X" NUMERIC,
  "Repeat" TEXT,
  "convert" TEXT,
  "G_count" NUMERIC,
  "Remark" TEXT,
  "Bits" NUMERIC,
  "zero_HL" NUMERIC,
  "One_HL" NUMERIC,
  "T_Time" NUMERIC
);
CREATE UNIQUE INDEX idxFormat ON "Type" ("Format");

-- Column order: Format, Type, stru, Alias, H_Osc, H_Idle, G2H_Osc, G2H_Idle, HB2_Osc, HB2_Idle, H_Bits, S_Bits, T, Instance, F, Fix_Time, f_sit, Zero_Osc, zero_Idle, One_Osc, One_Idle, C, R_C, D, R_D, CF_T, CF_Osc, T1, G2_T, E_Osc, E_Idle, b_end, X, Repeat, convert, G_count, Remark, Bits, zero_HL, One_HL, T_Time
-- Form001: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form001', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form001', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form002: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form002', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form002', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form003: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form003', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form003', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form004: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form004', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form004', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form005: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form005', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form005', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form006: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form006', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form006', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form007: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form007', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form007', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form008: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form008', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form008', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form009: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form009', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form009', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form010: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form010', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form010', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form011: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form011', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form011', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form012: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form012', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form012', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form013: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form013', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form013', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form014: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form014', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form014', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form015: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form015', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form015', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form016: NEC with 8-bit address and command, each followed by its inverse.
INSERT INTO "Type" VALUES ('Form016', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'NEC N-8', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'NEC N-8', NULL, NULL, NULL, 0);
-- Form017: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form017', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form017', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form018: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form018', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form018', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form019: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form019', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form019', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form020: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form020', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form020', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form021: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form021', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form021', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form022: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form022', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form022', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form023: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form023', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form023', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form024: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form024', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form024', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form025: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form025', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form025', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form026: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form026', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form026', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form027: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form027', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form027', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form028: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form028', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form028', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form029: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form029', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form029', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form030: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form030', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form030', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form031: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form031', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form031', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form032: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form032', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form032', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form033: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form033', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form033', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form034: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form034', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form034', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form035: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form035', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form035', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form036: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form036', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form036', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form037: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form037', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form037', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form038: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form038', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form038', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form039: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form039', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form039', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form040: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form040', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form040', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form041: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form041', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form041', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form042: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form042', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form042', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form043: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form043', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form043', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form044: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form044', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form044', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form045: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form045', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form045', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form046: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form046', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form046', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form047: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form047', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form047', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form048: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form048', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form048', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form049: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form049', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form049', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form050: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form050', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form050', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form051: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form051', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form051', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form052: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form052', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form052', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form053: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form053', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form053', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form054: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form054', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form054', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form055: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form055', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form055', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form056: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form056', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form056', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form057: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form057', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form057', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form058: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form058', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form058', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form059: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form059', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form059', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form060: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form060', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form060', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form061: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form061', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form061', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form062: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form062', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form062', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form063: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form063', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form063', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form064: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form064', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form064', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form065: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form065', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form065', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form066: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form066', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form066', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form067: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form067', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form067', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form068: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form068', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form068', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form069: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form069', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form069', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form070: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form070', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form070', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form071: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form071', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form071', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form072: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form072', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form072', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form073: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form073', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form073', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form074: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form074', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form074', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form075: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form075', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form075', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form076: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form076', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form076', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form077: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form077', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form077', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form078: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form078', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form078', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form079: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form079', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form079', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form080: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form080', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form080', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form081: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form081', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form081', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form082: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form082', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form082', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form083: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form083', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form083', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form084: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form084', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form084', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form085: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form085', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form085', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form086: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form086', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form086', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form087: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form087', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form087', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form088: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form088', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form088', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form089: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form089', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form089', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form090: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form090', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form090', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form091: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form091', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form091', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form092: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form092', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form092', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form093: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form093', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form093', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form094: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form094', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form094', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form095: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form095', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form095', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form096: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form096', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form096', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form097: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form097', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form097', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form098: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form098', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form098', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form099: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form099', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form099', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form100: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form100', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form100', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form101: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form101', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form101', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form102: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form102', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form102', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form103: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form103', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form103', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form104: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form104', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form104', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form105: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form105', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form105', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form106: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form106', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form106', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form107: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form107', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form107', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form108: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form108', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form108', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form109: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form109', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form109', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form110: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form110', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form110', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form111: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form111', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form111', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form112: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form112', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form112', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form113: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form113', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form113', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form114: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form114', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form114', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form115: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form115', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form115', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form116: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form116', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form116', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form117: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form117', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form117', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form118: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form118', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form118', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form119: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form119', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form119', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form120: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form120', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form120', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form121: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form121', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form121', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form122: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form122', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form122', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form123: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form123', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form123', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form124: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form124', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form124', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form125: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form125', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form125', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form126: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form126', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form126', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form127: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form127', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form127', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form128: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form128', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form128', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form129: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form129', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form129', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form130: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form130', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form130', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form131: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form131', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form131', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form132: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form132', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form132', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form133: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form133', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form133', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form134: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form134', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form134', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form135: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form135', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form135', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form136: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form136', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form136', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form137: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form137', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form137', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form138: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form138', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form138', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form139: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form139', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form139', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form140: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form140', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form140', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form141: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form141', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form141', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form142: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form142', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form142', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form143: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form143', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form143', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form144: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form144', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form144', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form145: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form145', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form145', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form146: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form146', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form146', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form147: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form147', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form147', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form148: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form148', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form148', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form149: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form149', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form149', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form150: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form150', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form150', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form151: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form151', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form151', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form152: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form152', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form152', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form153: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form153', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form153', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form154: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form154', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form154', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form155: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form155', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form155', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form156: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form156', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form156', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form157: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form157', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form157', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form158: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form158', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form158', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form159: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form159', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form159', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- Form160: placeholder (NEC N-8 shape).
INSERT INTO "Type" VALUES ('Form160', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form160', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);
-- IB: generic format, learned from each capture.
INSERT INTO "Type" VALUES ('IB', 'IB', 'D,X', 'IB', 9000, 4500, 9000, 2250, 0, 0, 0, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0);
-- RIB: generic format, learned from each capture.
INSERT INTO "Type" VALUES ('RIB', 'RIB', 'D,X', 'RIB', 9000, 4500, 9000, 2250, 0, 0, 0, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0);
-- HL: generic format, learned from each capture.
INSERT INTO "Type" VALUES ('HL', 'HL', 'D,X', 'HL', 9000, 4500, 9000, 2250, 0, 0, 0, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0);
-- SE: generic format, learned from each capture.
INSERT INTO "Type" VALUES ('SE', 'SE', 'D,X', 'SE', 9000, 4500, 9000, 2250, 0, 0, 0, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0);
