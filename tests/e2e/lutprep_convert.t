"lutprep convert": files the box takes from the common forms, checked
with the box's reader before they replace OUT; "lutprep compare".

  $ . "$E2E_LIB"
  $ corpus() { python3 "$(dirname "$E2E_LIB")/prepcorpus.py" "$@"; }
  $ corpus write . cube:65:negfirst cube:65:gamma cube:33:good 3dl:17:good csv:17:comma cube:17:comma
  6 files

A 65-point cube from grading software, whose first row is "-0.000000 ...":
one command makes a 33-point cube that "load:" takes, its nodes copied
exactly from every other node of the source (so a comparison at the 33
nodes finds nothing at all).

  $ lutprep check cube65-negfirst.cube
  cube65-negfirst.cube: refused: 274624 data rows; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 65-point LUT: lutprep convert cube65-negfirst.cube OUT.cube makes a 33-point one the box takes
  [1]
  $ lutprep convert cube65-negfirst.cube graded.cube
  graded.cube: 33-point cube, layout 3, from cube65-negfirst.cube (65-point cube); 0 values clamped; loss between the nodes: max 10.231, 99th percentile 0.879 10-bit code values
  lutprep: warning: graded.cube: the 33-point grid is up to 10.231 10-bit code values off between its nodes; it is coarser than IN's 65 points and cannot follow IN's changes between its nodes
  $ head -4 graded.cube
  # generated
  TITLE "corpus"
  LUT_3D_SIZE 33
  0 0.02 0.02
  $ lutprep compare --tolerance 0 graded.cube cube65-negfirst.cube
  max 0 (0.000 10-bit code values), mean 0, 99th percentile 0
  worst at node 0,0,0 (red, green, blue): A 0 0.02 0.02, B 0 0.02 0.02
  within the tolerance 0 10-bit code values
  $ printf 'load:graded.cube\nexit\n' | lutbox
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: ->Loading Lut... (esc)
  Load Lut success.
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: -> (no-eol) (esc)
  $ journal | grep Points
  KX_DEV_Set3DLUT_Points 0 33 => 0

A pure power curve loses tens of code values near black between the 33
nodes; no resampling avoids that without a shaper, so convert warns.

  $ lutprep convert cube65-gamma.cube gamma.cube
  gamma.cube: 33-point cube, layout 3, from cube65-gamma.cube (65-point cube); 0 values clamped; loss between the nodes: max 60.145, 99th percentile 60.145 10-bit code values
  lutprep: warning: gamma.cube: the 33-point grid is up to 60.145 10-bit code values off between its nodes; most of it lies where an input is near 0, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none

The warning names the cause, and a shaper only where one would help: the
power curve above is steep near black, where the loss is, and so is a
response steep near white. An S-curve, steep in the middle, loses on a
coarser grid wherever it is steep. A 32-point LUT made a 33-point one
loses because the nodes do not line up, and none of the box's sizes holds
every node of it; a 17-point LUT made a 26-point one (below) would be kept
whole at 17.

  $ python3 -c '
  > import math, sys
  > for name, f in (("rolloff", lambda v: 1 - (1 - v) ** 0.45), ("scurve", lambda v: 1 / (1 + math.exp(-20 * (v - 0.5))))):
  >     with open(name + ".cube", "w") as o:
  >         o.write("LUT_3D_SIZE 33\n")
  >         for b in range(33):
  >             for g in range(33):
  >                 for r in range(33):
  >                     o.write("%.6f %.6f %.6f\n" % tuple(f(v / 32) for v in (r, g, b)))'
  $ lutprep convert --size 17 rolloff.cube rolloff17.cube | grep warning
  lutprep: warning: rolloff17.cube: the 17-point grid is up to 68.169 10-bit code values off between its nodes; most of it lies where an input is near 1, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none
  $ lutprep convert --size 17 scurve.cube scurve17.cube | grep warning
  lutprep: warning: scurve17.cube: the 17-point grid is up to 16.690 10-bit code values off between its nodes; it is coarser than IN's 33 points and cannot follow IN's changes between its nodes
  $ corpus write . cube:32:gamma
  1 files
  $ lutprep convert cube32-gamma.cube gamma33.cube
  gamma33.cube: 33-point cube, layout 3, from cube32-gamma.cube (32-point cube); 0 values clamped; loss between the nodes: max 4.921, 99th percentile 4.921 10-bit code values
  lutprep: warning: gamma33.cube: the 33-point grid is up to 4.921 10-bit code values off between its nodes; its nodes fall between IN's 32, where IN is interpolated: the grids do not line up (no size the box takes holds every node of IN)

