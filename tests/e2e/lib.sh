# Shared set-up of the transcripts, sourced at the top of each one.
#
# LUTBOX is the tool under test (the native build, or lutbox.exe), LUTCTL
# the scripting tool and LUTPREP the LUT file tool of the same build;
# LUTBOX_RUN is the command that runs a program of that build (empty, or
# Wine); LUTBOX_BUILD is the build directory.
# LUTBOX_CRLF=1 says that the tool's text-mode console writes CR LF.
# LUTBOX_SHELL=wine-cmd says that the shell's "Pause" is Wine's cmd.
#
# Every difference between the platforms is matched here, by its exact form;
# the transcripts expect one text for all of them.

export KXSIM_JOURNAL="$PWD/journal"
unset KXSIM_RESULTS KXSIM_TEXT

# The shell's key-press pause as the console shows it. The tool's own pause
# (POSIX) and Windows' cmd print "Press any key to continue . . . " and a line
# end; Wine's cmd prints "Press any key to continue... " and no line end,
# which is shown as the former.
# PAUSE_TAKES: the bytes of a standard input that is not a terminal which the
# pause reads as its key. cmd reads one (when one is there: the tool may hold
# the rest of a short input in its own buffer already); the tool's own pause
# reads none.
case "${LUTBOX_SHELL:-}" in
  wine-cmd)
    PAUSE_TAKES=1
    pause_shown() { sed 's/Press any key to continue\.\.\. /Press any key to continue . . . \n/g'; }
    terminal_shown() { cat; } ;;
  '')
    PAUSE_TAKES=0
    pause_shown() { cat; }
    terminal_shown() { iconv -f GBK -t UTF-8; } ;;
  *)
    echo "lib.sh: unknown LUTBOX_SHELL '$LUTBOX_SHELL'" >&2
    exit 1 ;;
esac

# The text console's line end, shown as LF. Only CR LF pairs are folded: a
# lone CR stays and shows as an escape.
if [ "${LUTBOX_CRLF:-0}" = 1 ]; then
  console_lines() { sed 's/\r$//'; }
else
  console_lines() { cat; }
fi

# Runs a program of the build (after LUTBOX_RUN) with its standard output
# as this function's; "merged" first joins standard error to it. The exit
# status is the program's.
# Wine can fail to start a process: it then ends with status 1 or 66
# before the program has run, printing nothing and reading none of its
# input. (The known cause, its fixed mappings colliding with the randomised
# heap, is removed by running it under setarch -R: see
# cmake/mingw-w64-x86_64.cmake.) Every run of these programs prints
# something there (the console its prompt, lutctl and lutprep their outcome
# or their reason), so under Wine a run that ended so, with one of those
# statuses and nothing printed, is made once more on the same input, and
# noted in the build's wine-restarts.log; a failure of the program's own
# repeats and shows, and a crash (another status) is not made again.
run_built() {
  local merged=0 out rc attempt
  if [ "$1" = merged ]; then merged=1; shift; fi
  if [ -z "${LUTBOX_RUN:-}" ]; then
    if [ $merged = 1 ]; then "$@" 2>&1; else "$@"; fi
    return
  fi
  out=$(mktemp)
  for attempt in 1 2; do
    if [ $merged = 1 ]; then
      $LUTBOX_RUN "$@" 2>&1 | cat > "$out"
      rc=${PIPESTATUS[0]}
    else
      $LUTBOX_RUN "$@" | cat > "$out"
      rc=${PIPESTATUS[0]}
    fi
    if { [ "$rc" -ne 1 ] && [ "$rc" -ne 66 ]; } || [ -s "$out" ]; then break; fi
    echo "${TESTFILE:-?}: $(basename "$1") $attempt: status $rc, nothing printed" >> "$LUTBOX_BUILD/wine-restarts.log"
  done
  cat "$out"
  rm -f "$out"
  return "$rc"
}

# Runs the tool on the commands in standard input and shows its console text
# in UTF-8; the exit status is the tool's.
lutbox() {
  run_built $LUTBOX "$@" | console_lines | pause_shown | iconv -f GBK -t UTF-8
  return "${PIPESTATUS[0]}"
}

# Runs the tool with its standard output on a terminal (a pseudo-terminal
# of script(1), in a UTF-8 locale) and its commands from the file given, and
# shows what the terminal shows, without its control sequences and line-end
# CRs. terminal_shown: on Windows the console writes its text as wide
# characters, which Wine's console shows in UTF-8; on POSIX it writes its
# GBK bytes, which luit would show (iconv here).
lutbox_in_terminal() {
  LC_ALL=C.UTF-8 script -qec "$LUTBOX_RUN $LUTBOX < $1" /dev/null </dev/null |
    sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r' | terminal_shown
}

# Runs lutctl (LUTCTL, a program of the same build) and shows its standard
# output and error as one text; lutctl flushes the one before it writes to
# the other, so their order is kept. The exit status is lutctl's.
lutctl() {
  run_built merged $LUTCTL "$@" | console_lines
  return "${PIPESTATUS[0]}"
}

# Runs lutprep; its standard error joins standard output (lutprep writes
# out what standard output holds before it writes an error, so the two stay
# in order), with the console's line ends shown as LF. The exit status is
# lutprep's.
lutprep() {
  run_built merged $LUTPREP "$@" | console_lines
  return "${PIPESTATUS[0]}"
}

# Prints the exit status given (default: the last command's) as the tool's
# signed result. The shell sees the low 8 bits of the result: -1 arrives as
# 255 from a POSIX exit, and from Wine, which passes on the low 8 bits of the
# Windows exit code 0xFFFFFFFF.
status() {
  local s="${1:-$?}"
  [ "$s" -gt 127 ] && s=$((s - 256))
  echo "status $s"
}

# Shows the simulated box's journal of the calls so far, and starts a new one.
journal() {
  cat "$KXSIM_JOURNAL" 2>/dev/null
  rm -f "$KXSIM_JOURNAL"
}

# The full path a program of the build shows for a path of this machine:
# the path itself, or under Wine its Windows name.
tool_path() {
  if [ "${LUTBOX_SHELL:-}" = wine-cmd ]; then
    winepath -w "$1" 2>/dev/null | tr -d '\r'
  else
    echo "$1"
  fi
}

# Names, with the extension given, of three things that are no regular
# file, made in the current directory where they have to be: a FIFO with no
# writer and links to /dev/zero and /dev/null (POSIX), or the device names
# of Windows, which reach a device in every directory.
not_regular_files() {
  if [ "${LUTBOX_SHELL:-}" = wine-cmd ]; then
    echo "CON.$1 COM1.$1 NUL.$1"
  else
    mkfifo "fifo.$1"
    ln -s /dev/zero "zero.$1"
    ln -s /dev/null "null.$1"
    echo "fifo.$1 zero.$1 null.$1"
  fi
}
