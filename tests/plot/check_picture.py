"""Reads a picture made by crout-plot as XML and checks it against the report it was drawn
from: one line for each kind with a point for each of the report's norms (the first five are
kind 1's), each over its order's label and at its height on the logarithmic scale that the
decade labels set, inside the frame; a zero norm on the lowest decade with a hollow marker,
explained in the legend; the axis labels, the legend, and the mark of a sweep cut short.

Usage: check_picture.py REPORT PICTURE (a report of one sweep)
"""
import math
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
records = open(sys.argv[1], newline="").read().split("\r\n")
norms = [float(records[i + 1]) for i, r in enumerate(records) if r.startswith(" norma(")]
root = ET.parse(sys.argv[2]).getroot()
at = {t.text: (float(t.get("x")), float(t.get("y"))) for t in root.iter(SVG + "text")}
for words in ("Norma del error", "Orden n", "1E-15", "1E-01"):
    assert words in at, words
floor, decade = at["1E-15"][1], (at["1E-01"][1] - at["1E-15"][1]) / 14
frame = next(r for r in root.iter(SVG + "rect") if r.get("fill") == "none")
top, bottom = float(frame.get("y")), float(frame.get("y")) + float(frame.get("height"))
lowest = max(y for words, (x, y) in at.items() if re.fullmatch(r"1E[+-]\d\d", words))
assert lowest == bottom, "the lowest decade stands on the frame's foot"
assert decade < 0, "larger norms must stand higher"
kinds = {g.find(SVG + "title").text: g for g in root.iter(SVG + "g") if g.find(SVG + "title") is not None}
assert sorted(kinds) == ["tipo 1", "tipo 2"][: (len(norms) + 4) // 5], sorted(kinds)
for k, name in enumerate(sorted(kinds)):
    expected = norms[5 * k : 5 * k + 5]
    line = kinds[name].find(SVG + "polyline").get("points").split()
    points = [tuple(map(float, point.split(","))) for point in line]
    assert len(points) == len(expected) and name in at, (name, points)
    for i, ((x, y), norm) in enumerate(zip(points, expected)):
        height = floor + decade * (math.log10(norm) + 15) if norm > 0 else lowest
        assert x == at[str(10 * i + 10)][0] and abs(y - height) < 0.1, (name, i, norm, y)
        assert top <= y <= bottom, ("outside the frame", name, i, norm, y)
    hollow = sum(marker.get("fill") == "white" for marker in kinds[name])
    assert hollow == expected.count(0.0), (name, hollow)
assert ("norma 0 (bajo el eje)" in at) == (0.0 in norms)
assert (f"informe incompleto: {len(norms)} de 10 normas" in at) == (len(norms) < 10)
