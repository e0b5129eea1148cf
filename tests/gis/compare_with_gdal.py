#!/usr/bin/python3
# tests/gis/compare_with_gdal.py LAYER PROBE.jsonl: compares what zx_layer_probe read from a layer
# with what GDAL's own reader returns for it: field names, record count, each live object's
# coordinates (in GDAL's model: points, parts, rings) and attribute values. Deleted records are
# left out, as GDAL leaves them out. Exit 0 when they agree, 1 with the differences, 77 when
# the GDAL bindings are missing (Debian's python3-gdal, loaded by /usr/bin/python3 only).
import csv
import json
import math
import sys

try:
    from osgeo import gdal, ogr
except ImportError:
    print("python3-gdal is not installed")
    sys.exit(77)

gdal.UseExceptions()
layer_path, probe_path = sys.argv[1], sys.argv[2]
lines = [json.loads(line) for line in open(probe_path, encoding="utf-8")]
head, objects = lines[0], lines[1:]
dataset = gdal.OpenEx(layer_path, gdal.OF_VECTOR)  # kept: the layer dies with it
layer = dataset.GetLayer(0)
definition = layer.GetLayerDefn()
faults = []


def fail(what):
    faults.append(what)


names = [definition.GetFieldDefn(i).GetName() for i in range(definition.GetFieldCount())]
if [f[0] for f in head["fields"]] != names:
    fail(f"fields {head['fields']} against {names}")

features = list(layer)
live = [o for o in objects if not o["deleted"]]
deleted = len(objects) - len(live)
if head["records"] != len(features) + deleted:
    fail(f"records {head['records']} against {len(features)} features and {deleted} deleted")
if len(live) != len(features):
    fail(f"{len(live)} live objects against {len(features)} features")


def point(xy):
    return (round(xy[0], 9), round(xy[1], 9))


def probe_shape(o):
    """The object in GDAL's model, or None for kinds GDAL turns into something else."""
    kind, parts = o["kind"], o["parts"]
    if kind in ("POINT", "MULTIPOINT"):
        return ("points", [point(p[0]) for p in parts])
    if kind in ("LINE", "PLINE", "PLINE MULTIPLE"):
        return ("lines", [[point(p) for p in part] for part in parts])
    if kind == "REGION":
        vertices, rings, start = parts[0], [], 0
        for last in o["ir"]:  # 1-based index of each ring's last point; a separator follows it
            rings.append(tuple(sorted(point(p) for p in vertices[start:last])))
            start = last + 1
        return ("rings", sorted(rings))
    if kind == "NONE":
        return ("none", None)
    return None


def gdal_shape(geometry):
    if geometry is None:
        return ("none", None)
    flat = ogr.GT_Flatten(geometry.GetGeometryType())
    subs = [geometry.GetGeometryRef(i) for i in range(geometry.GetGeometryCount())]
    if flat == ogr.wkbPoint:
        return ("points", [point(geometry.GetPoint_2D())])
    if flat == ogr.wkbMultiPoint:
        return ("points", [point(g.GetPoint_2D()) for g in subs])
    if flat == ogr.wkbLineString:
        return ("lines", [[point(p) for p in geometry.GetPoints()]])
    if flat == ogr.wkbMultiLineString:
        return ("lines", [[point(p) for p in g.GetPoints()] for g in subs])
    polygons = subs if flat == ogr.wkbMultiPolygon else [geometry]
    rings = []
    for polygon in polygons:
        for i in range(polygon.GetGeometryCount()):
            rings.append(tuple(sorted(point(p) for p in polygon.GetGeometryRef(i).GetPoints())))
    return ("rings", sorted(rings))


def same_value(ours, theirs):
    if theirs is None:
        return ours in ("", "0")  # an empty number, or one of asterisks
    if isinstance(theirs, (int, float)):
        try:
            return math.isclose(float(ours), float(theirs), rel_tol=1e-12, abs_tol=1e-12)
        except ValueError:
            return False
    return ours.rstrip() == str(theirs).rstrip()


for n, (o, feature) in enumerate(zip(live, features), start=1):
    ours = probe_shape(o)
    if ours is not None and ours != gdal_shape(feature.GetGeometryRef()):
        fail(f"object {n}: {ours} against {gdal_shape(feature.GetGeometryRef())}")
    values = next(csv.reader([o["record"]], skipinitialspace=True)) if o["record"] else []
    theirs = [feature.GetField(i) for i in range(definition.GetFieldCount())]
    if len(values) != len(theirs) or not all(same_value(a, b) for a, b in zip(values, theirs)):
        fail(f"object {n}: record {values} against {theirs}")

for f in faults:
    print(f)
sys.exit(1 if faults else 0)
