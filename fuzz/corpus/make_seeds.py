#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/.

Each seed starts with the target's own first bytes (see the comment at the
top of each <target>_fuzz.cpp), then the text of a small LUT, row, number or
command sequence of the kind the target's code must take or refuse. Run it
from anywhere; it rewrites the seeds it names and leaves other files alone.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# lut3d_file: extension byte (0 csv, 1 cube, 2 3dl, 3 txt; 0x10 upper case;
# 0x80 grow to the smallest cube, 0x60 the run's length: 0x20 exact).
GROW_EXACT, GROW_SHORT, GROW_LONG = 0xA0, 0x80, 0xC0
cube_rows = "0.000000 0.000000 0.000000\n0.062500 0.000000 0.000000\n0.125000 0.5 1\n"
write("lut3d_file", "cube_grown", bytes([1 | GROW_EXACT]) + b'TITLE "x"\nLUT_3D_SIZE 17\n' + cube_rows.encode())
write("lut3d_file", "cube_grown_crlf_upper", bytes([1 | 0x10 | GROW_EXACT]) +
      b"# comment\r\n0.1 0.2 0.3\r\n1e-3 .5 5.\r\n")
write("lut3d_file", "csv_grown", bytes([0 | GROW_EXACT]) + b"R,G,B\n0,0,0,0.000000,0.000000,0.000000\n"
      b"1,0,0,0.062500,0.000000,0.000000\n")
write("lut3d_file", "3dl_grown", bytes([2 | GROW_EXACT]) +
      b"0 64 128 192 256 320 384 448 512 576 640 704 768 832 896 960 1023\n0 0 0\n64 0 0\n1023 70000 -1\n")
write("lut3d_file", "3dl_short", bytes([2 | GROW_SHORT]) + b"#Flame\n0 64 1023\n1 2 3\n")
write("lut3d_file", "cube_long", bytes([1 | GROW_LONG]) + cube_rows.encode())
write("lut3d_file", "cube_bad_row", bytes([1 | GROW_EXACT]) + b"0.1 0.2 0.3\n0.1 0.2 3.0e\n0.1 nan inf\n")
write("lut3d_file", "cube_run_ended", bytes([1]) + b"LUT_3D_SIZE 2\n0 0 0\n1 0 0\n# end\n0 1 0\n")
write("lut3d_file", "csv_long_line", bytes([0]) + b"x" * 300 + b"\n1,2,3,4,5,6\n")
write("lut3d_file", "txt_unknown", bytes([3]) + b"0.5 0.5 0.5\n")
write("lut3d_file", "header_only", bytes([1]) + b"TITLE \"none\"\n\n-0.000000 1 1\n")

# lut3d_rows: family byte (0 csv, 1 cube, 2 3dl; 0x80 near the block's
# end), then rows - 1 in the low four bits and the distance from the block's
# end in the high four.
write("lut3d_rows", "csv", bytes([0, 2]) + b"0,0,0,0.5,.5,1e-3\n1,0,0,0.25,0.75,1\r\n2,0,0,1,1,1\n")
write("lut3d_rows", "csv_odd", bytes([0, 1]) + b" 3 ,0,0,nan,-Infinity,0x1p-3\n4,0,0,0;5,1,1\n")
write("lut3d_rows", "cube", bytes([1, 3]) + b"0.5 .5 1e-3\r\n 1 2 3\n\t-0 +.25 5.\n1e39 -1e-50 3.4028236e38\n")
write("lut3d_rows", "cube_block_end", bytes([0x80 | 1, 0x31]) + b"0.123456 0.654321 1.000000\n0.1 0.2 0.3\n")
write("lut3d_rows", "3dl", bytes([2, 2]) + b"0 64 128\n70000 -1 65535\n4294967297 +7 -0\n")
write("lut3d_rows", "3dl_block_end", bytes([0x80 | 2, 0x21]) + b"1023 1023 1023\n512 256 128\n")

# lut1d_file: extension byte (0 .hex, 1 .Hex, 2 .lut, 3 .LUT, 4 .HEX, 5 .txt).
write("lut1d_file", "hex", bytes([0]) + "".join(f"{i * 4}\r\n" for i in range(64)).encode())
write("lut1d_file", "hex_wrap", bytes([1]) + b"4294967297 -1 +12 99999999999\n1x2\n")
write("lut1d_file", "lut", bytes([2]) + b"LUT: 1 4096\n# header\n0\n0\n0\n5\n5\n7\n8\n8\n-3\n")
write("lut1d_file", "lut_upper", bytes([3]) + b"\n\n12 12 13 14\n")
write("lut1d_file", "unknown", bytes([4]) + b"1 2 3\n")

