-- The format catalogue: table "Type", one row per format key.
-- Times in microseconds, counts in bits. The build makes IRTime.db from this
-- file only when IRTime.db does not exist yet, and adds the column "Quirks"
-- (what a row reads in its own way) from its list in catalogue/catalogue.cpp,
-- as it does to an older file on opening it.
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

-- One INSERT per family of formats, with its column list; one row per key.
-- The comment above each row names the public description its numbers come
-- from: IRP = IrpTransmogrifier's IrpProtocols.xml, DIR = DecodeIR notes,
-- SBP = SB-Projects IR pages, IRMP, AIR = Arduino-IRremote, ESP =
-- IRremoteESP8266, ESPH = ESPHome remote_base, LNX = Linux rc-core, LIRC =
-- the LIRC remote files. docs/catalogue.md explains every named slot: its
-- coding, structure, what its code lines show and what it cannot read.

-- ==========================================================================
-- NEC family: header, pulse-distance bits, stop mark; bytes LSB first (convert Y)
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form001: Aiwa / Sanyo LC7461 NEC42 (IRP, DIR, LNX): 13-bit custom code, complement, key code, complement; ditto +8800 -4400 +550.
  ('Form001', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'AIWA*SANYO', 8800, 4400, 8800, 4400, 0, 0, 1, 0, 0, '0', 0, 0, '0', 550, 550, 550, 1650, 13, 13, 8, 8, 26.23, 8.74, 106150, 104500, '---', '---', 550, 15000, 'H&E', 'Y', 0, 'Aiwa NEC42: 13-bit custom code and key code with complements', NULL, NULL, NULL, 0),
-- Form016: NEC1 (SBP, IRP): A, ~A, C, ~C, ditto repeats +9000 -2250 +562.5 every 108 ms; also the editor's defaults.
  ('Form016', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'NEC N-8', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'NEC N-8', NULL, NULL, NULL, 0),
-- Form017: NEC2 (DIR, IRP): the whole frame again every 108 ms while held; NEC-R read as NEC with repeated frames.
  ('Form017', 'IB', 'H,C,~C,D,~D,B0,X', 'NEC-R', 9000, 4500, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 0, '---', '---', 562, 15000, 'G', 'Y', 0, 'NEC2: full frames repeated', NULL, NULL, NULL, 0),
