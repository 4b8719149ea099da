"lutprep check" says of every file what "load:" does with it, since its
verdict is the console's own reader's. Over a corpus of good and broken
files of every family, check's verdict, family and points are held against
what "load:" did with the same file: the console's line and the call the
simulated box received.

  $ . "$E2E_LIB"
  $ corpus() { python3 "$(dirname "$E2E_LIB")/prepcorpus.py" "$@"; }

The corpus: each family at 17 and 33 points, good (LF and CR LF), with a
row deleted or duplicated, a row beginning with a minus sign (in the middle,
and as the first row), a row missing its last value, a blank line or a
comment among the rows, a 300-byte row, a 300-byte comment before the
header, a row of four numbers (CSV: seven fields), the last row cut in two,
a NaN, decimal commas (CSV: with ';' between the fields); cubes with a NaN
as a row's first value, a word after the rows, a domain, a shaper, a power
curve; Lustre 3dl files and 3dl files without a mesh line; good files of 26
points; files of 16 and 65 points; an empty file, one with a header alone, a
mixed-case name, a cube inside a name that is CSV to the box, a directory.

  $ corpus write corpus
  114 files
  $ cd corpus
  $ files=$(ls)
  $ lutprep check --json $files > ../check.jsonl
  [1]
  $ printf 'load:%s\n' $files exit | lutbox > ../load.txt
  $ corpus agree ../check.jsonl ../load.txt "$KXSIM_JOURNAL" $files
  3dl: count 21, row 6, taken 7
  csv: count 17, row 9, taken 7
  cube: count 22, empty 2, open 1, row 6, taken 15
  no family: family 1

The comparison itself finds a disagreement: a verdict turned round, and a
file taken at other points.

  $ sed -e '1 s/"verdict": "refused"/"verdict": "ok"/' -e 's/"points": 33, "layout": 6/"points": 17, "layout": 6/' ../check.jsonl > ../wrong.jsonl
  $ corpus agree ../wrong.jsonl ../load.txt "$KXSIM_JOURNAL" $files
  3dl16-good.3dl: check says ok ('3dl', None), load: refused
  3dl33-crlf.3dl: check says ok ('3dl', 17), load: ('3dl', 33)
  3dl33-four.3dl: check says ok ('3dl', 17), load: ('3dl', 33)
  3dl33-good.3dl: check says ok ('3dl', 17), load: ('3dl', 33)
  3dl: count 20, row 6, taken 8
  csv: count 17, row 9, taken 7
  cube: count 22, empty 2, open 1, row 6, taken 15
  no family: family 1
