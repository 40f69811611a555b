-- Schema of a spectral database (the suite's SM_Spectral.db and the user's
-- SM_Spectral_User.db). One product table and one spectral table per family:
-- glasses, films and PVB interlayers. Spectral tables hold one row per wavelength;
-- values are in percent (0 to 100), wavelengths in nm.
--
-- The run reads only `id` of the product tables and `glass_id`, `lamda`,
-- `transmission_energy`, `reflection_energy_face1` and `reflection_energy_face2` of
-- the spectral tables; the other columns describe the products for people.

CREATE TABLE glass (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  thickness_mm REAL,
  source TEXT
);
CREATE TABLE film (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  thickness_mm REAL,
  source TEXT
);
CREATE TABLE PVB (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  thickness_mm REAL,
  source TEXT
);

CREATE TABLE spectral_energy (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL
);
CREATE TABLE spectral_energy_film (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL
);
CREATE TABLE spectral_energy_PVB (
  glass_id INTEGER NOT NULL,
  lamda REAL NOT NULL,
  transmission_energy REAL NOT NULL,
  reflection_energy_face1 REAL NOT NULL,
  reflection_energy_face2 REAL NOT NULL
);

CREATE INDEX spectral_energy_by_product ON spectral_energy (glass_id, lamda);
CREATE INDEX spectral_energy_film_by_product ON spectral_energy_film (glass_id, lamda);
CREATE INDEX spectral_energy_PVB_by_product ON spectral_energy_PVB (glass_id, lamda);
