"Gamma10b:" writes the 1024-entry 10-bit gamma curve of the typed exponent;
no device call is made.

  $ . "$E2E_LIB"

The expected bytes, computed here: x = i / 1024 raised to the exponent, times
1024, truncated; "%03x" and CR, with CR LF after every value but the last.

  $ expect() {
  >   python3 -c "import sys, math; e = float(sys.argv[1]); sys.stdout.buffer.write(b''.join(b'%03x\r' % int(math.pow(i / 1024, e) * 1024) + (b'\r\n' if i < 1023 else b'') for i in range(1024)))" "$1"
  > }
  $ values() { tr '\r' '\n' < "$1" | sed '/^$/d'; }

The exponent 2.2 writes Gamma10b_22.hex, replacing a longer file of that
name whole.

  $ head -c 9000 /dev/zero > Gamma10b_22.hex
  $ printf 'Gamma10b:2.2\nexit\n' | lutbox
  请输入命令: ->Gamma file generate success.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0
  $ expect 2.2 | cmp - Gamma10b_22.hex && wc -c < Gamma10b_22.hex
  6142
  $ values Gamma10b_22.hex | sed -n '1p;44p;45p;101p;129p;257p;513p;769p;1001p;1023p;1024p'
  000
  000
  001
  006
  00a
  030
  0de
  21f
  3cb
  3fb
  3fd
  $ head -c 12 Gamma10b_22.hex | od -An -c
     0   0   0  \r  \r  \n   0   0   0  \r  \r  \n
  $ tail -c 10 Gamma10b_22.hex | od -An -c
     3   f   b  \r  \r  \n   3   f   d  \r

Characters behind the number are ignored by the exponent and kept in the
name; the exponents 1, 2 and 0.45; a second run rewrites the same bytes.

  $ printf 'Gamma10b:2.2abc\nGamma10b:1\nGamma10b:2\nGamma10b:0.45\nGamma10b:2.2\nexit\n' | lutbox
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: -> (no-eol)
  $ cmp Gamma10b_22abc.hex Gamma10b_22.hex
  $ expect 2.2 | cmp - Gamma10b_22.hex
  $ expect 1 | cmp - Gamma10b_1.hex
  $ expect 2 | cmp - Gamma10b_2.hex
  $ expect 0.45 | cmp - Gamma10b_045.hex

No exponent, or no number, gives 400 for every entry, the first included.

  $ printf 'Gamma10b:\nGamma10b:abc\nexit\n' | lutbox
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: -> (no-eol)
  $ values Gamma10b_.hex | sort | uniq -c | sed 's/^ *//'
  1024 400
  $ cmp Gamma10b_.hex Gamma10b_abc.hex

Negative exponents, infinities and NaN write defined values: beyond the
64-bit range the largest value (low 32 bits ffffffff), NaN as 0.

  $ printf 'Gamma10b:-1\nGamma10b:-inf\nGamma10b:inf\nGamma10b:nan\nexit\n' | lutbox
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: ->Gamma file generate success.
  请输入命令: -> (no-eol)
  $ values Gamma10b_-1.hex | sed -n '1,3p;1024p'
  ffffffff
  100000
  80000
  401
  $ values Gamma10b_-inf.hex | sort | uniq -c | sed 's/^ *//'
  1024 ffffffff
  $ values Gamma10b_inf.hex | sort | uniq -c | sed 's/^ *//'
  1024 000
  $ cmp Gamma10b_inf.hex Gamma10b_nan.hex

A name that would not fit 63 characters is refused and writes nothing; 50
characters (points left out) still fit. A name that would leave the current
directory is refused like a file that cannot be created, even where the
directory exists.

  $ mkdir Gamma10b_1
  $ ls > before
  $ printf 'Gamma10b:%051d\nGamma10b:1/2\nGamma10b:1\\2\nGamma10b:2:2\nexit\n' 0 | lutbox
  请输入命令: ->Gamma file name too long!
  请输入命令: ->Gamma file generate fail!
  请输入命令: ->Gamma file generate fail!
  请输入命令: ->Gamma file generate fail!
  请输入命令: -> (no-eol)
  $ ls | cmp - before
  $ ls Gamma10b_1
  $ rmdir Gamma10b_1
  $ printf 'Gamma10b:1.%049d\nexit\n' 0 | lutbox
  请输入命令: ->Gamma file generate success.
  请输入命令: -> (no-eol)
  $ expect 1 | cmp - Gamma10b_1$(printf '%049d' 0).hex

Every run made no device call: only the close at exit.

  $ journal | uniq -c | sed 's/^ *//'
  5 KX_DEV_DeInit => 0
