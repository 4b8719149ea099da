"lutprep check": each reason for a refusal and each warning once, as text
and as JSON Lines, and the exit statuses.

  $ . "$E2E_LIB"
  $ corpus() { python3 "$(dirname "$E2E_LIB")/prepcorpus.py" "$@"; }
  $ corpus write . cube:17:good cube:16:good 3dl:17:lustre cube:17:truncate cube:17:domain cube:17:shaper cube:17:nan cube:17:four 3dl:17:good cube:17:trailer csv:17:comma
  11 files
  $ : > empty.csv
  $ cp cube17-good.cube LUT.Cube
  $ sed 's/^LUT_3D_SIZE 17/LUT_3D_SIZE 33/' cube17-good.cube > size.cube
  $ sed '100 s/^0\.[0-9]*/1.5/; 200 s/^0\.[0-9]*/2.5/' cube17-good.cube > range.cube
  $ sed -n '100p;200p' range.cube
  1.5 0.230494 0.082500
  2.5 0.562183 0.070000

The reasons: a file that cannot be opened, a name the box does not
recognise (even when the file is there), no data line, a count of rows the
box has no size for (a cube of another size, saying how to convert it; a
Lustre 3dl, whose header word ends the run of data lines on line 2), and a
row that cannot be read (with its line and column).

  $ lutprep check absent.cube LUT.Cube empty.csv cube16-good.cube 3dl17-lustre.3dl cube17-truncate.cube
  absent.cube: refused: cannot be opened or read (no such file, not readable, or not a regular file)
  LUT.Cube: refused: the box does not recognise the name: it holds none of .csv, .CSV, .cube, .CUBE, .3dl, .3DL
  empty.csv: refused: no data line: no line begins with a digit
    line 1: warning: lutprep cannot read it either: no data rows
  cube16-good.cube: refused: 4096 data rows; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); that is a 16-point LUT: lutprep convert cube16-good.cube OUT.cube makes a 33-point one the box takes
  3dl17-lustre.3dl: refused: line 2, column 1: the run of data lines ends here, at a line that does not begin with a digit: 0 data rows after the mesh line; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 17-point LUT: lutprep convert 3dl17-lustre.3dl OUT.cube makes a 17-point one the box takes
  cube17-truncate.cube: refused: line 4918, column 1: row 4913 of 4913 cannot be read as three numbers
    line 4917: warning: a data line of 2 numbers where a row holds 3: the box reads every later row shifted
  [1]

The warnings, on files the box takes: a domain, a size keyword that
disagrees with the rows, values out of range, a NaN, a row of four numbers
(which shifts every later row), a 3dl bit depth that was guessed, and a
file that lutprep itself cannot read (a word after the rows). A shaper, on
a file the box refuses.

  $ lutprep check cube17-domain.cube size.cube range.cube cube17-nan.cube cube17-four.cube 3dl17-good.3dl cube17-trailer.cube cube17-shaper.cube
  cube17-domain.cube: ok: cube, 17 points, layout 1
    line 4: warning: DOMAIN_MIN -0.1 -0.1 -0.1, DOMAIN_MAX 1.1 1.1 1.1: the box ignores the domain and takes the table as covering 0 to 1
  size.cube: ok: cube, 17 points, layout 1
    line 3: warning: LUT_3D_SIZE 33, but the file holds 4913 3D rows: a 17-point table
  range.cube: ok: cube, 17 points, layout 1
    line 100: warning: 2 values outside [0, 1] (the first on this line)
  cube17-nan.cube: ok: cube, 17 points, layout 1
    line 2461: warning: 1 NaN or infinite value (the first on this line)
  cube17-four.cube: ok: cube, 17 points, layout 1
    line 2461: warning: a data line of 4 numbers where a row holds 3: the box reads every later row shifted
  3dl17-good.3dl: ok: 3dl, 17 points, layout 4
    line 291: warning: no Mesh header: the output taken as 12-bit from the largest value, 3972 on this line
  cube17-trailer.cube: ok: cube, 17 points, layout 1
    line 4918: warning: lutprep cannot read it either: a keyword after the data rows (which began on line 5)
  cube17-shaper.cube: refused: 5937 data rows; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 17-point LUT: lutprep convert cube17-shaper.cube OUT.cube makes a 17-point one the box takes
    line 4: warning: a LUT_1D_SIZE 1024 shaper before the 3D table: the box ignores it and reads its rows as 3D rows
  [1]

A file taken with a warning: status 0, or 1 with --strict. A clean one: 0
either way.

  $ lutprep check cube17-domain.cube > /dev/null; echo $?
  0
  $ lutprep check --strict cube17-domain.cube > /dev/null; echo $?
  1
  $ lutprep check --strict cube17-good.cube
  cube17-good.cube: ok: cube, 17 points, layout 1

So is one the box takes but lutprep's own reading refuses: the warning
"unreadable" fails --strict like any other.

  $ lutprep check --strict cube17-trailer.cube > /dev/null; echo $?
  1
  $ lutprep check --strict --json cube17-trailer.cube > /dev/null; echo $?
  1

