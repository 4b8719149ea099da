File names outside the ANSI code page: lutprep and lutctl take their
arguments and open, write, replace and append to their files by the full
name (on Windows through the wide command line and file calls).

  $ . "$E2E_LIB"
  $ lutgen() { python3 "$(dirname "$E2E_LIB")/lutgen.py" "$@"; }
  $ export LC_ALL=C.UTF-8
  $ lutgen write cube:17=Ünïcødé-中文.cube

  $ lutprep check Ünïcødé-中文.cube; status
  Ünïcødé-中文.cube: ok: cube, 17 points, layout 1
    line 5: warning: 7370 values outside [0, 1] (the first on this line)
  status 0
  $ lutprep convert Ünïcødé-中文.cube 转换-Ø.3dl > /dev/null; status
  status 0
  $ lutprep convert Ünïcødé-中文.cube 转换-Ø.3dl > /dev/null; status
  status 0
  $ ls
  Ünïcødé-中文.cube
  转换-Ø.3dl

  $ lutctl --lang en load Ünïcødé-中文.cube; status
  File: Ünïcødé-中文.cube
  Family: cube
  Points: 17
  Layout: 1
  Sent: yes
  status 0
  $ lutctl --lang en selftest --record 记录-Ü.csv > /dev/null; status
  status 0
  $ wc -l < 记录-Ü.csv
  2