Round trip: a 33-point cube into a 3dl (12-bit by default, stated in a
comment line, blue fastest, with a 10-bit mesh line), that into the box's
CSV (blue fastest, index columns red, green, blue), and that into a cube
again. The 3dl and the CSV hold the same values; the cube that comes back
is within half a 10-bit code value of the first (the 12-bit rounding);
"load:" takes every one.

  $ lutprep convert cube33-good.cube trip.3dl
  trip.3dl: 33-point 12-bit 3dl, layout 6, from cube33-good.cube (33-point cube); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  $ head -5 trip.3dl
  # generated
  # TITLE "corpus"
  # output depth: 12 bits
  0 32 64 96 128 160 192 224 256 288 320 352 384 416 448 480 512 543 575 607 639 671 703 735 767 799 831 863 895 927 959 991 1023
  82 82 82
  $ lutprep convert trip.3dl trip.csv
  trip.csv: 33-point csv, layout 3, from trip.3dl (33-point 12-bit 3dl); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  $ sed -n '1p;2p;3p;4p;36p;1092p' trip.csv
  # generated
  # TITLE "corpus"
  0,0,0,0.02002442,0.02002442,0.02002442
  0,0,1,0.02002442,0.023199024,0.033211235
  0,1,0,0.023199024,0.033211235,0.02002442
  1,0,0,0.033211235,0.02002442,0.023199024
  $ lutprep convert trip.csv trip.cube
  trip.cube: 33-point cube, layout 3, from trip.csv (33-point csv); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  $ lutprep compare --tolerance 0 trip.3dl trip.csv
  max 0 (0.000 10-bit code values), mean 0, 99th percentile 0
  worst at node 0,0,0 (red, green, blue): A 0.0200244 0.0200244 0.0200244, B 0.0200244 0.0200244 0.0200244
  within the tolerance 0 10-bit code values
  $ lutprep compare cube33-good.cube trip.cube
  max 0.00012207 (0.125 10-bit code values), mean 6.1061e-05, 99th percentile 0.000121549
  worst at node 24,0,0 (red, green, blue): A 0.621856 0.02 0.095, B 0.621978 0.0200244 0.0949939
  within the tolerance 0.5 10-bit code values
  $ printf 'load:%s\n' trip.3dl trip.csv trip.cube exit | lutbox
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: ->Loading Lut... (esc)
  Load Lut success.
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: ->Loading Lut... (esc)
  Load Lut success.
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: ->Loading Lut... (esc)
  Load Lut success.
  \xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x91\xbd\xe4\xbb\xa4: -> (no-eol) (esc)
  $ journal | grep -E 'FileType|Points'
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0

