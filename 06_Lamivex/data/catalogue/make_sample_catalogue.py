#!/usr/bin/env python3
"""Writes samples/*.csv: the sample products of the suite's spectral database.

SAMPLE DATA, NOT MEASUREMENTS. Each spectrum comes from a simple physical model,
300 to 2500 nm every 5 nm, in percent:

* A layer is a slab with a front and a back surface of reflectance r1 and r2 and an
  internal transmittance tau = exp(-alpha * d). Summing the multiple reflections gives
      T  = (1 - r1)(1 - r2) tau / D
      R1 = r1 + (1 - r1)^2 r2 tau^2 / D
      R2 = r2 + (1 - r2)^2 r1 tau^2 / D,     D = 1 - r1 r2 tau^2.
* An uncoated surface reflects as at normal incidence by Fresnel: ((n - 1) / (n + 1))^2,
  with n = 1.52 for soda-lime glass and 1.65 for the PET of a film.
* A PVB interlayer is only ever used bonded between two glasses, where its index (1.48)
  nearly matches the glass and its faces reflect next to nothing (about 0.02 %). Its
  file therefore holds the interlayer as it is inside the laminate: no reflection and
  T the internal transmittance. The laminated model multiplies the interlayers' T with
  the glasses' internal transmittances, so two air faces counted here would wrongly
  take some 8 % off every laminate.
* alpha(lambda), per mm, is a smooth absorption curve: an ultraviolet edge, the broad
  ferrous-iron band centred on 1050 nm (stronger in tinted glass), and infrared bands.
* The film carries a coating on face 1 that reflects the near infrared, so its two
  faces differ and a turned film gives a different result.
* Face emissivities, hemispherical, where a product has faces that face a gas: 0.837
  for uncoated soda-lime glass (EN 12898), 0.04 for the film's low-emissivity coated
  face 1; its PET face 2 and the PVB, never facing a gas, are left unknown.

Run it again after changing the model; the build imports the files listed in
catalogue.txt into SM_Spectral.db with lamivex-db.
"""
import math
import pathlib
import re

GRID = range(300, 2501, 5)


def fresnel(n):
    return ((n - 1) / (n + 1)) ** 2


def gauss(lam, centre, width):
    return math.exp(-0.5 * ((lam - centre) / width) ** 2)


def slab(r1, r2, tau):
    d = 1 - r1 * r2 * tau * tau
    t = (1 - r1) * (1 - r2) * tau / d
    rf = r1 + (1 - r1) ** 2 * r2 * tau * tau / d
    rb = r2 + (1 - r2) ** 2 * r1 * tau * tau / d
    return t, rf, rb


def glass_alpha(lam, iron, uv_width):
    """Absorption of soda-lime glass per mm: UV edge, Fe2+ band, OH band, floor."""
    uv = 2.0 * math.exp(-(lam - 300) / uv_width)
    ferric = 0.1 * iron * math.exp(-(lam - 380) / 40)  # Fe3+ absorbs the violet
    ferrous = iron * gauss(lam, 1050, 260)
    hydroxyl = 0.015 * math.exp((lam - 2500) / 150)
    return 0.0008 + uv + ferric + ferrous + hydroxyl


def pvb_alpha(lam):
    """PVB per mm: the UV absorber cuts below 380 nm; C-H overtone bands in the infrared."""
    uv = 30.0 / (1 + math.exp((lam - 370) / 5))
    ch = 0.3 * gauss(lam, 1730, 40) + 1.5 * gauss(lam, 2300, 60) + 0.2 * gauss(lam, 1200, 30)
    return 0.01 + uv + ch


def glass(thickness, iron, uv_width):
    r = fresnel(1.52)
    return [slab(r, r, math.exp(-glass_alpha(lam, iron, uv_width) * thickness)) for lam in GRID]


def pvb(thickness):
    return [slab(0.0, 0.0, math.exp(-pvb_alpha(lam) * thickness)) for lam in GRID]


def solar_film():
    rows = []
    for lam in GRID:
        coating = 0.08 + 0.45 / (1 + math.exp(-(lam - 900) / 120))  # reflects the near infrared
        tau = 0.82 / (1 + math.exp(-(lam - 385) / 8))  # absorbing coating with a UV cut
        rows.append(slab(coating, fresnel(1.65), tau))
    return rows


UNCOATED_GLASS = {"front": 0.837, "back": 0.837}

PRODUCTS = [
    # name, thickness (mm), emissivities, rows; catalogue.txt gives each file its kind and id
    ("SAMPLE Clear 4 mm", 4.0, UNCOATED_GLASS, glass(4.0, 0.025, 15)),
    ("SAMPLE Clear 6 mm", 6.0, UNCOATED_GLASS, glass(6.0, 0.025, 15)),
    ("SAMPLE Green tinted 6 mm", 6.0, UNCOATED_GLASS, glass(6.0, 0.22, 25)),
    ("SAMPLE Solar control film", 0.05, {"front": 0.04}, solar_film()),
    ("SAMPLE PVB 0.38 mm", 0.38, {}, pvb(0.38)),
    ("SAMPLE PVB 0.76 mm", 0.76, {}, pvb(0.76)),
]


def percent(x):
    return f"{100 * x:.4f}"


def file_name(name):
    return re.sub(r"[^a-z0-9]+", "_", name.lower()).strip("_") + ".csv"


def main():
    folder = pathlib.Path(__file__).with_name("samples")
    folder.mkdir(exist_ok=True)
    for name, thickness, emissivities, rows in PRODUCTS:
        out = [f"# name: {name}",
               "# maker: sample data",
               f"# thickness: {thickness}"]
        out += [f"# emissivity {face}: {value}" for face, value in emissivities.items()]
        out += ["# SAMPLE DATA, NOT MEASUREMENTS: written by make_sample_catalogue.py from a model.",
                "wavelength (nm),T (%),R1 (%),R2 (%)"]
        for lam, (t, r1, r2) in zip(GRID, rows):
            out.append(f"{lam},{percent(t)},{percent(r1)},{percent(r2)}")
        (folder / file_name(name)).write_text("\n".join(out) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
