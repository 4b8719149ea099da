Start-up: the library is found beside the executable; without it, or with a
library that lacks an entry point, the tool prints its message, pauses and
ends with -1, having read none of its commands.

  $ . "$E2E_LIB"
  $ tool=$(basename "$LUTBOX")

A copy of the tool beside a copy of the library, run from another directory
that holds no library, finds it there.

  $ mkdir beside && cp "$LUTBOX" "$LUTBOX_BUILD/KX_DEV_LUTLOADER.dll" beside/
  $ printf 'devInit\nexit\n' | LUTBOX="beside/$tool" lutbox; status
  请输入命令: ->Dev_Num = 1
  请输入命令: ->status 0
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

Run from a directory without the library. The tool reads nothing of its
input; the shell's pause may take its key from it (PAUSE_TAKES bytes).

  $ mkdir alone && cp "$LUTBOX" alone/
  $ printf 'devInit\nexit\n' | {
  >   LUTBOX="alone/$tool" lutbox 2>looked; status
  >   echo "bytes read by the tool: $((13 - PAUSE_TAKES - $(wc -c)))"
  > }
  LoadLibrary failPress any key to continue . . . 
  status -1
  bytes read by the tool: 0
  $ journal

Standard error says which file was looked for, by its full path beside the
program, and where the simulated box is to be found.

  $ looked=$(console_lines < looked)
  $ echo "${looked//"$(tool_path "$PWD/alone/KX_DEV_LUTLOADER.dll")"/BESIDE-THE-PROGRAM}"
  lutbox: the device library KX_DEV_LUTLOADER.dll cannot be loaded. It was looked for beside the program, as
    BESIDE-THE-PROGRAM
  lutbox: to try the console without a box, start it in the simulator folder of the package, where the simulated box is.

A library that lacks the last entry point, one that no command calls, or
whose names differ in letter case.

  $ for v in missing-last missing-uncalled missing-first wrong-case; do
  >   mkdir "$v" && cp "$LUTBOX" "$LUTBOX_BUILD/variants/$v/KX_DEV_LUTLOADER.dll" "$v/"
  >   printf 'devInit\nexit\n' | LUTBOX="$v/$tool" lutbox; status
  > done
  GetFunAddr failPress any key to continue . . . 
  status -1
  GetFunAddr failPress any key to continue . . . 
  status -1
  GetFunAddr failPress any key to continue . . . 
  status -1
  GetFunAddr failPress any key to continue . . . 
  status -1
  $ journal