# float_field: mode byte (0x80 near the block's end, by (mode & 0x3F) + 1).
numbers = ["0.123456", "-1e39", "0x1.fffffep127", "nan(123)", "-INFINITY", "1.000000059604644775390625",
           "  \t7.25", "3.0e", "1e-45", "0X.8P-3", ".5", "5.", "00x1", "nan(" + "z" * 70 + ")",
           "1" + "0" * 200 + "e-200", "0." + "0" * 60 + "1e61"]
for i, number in enumerate(numbers):
    write("float_field", f"number{i:02d}", bytes([0]) + number.encode())
write("float_field", "block_end", bytes([0x80 | 3]) + b"0.3333333333")
write("float_field", "block_end_long", bytes([0x80 | 20]) + b"1" + b"0" * 40 + b"e-40,")


# dispatch: words, a NUL, then the script: a result byte per call (0x7F and
# four bytes for a 32-bit one), and for a call that writes a reply a length
# byte (64: the whole buffer, no terminator; 65: nothing) and the text.
def result(value):
    if -128 <= value <= 127 and value != 0x7F:
        return struct.pack("b", value)
    return b"\x7f" + struct.pack("<i", value)


def reply(text):
    return bytes([len(text)]) + text


full = bytes([64]) + b"R" * 64
write("dispatch", "queries", b"devInit getName getSN getMcuVer getUsbFileName getW25q_3 getS25F_7\x00" +
      result(1) + result(1) + result(0) + full + result(0) + result(1) + result(0) + reply(b"SN-1") +
      result(0) + result(1) + result(-7) + result(0))
write("dispatch", "load", b"load:a.cube load:a.3dl load:a.csv load:missing.cube setLut readMenu setLut\x00" +
      result(1) + result(-1) + result(0) + result(1) + result(0) + result(-7) + result(0) +
      result(1) + result(0) + result(0) + result(5) + result(0))
write("dispatch", "files", b"loadLog:g.hex Bit2Bin:f.bit Bit2Bin:e.bit Gamma10b:2.2 Gamma10b:/x "
      b"loadLog:a.cube Bit2Bin:V2FpgaUpdate_.bnb load:/a.cube")
write("dispatch", "loader_test", b"\xbc\xd3\xd4\xd8\xc6\xf7\xb2\xe2\xca\xd4 usbtest ethtest\x00" +
      result(0) + result(0) + full + result(0) + full + result(-1) + reply(b"") + result(0) + reply(b"W") +
      result(0) + result(0) + reply(b"x") + result(-4) + bytes([65]))
write("dispatch", "controls", b"source:HDMI LutCtrl:P3 FPGA_RST RST_FPGA_TRUE FPGA_REG3:33 setRGB "
      b"GetDevInfo:0x0001,000002 GetFPGAInfo:1 SetMode:2 Clr3dlut MCU_I2C1_Init getLMH0341FormatID "
      b"atoi:-12 itoa float_mul printfChar findVal readSTD3DLut FPGA_REG1:5 FPGA_REG4:1\x00" +
      result(-1) + result(1) + result(-7) + result(0x7FFFFFFF) + result(-2147483648))
write("dispatch", "long_words", b"getName" + b"x" * 70 + b" exit getName\x00" + result(1))

# prep_read: family byte (0 csv, 1 cube, 2 3dl, 3 none; 0x40: no warnings
# or error asked for).
cube2 = "".join(f"{r} {g} {b}\n" for b in (0, 1) for g in (0, 1) for r in (0, 1))
write("prep_read", "cube", bytes([1]) + ('TITLE "two"\nDOMAIN_MIN 0 0 0\nDOMAIN_MAX 1 2 1\nLUT_3D_SIZE 2\n'
                                          + cube2).encode())
write("prep_read", "cube_shaper", bytes([1]) + ("LUT_1D_SIZE 2\nLUT_3D_SIZE 2\nLUT_1D_INPUT_RANGE 0 2\n"
                                                 "0 0 0\n1 1 1\n" + cube2).encode())
write("prep_read", "cube_1d", bytes([1 | 0x40]) + b"LUT_1D_SIZE 3\n0 0 0\n0.5 0.5 nan\n1 1 1.5\n")
write("prep_read", "cube_bad", bytes([1]) + b"LUT_3D_SIZE 2\nLUT_IN_VIDEO_RANGE\n0 0\n")
write("prep_read", "3dl_lustre", bytes([2]) + ("3DMESH\nMesh 1 12\n0 1023\n" + "".join(
    f"{r * 4095} {g * 4095} {b * 4095}\n" for r in (0, 1) for g in (0, 1) for b in (0, 1)) + "LUT8\ngamma 1.0\n").encode())
