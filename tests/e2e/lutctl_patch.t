lutctl patch: the source, then the three levels through KX_DEV_SetChVal;
codes of --bits bits are sent as code / (2^bits - 1).

  $ . "$E2E_LIB"

Levels, codes of each width, the calibration source, JSON.

  $ lutctl patch 0 0.5 1 && lutctl patch --bits 10 1023 512 0 && lutctl patch 255 128 0 --bits 8 --source calib &&
  > lutctl --json patch --bits 16 65535 1 0 && lutctl patch --bits 12 4095 2048 1
  patch 0 0.5 1 on user: ok
  patch 1 0.500488758 0 on user: ok
  patch 1 0.501960814 0 on calib: ok
  {"command": "patch", "source": "user", "levels": [1, 1.52590219e-05, 0], "result": 0, "ok": true}
  patch 1 0.50012213 0.000244200259 on user: ok
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => 0
  KX_DEV_SetChVal 0 0,0.5,1 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => 0
  KX_DEV_SetChVal 0 1,0.500489,0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 4 => 0
  KX_DEV_SetChVal 0 1,0.501961,0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => 0
  KX_DEV_SetChVal 0 1,1.5259e-05,0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => 0
  KX_DEV_SetChVal 0 1,0.500122,0.0002442 => 0
  KX_DEV_DeInit => 0

A failing call is named, nothing after it is made, the box is closed.

  $ KXSIM_RESULTS=KX_DEV_SetSourceMode=-3 lutctl patch 1 1 1; status
  lutctl: KX_DEV_SetSourceMode failed (-3)
  status 1
  $ KXSIM_RESULTS=KX_DEV_SetChVal=-5 lutctl --json patch 1 1 1; status
  lutctl: KX_DEV_SetChVal failed (-5)
  {"command": "patch", "source": "user", "levels": [1, 1, 1], "result": -5, "ok": false}
  status 1
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => -3
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 1 => 0
  KX_DEV_SetChVal 0 1,1,1 => -5
  KX_DEV_DeInit => 0

Refused before the box is opened: levels outside 0 to 1 or not decimal,
codes beyond --bits, widths other than 8, 10, 12, 16, sources the box does
not show levels in, a missing level; patchgen's malformed --connect,
--timeout and --restore values.

  $ for args in 'patch 1.01 0 0' 'patch -- -0.1 0 0' 'patch 0x1 0 0' 'patch nan 0 0' 'patch --bits 8 256 0 0' \
  >   'patch --bits 9 1 1 1' 'patch --bits 10 0.5 0 0' 'patch --source hdmi 1 1 1' 'patch 1 1' \
  >   'patchgen --connect host:0' 'patchgen --connect :20002' 'patchgen --connect [::1' 'patchgen --timeout 0' \
  >   'patchgen --restore tv'; do
  >   eval lutctl "$args" 2>&1 | grep -v '^usage:'; status "${PIPESTATUS[0]}"
  > done
  lutctl: a level is a decimal number from 0 to 1, not '1.01'
  status 2
  lutctl: a level is a decimal number from 0 to 1, not '-0.1'
  status 2
  lutctl: a level is a decimal number from 0 to 1, not '0x1'
  status 2
  lutctl: a level is a decimal number from 0 to 1, not 'nan'
  status 2
  lutctl: a 8-bit code is a whole number from 0 to 255, not '256'
  status 2
  lutctl: --bits takes 8, 10, 12 or 16, not '9'
  status 2
  lutctl: a 10-bit code is a whole number from 0 to 1023, not '0.5'
  status 2
  lutctl: unknown source 'hdmi'; valid: user, calib
  status 2
  lutctl: patch needs R G B
  status 2
  lutctl: --connect takes HOST or HOST:PORT (PORT 1 to 65535), not 'host:0'
  status 2
  lutctl: --connect takes HOST or HOST:PORT (PORT 1 to 65535), not ':20002'
  status 2
  lutctl: --connect takes HOST or HOST:PORT (PORT 1 to 65535), not '[::1'
  status 2
  lutctl: --timeout takes whole seconds from 1 to 86400, not '0'
  status 2
  lutctl: unknown source 'tv'; valid: SMPTE, USER, SDI, HDMI, CALIB
  status 2
  $ journal
