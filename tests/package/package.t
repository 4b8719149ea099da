The release package for the technician's PC: its layout, the programs'
version resources, and the programs run from it against the simulated box
under Wine.

  $ unzip -q "$DIST_ZIP"
  $ cd "lutbox-$LUTBOX_VERSION"
  $ find . | sort
  .
  ./README-zh.txt
  ./README.txt
  ./example.cube
  ./lutbox.exe
  ./lutctl.exe
  ./lutprep.exe
  ./simulator
  ./simulator/KX_DEV_LUTLOADER.dll

The READMEs open with a UTF-8 byte-order mark, so that Notepad shows the
Chinese text, and end their lines in CR LF; they name the version.

  $ for f in README.txt README-zh.txt; do head -c 3 $f | od -An -tx1; grep -c $'\r$' $f | sed 's/^[1-9][0-9]*$/many/'; grep -vc $'\r$' $f; done
   ef bb bf
  many
  0
   ef bb bf
  many
  0
  [1]
  $ head -n 1 README.txt | sed "s/$LUTBOX_VERSION/VERSION/" | tr -d '\r\357\273\277'
  lutbox VERSION for Windows

Each program and the simulated box carry the version and the project's
name in their file properties, and no debug information. The simulated
box's description tells it from the box maker's library of the same name.

  $ for f in lutbox.exe lutprep.exe lutctl.exe simulator/KX_DEV_LUTLOADER.dll; do
  >   x86_64-w64-mingw32-windres -i $f -O rc | grep -E 'VALUE "(CompanyName|ProductName|ProductVersion|FileVersion|OriginalFilename)"' | sed "s/$LUTBOX_VERSION/VERSION/"
  >   x86_64-w64-mingw32-objdump -h $f | grep -c debug
  > done
        VALUE "CompanyName", "The lutbox project"
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutbox.exe"
  0
        VALUE "CompanyName", "The lutbox project"
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutprep.exe"
  0
        VALUE "CompanyName", "The lutbox project"
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutctl.exe"
  0
        VALUE "CompanyName", "The lutbox project"
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "KX_DEV_LUTLOADER.dll"
  0
  [1]
  $ x86_64-w64-mingw32-windres -i simulator/KX_DEV_LUTLOADER.dll -O rc | grep FileDescription
        VALUE "FileDescription", "Simulated LUT loader box of lutbox, for training and tests: not the box maker's library, talks to no box"

  $ wine lutprep.exe --version | tr -d '\r' | sed "s/$LUTBOX_VERSION/VERSION/"
  lutprep VERSION

The README's commands, run as written (by cmd) from the folder it sends
the reader to; each must stand in README.txt as it is run here. lutprep,
in the unzipped folder, on the example LUT the package holds:

  $ readme() {
  >   tr -d '\r' < "$readme_txt" | grep -qxF "    $1" || echo "not in README.txt: $1"
  >   wine cmd /c "$1" 2>&1 | tr -d '\r'
  > }
  $ readme_txt=$PWD/README.txt
  $ readme 'lutprep check example.cube'
  example.cube: refused: 4096 data rows; the box takes 4913, 17576 or 35937 rows (17, 26 or 33 points); that is a 16-point LUT: lutprep convert example.cube OUT.cube makes a 33-point one the box takes
  $ readme 'lutprep convert example.cube box.cube'
  box.cube: 33-point cube, layout 3, from example.cube (16-point cube); 0 values clamped; loss between the nodes: max 2.771, 99th percentile 2.771 10-bit code values
  lutprep: warning: box.cube: the 33-point grid is up to 2.771 10-bit code values off between its nodes; its nodes fall between IN's 16, where IN is interpolated: the grids do not line up (no size the box takes holds every node of IN)
  $ readme 'lutprep compare example.cube box.cube'
  max 0.00270826 (2.771 10-bit code values), mean 5.65048e-05, 99th percentile 0.00270826
  worst at node 14,0,0 (red, green, blue): A 0.979999 0 0, B 0.977291 0 0
  beyond the tolerance 0.5 10-bit code values
  $ readme 'lutprep preview example.cube box.cube check.png'
  check.png: 1024x1024 PNG: the pattern, then through example.cube, through box.cube, and their difference times 8 (at most 1 8-bit code value)
  $ rm box.cube check.png

The programs against the simulated box, started from its folder; without
a terminal the self-test asks nothing about the LEDs, as the README says.

  $ readme 'cd simulator' && cd simulator
  $ printf 'getName\nexit\n' | readme '..\lutbox.exe' | iconv -f GBK -t UTF-8
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ readme '..\lutctl.exe info' | head -n 2
  Devices: 1
  Product name: LB-3D100
  $ readme '..\lutctl.exe selftest' < /dev/null | grep -E 'LEDs|Verdict'
  LEDs red: skipped
  LEDs green: skipped
  Verdict: pass
  $ grep -c 'does not ask about the LEDs' "$readme_txt"
  1
  $ cd ..

Tried as the README says: started from the simulator's folder, the programs
find the simulated box there.

  $ cd simulator
  $ printf 'getName\nexit\n' | wine ../lutbox.exe | tr -d '\r' | iconv -f GBK -t UTF-8
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ wine ../lutctl.exe info | tr -d '\r'
  Devices: 1
  Product name: LB-3D100
  Serial number: KX3D-2611-00427
  MCU firmware: V1.04.2 2026-09-18
  W25Qxxx ID: EF17
  S25Fxxx ID: 010219
  USB flash file: LUT_FILM_33P.cube
  LMH0341 format: 1080p50 3G-SDI Level A

Without the simulator beside it or in the current folder (double-clicked
in the unzipped folder), the console finds no device library; its standard
output says so as ever, its standard error which file it looked for (the
full path beside the program) and where the simulated box is.

  $ cd ..
  $ printf 'exit\n' | wine ./lutbox.exe 2>looked | tr -d '\r' | head -c 16; echo
  LoadLibrary fail
  $ looked=$(tr -d '\r' < looked)
  $ echo "${looked//"$(winepath -w "$PWD/KX_DEV_LUTLOADER.dll" 2>/dev/null | tr -d '\r')"/BESIDE-THE-PROGRAM}"
  lutbox: the device library KX_DEV_LUTLOADER.dll cannot be loaded. It was looked for beside the program, as
    BESIDE-THE-PROGRAM
  lutbox: to try the console without a box, start it in the simulator folder of the package, where the simulated box is.