Other sizes, depths and interpolations: 33 to 17 points copies every other
node, into a 16-bit 3dl; 17 to 26 points by trilinear interpolation.

  $ lutprep convert --size 17 --bits 16 cube33-good.cube small.3dl
  small.3dl: 17-point 16-bit 3dl, layout 4, from cube33-good.cube (33-point cube); 0 values clamped; loss between the nodes: max 2.020, 99th percentile 2.020 10-bit code values
  lutprep: warning: small.3dl: the 17-point grid is up to 2.020 10-bit code values off between its nodes; most of it lies where an input is near 0, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none
  $ lutprep compare --tolerance 0.01023 small.3dl cube33-good.cube
  max 7.56979e-06 (0.008 10-bit code values), mean 3.81296e-06, 99th percentile 7.51019e-06
  worst at node 4,13,0 (red, green, blue): A 0.262303 0.682536 0.0449989, B 0.262295 0.682532 0.045
  within the tolerance 0.01023 10-bit code values
  $ lutprep convert --interp trilinear --size 26 small.3dl mid.cube
  mid.cube: 26-point cube, layout 2, from small.3dl (17-point 16-bit 3dl); 0 values clamped; loss between the nodes: max 1.466, 99th percentile 1.466 10-bit code values
  lutprep: warning: mid.cube: the 26-point grid is up to 1.466 10-bit code values off between its nodes; its nodes fall between IN's 17, where IN is interpolated: the grids do not line up; --size 17 holds every node of IN

What the reading inferred is said: a 3dl without a Mesh header (its depth
guessed). A CSV with ';' and decimal commas is read as the box's CSV.

  $ lutprep convert 3dl17-good.3dl flame.cube
  lutprep: 3dl17-good.3dl: line 291: no Mesh header: the output taken as 12-bit from the largest value, 3972 on this line
  flame.cube: 17-point cube, layout 1, from 3dl17-good.3dl (17-point 12-bit 3dl); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  $ lutprep convert csv17-comma.csv fixed.csv
  fixed.csv: 17-point csv, layout 1, from csv17-comma.csv (17-point csv); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  $ lutprep check fixed.csv
  fixed.csv: ok: csv, 17 points, layout 1

Rows in the other order: B matches far better with its red and blue axes
swapped, and compare says so.

  $ awk '/^[0-9]/ { printf "%d %d %d\n", $1 * 4095 + 0.5, $2 * 4095 + 0.5, $3 * 4095 + 0.5 }' trip.cube > rows
  $ { grep -v '^#' trip.3dl | head -1; cat rows; } > swapped.3dl
  $ lutprep compare trip.cube swapped.3dl
  lutprep: swapped.3dl: line 1090: no Mesh header: the output taken as 12-bit from the largest value, 3972 on this line
  max 0.850061 (869.612 10-bit code values), mean 0.19861, 99th percentile 0.742125
  worst at node 32,0,0 (red, green, blue): A 0.870085 0.0200244 0.119902, B 0.0200244 0.119902 0.870085
  B matches A far better with its red and blue axes swapped (max 0, mean 0): one of them has its rows in the other order
  beyond the tolerance 0.5 10-bit code values
  [1]
  $ lutprep compare --json trip.cube swapped.3dl
  lutprep: swapped.3dl: line 1090: no Mesh header: the output taken as 12-bit from the largest value, 3972 on this line
  {"max": 0.850061059, "mean": 0.198609562, "p99": 0.742124557, "max_code10": 869.612463, "tolerance_code10": 0.5, "clamped": 0, "clamped_b": 0, "within": false, "worst": {"node": [32, 0, 0], "a": [0.870085478, 0.0200244207, 0.11990232], "b": [0.0200244207, 0.11990232, 0.870085478]}}
  [1]

