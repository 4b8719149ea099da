"lutprep compare" against OpenColorIO's ociobakelut: a cube with values
outside [0, 1], baked at its own 33 points by ociobakelut (which keeps
them), is what lutprep's conversion holds once clamped as the box shows
it, to the 6 decimals ociobakelut prints; unclamped (--raw) the two differ
by what the clamp took off. Skipped where ociobakelut is not installed.

  $ ociobakelut --help 2>&1 | grep -q -- --cubesize || exit 80
  $ . "$E2E_LIB"
  $ python3 "$(dirname "$E2E_LIB")/prepcorpus.py" write . cube:33:good
  1 files
  $ sed '100 s/^0\.[0-9]*/1.5/; 200 s/^0\.[0-9]*/-0.25/; 300 s/ 0\.[0-9]*$/ 1.09/' cube33-good.cube > over.cube
  $ ociobakelut --lut over.cube --format iridas_cube --cubesize 33 over-ref.cube
  $ grep -c -E '(^| )(1\.5|-0\.25|1\.09)0*( |$)' over-ref.cube
  3
  $ lutprep convert over.cube over-33.cube | cut -d';' -f2
   3 values clamped
  $ lutprep compare --tolerance 0.002046 over-ref.cube over-33.cube | tail -2
  A clamped to [0, 1] as the box shows it: 3 values changed (--raw compares them as they are)
  within the tolerance 0.002046 10-bit code values
  $ lutprep compare --raw --tolerance 0.002046 over-ref.cube over-33.cube | sed -n '1p;$p'
  max 0.5 (511.500 10-bit code values), mean 7.79141e-06, 99th percentile 0
  beyond the tolerance 0.002046 10-bit code values

Two files of another tool are both taken as the box shows them: a file
with values outside [0, 1] matches itself.

  $ lutprep compare over.cube over.cube | tail -3
  A clamped to [0, 1] as the box shows it: 3 values changed (--raw compares them as they are)
  B clamped to [0, 1] as the box shows it: 3 values changed
  within the tolerance 0.5 10-bit code values
  $ lutprep compare --json over.cube over.cube | grep -o '"clamped": 3, "clamped_b": 3, "within": true'
  "clamped": 3, "clamped_b": 3, "within": true

A NaN in both is no match, and no row order makes it one.

  $ sed '5 s/^0\.[0-9]*/nan/' cube33-good.cube > nan.cube
  $ lutprep compare --raw nan.cube nan.cube 2>/dev/null | grep -c 'axes swapped'
  0
  [1]
