"""Layers sampled onto grids by zx_layer_probe's grid mode, against GDAL's rasteriser.

usage: /usr/bin/python3 grid_sampling_gdal.py PROBE

Each grid (rotated or not, square or oblong cells, with or without offsets into larger arrays) is
a GDAL raster with the geotransform [x0, DX cos t, -DY sin t, y0, DX sin t, DY cos t], moved so that
pixel (line L, pixel P) has its centre on the sample point of array element (L + 1, P + 1): the
cell centre, the middle of a face, or a corner. Regions must set exactly the elements whose sample
points GDAL burns (centre-inside rule), points the pixel that holds them, lines only elements the
ALL_TOUCHED burn holds; nothing outside the sampled area changes. Exit status 77: no GDAL bindings.
"""
import json
import math
import os
import random
import subprocess
import sys
import tempfile

try:
    import numpy as np
    from osgeo import gdal, ogr
except ImportError:
    print("GDAL's Python bindings are missing (Debian package python3-gdal, run by /usr/bin/python3)")
    sys.exit(1 if os.environ.get("CI") else 77)

gdal.UseExceptions()
gdal.PushErrorHandler("CPLQuietErrorHandler")  # the layers carry no projection; GDAL says so per burn

# name, x0, y0, angle, dx, dy, rows, columns, m1, m2, n1, n2
GRIDS = [
    ("square cells", 100.0, 200.0, 0.0, 2.0, 2.0, 24, 30, 0, 0, 24, 30),
    ("oblong cells, offsets", 97.3, 203.1, 0.0, 2.5, 1.5, 22, 26, 2, 3, 27, 31),
    ("rotated square cells", 104.0, 190.0, 0.52, 2.0, 2.0, 26, 28, 0, 0, 26, 28),
    ("rotated oblong cells, offsets", 120.0, 185.0, -0.7, 1.75, 2.25, 24, 27, 3, 1, 29, 30),
]

# Sample point of element (j, i) in cells of local cell (j - M1, i - M2), from its low corner.
SAMPLE_POINTS = {"centre": (0.5, 0.5), "colface": (1.0, 0.5), "rowface": (0.5, 1.0), "corner": (1.0, 1.0)}


def star(rng, cx, cy, radius, vertices, clockwise):
    """A closed star-shaped ring around (cx, cy)."""
    ring = ogr.Geometry(ogr.wkbLinearRing)
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(vertices))
    if clockwise:
        angles.reverse()
    points = [(cx + r * math.cos(a), cy + r * math.sin(a))
              for a, r in ((a, radius * rng.uniform(0.5, 1.0)) for a in angles)]
    for x, y in points + points[:1]:
        ring.AddPoint_2D(x, y)
    return ring


def make_layers(folder, rng):
    """Polygons (holes, several outer rings, overlaps, one deleted), points and lines around the
    grids, each with its value as the first field; returns per layer the values in order (None for
    the deleted record)."""
    driver = ogr.GetDriverByName("ESRI Shapefile")
    values = {}
    for kind, geometry_type in (("regions", ogr.wkbPolygon), ("points", ogr.wkbPoint), ("lines", ogr.wkbLineString)):
        ds = driver.CreateDataSource(os.path.join(folder, kind + ".shp"))
        layer = ds.CreateLayer(kind, geom_type=geometry_type, options=["AUTO_REPACK=NO"])
        layer.CreateField(ogr.FieldDefn("val", ogr.OFTReal))
        layer.CreateField(ogr.FieldDefn("name", ogr.OFTString))
        kept = []
        for k in range(14 if kind == "regions" else 40):
            value = float(k + 1)
            cx, cy = rng.uniform(95, 160), rng.uniform(185, 250)
            if kind == "regions":
                geom = ogr.Geometry(ogr.wkbMultiPolygon if k % 4 == 3 else ogr.wkbPolygon)
                radius = rng.uniform(6, 25)
                outer = ogr.Geometry(ogr.wkbPolygon)
                outer.AddGeometry(star(rng, cx, cy, radius, rng.randint(5, 40), True))
                if k % 3 == 1:  # a hole
                    outer.AddGeometry(star(rng, cx + 0.1 * radius, cy, 0.35 * radius, 12, False))
                if k % 4 == 3:  # a second outer ring
                    second = ogr.Geometry(ogr.wkbPolygon)
                    second.AddGeometry(star(rng, cx + 2.5 * radius, cy - radius, 0.6 * radius, 9, True))
                    geom.AddGeometry(outer)
                    geom.AddGeometry(second)
                else:
                    geom = outer
            elif kind == "points":
                geom = ogr.Geometry(ogr.wkbPoint)
                geom.AddPoint_2D(cx, cy)
            else:
                geom = ogr.Geometry(ogr.wkbLineString)
                x, y = cx, cy
                for _ in range(rng.randint(2, 6)):
                    geom.AddPoint_2D(x, y)
                    x, y = x + rng.uniform(-30, 30), y + rng.uniform(-30, 30)
            feature = ogr.Feature(layer.GetLayerDefn())
            feature.SetField("val", value)
            feature.SetField("name", "obj%d" % k)
            feature.SetGeometry(geom)
            layer.CreateFeature(feature)
            kept.append(value)
        if kind == "regions":  # a deleted record keeps its shape: the sampling must skip it, as GDAL does
            layer.DeleteFeature(5)
            kept[5] = None
        values[kind] = kept
        ds = None
    return values


