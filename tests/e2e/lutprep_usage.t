lutprep's version, help and usage errors: a usage error names what is
wrong, shows the usage on standard error, and exits with status 2.

  $ . "$E2E_LIB"
  $ lutprep --version
  lutprep 1.0.0
  $ lutprep --help | head -7
  lutprep 1.0.0: check, convert, compare and preview 3D LUT files for the LUT loader box
  
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
         lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
         lutprep compare [--json] [--tolerance T] [--cccid ID] A B
         lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
         lutprep --help | --version
  $ lutprep convert --help
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  
  writes OUT, in the family its name gives, at a size the box takes, checked with the box's own reader before it replaces OUT; several INs are applied in their order, as one LUT
  
  Options:
        --size 17|26|33      the size of OUT (default: IN's, when the box takes it, else the largest; unit: points per axis)
        --bits 10|12|16      the output depth of a 3dl OUT (default: 12; unit: bits)
        --interp tetrahedral|trilinear how OUT's nodes are taken from IN (default: tetrahedral)
        --cccid ID           the correction of a .ccc or .cdl collection to read: its id, or else its index from 0
    -h, --help               prints this help; after a command word, the command's
        --version            prints the program's version

Standard output stays empty: the usage goes to standard error.

  $ $LUTBOX_RUN $LUTPREP 2>/dev/null; echo $?
  2
  $ lutprep
  lutprep: no command
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
         lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
         lutprep compare [--json] [--tolerance T] [--cccid ID] A B
         lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
         lutprep --help | --version
  [2]
  $ lutprep verify a.cube
  lutprep: unknown command 'verify'; valid: check, convert, compare, preview
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
         lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
         lutprep compare [--json] [--tolerance T] [--cccid ID] A B
         lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
         lutprep --help | --version
  [2]
  $ lutprep check
  lutprep: check needs at least one FILE
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
  [2]
  $ lutprep check --jsn a.cube
  lutprep: unknown option '--jsn'
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
  [2]
  $ lutprep check --json=yes a.cube
  lutprep: --json takes no value
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
  [2]
  $ lutprep convert a.cube
  lutprep: convert needs IN and OUT
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert --size 32 a.cube b.cube
  lutprep: --size 32: the box takes no such size
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert --size ' 33' a.cube b.cube
  lutprep: --size  33: the box takes no such size
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep preview --width '512 ' a.cube b.png
  lutprep: --width 512 : from 64 to 4096 pixels
  usage: lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
  [2]
  $ lutprep convert --bits=11 a.cube b.3dl
  lutprep: --bits 11: no such 3dl depth
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert --bits 16 a.cube b.cube
  lutprep: --bits is for a 3dl OUT; b.cube is written as cube
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert --interp cubic a.cube b.cube
  lutprep: --interp cubic: no such interpolation
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert a.cube b.cube --size
  lutprep: --size needs a value
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep convert --size 17 --size 33 a.cube b.cube
  lutprep: --size given twice
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep compare a.cube b.cube c.cube
  lutprep: compare needs A and B
  usage: lutprep compare [--json] [--tolerance T] [--cccid ID] A B
  [2]
  $ lutprep compare --tolerance -1 a.cube b.cube
  lutprep: --tolerance -1: not a number of 0 or more
  usage: lutprep compare [--json] [--tolerance T] [--cccid ID] A B
  [2]

After "--" every argument is a name, even one that begins with "--".

  $ lutprep check -- --json
  --json: refused: cannot be opened or read (no such file, not readable, or not a regular file)
  [1]

The command line's rules are cli/'s: -h is --help at the top and after a
command word, an option may stand before the command word, an unknown one
is refused before or after it, and so is one given twice.

  $ lutprep -h | head -1
  lutprep 1.0.0: check, convert, compare and preview 3D LUT files for the LUT loader box
  $ lutprep preview -h
  usage: lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
  
  a PNG of a test pattern, then the pattern through LUT, then, with LUT2, through LUT2 and the difference
  The pattern: a grey ramp, hues at full and half saturation, primaries, secondaries and skin tones,
  near-black and near-white steps; the difference of LUT and LUT2 is shown 8 times as large.
  
  Options:
        --cccid ID           the correction of a .ccc or .cdl collection to read: its id, or else its index from 0
        --width W            the picture's width (default: 1024; unit: pixels)
    -h, --help               prints this help; after a command word, the command's
        --version            prints the program's version
  $ lutprep -x check a.cube
  lutprep: unknown option '-x'
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
         lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
         lutprep compare [--json] [--tolerance T] [--cccid ID] A B
         lutprep preview [--cccid ID] [--width W] LUT [LUT2] OUT.png
         lutprep --help | --version
  [2]
  $ lutprep check a.cube -x
  lutprep: unknown option '-x'
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
  [2]
  $ lutprep check --json a.cube --json
  lutprep: --json given twice
  usage: lutprep check [--json] [--strict] [--cccid ID] FILE...
  [2]
  $ lutprep convert --json a.cube b.cube
  lutprep: convert does not take --json
  usage: lutprep convert [--size 17|26|33] [--bits 10|12|16] [--interp tetrahedral|trilinear] [--cccid ID] IN... OUT
  [2]
  $ lutprep --json check -- --json
  {"file": "--json", "verdict": "refused", "family": null, "points": null, "layout": null, "reason": {"code": "open", "line": null, "column": null, "rows": null, "text": "cannot be opened or read (no such file, not readable, or not a regular file)"}, "warnings": []}
  [1]