JSON Lines: one object per file, the same facts.

  $ lutprep check --json cube17-domain.cube csv17-comma.csv absent.cube
  {"file": "cube17-domain.cube", "verdict": "ok", "family": "cube", "points": 17, "layout": 1, "reason": null, "warnings": [{"code": "domain", "line": 4, "text": "DOMAIN_MIN -0.1 -0.1 -0.1, DOMAIN_MAX 1.1 1.1 1.1: the box ignores the domain and takes the table as covering 0 to 1"}]}
  {"file": "csv17-comma.csv", "verdict": "refused", "family": "csv", "points": null, "layout": null, "reason": {"code": "row", "line": 2, "column": 2, "rows": 4913, "text": "row 1 of 4913 cannot be read as three whole numbers and three numbers, separated by commas; lutprep reads it as a 17-point LUT: lutprep convert csv17-comma.csv OUT.cube makes a 17-point one the box takes"}, "warnings": []}
  {"file": "absent.cube", "verdict": "refused", "family": "cube", "points": null, "layout": null, "reason": {"code": "open", "line": null, "column": null, "rows": null, "text": "cannot be opened or read (no such file, not readable, or not a regular file)"}, "warnings": []}
  [1]
  $ lutprep check --json size.cube range.cube cube17-nan.cube cube17-four.cube 3dl17-good.3dl cube17-trailer.cube cube17-shaper.cube empty.csv LUT.Cube cube16-good.cube | python3 -c '
  > import json, sys
  > for line in sys.stdin:
  >     o = json.loads(line)
  >     print(o["verdict"], o["reason"] and o["reason"]["code"], [(w["code"], w["line"]) for w in o["warnings"]])'
  ok None [('size-keyword', 3)]
  ok None [('range', 100)]
  ok None [('nonfinite', 2461)]
  ok None [('shifted-rows', 2461)]
  ok None [('bit-depth', 291)]
  ok None [('unreadable', 4918)]
  refused count [('shaper', 4)]
  refused empty [('unreadable', 1)]
  refused family []
  refused count []

What makes a file unreadable, or read otherwise by the box, is named by
its cause. A UTF-8 byte-order mark is read past (by the box too, on a
header line); one before the 3dl's mesh line makes the box take that line
for a header, so it is said where it stands.

  $ printf '\357\273\277' | cat - cube17-good.cube > bom.cube
  $ lutprep check --strict bom.cube
  bom.cube: ok: cube, 17 points, layout 1
  $ { printf '\357\273\277'; sed 1d 3dl17-good.3dl; } > bom.3dl
  $ lutprep check bom.3dl
  bom.3dl: refused: 4912 data rows after the mesh line; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 17-point LUT: lutprep convert bom.3dl OUT.cube makes a 17-point one the box takes
    line 1: warning: a UTF-8 byte-order mark before the first line of numbers: the box takes that line for a header line, not data, and so reads every row wrongly; save the file without the mark
    line 290: warning: no Mesh header: the output taken as 12-bit from the largest value, 3972 on this line
  [1]

UTF-16 text, and CR alone as the line end (old Mac files), which leaves
the whole file one line.

  $ iconv -f UTF-8 -t UTF-16 cube17-good.cube > utf16.cube
  $ lutprep check utf16.cube
  utf16.cube: refused: no data line: no line begins with a digit
    line 1: warning: lutprep cannot read it either: the file is UTF-16 text; save it as UTF-8 or ASCII
  [1]
  $ tr '\n' '\r' < cube17-good.cube > mac.cube
  $ lutprep check mac.cube
  mac.cube: refused: line 1, column 511: the run of data lines ends here, at a line that does not begin with a digit: 1 data row; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points)
    line 1: warning: lutprep cannot read it either: the lines end in CR alone (old Mac line ends), so the file reads as one line; save it with LF or CR LF line ends
  [1]

A row that begins with a minus sign ends the box's rows there; a comment
line longer than one read of the box (255 bytes) is split by it, its rest
here a row.

  $ sed '100 s/^0\.[0-9]*/-0.01/' cube17-good.cube > minus.cube
  $ lutprep check minus.cube
  minus.cube: refused: line 100, column 1: the run of data lines ends here, at a line that does not begin with a digit: 95 data rows; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 17-point LUT: lutprep convert minus.cube OUT.cube makes a 17-point one the box takes
    line 100: warning: 1 value outside [0, 1] (the first on this line); this line begins with -0.01, a minus sign: the box takes only lines that begin with a digit as rows, so its rows end there
  [1]
  $ { printf '#%0254d1 2 3\n' 0; cat cube17-good.cube; } > long.cube
  $ lutprep check long.cube
  long.cube: refused: line 2, column 1: the run of data lines ends here, at a line that does not begin with a digit: 1 data row; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); lutprep reads it as a 17-point LUT: lutprep convert long.cube OUT.cube makes a 17-point one the box takes
    line 1: warning: a line of 261 bytes: the box reads at most 255 bytes as one line, and the part from byte 256 begins with a digit, so it takes that part for a row; shorten the line
  [1]