def raster(grid, sample_point, n1, n2):
    """An in-memory raster of n1 lines and n2 pixels whose pixel centres are the sample points."""
    _, x0, y0, angle, dx, dy, _, _, m1, m2, _, _ = grid
    ox, oy = SAMPLE_POINTS[sample_point]
    # Pixel P's centre lies P + 0.5 pixels from the raster's corner and must be local column
    # i - M2 - 1 + ox, with i = P + 1: the corner is ox - 0.5 - M2 cells along x from the grid's.
    ax, ay = ox - 0.5 - m2, oy - 0.5 - m1
    c, s = math.cos(angle), math.sin(angle)
    corner_x = x0 + ax * dx * c - ay * dy * s
    corner_y = y0 + ax * dx * s + ay * dy * c
    ds = gdal.GetDriverByName("MEM").Create("", n2, n1, 1, gdal.GDT_Float64)
    ds.SetGeoTransform([corner_x, dx * c, -dy * s, corner_y, dx * s, dy * c])
    return ds


def burn(grid, sample_point, layer, options, fids=None):
    """GDAL's burn of the layer (or of the features fids alone, burning 1) as an n1 x n2 array,
    row j - 1 holding array row j."""
    n1, n2 = grid[10], grid[11]
    ds = raster(grid, sample_point, n1, n2)
    layer.SetAttributeFilter(None if fids is None else "FID IN (%s)" % ",".join(str(f) for f in fids))
    if any(o.startswith("ATTRIBUTE=") for o in options):
        gdal.RasterizeLayer(ds, [1], layer, options=options)
    else:
        gdal.RasterizeLayer(ds, [1], layer, burn_values=[1], options=options)
    layer.SetAttributeFilter(None)
    return ds.GetRasterBand(1).ReadAsArray()


def area_mask(grid, sample_point):
    """The elements a pass may write: the sampled area, and along an axis where the sample point
    lies on a cell edge its low edge too (column M2 for column faces, row M1 for row faces, both
    for corners)."""
    _, _, _, _, _, _, rows, columns, m1, m2, n1, n2 = grid
    ox, oy = SAMPLE_POINTS[sample_point]
    low_j, low_i = (0 if oy == 1.0 else 1), (0 if ox == 1.0 else 1)
    j = np.arange(1, n1 + 1)[:, None]
    i = np.arange(1, n2 + 1)[None, :]
    return (j >= m1 + low_j) & (j <= m1 + rows) & (i >= m2 + low_i) & (i <= m2 + columns)


