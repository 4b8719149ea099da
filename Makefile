# make run   build, then start the console against the simulated box
# make test  build, then run every test (native, then under the sanitizers)
#
# Both install the Debian packages they need when run as root, and otherwise
# print the install line.

PACKAGES := cmake make g++ clang libgtest-dev python3-cram libc-bin
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test deps build clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing Debian packages. Install them with:"; \
	    echo "  sudo apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	mkdir -p build/scratch
	cd build/scratch && ../lutbox

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

clean:
	rm -rf build build-sanitize build-clang
