The release package for the technician's PC: its layout, the programs'
version resources, and the programs run from it against the simulated box
under Wine.

  $ unzip -q "$DIST_ZIP"
  $ cd "lutbox-$LUTBOX_VERSION"
  $ find . | sort
  .
  ./README-zh.txt
  ./README.txt
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

Each program carries the version in its file properties, and no debug
information.

  $ for f in lutbox lutprep lutctl; do
  >   x86_64-w64-mingw32-windres -i $f.exe -O rc | grep -E 'VALUE "(ProductName|ProductVersion|FileVersion|OriginalFilename)"' | sed "s/$LUTBOX_VERSION/VERSION/"
  >   x86_64-w64-mingw32-objdump -h $f.exe | grep -c debug
  > done
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutbox.exe"
  0
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutprep.exe"
  0
        VALUE "ProductName", "lutbox"
        VALUE "ProductVersion", "VERSION"
        VALUE "FileVersion", "VERSION"
        VALUE "OriginalFilename", "lutctl.exe"
  0
  [1]

  $ wine lutprep.exe --version | tr -d '\r' | sed "s/$LUTBOX_VERSION/VERSION/"
  lutprep VERSION

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

Without the simulator beside it or in the current folder, the console finds
no device library.

  $ cd ..
  $ printf 'exit\n' | wine ./lutbox.exe | tr -d '\r' | head -c 16; echo
  LoadLibrary fail