def probe(probe_path, layer_path, grid, flags, folder):
    _, x0, y0, angle, dx, dy, rows, columns, m1, m2, n1, n2 = grid
    out = os.path.join(folder, "grid.json")
    argv = [probe_path, "grid", layer_path, out, "--origin", repr(x0), repr(y0), "--angle", repr(angle),
            "--cell", repr(dx), repr(dy), "--size", str(rows), str(columns), "--offset", str(m1), str(m2),
            "--extent", str(n1), str(n2)] + flags
    result = subprocess.run(argv, cwd=folder, stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError("probe failed (%d): %s" % (result.returncode, result.stdout[-2000:]))
    with open(out) as f:
        data = json.load(f)
    return {k: np.array(v) if k != "counts" else v for k, v in data.items()}


class Checks:
    def __init__(self):
        self.failures = 0
        self.passed = 0

    def expect(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failures += 1
            print("FAILED:", what)


def difference(a, b):
    where = np.argwhere(a != b)[:5]
    return "; ".join("(%d, %d): %r vs GDAL %r" % (j + 1, i + 1, a[j, i], b[j, i]) for j, i in where)


def main():
    probe_path = os.path.abspath(sys.argv[1])
    checks = Checks()
    with tempfile.TemporaryDirectory() as folder:
        values = make_layers(folder, random.Random(20261207))
        ds = ogr.Open(os.path.join(folder, "regions.shp"))
        regions = ds.GetLayer()
        points_ds = ogr.Open(os.path.join(folder, "points.shp"))
        lines_ds = ogr.Open(os.path.join(folder, "lines.shp"))
        value_burn = ["ATTRIBUTE=val"]
        for grid in GRIDS:
            name = grid[0]
            regions_path = os.path.join(folder, "regions.shp")

            # Centres: values, replacing in layer order as GDAL does; the count of each object.
            got = probe(probe_path, regions_path, grid, [], folder)
            want = np.where(area_mask(grid, "centre"), burn(grid, "centre", regions, value_burn), 0)
            checks.expect(np.array_equal(got["centre_real"], want), "%s: region centres: %s" %
                          (name, difference(got["centre_real"], want)))
            per_object = [int((burn(grid, "centre", regions, [], [fid]) *
                               area_mask(grid, "centre")).astype(bool).sum()) if v is not None else 0
                          for fid, v in enumerate(values["regions"])]
            checks.expect(got["counts"] == per_object, "%s: region counts %s, GDAL %s" %
                          (name, got["counts"], per_object))

            # Added values and integer values.
            got = probe(probe_path, regions_path, grid, ["--add"], folder)
            want = np.where(area_mask(grid, "centre"), burn(grid, "centre", regions, value_burn + ["MERGE_ALG=ADD"]), 0)
            checks.expect(np.array_equal(got["centre_real"], want), "%s: added centres: %s" %
                          (name, difference(got["centre_real"], want)))
            got = probe(probe_path, regions_path, grid, ["--integer"], folder)
            want = np.where(area_mask(grid, "centre"), burn(grid, "centre", regions, value_burn), 0)
            checks.expect(np.array_equal(got["centre_int"], want), "%s: integer centres: %s" %
                          (name, difference(got["centre_int"], want)))

            # Faces alone, and all three pairs.
            for flags, pairs in ((["--faces"], ("colface", "rowface")),
                                 (["--all-pairs"], ("centre", "colface", "rowface"))):
                got = probe(probe_path, regions_path, grid, flags, folder)
                for pair in ("centre", "colface", "rowface"):
                    want = np.where(area_mask(grid, pair), burn(grid, pair, regions, value_burn), 0)
                    if pair not in pairs:
                        want = np.zeros_like(want)
                    checks.expect(np.array_equal(got[pair + "_real"], want), "%s %s: %s: %s" %
                                  (name, flags[0], pair, difference(got[pair + "_real"], want)))

            # Count only: centres, both faces and corners counted, nothing assigned.
            got = probe(probe_path, regions_path, grid, ["--count-only"], folder)
            expected = [sum(int((burn(grid, p, regions, [], [fid]) * area_mask(grid, p)).astype(bool).sum())
                            for p in SAMPLE_POINTS) if v is not None else 0
                        for fid, v in enumerate(values["regions"])]
            checks.expect(got["counts"] == expected, "%s: count-only counts %s, GDAL %s" %
                          (name, got["counts"], expected))
            checks.expect(all(not got[k].any() for k in got if k != "counts"), "%s: count-only assigned" % name)

            # Points: the pixel that holds them.
            got = probe(probe_path, os.path.join(folder, "points.shp"), grid, [], folder)
            want = np.where(area_mask(grid, "centre"), burn(grid, "centre", points_ds.GetLayer(), value_burn), 0)
            checks.expect(np.array_equal(got["centre_real"], want), "%s: points: %s" %
                          (name, difference(got["centre_real"], want)))

            # Lines: every cell set is one GDAL touches; and the lines do reach the grid.
            got = probe(probe_path, os.path.join(folder, "lines.shp"), grid, [], folder)
            touched = burn(grid, "centre", lines_ds.GetLayer(), ["ALL_TOUCHED=TRUE"] + value_burn) != 0
            set_cells = got["centre_real"] != 0
            checks.expect(not (set_cells & ~(touched & area_mask(grid, "centre"))).any(),
                          "%s: line cells outside GDAL's touched cells: %s" %
                          (name, np.argwhere(set_cells & ~touched)[:5].tolist()))
            checks.expect(set_cells.sum() > 0.5 * (touched & area_mask(grid, "centre")).sum(),
                          "%s: lines set %d cells, GDAL touches %d" % (name, set_cells.sum(), touched.sum()))
    print("%d checks passed, %d failed" % (checks.passed, checks.failures))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