write("prep_read", "3dl_flame", bytes([2]) + ("#Flame\n0 1023\n" + "".join(
    f"{r * 1023} {g * 1023} {b * 1023}\n" for r in (0, 1) for g in (0, 1) for b in (0, 1))).encode())
write("prep_read", "csv", bytes([0]) + ("R,G,B,r,g,b\n" + "".join(
    f"{r},{g},{b},{r}.0,{g}.0,{b}.0\n" for r in (0, 1) for g in (0, 1) for b in (0, 1))).encode())
write("prep_read", "csv_locale", bytes([0]) + ("\ufeff".encode("utf-8").decode("latin-1") + "".join(
    f"{r};{g};{b};{r},5;{g},0;{b},25\r\n" for r in (0, 1) for g in (0, 1) for b in (0, 1))).encode("latin-1"))
write("prep_read", "none", bytes([3]) + b"0 0 0\n")

# prep_EXT (prep_transform_fuzz.cpp, one target per format read as a
# transform): first byte (--cccid: 0 none, 1 "0", 2 "1", 3 "cc0001"; 0x20:
# named with a depth; 0x40: no warnings or error asked for), then a sample
# file of the format from tests/data/lut-samples/ (those of at most 4 KB).
# Formats that share a reader take each other's samples; collections are
# seeded with an index and an id too, Discreet files with a name.
SAMPLES = os.path.join(HERE, "..", "..", "tests", "data", "lut-samples")
SHARED_READERS = {"m3d": ["m3d", "mga"], "clf": ["clf", "ctf"], "ccc": ["ccc", "cdl"]}
FIRST_BYTES = {"cc": [0, 1], "ccc": [0, 1, 3], "lut": [0, 0x20]}
for extension in ["csp", "spi1d", "spi3d", "spimtx", "hdl", "lut", "cub", "itx", "vf", "m3d", "look", "clf", "cc",
                  "ccc"]:
    for folder in SHARED_READERS.get(extension, [extension]):
        for name in sorted(os.listdir(os.path.join(SAMPLES, folder))):
            with open(os.path.join(SAMPLES, folder, name), "rb") as f:
                text = f.read()
            if len(text) > 4096:
                continue
            for first in FIRST_BYTES.get(extension, [0]):
                seed = name if first == 0 else f"{name}.byte{first}"
                write("prep_" + extension, seed, bytes([first]) + text)

# prep_spi3d: the usual node line ("i j k r g b", single spaces) is read on
# a path of its own: lines at its edges (fractions of 1 to 17 digits ending
# the line, signs, three-digit indices, a field more or fewer, a field that
# is numbers run together) beside a line of the general way's spellings.
fractions = ["5", "25", "125", "0625", "03125", "015625", "0078125", "00390625", "001953125", "0009765625",
             "00048828125", "000244140625", "0001220703125", "00006103515625", "000030517578125",
             "0000152587890625", "00000762939453125"]
spi3d_rows = "".join(f"{n & 1} {n >> 1 & 1} {'00' if n % 3 == 0 else ''}{n >> 2 & 1} 0.{fractions[n]} "
                     f"-0.{fractions[n + 1]} 0.{fractions[n + 9]}\n" for n in range(1, 8))
write("prep_spi3d", "spi3d_usual_lines_and_edges", bytes([0]) + (
    "SPILUT 1.0\n3 3\n2 2 2\n1 1 1 0.5 0.5 0.5 0.5\n1 1 1 0.5 0.5\n1 1 1 0.5x0.5 0.5\n0\t0 +0  1e-1 .5 5. \n"
    + spi3d_rows).encode())

# prep_look: values as pairs of digits of either case, eight together, and
# broken by blanks, line ends and quotes within a value.
look_hex = "".join(("0000803f", "0000803F", "0000803e", "0000003F")[v % 4] for v in range(24))
look_data = look_hex[:60] + "\n      " + look_hex[60:101] + '"\n  "' + look_hex[101:150] + " " + look_hex[150:]
write("prep_look", "look_mixed_case_pairs", bytes([0]) + (
    '<?xml version="1.0" ?>\n<look>\n  <LUT>\n    <size>"2"</size>\n    <data>"\n      ' + look_data
    + '\n    "</data>\n  </LUT>\n</look>\n').encode())