-- Form041: Toshiba TV remotes send NEC1 with device 0x40 (RemoteCentral post, LIRC).
  ('Form041', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TOSHIBA', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'Toshiba TV: NEC1, device 0x40', NULL, NULL, NULL, 0),
-- Form043: extended NEC (SBP, LNX): 16-bit address, low byte first, then C, ~C; NEC1 ditto repeats.
  ('Form043', 'IB', 'H,C,D,~D,B0,X,H2,B0,X', 'NEC N-16', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 16, 0, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'NEC, 16-bit address', NULL, NULL, NULL, 0),
-- Form052: Samsung32 (AIR, ESP, IRMP): header +4500 -4500, 16-bit custom code, C, ~C; full frame repeated while held.
  ('Form052', 'IB', 'H,C,D,~D,B0,X', 'SAMSUNG', 4500, 4500, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 560, 560, 560, 1690, 16, 0, 8, 8, 26.32, 8.77, 108000, 0, '---', '---', 560, 15000, 'G', 'Y', 0, 'Samsung32, full-frame repeats', NULL, NULL, NULL, 0),
-- Form060: Kenwood remotes send NEC1, device 0xB8 or 0xB6 (LIRC).
  ('Form060', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'KENWOOD', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'Kenwood: NEC1, device 0xB8/0xB6', NULL, NULL, NULL, 0),
-- Form129: Dgtec (IRP, DIR), the NEC-timed 24-bit frame D, F, ~F; unit 560, NEC ditto repeats.
  ('Form129', 'IB', 'H,C,D,~D,B0,X,H2,B0,X', 'NEC 24 bits', 8960, 4480, 8960, 2240, 0, 0, 1, 0, 0, '0', 0, 0, '0', 560, 560, 560, 1680, 8, 0, 8, 8, 26.32, 8.77, 108000, 108000, '---', '---', 560, 15000, 'H&E', 'Y', 0, 'NEC 24 bits read as Dgtec: D, F, ~F', NULL, NULL, NULL, 0),
-- Form133: no public protocol of this name: 8-bit custom and 8-bit data codes with NEC1 timing and ditto repeats.
  ('Form133', 'IB', 'H,C,D,B0,X,H2,B0,X', '8-8 IB', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 0, 8, 0, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, '8+8 bits with NEC timing, no complements; label not publicly defined', NULL, NULL, NULL, 0),
-- Form134: IRMP NEC16: NEC header and bits, 8-bit address, a +560 -4500 sync bit, 8-bit command; NEC ditto repeats. IRMP times a gap after each frame, and with no complements the period depends on the code: no cycle check.
  ('Form134', 'IB', 'H,C,E,D,B0,X,H2,B0,X', '8-8 E', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 560, 560, 560, 1690, 8, 0, 8, 0, 26.32, 8.77, 0, 0, '560', '4500', 560, 15000, 'H&E', 'Y', 0, 'NEC16 (IRMP): address, sync bit, command', NULL, NULL, NULL, 0),
-- Form142: no public data on NEC DNA: the four-gap DNA code with NEC header and unit, gaps 1T/2T/3T/4T for 00/01/10/11, 16 symbols.
  ('Form142', 'DNA', 'H,C,D,B0,X', 'NEC DNA', 9000, 4500, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1687, 16, 0, 16, 0, 26.37, 8.79, 108000, 0, '---', '---', 562, 15000, 'G', 'N', 0, 'no public description; DNA code with NEC timing, shape chosen here', NULL, 1125, 2250, 0);

-- ==========================================================================
-- Kaseikyo / AEHA family: header 8T/4T, unit 432, bytes LSB first; the lead-out is a gap, so frame periods depend on the code (T1 0)
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form012: Panasonic 48-bit Kaseikyo (IRP): OEM 0x02 0x20, D, S, F, check = D^S^F; lead-out -173T.
  ('Form012', 'IB', 'H,S,C,D,P,B0,X', 'Panasonic 48bit/KASEIKYO', 3456, 1728, 0, 0, 0, 0, 1, 16, 8, '0', 0, 0, '0', 432, 432, 432, 1296, 16, 0, 8, 0, 27.03, 9.01, 0, 0, '---', '---', 432, 15000, 'G', 'Y', 0, 'Kaseikyo: OEM code, D+S, F, check byte verified', NULL, NULL, NULL, 0),
-- Form014: Mitsubishi-K (IRP): OEM 0x23 0xCB, X:4, D, S, F, T:4, lead-out -100T.
  ('Form014', 'IB', 'H,S,C,D,B0,X', 'MITSUBISHI2', 3456, 1728, 0, 0, 0, 0, 1, 16, 0, '0', 0, 0, '0', 432, 432, 432, 1296, 20, 0, 12, 0, 27.03, 9.01, 0, 0, '---', '---', 432, 15000, 'G', 'Y', 0, 'Mitsubishi-K (Kaseikyo member)', NULL, NULL, NULL, 0),
-- Form063: Panasonic air conditioner (ESP): AEHA timing, section 1 of 8 bytes, +432 -10000, section 2 of 19 bytes; any length read.
  ('Form063', 'IB', 'H,D,B0,X', 'Pansonic air-condition', 3456, 1728, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 432, 432, 432, 1296, 0, 0, 152, 0, 27.25, 9.08, 0, 0, '---', '---', 432, 5000, '', 'Y', 0, 'Panasonic AC: two AEHA sections, data read to the section gap', NULL, NULL, NULL, 0),
-- Form098: unnamed slot read with open-length data: the generic AEHA frame (ESPH): 16-bit customer code and any number of bytes.
  ('Form098', 'IB', 'H,D,B0,X', 'Form098', 3456, 1728, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 432, 432, 432, 1296, 0, 0, 48, 0, 27.03, 9.01, 0, 0, '---', '---', 432, 5000, 'G', 'Y', 0, 'unnamed: generic AEHA frame of any length', NULL, NULL, NULL, 0),
-- Form132: JVC-48 (IRP): Kaseikyo frame with OEM 0x03 0x01, check = D^S^F.
  ('Form132', 'IB', 'H,S,C,D,P,B0,X', 'JVC AEHA', 3456, 1728, 0, 0, 0, 0, 1, 16, 8, '0', 0, 0, '0', 432, 432, 432, 1296, 16, 0, 8, 0, 27.03, 9.01, 0, 0, '---', '---', 432, 15000, 'G', 'Y', 0, 'JVC-48 (Kaseikyo, OEM 03 01), like Form012', NULL, NULL, NULL, 0),
-- Form144: JVC-56 (IRP, 'one extra byte before F'): OEM 0x03 0x01, D, S, E, F, check = XOR of D, S, E, F.
  ('Form144', 'IB', 'H,S,C,D,P,B0,X', 'JVC AEHA FORMAT', 3456, 1728, 0, 0, 0, 0, 1, 16, 8, '0', 0, 0, '0', 432, 432, 432, 1296, 24, 0, 8, 0, 27.03, 9.01, 0, 0, '---', '---', 432, 15000, 'G', 'Y', 0, 'JVC-56 (Kaseikyo56 shape, OEM 03 01)', NULL, NULL, NULL, 0);

-- ==========================================================================
-- Other pulse-distance formats
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form002: Dish Network / EchoStar (IRP, ESP): lead-in +406 -6090 once, F:6 MSB first, S:5, D:5, +406 -6090 after each frame; 1 = -1624, 0 = -2842.
  ('Form002', 'IB', 'D,B0,X', 'ECHOSTAR', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, '0', 406, 2842, 406, 1624, 0, 0, 16, 0, 17.36, 5.79, 0, 0, '406', '6090', 406, 4000, 'G', 'N', 4, 'EchoStar / Dish: the lead-in is the slot''s end bit before the data', NULL, NULL, NULL, 0),
-- Form005: Thomson (IRP, DIR; the Ferguson file in LIRC is Thomson): D:4 T D:1:4 F:6 LSB first, +500 -2000 / -4500, stop, 80 ms.
  ('Form005', 'IB', 'C,T,F,D,B0,X', 'FERGUSON', 0, 0, 0, 0, 0, 0, 0, 0, 1, '0', 1, 0, '0', 500, 2000, 500, 4500, 4, 0, 6, 0, 30.3, 10.1, 80000, 0, '---', '---', 500, 15000, 'G', 'Y', 0, 'Ferguson: Thomson frame, device low bits, toggle, device bit 4, command', NULL, NULL, NULL, 0),
-- Form006: Thomson7 (IRP; the Ferguson file in LIRC is Thomson): D:4 T F:7 LSB first, +500 -2000 / -4500, stop, 80 ms.
  ('Form006', 'IB', 'C,T,D,B0,X', 'FERGUSON2', 0, 0, 0, 0, 0, 0, 0, 0, 1, '0', 0, 0, '0', 500, 2000, 500, 4500, 4, 0, 7, 0, 30.3, 10.1, 80000, 0, '---', '---', 500, 15000, 'G', 'Y', 0, 'Ferguson: Thomson7 frame', NULL, NULL, NULL, 0),
-- Form007: RECS80 (the Gradiente D-10 file in LIRC decodes as RECS80; IRP, UEI 0045): start 1, T, D:3, F:6 MSB first, +158 -4898 / -7426, stop, -45 ms.
  ('Form007', 'IB', 'S,T,C,D,B0,X', 'GRADIENTE', 0, 0, 0, 0, 0, 0, 0, 1, 1, '0', 0, 0, '0', 158, 4898, 158, 7426, 3, 0, 6, 0, 26.32, 8.77, 0, 0, '---', '---', 158, 15000, 'G', 'N', 0, 'Gradiente: RECS80', NULL, NULL, NULL, 0),
-- Form010: ITT (SBP): 10 us pulses, intervals 100 us = 0, 200 us = 1, 300 us lead-in and lead-out; start bit 0, address 4, command 6, LSB first.
  ('Form010', 'IB', 'H,S,C,D,E,B0,X', 'ITT', 10, 290, 0, 0, 0, 0, 1, 1, 0, '0', 0, 0, '0', 10, 90, 10, 190, 4, 0, 6, 0, 0, 0, 0, 0, '10', '290', 10, 15000, 'G', 'Y', 0, 'ITT, no carrier, LSB first', NULL, NULL, NULL, 0),
-- Form011: JVC (IRP): +8432 -4216 on the first frame only, D:8 F:8 LSB first, stop; first frame padded to 59.08 ms, repeats (no head) to 46.42 ms. DIR, IRMP and AIR give a 23.6 ms gap after each frame instead, so the period depends on the code: no cycle check.
  ('Form011', 'IB', 'H,C,D,B0,X,C,D,B0,X', 'Jvc', 8432, 4216, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 527, 527, 527, 1581, 8, 0, 8, 0, 26.39, 8.8, 0, 0, '---', '---', 527, 15000, 'D&E', 'Y', 0, 'JVC; the slot leaves the head out of the cycle, so every group is 46.42 ms', NULL, NULL, NULL, 0),
-- Form013: Mitsubishi TV (IRP): no header, D:8 F:8 LSB first, +300 -900 / +300 -2100, stop, lead-out -80T.
  ('Form013', 'IB', 'C,D,B0,X', 'MITSUBISHI', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, '0', 300, 900, 300, 2100, 8, 0, 8, 0, 30.67, 10.22, 0, 0, '---', '---', 300, 15000, 'G', 'Y', 0, 'Mitsubishi TV', NULL, NULL, NULL, 0),
-- Form020: old Panasonic frame with a 6-bit custom code: Form022's timing, 6+6 bits and their
-- complements, as recorded from Magnavox and Symphonic remotes (tests/data/real, MATSUSH).
  ('Form020', 'IB', 'H,C,D,~C,~D,B0,X', 'PANA5-6(1)', 3332, 3332, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 833, 833, 833, 2499, 6, 6, 6, 6, 17.36, 5.79, 106475, 0, '---', '---', 833, 15000, 'G', 'Y', 0, 'old Panasonic 6+6-bit frame, as recorded from real remotes', NULL, NULL, NULL, 0),
-- Form021: as Form022 (old Panasonic 5+6-bit frame, unverified); what sets variant (2) apart is not published.
  ('Form021', 'IB', 'H,C,D,~C,~D,B0,X', 'PANA5-6(2)', 3332, 3332, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 833, 833, 833, 2499, 5, 5, 6, 6, 17.36, 5.79, 106475, 0, '---', '---', 833, 15000, 'G', 'Y', 0, 'like Form022 (unverified)', NULL, NULL, NULL, 0),
-- Form022: IrpTransmogrifier's 'Panasonic_Old' as recalled, not checked against the file (57.6 kHz, unit 833, +4T -4T, D:5 F:6 ~D:5 ~F:6, stop, -44 ms; 75T and the silence per frame).
  ('Form022', 'IB', 'H,C,D,~C,~D,B0,X', 'PANA5-6', 3332, 3332, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 833, 833, 833, 2499, 5, 5, 6, 6, 17.36, 5.79, 106475, 0, '---', '---', 833, 15000, 'G', 'Y', 0, 'old Panasonic 5+6-bit frame (IRP Panasonic_Old, unverified)', NULL, NULL, NULL, 0),
-- Form023: PaceMSS (IRP, DIR): two +630 -3150 lead pulses, T:1 D:1 F:8 MSB first, +630 -4410 / -6930, stop, 120 ms.
  ('Form023', 'IB', 'H,T,S,D,B0,X', 'PACE', 630, 3150, 0, 0, 0, 0, 2, 1, 1, '0', 0, 0, '0', 630, 4410, 630, 6930, 0, 0, 8, 0, 26.32, 8.77, 120000, 0, '---', '---', 630, 15000, 'G', 'N', 0, 'PaceMSS', NULL, NULL, NULL, 0),
-- Form032: RCA (IRP): +3680 -3680, A:4 F:8 ~A:4 ~F:8 MSB first, +460 -920 / -1840, stop and -16T; 129T per frame.
  ('Form032', 'IB', 'H,C,D,~C,~D,B0,X', 'RCA', 3680, 3680, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 460, 920, 460, 1840, 4, 4, 8, 8, 17.24, 5.75, 59340, 0, '---', '---', 460, 15000, 'G', 'N', 0, 'RCA, IRP timing', NULL, NULL, NULL, 0),
-- Form033: Sharp (IRP): no header, D:5 F:8 and two frame bits (10; the inverted half 01), stop; each half padded to 67 ms. ESP, IRMP and AIR give a 40-45 ms gap after each half instead, so the period depends on the code: no cycle check. f_sit keeps the frame bits to 10 or 01: Denon's 00 and 11 are no Sharp press.
  ('Form033', 'IB', 'C,D,F,B0,X', 'Sharp', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 2, 0, '10 01', 264, 792, 264, 1848, 5, 0, 8, 0, 26.32, 8.77, 0, 0, '---', '---', 264, 15000, 'G', 'Y', 0, 'Sharp: address, command, frame bits; the inverted half reads ~F', NULL, NULL, NULL, 0),
-- Form037: Telefunken (IRMP, the only Telefunken-specific definition): +600 -1500, 15 bits MSB first, +600 -600 / -1500, stop, 22 ms pause.
  ('Form037', 'IB', 'H,D,B0,X', 'TELEFUNKEN2', 600, 1500, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 600, 1500, 0, 0, 15, 0, 26.32, 8.77, 0, 0, '---', '---', 600, 15000, 'G', 'N', 0, 'Telefunken, IRMP definition', NULL, NULL, NULL, 0),
-- Form038: RECS80 (IRP, UEI 0045; Telefunken files in LIRC decode as RECS80 or Thomson).
  ('Form038', 'IB', 'S,T,C,D,B0,X', 'TELEFUNKEN3', 0, 0, 0, 0, 0, 0, 0, 1, 1, '0', 0, 0, '0', 158, 4898, 158, 7426, 3, 0, 6, 0, 26.32, 8.77, 0, 0, '---', '---', 158, 15000, 'G', 'N', 0, 'Telefunken: RECS80 frame', NULL, NULL, NULL, 0),
-- Form039: Thomson7 (IRP, DIR): D:4 T F:7 LSB first, +500 -2000 / -4500, stop, 80 ms.
  ('Form039', 'IB', 'C,T,D,B0,X', 'THOMSON', 0, 0, 0, 0, 0, 0, 0, 0, 1, '0', 0, 0, '0', 500, 2000, 500, 4500, 4, 0, 7, 0, 30.3, 10.1, 80000, 0, '---', '---', 500, 15000, 'G', 'Y', 0, 'Thomson7', NULL, NULL, NULL, 0),
-- Form044: Bose (IRP): +1000 -1500, F:8 ~F:8 MSB first (IRP; AIR and IRMP read LSB first), +500 -500 / -1500, stop, -50 ms.
  ('Form044', 'IB', 'H,D,~D,B0,X', 'Bose 16', 1000, 1500, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 500, 500, 500, 1500, 0, 0, 8, 8, 26.32, 8.77, 77000, 0, '---', '---', 500, 15000, 'G', 'N', 0, 'Bose: command and complement, MSB first as IRP', NULL, NULL, NULL, 0),
-- Form048: Denon (IRP): Sharp timing, D:5 F:8, frame bits 00 (inverted half 11), stop; each half padded to 67 ms. AIR and IRMP give a 45 ms gap after each half instead: no cycle check. f_sit keeps the frame bits to 00 or 11 (Sharp's are 10 and 01).
  ('Form048', 'IB', 'C,D,F,B0,X', 'Denon', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 2, 0, '00 11', 264, 792, 264, 1848, 5, 0, 8, 0, 26.32, 8.77, 0, 0, '---', '---', 264, 15000, 'G', 'Y', 0, 'Denon: address, command, frame bits', NULL, NULL, NULL, 0),
-- Form057: De'Longhi PAC A95 (ESP): +8984 -4200, 64 bits LSB first, mark 572, -510 / -1558, stop, no repeat.
  ('Form057', 'IB', 'H,D,B0,X', 'DELONGHI', 8984, 4200, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 572, 510, 572, 1558, 0, 0, 64, 0, 26.32, 8.77, 0, 0, '---', '---', 572, 15000, '', 'Y', 0, 'De''Longhi air conditioner, 8 bytes', NULL, NULL, NULL, 0),
-- Form058: RCA-38 (IRP): the RCA frame at 38.7 kHz, which RCA-branded Thomson products use (LIRC); the label R 2000 is not publicly defined.
  ('Form058', 'IB', 'H,C,D,~C,~D,B0,X', 'THOMSON R 2000', 3680, 3680, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 460, 920, 460, 1840, 4, 4, 8, 8, 25.84, 8.61, 59340, 0, '---', '---', 460, 15000, 'G', 'N', 0, 'RCA-38 frame', NULL, NULL, NULL, 0),
-- Form061: RCA(Old) (IRP): like RCA but a 40T head mark on the first frame and a 2T stop mark.
  ('Form061', 'IB', 'H,C,D,~C,~D,B0,X,H2,C,D,~C,~D,B0,X', 'Similar Form032', 18400, 3680, 3680, 3680, 0, 0, 1, 0, 0, '0', 0, 0, '0', 460, 920, 460, 1840, 4, 4, 8, 8, 17.24, 5.75, 74520, 59800, '---', '---', 920, 15000, 'G', 'N', 0, 'RCA(Old), a close relative of Form032', NULL, NULL, NULL, 0),
-- Form062: copy of Form033's Sharp frame; the label names no protocol of its own. No cycle check and the frame bits checked, as Form033.
  ('Form062', 'IB', 'C,D,F,B0,X', 'Similar Form033', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 2, 0, '10 01', 264, 792, 264, 1848, 5, 0, 8, 0, 26.32, 8.77, 0, 0, '---', '---', 264, 15000, 'G', 'Y', 0, 'like Form033 (Sharp frame)', NULL, NULL, NULL, 0),
-- Form064: Daikin ARC433 (ESP): five 0 bits and +428 -29428, then three sections +3650 -1623, 8, 8, 19 bytes LSB first, +428 -29428 each.
  ('Form064', 'IB', 'D,B0,X,H,D,B0,X', 'Daikin air-condition', 3650, 1623, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 428, 428, 428, 1280, 0, 0, 152, 0, 26.32, 8.77, 0, 0, '---', '---', 428, 5000, '', 'Y', 0, 'Daikin 280-bit: preamble and three sections, data read to the section gap', NULL, NULL, NULL, 0),
-- Form143: no public definition of SAC; the Sanyo air-conditioner frame SanyoAc (ESP): +8500 -4200, mark 500, -550 / -1600, 72 bits.
  ('Form143', 'IB', 'H,D,B0,X', 'SANYO SAC', 8500, 4200, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 500, 550, 500, 1600, 0, 0, 72, 0, 26.32, 8.77, 0, 0, '---', '---', 500, 15000, '', 'Y', 0, 'Sanyo air conditioner (SanyoAc); SAC not defined publicly', NULL, NULL, NULL, 0);

-- ==========================================================================
-- Sony SIRC: burst coding, command then address, LSB first, 45 ms frames
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form018: unnamed slot whose code line is its data's last 5 and first 3 bits: the Sony 8-bit frame (Sony8 in IRP).
  ('Form018', 'RIB', 'H,D,X', 'Form018', 2400, 600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 1200, 600, 0, 0, 8, 0, 25, 8.33, 45000, 0, '---', '---', 0, 5000, 'G', 'Y', 0, 'unnamed: Sony 8-bit frame, shown as data bits 3-7 and 0-2', 9, NULL, NULL, 0),
-- Form034: Sony12 (SBP, IRP): +2400 -600, F:7 D:5 LSB first, 1 = +1200, 0 = +600, spaces 600, ^45m, at least 3 frames.
  ('Form034', 'RIB', 'H,D,C,X', 'Sony 7-5', 2400, 600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 1200, 600, 5, 0, 7, 0, 25, 8.33, 45000, 0, '---', '---', 0, 5000, 'G', 'Y', 3, 'Sony 12-bit: command, address', 13, NULL, NULL, 0),
-- Form035: Sony20 (SBP, IRP): F:7 D:5 S:8, the 13 address bits read as one part.
  ('Form035', 'RIB', 'H,D,C,X', 'Sony 7-13', 2400, 600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 1200, 600, 13, 0, 7, 0, 25, 8.33, 45000, 0, '---', '---', 0, 5000, 'G', 'Y', 3, 'Sony 20-bit: command, 13-bit address D+32*S', 21, NULL, NULL, 0),
-- Form065: Sony15 (SBP, IRP): F:7 D:8.
  ('Form065', 'RIB', 'H,D,C,X', 'Sony 7-8', 2400, 600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 1200, 600, 8, 0, 7, 0, 25, 8.33, 45000, 0, '---', '---', 0, 5000, 'G', 'Y', 3, 'Sony 15-bit: command, address', 16, NULL, NULL, 0);

-- ==========================================================================
-- Bi-phase formats: interval coding 'HL'
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form008: Grundig / Blaupunkt bi-phase (IRP, IRMP): +512 -2560, start frame of 10 ones, info frames 1, F:6, D:3 LSB first, stop frame; -44T / -236T after frames.
  ('Form008', 'HL', 'H,D,X', 'GRUNDIG', 512, 2560, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 512, 512, 1024, 1024, 0, 0, 10, 0, 33, 11, 35328, 133632, '---', '---', 0, 2000, 'G', 'Y', 3, 'Grundig bi-phase; cycles leave out the start bit''s first half', NULL, NULL, NULL, 0),
-- Form009: unnamed slot with the Grundig start-bit rule: a copy of Form008's Grundig bi-phase frame.
  ('Form009', 'HL', 'H,D,X', 'Form009', 512, 2560, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 512, 512, 1024, 1024, 0, 0, 10, 0, 33, 11, 35328, 133632, '---', '---', 0, 2000, 'G', 'Y', 3, 'unnamed: copy of Form008 (Grundig bi-phase)', NULL, NULL, NULL, 0),
-- Form019: Nokia NRC17 (SBP, IRP): +500 -2500, start 1, command 8, address 4, subcode 4 LSB first, bi-phase T = 500, start and stop messages.
-- T_Time 2000: the head gap (-2500) is read as T_Time and one half bit more, so that its nearest reading holds at any pace.
  ('Form019', 'HL', 'H,C,D,F,X', 'NOKIA', 500, 2500, 0, 0, 0, 0, 1, 0, 0, '0', 8, 0, '0', 500, 500, 1000, 1000, 1, 0, 8, 0, 26.32, 6.58, 34000, 130000, '---', '---', 0, 2000, 'G', 'Y', 3, 'Nokia NRC17: start bit, command, address+16*subcode', NULL, NULL, NULL, 2000),
-- Form025: RC-6 mode 6A 24-bit 'Replay' (IRP, DIR): D:8 S:8 F:8 MSB first, -100 ms; read for trailer 1.
  ('Form025', 'HL', 'H,S,E,F,C,D,X', 'PHILIPS2', 2664, 888, 0, 0, 0, 0, 1, 4, 1, '0', 0, 800, '0', 444, 444, 888, 888, 8, 0, 16, 0, 27.78, 6.94, 129748, 0, '1332', '---', 0, 2000, 'G', 'N', 0, 'Philips RC-6 mode 6A 24-bit, trailer 1; label not publicly defined', NULL, NULL, NULL, 444),
-- Form030: RC-5 (SBP, IRP): S1 S2 T, address 5, command 6, MSB first, T = 889, 1 = space-mark, frames every 113.778 ms.
  ('Form030', 'HL', 'S,T,C,D,X', 'RC-5', 0, 0, 0, 0, 0, 0, 0, 2, 1, '0', 0, 0, '0', 889, 889, 1778, 1778, 5, 0, 6, 0, 27.78, 6.94, 113778, 0, '---', '---', 0, 3000, 'G', 'N', 0, 'RC-5: address, 7-bit command (field bit inverted)', NULL, NULL, NULL, 0),
-- Form031: RC5x / Marantz extended (IRP, LNX, AIR's Marantz): S1, field, T, D:5, 4T pause, S:6, F:6, MSB first.
  ('Form031', 'HL', 'S,F,C,D,X', 'RC-5 Extension', 0, 0, 0, 0, 0, 0, 0, 8, 0, '0', 0, 3000, '0', 889, 889, 1778, 1778, 6, 0, 6, 0, 27.78, 6.94, 113778, 0, '---', '---', 0, 3000, 'G', 'N', 0, 'RC5x: system, 7-bit command, extension; the pause is read as a fixed time', NULL, NULL, NULL, 3556),
-- Form046: RC-6 mode 6A MCE (IRP, LNX): leader +2664 -888, start 1, mode 110, trailer 0, customer 0x800F, T' D:7 F:8, MSB first, ^107m.
  ('Form046', 'HL', 'H,S,E,F,C,D,X', 'RC-6(Mic)', 2664, 888, 0, 0, 0, 0, 1, 4, 1, '0', 0, 800, '0', 444, 444, 888, 888, 16, 0, 16, 0, 27.78, 6.94, 106556, 0, '888', '---', 0, 2000, 'G', 'N', 0, 'RC-6 MCE (Microsoft); the cycle leaves out the start bit''s first half', NULL, NULL, NULL, 888),
-- Form047: RC-6 mode 0 (SBP, IRP; the Marantz RC-6 codes in LIRC are mode 0): A:8 F:8 MSB first, ^107m; read for trailer (toggle) 0.
  ('Form047', 'HL', 'H,S,E,F,C,D,X', 'RC-6(Marntz)', 2664, 888, 0, 0, 0, 0, 1, 4, 1, '0', 0, 800, '0', 444, 444, 888, 888, 8, 0, 8, 0, 27.78, 6.94, 106556, 0, '888', '---', 0, 2000, 'G', 'N', 0, 'RC-6 mode 0, frames with toggle 0', NULL, NULL, NULL, 444),
-- Form127: no public data on Reverse RC-6: RC-6 mode 0 read for trailer (toggle) 1; start and mode bits show inverted.
  ('Form127', 'HL', 'H,S,E,F,C,D,X', 'Reverse RC-6', 2664, 888, 0, 0, 0, 0, 1, 4, 1, '0', 0, 800, '0', 444, 444, 888, 888, 8, 0, 8, 0, 27.78, 6.94, 106556, 0, '1332', '---', 0, 2000, 'G', 'N', 0, 'RC-6 mode 0, frames with toggle 1; label not publicly defined', NULL, NULL, NULL, 444),
-- Form128: RC-5 read through this slot's start-bit rule: start bits and toggle as data, address, command.
  ('Form128', 'HL', 'D,C,F,X', 'Similar Form009', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 6, 0, '0', 889, 889, 1778, 1778, 5, 0, 3, 0, 27.78, 6.94, 112889, 113778, '---', '---', 0, 3000, 'G', 'N', 0, 'RC-5 frame read with the Form128 start-bit rule', NULL, NULL, NULL, 0);

-- ==========================================================================
-- RC-MM based formats: two bits per gap 'DNA', MSB first
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form026: Philips RC-MM 32-bit (IRP, ESP, LNX rc-mm-32): 16 symbols after +416.7 -277.8, stop, ^100m.
  ('Form026', 'DNA', 'H,D,B0,X', 'PHILIPS3', 416, 277, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 166, 277, 166, 611, 0, 0, 32, 0, 27.78, 6.94, 100000, 0, '---', '---', 166, 15000, 'G', 'N', 0, 'Philips RC-MM 32-bit; label not publicly defined', NULL, 444, 777, 0),
-- Form137: Nokia 24-bit (IRP): +416.7 -277.8, D:8 S:8 F:8 MSB first, mark 166.7, gaps 277.8/444.4/611.1/777.8, stop, ^100m.
  ('Form137', 'DNA', 'H,C,D,B0,X', 'Nokia 16-8F', 416, 277, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 166, 277, 166, 611, 16, 0, 8, 0, 27.78, 6.94, 100000, 0, '---', '---', 166, 15000, 'G', 'N', 0, 'Nokia (RC-MM) 16+8 bits', NULL, 444, 777, 0),
-- Form138: Nokia32 (IRP): D:8 S:8 T:1 X:7 F:8 MSB first, RC-MM timing, ^100m.
  ('Form138', 'DNA', 'H,C,D,B0,X', 'Nokia 24-8F', 416, 277, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 166, 277, 166, 611, 24, 0, 8, 0, 27.78, 6.94, 100000, 0, '---', '---', 166, 15000, 'G', 'N', 0, 'Nokia32 (RC-MM) 24+8 bits', NULL, 444, 777, 0),
-- Form140: Nokia12 (IRP): D:4 F:8 MSB first, RC-MM timing, ^100m.
  ('Form140', 'DNA', 'H,C,D,B0,X', 'Similar Form138 I', 416, 277, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 166, 277, 166, 611, 4, 0, 8, 0, 27.78, 6.94, 100000, 0, '---', '---', 166, 15000, 'G', 'N', 0, 'Nokia12 (RC-MM) 4+8 bits', NULL, 444, 777, 0),
-- Form141: Philips RC-MM 24-bit (IRP, ESP): 12 symbols after +416.7 -277.8, stop, ^100m.
  ('Form141', 'DNA', 'H,D,B0,X', 'Similar Form138 II', 416, 277, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 166, 277, 166, 611, 0, 0, 24, 0, 27.78, 6.94, 100000, 0, '---', '---', 166, 15000, 'G', 'N', 0, 'RC-MM 24-bit', NULL, 444, 777, 0);

-- ==========================================================================
-- Formats of the slot rules 'MIS', 'RCS16' and 'SE'
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form029: unnamed slot of the run rule; shape chosen here: a burst of 450 starts every 1 bit of a 1000 us cell, 0 cells stay dark; start 1, 8 data bits LSB first, stop 1, 50 ms.
  ('Form029', 'MIS', 'C,D,F,X', 'Form029', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 1, 0, '0', 450, 1000, 450, 550, 1, 0, 8, 0, 26.32, 8.77, 49550, 0, '---', '---', 0, 15000, 'G', 'Y', 0, 'unnamed: one burst per 1 bit, start and stop bits', NULL, NULL, NULL, 0),
-- Form042: Zenith (IRP, DIR): double start, data bits as symbol pairs (0 = +520 -5200, 1 = +520 -520 +520 -4160), 7 bits MSB first, -90 ms.
  ('Form042', 'MIS', 'H,D,X', 'ZENITH', 520, 520, 0, 0, 520, 0, 2, 0, 0, '0', 0, 0, '0', 520, 5200, 520, 520, 0, 0, 7, 0, 25, 8.33, 175800, 0, '---', '---', 0, 15000, 'G', 'N', 0, 'Zenith, double start, 7 bits', NULL, NULL, NULL, 0),
-- Form059: Grundig16 (IRP): +806 -2960 +1346, 8 symbols of two bits, gap first: 00 -4T +2T, 01 -3T +1T -1T +1T, 10 -2T +1T -2T +1T, 11 -1T +1T -3T +1T, T = 578.
  ('Form059', 'RCS16', 'H,D,X', 'GRUNDIG RCS16', 806, 2960, 0, 0, 1346, 0, 1, 0, 0, '0', 0, 0, '0', 578, 578, 1734, 2312, 0, 0, 16, 0, 28.01, 9.34, 90656, 0, '---', '---', 0, 15000, 'G', 'N', 0, 'Grundig16: toggle, F:8, D:7', NULL, 1156, NULL, 0),
-- Form086: unnamed slot of the extra-pair rule, any length: shape chosen here from Zenith's symbols: 0 = +520 -5200, 1 = +520 -520 +520 -4160, stop mark, 150 ms.
  ('Form086', 'MIS', 'H,D,B0,X', 'Form086', 520, 2600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 520, 5200, 4160, 520, 0, 0, 16, 0, 25, 8.33, 150000, 0, '---', '---', 520, 6000, 'G', 'N', 0, 'unnamed: double-pulse symbols, any length', NULL, NULL, 4160, 0),
-- Form089: unnamed slot of the extra-pair rule: Zenith's symbols, 8 per frame, stop mark, 150 ms.
  ('Form089', 'MIS', 'H,D,B0,X', 'Form089', 520, 2600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 520, 5200, 4160, 520, 0, 0, 8, 0, 25, 8.33, 150000, 0, '---', '---', 520, 15000, 'G', 'N', 0, 'unnamed: double-pulse symbols, 8 per frame', NULL, NULL, 4160, 0),
-- Form090: unnamed slot of the extra-pair rule: Zenith's symbols, 12 per frame, stop mark, 150 ms.
  ('Form090', 'MIS', 'H,D,B0,X', 'Form090', 520, 2600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 520, 5200, 4160, 520, 0, 0, 12, 0, 25, 8.33, 150000, 0, '---', '---', 520, 15000, 'G', 'N', 0, 'unnamed: double-pulse symbols, 12 per frame', NULL, NULL, 4160, 0),
-- Form126: unnamed slot of the Zenith rule: Zenith6 (IRP), single start, 6 bits.
  ('Form126', 'MIS', 'H,D,X', 'Form126', 520, 5200, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 520, 5200, 520, 520, 0, 0, 6, 0, 25, 8.33, 164360, 0, '---', '---', 0, 15000, 'G', 'N', 0, 'unnamed: Zenith, single start, 6 bits', NULL, NULL, NULL, 0),
-- Form130: no public data on 'SE 30 bits'; read as three async characters (like DecodeIR's Async: start 0, 8 data bits LSB first, stop 1), 3.6 ms bits, light = 0.
  ('Form130', 'SE', 'D,X', 'SE 30 bits', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, '0', 3611, 0, 0, 0, 0, 0, 30, 0, 26.32, 8.77, 0, 0, '---', '---', 0, 15000, 'G', 'Y', 0, 'three async characters, 3.6 ms bits; label not publicly defined', 30, NULL, NULL, 0),
-- Form131: Zenith8 (IRP), double start, 8 bits; like Form042.
  ('Form131', 'MIS', 'H,D,X', 'Similar Form042', 520, 520, 0, 0, 520, 0, 2, 0, 0, '0', 0, 0, '0', 520, 5200, 520, 520, 0, 0, 8, 0, 25, 8.33, 187240, 0, '---', '---', 0, 15000, 'G', 'N', 0, 'Zenith, double start, 8 bits', NULL, NULL, NULL, 0),
-- Form135: Zenith (DIR) with the single start of appliances (+520 -5200), 7 bits (codes 0-0x5F).
  ('Form135', 'MIS', 'H,D,X', 'ZENITH A 0-5F', 520, 5200, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 520, 5200, 520, 520, 0, 0, 7, 0, 25, 8.33, 175800, 0, '---', '---', 0, 15000, 'G', 'N', 0, 'Zenith, single start, 7 bits', NULL, NULL, NULL, 0);

-- ==========================================================================
-- Generic formats: GenelRead writes X, stru, the head and the bit times from each capture
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- HL: generic, learned from each capture; starting values of RC-5, open-length data, no cycle check.
  ('HL', 'HL', 'D,X', 'HL', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, '0', 889, 889, 889, 1778, 0, 0, 32, 0, 26.32, 8.77, 0, 0, '---', '---', 0, 15000, '', 'N', 0, 'generic: learned from each capture', 64, NULL, NULL, 0),
-- IB: generic, learned from each capture; starting values of an NEC frame, open-length data, no cycle check.
  ('IB', 'IB', 'H,D,B0,X', 'IB', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 560, 560, 560, 1690, 0, 0, 32, 0, 26.32, 8.77, 0, 0, '---', '---', 560, 15000, '', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0),
-- RIB: generic, learned from each capture; starting values of a Sony frame, open-length data, no cycle check.
  ('RIB', 'RIB', 'H,D,X', 'RIB', 2400, 600, 0, 0, 0, 0, 1, 0, 0, '0', 0, 0, '0', 600, 600, 1200, 600, 0, 0, 32, 0, 26.32, 8.77, 0, 0, '---', '---', 0, 15000, '', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0),
-- SE: generic, learned from each capture; run lengths with a 1000 us starting bit time, open-length data, no cycle check.
  ('SE', 'SE', 'D,X', 'SE', 0, 0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, '0', 1000, 0, 0, 1000, 0, 0, 32, 0, 26.32, 8.77, 0, 0, '---', '---', 0, 15000, '', 'Y', 0, 'generic: learned from each capture', 64, NULL, NULL, 0);

-- ==========================================================================
-- Named slots without a public description: harmless NEC N-8 shape
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form024: no public description of a Peony format was found; NEC N-8 shape kept as a harmless placeholder.
  ('Form024', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'PEONY', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form028: no public data on Primestar; NEC N-8 shape kept as a harmless placeholder.
  ('Form028', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'PRIMESTAR', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form045: no public description of a 32-bit Bose format; NEC N-8 shape kept as a harmless placeholder.
  ('Form045', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Bose 32', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form049: no public data on Silan; NEC N-8 shape kept as a harmless placeholder.
  ('Form049', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Silan', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form066: no public description of a 'CG Checksum' format; NEC N-8 shape kept as a harmless placeholder.
  ('Form066', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'CG Checksum', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form100: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form100', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE22', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form101: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form101', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE07', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form102: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form102', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE08', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form103: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form103', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE14', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form104: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form104', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE15', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form105: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form105', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE16', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form106: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form106', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE17', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form107: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form107', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE18', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form108: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form108', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE19', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form109: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form109', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE20', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form110: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form110', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE22', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form111: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form111', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE23', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form112: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form112', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE27', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form113: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form113', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE29', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form114: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form114', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE34', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form115: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form115', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE35', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form116: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form116', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE37', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form117: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form117', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE38', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form118: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form118', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE41', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form119: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form119', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE56', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form120: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form120', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE83', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form122: numbered type without a public description; NEC N-8 shape kept as a harmless placeholder.
  ('Form122', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'TYPE153', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form136: no public description of this Grundig variant; NEC N-8 shape kept as a harmless placeholder.
  ('Form136', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Gru B 8-8FC2', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'no public data; placeholder: NEC N-8 shape', NULL, NULL, NULL, 0);

-- ==========================================================================
-- Unnamed slots: harmless NEC N-8 shape; Form155-Form160 are the editor's user slots
-- ==========================================================================
INSERT INTO "Type"
  ("Format", "Type", "stru", "Alias", "H_Osc", "H_Idle", "G2H_Osc", "G2H_Idle", "HB2_Osc", "HB2_Idle", "H_Bits", "S_Bits", "T", "Instance", "F", "Fix_Time", "f_sit", "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle", "C", "R_C", "D", "R_D", "CF_T", "CF_Osc", "T1", "G2_T", "E_Osc", "E_Idle", "b_end", "X", "Repeat", "convert", "G_count", "Remark", "Bits", "zero_HL", "One_HL", "T_Time")
VALUES
-- Form003: unnamed slot; NEC N-8 shape.
  ('Form003', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form003', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form004: unnamed slot; NEC N-8 shape.
  ('Form004', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form004', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form015: unnamed slot; NEC N-8 shape.
  ('Form015', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form015', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form027: unnamed slot; NEC N-8 shape.
  ('Form027', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form027', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form036: unnamed slot; NEC N-8 shape.
  ('Form036', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form036', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form040: unnamed slot; NEC N-8 shape.
  ('Form040', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form040', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form050: unnamed slot; NEC N-8 shape.
  ('Form050', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form050', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form051: unnamed slot; NEC N-8 shape.
  ('Form051', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form051', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form053: unnamed slot; NEC N-8 shape.
  ('Form053', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form053', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form054: unnamed slot; NEC N-8 shape.
  ('Form054', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form054', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form055: unnamed slot; NEC N-8 shape.
  ('Form055', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form055', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form056: unnamed slot; NEC N-8 shape.
  ('Form056', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form056', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form067: unnamed slot; NEC N-8 shape.
  ('Form067', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form067', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form068: unnamed slot; NEC N-8 shape.
  ('Form068', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form068', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form069: unnamed slot; NEC N-8 shape.
  ('Form069', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form069', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form070: unnamed slot; NEC N-8 shape.
  ('Form070', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form070', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form071: unnamed slot; NEC N-8 shape.
  ('Form071', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form071', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form072: unnamed slot; NEC N-8 shape.
  ('Form072', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form072', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form073: unnamed slot; NEC N-8 shape.
  ('Form073', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form073', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form074: unnamed slot; NEC N-8 shape.
  ('Form074', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form074', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form075: unnamed slot; NEC N-8 shape.
  ('Form075', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form075', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form076: unnamed slot; NEC N-8 shape.
  ('Form076', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form076', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form077: unnamed slot; NEC N-8 shape.
  ('Form077', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form077', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form078: unnamed slot; NEC N-8 shape.
  ('Form078', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form078', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form079: unnamed slot; NEC N-8 shape.
  ('Form079', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form079', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form080: unnamed slot; NEC N-8 shape.
  ('Form080', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form080', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form081: unnamed slot; NEC N-8 shape.
  ('Form081', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form081', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form082: unnamed slot; NEC N-8 shape.
  ('Form082', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form082', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form083: unnamed slot; NEC N-8 shape.
  ('Form083', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form083', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form084: unnamed slot; NEC N-8 shape.
  ('Form084', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form084', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form085: unnamed slot; NEC N-8 shape.
  ('Form085', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form085', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form087: unnamed slot; NEC N-8 shape.
  ('Form087', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form087', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form088: unnamed slot; NEC N-8 shape.
  ('Form088', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form088', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form091: unnamed slot; NEC N-8 shape.
  ('Form091', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form091', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form092: unnamed slot; NEC N-8 shape.
  ('Form092', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form092', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form093: unnamed slot; NEC N-8 shape.
  ('Form093', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form093', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form094: unnamed slot; NEC N-8 shape.
  ('Form094', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form094', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form095: unnamed slot; NEC N-8 shape.
  ('Form095', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form095', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form096: unnamed slot; NEC N-8 shape.
  ('Form096', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form096', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form097: unnamed slot; NEC N-8 shape.
  ('Form097', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form097', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form099: unnamed slot; NEC N-8 shape.
  ('Form099', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form099', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form121: unnamed slot; NEC N-8 shape.
  ('Form121', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form121', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form123: unnamed slot; NEC N-8 shape.
  ('Form123', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form123', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form124: unnamed slot; NEC N-8 shape.
  ('Form124', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form124', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form125: unnamed slot; NEC N-8 shape.
  ('Form125', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form125', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form139: unnamed slot; NEC N-8 shape.
  ('Form139', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form139', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form145: unnamed slot; NEC N-8 shape.
  ('Form145', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form145', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form146: unnamed slot; NEC N-8 shape.
  ('Form146', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form146', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form147: unnamed slot; NEC N-8 shape.
  ('Form147', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form147', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form148: unnamed slot; NEC N-8 shape.
  ('Form148', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form148', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form149: unnamed slot; NEC N-8 shape.
  ('Form149', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form149', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form150: unnamed slot; NEC N-8 shape.
  ('Form150', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form150', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form151: unnamed slot; NEC N-8 shape.
  ('Form151', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form151', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form152: unnamed slot; NEC N-8 shape.
  ('Form152', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form152', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form153: unnamed slot; NEC N-8 shape.
  ('Form153', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form153', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form154: unnamed slot; NEC N-8 shape.
  ('Form154', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form154', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'placeholder: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form155: user slot of the format editor; NEC N-8 shape.
  ('Form155', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form155', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form156: user slot of the format editor; NEC N-8 shape.
  ('Form156', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form156', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form157: user slot of the format editor; NEC N-8 shape.
  ('Form157', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form157', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form158: user slot of the format editor; NEC N-8 shape.
  ('Form158', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form158', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form159: user slot of the format editor; NEC N-8 shape.
  ('Form159', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form159', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0),
-- Form160: user slot of the format editor; NEC N-8 shape.
  ('Form160', 'IB', 'H,C,~C,D,~D,B0,X,H2,B0,X', 'Form160', 9000, 4500, 9000, 2250, 0, 0, 1, 0, 0, '0', 0, 0, '0', 562, 562, 562, 1688, 8, 8, 8, 8, 26.37, 8.79, 108000, 108000, '---', '---', 562, 15000, 'H&E', 'Y', 0, 'user slot: NEC N-8 shape', NULL, NULL, NULL, 0);
