# make run   build the three programs and the simulated box, write the
#            example LUTs, then start the console against the simulated box
#            (through luit on a UTF-8 terminal, for its GBK text)
# make examples  build the programs, then write the example LUTs that the
#            documents' examples use into build/examples/
# make test  build, then run every test (native, under the sanitizers, with
#            clang, the fuzz targets' corpus replay, then the Windows build
#            under Wine and the release package)
# make bench build, then run the benchmarks (the reader; lutprep against
#            ociobakelut, also for every format it reads)
# make dist  the Windows programs as a release build, stripped, in
#            dist/lutbox-VERSION-win64.zip
# make fuzz  build the fuzz targets (clang, libFuzzer), then fuzz each for
#            FUZZ_SECONDS (default 60)
# make format        format every C++ file with clang-format (.clang-format)
# make format-check  fail, naming the files, when any C++ file is not formatted
#
# They install the Debian packages they need when run as root, and otherwise
# print the install line (tools/ensure-packages). Without root and without
# the Windows packages, make test skips the Windows leg and says so.

# What building the programs and running the console need: the build,
# lutprep's PNG encoder (libstb-dev, header-only), lutctl's XML reader for
# pattern generator messages (libexpat1-dev), and luit with its encodings to
# show GBK on a UTF-8 terminal. No test tools.
RUN_PACKAGES := cmake make g++ libstb-dev libexpat1-dev x11-utils xfonts-encodings
# The programs and the simulated box, without the tests.
PROGRAMS := lutbox lutctl lutprep boxsim
# libclang-rt-dev: clang's sanitizer and libFuzzer runtimes, only recommended
# by clang. libstb-dev: lutprep's PNG encoder; python3-png: the decoder its
# preview transcript checks the pictures with.
TEST_PACKAGES := cmake make g++ clang libclang-rt-dev libgtest-dev libbenchmark-dev python3-cram libc-bin opencolorio-tools libstb-dev python3-png libexpat1-dev
# dpkg-dev: dpkg-source, which unpacks expat's source for the Windows build
# (tools/fetch-expat-source).
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 wine wine64 dpkg-dev
JOBS := $(shell nproc 2>/dev/null || echo 2)
# The project's one version, from CMakeLists.txt.
VERSION := $(shell grep '^project' CMakeLists.txt | grep -o 'VERSION [0-9.]*' | cut -d' ' -f2)
FUZZ_SECONDS ?= 60

# The Windows leg's Wine prefix, the one the windows preset's tests use (with
# TMPDIR=/tmp, where Debian's Wine looks for the prefix's server).
WINEPREFIX_DIR := $(CURDIR)/build-windows/wineprefix

.PHONY: run programs examples test test-windows bench dist fuzz deps build clean format format-check

deps:
	@tools/ensure-packages $(TEST_PACKAGES) --optional $(WINDOWS_PACKAGES)

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

# The console's prompt and self-test lines are GBK: a UTF-8 terminal shows
# them through luit.
programs:
	@tools/ensure-packages $(RUN_PACKAGES)
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target $(PROGRAMS)

# The example LUTs are made, not kept: a 65-point cube is 7 MB of text.
examples: programs
	tools/make-examples build/examples

# The console starts among the example LUTs, so that "load:film.cube" and
# the documents' other examples run as written at its prompt.
run: examples
	@cd build/examples && if [ "$$(locale charmap 2>/dev/null)" = UTF-8 ] && [ -t 1 ]; then \
	  exec luit -encoding GBK ../lutbox; \
	else \
	  exec ../lutbox; \
	fi

dist:
	@tools/ensure-packages cmake make libstb-dev $(WINDOWS_PACKAGES)
	cmake --preset dist
	cmake --build --preset dist -j $(JOBS) --target dist

bench: build
	build/lutbox_bench
	build/lutprep_bench
	build/patchgen_bench
	python3 bench/convert_bench.py build/lutprep

test: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)
	cmake --preset clang
	cmake --build --preset clang -j $(JOBS)
	ctest --preset clang -j $(JOBS)
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz -j $(JOBS)
	$(MAKE) --no-print-directory test-windows

# Each fuzz target in turn, on a copy of its seeds in build-fuzz/fuzz-work/
# (fuzz/run.sh says more; a long campaign: FUZZ_SECONDS=3600 make fuzz).
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# The Windows build, its tests run under Wine. One wineserver serves the
# whole leg (each Wine start would otherwise bring up its own), and is
# stopped at the end however the tests went. A new prefix is complete only
# once its set-up processes have ended (wineserver -w). Wine's background
# services start with the first program and live as long as the server:
# wineboot starts them with no test's pipe as their output, which a test
# would otherwise wait on for ever. Wine runs without address-space
# randomisation (setarch -R), which now and then keeps it from starting a
# process (cmake/mingw-w64-x86_64.cmake says how); the programs' runs of
# the transcripts have it through the test command.
test-windows:
	@if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null \
	    || ! command -v wineserver >/dev/null; then \
	  echo "Windows leg skipped: the MinGW-w64 cross compiler or Wine is not installed."; \
	  exit 0; \
	fi; \
	set -e; \
	cmake --preset windows; \
	cmake --build --preset windows -j $(JOBS); \
	export WINEPREFIX="$(WINEPREFIX_DIR)" WINEDEBUG=-all TMPDIR=/tmp; \
	mkdir -p "$$WINEPREFIX"; \
	if [ ! -f "$$WINEPREFIX/system.reg" ]; then \
	  echo "Creating the Wine prefix $$WINEPREFIX"; \
	  WINEDLLOVERRIDES="mscoree,mshtml=" setarch -R wine wineboot --init; \
	  wineserver -w; \
	fi; \
	wineserver -p || echo "Using the wineserver already running for $$WINEPREFIX"; \
	trap 'rc=$$?; wineserver -k || true; exit $$rc' EXIT INT TERM HUP; \
	setarch -R wine wineboot </dev/null >/dev/null 2>&1; \
	rm -f build-windows/wine-restarts.log; \
	ctest --preset windows -j $(JOBS) || failed=1; \
	if [ -s build-windows/wine-restarts.log ]; then \
	  echo "Runs that Wine failed to start, made once more (tests/e2e/lib.sh):"; \
	  sed 's/^/  /' build-windows/wine-restarts.log; \
	fi; \
	[ -z "$${failed:-}" ]; \
	$(MAKE) --no-print-directory dist; \
	rm -rf build-dist/package-test && mkdir -p build-dist/package-test && cp tests/package/package.t build-dist/package-test/; \
	cd build-dist/package-test && DIST_ZIP="$(CURDIR)/dist/lutbox-$(VERSION)-win64.zip" LUTBOX_VERSION=$(VERSION) \
	  setarch -R cram3 --shell=/bin/bash package.t

# The C++ files git tracks; the formatter is Debian's clang-format, so that
# every machine formats alike.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format:
	@tools/ensure-packages clang-format
	clang-format -i $(FORMAT_FILES)

format-check:
	@tools/ensure-packages clang-format
	@bad=$$(clang-format --dry-run --Werror $(FORMAT_FILES) 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: error' | cut -d: -f1 | sort -u); \
	if [ -n "$$bad" ]; then echo "Not formatted (make format fixes them):"; echo "$$bad" | sed 's/^/  /'; exit 1; fi; \
	echo "Every C++ file is formatted."

clean:
	rm -rf build build-sanitize build-clang build-fuzz build-windows build-dist dist
