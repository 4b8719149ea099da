Start-up failures: no library, or a library that lacks an entry point.
Each prints its message, pauses without eating input, and ends with -1.

  $ . "$E2E_LIB"
  $ tool() { ls "$LUTBOX_BUILD"/lutbox* | grep -v '\.pdb$' | head -n 1; }

Run from a directory without the library.

  $ mkdir alone && cp "$(tool)" alone/
  $ printf 'devInit\nexit\n' | LUTBOX="alone/$(basename "$(tool)")" lutbox; echo " status $?"
  LoadLibrary failPress any key to continue . . . 
   status 255
  $ journal

A library that lacks the last entry point, one that no command calls, or
whose names differ in letter case.

  $ for v in missing-last missing-uncalled missing-first wrong-case; do
  >   mkdir "$v" && cp "$(tool)" "$LUTBOX_BUILD/variants/$v/KX_DEV_LUTLOADER.dll" "$v/"
  >   printf 'devInit\nexit\n' | LUTBOX="$v/$(basename "$(tool)")" lutbox; echo " status $?"
  > done
  GetFunAddr failPress any key to continue . . . 
   status 255
  GetFunAddr failPress any key to continue . . . 
   status 255
  GetFunAddr failPress any key to continue . . . 
   status 255
  GetFunAddr failPress any key to continue . . . 
   status 255
  $ journal
