What `make run` does on a fresh machine, read from make's dry run: it
installs only what building the programs needs (lutprep's PNG encoder, but
no test tools), builds all three programs and the simulated box, and writes
the example LUTs the documents use before it starts the console.

  $ make --no-print-directory -n -C "$LUTBOX_SOURCE" run > recipe
  $ grep ensure-packages recipe | tr ' ' '\n' | grep -x -e libstb-dev -e libgtest-dev -e python3-cram -e clang -e wine
  libstb-dev
  $ grep -o -- '--target .*' recipe
  --target lutbox lutctl lutprep boxsim
  $ awk '/--target/ { print "build" } /make-examples/ { print "examples" } /exec \.\.\/lutbox;/ { print "console" }' recipe
  build
  examples
  console