A source with values outside [0, 1] against its conversion at its own
size: the conversion had to clamp them, and A is compared as the box would
show it, clamped too, so a correct conversion matches; compare says how
many values that clamped. --raw compares A's values as they are.

  $ sed '100 s/^0\.[0-9]*/1.5/; 200 s/^0\.[0-9]*/-0.25/; 300 s/ 0\.[0-9]*$/ 1.09/' cube33-good.cube > over.cube
  $ lutprep convert over.cube over-box.cube | cut -d';' -f2
   3 values clamped
  $ lutprep compare --tolerance 0 over.cube over-box.cube
  max 0 (0.000 10-bit code values), mean 0, 99th percentile 0
  worst at node 0,0,0 (red, green, blue): A 0.02 0.02 0.02, B 0.02 0.02 0.02
  A clamped to [0, 1] as the box shows it: 3 values changed (--raw compares them as they are)
  within the tolerance 0 10-bit code values
  $ lutprep compare --raw over.cube over-box.cube
  max 0.5 (511.500 10-bit code values), mean 7.79141e-06, 99th percentile 0
  worst at node 29,2,0 (red, green, blue): A 1.5 0.050512 0.110625, B 1 0.050512 0.110625
  beyond the tolerance 0.5 10-bit code values
  [1]
  $ lutprep compare --json over.cube over-box.cube
  {"max": 0, "mean": 0, "p99": 0, "max_code10": 0, "tolerance_code10": 0.5, "clamped": 3, "clamped_b": 0, "within": true, "worst": {"node": [0, 0, 0], "a": [0.0199999996, 0.0199999996, 0.0199999996], "b": [0.0199999996, 0.0199999996, 0.0199999996]}}
  $ lutprep compare --json --raw over.cube over-box.cube | grep -o '"clamped": [a-z0-9]*, "clamped_b": [a-z0-9]*, "within": [a-z]*'
  "clamped": null, "clamped_b": null, "within": false

The tolerance is in 10-bit code values, as every figure of the report:
the 16-bit 3dl of 17 points lies within 0.008 code values of the cube it
was made from at its nodes, not within 0.005.

  $ lutprep compare --tolerance 0.005 small.3dl cube33-good.cube | tail -1
  beyond the tolerance 0.005 10-bit code values

A NaN or an infinity in IN has no value to keep: convert says how many
output nodes it reaches (between the 17-point nodes, the 33-point ones
whose interpolation takes it in), which are written clamped, and the loss
counts it as total rather than as nothing.

  $ corpus write . cube:17:good
  1 files
  $ awk 'NR == 2460 { $2 = "inf" } { print }' cube17-good.cube > inf17.cube
  $ lutprep convert --size 33 inf17.cube inf33.cube
  inf33.cube: 33-point cube, layout 3, from inf17.cube (17-point cube); 15 values clamped; loss between the nodes: max 1023.000, 99th percentile 0.000 10-bit code values
  lutprep: warning: inf33.cube: inf17.cube holds 1 NaN or infinite value, which reaches 15 of the 35937 output nodes; there the values are clamped (NaN to 0) and the loss counts them as total (1023.000 10-bit code values)

IN and OUT may be one file.

  $ cp cube65-negfirst.cube same.cube
  $ lutprep convert same.cube same.cube
  same.cube: 33-point cube, layout 3, from same.cube (65-point cube); 0 values clamped; loss between the nodes: max 10.231, 99th percentile 0.879 10-bit code values
  lutprep: warning: same.cube: the 33-point grid is up to 10.231 10-bit code values off between its nodes; it is coarser than IN's 65 points and cannot follow IN's changes between its nodes
  $ lutprep check same.cube
  same.cube: ok: cube, 33 points, layout 3

