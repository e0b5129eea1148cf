#!/usr/bin/env bash
# bench/make_model.sh: writes a synthetic SWMM model at the converter's capacities into a folder,
# with the same links and junctions as CSV files with WKT geometry for ogr2ogr.
#   bench/make_model.sh <folder>
#
# 10,000 junctions on a 100 x 100 grid with coordinates; 10,000 links (as many as [XSECTIONS]
# holds): 9,800 conduits along the grid's rows, each with 3 vertices, 100 transverse weirs and
# 100 orifices (half SIDE, half BOTTOM) down its columns. Most conduits are CIRCULAR, RECT_CLOSED
# or FORCE_MAIN; one in 25 is RECT_OPEN, TRAPEZOIDAL, IRREGULAR (over 50 transects of 20 points),
# ARCH or RECT_TRIANGULAR, so every output stage has work and a table file of its own for each.
set -euo pipefail
folder=${1:?usage: make_model.sh <folder>}
mkdir -p "$folder"

awk -v folder="$folder" 'BEGIN {
    n = 100; conduits = 9800; weirs = 100; orifices = 100; transects = 50
    inp = folder "/model.inp"; links = folder "/links.csv"; nodes = folder "/junctions.csv"
    split("CIRCULAR RECT_CLOSED FORCE_MAIN", common, " ")
    split("RECT_OPEN TRAPEZOIDAL IRREGULAR ARCH RECT_TRIANGULAR", special, " ")

    print "[TITLE]\nSynthetic model at the converter'"'"'s capacities\n" > inp
    print "[JUNCTIONS]" > inp
    for (j = 1; j <= n * n; j++) printf "J%d %.2f 3 0 0 0\n", j, 100 - (j % n) * 0.1 > inp

    # Links: name, from and to junction; conduits run along rows, weirs and orifices down columns.
    count = 0
    for (r = 0; r < n && count < conduits; r++)
        for (c = 1; c < n && count < conduits; c++) {
            count++; name[count] = "C" count; from[count] = r * n + c; to[count] = r * n + c + 1
        }
    for (k = 1; k <= weirs + orifices; k++) {
        count++; col = k; row = 2 * (k % 40)
        name[count] = (k <= weirs) ? "W" k : "O" (k - weirs)
        from[count] = row * n + col; to[count] = (row + 1) * n + col
    }

    print "\n[CONDUITS]" > inp
    for (i = 1; i <= conduits; i++) printf "%s J%d J%d 100 0.013 0 0 0 0\n", name[i], from[i], to[i] > inp
    print "\n[WEIRS]" > inp
    for (i = conduits + 1; i <= conduits + weirs; i++)
        printf "%s J%d J%d TRANSVERSE 0.5 3.33 NO 0 0\n", name[i], from[i], to[i] > inp
    print "\n[ORIFICES]" > inp
    for (i = conduits + weirs + 1; i <= count; i++)
        printf "%s J%d J%d %s 0.2 0.65 NO 0\n", name[i], from[i], to[i], (i % 2 ? "SIDE" : "BOTTOM") > inp

    print "\n[XSECTIONS]" > inp
    irregular = 0
    for (i = 1; i <= conduits; i++) {
        shape = (i % 25) ? common[i % 3 + 1] : special[(i / 25) % 5 + 1]
        if (shape == "IRREGULAR") printf "%s IRREGULAR T%d 0 0 0 1\n", name[i], (irregular++ % transects) + 1 > inp
        else if (shape == "TRAPEZOIDAL") printf "%s TRAPEZOIDAL 1.5 2 1 1 1\n", name[i] > inp
        else if (shape == "RECT_TRIANGULAR") printf "%s RECT_TRIANGULAR 1.2 1.5 0.3 0 1\n", name[i] > inp
        else printf "%s %s 1.2 1.5 0 0 1\n", name[i], shape > inp
    }
    for (i = conduits + 1; i <= conduits + weirs; i++) printf "%s RECT_OPEN 1 3 0 0 1\n", name[i] > inp
    for (i = conduits + weirs + 1; i <= count; i++) printf "%s RECT_CLOSED 0.5 0.8 0 0 1\n", name[i] > inp

    print "\n[TRANSECTS]\nNC 0.05 0.05 0.03" > inp
    for (t = 1; t <= transects; t++) {
        printf "X1 T%d 20 6 14 0 0 0 0 0\n", t > inp
        for (p = 0; p < 20; p += 5) {
            printf "GR" > inp
            for (q = p; q < p + 5; q++) printf " %.1f %d", 10 + (q - 10) * (q - 10) * 0.05, q > inp
            printf "\n" > inp
        }
    }

    print "\n[COORDINATES]" > inp
    for (j = 1; j <= n * n; j++) {
        x[j] = 300000 + ((j - 1) % n) * 50; y[j] = 6000000 + int((j - 1) / n) * 50
        printf "J%d %.2f %.2f\n", j, x[j], y[j] > inp
    }

    # Three vertices per conduit, off the straight line so that none is dropped.
    print "\n[VERTICES]" > inp
    columns = "WKT,ID,Type,Ignore,UCS,Len_or_ANA,n_or_n_F,US_Invert,DS_Invert,Form_Loss,pBlockage,Inlet_Type," \
              "Conn_1D_2D,Conn_No,Width_or_Dia,Height_or_WF,Number_of,Height_Cont,Width_Cont,Entry_Loss,Exit_Loss,Comment"
    print columns > links
    for (i = 1; i <= count; i++) {
        a = from[i]; b = to[i]
        wkt = sprintf("%.3f %.3f", x[a], y[a])
        for (v = 1; v <= 3 && i <= conduits; v++) {
            vx = x[a] + (x[b] - x[a]) * v / 4; vy = y[a] + (y[b] - y[a]) * v / 4 + (v == 2 ? 3 : 1)
            printf "%s %.3f %.3f\n", name[i], vx, vy > inp
            wkt = wkt sprintf(",%.3f %.3f", vx, vy)
        }
        wkt = wkt sprintf(",%.3f %.3f", x[b], y[b])
        printf "\"LINESTRING (%s)\",\"%s\",\"C\",\"F\",\"T\",100.000,0.013,-99999.000,-99999.000,0.000,0.000,", wkt, name[i] > links
        printf "\"\",\"\",0,1.200,0.000,1,0.000,0.000,0.000,0.000,%s\n", name[i] > links
    }
    print columns > nodes
    for (j = 1; j <= n * n; j++) {
        printf "\"POINT (%.3f %.3f)\",\"J%d\",\"Node\",\"F\",\"T\",0.000,0.000,-99999.000,%.3f,0.000,0.000,", \
               x[j], y[j], j, 100 - (j % n) * 0.1 > nodes
        printf "\"\",\"\",0,0.000,0.000,0,0.000,0.000,0.000,0.000,J%d\n", j > nodes
    }
}'

# Column types for ogr2ogr, as the converter declares them.
real='Real(16.5)'
types="WKT,String(12),String(4),String(1),String(1),$real,$real,$real,$real,$real,$real,String(50),String(4),Integer(8)"
types+=",$real,$real,Integer(8),$real,$real,$real,$real,String(100)"
echo "$types" > "$folder/links.csvt"
echo "${types/String(50)/String(12)}" > "$folder/junctions.csvt"
