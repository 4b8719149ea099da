# Shared set-up of the transcripts, sourced at the top of each one.
#
# LUTBOX is the command that runs the tool under test (the native build, or
# the Windows build under Wine); LUTBOX_BUILD is the build directory.
# LUTBOX_CRLF=1 says that the tool's text-mode console writes CR LF.

export KXSIM_JOURNAL="$PWD/journal"
unset KXSIM_RESULTS

# Runs the tool on the commands in standard input and shows its console text
# in UTF-8; the exit status is the tool's.
lutbox() {
  if [ "${LUTBOX_CRLF:-0}" = 1 ]; then
    $LUTBOX "$@" | iconv -f GBK -t UTF-8 | sed 's/\r$//'
  else
    $LUTBOX "$@" | iconv -f GBK -t UTF-8
  fi
  return "${PIPESTATUS[0]}"
}

# Shows the simulated box's journal of the calls so far, and starts a new one.
journal() {
  cat "$KXSIM_JOURNAL" 2>/dev/null
  rm -f "$KXSIM_JOURNAL"
}