--into DIR converts each FILE on its own into DIR, named as FILE with the
extension of the family --to names (cube by default): a line for each,
then the total. The other options apply to each file. A FILE that cannot
be read, and one whose name in DIR an earlier FILE's conversion took, are
not converted and fail the run; the others are written all the same.

  $ mkdir into
  $ lutprep convert --into into cube33-good.cube trip.3dl absent.cube cube17-comma.cube sub/cube33-good.csv
  into/cube33-good.cube: 33-point cube, layout 3, from cube33-good.cube (33-point cube); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  into/trip.cube: 33-point cube, layout 3, from trip.3dl (33-point 12-bit 3dl); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  lutprep: absent.cube: cannot open: no such file, not readable, or not a regular file
  lutprep: cube17-comma.cube: line 5: '0,020000' is not a number (a decimal comma?)
  lutprep: sub/cube33-good.csv: not converted: into/cube33-good.cube is cube33-good.cube's conversion already
  into: 2 of 5 files converted
  [1]
  $ ls into
  cube33-good.cube
  trip.cube
  $ cmp into/trip.cube trip.cube && echo the same as convert trip.3dl trip.cube makes
  the same as convert trip.3dl trip.cube makes
  $ lutprep convert --into into/ --to 3dl --size 17 --bits 16 cube33-good.cube
  into/cube33-good.3dl: 17-point 16-bit 3dl, layout 4, from cube33-good.cube (33-point cube); 0 values clamped; loss between the nodes: max 2.020, 99th percentile 2.020 10-bit code values
  lutprep: warning: into/cube33-good.3dl: the 17-point grid is up to 2.020 10-bit code values off between its nodes; most of it lies where an input is near 0, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none
  into/: 1 of 1 file converted
  $ cmp into/cube33-good.3dl small.3dl && echo the same as small.3dl
  the same as small.3dl
  $ lutprep convert --into into --to csv cube17-good.cube > /dev/null; echo $?
  0
  $ lutprep check into/*
  into/cube17-good.csv: ok: csv, 17 points, layout 1
  into/cube33-good.3dl: ok: 3dl, 17 points, layout 4
  into/cube33-good.cube: ok: cube, 33 points, layout 3
  into/trip.cube: ok: cube, 33 points, layout 3
  $ lutprep convert --into absent-dir cube33-good.cube
  lutprep: absent-dir/cube33-good.cube: cannot write it (not writable, or no temporary file can be made beside it)
  absent-dir: 0 of 1 file converted
  [1]

--into never writes over a FILE it was given, by whatever name: a FILE
whose conversion would bear another FILE's name, or its own.

  $ cp trip.cube into/look.cube
  $ cp trip.3dl into/look.3dl
  $ cksum < into/look.cube > before
  $ lutprep convert --into into into/look.3dl ./into/look.cube
  lutprep: into/look.3dl: not converted: into/look.cube is ./into/look.cube, given to convert; it is not written over
  lutprep: ./into/look.cube: not converted: into/look.cube is the file itself, given to convert; it is not written over
  into: 0 of 2 files converted
  [1]
  $ cksum < into/look.cube | cmp - before && echo look.cube as it was
  look.cube as it was

OUT is written as the box will read it: by the first of its extensions
anywhere in the name. When the name's last extension names another
family, convert says so.

  $ mkdir grades.cube.d
  $ lutprep convert cube17-good.cube grades.cube.d/look.3dl
  grades.cube.d/look.3dl: 17-point cube, layout 1, from cube17-good.cube (17-point cube); 0 values clamped; loss between the nodes: max 0.000, 99th percentile 0.000 10-bit code values
  lutprep: warning: grades.cube.d/look.3dl: written as cube, since the box reads a name that holds ".cube" as cube; its last extension says 3dl
  $ head -1 grades.cube.d/look.3dl
  # generated
  $ lutprep convert cube17-good.cube grades.cube.d/look.cube 2>&1 | grep -c warning
  0
  [1]

A failing convert leaves OUT as it was and no temporary file: a name the
box would not recognise is refused before anything is read (IN does not
even exist); a file lutprep cannot read; an OUT that is a directory, which
the written file cannot replace; an OUT in a directory that does not exist.

  $ cp cube33-good.cube keep.cube
  $ lutprep convert absent.cube OUT.Cube
  lutprep: OUT.Cube would not be recognised by the box: its name must hold one of .csv, .CSV, .cube, .CUBE, .3dl, .3DL
  [1]
  $ lutprep convert cube17-comma.cube keep.cube
  lutprep: cube17-comma.cube: line 5: '0,020000' is not a number (a decimal comma?)
  [1]
  $ mkdir dir.cube
  $ lutprep convert cube33-good.cube dir.cube
  lutprep: dir.cube: cannot put the written file in its place; left as it was
  [1]
  $ lutprep convert cube33-good.cube missing/out.cube
  lutprep: missing/out.cube: cannot write it (not writable, or no temporary file can be made beside it)
  [1]
  $ cmp keep.cube cube33-good.cube && echo keep.cube as it was
  keep.cube as it was
  $ ls -A dir.cube
  $ ls | grep tmp || echo no temporary file
  no temporary file

A dark LUT, its largest value a quarter, into a 3dl at each depth: the
depth stated in the comment line reads back as written (the largest value
alone, 1023 at 12 bits, would read as 10-bit, four times too bright), so
the 3dl compares within the rounding of its depth, and every file convert
writes passes check --strict.

  $ awk '/^[0-9]/ { print $1 / 4, $2 / 4, $3 / 4; next } { print }' cube33-good.cube > dark.cube
  $ for bits in 10 12 16; do lutprep convert --bits $bits dark.cube dark$bits.3dl > /dev/null; done
  $ head -1 dark12.3dl
  # generated
  $ lutprep compare --tolerance 0.0002 dark.cube dark12.3dl | tail -1
  beyond the tolerance 0.0002 10-bit code values
  $ lutprep convert dark.cube dark.csv > /dev/null
  $ lutprep convert dark.cube dark33.cube > /dev/null
  $ lutprep check --strict dark10.3dl dark12.3dl dark16.3dl dark.csv dark33.cube trip.3dl trip.csv trip.cube
  dark10.3dl: ok: 3dl, 33 points, layout 6
  dark12.3dl: ok: 3dl, 33 points, layout 6
  dark16.3dl: ok: 3dl, 33 points, layout 6
  dark.csv: ok: csv, 33 points, layout 3
  dark33.cube: ok: cube, 33 points, layout 3
  trip.3dl: ok: 3dl, 33 points, layout 6
  trip.csv: ok: csv, 33 points, layout 3
  trip.cube: ok: cube, 33 points, layout 3

Without a Mesh header, the depth is the one the values give, not the mesh
line's scale: the same 12-bit rows behind a 16-bit mesh line read alike.

  $ awk 'BEGIN { for (i = 0; i < 33; i++) printf "%s%d", i ? " " : "", i * 65535 / 32 + 0.5; print "" }' > mesh16.3dl
  $ grep -v '^#' trip.3dl | sed 1d >> mesh16.3dl
  $ lutprep compare --tolerance 0 trip.3dl mesh16.3dl 2>&1 | tail -1
  within the tolerance 0 10-bit code values

A folder given as IN is named as one.

  $ mkdir folder.cube
  $ lutprep convert folder.cube out.cube
  lutprep: folder.cube: cannot open: it is a folder, not a regular file
  [1]

A cube that states more points than its rows make was most likely cut
short on its way: it is not converted as the smaller table its rows
happen to make (check says the same, as a warning).

  $ sed 's/^LUT_3D_SIZE 17$/LUT_3D_SIZE 33/' cube17-good.cube > stopped.cube
  $ lutprep convert stopped.cube stopped-box.cube
  lutprep: stopped.cube: it states 33 points but holds the rows of 17: cut short?
  [1]
  $ test -e stopped-box.cube || echo nothing written
  nothing written

A CDL, as any file of operations, is baked at OUT's nodes, which then
hold its exact values; its loss is measured at the centres of OUT's cells,
where the grid is furthest from its nodes. A power below 1 is steep near
black.

  $ cat > grade.cc <<'CC'
  > <ColorCorrection id="grade">
  >   <SOPNode><Slope>1.1 1.0 0.9</Slope><Offset>0.02 0 -0.01</Offset><Power>0.45 0.5 0.55</Power></SOPNode>
  >   <SatNode><Saturation>0.9</Saturation></SatNode>
  > </ColorCorrection>
  > CC
  $ lutprep convert grade.cc graded.cube
  graded.cube: 33-point cube, layout 3, from grade.cc (1 operation: ASC_CDL); 2304 values clamped; loss between the nodes: max 36.556, 99th percentile 36.388 10-bit code values
  lutprep: warning: graded.cube: the 33-point grid is up to 36.556 10-bit code values off between its nodes; most of it lies where an input is near 0, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none
  $ grep -c '^[0-9]' graded.cube
  35937
