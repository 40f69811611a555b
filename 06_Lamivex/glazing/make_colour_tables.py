#!/usr/bin/env python3
"""Writes ColourTables.cpp: the constant tables of the declared values.

Usage: make_colour_tables.py DATA_FOLDER > ColourTables.cpp

DATA_FOLDER holds the public tables as CSV files, each with a header line:
  uv_weights_en410_table3.csv  EN 410 Table 3, U(lambda) delta(lambda), 20 bands of 5 nm
  d65_5nm.csv                  CIE illuminant D65, relative spectral power, every 5 nm
  cie1931_2deg_1nm.csv         CIE 1931 2 degree colour matching functions, every 1 nm
  tcs_cie13_3_5nm.csv          CIE 13.3 test colour samples 1 to 8, every 5 nm
The colour tables take 380 to 780 nm every 5 nm (every fifth row of the observer).
Numbers are copied as the files write them. Run it again only if a table changes;
nothing reads these files when the program runs.
"""
import csv
import pathlib
import sys

FIRST, LAST, STEP = 380, 780, 5


def rows(path):
    with open(path, newline="") as fh:
        reader = csv.reader(fh)
        next(reader)
        return [[field.strip() for field in row] for row in reader if row]


def visible(table):
    """The rows at 380, 385 ... 780 nm, keyed by their whole wavelength."""
    by_lambda = {float(row[0]): row[1:] for row in table}
    points = range(FIRST, LAST + 1, STEP)
    missing = [p for p in points if float(p) not in by_lambda]
    if missing:
        sys.exit("missing wavelengths: %s" % missing)
    return [by_lambda[float(p)] for p in points]


def number(text):
    float(text)  # refuses anything that is not a number
    return text if any(c in text for c in ".eE") else text + ".0"


def array(name, values, per_line):
    lines = ["constexpr std::array<double, %d> %s{" % (len(values), name)]
    for start in range(0, len(values), per_line):
        lines.append("    " + ", ".join(values[start:start + per_line]) + ",")
    lines.append("};")
    return lines


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = pathlib.Path(sys.argv[1])
    uv = rows(folder / "uv_weights_en410_table3.csv")
    d65 = visible(rows(folder / "d65_5nm.csv"))
    cmf = visible(rows(folder / "cie1931_2deg_1nm.csv"))
    tcs = visible(rows(folder / "tcs_cie13_3_5nm.csv"))
    out = [
        "// Written by make_colour_tables.py from the public tables it names; do not edit.",
        "// clang-format off",
        '#include "glazing/ColourTables.h"',
        "",
        "namespace lamivex::glazing {",
        "",
        "// EN 410 Table 3: U(lambda) delta(lambda) of the bands centred 282.5 to 377.5 nm.",
    ]
    out += array("kUvBandWeights", [number(r[1]) for r in uv], 5)
    out += ["const std::array<double, kUvBands>& UvBandWeights() { return kUvBandWeights; }", ""]
    out.append("// CIE illuminant D65, 380 to 780 nm every 5 nm.")
    out += array("kD65", [number(r[0]) for r in d65], 6)
    out += ["const VisibleCurve& D65() { return kD65; }", ""]
    for index, name in enumerate(("X", "Y", "Z")):
        table = "kObserver" + name
        out.append("// CIE 1931 2 degree observer, %s-bar, 380 to 780 nm every 5 nm." % name.lower())
        out += array(table, [number(r[index]) for r in cmf], 6)
    out += [
        "const VisibleCurve& ObserverX() { return kObserverX; }",
        "const VisibleCurve& ObserverY() { return kObserverY; }",
        "const VisibleCurve& ObserverZ() { return kObserverZ; }",
        "",
        "// CIE 13.3 test colour samples 1 to 8, spectral radiance factors, 380 to 780 nm.",
        "constexpr std::array<VisibleCurve, kTestColourSamples> kTestColourSampleTable{{",
    ]
    for sample in range(8):
        out += ["    {{"] + ["        " + ", ".join(number(r[sample]) for r in tcs[s:s + 9]) + ","
                             for s in range(0, len(tcs), 9)] + ["    }},"]
    out += [
        "}};",
        "const std::array<VisibleCurve, kTestColourSamples>& TestColourSamples() {",
        "  return kTestColourSampleTable;",
        "}",
        "",
        "}  // namespace lamivex::glazing",
    ]
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
