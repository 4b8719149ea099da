What only the POSIX builds can show of lutprep: a standard output that
takes no bytes, the permissions of the OUT it replaces, and the file size
limit.

  $ . "$E2E_LIB"

Wine has no /dev/full, and Windows no permission bits.

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] && exit 80
  [1]
  $ python3 "$(dirname "$E2E_LIB")/prepcorpus.py" write . cube:17:good
  1 files

A report that cannot be written is said on standard error; convert has
replaced OUT by then, and says so by status 1 only with that message.

  $ $LUTPREP convert cube17-good.cube out.cube > /dev/full
  lutprep: cannot write the report to standard output
  [1]
  $ $LUTPREP check out.cube
  out.cube: ok: cube, 17 points, layout 1
  $ $LUTPREP check out.cube > /dev/full
  lutprep: cannot write the report to standard output
  [1]
  $ $LUTPREP compare out.cube cube17-good.cube > /dev/full
  lutprep: cannot write the report to standard output
  [1]

A private OUT stays private when it is replaced (by convert --into too); a
new one gets the usual permissions of a new file.

  $ chmod 600 out.cube
  $ $LUTPREP convert cube17-good.cube out.cube > /dev/null
  $ stat -c %a out.cube
  600
  $ (umask 022; $LUTPREP convert cube17-good.cube new.cube > /dev/null)
  $ stat -c %a new.cube
  644
  $ mkdir into && cp out.cube into/cube17-good.cube && chmod 640 into/cube17-good.cube
  $ cp cube17-good.cube other.cube
  $ (umask 022; $LUTPREP convert --into into cube17-good.cube other.cube > /dev/null)
  $ stat -c %a into/cube17-good.cube into/other.cube
  640
  644
  $ ls | grep tmp || echo no temporary file
  no temporary file

Beyond the file size limit the write fails as on a full disk: OUT stays
as it was and the temporary file is removed, where SIGXFSZ would have
ended lutprep with it left behind.

  $ cp out.cube kept.cube
  $ (ulimit -f 20; $LUTPREP convert cube17-good.cube out.cube)
  lutprep: out.cube: write failed; left as it was
  [1]
  $ cmp out.cube kept.cube && echo out.cube as it was
  out.cube as it was
  $ ls | grep tmp || echo no temporary file
  no temporary file
