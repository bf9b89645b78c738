# Quick start: `make demo` builds everything and runs the installer on a demo
# payload; `make test` installs what the tests need and runs all of them.
SHELL := /bin/bash
FLAVOURS := x86 x64
JOBS ?= $(shell nproc)

.PHONY: all setup build test test-x64 test-x86 demo bench clean

all: build

setup:
	@tools/setup/packages.sh
	@tools/setup/deps.sh
	@tests/harness/wine-prefix.sh

build: setup
	@for f in $(FLAVOURS); do \
	  [ -f build/$$f/CMakeCache.txt ] || cmake -S . -B build/$$f -DTOLVANE_TESTS=ON \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$$f.cmake >/dev/null || exit 1; \
	  cmake --build build/$$f -j$(JOBS) -- --no-print-directory -s || exit 1; \
	done

# Everything the tests need, then all tests: the x64 twin's suite, then the
# shipped 32-bit build's own suite.
test: build
	@tests/harness/run-x64.sh
	@if [ -x tests/harness/run-x86.sh ]; then tests/harness/run-x86.sh; fi

# Day-to-day: the x64 suite alone.
test-x64: build
	@tests/harness/run-x64.sh

demo: build
	@tools/demo/demo.sh

bench: build
	@for b in bench/*/run.sh; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build/x86 build/x64 out
