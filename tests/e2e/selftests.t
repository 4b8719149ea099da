The arithmetic self-tests: fixed inputs, exact lines, no device call.

  $ . "$E2E_LIB"

float_mul prints the software product beside the double product and its
single-precision rounding.

  $ printf 'float_mul\nexit\n' | lutbox
  请输入命令: ->my result:-5658446848.000000
  correct result:x * y = -5658447002.415161
  correct result:z = -5658446848.000000
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0

itoa shows the same four lines each time; printfChar shows a signed char of
all ones; findVal finds no divisor and prints only a line break. None of them
opens or closes the device (the only call is the close at exit), and none
writes a file.

  $ printf 'itoa\nitoa\nprintfChar\nfindVal\nexit\n' | lutbox
  请输入命令: ->itoa test 43670 = -43670
  sign = 1
  char = - ,4
  val = 4578
  请输入命令: ->itoa test 43670 = -43670
  sign = 1
  char = - ,4
  val = 4578
  请输入命令: ->vs2010 char = -1
  请输入命令: ->
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0
  $ ls

atoi: prints ten times the value; the conversion and the product both wrap
in 32 bits.

  $ printf 'atoi:%s\n' 123 -45 abc 214748365 2147483648 | lutbox
  请输入命令: ->atoi test Val * 10 = 1230
  请输入命令: ->atoi test Val * 10 = -450
  请输入命令: ->atoi test Val * 10 = 0
  请输入命令: ->atoi test Val * 10 = -2147483646
  请输入命令: ->atoi test Val * 10 = 0
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0

A backspace is part of the word and is skipped before the digits; the text
is taken from byte 5 wherever the keyword stands.

  $ printf 'atoi:\b\b42\nXatoi:5\natoi:12atoi:34\nexit\n' | lutbox
  请输入命令: ->atoi test Val * 10 = 420
  请输入命令: ->atoi test Val * 10 = 0
  请输入命令: ->atoi test Val * 10 = 120
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0
