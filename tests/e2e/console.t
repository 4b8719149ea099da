The console loop against the simulated box: prompt, matching, shutdown.

  $ . "$E2E_LIB"

The prompt is GBK and is written before each read; devInit opens the device
and leaves it open, and exit closes it once.

  $ printf 'devInit\ndevInit\nexit\n' | lutbox
  请输入命令: ->Dev_Num = 1
  请输入命令: ->Dev_Num = 1
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

"exit" anywhere in a word ends the tool at once, also behind a keyword.

  $ printf 'readMenu\nload:/tmp/exit.cube\ndevInit\n' | lutbox; echo "status $?"
  请输入命令: ->read Menu success
  请输入命令: ->status 0
  $ journal
  KX_DEV_DeInit => 0

Words that match nothing, wrong-case keywords, blank lines and two words on
one line.

  $ printf 'hello\nREADMENU readmenu\n\n\n   \nreadMenu devInit\nexit\n' | lutbox
  请输入命令: ->请输入命令: ->请输入命令: ->请输入命令: ->read Menu success
  请输入命令: ->Dev_Num = 1
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

readSTD3DLut does nothing at all, whatever else the word holds.

  $ printf 'readSTD3DLut\nxreadSTD3DLutdevInitreadMenu\nexit\n' | lutbox
  请输入命令: ->请输入命令: ->请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0

The end of the input shuts down as exit does, without repeating the last
word; so does an input without any word.

  $ printf 'devInit' | lutbox; echo "status $?"
  请输入命令: ->Dev_Num = 1
  请输入命令: ->status 0
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  $ lutbox < /dev/null; echo "status $?"
  请输入命令: ->status 0
  $ journal
  KX_DEV_DeInit => 0

A word of 63 bytes is still a word and runs; one of 64 bytes or more runs
nothing (not even its first 63 bytes) and says so.

  $ word63=$(printf 'devInit%056d' 0); echo ${#word63}
  63
  $ printf '%s\nexit\n' "${word63}" | lutbox
  请输入命令: ->Dev_Num = 1
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

  $ long=$(printf 'devInit%057d' 0); echo ${#long}
  64
  $ printf '%s\n%sx\nexit\n' "${long}" "${long}" | lutbox
  请输入命令: ->Command word too long: at most 63 characters.
  请输入命令: ->Command word too long: at most 63 characters.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0

A failed open is reported by devInit; nothing closes the device after it.

  $ printf 'devInit\ndevInit\nexit\n' | KXSIM_RESULTS=KX_DEV_Init=-1 lutbox
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->Dev_Num = 1
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => -1
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
