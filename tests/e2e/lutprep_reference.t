lutprep convert against OpenColorIO's ociobakelut, the reference: the 33
nodes within 2e-6 (0.002046 10-bit code values) of its output (it prints 6 decimals), for a 65-point cube
from grading software, a 17-point cube (every other node interpolated) and
a cube with a domain. Skipped where ociobakelut is not installed (make test
installs Debian's opencolorio-tools); its help text names the option used,
since it exits 1 even for --help.

  $ ociobakelut --help 2>&1 | grep -q -- --cubesize || exit 80
  $ . "$E2E_LIB"
  $ python3 "$(dirname "$E2E_LIB")/prepcorpus.py" write . cube:65:negfirst cube:17:good cube:17:domain
  3 files
  $ for lut in cube65-negfirst cube17-good cube17-domain; do
  >   lutprep convert --size 33 $lut.cube $lut-33.cube | cut -d';' -f1
  >   ociobakelut --lut $lut.cube --format iridas_cube --cubesize 33 $lut-ref.cube
  >   lutprep compare --tolerance 0.002046 $lut-33.cube $lut-ref.cube | tail -1
  > done
  cube65-negfirst-33.cube: 33-point cube, layout 3, from cube65-negfirst.cube (65-point cube)
  lutprep: warning: cube65-negfirst-33.cube: the 33-point grid is up to 10.231 10-bit code values off between its nodes
  within the tolerance 0.002046 10-bit code values
  cube17-good-33.cube: 33-point cube, layout 3, from cube17-good.cube (17-point cube)
  within the tolerance 0.002046 10-bit code values
  cube17-domain-33.cube: 33-point cube, layout 3, from cube17-domain.cube (17-point cube with a domain)
  within the tolerance 0.002046 10-bit code values

The box takes the converted files.

  $ printf 'load:%s\n' cube65-negfirst-33.cube cube17-domain-33.cube exit | lutbox | grep -c success
  2
