lutctl watch: the LUT follows its file. Each version that has stood still
for the debounce interval and reads whole is sent; a refused or half
written one is never sent, and the box keeps the last good LUT.

  $ . "$E2E_LIB"
  $ lutgen() { python3 "$(dirname "$E2E_LIB")/lutgen.py" "$@"; }
  $ lutgen write cube:33=a33.cube cube:17=b17.cube cube:65=c65.cube
  $ lutgen sed 35937=cube:33 4913=cube:17 > s

The 65-point cube is converted as lutprep converts it: the table sent is
the one lutctl load sends of lutprep's 33-point file.

  $ lutprep convert c65.cube conv33.cube > /dev/null && lutctl load conv33.cube > /dev/null
  $ echo "s/$(journal | grep -o 'lut:35937:[0-9a-f]*') /lut:35937:<converted 65> /" >> s

The load lines without their time; a bounded wait for the COUNT-th line
holding a word.

  $ lines() { console_lines < out | sed 's/^[-0-9T:+]* //; s/of [-0-9T:+]*$/of TIME/'; }
  $ until_line() {
  >   for i in $(seq 600); do [ "$(grep -c "$1" out)" -ge "$2" ] && return; sleep 0.1; done
  >   echo "no line $2 holding '$1'"; lines
  > }

The file as it stands is loaded first; then a version that replaces it by
a rename, then one with a row the box cannot read (refused: not sent).

  $ cp a33.cube film.cube
  $ $LUTBOX_RUN $LUTCTL watch --verify --debounce 1000 film.cube > out 2>&1 &
  $ until_line loaded 1
  $ cp b17.cube tmp.cube && mv tmp.cube film.cube
  $ until_line loaded 2
  $ sed '50s/.*/0.1 0.2 x/' a33.cube > tmp.cube && mv tmp.cube film.cube
  $ until_line refused 1

Written in two halves: the half file, once it has stood still, reads short
and is refused, not sent; the whole is loaded once it is complete.

  $ head -c 400000 a33.cube > film.cube
  $ until_line refused 2
  $ tail -c +400001 a33.cube >> film.cube
  $ until_line loaded 3

A pause shorter than the debounce interval: the half is never read.

  $ (head -c 100000 b17.cube; sleep 0.2; tail -c +100001 b17.cube) > film.cube
  $ until_line loaded 4

A 65-point cube, which the box does not take, goes as 33 points.

  $ cp c65.cube tmp.cube && mv tmp.cube film.cube
  $ until_line loaded 5
  $ lines
  film.cube: loaded, 33 points, verified
  film.cube: loaded, 17 points, verified
  film.cube: refused: line 50: 'x' is not a number; the box keeps the LUT of TIME
  film.cube: refused: line 8844: the file holds 8840 3D rows; LUT_3D_SIZE 33 (line 3) needs 35937; the box keeps the LUT of TIME
  film.cube: loaded, 33 points, verified
  film.cube: loaded, 17 points, verified
  film.cube: loaded, 33 points (converted from 65), verified

The watch runs until it is interrupted; lutctl_posix.t shows Ctrl-C. Here
it is ended by force (Wine cannot send a console's Ctrl-C), so the box is
not closed.

  $ kill -KILL $!; wait $! 2> /dev/null || echo ended
  ended
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<cube:33> => 0
  KX_DEV_Get_CSV_33P_3DLUT 0 @out => 0
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<cube:17> => 0
  KX_DEV_Get_CSV_17P_3DLUT 0 @out => 0
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<cube:33> => 0
  KX_DEV_Get_CSV_33P_3DLUT 0 @out => 0
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<cube:17> => 0
  KX_DEV_Get_CSV_17P_3DLUT 0 @out => 0
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<converted 65> => 0
  KX_DEV_Get_CSV_33P_3DLUT 0 @out => 0

A file whose directory cannot be watched, or a debounce interval out of
range, leaves the box unopened.

  $ lutctl watch nowhere/film.cube; status
  lutctl: nowhere/film.cube cannot be watched: its directory cannot be opened
  status 1
  $ journal
  $ lutctl watch --debounce 60001 film.cube; status
  lutctl: --debounce takes milliseconds from 0 to 60000, not '60001'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  $ journal
