-- Schema of the suite's spectral database, as platform/SpectralSchema writes it for
-- the suite role (a test keeps the two the same). One product table and one spectral
-- table per family: glasses, films and PVB interlayers. Spectral rows are in percent
-- (0 to 100), wavelengths in nm. The run reads only `id` of the product tables and
-- `glass_id`, `lamda`, `transmission_energy`, `reflection_energy_face1` and
-- `reflection_energy_face2` of the spectral tables.
CREATE TABLE glass (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  maker TEXT,
  thickness REAL,
  source_file TEXT,
  origin TEXT
);
CREATE TABLE spectral_energy (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL,
  PRIMARY KEY (glass_id, lamda)
) WITHOUT ROWID;
CREATE TABLE film (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  maker TEXT,
  thickness REAL,
  source_file TEXT,
  origin TEXT
);
CREATE TABLE spectral_energy_film (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL,
  PRIMARY KEY (glass_id, lamda)
) WITHOUT ROWID;
CREATE TABLE PVB (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  maker TEXT,
  thickness REAL,
  source_file TEXT,
  origin TEXT
);
CREATE TABLE spectral_energy_PVB (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL,
  PRIMARY KEY (glass_id, lamda)
) WITHOUT ROWID;
