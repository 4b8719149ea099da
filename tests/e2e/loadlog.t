"loadLog:" reads a hex 1D LUT file and writes the ramp file GammaInit.hex;
no device call is made.

  $ . "$E2E_LIB"

Paths it does not read as hex: upper-case .HEX, another extension, a lut
file, a file that does not exist. Each fails and writes no ramp file.

  $ printf '1\r\n2\r\n' > upper.HEX
  $ printf '1\r\n2\r\n' > curve.txt
  $ printf '# header\r\n0\r\n5\r\n' > curve.lut
  $ printf 'loadLog:upper.HEX\nloadLog:curve.txt\nloadLog:curve.lut\nloadLog:absent.hex\nexit\n' | lutbox
  请输入命令: ->Log Lut File Open fail!
  请输入命令: ->Log Lut File Open fail!
  请输入命令: ->Log Lut File Open fail!
  请输入命令: ->Log Lut File Open fail!
  请输入命令: -> (no-eol)
  $ test -e GammaInit.hex || echo absent
  absent
  $ journal
  KX_DEV_DeInit => 0

Names that are no regular file are refused at once: a FIFO and a device
(Windows: the device names CON, COM1 and NUL).

  $ printf 'loadLog:%s\n' $(not_regular_files hex) exit | lutbox
  请输入命令: ->Log Lut File Open fail!
  请输入命令: ->Log Lut File Open fail!
  请输入命令: ->Log Lut File Open fail!
  请输入命令: -> (no-eol)
  $ test -e GammaInit.hex || echo absent
  absent
  $ journal
  KX_DEV_DeInit => 0

A hex file of 1024 decimal values: the ramp 0 to 3ff, every line ending in
CR LF, the last one included; a longer file of that name is replaced whole.

  $ head -c 9000 /dev/zero > GammaInit.hex
  $ python3 -c "import sys; sys.stdout.write(''.join('%d\r\n' % (v * 4) for v in range(1024)))" > curve.hex
  $ python3 -c "import sys; sys.stdout.buffer.write(b''.join(b'%x\r\n' % k for k in range(1024)))" > expected.hex
  $ printf 'loadLog:curve.hex\nexit\n' | lutbox
  请输入命令: ->Log Lut file regenerate success.
  请输入命令: -> (no-eol)
  $ cmp GammaInit.hex expected.hex && wc -c < GammaInit.hex
  4848
  $ head -c 9 GammaInit.hex | od -An -c
     0  \r  \n   1  \r  \n   2  \r  \n
  $ tail -c 10 GammaInit.hex | od -An -c
     3   f   e  \r  \n   3   f   f  \r  \n
  $ journal
  KX_DEV_DeInit => 0

The ramp does not depend on the input: a short file with other values, the
.Hex spelling, writes the same bytes over the earlier file.

  $ printf '7 8 9' > other.Hex
  $ printf 'loadLog:other.Hex\nexit\n' | lutbox
  请输入命令: ->Log Lut file regenerate success.
  请输入命令: -> (no-eol)
  $ cmp GammaInit.hex expected.hex

A ramp file that cannot be created is reported instead of the success line.

  $ rm GammaInit.hex && mkdir GammaInit.hex
  $ printf 'loadLog:curve.hex\nexit\n' | lutbox
  请输入命令: ->Log Lut file regenerate fail!
  请输入命令: -> (no-eol)

Every run made no device call: only the close at exit.

  $ journal | uniq -c | sed 's/^ *//'
  2 KX_DEV_DeInit => 0
