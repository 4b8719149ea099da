"Bit2Bin:" turns a bitstream into V2FpgaUpdate_.bnb: the same bytes with the
first 331 set to 0xFF; no device call is made.

  $ . "$E2E_LIB"

The expected image of a file, computed here.

  $ image() {
  >   python3 -c "import sys; d = open(sys.argv[1], 'rb').read(); sys.stdout.buffer.write(b'\xff' * min(len(d), 331) + d[331:])" "$1"
  > }
  $ pattern() {
  >   python3 -c "import sys; sys.stdout.buffer.write(bytes((i * 7 + 3) % 251 for i in range(int(sys.argv[1]))))" "$1"
  > }

332 bytes: 331 bytes of 0xFF, then the source's last byte.

  $ pattern 332 > top.bit
  $ printf 'Bit2Bin:top.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate seccess!
  Bin file name: V2FpgaUpdate_.bnb.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0
  $ od -An -tx1 -v V2FpgaUpdate_.bnb | tr -s ' \n' '\n\n' | sed '/^$/d' | uniq -c | sed 's/^ *//'
  331 ff
  1 3d
  $ tail -c 1 top.bit | od -An -tx1
   3d

An empty source is no bitstream: it is refused, and the image it would
have emptied stays as it was. Then 1, 331 and 1000 bytes, and a shorter file
after the longer one.

  $ : > empty.bit
  $ pattern 1 > one.bit
  $ pattern 331 > p331.bit
  $ pattern 1000 > p1000.bit
  $ printf 'Bit2Bin:empty.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ image top.bit | cmp - V2FpgaUpdate_.bnb
  $ for f in one p331 p1000 top; do
  >   printf 'Bit2Bin:%s.bit\nexit\n' $f | lutbox > /dev/null
  >   image $f.bit | cmp - V2FpgaUpdate_.bnb && echo "$f $(wc -c < V2FpgaUpdate_.bnb)"
  > done
  one 1
  p331 331
  p1000 1000
  top 332

The image as its own source keeps its own bytes.

  $ pattern 2000 > V2FpgaUpdate_.bnb
  $ image V2FpgaUpdate_.bnb > expected.bnb
  $ printf 'Bit2Bin:V2FpgaUpdate_.bnb\nexit\n' | lutbox
  请输入命令: ->Bin file generate seccess!
  Bin file name: V2FpgaUpdate_.bnb.
  请输入命令: -> (no-eol)
  $ cmp V2FpgaUpdate_.bnb expected.bnb

The largest source that fits the buffer, 5499704 bytes, and one byte more,
which is refused without touching the earlier image.

  $ pattern 5499704 > largest.bit
  $ printf 'Bit2Bin:largest.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate seccess!
  Bin file name: V2FpgaUpdate_.bnb.
  请输入命令: -> (no-eol)
  $ image largest.bit | cmp - V2FpgaUpdate_.bnb
  $ cp largest.bit larger.bit && printf 'x' >> larger.bit
  $ cp V2FpgaUpdate_.bnb before.bnb
  $ printf 'Bit2Bin:larger.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ cmp V2FpgaUpdate_.bnb before.bnb
  $ rm largest.bit larger.bit before.bnb

A source that does not exist fails and changes nothing; so does an image
that cannot be created.

  $ cp V2FpgaUpdate_.bnb before.bnb
  $ printf 'Bit2Bin:absent.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ cmp V2FpgaUpdate_.bnb before.bnb
  $ rm V2FpgaUpdate_.bnb && mkdir V2FpgaUpdate_.bnb
  $ printf 'Bit2Bin:top.bit\nBit2Bin:absent.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ rmdir V2FpgaUpdate_.bnb
  $ printf 'Bit2Bin:absent.bit\nexit\n' | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ test -e V2FpgaUpdate_.bnb || echo absent
  absent

A write that fails part-way (here at the file size limit) leaves the image
that stood there, and no temporary file.

  $ pattern 600 > small.bit
  $ printf 'Bit2Bin:small.bit\nexit\n' | lutbox > /dev/null
  $ cp V2FpgaUpdate_.bnb before.bnb
  $ pattern 200000 > big.bit
  $ (ulimit -f 100; trap '' XFSZ; printf 'Bit2Bin:big.bit\nexit\n' | lutbox)
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)
  $ cmp V2FpgaUpdate_.bnb before.bnb
  $ ls | grep -c tmp
  0
  [1]

Names that are no regular file are refused at once, without waiting for a
writer or reading for ever: a FIFO and a device (Windows: the device names
CON, COM1 and NUL, with any extension).

  $ for name in $(not_regular_files bit); do printf 'Bit2Bin:%s\n' $name; done > words
  $ wc -l < words
  3
  $ (cat words; echo exit) | lutbox
  请输入命令: ->Bin file generate fail!
  请输入命令: ->Bin file generate fail!
  请输入命令: ->Bin file generate fail!
  请输入命令: -> (no-eol)

Every run made no device call: only the close at exit.

  $ journal | uniq -c | sed 's/^ *//'
  14 KX_DEV_DeInit => 0
