"lutprep preview": the test pattern, and the pattern through one LUT or
through two with their difference, in one PNG checked pixel by pixel.

The pictures are decoded by PyPNG, Debian's python3-png, which is
installed for Debian's own Python (a python3 earlier in PATH may lack it).

  $ . "$E2E_LIB"
  $ check() { /usr/bin/python3 "$(dirname "$E2E_LIB")/previewcheck.py" "$@"; }
  $ python3 "$(dirname "$E2E_LIB")/prepcorpus.py" write . cube:65:good
  1 files

An identity LUT leaves every pixel of the pattern as it was.

  $ python3 -c '
  > n = 33
  > print("LUT_3D_SIZE %d" % n)
  > for b in range(n):
  >     for g in range(n):
  >         for r in range(n):
  >             print("%.6f %.6f %.6f" % (r / (n - 1), g / (n - 1), b / (n - 1)))
  > ' > identity.cube
  $ lutprep preview identity.cube identity.png
  identity.png: 1024x512 PNG: the pattern, then through identity.cube
  $ check identity identity.png
  1024x512, 2 bands of 256 rows
  band 1: the test pattern
  band 2 equals band 1 at every pixel

A 65-point LUT against the 33-point one convert makes of it: the two
differ by at most one code value, so the difference band stays nearly
black.

  $ lutprep convert cube65-good.cube good33.cube > /dev/null
  $ lutprep preview cube65-good.cube good33.cube before-after.png
  before-after.png: 1024x1024 PNG: the pattern, then through cube65-good.cube, through good33.cube, and their difference times 8 (at most 1 8-bit code value)
  $ check pair before-after.png identity.png
  1024x1024, 4 bands of 256 rows
  1024x512, 2 bands of 256 rows
  band 1 equals band 1 of identity.png
  band 2 differs from band 1 at most pixels
  band 4 is 8 times |band 2 - band 3|, clipped, at every pixel; its largest value 8

A last name that is no PNG's, here a LUT2 given without OUT, is not
written over: the LUT stays as it was and nothing else is written.

  $ before=$(ls; md5sum good33.cube)
  $ lutprep preview identity.cube good33.cube
  lutprep: good33.cube: OUT must be a .png name (it is written over)
  usage: lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
  [2]
  $ [ "$(ls; md5sum good33.cube)" = "$before" ] && echo unchanged
  unchanged
